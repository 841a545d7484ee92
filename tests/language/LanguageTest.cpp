#include "Language.h"
#include "Glyphs.h"
#include "TestDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

using namespace kyr;

namespace {

// The UTF-8 of a symbol's private-use copy U+F000 + code, written out independently of the
// program's encoder: EF, 80 | code >> 6 (U+F0xx lies in the block EF 80..83), 80 | low six bits.
std::string Symbol(unsigned code) {
    return {static_cast<char>(0xEF), static_cast<char>(0x80 | (code >> 6)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

// Activates a language whose only source is the given text list.
void LoadTokens(TLanguage &language, const std::string &stream, const std::string &country = "ZZ") {
    language.SetActive(false);
    language.SetCountry(country);
    language.OnGetTokens = [stream](TLanguage &, const std::string &, std::string &out) {
        out = stream;
    };
    language.SetActive(true);
    ASSERT_TRUE(language.Active());
}

// Every text number n carries the text "T<n>", so a look-up shows which number it read.
std::string NumberedTexts() {
    std::string stream;
    for (int n = 1; n <= MaxTextNumber; ++n)
        stream += std::to_string(n) + "=\"T" + std::to_string(n) + "\"\n";
    return stream;
}

class LanguageTest : public ::testing::Test {
protected:
    TTestDirectory directory;
    TLanguage language;
};

TEST_F(LanguageTest, LineFormat) {
    struct Case {
        const char *line;
        std::optional<std::string> text; // the text of 830; none: the line is skipped
    };
    const Case cases[] = {
        {"830=\"Sun in Leo\"", "Sun in Leo"},
        {"830 =\"Sun\"", std::nullopt}, // the number part is not an integer
        {" 830=\"Sun\"", std::nullopt},
        {"830=\"\"", std::nullopt}, // empty text
        {"830=\"only one quote", std::nullopt},
        {"830=Sun", std::nullopt},
        {"830", std::nullopt},
        {"8x0=\"Sun\"", std::nullopt},
        {"830=\"He said \"no\" twice\"", "He said \"no\" twice"},
        {"830=\"a\" and \"b\" ", "a\" and \"b"}, // first to last quote
        {"830=x\"y\"", "y"},
        {"0000830=\"x\"", "x"},                     // "=" at 8, quote at 9
        {"00000830=\"x\"", std::nullopt},           // quote at 10
        {"0000000830=\"x\"", std::nullopt},         // "=" at 11
        {"830=    \"x\"", "x"},                     // quote at 9
        {"830=     \"x\"", std::nullopt},           // quote at 10
        {"830=\u00E9\u00E9\u00E9\u00E9\"x\"", "x"}, // positions count characters
        {"830=\"Gr\u00FC\u00DFe\"", "Gr\u00FC\u00DFe"},
    };
    for (const auto &[line, text] : cases) {
        LoadTokens(language, line);
        EXPECT_EQ(language.GetText(830), text.value_or("")) << line;
        EXPECT_EQ(language.TextCount(), text ? 1u : 0u) << line;
    }
    // Numbers outside 1..1500 never reach the list.
    for (const char *line : {"1501=\"x\"", "0=\"x\"", "-5=\"x\"", "=\"x\"", "99999999999=\"x\""}) {
        LoadTokens(language, line);
        EXPECT_EQ(language.TextCount(), 0u) << line;
    }
    LoadTokens(language, "1500=\"last\"");
    EXPECT_EQ(language.GetText(1500), "last");
}

TEST_F(LanguageTest, LinesEndsAndLaterLineWins) {
    LoadTokens(language, "\xEF\xBB\xBF"
                         "10=\"first\"\r\n11=\"eleven\"\r12=\"twelve\"\n"
                         "10=\"second\"\r\n");
    EXPECT_EQ(language.GetText(10), "second");
    EXPECT_EQ(language.GetText(11), "eleven");
    EXPECT_EQ(language.GetText(12), "twelve");
}

TEST_F(LanguageTest, BuiltInTexts) {
    EXPECT_EQ(language.GetText(901), "Navneliste");
    EXPECT_EQ(language.GetText(909), "Love & Sexuality");
    EXPECT_EQ(language.GetText(927), "This program has not identified major contacts in this area "
                                     "which profoundly affect you or your relationship.");
    EXPECT_EQ(language.GetText(1302), "Insert time of winner moment:");
    for (int n : {0, -1, 900, 928, 1303, 1501, 1999})
        EXPECT_EQ(language.GetText(n), "") << n;
    EXPECT_EQ(language.ListSeparator(), ", ");

    LoadTokens(language, "901=\"Name list\"\n1018=\" / \"");
    EXPECT_EQ(language.GetText(901), "Name list");
    EXPECT_EQ(language.GetText(902), "&Navneliste"); // the loaded language lacks it
    EXPECT_EQ(language.ListSeparator(), " / ");
}

TEST_F(LanguageTest, LoadOrder) {
    struct Case {
        const char *name;
        std::optional<std::string> file;
        std::optional<std::vector<std::string>> help; // empty: the record is missing
        std::optional<std::string> tokens;
        bool active;
        const char *text;
    };
    const Case cases[] = {
        {"file first", "5=\"file\"", std::vector<std::string>{"5=\"help\""}, "5=\"tokens\"", true,
         "file"},
        {"help before tokens", std::nullopt, std::vector<std::string>{"5=\"help\""}, "5=\"tokens\"",
         true, "help"},
        {"missing help record", std::nullopt, std::vector<std::string>{}, "5=\"tokens\"", false,
         ""},
        {"tokens last", std::nullopt, std::nullopt, "5=\"tokens\"", true, "tokens"},
        {"no source", std::nullopt, std::nullopt, std::nullopt, false, ""},
        {"empty file", "", std::nullopt, "5=\"tokens\"", false, ""},
        {"no line accepted", std::nullopt, std::nullopt, "five=\"tokens\"\n", true, ""},
    };
    for (const auto &c : cases) {
        directory.Remove("KYR_ZZ.TXT");
        if (c.file)
            directory.Write("KYR_ZZ.TXT", *c.file);
        TLanguage subject;
        subject.SetCountry("ZZ");
        if (c.help)
            subject.HelpTable = [lines = *c.help] { return lines; };
        std::string asked;
        if (c.tokens)
            subject.OnGetTokens = [&asked, tokens = *c.tokens](TLanguage &, const std::string &code,
                                                               std::string &out) {
                asked = code;
                out = tokens;
            };
        int changes = 0;
        subject.OnChange = [&changes](TLanguage &) { ++changes; };
        subject.SetActive(true);
        EXPECT_EQ(subject.Active(), c.active) << c.name;
        EXPECT_EQ(changes, c.active ? 1 : 0) << c.name;
        EXPECT_EQ(subject.GetText(5), c.text) << c.name;
        if (std::string(c.text) == "tokens") {
            EXPECT_EQ(asked, "ZZ") << c.name;
        }
    }
}

TEST_F(LanguageTest, CountryChanges) {
    EXPECT_EQ(language.Country(), "XX");
    EXPECT_FALSE(language.Active());

    int loads = 0;
    int changes = 0;
    std::string asked;
    language.OnGetTokens = [&](TLanguage &, const std::string &code, std::string &out) {
        ++loads;
        asked = code;
        if (code != "NO")
            out = "5=\"" + code + "\"";
    };
    language.OnChange = [&changes](TLanguage &) { ++changes; };

    // Inactive: the code is only taken, cut to two characters.
    language.SetCountry("DEU");
    EXPECT_EQ(language.Country(), "DE");
    EXPECT_EQ(loads, 0);

    language.SetActive(true);
    EXPECT_EQ(language.GetText(5), "DE");
    EXPECT_EQ(changes, 1);

    language.SetCountry("FR");
    EXPECT_EQ(language.GetText(5), "FR");
    EXPECT_EQ(asked, "FR");
    EXPECT_EQ(changes, 2);

    language.SetCountry("FR"); // the same code does nothing
    EXPECT_EQ(loads, 2);

    // A language without any text list keeps the old code, but its texts are gone.
    language.SetCountry("NO");
    EXPECT_EQ(language.Country(), "FR");
    EXPECT_TRUE(language.Active());
    EXPECT_EQ(language.GetText(5), "");
    EXPECT_EQ(language.GetText(901), "Navneliste");
    EXPECT_EQ(changes, 2);

    // Deactivating keeps the texts; an empty code cannot be activated.
    language.SetCountry("DE");
    language.SetActive(false);
    EXPECT_EQ(language.GetText(5), "DE");
    language.SetCountry("");
    language.SetActive(true);
    EXPECT_FALSE(language.Active());
    EXPECT_EQ(loads, 4);
    EXPECT_EQ(language.GetText(5), "DE");
}

TEST_F(LanguageTest, CountryFromFileAndStoreErrors) {
    directory.Write("KYR_UK.TXT", "5=\"English\"\n");
    language.HelpTable = []() -> std::vector<std::string> {
        throw std::runtime_error("help table broken");
    };
    language.SetCountry("UK");
    language.SetActive(true);
    EXPECT_EQ(language.GetText(5), "English");

    // A store error reaches the caller and leaves the old code in place.
    EXPECT_THROW(language.SetCountry("DK"), std::runtime_error);
    EXPECT_EQ(language.Country(), "UK");
}

std::string DeliveredEnglish() {
    std::ifstream in(KYR_LANGUAGE_DIR "/KYR_UK.TXT", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A language file that is not a text list is refused with its name; the language in use,
// its code and its texts stay. A few broken lines among good ones are only skipped.
TEST_F(LanguageTest, ADamagedLanguageFileIsRefused) {
    const std::string english = DeliveredEnglish();
    ASSERT_GT(english.size(), 5000u);
    std::mt19937 random(11);
    auto randomBytes = [&random](std::size_t count) {
        std::string bytes(count, '\0');
        for (char &c : bytes)
            c = static_cast<char>(random());
        return bytes;
    };
    std::string middle = english;
    middle.replace(middle.size() / 2, 200, randomBytes(200));
    std::string prose;
    for (int i = 0; i < 40; ++i)
        prose += i % 3 ? "a line that says nothing\n" : "5=\"five\"\n";
    struct TCase {
        const char *Name;
        std::string Text;
    } cases[] = {
        {"random bytes", randomBytes(english.size())},
        {"random bytes in the middle", middle},
        {"zeroed", std::string(english.size(), '\0')},
        {"Latin-1 instead of UTF-8", "5=\"Gr\xFC\xDF Gott\"\n6=\"six\"\n"},
        {"a truncated character at the end", "5=\"five\"\n6=\"\xC3"},
        {"an encoded surrogate", "5=\"\xED\xA0\x80\"\n"},
        {"an overlong slash", "5=\"\xC0\xAF\"\n"},
        {"mostly lines without a number", prose},
    };
    const std::string path = (std::filesystem::path(kyr::ProgramDirectory()) / "KYR_ZZ.TXT").string();
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        directory.Write("KYR_UK.TXT", "5=\"English\"\n");
        TLanguage subject;
        subject.SetCountry("UK");
        subject.SetActive(true);
        ASSERT_EQ(subject.GetText(5), "English");
        directory.Write("KYR_ZZ.TXT", c.Text);
        try {
            subject.SetCountry("ZZ");
            ADD_FAILURE() << "loaded";
        } catch (const ELanguageFileDamaged &e) {
            EXPECT_NE(std::string(e.what()).find(path + " is damaged"), std::string::npos)
                << e.what();
        }
        EXPECT_EQ(subject.Country(), "UK");
        EXPECT_EQ(subject.GetText(5), "English");
        // The first activation of a damaged language fails the same way.
        TLanguage fresh;
        fresh.SetCountry("ZZ");
        EXPECT_THROW(fresh.SetActive(true), ELanguageFileDamaged);
        EXPECT_FALSE(fresh.Active());
    }

    // The delivered file, and one with a few broken lines, load.
    std::string untidy = english;
    untidy.insert(0, "garbage\n830 =\"x\"\n\n\n");
    for (const std::string &text : {english, untidy}) {
        directory.Write("KYR_ZZ.TXT", text);
        TLanguage subject;
        subject.SetCountry("ZZ");
        subject.SetActive(true);
        EXPECT_TRUE(subject.Active());
        EXPECT_EQ(subject.GetText(126), "Sun");
    }
}

TEST_F(LanguageTest, ScreenFontFromStandardSettings) {
    language.SetCountry("UK");
    EXPECT_EQ(language.FontName(), ""); // no KYR.STD: the defaults
    EXPECT_TRUE(language.Bold());
    EXPECT_EQ(language.FontSize(), -1);

    directory.Write("KYR.STD", "[System]\nFont=Wrong\n[screen]\n FONT = DejaVu Serif \n"
                               "Bold=0\nSize=12\nSize=14\n[Other]\nSize=20\n");
    language.SetCountry("UK"); // unchanged code: the file is not read
    EXPECT_EQ(language.FontName(), "");
    language.SetCountry("DK");
    EXPECT_EQ(language.FontName(), "DejaVu Serif");
    EXPECT_FALSE(language.Bold());
    EXPECT_EQ(language.FontSize(), 12);

    directory.Write("KYR.STD", "[Screen]\nFont=\"Noto Sans\"\nBold=yes\nSize=big\n");
    language.SetCountry("SE");
    EXPECT_EQ(language.FontName(), "Noto Sans");
    EXPECT_TRUE(language.Bold());
    EXPECT_EQ(language.FontSize(), -1);
}

TEST_F(LanguageTest, NameLookUps) {
    LoadTokens(language, NumberedTexts());
    const std::pair<std::string, std::string> cases[] = {
        {language.BodyName(0), "T126"},       {language.BodyName(11), "T137"},
        {language.BodyName(12), ""},          {language.SignName(0), "T46"},
        {language.SignName(11), "T57"},       {language.SignName(-1), ""},
        {language.AspectName(0), "T76"},      {language.AspectName(12), "T88"},
        {language.AspectName(13), ""},        {language.HouseSystemName(0), "T89"},
        {language.HouseSystemName(2), "T91"}, {language.HouseSystemName(3), ""},
        {language.PointName(1), "T126"},      {language.PointName(12), "T137"},
        {language.PointName(13), "T71"},      {language.PointName(101), "T71"},
        {language.PointName(14), "T72"},      {language.PointName(110), "T72"},
        {language.PointName(104), "T74"},     {language.PointName(107), "T75"},
        {language.PointName(0), ""},          {language.PointName(102), ""},
        {language.SymbolName(0), "T126"},     {language.SymbolName(11), "T137"},
        {language.SymbolName(12), "T46"},     {language.SymbolName(23), "T57"},
        {language.SymbolName(24), "T76"},     {language.SymbolName(25), "T78"}, // 30 degrees
        {language.SymbolName(28), "T82"},     {language.SymbolName(32), "T88"},
        {language.SymbolName(33), "T71"},     {language.SymbolName(34), "T75"},
        {language.SymbolName(35), "T97"},     {language.SymbolName(36), "T98"},
        {language.SymbolName(37), "T99"},     {language.SymbolName(38), "?"},
        {language.ListSeparator(), "T1018"},  {language.OrdinalText(21), "T1061"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

TEST_F(LanguageTest, OrdinalsWithoutTexts) {
    struct Case {
        const char *country;
        int n;
        const char *text;
    };
    const Case cases[] = {
        {"UK", 1, "1st"},   {"UK", 2, "2nd"},   {"UK", 3, "3rd"},   {"UK", 4, "4th"},
        {"UK", 21, "21th"}, {"US", 22, "22th"}, {"US", 11, "11th"}, {"SE", 1, "1:a"},
        {"SE", 2, "2:a"},   {"SE", 3, "3:e"},   {"DE", 21, "21."},  {"XX", 1, "1."},
    };
    for (const auto &c : cases) {
        language.SetCountry(c.country);
        EXPECT_EQ(language.OrdinalText(c.n), c.text) << c.country << " " << c.n;
    }
    // Only numbers 1040 on are ordinal texts.
    LoadTokens(language, "1039=\"unrelated\"\n1041=\"first\"", "UK");
    EXPECT_EQ(language.OrdinalText(1), "first");
    EXPECT_EQ(language.OrdinalText(-1), "-1th");
}

TEST_F(LanguageTest, Formatting) {
    const std::string words = "168=\"S\"\n169=\"N\"\n170=\"W\"\n171=\"E\"";
    LoadTokens(language, words, "UK");
    const std::pair<std::string, std::string> cases[] = {
        {language.LatitudeText(55.4130L), "55N41"}, {language.LatitudeText(-33.05L), "33S05"},
        {language.LatitudeText(-0.3L), "0S30"},     {language.LongitudeText(-12.5L), "12E50"},
        {language.LongitudeText(0), "0W00"},        {language.LongitudeText(179.59L), "179W59"},
        {language.TimeText(9.05L), "9:05"},         {language.TimeText(-1.3L), "1:30"},
        {language.TimeText(9.056L), "9:06"},        {language.ZoneText(-1), "1:00E"},
        {language.ZoneText(5.3L), "5:30W"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;

    LoadTokens(language, words, "JP");
    EXPECT_EQ(language.LatitudeText(55.4130L), "N55*41'");
    EXPECT_EQ(language.LongitudeText(-12.5L), "E12*50'");
    EXPECT_EQ(language.TimeText(9.05L), "9:05");
    EXPECT_EQ(language.ZoneText(-1), "1:00E");
}

TEST_F(LanguageTest, GlyphTables) {
    const unsigned bodies[] = {0xB8, 0x9B, 0xBE, 0xB1, 0xA1, 0xA5,
                               0x97, 0x86, 0x87, 0x88, 0xA8, 0x82};
    const unsigned signs[] = {0xF7, 0x9A, 0xD0, 0x98, 0xAC, 0xAA,
                              0xAB, 0x85, 0x7D, 0x83, 0x8B, 0x8A};
    const unsigned aspects[] = {0xB4, '#',  0xDE, 0xBC, 0xB5, '#', 0xB9,
                                '#',  0xBA, 0xA4, 0xAD, '#',  0xAF};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(language.BodyGlyph(i), Symbol(bodies[i])) << "body " << i;
        EXPECT_EQ(language.SignGlyph(i), Symbol(signs[i])) << "sign " << i;
        EXPECT_EQ(language.PointGlyph(i + 1), Symbol(bodies[i])) << "point " << i + 1;
        EXPECT_EQ(language.SymbolGlyph(i), Symbol(bodies[i])) << "symbol " << i;
        EXPECT_EQ(language.SymbolGlyph(12 + i), Symbol(signs[i])) << "symbol " << 12 + i;
    }
    // The filler of the numbers that never form aspects is a plain "#".
    const auto aspect = [&](int e) { return aspects[e] == '#' ? "#" : Symbol(aspects[e]); };
    for (int e = 0; e <= 12; ++e)
        EXPECT_EQ(language.AspectGlyph(e), aspect(e)) << "aspect " << e;
    const int symbolAspects[] = {0, 2, 3, 4, 6, 8, 9, 10, 12};
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(language.SymbolGlyph(24 + k), aspect(symbolAspects[k])) << 24 + k;
}

TEST_F(LanguageTest, AngleAndFallbackGlyphs) {
    const std::pair<std::string, std::string> cases[] = {
        {language.CuspGlyph(1), Symbol('|')},
        {language.CuspGlyph(4), Symbol(']')},
        {language.CuspGlyph(7), Symbol(0xFE)},
        {language.CuspGlyph(10), Symbol('[')},
        {language.CuspGlyph(2), "2"},
        {language.CuspGlyph(12), "12"},
        {language.PointGlyph(13), Symbol('|')},
        {language.PointGlyph(101), Symbol('|')},
        {language.PointGlyph(14), Symbol('[')},
        {language.PointGlyph(110), Symbol('[')},
        {language.PointGlyph(104), Symbol(']')},
        {language.PointGlyph(107), Symbol(0xFE)},
        {language.PointGlyph(0), "?"},
        {language.PointGlyph(15), "?"},
        {language.SymbolGlyph(33), Symbol('|')},
        {language.SymbolGlyph(34), Symbol(0xFE)},
        {language.SymbolGlyph(35), Symbol('[')},
        {language.SymbolGlyph(36), Symbol(']')},
        {language.SymbolGlyph(37), Symbol(0xB6)},
        {language.SymbolGlyph(38), "?"},
        {language.SymbolGlyph(-1), "?"},
        {language.BodyGlyph(12), "?"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

// Every symbol goes out as its private-use copy, the quincunx (U+00AD, a soft hyphen Qt does not
// draw) among them; characters that are no symbol, in the font or outside it, stay themselves.
TEST(SymbolFont, CodePoints) {
    const std::pair<std::uint8_t, char32_t> cases[] = {
        {0xB8, 0xF0B8}, {0xAD, 0xF0AD}, {0x82, 0xF082}, {0x7D, 0xF07D}, {'|', 0xF07C},
        {0xFE, 0xF0FE}, {0xB6, 0xF0B6}, {'#', '#'},     {'?', '?'},     {'7', '7'},
        {'A', 'A'},     {0xE6, 0xE6},   {0xB0, 0xB0},
    };
    for (const auto &[code, expected] : cases)
        EXPECT_EQ(SymbolFontCodePoint(code), expected) << "code " << int(code);
    EXPECT_EQ(SymbolFontText(0xAD), Symbol(0xAD));
    EXPECT_EQ(SymbolFontText('#'), "#");
    EXPECT_EQ(SymbolFontText(0xE6), "\xC3\xA6");
}

} // namespace
