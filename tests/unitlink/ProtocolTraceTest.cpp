// The protocol trace: off until switched on; every frame sent and received with its bytes and what it was
// read as, time-outs, port open and close, status texts; the file rotated past its size limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "UploadFixture.h"
#include "shell/SettingsBinding.h"
#include "unitlink/ProtocolTrace.h"
#include "unitlink/SerialLink.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "a line without CR LF at the end";
    return out;
}

struct Trace : ::testing::Test, UploadFixture {
    explicit Trace(UnitFaults faults = {}) : UploadFixture(std::move(faults)) {
        app.strAPPFilePath = test.folder.slashed();
        bench.link().settings.Com1Device = "/dev/ttyUSB0";
    }
    ProtocolTrace& trace() { return bench.link().trace(); }
    std::string file() const { return test.folder.file("KVT3310.LOG"); }
    std::vector<std::string> traced() { return lines(test.fs.readFile(file()).value_or("")); }
};

struct TraceFaults : Trace {
    static UnitFaults nakThenCorrupt() {
        UnitFaults faults;
        faults.nakFrames = {1};
        faults.corruptFrames = {2};
        return faults;
    }
    TraceFaults() : Trace(nakThenCorrupt()) {}
};

TEST_F(Trace, offByDefault_anUploadWritesNoFile) {
    choose(1, wave("gong.wav", 100));
    upload();
    EXPECT_FALSE(trace().enabled());
    EXPECT_FALSE(test.fs.exists(file()));
    EXPECT_FALSE(mdi.Trace.checked());
}

TEST_F(TraceFaults, nakAndBadChecksum_eachFrameOneLineWithWhatItWasReadAs) {
    choose(1, wave("gong.wav", 100));
    mdi.Trace.click();
    ASSERT_TRUE(mdi.Trace.checked());
    upload();

    // The "P" command from the PC, the unit's NAK, the command again, and a reply whose checksum is wrong.
    const std::string p = "2A 36 34 35 35 35 30 00 00 36 33 0D 0A";
    const std::string pDecoded = " | from 64 to 55, command P (50), payload 0, checksum 63 ok";
    // The status line names the file, after the menu item's caption.
    EXPECT_EQ(traced()[1], "08:00:00.000 STATUS Protocol trace: " + file());
    const std::vector<std::string> expected = {
        "08:00:00.000 TRACE on, file " + file() + ", rotated past 1048576 bytes",
        "08:00:00.000 STATUS Protocol trace: " + file(),
        "08:00:00.000 UPLOAD started",
        // Device paths are a setting only where ports are device files; Windows opens COM1 itself.
        std::string("08:00:00.000 PORT open COM1 ") + (test.serial.portsAreDeviceFiles() ? "(/dev/ttyUSB0) " : "") +
            "115200,N,8,2",
        "08:00:00.000 TX " + p + pDecoded,
        "08:00:00.000 RX 2A 35 35 36 34 35 30 00 01 15 37 39 0D 0A | from 55 to 64, command P (50), payload 1, "
        "checksum 79 ok, payload byte 21, read as 21 (NAK)",
        "08:00:00.000 TX " + p + pDecoded,
        "08:00:00.000 RX 2A 35 35 36 34 35 30 00 01 06 36 30 0D 0A | from 55 to 64, command P (50), payload 1, "
        "checksum 60 bad (computed 6A), payload byte 6, read as 1 (bad checksum)",
        // The status without the panel's own caption.
        "08:00:00.000 STATUS " + trimmed(form.StatusText[3]) + " The reply of the unit is not valid!",
        "08:00:00.000 PORT closed",
        "08:00:00.000 UPLOAD ended",
    };
    EXPECT_EQ(traced(), expected);
}

TEST_F(Trace, portOpenedByNumber_namesItsDeviceOnlyWherePortsAreDeviceFiles) {
    mdi.Trace.click();
    for (bool deviceFiles : {true, false}) {
        test.serial.deviceFiles = deviceFiles;
        form.imgNotConnected.click();
        form.imgConnected.click();
    }
    const auto lines = traced();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "08:00:00.000 PORT open COM1 (/dev/ttyUSB0) 115200,N,8,2");
    EXPECT_EQ(lines[4], "08:00:00.000 PORT open COM1 115200,N,8,2");
}

TEST_F(Trace, portChosenFromTheSystemsList_isTheOneNamed) {
    bench.link().settings.PortName = "/dev/ttyACM0";
    mdi.Trace.click();
    form.imgNotConnected.click();
    ASSERT_GE(traced().size(), 3u);
    EXPECT_EQ(traced()[2], "08:00:00.000 PORT open COM1 (/dev/ttyACM0) 115200,N,8,2");
}

TEST_F(Trace, silentUnit_timeOutAndNoFrameLines) {
    replaceUnit(silentAfter(0));
    choose(1, wave("gong.wav", 100));
    bench.link().settings.CommTimeOut = 300;
    trace().setEnabled(true);
    upload();
    auto got = traced();
    ASSERT_GE(got.size(), 7u);
    EXPECT_EQ(got[1], "08:00:00.000 UPLOAD started");
    EXPECT_EQ(got[3].substr(13, 5), "TX 2A");
    EXPECT_EQ(got[4], "08:00:00.300 TIMEOUT no byte within 300 ms; the port is closed");
    EXPECT_EQ(got[5], "08:00:00.300 PORT closed");
    EXPECT_EQ(got[6], "08:00:00.300 RX no frame, read as 0 (time-out or no frame)");
}

TEST_F(Trace, faultTheOpenPortReports_isALineOfItsOwn) {
    mdi.Trace.click();
    form.imgNotConnected.click();
    ASSERT_TRUE(test.serial.OnError);
    test.serial.OnError("COM1: the port was lost: the driver does not answer (device not connected)");
    EXPECT_EQ(traced().back(),
              "08:00:00.000 PORT COM1: the port was lost: the driver does not answer (device not connected)");
}

TEST_F(Trace, fileThatCannotBeWritten_saidOnceOnTheStatusLineAndTheUploadGoesOn) {
    // A folder where the file should be; the status texts the warning itself causes are traced too and fail again.
    std::filesystem::create_directory(file());
    std::vector<std::string> warnings;
    const std::string warning = trimmed(form.StatusText[11]) + " The protocol trace cannot be written: " + file() +
                                ": " + std::make_error_code(std::errc::is_a_directory).message();
    std::string shown;
    const int connection = form.sbrStatus.changed().connect([&] {
        if (form.sbrStatus.panelText(1) != shown && form.sbrStatus.panelText(1) == warning)
            warnings.push_back(warning);
        shown = form.sbrStatus.panelText(1);
    });
    choose(1, wave("gong.wav", 3000));
    trace().setEnabled(true);
    upload();
    form.sbrStatus.changed().disconnect(connection);
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_EQ(status(), statusOf(2));
    EXPECT_TRUE(std::filesystem::is_directory(file()));

    // Switched on again, the trace tells once more.
    trace().setEnabled(false);
    trace().setEnabled(true);
    EXPECT_EQ(form.sbrStatus.panelText(1), warning);
}

int uploadsIn(const std::vector<std::string>& lines, const std::string& what) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.size() > 13 && line.substr(13) == "UPLOAD " + what;
    }));
}

TEST_F(Trace, pastItsLimit_rotatedAtAnUploadsStart_thePairKeepsTheLastThreeUploadsWhole) {
    trace().setLimit(4096);
    EXPECT_EQ(trace().limit(), 4096u);
    trace().setEnabled(true);
    choose(1, wave("gong.wav", 100));
    const std::string older = test.folder.file("KVT3310.1.LOG");
    for (int n = 1; n <= 6; ++n) {
        upload();
        const auto current = traced();
        const auto before = lines(test.fs.readFile(older).value_or(""));
        EXPECT_EQ(test.fs.exists(older), n >= 3) << "upload " << n;
        EXPECT_GE(uploadsIn(before, "started") + uploadsIn(current, "started"), std::min(n, 3)) << "upload " << n;
        EXPECT_EQ(uploadsIn(current, "started"), uploadsIn(current, "ended"));
        EXPECT_EQ(current.back().substr(13), "UPLOAD ended");
        if (before.empty())
            continue;
        EXPECT_GE(uploadsIn(before, "ended"), 2);
        // The first file starts with the switch; every later one with an upload.
        const std::string first = n < 5 ? "TRACE on" : "UPLOAD started";
        EXPECT_EQ(before.front().substr(13, first.size()), first) << "upload " << n;
        EXPECT_EQ(before.back().substr(13), "UPLOAD ended");
        EXPECT_EQ(current.front().substr(13), "UPLOAD started");
    }
    EXPECT_EQ(ProtocolTrace::rotatedName("/a.b/trace"), "/a.b/trace.1");
    EXPECT_EQ(ProtocolTrace::rotatedName("C:\\x\\KVT3310.LOG"), "C:\\x\\KVT3310.1.LOG");
}

TEST_F(Trace, settingsFile_switchesItAndKeepsTheLimit) {
    const std::string ini = test.folder.file("KVT3310.INI");
    ASSERT_TRUE(SettingsBinding(form, mdi, bench.link()).SaveIni(ini));
    auto text = test.fs.readFile(ini).value();
    EXPECT_NE(text.find("[Trace]\r\nTrace=False\r\nTraceSizeLimitKB=1024\r\n"), std::string::npos) << text;

    ASSERT_TRUE(test.fs.writeFileAtomic(ini, "[Trace]\r\nTrace=True\r\nTraceSizeLimitKB=64\r\n"));
    ASSERT_TRUE(SettingsBinding(form, mdi, bench.link()).OpenIni(ini));
    EXPECT_TRUE(trace().enabled());
    EXPECT_TRUE(mdi.Trace.checked());
    EXPECT_EQ(trace().limit(), 64u * 1024);

    // Values that do not convert change nothing and are no reason to refuse the file.
    ASSERT_TRUE(test.fs.writeFileAtomic(ini, "[Trace]\r\nTrace=maybe\r\nTraceSizeLimitKB=lots\r\n"));
    ASSERT_TRUE(SettingsBinding(form, mdi, bench.link()).OpenIni(ini));
    EXPECT_TRUE(trace().enabled());
    EXPECT_EQ(trace().limit(), 64u * 1024);
    EXPECT_TRUE(test.msgBox.shown.empty());

    mdi.Trace.click();
    EXPECT_FALSE(trace().enabled());
    EXPECT_EQ(traced().back().substr(13), "TRACE off");
}

}  // namespace
