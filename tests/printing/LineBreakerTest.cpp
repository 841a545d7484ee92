// The line breaker on a width table of one pixel per character (a few made wider), so that
// column widths read as character counts.
#include "LineBreaker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kyr;

namespace {

TCharWidths UnitWidths() {
    TCharWidths widths;
    widths.Table.fill(1);
    widths.Wide = 2;
    return widths;
}

/// Every line of text as the flow would take them.
std::vector<std::string> Lines(const std::string &text, int columnWidth,
                               TLineBreakHooks hooks = {}, int length = -1) {
    static const TCharWidths widths = UnitWidths();
    TLineBreakContext context{&widths, columnWidth, std::move(hooks)};
    const auto used = static_cast<std::uint16_t>(length < 0 ? text.size() : length);
    std::vector<std::string> lines;
    std::uint16_t position = 0;
    std::string line;
    while (NextLine(position, text, line, used, context)) {
        lines.push_back(line);
        if (lines.size() > 10000)
            ADD_FAILURE() << "the breaker does not advance";
        if (lines.size() > 10000)
            break;
    }
    return lines;
}

using TLines = std::vector<std::string>;

struct TBreakCase {
    const char *Name;
    std::string Text;
    int Width;
    TLines Expected;
};

class Breaking : public ::testing::TestWithParam<TBreakCase> {};

TEST_P(Breaking, CutsTheTextIntoLines) {
    const TBreakCase &c = GetParam();
    EXPECT_EQ(Lines(c.Text, c.Width), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Breaking,
    ::testing::Values(
        TBreakCase{"fits", "Hello world", 20, {"Hello world"}},
        TBreakCase{"back_to_the_blank", "Hello world", 8, {"Hello ", "world"}},
        TBreakCase{"overflow_on_a_blank", "Hello world", 5, {"Hello", "world"}},
        TBreakCase{"hyphen_stays_at_the_end", "well-known fact", 7, {"well-", "known ", "fact"}},
        TBreakCase{"long_word_is_cut", "abcdefghij", 4, {"abcd", "efgh", "ij"}},
        TBreakCase{"long_word_after_a_short_one", "ab cdefghij", 4, {"ab ", "cdef", "ghij"}},
        TBreakCase{"nothing_fits_still_advances", "ab", 0, {"a", "b"}},
        TBreakCase{"cr_cr_is_a_blank_line", "one\r\rtwo", 20, {"one", "", "two"}},
        TBreakCase{"cr_lf_is_one_line_end", "one\r\ntwo\r\n", 20, {"one", "two"}},
        TBreakCase{"lone_lf_is_ignored", "one\ntwo", 20, {"onetwo"}},
        TBreakCase{"tab_and_controls_skipped", "a\tb\x01" "c", 20, {"abc"}},
        TBreakCase{"leading_hyphen_and_blank_dropped", "- item", 20, {"item"}},
        TBreakCase{"only_blanks_left_is_the_end", "word   ", 4, {"word"}},
        TBreakCase{"other_numbers_print_as_text", "#12 #0 #x #", 20, {"#12 #0 #x #"}},
        TBreakCase{"utf8_is_one_character", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 2,
                   {"\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9"}},
        TBreakCase{"broken_utf8_is_latin1", "\xC3(\xE9x", 20, {"\xC3(\xE9x"}}),
    [](const ::testing::TestParamInfo<TBreakCase> &info) { return info.param.Name; });

TEST(LineBreaker, WidthsComeFromTheTable) {
    TCharWidths widths = UnitWidths();
    widths.Table['W'] = 3;
    TLineBreakContext context{&widths, 6, {}};
    const std::string text = "WW aaa";
    std::uint16_t position = 0;
    std::string line;
    ASSERT_TRUE(NextLine(position, text, line, 6, context));
    EXPECT_EQ(line, "WW");
    // Characters above 255 take the wide width.
    const std::string greek = "\xCE\xB1\xCE\xB1\xCE\xB1\xCE\xB1"; // four alphas, 2 each
    EXPECT_EQ(Lines(greek, 4), (TLines{"\xCE\xB1\xCE\xB1", "\xCE\xB1\xCE\xB1"}));
}

TEST(LineBreaker, LinesEndAfter255CharactersWithoutLosingAny) {
    const std::string text(300, 'a');
    const TLines lines = Lines(text, 10000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 255u);
    EXPECT_EQ(lines[1].size(), 45u);
}

TEST(LineBreaker, LengthLimitsTheTextAndPositionsSpanSixteenBits) {
    EXPECT_EQ(Lines("Hello world", 20, {}, 5), (TLines{"Hello"}));
    EXPECT_EQ(Lines("Hi", 20, {}, 60000), (TLines{"Hi"})); // longer than the text

    // The longest text one call takes: every letter comes out and the position ends at 65535.
    std::string text;
    while (text.size() < MaxBreakLength)
        text += "abcdefghi ";
    text.resize(MaxBreakLength);
    const TCharWidths widths = UnitWidths();
    TLineBreakContext context{&widths, 37, {}};
    std::uint16_t position = 0;
    std::string line;
    std::size_t letters = 0;
    while (NextLine(position, text, line, static_cast<std::uint16_t>(MaxBreakLength), context))
        for (char ch : line)
            letters += ch != ' ' ? 1 : 0;
    EXPECT_EQ(position, 65535);
    std::size_t expected = 0;
    for (char ch : text)
        expected += ch != ' ' ? 1 : 0;
    EXPECT_EQ(letters, expected);
}

TEST(LineBreaker, MarkersCallTheirHooks) {
    int logos = 0;
    int columnMarks = 0;
    int wideNames = 0;
    TLineBreakHooks hooks;
    hooks.Name = "ANNA";
    hooks.OnLogo = [&] { ++logos; };
    hooks.OnColumnMarker = [&] { ++columnMarks; };
    hooks.OnWideName = [&] { ++wideNames; };

    // "#1" drops what came before it on the line and starts it with the name.
    EXPECT_EQ(Lines("junk #1 born", 20, hooks), (TLines{"ANNA born"}));
    EXPECT_EQ(wideNames, 0);
    // A name wider than the column is announced first, then printed alone.
    EXPECT_EQ(Lines("#1 x", 3, hooks), (TLines{"ANNA", "x"}));
    EXPECT_EQ(wideNames, 1);

    EXPECT_EQ(Lines("a#2b#4c", 20, hooks), (TLines{"abc"}));
    EXPECT_EQ(logos, 1);
    EXPECT_EQ(columnMarks, 1);
    // A marker that ends the text leaves no empty line behind; one before a CR does.
    EXPECT_EQ(Lines("a\r#2", 20, hooks), (TLines{"a"}));
    EXPECT_EQ(Lines("a\r#2\rb", 20, hooks), (TLines{"a", "", "b"}));
    EXPECT_EQ(logos, 3);
}

TEST(LineBreaker, ContentsMarkerYieldsOneEntryPerLineUntilNoneIsLeft) {
    const std::vector<std::string> entries{"Birth", "Transits"};
    std::size_t next = 0;
    TLineBreakHooks hooks;
    hooks.OnContentsEntry = [&](std::string &line) {
        if (next >= entries.size())
            return false;
        line += entries[next++];
        return true;
    };
    EXPECT_EQ(Lines("Contents\r- #3\rEnd", 40, hooks),
              (TLines{"Contents", "Birth", "Transits", "", "End"}));
    // With every entry used the marker is dropped.
    EXPECT_EQ(Lines("x#3y", 40, hooks), (TLines{"xy"}));
}

TEST(LineBreaker, PiecesOfLongTextsEndAtALineEndOrBlank) {
    EXPECT_EQ(PieceEnd("short", 0, 100), 5u);
    EXPECT_EQ(PieceEnd("aaaa bbbb cccc", 0, 12), 10u);   // after the last blank
    EXPECT_EQ(PieceEnd("aaaa\rbbbbbbbb", 0, 8), 5u);     // after the line end
    EXPECT_EQ(PieceEnd("abcdefgh", 2, 4), 6u);           // no blank: the limit
    // Never inside a UTF-8 character.
    EXPECT_EQ(PieceEnd("ab\xC3\xA9zz", 0, 3), 2u);
}

} // namespace
