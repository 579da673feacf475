// The GUI program: the Qt platform, the application over it, and the windows that show its models.
#include <QApplication>
#include <memory>

#include "gui/qt/DemoTitle.h"
#include "gui/qt/DialogTranslations.h"
#include "gui/qt/EditorView.h"
#include "gui/qt/MainWindowView.h"
#include "gui/qt/SplashView.h"
#include "platform/Platform.h"
#include "platform/StdFileSystem.h"
#include "platform/SystemCodePage.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtProgramFolder.h"
#include "platform/qt/QtScreen.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtSerialPortList.h"
#include "platform/qt/QtStopRequest.h"
#include "platform/qt/QtTextViewer.h"
#include "platform/qt/QtWindowSearch.h"
#include "platform/qt/SdlWavPlayer.h"
#include "platform/sound/SndfileWaveConverter.h"
#include "settings/AppState.h"
#include "settings/CodePageCodec.h"
#include "shell/Application.h"
#include "shell/LanguageApplier.h"
#include "shell/Workbench.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName("KVT3310");

    StdFileSystem fs(QtProgramFolder::resolve());
    CodePageCodec codec;
    codec.choose(fs, systemCodePage());
    QtMessageBox msgBox;
    QtFileDialog fileDialog;
    QtSerialPort serial;
    SdlWavPlayer player;
    QtEventPump events;
    QtClock clock;
    QtWindowSearch windows;
    QtTextViewer viewer(codec);
    QtScreen screen;
    QtSerialPortList ports;
    SndfileWaveConverter converter;
    Platform platform{fs,    codec,   msgBox, fileDialog, serial, player,   events,
                      clock, windows, viewer, screen,     ports,  converter};

    Application application(platform);
    // Qt's own dialogs speak the language the program shows.
    DialogTranslations dialogTexts;
    application.bench().language().applied.connect([&] { dialogTexts.follow(application.app()); });
    // Declared after the application, so the windows go before the models they show.
    std::unique_ptr<MainWindowView> mainWindow;
    SplashView splash(application.splash());
    application.mainWindowShown.connect([&] {
        mainWindow = std::make_unique<MainWindowView>(application.mdi());
        mainWindow->addEditor(new EditorView(application.form()));
        if (const QString demo = DemoTitle::note(fs, codec); !demo.isEmpty())
            DemoTitle::mark(*mainWindow, demo);
        mainWindow->show();
        splash.setOwner(mainWindow.get());
    });
    application.raiseRequested.connect([&] {
        if (mainWindow)
            mainWindow->showNormalAndRaise();
    });

    // Stopped from outside, the program closes as through its close box; an upload is stopped first, without
    // a question, and the close follows its end.
    QtStopRequest stop([&] {
        if (!mainWindow) {
            QApplication::quit();
            return true;
        }
        if (application.stopUploadAndClose())
            return true;
        if (!mainWindow->isEnabled())
            return false;
        mainWindow->close();
        return true;
    });
    if (!application.StartUp())
        return 0;
    return QApplication::exec();
}
