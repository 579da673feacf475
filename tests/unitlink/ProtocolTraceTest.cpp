// The protocol trace: off until switched on; every frame sent and received with its bytes and what it was
// read as, time-outs, port open and close, status texts; the file rotated past its size limit. Of the data frames
// of a message, the first and last three, refusals, repeats and a time-out in full, one "DATA" line for the rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
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

TEST_F(Trace, fileThatCannotBeWritten_saidOnTheStatusLineAndTheUploadGoesOn) {
    std::filesystem::create_directory(file());
    const std::string warning = trimmed(form.StatusText[11]) + " The protocol trace cannot be written: " + file() +
                                ": " + std::make_error_code(std::errc::is_a_directory).message();
    trace().setEnabled(true);
    EXPECT_EQ(form.sbrStatus.panelText(1), warning);
    choose(1, wave("gong.wav", 3000));
    upload();
    EXPECT_EQ(status(), statusOf(2));
    EXPECT_TRUE(std::filesystem::is_directory(file()));
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

/// The trace, without its time stamps, of an upload of one 3000-byte message: 3002 bytes with the check word, 9
/// frames of 350 bytes (175 words) at words 0, 0xAF, 0x15E ... 0x578. The unit counts frames from "P" (1), "E"
/// (2, 3), "W" (4), so the message's frames are its frames 5 to 13.
std::vector<std::string> tracedUpload(std::set<int> nak, int silentAfter) {
    UnitFaults faults;
    faults.nakFrames = std::move(nak);
    faults.silentAfter = silentAfter;
    UploadFixture u(std::move(faults));
    u.app.strAPPFilePath = u.test.folder.slashed();
    u.bench.link().settings.CommTimeOut = 300;
    u.bench.link().trace().setEnabled(true);
    u.choose(1, u.wave("gong.wav", 3000));
    u.upload();
    auto out = lines(u.test.fs.readFile(u.test.folder.file("KVT3310.LOG")).value_or(""));
    for (auto& line : out)
        line.erase(0, 13);
    return out;
}

bool isData(const std::string& line) {
    return line.rfind("DATA ", 0) == 0;
}

TEST(TraceDataPhase, fullUpload_firstAndLastFramesInFull_refusalsAndTimeOutsInFull_oneLinePerMessage) {
    const std::string endFrame = "TX 2A 00 00 32 41 0D 0A | end frame (end of the write sequence), checksum 2A ok";
    const struct {
        const char* name;
        std::set<int> nak;
        int silentAfter;
        std::vector<std::string> words;  ///< of the data frames traced in full, in order
        std::string data;
        std::string next;
    } cases[] = {
        {"every frame acknowledged",
         {},
         -1,
         {"00 00 00", "00 00 AF", "00 01 5E", "00 04 1A", "00 04 C9", "00 05 78"},
         "DATA 9 frames to words 00 00 00 to 00 05 78 in 0.000 s, 0 NAKs, 0 repeats; 3 acknowledged frames not shown",
         endFrame},
        // The fifth frame (word 0x2BC) refused and sent again; the one held before it is only counted.
        {"a refusal and its repeat",
         {9},
         -1,
         {"00 00 00", "00 00 AF", "00 01 5E", "00 02 BC", "00 02 BC", "00 04 1A", "00 04 C9", "00 05 78"},
         "DATA 10 frames to words 00 00 00 to 00 05 78 in 0.000 s, 1 NAK, 1 repeat; 2 acknowledged frames not shown",
         endFrame},
        // Silent from the seventh frame (word 0x41A) on: the frames before it and the one unanswered in full.
        {"a time-out",
         {},
         10,
         {"00 00 00", "00 00 AF", "00 01 5E", "00 02 0D", "00 02 BC", "00 03 6B", "00 04 1A"},
         "DATA 7 frames to words 00 00 00 to 00 04 1A in 0.300 s, 0 NAKs, 0 repeats; 0 acknowledged frames not shown",
         "TIMEOUT no byte within 300 ms; the port is closed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = tracedUpload(c.nak, c.silentAfter);
        std::vector<std::string> words;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            const std::size_t at = lines[i].find("| data frame to word ");
            if (lines[i].rfind("TX 2A 01 61 ", 0) != 0 || at == std::string::npos)
                continue;
            words.push_back(lines[i].substr(at + 21, 8));
            // Every frame shown has its reply right after it, unless none came.
            EXPECT_TRUE(isData(lines[i + 1]) || lines[i + 1].rfind("RX 2A 35 35 36 34 35 37 00 01 ", 0) == 0)
                << lines[i + 1];
        }
        EXPECT_EQ(words, c.words);
        ASSERT_EQ(std::count_if(lines.begin(), lines.end(), isData), 1);
        const auto data = std::find_if(lines.begin(), lines.end(), isData);
        ASSERT_LT(data + 1, lines.end());
        EXPECT_EQ(*data, c.data);
        EXPECT_EQ(*(data + 1), c.next);
    }
}

}  // namespace
