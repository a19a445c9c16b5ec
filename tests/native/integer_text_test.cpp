// The delay text: written as "%i" writes it, read as "%i" reads it.
#include "setup/integer_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {
// The value read from `text` into a field that held `before`.
int32_t Read(const char* text, int32_t before = 77) {
    int32_t value = before;
    ReadInteger(text, value);
    return value;
}
} // namespace

TEST(IntegerText, FormatsSignedDecimal) {
    EXPECT_EQ("3", FormatInteger(3));
    EXPECT_EQ("0", FormatInteger(0));
    EXPECT_EQ("-5", FormatInteger(-5));
    EXPECT_EQ("-2147483648", FormatInteger(std::numeric_limits<int32_t>::min()));
}

TEST(IntegerText, ReadsDecimalOctalAndHexadecimalAsPercentIDoes) {
    EXPECT_EQ(12, Read("12 abc"));
    EXPECT_EQ(8, Read("010"));
    EXPECT_EQ(16, Read("0x10"));
    EXPECT_EQ(26, Read("0X1a"));
    EXPECT_EQ(-5, Read("-5"));
    EXPECT_EQ(-16, Read("-0x10"));
    EXPECT_EQ(7, Read("+7"));
    EXPECT_EQ(42, Read(" \t\n42"));
    EXPECT_EQ(0, Read("0"));
}

TEST(IntegerText, StopsAtTheFirstCharacterThatDoesNotFit) {
    EXPECT_EQ(0, Read("08")); // 8 is no octal digit
    EXPECT_EQ(0, Read("0x")); // the "0" is the number, the "x" is left over
    EXPECT_EQ(0, Read("0xg"));
    EXPECT_EQ(3, Read("3.9"));
    EXPECT_EQ(1, Read("1e5"));
}

TEST(IntegerText, TextWithoutANumberKeepsTheValue) {
    int32_t value = 77;
    EXPECT_FALSE(ReadInteger("", value));
    EXPECT_FALSE(ReadInteger("abc", value));
    EXPECT_FALSE(ReadInteger("   ", value));
    EXPECT_FALSE(ReadInteger("-", value));
    EXPECT_FALSE(ReadInteger("- 5", value));
    EXPECT_FALSE(ReadInteger("x10", value));
    EXPECT_EQ(77, value);
}

TEST(IntegerText, NumbersBeyondThe32BitRangeReadAsItsEnds) {
    EXPECT_EQ(std::numeric_limits<int32_t>::max(), Read("2147483647"));
    EXPECT_EQ(std::numeric_limits<int32_t>::max(), Read("2147483648"));
    EXPECT_EQ(std::numeric_limits<int32_t>::max(), Read("0xFFFFFFFFFFFFFFFFFFFF"));
    EXPECT_EQ(std::numeric_limits<int32_t>::min(), Read("-2147483648"));
    EXPECT_EQ(std::numeric_limits<int32_t>::min(), Read("-99999999999999999999999"));
}
