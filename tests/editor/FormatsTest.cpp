// The editor's number formats and the reading of numbers from captions.
#include "editor/Formats.h"

#include <gtest/gtest.h>

TEST(Formats, seconds_twoDecimalsAtLeastOneIntegerDigit) {
    EXPECT_EQ(Formats::seconds(0), "0.00");
    EXPECT_EQ(Formats::seconds(0.004), "0.00");
    EXPECT_EQ(Formats::seconds(1.005), "1.01");
    EXPECT_EQ(Formats::seconds(2.8), "2.80");
    EXPECT_EQ(Formats::seconds(99999.999), "100000.00");
    EXPECT_EQ(Formats::seconds(12345.678), "12345.68");
}

TEST(Formats, kilohertz_threeDecimals) {
    EXPECT_EQ(Formats::kilohertz(8.0), "8.000");
    EXPECT_EQ(Formats::kilohertz(22.05), "22.050");
    EXPECT_EQ(Formats::kilohertz(11.025), "11.025");
}

TEST(Formats, leadingNumber_readsWhatACaptionStartsWith) {
    EXPECT_EQ(Formats::leadingNumber("12k"), 12);
    EXPECT_EQ(Formats::leadingNumber(" 1.40"), 1.4);
    EXPECT_EQ(Formats::leadingNumber("abc"), 0);
    EXPECT_EQ(Formats::leadingNumber(""), 0);
    EXPECT_EQ(Formats::leadingNumber("-3"), -3);
    EXPECT_EQ(Formats::leadingNumber("."), 0);
}
