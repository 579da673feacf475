// Connecting and disconnecting, the connection display and clock, the receive notification and the port menu.
#include <gtest/gtest.h>

#include "shell/SettingsBinding.h"
#include "unitlink/LinkFixture.h"

namespace {

struct Connection : LinkFixture {
    Connection() {
        form.Caption = "Editor";
        mdi.setCaption("Main");
        mdi.Com1.setChecked(true);
    }
    bool showsConnected() { return form.imgConnected.visible() && !form.imgNotConnected.visible(); }
    bool showsClosed() {
        return !form.imgConnected.visible() && form.imgNotConnected.visible() &&
               form.sbrStatus.panelText(2) == "RS232 PORT: " && form.sbrStatus.panelText(3).empty() &&
               !bench.connection().Timer1().enabled();
    }
};

TEST(PortConnection, connectOnCom2_opensWithTheSettingsAndShowsThem) {
    Connection c;
    c.bench.link().settings.Commport = 2;
    c.form.imgNotConnected.click();
    EXPECT_TRUE(c.test.serial.portOpen());
    EXPECT_EQ(c.test.serial.commPort(), 2);
    EXPECT_EQ(c.test.serial.settings(), "115200,N,8,2");
    EXPECT_TRUE(c.showsConnected());
    EXPECT_EQ(c.form.sbrStatus.panelText(2), "RS232 PORT: COM2 / 115200,N,8,2");
    EXPECT_TRUE(c.port.Timer1().enabled());
}

TEST(PortConnection, connect_emptiesTheRing) {
    Connection c;
    c.bench.link().DataInPoint = 7;
    c.bench.link().DataOutPoint = 3;
    c.form.imgNotConnected.click();
    EXPECT_EQ(c.bench.link().DataInPoint, 0);
    EXPECT_EQ(c.bench.link().DataOutPoint, 0);
}

TEST(PortConnection, clock_countsTheConnectedTimeEachSecond) {
    Connection c;
    c.form.imgNotConnected.click();
    c.test.events.advance(1000);
    EXPECT_EQ(c.form.sbrStatus.panelText(3), "00:00:01 ");
    c.test.events.advance(124000);
    EXPECT_EQ(c.form.sbrStatus.panelText(3), "00:02:05 ");
}

TEST(PortConnection, clock_runsTheProgressStepOnlyWhileTheBarShows) {
    Connection c;
    int steps = 0;
    c.port.ProgressStep = [&] { ++steps; };
    c.form.imgNotConnected.click();
    c.test.events.advance(1000);
    c.form.ProgressBar1.setVisible(true);
    c.test.events.advance(2000);
    EXPECT_EQ(steps, 2);
}

TEST(PortConnection, disconnect_closesAndShowsClosedAndGivesTheControlsBack) {
    Connection c;
    c.form.imgNotConnected.click();
    c.form.ProgressBar1.setVisible(true);
    c.form.Lb_Percentage.setCaption("45%");
    c.mdi.File.setEnabled(false);
    c.mdi.Setup.setEnabled(false);
    c.form.Bt_SendMessage.setEnabled(false);
    c.test.events.advance(3000);
    c.form.imgConnected.click();
    EXPECT_FALSE(c.test.serial.portOpen());
    EXPECT_TRUE(c.showsClosed());
    EXPECT_FALSE(c.form.ProgressBar1.visible());
    EXPECT_EQ(c.form.Lb_Percentage.caption(), "");
    EXPECT_TRUE(c.mdi.File.enabled());
    EXPECT_TRUE(c.mdi.Setup.enabled());
    EXPECT_TRUE(c.form.Bt_SendMessage.enabled());
}

TEST(PortConnection, disconnectWhileClosed_doesNothing) {
    Connection c;
    c.mdi.File.setEnabled(false);
    c.port.imgConnected_Click();
    EXPECT_FALSE(c.mdi.File.enabled());
}

TEST(PortConnection, connectWhileOpen_closesWarnsAndShowsClosed) {
    Connection c;
    c.form.imgNotConnected.click();
    c.port.imgNotConnected_Click();
    EXPECT_FALSE(c.test.serial.portOpen());
    ASSERT_EQ(c.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(c.test.msgBox.shown[0].text, "The unit cannot be operated while upload is in progress!");
    EXPECT_EQ(c.test.msgBox.shown[0].flags, IMessageBox::vbOKOnly);
    EXPECT_EQ(c.test.msgBox.shown[0].title, "Editor");
    EXPECT_EQ(c.test.msgBox.beeps, 1);
    EXPECT_TRUE(c.showsClosed()) << "the indicator must not say connected while the port is closed";
}

TEST(PortConnection, openFailure_isReportedWithItsReasonAndNothingElseChanges) {
    Connection c;
    c.test.serial.failOpen("permission denied for /dev/ttyS0; join the \"dialout\" group");
    c.form.imgNotConnected.click();
    EXPECT_FALSE(c.test.serial.portOpen());
    EXPECT_EQ(c.form.sbrStatus.panelText(1),
              "Status: Com port not connected! permission denied for /dev/ttyS0; join the \"dialout\" group");
    EXPECT_TRUE(c.form.imgNotConnected.visible());
    EXPECT_FALSE(c.port.Timer1().enabled());
}

TEST(PortConnection, notification_storesEveryWaitingByteInArrivalOrder) {
    Connection c;
    c.form.imgNotConnected.click();
    c.test.serial.feed({1, 2, 3});
    c.test.serial.feed({4});
    c.test.events.processEvents();
    SerialLink& link = c.bench.link();
    EXPECT_EQ(link.DataInPoint, 4);
    for (std::uint8_t expected = 1; expected <= 4; ++expected) {
        ASSERT_TRUE(link.RS232Read());
        EXPECT_EQ(link.Rs232DataByte, expected);
    }
}

TEST(PortConnection, com2WhileClosed_checksItAndProbesOnly) {
    Connection c;
    c.test.serial.deviceFiles = false;
    c.mdi.Com2.click();
    EXPECT_EQ(c.bench.link().settings.Commport, 2);
    EXPECT_TRUE(c.mdi.Com2.checked());
    EXPECT_FALSE(c.mdi.Com1.checked());
    EXPECT_EQ(c.test.serial.opens, 1);
    EXPECT_FALSE(c.test.serial.portOpen());
    EXPECT_TRUE(c.form.imgNotConnected.visible());
    EXPECT_EQ(c.form.imgNotConnected.toolTipText(), "Connect to the unit on COM2");
    EXPECT_EQ(c.form.imgConnected.toolTipText(), "Disconnect from the unit on COM2");
    c.test.serial.deviceFiles = true;  // as on Linux, where the tip also names the device
    c.bench.link().settings.Com1Device = "/dev/ttyUSB0";
    c.mdi.Com1.click();
    EXPECT_EQ(c.bench.link().settings.Commport, 1);
    EXPECT_TRUE(c.mdi.Com1.checked());
    EXPECT_FALSE(c.mdi.Com2.checked());
    EXPECT_EQ(c.form.imgNotConnected.toolTipText(), "Connect to the unit on COM1 (/dev/ttyUSB0)");
}

TEST(PortConnection, comMenuProbeFailure_isReportedAndTheChoiceStands) {
    Connection c;
    c.test.serial.failOpen("no such port");
    c.mdi.Com2.click();
    EXPECT_EQ(c.bench.link().settings.Commport, 2);
    EXPECT_TRUE(c.mdi.Com2.checked());
    EXPECT_EQ(c.form.sbrStatus.panelText(1), "Status: Com port not connected! no such port");
}

TEST(PortConnection, comMenuWhileOpen_closesWarnsKeepsTheChoiceAndShowsClosed) {
    Connection c;
    c.form.imgNotConnected.click();
    c.mdi.Com2.click();
    EXPECT_FALSE(c.test.serial.portOpen());
    ASSERT_EQ(c.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(c.test.msgBox.shown[0].text, "Com port not connected!");
    EXPECT_EQ(c.test.msgBox.shown[0].title, "Main");
    EXPECT_EQ(c.bench.link().settings.Commport, 1);
    EXPECT_TRUE(c.mdi.Com1.checked());
    EXPECT_FALSE(c.mdi.Com2.checked());
    EXPECT_TRUE(c.showsClosed());
    c.form.imgNotConnected.click();
    EXPECT_TRUE(c.test.serial.portOpen()) << "the indicator connects again";
}

}  // namespace

namespace {

TEST(PortConnection, deviceKeysOfTheSettingsFile_nameTheDevicesThePortNumbersOpen) {
    Connection c;
    std::string ini = c.test.folder.file("KVT3310.INI");
    ASSERT_TRUE(c.test.fs.writeFileAtomic(
        ini, "[Com settings]\r\nCommport=2\r\nCom1Device=/dev/ttyUSB0\r\nCom2Device=/dev/ttyACM0\r\n"));
    ASSERT_TRUE(SettingsBinding(c.form, c.mdi, c.bench.link()).OpenIni(ini));
    c.form.imgNotConnected.click();
    EXPECT_EQ(c.test.serial.devicePaths[1], "/dev/ttyUSB0");
    EXPECT_EQ(c.test.serial.devicePaths[2], "/dev/ttyACM0");
    EXPECT_EQ(c.test.serial.commPort(), 2);
}

}  // namespace
