// A unit that never answers, with a settings file that gives no usable time-out: the upload ends after the
// start-value time-out on the real Qt timer and serial port instead of holding the program for ever.
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
#include "support/TestPlatform.h"
#include "unitlink/SerialLink.h"

namespace {

struct SilentUnit {
    EmulatorProcess emulator{{"--silent-after", "0"}};
    TestPlatform test;
    QtSerialPort port;
    QtEventPump pump;
    Platform platform = test.platformWith(test.fs, test.codec, port, pump);
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{platform, app};
    Form1& form = editor.form();
    Workbench bench{platform, app, mdi, form};

    /// The editor started on a settings file holding `comSettings` in its port section.
    void start(const std::string& comSettings) {
        app.strAPPFilePath = test.folder.path() + "/";
        const std::string settings = "[Com settings]\r\nCom1Device=" + emulator.path() + "\r\n" + comSettings;
        ASSERT_TRUE(test.fs.writeFileAtomic(app.strAPPFilePath + "KVT3310.INI", settings));
        form.Form_Load();
        bench.activate();
    }
};

TEST(SilentUnitE2E, timeOutOfZeroInTheSettings_uploadFailsAfterTheStartValue) {
    {
        // A settings file without the key gives the same start value; its wait is the same, and waited out once.
        SilentUnit noKey;
        noKey.start("");
        EXPECT_EQ(noKey.bench.link().settings.CommTimeOut, 5000);
    }
    SilentUnit s;
    ASSERT_FALSE(s.emulator.path().empty()) << "the emulator did not print its terminal";
    s.start("CommTimeOut=0\r\n");
    ASSERT_EQ(s.bench.link().settings.CommTimeOut, 5000);

    // The set holds no message file: the question whether to erase the unit is answered Yes.
    s.test.msgBox.answerNext(IMessageBox::vbYes);
    QElapsedTimer clock;
    clock.start();
    s.form.Bt_SendMessage.click();
    const qint64 elapsed = clock.elapsed();

    EXPECT_GE(elapsed, 4900);
    EXPECT_LT(elapsed, 15000);
    EXPECT_FALSE(s.port.portOpen());
    EXPECT_TRUE(s.mdi.enabled());
    EXPECT_EQ(s.form.sbrStatus.panelText(1),
              "STATUS: Message and configuration upload unsuccessfully! The unit does not answer!");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
