// kvt3310-cli: the set-up tool's editor and upload without a window, for installers' scripts and tests.
#include <QCoreApplication>
#include <QDir>
#include <iostream>
#include <string>
#include <vector>

#include "CliProgram.h"
#include "HeadlessPlatform.h"
#include "platform/qt/IconvTextCodec.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtSerialPort.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::string folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    QtEventPump events;
    QtClock clock;
    QtSerialPort serial;
    // The same 8-bit code page as the window program of this folder uses for its files.
    IconvTextCodec codec;
    StdFileSystem programFiles(folder);
    codec.useSettingsOf(programFiles);
    HeadlessPlatform headless(std::cerr, {folder, events, clock, serial, codec});
    return CliProgram(std::cout, std::cerr, headless).run(args);
}
