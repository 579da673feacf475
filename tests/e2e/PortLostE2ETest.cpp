// The emulated unit killed in the middle of an upload, its pseudo-terminal gone with it as a pulled USB adapter
// goes: the upload ends at once on the real Qt port and event loop, saying the PC's port was lost.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <string>

#include "EmulatorProcess.h"
#include "editor/Editor.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtSerialPort.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "unitlink/SerialLink.h"

namespace {

TEST(PortLostE2E, unitKilledMidUpload_uploadEndsWellWithinTheTimeOut) {
    EmulatorProcess emulator{{}};
    ASSERT_FALSE(emulator.path().empty()) << "the emulator did not print its terminal";
    TestPlatform test;
    QtSerialPort port;
    QtEventPump pump;
    Platform platform = test.platformWith(test.fs, test.codec, port, pump);
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{platform, app};
    Form1& form = editor.form();
    Workbench bench{platform, app, mdi, form};
    form.Form_Load();
    bench.link().settings.CommTimeOut = 5000;
    bench.link().settings.Com1Device = emulator.path();

    const std::string wave = test.folder.file("long.wav");
    writeFileBytes(wave, waveFileBytes(200000, 8000, 1));
    test.fileDialog.chooseNext(wave);
    form.Bt_Browse[1].click();

    QElapsedTimer sinceKill;
    form.ProgressBar1.changed().connect([&] {
        if (!sinceKill.isValid() && form.ProgressBar1.value() >= 20000) {
            emulator.kill();
            sinceKill.start();
        }
    });
    form.Bt_SendMessage.click();

    ASSERT_TRUE(sinceKill.isValid()) << form.sbrStatus.panelText(1);
    EXPECT_LT(sinceKill.elapsed(), 1000);
    // The system's reason follows the port's name: a write refused or the line hung up, whichever came first.
    const std::string status = form.sbrStatus.panelText(1);
    EXPECT_NE(status.find(" The PC's serial port was lost (adapter unplugged?): " + emulator.path() + ": "),
              std::string::npos)
        << status;
    EXPECT_FALSE(port.portOpen());
    EXPECT_TRUE(form.imgNotConnected.visible());
    EXPECT_TRUE(mdi.enabled());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
