// The frame codec against frames written from the link's rules: building, reading a reply a byte at a time, and
// the order of the reply checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "unitlink/FrameCodec.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Step = FrameCodec::Reader::Step;

// "P" from the PC (64) to the unit (55) and the unit's ACK to it.
const Bytes kP = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x30, 0x00, 0x00, 0x36, 0x33, 0x0D, 0x0A};
const Bytes kAckToP = {0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x30, 0x00, 0x01, 0x06, 0x36, 0x41, 0x0D, 0x0A};

/// Feeds `bytes`; the step after the last one.
Step feedAll(FrameCodec::Reader& reader, const Bytes& bytes) {
    Step step = Step::Hunting;
    for (std::uint8_t b : bytes)
        step = reader.feed(b);
    return step;
}

TEST(FrameCodec, commandFrames_areTheRulesBytes) {
    EXPECT_EQ(FrameCodec::commandFrame(0x64, 0x55, 'P', nullptr, 0), kP);
    // "E" with 3F F1 00: 0xFE + 0x34 + 0x35 + 0x03 + 0x3F + 0xF1 = 0x29A -> "9A".
    const Bytes address = {0x3F, 0xF1, 0x00};
    EXPECT_EQ(FrameCodec::commandFrame(0x64, 0x55, 'E', address.data(), 3),
              (Bytes{0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x35, 0x00, 0x03, 0x3F, 0xF1, 0x00, 0x39, 0x41, 0x0D, 0x0A}));
}

TEST(FrameCodec, dataAndEndFrames_areTheRulesBytes) {
    // The 4-byte file 01 02 03 04 at word 0: its check word FB F7, then 344 bytes FF; checksum "30".
    Bytes data = {0x01, 0x02, 0x03, 0x04, 0xFB, 0xF7};
    data.resize(350, 0xFF);
    Bytes expected = {0x2A, 0x01, 0x61, 0x00, 0x00, 0x00};
    expected.insert(expected.end(), data.begin(), data.end());
    expected.insert(expected.end(), {0x33, 0x30, 0x0D, 0x0A});
    EXPECT_EQ(FrameCodec::dataFrame(0, data.data(), data.size()), expected);
    EXPECT_EQ(FrameCodec::endFrame(), (Bytes{0x2A, 0x00, 0x00, 0x32, 0x41, 0x0D, 0x0A}));
}

TEST(FrameCodec, reader_skipsNoiseAndReadsTheAckWhole) {
    FrameCodec::Reader reader(1200);
    EXPECT_EQ(feedAll(reader, {0x00, 0xFF, 0x0D, 0x0A}), Step::Hunting);
    EXPECT_EQ(reader.feed(0x2A), Step::Started);
    EXPECT_EQ(feedAll(reader, Bytes(kAckToP.begin() + 1, kAckToP.end() - 1)), Step::Reading);
    EXPECT_EQ(reader.feed(0x0A), Step::Complete);
    const FrameCodec::Frame frame = reader.frame();
    EXPECT_EQ(frame.header.sender, 0x55);
    EXPECT_EQ(frame.header.receiver, 0x64);
    EXPECT_EQ(frame.header.command, 'P');
    EXPECT_EQ(frame.payload, Bytes{0x06});
    EXPECT_EQ(FrameCodec::check(frame, 0x55, 0x64, 'P'), FrameCodec::Fault::None);
}

TEST(FrameCodec, replyChecks_reportTheFirstFaultInTheirOrder) {
    struct Case {
        std::size_t index;
        std::uint8_t value;
        FrameCodec::Fault fault;
    };
    // A lowercase checksum digit reads as 0, so the sum differs; CR and LF replaced; then "56" as sender and "51"
    // as command, each with its checksum made right (6B).
    for (Case c : {Case{11, 'a', FrameCodec::Fault::Checksum}, Case{12, 0x0C, FrameCodec::Fault::Cr},
                   Case{13, 0x0B, FrameCodec::Fault::Lf}}) {
        Bytes reply = kAckToP;
        reply[c.index] = c.value;
        FrameCodec::Reader reader(1200);
        ASSERT_EQ(feedAll(reader, reply), Step::Complete);
        EXPECT_EQ(FrameCodec::check(reader.frame(), 0x55, 0x64, 'P'), c.fault) << c.index;
    }
    for (auto [reply, fault] :
         {std::pair{Bytes{0x2A, 0x35, 0x36, 0x36, 0x34, 0x35, 0x30, 0x00, 0x01, 0x06, 0x36, 0x42, 0x0D, 0x0A},
                    FrameCodec::Fault::Address},
          std::pair{Bytes{0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x31, 0x00, 0x01, 0x06, 0x36, 0x42, 0x0D, 0x0A},
                    FrameCodec::Fault::Command}}) {
        FrameCodec::Reader reader(1200);
        ASSERT_EQ(feedAll(reader, reply), Step::Complete);
        EXPECT_EQ(FrameCodec::check(reader.frame(), 0x55, 0x64, 'P'), fault);
    }
}

TEST(FrameCodec, lengthBeyondTheLimit_isTooLongOnceTheHeaderIsIn) {
    FrameCodec::Reader reader(1200);
    EXPECT_EQ(feedAll(reader, {0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x32, 0x04}), Step::Reading);
    EXPECT_EQ(reader.feed(0xB1), Step::TooLong);
    EXPECT_EQ(reader.header()->payloadLength, 1201u);
}

TEST(FrameCodec, readHeader_tellsCommandFromDataFramesAndWaitsForTheWholeHeader) {
    EXPECT_FALSE(FrameCodec::readHeader(kP.data(), 8));
    const auto command = FrameCodec::readHeader(kP.data(), kP.size());
    ASSERT_TRUE(command);
    EXPECT_TRUE(command->isCommand);
    EXPECT_EQ(command->frameSize(), kP.size());
    const Bytes end = {0x2A, 0x00, 0x00, 0x32, 0x41, 0x0D, 0x0A};
    const auto data = FrameCodec::readHeader(end.data(), end.size());
    ASSERT_TRUE(data);
    EXPECT_FALSE(data->isCommand);
    EXPECT_EQ(data->frameSize(), 7u);
    const FrameCodec::Trailer trailer = FrameCodec::readTrailer(end.data(), *data);
    EXPECT_EQ(trailer.received, 0x2A);
    EXPECT_EQ(trailer.computed, 0x2A);
    EXPECT_TRUE(trailer.lineEnd());
}

}  // namespace
