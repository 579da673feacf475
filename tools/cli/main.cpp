// kvt3310-cli: the set-up tool's editor and upload without a window, for installers' scripts and tests.
#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "CliProgram.h"
#include "HeadlessPlatform.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtProgramFolder.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtSerialPortList.h"
#include "platform/sound/SndfileWaveConverter.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::string folder = QtProgramFolder::resolve();
    QtEventPump events;
    QtClock clock;
    QtSerialPort serial;
    QtSerialPortList ports;
    SndfileWaveConverter converter;
    HeadlessPlatform headless(std::cerr, {folder, events, clock, serial, ports, converter});
    return CliProgram(std::cout, std::cerr, headless).run(args);
}
