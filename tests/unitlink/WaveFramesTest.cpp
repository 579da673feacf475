// The data frames of one message's wave stream: pad byte, check word placement, fill and repeats.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "unitlink/WaveFrames.h"

namespace {

std::vector<std::uint8_t> fileOf(int length) {
    std::vector<std::uint8_t> file(length);
    for (int i = 0; i < length; ++i)
        file[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return file;
}

/// The check word by its definition: 0xFFFF - sum of (w + 1) over the big-endian words before it.
std::uint16_t checkWordOf(std::vector<std::uint8_t> padded) {
    std::uint32_t b = 0;
    for (std::size_t i = 0; i < padded.size(); i += 2)
        b += padded[i] * 256u + padded[i + 1] + 1;
    return static_cast<std::uint16_t>(0xFFFF - (b & 0xFFFF));
}

std::vector<std::uint8_t> joined(const std::vector<WaveFrames::Frame>& frames) {
    std::vector<std::uint8_t> all;
    for (const auto& f : frames)
        all.insert(all.end(), f.begin(), f.end());
    return all;
}

/// File, pad, check word, 0xFF to `total` bytes.
std::vector<std::uint8_t> expectedStream(const std::vector<std::uint8_t>& file, std::size_t total) {
    std::vector<std::uint8_t> stream = file;
    if (stream.size() % 2)
        stream.push_back(0xFF);
    std::uint16_t check = checkWordOf(stream);
    stream.push_back(static_cast<std::uint8_t>(check >> 8));
    stream.push_back(static_cast<std::uint8_t>(check));
    stream.resize(total, 0xFF);
    return stream;
}

}  // namespace

TEST(WaveFrames, fourByteFile_isOneFrameWithCheckWordFBF7) {
    auto frames = WaveFrames::all({1, 2, 3, 4});
    ASSERT_EQ(frames.size(), 1u);
    std::vector<std::uint8_t> expected = {1, 2, 3, 4, 0xFB, 0xF7};
    expected.resize(350, 0xFF);
    EXPECT_EQ(joined(frames), expected);
}

TEST(WaveFrames, thousandBytes_areThreeFramesWithCheckWordAfterTheData) {
    auto file = fileOf(1000);
    auto frames = WaveFrames::all(file);
    ASSERT_EQ(frames.size(), 3u);
    auto stream = joined(frames);
    EXPECT_EQ(stream, expectedStream(file, 1050));
    EXPECT_EQ(std::vector<std::uint8_t>(stream.begin() + 1002, stream.end()), std::vector<std::uint8_t>(48, 0xFF));
}

TEST(WaveFrames, sevenHundredBytes_putTheCheckWordAtTheStartOfAThirdFrame) {
    auto file = fileOf(700);
    auto frames = WaveFrames::all(file);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(joined(frames), expectedStream(file, 1050));
    std::uint16_t check = checkWordOf(file);
    EXPECT_EQ(frames[2][0], check >> 8);
    EXPECT_EQ(frames[2][1], check & 0xFF);
}

TEST(WaveFrames, sixHundredNinetyNineBytes_padTheLastWordThenOpenAThirdFrame) {
    auto file = fileOf(699);
    auto frames = WaveFrames::all(file);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1][349], 0xFF);
    auto padded = file;
    padded.push_back(0xFF);
    std::uint16_t check = checkWordOf(padded);
    EXPECT_EQ(frames[2][0], check >> 8);
    EXPECT_EQ(frames[2][1], check & 0xFF);
    EXPECT_EQ(joined(frames), expectedStream(file, 1050));
}

TEST(WaveFrames, streamOfAnyLength_sumsToAMultipleOf65536) {
    for (int length : {0, 1, 2, 347, 348, 349, 350, 351, 697, 1001}) {
        auto frames = WaveFrames::all(fileOf(length));
        auto stream = joined(frames);
        std::uint32_t sum = 0;
        std::size_t words = (length + 1) / 2 + 1;
        for (std::size_t w = 0; w < words; ++w)
            sum += stream[2 * w] * 256u + stream[2 * w + 1] + 1;
        EXPECT_EQ(sum % 65536, 0u) << length;
        EXPECT_EQ(stream.size() % 350, 0u);
        EXPECT_GE(stream.size(), words * 2) << length;
        EXPECT_LT(stream.size(), words * 2 + 350) << length;
    }
}

TEST(WaveFrames, repeat_sendsTheSameFrameAgain) {
    auto file = fileOf(700);
    WaveFrames frames(file);
    auto first = frames.next();
    frames.repeat();
    EXPECT_EQ(frames.next(), first);
    auto second = frames.next();
    auto third = frames.next();
    ASSERT_TRUE(frames.placed());
    frames.repeat();
    EXPECT_FALSE(frames.placed());
    EXPECT_EQ(frames.next(), third);
    EXPECT_TRUE(frames.placed());
    EXPECT_EQ(joined({first, second, third}), expectedStream(file, 1050));
}

TEST(WaveFrames, endEarly_putsCheckWordOverAllWordsSoFarInTheNextFrame) {
    auto file = fileOf(1000);
    WaveFrames frames(file);
    auto first = frames.next();
    auto second = frames.next();
    frames.endEarly();
    auto closing = frames.next();
    EXPECT_TRUE(frames.placed());
    // B is not put back: it counts the words of both frames that went out.
    std::uint16_t check = checkWordOf(joined({first, second}));
    EXPECT_EQ(closing[0], check >> 8);
    EXPECT_EQ(closing[1], check & 0xFF);
    EXPECT_EQ(std::vector<std::uint8_t>(closing.begin() + 2, closing.end()), std::vector<std::uint8_t>(348, 0xFF));
}
