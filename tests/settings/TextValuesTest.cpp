// The one grammar of numbers and Booleans in the 8-bit files: whole values, the power of ten, Booleans.
#include <gtest/gtest.h>

#include <optional>

#include "settings/TextValues.h"

namespace {

using TextValues::Exponent;

TEST(TextValues, wholeValuesWithBlanksAround_powerOfTenOnlyWhereAllowed) {
    struct Case {
        const char* text;
        std::optional<double> plain, withPower;
    };
    const Case cases[] = {{" 42\t", 42, 42}, {"-1.5", -1.5, -1.5}, {"+.5", 0.5, 0.5}, {"7.", 7, 7},
                          {"1e3", {}, 1000}, {"2E-1", {}, 0.2},    {"1e", {}, {}},    {"1e999", {}, {}},
                          {".", {}, {}},     {"", {}, {}},         {"1.2.3", {}, {}}, {"12k", {}, {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(TextValues::number(c.text, Exponent::No), c.plain) << c.text;
        EXPECT_EQ(TextValues::number(c.text, Exponent::Allowed), c.withPower) << c.text;
    }
    EXPECT_EQ(TextValues::numberLength("-3e2x", Exponent::Allowed), 4u);
    EXPECT_EQ(TextValues::boolean(" tRUE ", Exponent::No), true);
    EXPECT_EQ(TextValues::boolean("1e0", Exponent::No), std::nullopt);
    EXPECT_EQ(TextValues::boolean("1e0", Exponent::Allowed), true);
    EXPECT_STREQ(TextValues::booleanText(false), "False");
    EXPECT_EQ(TextValues::roundHalfEven(-3.5), -4);
}

}  // namespace
