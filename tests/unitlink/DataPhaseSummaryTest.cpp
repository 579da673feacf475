// The data frames of a message in the protocol trace: the first and last three in full, refusals, repeats and a
// time-out in full, one "DATA" line that counts the rest; the end frame, the tables and the erase dots decoded.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "UploadFixture.h"
#include "unitlink/ProtocolTrace.h"
#include "unitlink/SerialLink.h"

namespace {

/// A traced upload of one 3000-byte message: 3002 bytes with the check word, 9 frames of 350 bytes (175
/// words) at words 0, 0xAF, 0x15E ... 0x578. The unit counts frames from "P" (1), "E" (2, 3), "W" (4), so
/// the message's frames are its frames 5 to 13.
struct TracedUpload : UploadFixture {
    explicit TracedUpload(UnitFaults faults) : UploadFixture(std::move(faults)) {
        app.strAPPFilePath = test.folder.slashed();
        bench.link().settings.CommTimeOut = 300;
        bench.link().trace().setEnabled(true);
        choose(1, wave("gong.wav", 3000));
        upload();
    }
    std::vector<std::string> traced() {
        const std::string text = test.fs.readFile(test.folder.file("KVT3310.LOG")).value_or("");
        std::vector<std::string> out;
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            out.push_back(text.substr(start + 13, end - start - 13));
        return out;
    }
};

/// The word addresses of the data frames traced in full, in order.
std::vector<std::string> wordsShown(const std::vector<std::string>& lines) {
    std::vector<std::string> words;
    for (const auto& line : lines) {
        const std::size_t at = line.find("| data frame to word ");
        if (line.rfind("TX 2A 01 61 ", 0) == 0 && at != std::string::npos)
            words.push_back(line.substr(at + 21, 8));
    }
    return words;
}

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& prefix) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(prefix, 0) == 0)
            return i;
    return lines.size();
}

struct Case {
    const char* name;
    UnitFaults faults;
    std::vector<std::string> words;
    std::string data;
    std::string next;
};

const std::string kEndFrame = "TX 2A 00 00 32 41 0D 0A | end frame (end of the write sequence), checksum 2A ok";

UnitFaults faults(std::set<int> nak, int silentAfter = -1) {
    UnitFaults f;
    f.nakFrames = std::move(nak);
    f.silentAfter = silentAfter;
    return f;
}

TEST(DataPhaseSummary, fullUpload_firstAndLastFramesInFull_refusalsAndTimeOutsInFull_oneLinePerMessage) {
    const std::vector<Case> cases = {
        {"every frame acknowledged",
         faults({}),
         {"00 00 00", "00 00 AF", "00 01 5E", "00 04 1A", "00 04 C9", "00 05 78"},
         "DATA 9 frames to words 00 00 00 to 00 05 78 in 0.000 s, 0 NAKs, 0 repeats; 3 acknowledged frames not shown",
         kEndFrame},
        // The fifth frame (word 0x2BC) refused and sent again; the one held before it is only counted.
        {"a refusal and its repeat",
         faults({9}),
         {"00 00 00", "00 00 AF", "00 01 5E", "00 02 BC", "00 02 BC", "00 04 1A", "00 04 C9", "00 05 78"},
         "DATA 10 frames to words 00 00 00 to 00 05 78 in 0.000 s, 1 NAK, 1 repeat; 2 acknowledged frames not shown",
         kEndFrame},
        // Silent from the seventh frame (word 0x41A) on: the frames before it and the one unanswered in full.
        {"a time-out",
         faults({}, 10),
         {"00 00 00", "00 00 AF", "00 01 5E", "00 02 0D", "00 02 BC", "00 03 6B", "00 04 1A"},
         "DATA 7 frames to words 00 00 00 to 00 04 1A in 0.300 s, 0 NAKs, 0 repeats; 0 acknowledged frames not shown",
         "TIMEOUT no byte within 300 ms; the port is closed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TracedUpload run(c.faults);
        const auto lines = run.traced();
        EXPECT_EQ(wordsShown(lines), c.words);
        const std::size_t data = indexOf(lines, "DATA ");
        ASSERT_LT(data + 1, lines.size());
        EXPECT_EQ(lines[data], c.data);
        EXPECT_EQ(lines[data + 1], c.next);
        EXPECT_EQ(
            std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("DATA ", 0) == 0; }),
            1);
        // Every frame shown has its reply right after it, unless none came.
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i].rfind("TX 2A 01 61 ", 0) == 0 && lines[i + 1] != lines[data]) {
                EXPECT_EQ(lines[i + 1].rfind("RX 2A 35 35 36 34 35 37 00 01 ", 0), 0u) << lines[i + 1];
            }
        }
    }
}

TEST(DataPhaseSummary, fullUpload_eraseDotsEndFrameAndTablesDecoded) {
    TracedUpload run(faults({}));
    const auto lines = run.traced();
    // Both erases: the unit's ACK frame, then two dots and its ACK byte.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "RX 2E 2E 06 | erase progress: 2 dots, then ACK (06)"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kEndFrame), 2);
    const std::size_t message = indexOf(lines, "TX 2A 00 83 3F F0 00 ");
    ASSERT_LT(message, lines.size());
    EXPECT_NE(lines[message].find("; message table: count 1, entries 1: 000000, end 000627, check word ok"),
              std::string::npos)
        << lines[message];
    const std::size_t trigger = indexOf(lines, "TX 2A 00 83 3F F1 00 ");
    ASSERT_LT(trigger, lines.size());
    EXPECT_NE(lines[trigger].find("; trigger table: 0 triggers set; check word ok"), std::string::npos)
        << lines[trigger];
}

}  // namespace
