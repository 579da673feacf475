// The demo set-up: the demo folder made by scripts/demo-setup, the emulated unit on its port, and the window
// program's objects over the Qt platform opening the proposed short set and sending it with the Send button;
// the unit's memory checked from its dump. The unit answers unpaced: the upload at the line's pace is the
// end-to-end upload test's.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTest>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "../e2e/EmulatorProcess.h"
#include "editor/Form1.h"
#include "gui/qt/DemoTitle.h"
#include "gui/qt/EditorView.h"
#include "gui/qt/MainWindowView.h"
#include "platform/StdFileSystem.h"
#include "platform/null/NullWavPlayer.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtSerialPort.h"
#include "settings/CodePageCodec.h"
#include "shell/Application.h"
#include "shell/MDIKVT3310.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "support/UnitMemory.h"

namespace {

using namespace UnitMemory;

struct Demo : ::testing::Test {
    TempFolder folder;
    std::string sets = std::string(KVT_BUILD_DIR) + "/demo-set/";
    std::unique_ptr<EmulatorProcess> emulator;
    std::unique_ptr<StdFileSystem> fs;
    CodePageCodec codec;
    FakeMessageBox msgBox;
    FakeFileDialog fileDialog;
    QtSerialPort serial;
    NullWavPlayer player;
    QtEventPump events;
    QtClock clock;
    FakeWindowSearch windows;
    FakeTextViewer viewer;
    FakeScreen screen;
    FakeSerialPortList ports;
    FakeWaveConverter converter;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<Application> app;
    std::unique_ptr<MainWindowView> main;

    void SetUp() override {
        QProcess setup;
        setup.start(KVT_SOURCE_DIR "/scripts/demo-setup",
                    {KVT_BUILD_DIR, QString::fromStdString(folder.path()), "DemoShort.cfg"});
        ASSERT_TRUE(setup.waitForFinished(30000));
        ASSERT_EQ(setup.exitCode(), 0) << setup.readAllStandardError().toStdString();
        emulator =
            std::make_unique<EmulatorProcess>(QStringList{"--link", QString::fromStdString(folder.file("ttyKVT")),
                                                          "--dump", QString::fromStdString(folder.file("memory.bin"))});
        ASSERT_FALSE(emulator->path().empty()) << "the emulator did not start";

        fs = std::make_unique<StdFileSystem>(folder.path());
        platform = std::make_unique<Platform>(Platform{*fs, codec, msgBox, fileDialog, serial, player, events, clock,
                                                       windows, viewer, screen, ports, converter});
        app = std::make_unique<Application>(*platform);
        ASSERT_TRUE(app->StartUp());
        // Clicked away as a user would; the splash's own two seconds are the splash tests'.
        app->splash().Form_Click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return app->editorShown(); }, 10000));
        main = std::make_unique<MainWindowView>(app->mdi());
        main->addEditor(new EditorView(app->form()));
        DemoTitle::mark(*main, DemoTitle::note(*fs, codec));
        main->show();
    }

    Form1& form() { return app->form(); }
    std::string status(int index) const {
        std::string caption = app->form().StatusText[11], text = app->form().StatusText[index];
        caption.erase(caption.find_last_not_of(' ') + 1);
        text.erase(text.find_last_not_of(' ') + 1);
        return caption + " " + text;
    }
    void send() {
        auto* button = main->findChild<QAbstractButton*>("Bt_SendMessage");
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    Bytes memory() const { return readFileBytes(folder.file("memory.bin")); }
};

TEST_F(Demo, proposedShortSet_sentWithTheSendButton_thenOnlyTheConfigurationAfterAZoneChange) {
    EXPECT_NE(main->windowTitle().indexOf("[DEMO: emulated unit on " + QString::fromStdString(folder.file("ttyKVT"))),
              -1)
        << main->windowTitle().toStdString();

    // File, Open proposes the demo set in its folder; the installer only confirms.
    fileDialog.chooseNext(sets + "DemoShort.cfg");
    main->findChild<QAction*>("Open")->trigger();
    ASSERT_EQ(fileDialog.requests.size(), 1u);
    EXPECT_EQ(fileDialog.requests[0].fileName, "DemoShort.cfg");
    EXPECT_EQ(fileDialog.requests[0].initDir, sets);
    ASSERT_EQ(form().WaveFile[1].text(), "Test");
    EXPECT_NE(main->windowTitle().indexOf("DemoShort.cfg  [DEMO: "), -1) << main->windowTitle().toStdString();

    send();
    ASSERT_EQ(form().sbrStatus.panelText(1), status(2));
    Bytes first = memory();
    ASSERT_EQ(first.size(), 2u * 0x400000);
    const Bytes stored = storedFormOf(readFileBytes(sets + "Test.wav"));
    EXPECT_EQ(at(first, 0, stored.size()), stored);
    EXPECT_EQ(at(first, 0x3FF000, 8), (Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(at(first, 0x3FF100, 10), (Bytes{0, 1, 0, 0, 0, 0, 0, 0, 0, 0x02}));

    // Zone 3 added to trigger 1: the tables alone go again.
    form().Check1[3].setValue(1);
    send();
    ASSERT_EQ(form().sbrStatus.panelText(1), status(13));
    Bytes second = memory();
    EXPECT_EQ(at(second, 0, stored.size()), stored);
    EXPECT_EQ(at(second, 0x3FF100, 10), (Bytes{0, 1, 0, 0, 0, 0, 0, 0, 0, 0x06}));
    EXPECT_TRUE(msgBox.shown.empty());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
