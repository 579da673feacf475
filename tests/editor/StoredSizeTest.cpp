// The stored size of a message: the 350-byte frames its upload fills.
#include <gtest/gtest.h>

#include "editor/StoredSize.h"

namespace {

TEST(StoredSize, lengths_takeTheFramesThatCarryTheFilePadAndCheckWord) {
    // The frames carry the file, one FF pad byte after an odd length, then the 2-byte check word:
    // frames = ceil((length + pad + 2) / 350), stored size = 350 x frames.
    struct Case {
        std::uint32_t length;
        std::int32_t stored;
    };
    const Case cases[] = {
        {0, 350},                          // 0 + 0 + 2 = 2: 1 frame
        {1, 350},                          // 1 + 1 + 2 = 4: 1 frame
        {44, 350},                         // 44 + 0 + 2 = 46: 1 frame
        {347, 350},                        // 347 + 1 + 2 = 350: 1 frame, full
        {348, 350},                        // 348 + 0 + 2 = 350: 1 frame, full
        {349, 700},                        // 349 + 1 + 2 = 352: the check word needs a 2nd frame
        {350, 700},                        // 350 + 0 + 2 = 352: 2 frames
        {351, 700},                        // 351 + 1 + 2 = 354: 2 frames
        {697, 700},                        // 697 + 1 + 2 = 700: 2 frames, full
        {698, 700},                        // 698 + 0 + 2 = 700: 2 frames, full
        {699, 1050},                       // 699 + 1 + 2 = 702: 3 frames
        {700, 1050},                       // 700 + 0 + 2 = 702: 3 frames
        {1048, 1050},                      // 1048 + 0 + 2 = 1050: 3 frames, full
        {1049, 1400},                      // 1049 + 1 + 2 = 1052: 4 frames
        {32044, 32200},                    // 32044 + 0 + 2 = 32046 = 91 x 350 + 196: 92 frames
        {35000, 35350},                    // 35000 + 0 + 2 = 35002 = 100 x 350 + 2: 101 frames
        {179500, 179550},                  // 179500 + 0 + 2 = 179502 = 512 x 350 + 302: 513 frames
        {179850, 179900},                  // 179850 + 0 + 2 = 179852 = 513 x 350 + 302: 514 frames
        {kMaxFileLength, 2147482750},      // 2147482597 + 1 + 2 = 2147482600 = 6135664 x 350 + 200: 6135665 frames
        {kMaxFileLength + 1, 2147482750},  // longer files count as the longest
        {0xFFFFFFFFu, 2147482750},
    };
    for (const Case& c : cases)
        EXPECT_EQ(storedSize(c.length), c.stored) << c.length;
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
