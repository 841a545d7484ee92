// The texts and the grid of the chart tables, from hand-filled horoscopes.
#include "TableRows.h"
#include "TableText.h"
#include "TableLayout.h"

#include "Angles.h"
#include "Glyphs.h"
#include "Horoscope.h"
#include "Language.h"
#include "EnglishSuite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace kyr;

namespace {

std::string Glyph(std::uint8_t code) {
    return SymbolFontText(code);
}
std::string Body(TPlanet p) {
    return Glyph(BodyGlyphCodes[p]);
}
std::string Sign(TSign s) {
    return Glyph(SignGlyphCodes[s]);
}
std::string Aspect(int e) {
    return Glyph(AspectGlyphCodes[e]);
}

// D.MM value of whole degrees and minutes.
Extended Dm(int degrees, int minutes) {
    return HoursToHm(degrees + minutes / 60.0L);
}

class EnglishTables : public test::TEnglishSuite {};

// Cusp h at 200° + 30°·(h − 1): house 6 runs from 350° over 0° to 20°.
void FillCusps(THoroscope &h) {
    for (int c = 1; c <= 12; ++c)
        h.CuspTable[c] = DegToRad(std::fmod(200.0L + 30 * (c - 1), 360.0L));
    h.CuspTable[0] = h.CuspTable[12];
    h.CuspTable[13] = h.CuspTable[1];
}

} // namespace

TEST(SignPosition, SplitsSignAndTruncatesToWholeMinutes) {
    struct Case {
        Extended dm;
        int sign;
        const char *text;
    } cases[] = {
        {0, 0, "0.00"},
        {Dm(145, 30), 4, "25.30"},
        {Dm(29, 59) + 0.0099L, 0, "29.59"}, // 29°59.99': truncated, never rounded up to 30
        {30, 1, "0.00"},                    // exactly at the start of a sign
        {Dm(359, 59), 11, "29.59"},
        {360, 0, "0.00"},         // the end of the circle is 0° Aries
        {Dm(11, 11), 0, "11.11"}, // whole minutes lie a hair below their decimal
        {Dm(223, 7), 7, "13.07"},
    };
    for (const Case &c : cases) {
        const TSignPosition p = SignPosition(c.dm);
        EXPECT_EQ(c.sign, p.Sign) << static_cast<double>(c.dm);
        EXPECT_EQ(c.text, p.Text) << static_cast<double>(c.dm);
    }
}

TEST(DeviationText, MinutesOfArcAsDegreesAndMinutes) {
    struct Case {
        Extended minutes;
        const char *text;
    } cases[] = {
        {0, "0.00"},  {11, "0.11"},  {50, "0.50"},  {59.9L, "0.59"}, {60, "1.00"},
        {77, "1.17"}, {155, "2.35"}, {450, "7.30"}, {479, "7.59"},   {600, "10.00"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.text, DeviationText(c.minutes)) << static_cast<double>(c.minutes);
}

TEST(TableLayout, ScalesWithTheClientArea) {
    // 100 × 240: s = min(20, 20), glyphs at 13 and positions at 10 pixels.
    const TPositionLayout positions = PositionLayout(100, 240);
    EXPECT_EQ((std::array<int, 6>{0, 18, 43, 62, 81, 100}), positions.X);
    EXPECT_EQ(120, positions.Y[6]);
    EXPECT_EQ(240, positions.Y[12]);
    EXPECT_EQ(13, positions.GlyphHeight);
    EXPECT_EQ(10, positions.TextHeight);
    // A wide window: the height governs.
    EXPECT_EQ(16, PositionLayout(1000, 300).GlyphHeight);

    const TCuspLayout cusps = CuspLayout(178, 300);
    EXPECT_EQ((std::array<int, 4>{0, 54, 123, 178}), cusps.X);
    EXPECT_EQ(16, cusps.GlyphHeight); // s = min(59, 25)
    EXPECT_EQ(12, cusps.TextHeight);

    const TAspectLayout aspects = AspectLayout(419, 303);
    EXPECT_EQ(27, aspects.X[1]);
    EXPECT_EQ(419, aspects.X[15]);
    EXPECT_EQ(20, aspects.RowHeight);
    EXPECT_EQ(13, aspects.GlyphHeight); // s = min(27, 20)
    EXPECT_EQ(10, aspects.TextHeight);
    // Cell (column 2, row 1): glyph in the upper two thirds, deviation in the last third.
    EXPECT_EQ((TCell{55, 20, 83, 33}), aspects.GlyphCell(1, 2));
    EXPECT_EQ((TCell{55, 32, 83, 40}), aspects.DeviationCell(1, 2));

    const TSymbolLayout symbols = SymbolLayout(191, 306);
    EXPECT_EQ(32, symbols.X1); // four rows of 8 pixels
    EXPECT_EQ(8, symbols.FontHeight);
    EXPECT_EQ(153, symbols.Y[19]);
    EXPECT_EQ(306, symbols.Y[38]);
}

// Boxes as large as an int (a damaged settings file) still give ordered edges that end at
// the box's extent: the products behind them must not overflow.
TEST(TableLayout, EdgesOfTheLargestBoxesStayInOrder) {
    const int huge = std::numeric_limits<int>::max();
    auto ordered = [huge](const auto &edges) {
        return edges.front() == 0 && edges.back() == huge &&
               std::is_sorted(edges.begin(), edges.end());
    };
    EXPECT_TRUE(ordered(PositionLayout(huge, huge).X));
    EXPECT_TRUE(ordered(PositionLayout(huge, huge).Y));
    EXPECT_TRUE(ordered(CuspLayout(huge, huge).X));
    EXPECT_TRUE(ordered(AspectLayout(huge, huge).X));
    EXPECT_TRUE(ordered(AspectLayout(huge, huge).Y));
    EXPECT_TRUE(ordered(SymbolLayout(huge, huge).Y));
    EXPECT_GT(PositionLayout(huge, huge).GlyphHeight, 0);
    EXPECT_GT(SymbolLayout(huge, huge).X1, 0);
    EXPECT_EQ(Share(huge, 2, 3), 1431655764);
}

TEST_F(EnglishTables, PositionRowsOfAHandFilledChart) {
    THoroscope h;
    FillCusps(h);
    struct Case {
        int body;
        Extended degrees;
        bool retrograde;
        TPositionRow row;
    } cases[] = {
        {1, 145.5L, false, {Body(plSun), "25.30", Sign(siLeo), false, "11"}},
        {2, 0, false, {Body(plMoon), "0.00", Sign(siAries), false, "6"}},    // house over 0°
        {3, 60, true, {Body(plMercury), "0.00", Sign(siGemini), true, "8"}}, // 0° Gemini
        {4, 359.99L, false, {Body(plVenua), "29.59", Sign(siPisces), false, "6"}},
        {6, 200, false, {Body(plJupiter), "20.00", Sign(siLibra), false, "1"}}, // on cusp 1
        {7, 229.999L, true, {Body(plSaturn), "19.59", Sign(siScorpio), true, "1"}},
        {11, 95.75L, true, {Body(plNorthNode), "5.45", Sign(siCancer), true, "9"}},
        {12, 275.75L, false, {Body(plSouthNode), "5.45", Sign(siCapricorn), false, "3"}},
    };
    for (const Case &c : cases) {
        h.Positions[c.body] = DegToRad(c.degrees);
        if (c.body <= EphemerisBodyCount)
            h.RetrogradeFlags[c.body] = c.retrograde;
    }
    const std::vector<TPositionRow> rows = PositionRows(h, *language);
    ASSERT_EQ(12u, rows.size());
    for (const Case &c : cases)
        EXPECT_EQ(c.row, rows[c.body - 1]) << "body " << c.body << ": " << rows[c.body - 1].Position
                                           << " house " << rows[c.body - 1].House;
}

TEST_F(EnglishTables, CuspRowsLabelTheAnglesWithGlyphs) {
    THoroscope h;
    FillCusps(h);
    h.CuspTable[4] = DegToRad(Extended(DmsToDegrees(300.1530L))); // 300°15'30"
    const std::vector<TCuspRow> rows = CuspRows(h, *language);
    ASSERT_EQ(12u, rows.size());
    struct Case {
        int cusp;
        TCuspRow row;
    } cases[] = {
        {1, {Glyph(AscendantGlyphCode), "20.00", Sign(siLibra)}},
        {2, {"2", "20.00", Sign(siScorpio)}},
        {4, {Glyph(LowerMeridianGlyphCode), "0.15", Sign(siAquarius)}},
        {6, {"6", "20.00", Sign(siPisces)}},
        {7, {Glyph(DescendantGlyphCode), "20.00", Sign(siAries)}},
        {10, {Glyph(MidheavenGlyphCode), "20.00", Sign(siCancer)}},
        {12, {"12", "20.00", Sign(siVirgo)}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.row, rows[c.cusp - 1]) << "cusp " << c.cusp;
}

// Equal cusps 4 and 10 are not the meridian: numbered, not marked IC and MC.
TEST_F(EnglishTables, EqualCuspRowsNumberCusps4And10) {
    THoroscope h;
    FillCusps(h);
    h.SetHouseSystem(HouseEqual);
    const std::vector<TCuspRow> rows = CuspRows(h, *language);
    ASSERT_EQ(12u, rows.size());
    EXPECT_EQ(Glyph(AscendantGlyphCode), rows[0].Label);
    EXPECT_EQ("4", rows[3].Label);
    EXPECT_EQ(Glyph(DescendantGlyphCode), rows[6].Label);
    EXPECT_EQ("10", rows[9].Label);
    EXPECT_EQ("20.00", rows[9].Position);
}

TEST_F(EnglishTables, SymbolRowsCoverEveryCode) {
    const std::vector<TSymbolRow> rows = SymbolRows(*language);
    ASSERT_EQ(38u, rows.size());
    struct Case {
        int code;
        TSymbolRow row;
    } cases[] = {
        {0, {Body(plSun), "Sun"}},
        {11, {Body(plSouthNode), "South Node"}},
        {12, {Sign(siAries), "Aries"}},
        {23, {Sign(siPisces), "Pisces"}},
        {24, {Aspect(0), "Conjunction"}},
        {25, {Aspect(2), "Semisextile"}},
        {28, {Aspect(6), "Square"}},
        {31, {Aspect(10), "Quincunx"}},
        {32, {Aspect(12), "Opposition"}},
        {33, {Glyph(AscendantGlyphCode), "Ascendant"}},
        {34, {Glyph(DescendantGlyphCode), "Descendant"}},
        {35, {Glyph(MidheavenGlyphCode), "Medium Coeli"}},
        {36, {Glyph(LowerMeridianGlyphCode), "Imum Coeli"}},
        {37, {Glyph(RetrogradeGlyphCode), "Retrograde"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.row, rows[c.code]) << "symbol code " << c.code;
}

TEST(SymbolRows, NamesKeepFortyCharacters) {
    const auto directory =
        std::filesystem::temp_directory_path() / ("kyr_tables_names_" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    // 45 two-byte characters: the cut must count characters, not bytes.
    std::string longName;
    for (int i = 0; i < 45; ++i)
        longName += "\xC3\x98"; // Ø
    std::ofstream(directory / "KYR_UK.TXT") << "126=\"" << longName << "\"\n127=\"Moon\"\n";
    SetProgramDirectory(directory.string());
    TLanguage language;
    language.SetCountry("UK");
    language.SetActive(true);
    const std::vector<TSymbolRow> rows = SymbolRows(language);
    SetProgramDirectory("");
    std::filesystem::remove_all(directory);

    ASSERT_TRUE(language.Active());
    EXPECT_EQ(longName.substr(0, 80), rows[0].Name);
    EXPECT_EQ("Moon", rows[1].Name);
    EXPECT_EQ("", rows[2].Name); // no text, no name
}

TEST_F(EnglishTables, AspectCellsPutThePartnerInTheOtherTriangle) {
    THoroscope first;
    THoroscope partner;
    first.Aspects[0] = {1, 2, 8, 0};
    first.Aspects[1] = {3, 14, 12, 50};
    first.AspectCount = 2;
    partner.Aspects[0] = {1, 5, 0, 450};
    partner.AspectCount = 1;

    const std::vector<TAspectCell> alone = AspectCells(first, *language);
    const std::vector<TAspectCell> expectedAlone = {
        {1, 2, Aspect(8), "0.00", false, 8},
        {3, 14, Aspect(12), "0.50", false, 12},
    };
    EXPECT_EQ(expectedAlone, alone);

    first.SetPartner(&partner);
    std::vector<TAspectCell> expected = expectedAlone;
    expected.push_back({5, 1, Aspect(0), "7.30", true, 0}); // row and column exchanged
    EXPECT_EQ(expected, AspectCells(first, *language));

    first.AspectCount = 0;
    partner.AspectCount = 0;
    EXPECT_TRUE(AspectCells(first, *language).empty());
}

namespace {

std::vector<std::vector<std::string>> Cells(const std::string &text) {
    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
            cells.push_back(line.substr(from, tab - from));
        cells.push_back(line.substr(from));
        lines.push_back(cells);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

using TLine = std::vector<std::string>;

} // namespace

// The clipboard texts: names where the windows draw glyphs, no padding blanks, a header line.
TEST_F(EnglishTables, TableTextsAreTabSeparatedWithHeaders) {
    THoroscope h;
    FillCusps(h);
    h.Positions[1] = DegToRad(5.0L);
    h.Positions[3] = DegToRad(60.0L);
    h.RetrogradeFlags[3] = true;
    const auto positions = Cells(PositionTableText(h, *language));
    ASSERT_EQ(13u, positions.size());
    EXPECT_EQ((TLine{"Body", "Position", "Sign", "Retrograde", "House"}), positions[0]);
    EXPECT_EQ((TLine{"Sun", "5.00", "Aries", "", "6"}), positions[1]);
    EXPECT_EQ((TLine{"Mercury", "0.00", "Gemini", "R", "8"}), positions[3]);
    EXPECT_EQ((TLine{"South Node", "0.00", "Aries", "", "6"}), positions[12]);

    const auto cusps = Cells(CuspTableText(h, *language));
    ASSERT_EQ(13u, cusps.size());
    EXPECT_EQ((TLine{"Cusp", "Position", "Sign"}), cusps[0]);
    EXPECT_EQ((TLine{"1", "20.00", "Libra"}), cusps[1]);
    EXPECT_EQ((TLine{"12", "20.00", "Virgo"}), cusps[12]);

    THoroscope partner;
    h.Aspects[0] = {1, 2, 8, 0};
    h.AspectCount = 1;
    partner.Aspects[0] = {1, 5, 0, 450};
    partner.AspectCount = 1;
    h.SetPartner(&partner);
    const auto grid = Cells(AspectTableText(h, *language));
    ASSERT_EQ(15u, grid.size());
    for (const TLine &line : grid)
        EXPECT_EQ(15u, line.size());
    EXPECT_EQ("", grid[0][0]);
    EXPECT_EQ("Sun", grid[0][1]);
    EXPECT_EQ(language->PointName(14), grid[0][14]);
    EXPECT_EQ("Moon", grid[2][0]);
    EXPECT_EQ("Trine 0.00", grid[1][2]);
    EXPECT_EQ("Conjunction 7.30", grid[5][1]); // the partner's, below the diagonal
    EXPECT_EQ("", grid[2][1]);
}
