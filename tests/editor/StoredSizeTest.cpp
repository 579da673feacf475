// The stored size of a message: the 350-byte frames its upload fills.
#include <gtest/gtest.h>

#include "editor/StoredSize.h"

namespace {

// The frames the upload sends for a file of `length` bytes, walked word by word as the upload builds them:
// file bytes, then 0xFF to complete an odd length's last word, then the 2-byte check word in the first word
// after the file, the last frame filled up with 0xFF.
int framesSent(std::uint32_t length) {
    std::uint64_t p = 1;
    int placed = 0;
    int frames = 0;
    while (placed == 0) {
        ++frames;
        for (int word = 0; word < 175; ++word) {
            if (p > length && placed == 0)
                placed = 1;
            if (placed == 1 && p + 1 > length)
                placed = 2;
            p += 2;
        }
    }
    return frames;
}

TEST(StoredSize, lengthsAroundAFrame_countEveryFrameSent) {
    EXPECT_EQ(storedSize(348), 350);  // 348 + check word fill one frame exactly
    EXPECT_EQ(storedSize(349), 700);  // 349 + pad byte fill the frame; the check word needs another
    EXPECT_EQ(storedSize(350), 700);
    EXPECT_EQ(storedSize(698), 700);
    EXPECT_EQ(storedSize(699), 1050);
    EXPECT_EQ(storedSize(700), 1050);
}

TEST(StoredSize, ordinaryLengths_roundUpToTheNextFrame) {
    EXPECT_EQ(storedSize(0), 350);
    EXPECT_EQ(storedSize(44), 350);
    EXPECT_EQ(storedSize(32044), 32200);
    EXPECT_EQ(storedSize(35000), 35350);
    EXPECT_EQ(storedSize(179500), 179550);
    EXPECT_EQ(storedSize(179850), 179900);
}

TEST(StoredSize, everyLengthUpTo5000_matchesTheFramesTheUploadSends) {
    for (std::uint32_t length = 0; length <= 5000; ++length)
        ASSERT_EQ(storedSize(length), 350 * framesSent(length)) << length;
}

TEST(StoredSize, lengthsNotOneShortOfAFrame_equalWholeFileRoundedUpToTheNextFrame) {
    for (std::uint32_t length = 0; length <= 5000; ++length) {
        if (length % 350 == 349)
            continue;
        ASSERT_EQ(storedSize(length), static_cast<std::int32_t>((length / 350 + 1) * 350)) << length;
    }
}

TEST(StoredSize, longestFile_staysPositiveAndWhole) {
    std::int32_t size = storedSize(kMaxFileLength);
    EXPECT_GT(size, 0);
    EXPECT_EQ(size % 350, 0);
    EXPECT_GE(static_cast<std::int64_t>(size), static_cast<std::int64_t>(kMaxFileLength));
    EXPECT_EQ(storedSize(0xFFFFFFFFu), size);
}

}  // namespace
