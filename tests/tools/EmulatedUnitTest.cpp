// The emulated unit: what it stores and answers for data frames, table blocks, read-back and injected faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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
    EmulatedUnit unit;
    unit.receive(kW);
    Bytes bad = emptyMessageTable();
    bad[127] = 0xD7;
    EXPECT_EQ(unit.receive(tableFrame(bad)), kNakW);
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
    Bytes second = corruptUnit.receive(kW);
    ASSERT_EQ(second.size(), kAckW.size());
    EXPECT_NE(second, kAckW);
    EXPECT_EQ(second[11], kAckW[11] == '0' ? '1' : '0');

    UnitFaults silent;
    silent.silentAfter = 1;
    EmulatedUnit silentUnit(silent);
    EXPECT_EQ(silentUnit.receive(kW), kAckW);
    EXPECT_TRUE(silentUnit.receive(kW).empty());
    EXPECT_EQ(silentUnit.framesReceived(), 2);
}

}  // namespace
