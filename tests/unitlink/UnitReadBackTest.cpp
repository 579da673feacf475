// Reading a unit back: the stream rules a message is recovered by, and the read against the emulated unit
// after an upload (round trip, a damaged message, a refusal, a repeated read, an erased unit).
#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "unitlink/UnitReadBack.h"
#include "unitlink/UploadFixture.h"

namespace {

using Bytes = UploadFixture::Bytes;

Bytes ascii(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

/// "RIFF", the length after these 8 bytes (little-endian), then `rest`.
Bytes riff(const std::string& rest) {
    const auto n = static_cast<std::uint8_t>(rest.size());
    Bytes file = ascii("RIFF");
    file.insert(file.end(), {n, 0, 0, 0});
    const Bytes body = ascii(rest);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

TEST(ReadBackStream, fileLengthAndCheckWord_followTheRiffHeaderAndTheSumRule) {
    const Bytes even = riff("WAVEfmt ");
    const Bytes odd = riff("WAVEfmt");
    struct Case {
        const char* what;
        Bytes stream;
        std::optional<std::uint32_t> length;
        bool holds;
    };
    Bytes evenStream = storedFormOf(even);
    Bytes oddStream = storedFormOf(odd);
    Bytes changed = evenStream;
    changed[9] ^= 0x10;
    Bytes notRiff = evenStream;
    notRiff[3] = 'X';
    Bytes filled = evenStream;
    filled.insert(filled.end(), 40, 0xFF);
    const std::vector<Case> cases = {
        {"even file, check word after it", evenStream, 16, true},
        {"odd file, FF pad then check word", oddStream, 15, true},
        {"fill after the check word", filled, 16, true},
        {"one byte changed", changed, 16, false},
        {"cut before the check word's end", Bytes(evenStream.begin(), evenStream.end() - 1), std::nullopt, false},
        {"no RIFF header", notRiff, std::nullopt, false},
    };
    ASSERT_EQ(oddStream[15], 0xFF);
    for (const Case& c : cases) {
        EXPECT_EQ(UnitReadBack::fileLength(c.stream), c.length) << c.what;
        if (c.length) {
            EXPECT_EQ(UnitReadBack::checkWordHolds(c.stream, *c.length), c.holds) << c.what;
        }
    }
}

TEST(ReadBackStream, messageEnds_nextStartAboveOrTheEndAddress) {
    using Ends = std::vector<std::pair<int, std::int32_t>>;
    struct Case {
        const char* what;
        std::array<std::int32_t, 4> starts;  ///< slots 1 to 3, element 0 unused
        std::int32_t end;
        Ends expected;
    };
    for (const Case& c : {Case{"three in order", {0, 0, 175, 525}, 700, Ends{{1, 175}, {2, 525}, {3, 700}}},
                          Case{"empty slot between", {0, 0, -1, 350}, 700, Ends{{1, 350}, {3, 700}}},
                          Case{"none", {0, -1, -1, -1}, 0, Ends{}}}) {
        TableBlocks::MessageTable table;
        table.msgAddress.fill(-1);
        for (int i = 1; i <= 3; ++i)
            table.msgAddress[i] = c.starts[i];
        table.endAddress = c.end;
        EXPECT_EQ(UnitReadBack::messageEnds(table), c.expected) << c.what;
    }
}

struct ReadBack : UploadFixture {
    std::string paths[13];
    explicit ReadBack(UnitFaults faults = {}) : UploadFixture(std::move(faults)) {}

    /// Slot 1 odd-length at 8 kHz, slot 2 empty, slot 3 at 24 kHz, slot 4 at 8 kHz; two triggers.
    void uploadSet() {
        paths[1] = wave("gong.wav", 1045, 1);
        paths[2] = wave("skip.wav", 700, 2);
        paths[3] = test.folder.file("fire.wav");
        writeFileBytes(paths[3], waveFileBytes(2400, 24000, 3));
        paths[4] = wave("exit.wav", 900, 4);
        for (int i = 1; i <= 4; ++i)
            choose(i, paths[i]);
        form.WaveFile[2].Change = nullptr;
        form.WaveFile[2].setText("");
        form.TRG1[1].setText("3");
        form.TRG1[2].setText("1");
        form.Check1[6].setValue(1);
        form.TRG1[5].setText("4");
        form.Check1[6 + 2].setValue(1);
        upload();
        ASSERT_EQ(unit().commandCount('L'), 1);
    }
    UnitReadBack& readBack() { return bench.readBack(); }
};

TEST(UnitReadBackTest, afterAnUpload_everyFileComesBackByteForByteWithTheTriggers) {
    ReadBack r;
    r.uploadSet();
    const ReadBackOutcome outcome = r.readBack().read();
    ASSERT_TRUE(outcome.succeeded());
    const UnitContents& back = r.readBack().contents();
    ASSERT_EQ(back.messages.size(), 3u);
    const int slots[] = {1, 3, 4};
    for (std::size_t n = 0; n < 3; ++n) {
        const RecoveredMessage& m = back.messages[n];
        EXPECT_EQ(m.slot, slots[n]);
        EXPECT_TRUE(m.checkWordGood) << m.slot;
        EXPECT_EQ(m.file, UploadFixture::fileBytes(r.paths[m.slot])) << m.slot;
    }
    EXPECT_EQ(back.triggerTable.steps[1], 3);
    EXPECT_EQ(back.triggerTable.steps[2], 1);
    EXPECT_EQ(back.triggerTable.steps[5], 4);
    EXPECT_TRUE(back.triggerTable.zones[6]);
    EXPECT_TRUE(back.triggerTable.zones[8]);
    EXPECT_TRUE(back.damagedSlots().empty());
    // Only as far as each check word: 1045 bytes take 9 reads, 2400 bytes 19, 900 bytes 8, plus the tables.
    EXPECT_EQ(r.readBack().reads(), 2 + 9 + 19 + 8);
    EXPECT_FALSE(r.test.serial.portOpen());
    EXPECT_TRUE(r.mdi.enabled());
}

TEST(UnitReadBackTest, oneWordChangedInTheUnit_isABadCheckWordForItsSlotAlone) {
    ReadBack r;
    r.uploadSet();
    const auto start = static_cast<std::uint32_t>(r.tableAddress(3));
    r.unit().setWord(start + 300, static_cast<std::uint16_t>(r.unit().word(start + 300) ^ 0x0101));
    ASSERT_TRUE(r.readBack().read().succeeded());
    const UnitContents& back = r.readBack().contents();
    EXPECT_EQ(back.damagedSlots(), std::vector<int>{3});
    EXPECT_EQ(back.messages[0].file, UploadFixture::fileBytes(r.paths[1]));
    EXPECT_EQ(back.messages[2].file, UploadFixture::fileBytes(r.paths[4]));
}

TEST(UnitReadBackTest, unitThatRefusesReadsBelowItsTables_failsAtTheFirstMessageAfterOneRepeat) {
    ReadBack r;
    r.uploadSet();
    Bytes memory = r.unit().memory();
    UnitFaults faults;
    faults.refuseDataReads = true;
    r.replaceUnit(faults);
    for (std::uint32_t w = 0; w < memory.size() / 2; ++w)
        r.unit().setWord(w, static_cast<std::uint16_t>(memory[2 * w] << 8 | memory[2 * w + 1]));
    const ReadBackOutcome outcome = r.readBack().read();
    EXPECT_EQ(outcome.result, ReadBackOutcome::Result::Failed);
    EXPECT_EQ(outcome.failedStep, ReadBackOutcome::Step::Message);
    EXPECT_EQ(outcome.slot, 1);
    EXPECT_EQ(outcome.link.kind, LinkOutcome::Kind::Refused);
    EXPECT_TRUE(r.readBack().contents().messages.empty());
    EXPECT_EQ(r.readBack().reads(), 2 + 2);
}

TEST(UnitReadBackTest, outcomes_ofAnErasedUnitARepeatedReadAndASilentUnit) {
    struct Case {
        const char* what;
        UnitFaults faults;
        ReadBackOutcome::Step step;
        LinkOutcome::Kind link;
        int reads;
    };
    UnitFaults nakFirstRead;
    nakFirstRead.nakCommands = {'R'};
    const std::vector<Case> cases = {
        {"erased unit", {}, ReadBackOutcome::Step::NoSet, LinkOutcome::Kind::Success, 2},
        {"first read refused once", nakFirstRead, ReadBackOutcome::Step::NoSet, LinkOutcome::Kind::Success, 3},
        {"silent unit", UploadFixture::silentAfter(0), ReadBackOutcome::Step::Tables, LinkOutcome::Kind::NoAnswer, 2},
    };
    for (const Case& c : cases) {
        ReadBack r(c.faults);
        const ReadBackOutcome outcome = r.readBack().read();
        EXPECT_EQ(outcome.failedStep, c.step) << c.what;
        EXPECT_EQ(outcome.link.kind, c.link) << c.what;
        EXPECT_EQ(r.readBack().reads(), c.reads) << c.what;
        EXPECT_TRUE(r.mdi.enabled()) << c.what;
    }
}

}  // namespace
