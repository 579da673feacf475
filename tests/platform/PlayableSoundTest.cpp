// The sound a player hands to the output: the format and data chunks found by walking a WAVE file's chunks.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/PlayableSound.h"
#include "support/TestPlatform.h"

TEST(PlayableSound, chunksAreWalkedToTheFormatAndTheData) {
    // 16-bit mono at 8000 Hz: "fmt " with 16 bytes.
    const std::string fmt = std::string("fmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0", 24);
    struct Case {
        const char* what;
        std::string chunks;
        std::size_t bytes;  // of sound found; 0 for none
    };
    const Case cases[] = {
        {"canonical", fmt + std::string("data\x04\0\0\0\x01\x02\x03\x04", 12), 4},
        {"an odd chunk and its pad byte before the data",
         fmt + std::string("LIST\x03\0\0\0abc\0", 12) + std::string("data\x02\0\0\0\x05\x06", 10), 2},
        {"a data size past the end", fmt + std::string("data\xff\0\0\0\x01\x02\x03", 11), 3},
        {"data before any format", std::string("data\x02\0\0\0\x05\x06", 10) + fmt, 0},
        {"no data", fmt, 0},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.file("sound.wav");
        std::ofstream(path, std::ios::binary) << "RIFF" << std::string(4, '\0') << "WAVE" << c.chunks;
        const auto sound = PlayableSound::read(path);
        ASSERT_EQ(sound.has_value(), c.bytes > 0) << c.what;
        if (!sound)
            continue;
        EXPECT_EQ(sound->bytes.size(), c.bytes) << c.what;
        EXPECT_EQ(sound->formatTag, 1) << c.what;
        EXPECT_EQ(sound->channels, 1) << c.what;
        EXPECT_EQ(sound->rate, 8000u) << c.what;
        EXPECT_EQ(sound->byteRate, 16000u) << c.what;
        EXPECT_EQ(sound->blockAlign, 2) << c.what;
        EXPECT_EQ(sound->bits, 16) << c.what;
    }
    EXPECT_FALSE(PlayableSound::read(folder.file("none.wav")));
}
