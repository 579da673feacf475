// The link end to end: QtSerialPort on the emulated unit's pseudo-terminal, driven by the Qt event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "EmulatorProcess.h"
#include "editor/Editor.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtSerialPort.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/SerialLink.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct RealLink {
    TestPlatform test;
    QtSerialPort port;
    QtEventPump pump;
    Platform platform = test.platformWith(test.fs, test.codec, port, pump);
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{platform, app};
    Form1& form = editor.form();
    Workbench bench{platform, app, mdi, form};
    std::vector<std::string> statusLines;

    RealLink() {
        form.Form_Load();
        bench.link().settings.CommTimeOut = 3000;
        form.sbrStatus.changed().connect([this] { statusLines.push_back(form.sbrStatus.panelText(1)); });
    }
};

TEST(SerialLinkE2E, connectPEraseDisconnect_overThePseudoTerminalLink) {
    TempFolder folder;
    const std::string link = folder.file("ttyKVT");
    const std::string log = folder.file("received.log");
    EmulatorProcess emulator({"--link", QString::fromStdString(link), "--baud", "115200", "--progress", "3", "--log",
                              QString::fromStdString(log)});
    ASSERT_FALSE(emulator.path().empty()) << "the emulator did not print its terminal";

    RealLink r;
    r.bench.link().settings.Com1Device = link;
    r.form.imgNotConnected.click();
    ASSERT_TRUE(r.port.portOpen()) << r.port.lastError();
    EXPECT_FALSE(r.port.lowLatency()) << "a pseudo-terminal has no low-latency mode";
    // Port number 1 shows as the device it opens.
    EXPECT_EQ(r.form.sbrStatus.panelText(2), "RS232 PORT: " + link + " / 115200,N,8,2");

    SerialLink& unitLink = r.bench.link();
    EXPECT_TRUE(unitLink.CommandDo(SerialLink::kUnit, 'P'));
    EXPECT_EQ(unitLink.Status, 6);

    r.bench.erase().EraseData(0x3FF100);
    EXPECT_EQ(unitLink.Status, 6);
    EXPECT_EQ(r.form.sbrStatus.panelText(1), "Status: Erasing data successfully!");
    EXPECT_NE(std::find(r.statusLines.begin(), r.statusLines.end(), "Status: Erasing data..."), r.statusLines.end());

    r.form.imgConnected.click();
    EXPECT_FALSE(r.port.portOpen());
    EXPECT_TRUE(r.form.imgNotConnected.visible());

    emulator.stop();
    const Bytes bytes = readFileBytes(log);
    const std::string received(bytes.begin(), bytes.end());
    EXPECT_NE(received.find("#1 command P: ACK"), std::string::npos) << received;
    EXPECT_NE(received.find("#2 command E [3F F1 00]: ACK"), std::string::npos) << received;
}

TEST(SerialLinkE2E, silentUnit_timesOutAndClosesThePort) {
    EmulatorProcess emulator({"--silent-after", "0"});
    ASSERT_FALSE(emulator.path().empty());
    RealLink r;
    r.bench.link().settings.CommTimeOut = 300;
    r.bench.link().settings.Com1Device = emulator.path();
    r.form.imgNotConnected.click();
    ASSERT_TRUE(r.port.portOpen()) << r.port.lastError();
    EXPECT_FALSE(r.bench.link().CommandDo(SerialLink::kUnit, 'P'));
    EXPECT_EQ(r.bench.link().Status, 0);
    EXPECT_FALSE(r.port.portOpen());
}

TEST(SerialLinkE2E, settingsThePortCannotTake_leaveItClosedAndSaySo) {
    EmulatorProcess emulator({});
    ASSERT_FALSE(emulator.path().empty());
    RealLink r;
    r.bench.link().settings.Bret = "fast";
    r.bench.link().settings.Com1Device = emulator.path();
    r.form.imgNotConnected.click();
    EXPECT_FALSE(r.port.portOpen());
    EXPECT_NE(r.form.sbrStatus.panelText(1).find("fast,N,8,2"), std::string::npos) << r.form.sbrStatus.panelText(1);
    EXPECT_TRUE(r.form.imgNotConnected.visible());
}

TEST(SerialLinkE2E, missingDevice_isReportedWithItsName) {
    RealLink r;
    r.bench.link().settings.Com1Device = "/dev/kvt3310-no-such-port";
    r.form.imgNotConnected.click();
    EXPECT_FALSE(r.port.portOpen());
    EXPECT_NE(r.form.sbrStatus.panelText(1).find("/dev/kvt3310-no-such-port"), std::string::npos)
        << r.form.sbrStatus.panelText(1);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
