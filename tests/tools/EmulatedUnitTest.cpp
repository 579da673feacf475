// The emulated unit: what it stores and answers, every frame it refuses as a unit built to the protocol would,
// and the faults it makes on purpose.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "EmulatedUnit.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// "W" to the unit: "*", "64", "55", "57", 00 00, checksum 0x16A -> "6A".
const Bytes kW = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x37, 0x00, 0x00, 0x36, 0x41, 0x0D, 0x0A};
// The unit's ACK with command "W": payload 06, checksum 0x171 -> "71"; its NAK: payload 15, checksum 0x180.
const Bytes kAckW = {0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x37, 0x00, 0x01, 0x06, 0x37, 0x31, 0x0D, 0x0A};
const Bytes kNakW = {0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x37, 0x00, 0x01, 0x15, 0x38, 0x30, 0x0D, 0x0A};
const Bytes kEndFrame = {0x2A, 0x00, 0x00, 0x32, 0x41, 0x0D, 0x0A};

/// The 4-byte file 01 02 03 04 at word 0: its data, check word FB F7, 344 bytes 0xFF, checksum "30".
Bytes fourByteFileFrame() {
    Bytes frame = {0x2A, 0x01, 0x61, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0xFB, 0xF7};
    frame.insert(frame.end(), 344, 0xFF);
    frame.insert(frame.end(), {0x33, 0x30, 0x0D, 0x0A});
    return frame;
}

/// Appends the checksum (sum of every byte so far, modulo 256, as two uppercase hex digits) and CR LF.
Bytes closed(Bytes frame) {
    std::uint8_t sum = 0;
    for (std::uint8_t b : frame)
        sum = static_cast<std::uint8_t>(sum + b);
    const char* digits = "0123456789ABCDEF";
    frame.insert(frame.end(), {static_cast<std::uint8_t>(digits[sum >> 4]), static_cast<std::uint8_t>(digits[sum & 15]),
                               0x0D, 0x0A});
    return frame;
}

/// The message table of an empty set: twelve FF FF FF FF, end address 0, no messages, check word FF D8.
Bytes emptyMessageTable() {
    Bytes block(48, 0xFF);
    block.resize(126, 0x00);
    block.insert(block.end(), {0xFF, 0xD8});
    return block;
}

Bytes tableFrame(const Bytes& block) {
    Bytes frame = {0x2A, 0x00, 0x83, 0x3F, 0xF0, 0x00};
    frame.insert(frame.end(), block.begin(), block.end());
    return closed(frame);
}

TEST(EmulatedUnit, waveFrameAndEndFrame_areStoredAndAcknowledged) {
    EmulatedUnit unit;
    EXPECT_EQ(unit.receive(kW), kAckW);
    EXPECT_EQ(unit.receive(fourByteFileFrame()), kAckW);
    EXPECT_EQ(unit.receive(kEndFrame), kAckW);
    EXPECT_EQ(unit.word(0), 0x0102);
    EXPECT_EQ(unit.word(1), 0x0304);
    EXPECT_EQ(unit.word(2), 0xFBF7);
    EXPECT_EQ(unit.word(3), 0xFFFF);
}

TEST(EmulatedUnit, frameSplitOverManyWrites_isStillOneFrame) {
    EmulatedUnit unit;
    unit.receive(kW);
    Bytes frame = fourByteFileFrame();
    Bytes answers;
    for (std::uint8_t b : frame) {
        Bytes part = unit.receive(Bytes{b});
        answers.insert(answers.end(), part.begin(), part.end());
    }
    EXPECT_EQ(answers, kAckW);
}

TEST(EmulatedUnit, wrongMessageCheckWord_isRefusedAtTheEndFrame) {
    EmulatedUnit unit;
    unit.receive(kW);
    Bytes frame = fourByteFileFrame();
    frame[11] = 0xF6;
    frame[356] = 0x32;  // frame checksum one less: "2F"
    frame[357] = 0x46;
    EXPECT_EQ(unit.receive(frame), kAckW);
    EXPECT_EQ(unit.receive(kEndFrame), kNakW);
}

TEST(EmulatedUnit, wrongFrameChecksum_isRefused) {
    EmulatedUnit unit;
    unit.receive(kW);
    Bytes frame = fourByteFileFrame();
    frame[357] = 0x31;
    EXPECT_EQ(unit.receive(frame), kNakW);
    EXPECT_EQ(unit.word(0), 0xFFFF);
}

TEST(EmulatedUnit, dataFrameWithoutW_isRefused) {
    EmulatedUnit unit;
    EXPECT_EQ(unit.receive(fourByteFileFrame()), kNakW);
}

TEST(EmulatedUnit, tableBlock_isStoredWhenItsCheckWordHoldsAndReadBack) {
    EmulatedUnit refusing;
    refusing.receive(kW);
    Bytes bad = emptyMessageTable();
    bad[127] = 0xD7;
    EXPECT_EQ(refusing.receive(tableFrame(bad)), kNakW);

    EmulatedUnit unit;
    unit.receive(kW);
    EXPECT_EQ(unit.receive(tableFrame(emptyMessageTable())), kAckW);

    // "R" with 3F F0 00, answered from 0x55 with command "R" and the 128 bytes.
    Bytes read = unit.receive(closed({0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x32, 0x00, 0x03, 0x3F, 0xF0, 0x00}));
    Bytes expected = {0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x32, 0x00, 0x80};
    Bytes block = emptyMessageTable();
    expected.insert(expected.end(), block.begin(), block.end());
    EXPECT_EQ(read, closed(expected));
}

TEST(EmulatedUnit, writeOverUnerasedData_isRefused) {
    EmulatedUnit unit;
    unit.setWord(1, 0x0000);
    unit.receive(kW);
    EXPECT_EQ(unit.receive(fourByteFileFrame()), kNakW);
}

TEST(EmulatedUnit, injectedFaults_changeTheReplies) {
    UnitFaults noisy;
    noisy.noiseBytes = 3;
    EmulatedUnit noisyUnit(noisy);
    Bytes reply = noisyUnit.receive(kW);
    ASSERT_EQ(reply.size(), kAckW.size() + 3);
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.end()), kAckW);
    EXPECT_EQ(std::count(reply.begin(), reply.begin() + 3, 0x2A), 0);

    UnitFaults corrupt;
    corrupt.corruptFrames = {2};
    EmulatedUnit corruptUnit(corrupt);
    EXPECT_EQ(corruptUnit.receive(kW), kAckW);
    Bytes second = corruptUnit.receive(kEndFrame);
    ASSERT_EQ(second.size(), kAckW.size());
    EXPECT_NE(second, kAckW);
    EXPECT_EQ(second[11], kAckW[11] == '0' ? '1' : '0');

    UnitFaults silent;
    silent.silentAfter = 1;
    EmulatedUnit silentUnit(silent);
    EXPECT_EQ(silentUnit.receive(kW), kAckW);
    EXPECT_TRUE(silentUnit.receive(kEndFrame).empty());
    EXPECT_EQ(silentUnit.framesReceived(), 2);

    UnitFaults garbage;
    garbage.garbageBytes = 40;
    EmulatedUnit garbageUnit(garbage);
    reply = garbageUnit.receive(kW);
    ASSERT_EQ(reply.size(), kAckW.size() + 40);
    EXPECT_EQ(Bytes(reply.begin() + 40, reply.end()), kAckW);
    EXPECT_EQ(std::count(reply.begin(), reply.begin() + 40, 0x2A), 0);
}

// --- Frames written by hand from the protocol's rules ---

Bytes hexPair(std::uint8_t value) {
    const char* digits = "0123456789ABCDEF";
    return {static_cast<std::uint8_t>(digits[value >> 4]), static_cast<std::uint8_t>(digits[value & 15])};
}

/// A command frame from the PC (64) to the unit (55): "*", sender, receiver, command, length, payload.
Bytes command(char letter, const Bytes& payload = {}, std::uint8_t sender = 0x64, std::uint8_t receiver = 0x55) {
    Bytes frame = {0x2A};
    for (std::uint8_t field : {sender, receiver, static_cast<std::uint8_t>(letter)}) {
        Bytes pair = hexPair(field);
        frame.insert(frame.end(), pair.begin(), pair.end());
    }
    frame.push_back(static_cast<std::uint8_t>(payload.size() >> 8));
    frame.push_back(static_cast<std::uint8_t>(payload.size()));
    frame.insert(frame.end(), payload.begin(), payload.end());
    return closed(frame);
}

Bytes unitReply(char letter, std::uint8_t code) {
    Bytes frame = {0x2A, 0x35, 0x35, 0x36, 0x34};
    Bytes pair = hexPair(static_cast<std::uint8_t>(letter));
    frame.insert(frame.end(), pair.begin(), pair.end());
    frame.insert(frame.end(), {0x00, 0x01, code});
    return closed(frame);
}
Bytes ackOf(char letter) {
    return unitReply(letter, 6);
}
Bytes nakOf(char letter) {
    return unitReply(letter, 21);
}

Bytes dataFrame(std::uint32_t address, const Bytes& data) {
    const std::size_t length = 3 + data.size();
    Bytes frame = {0x2A,
                   static_cast<std::uint8_t>(length >> 8),
                   static_cast<std::uint8_t>(length),
                   static_cast<std::uint8_t>(address >> 16),
                   static_cast<std::uint8_t>(address >> 8),
                   static_cast<std::uint8_t>(address)};
    frame.insert(frame.end(), data.begin(), data.end());
    return closed(frame);
}

/// The 350 data bytes of a one-frame message: the file, `pad` after an odd file, the check word that makes
/// the sum of (w + 1) over the words so far a multiple of 65536, then `fill`.
Bytes oneFrameMessage(const Bytes& file, std::uint8_t pad = 0xFF, Bytes fill = {}) {
    Bytes data = file;
    if (data.size() % 2)
        data.push_back(pad);
    std::uint32_t b = 0;
    for (std::size_t i = 0; i < data.size(); i += 2)
        b += data[i] * 256u + data[i + 1] + 1;
    const std::uint16_t check = static_cast<std::uint16_t>(0xFFFF - (b & 0xFFFF));
    data.push_back(static_cast<std::uint8_t>(check >> 8));
    data.push_back(static_cast<std::uint8_t>(check));
    data.insert(data.end(), fill.begin(), fill.end());
    data.resize(350, 0xFF);
    return data;
}

/// A 13-byte file whose RIFF header gives its length: "RIFF", 5 (13 - 8), five bytes.
const Bytes kOddRiff = {'R', 'I', 'F', 'F', 5, 0, 0, 0, 'W', 'A', 'V', 'E', 0x11};

bool logSays(const EmulatedUnit& unit, const std::string& text) {
    return !unit.log().empty() && unit.log().back().find(text) != std::string::npos;
}

TEST(StrictUnit, commandWithAnotherPayloadLengthThanItsOwn_isRefused) {
    EmulatedUnit unit;
    // "P" carrying the 06 of an earlier reply, "W" the 128 bytes of a table read back, "E" without address.
    EXPECT_EQ(unit.receive(command('P', {6})), nakOf('P'));
    EXPECT_TRUE(logSays(unit, "payload length 1, the command carries 0: NAK"));
    EXPECT_EQ(unit.receive(command('W', Bytes(128, 0))), nakOf('W'));
    EXPECT_EQ(unit.receive(command('L', {6})), nakOf('L'));
    EXPECT_EQ(unit.receive(command('E')), nakOf('E'));
    EXPECT_EQ(unit.receive(command('R', {0x3F, 0xF0})), nakOf('R'));
    EXPECT_EQ(unit.receive(command('T')), nakOf('T'));
    EXPECT_EQ(unit.refusals(), 6);
    EXPECT_EQ(unit.receive(command('P')), ackOf('P'));
    EXPECT_EQ(unit.receive(command('T', {0, 0, 0})), ackOf('T'));
}

TEST(StrictUnit, wrongSenderReceiverChecksumOrEnd_isRefused) {
    EmulatedUnit unit;
    EXPECT_EQ(unit.receive(command('P', {}, 0x65)), nakOf('P'));
    EXPECT_TRUE(logSays(unit, "sender 65 is not the PC (64)"));
    EXPECT_EQ(unit.receive(command('P', {}, 0x64, 0x56)), nakOf('P'));
    EXPECT_TRUE(logSays(unit, "receiver 56 is not this unit (55)"));
    Bytes badSum = command('P');
    badSum[10] = 0x34;
    EXPECT_EQ(unit.receive(badSum), nakOf('P'));
    EXPECT_TRUE(logSays(unit, "checksum 64"));
    Bytes noCrLf = command('P');
    noCrLf[11] = 0x0A;
    noCrLf[12] = 0x0D;
    EXPECT_EQ(unit.receive(noCrLf), nakOf('P'));
    EXPECT_TRUE(logSays(unit, "no CR LF"));
    EXPECT_EQ(unit.receive(command('Q')), nakOf('Q'));
    EXPECT_EQ(unit.commandCount('P'), 0);
}

TEST(StrictUnit, commandsThatEndOrStartAnUploadInsideAWriteSequence_areRefused) {
    EmulatedUnit unit;
    ASSERT_EQ(unit.receive(command('W')), ackOf('W'));
    EXPECT_EQ(unit.receive(command('P')), nakOf('P'));
    EXPECT_TRUE(logSays(unit, "inside an open write sequence"));
    EXPECT_EQ(unit.receive(command('L')), nakOf('L'));
    EXPECT_EQ(unit.receive(command('E', {0x3F, 0xF1, 0x00})), nakOf('E'));
    // "W" again: refused; reading is allowed.
    EXPECT_EQ(unit.receive(command('W')), nakOf('W'));
    EXPECT_EQ(unit.receive(command('R', {0x3F, 0xF0, 0x00})).size(), 9u + 128u + 4u);
    EXPECT_EQ(unit.receive(kEndFrame), kAckW);
    EXPECT_EQ(unit.receive(command('L')), ackOf('L'));
}

TEST(StrictUnit, waveDataOnlyAtTheNextAddressAndOf350Bytes) {
    const Bytes message = oneFrameMessage({1, 2, 3, 4});
    auto openSequence = [](EmulatedUnit& unit) {
        unit.receive(command('P'));
        unit.receive(command('W'));
    };
    EmulatedUnit skipping;
    openSequence(skipping);
    EXPECT_EQ(skipping.receive(dataFrame(175, message)), kNakW);
    EXPECT_TRUE(logSays(skipping, "the next wave data goes to 000000"));
    EmulatedUnit shortFrame;
    openSequence(shortFrame);
    EXPECT_EQ(shortFrame.receive(dataFrame(0, Bytes(message.begin(), message.end() - 2))), kNakW);
    EXPECT_TRUE(logSays(shortFrame, "carries 350 bytes, not 348"));

    EmulatedUnit unit;
    openSequence(unit);
    EXPECT_EQ(unit.receive(dataFrame(0, message)), kAckW);
    EXPECT_EQ(unit.receive(kEndFrame), kAckW);
    // The next message goes on from the last: 175, not 0 again.
    unit.receive(command('W'));
    EXPECT_EQ(unit.receive(dataFrame(0, message)), kNakW);
    EXPECT_EQ(unit.receive(dataFrame(175, message)), kAckW);
    EXPECT_EQ(unit.receive(kEndFrame), kAckW);
    // "P" starts the next upload at word 0.
    unit.receive(command('E', {0x1F, 0xFF, 0xFF}));
    openSequence(unit);
    EXPECT_EQ(unit.receive(dataFrame(0, message)), kAckW);
}

TEST(StrictUnit, frameRefusedOnPurpose_isTakenAgainAtTheSameAddressOnlyByteForByte) {
    UnitFaults faults;
    faults.nakFrames = {3};
    EmulatedUnit unit(faults);
    unit.receive(command('P'));
    unit.receive(command('W'));
    const Bytes message = oneFrameMessage({1, 2, 3, 4});
    EXPECT_EQ(unit.receive(dataFrame(0, message)), kNakW);
    Bytes other = message;
    other[0] = 9;
    EXPECT_EQ(unit.receive(dataFrame(0, other)), kNakW);
    EXPECT_TRUE(logSays(unit, "sent again after a NAK, but not the same bytes"));
    EXPECT_EQ(unit.receive(dataFrame(0, other)), kNakW);
    EXPECT_EQ(unit.word(0), 0xFFFF);
    EXPECT_EQ(unit.receive(dataFrame(0, message)), kAckW);
    EXPECT_EQ(unit.word(0), 0x0102);

    UnitFaults onE;
    onE.nakCommands = {'E'};
    EmulatedUnit eraser(onE);
    EXPECT_EQ(eraser.receive(command('E', {0x3F, 0xF1, 0x00})), nakOf('E'));
    EXPECT_EQ(eraser.receive(command('E')), nakOf('E'));
    EXPECT_EQ(eraser.receive(command('E', {0x3F, 0xF1, 0x01})), nakOf('E'));
    EXPECT_EQ(eraser.receive(command('E', {0x3F, 0xF1, 0x00}))[9], 6);
    EXPECT_EQ(eraser.commandCount('E'), 1);
}

TEST(StrictUnit, waveDataReachingTheTables_isRefused) {
    EmulatedUnit unit;
    unit.receive(command('P'));
    unit.receive(command('W'));
    const Bytes data(350, 0x00);
    // 23,944 frames fill the words below 0x3FEFF8; the next would run into the message table.
    std::uint32_t address = 0;
    for (; address + 175 <= 0x3FF000; address += 175)
        ASSERT_EQ(unit.receive(dataFrame(address, data)), kAckW) << address;
    EXPECT_EQ(address, 23944u * 175u);
    EXPECT_EQ(unit.receive(dataFrame(address, data)), kNakW);
    EXPECT_TRUE(logSays(unit, "reaches the table area"));
}

TEST(StrictUnit, tableFrames_onlyWholeWellFormedBlocksAtTheTwoTableAddresses) {
    auto refusedWith = [](std::uint32_t address, const Bytes& block, const std::string& why) {
        EmulatedUnit unit;
        unit.receive(command('W'));
        Bytes frame = {0x2A,
                       0x00,
                       static_cast<std::uint8_t>(3 + block.size()),
                       static_cast<std::uint8_t>(address >> 16),
                       static_cast<std::uint8_t>(address >> 8),
                       static_cast<std::uint8_t>(address)};
        frame.insert(frame.end(), block.begin(), block.end());
        EXPECT_EQ(unit.receive(closed(frame)), kNakW) << why;
        EXPECT_TRUE(logSays(unit, why)) << unit.log().back();
    };
    refusedWith(0x3FF080, emptyMessageTable(), "no table starts at 3FF080");
    const Bytes empty = emptyMessageTable();
    refusedWith(0x3FF000, Bytes(empty.begin(), empty.end() - 2), "128 bytes, not 126");
    // Entry 1 without its 00 byte: 01 00 00 00. The words FFFF FFFF become 0100 0000, 0x102 more (modulo
    // 65536), so the check word is 0x102 less: FE D6.
    Bytes entry = emptyMessageTable();
    entry[0] = 0x01;
    entry[1] = 0x00;
    entry[2] = 0x00;
    entry[3] = 0x00;
    entry[126] = 0xFE;
    entry[127] = 0xD6;
    refusedWith(0x3FF000, entry, "entry 1 is malformed");
    // A count of 1 with no entry: 00 01 in bytes 52 and 53, the check word one less.
    Bytes count = emptyMessageTable();
    count[53] = 1;
    count[127] = 0xD7;
    refusedWith(0x3FF000, count, "the message count 1 does not match 0 entries");
    // Trigger 1 playing message 13: 00 0D, the check word 13 less than FF C0.
    Bytes triggers(128, 0);
    triggers[1] = 13;
    triggers[126] = 0xFF;
    triggers[127] = 0xB3;
    refusedWith(0x3FF100, triggers, "trigger record 1 is malformed");
    triggers[1] = 12;
    triggers[127] = 0xB4;
    EmulatedUnit unit;
    unit.receive(command('W'));
    Bytes good = {0x2A, 0x00, 0x83, 0x3F, 0xF1, 0x00};
    good.insert(good.end(), triggers.begin(), triggers.end());
    EXPECT_EQ(unit.receive(closed(good)), kAckW);
}

TEST(StrictUnit, tableOverATableNotErased_isRefused_theSameBytesAgainAreTaken) {
    EmulatedUnit unit;
    unit.receive(command('W'));
    ASSERT_EQ(unit.receive(tableFrame(emptyMessageTable())), kAckW);
    EXPECT_EQ(unit.receive(tableFrame(emptyMessageTable())), kAckW);
    // The end address 175 in place of 0: 00 00 00 AF, the check word 0xAF less.
    Bytes other = emptyMessageTable();
    other[51] = 0xAF;
    other[127] = 0x29;
    EXPECT_EQ(unit.receive(tableFrame(other)), kNakW);
    EXPECT_TRUE(logSays(unit, "the memory there is not erased"));
}

TEST(StrictUnit, endFrame_refusesAMessageThatDoesNotCloseAsItMust) {
    auto endVerdict = [](const Bytes& data) {
        EmulatedUnit unit;
        unit.receive(command('P'));
        unit.receive(command('W'));
        EXPECT_EQ(unit.receive(dataFrame(0, data)), kAckW);
        Bytes verdict = unit.receive(kEndFrame);
        // The end frame closes the sequence whatever its verdict.
        EXPECT_EQ(unit.receive(command('W')), ackOf('W'));
        return std::make_pair(verdict, unit.log().size() >= 2 ? unit.log()[unit.log().size() - 2] : "");
    };
    EXPECT_EQ(endVerdict(oneFrameMessage(kOddRiff)).first, kAckW);

    Bytes noCheckWord = oneFrameMessage({1, 2, 3, 4});
    noCheckWord[4] = 0xFF;
    noCheckWord[5] = 0xFF;
    auto [verdict, line] = endVerdict(noCheckWord);
    EXPECT_EQ(verdict, kNakW);
    EXPECT_NE(line.find("does not close with its check word"), std::string::npos) << line;

    std::tie(verdict, line) = endVerdict(oneFrameMessage(kOddRiff, 0x00));
    EXPECT_EQ(verdict, kNakW);
    EXPECT_NE(line.find("not padded with FF"), std::string::npos) << line;

    // Fill words 0000 and FFFE: their (w + 1) sum to 65536, so only the fill itself is wrong.
    std::tie(verdict, line) = endVerdict(oneFrameMessage(kOddRiff, 0xFF, {0x00, 0x00, 0xFF, 0xFE}));
    EXPECT_EQ(verdict, kNakW);
    EXPECT_NE(line.find("fill after the check word is not FF"), std::string::npos) << line;
}

TEST(StrictUnit, frameArrivingWhileAnEraseStillSends_isRefused) {
    EmulatedUnit unit;
    Bytes erase = unit.receive(command('E', {0x3F, 0xF1, 0x00}));
    Bytes expected = ackOf('E');
    expected.insert(expected.end(), {'.', '.', 6});
    EXPECT_EQ(erase, expected);
    EXPECT_EQ(unit.receive(command('P'), true), nakOf('P'));
    EXPECT_TRUE(logSays(unit, "while the erase was still sending"));
    EXPECT_EQ(unit.receive(command('P')), ackOf('P'));
}

}  // namespace
