#include "TextHelpers.h"

#include <gtest/gtest.h>

using namespace kyr;

namespace {

TEST(TextHelpers, DigitsAndIntegers) {
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(9), "09");
    EXPECT_EQ(TwoDigits(10), "10");
    EXPECT_EQ(TwoDigits(-3), "-3");
    const std::pair<const char *, int> numbers[] = {
        {"42", 42}, {" 42 ", 42}, {"-7", -7}, {"+5", 5}, {"", 0}, {"4x", 0}, {"x", 0},
        {"99999999999", 0}};
    for (const auto &[text, value] : numbers)
        EXPECT_EQ(StrToIntZero(text), value) << '"' << text << '"';
}

TEST(TextHelpers, SplitAndTrim) {
    EXPECT_EQ(SplitAtChar("Zone=5", true, '='), "Zone");
    EXPECT_EQ(SplitAtChar("Zone=5=6", false, '='), "5=6");
    EXPECT_EQ(SplitAtChar("Zone", true, '='), "");
    EXPECT_EQ(TrimRightBlanks("  a b  "), "  a b");
    EXPECT_EQ(TrimLeftBlanks("  a b  "), "a b  ");
    EXPECT_EQ(TrimLeftBlanks("   "), "");
    EXPECT_EQ(TrimRightBlanks("\ta\t"), "\ta\t"); // blanks only
}

TEST(TextHelpers, CleanHelpTextAndColours) {
    EXPECT_EQ(CleanHelpText("_Sun_ in *Leo*, ..."), " Sun  in  Leo");
    EXPECT_EQ(CleanHelpText("..."), "");
    EXPECT_EQ(RGBValue(1, 2, 3), 1 + 512 + 196608);
    EXPECT_EQ(RGBValue(255, 255, 255), 0xFFFFFF);
}

} // namespace
