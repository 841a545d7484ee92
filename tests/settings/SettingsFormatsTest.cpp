#include "SettingsFormats.h"

#include "PageLimits.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <ostream>
#include <string>

using namespace kyr;

namespace kyr {
std::ostream &operator<<(std::ostream &os, const TWindowPlace &p) {
    return os << (p.Valid ? "valid " : "invalid ") << p.Left << "," << p.Top << "," << p.Width
              << "," << p.Height << "," << p.State;
}
std::ostream &operator<<(std::ostream &os, const TPrintBox &b) {
    return os << (b.Enabled ? "enabled " : "disabled ") << b.Left << "," << b.Top << "," << b.Width
              << "," << b.Height;
}
std::ostream &operator<<(std::ostream &os, const TFontSpec &f) {
    return os << (f.Valid ? "valid " : "invalid ") << '"' << f.Name << "\" " << f.Size << " "
              << f.Color << " " << f.Style;
}
} // namespace kyr

namespace {

TEST(WindowPlace, DefaultsCountNegativeEdgesFromTheScreen) {
    const TScreenSize screen{1280, 1024};
    EXPECT_EQ(DefaultWindowPlace(-10, -10, -10, -10, true, screen),
              (TWindowPlace{true, 10, 10, 1260, 1004, WindowNormal}));
    EXPECT_EQ(DefaultWindowPlace(20, 20, 400, 200, false, screen),
              (TWindowPlace{false, 20, 20, 400, 200, WindowNormal}));
    EXPECT_EQ(DefaultWindowPlace(-5, 7, -20, 100, false, screen),
              (TWindowPlace{false, 5, 7, 1255, 100, WindowNormal}));
}

TEST(WindowPlace, ReadsOnlyFiveNumbersWithFourCommas) {
    const TWindowPlace fallback{false, 20, 20, 400, 200, WindowNormal};
    struct Case {
        const char *Text;
        TWindowPlace Expected;
    };
    const Case cases[] = {
        {"1,2,3,4,0", {true, 1, 2, 3, 4, WindowNormal}},
        {" 5, 6 ,700,800,2", {true, 5, 6, 700, 800, WindowMaximised}},
        {"-5,-6,300,200,1", {true, -5, -6, 300, 200, WindowMinimised}},
        {"1,2,3,4", fallback},     // three commas
        {"1,2,3,4,0,5", fallback}, // five commas
        {"1,2,3,,0", fallback},
        {"a,2,3,4,0", fallback},
        {"1,2,3,4,3", fallback}, // no such window state
        {"", fallback},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ParseWindowPlace(c.Text, fallback), c.Expected) << '"' << c.Text << '"';
    // A malformed text keeps the default's validity too.
    const TWindowPlace validFallback{true, 10, 10, 1004, 748, WindowNormal};
    EXPECT_EQ(ParseWindowPlace("x", validFallback), validFallback);
}

TEST(WindowPlace, TextFormRoundTripsAndInvalidIsEmpty) {
    const TWindowPlace place{true, -4, 30, 640, 480, WindowMaximised};
    EXPECT_EQ(WindowPlaceText(place), "-4,30,640,480,2");
    EXPECT_EQ(ParseWindowPlace(WindowPlaceText(place), {}), place);
    EXPECT_EQ(WindowPlaceText({false, 1, 2, 3, 4, 0}), "");
}

TEST(WindowPlace, ReachablePlacesLieOnTheirArea) {
    // A screen of 1600 x 1000 whose available area starts below a panel.
    const TRect area{0, 40, 1600, 960};
    struct TCase {
        TWindowPlace Stored, Reachable;
    };
    const TCase cases[] = {
        {{true, 100, 80, 800, 600, 0}, {true, 100, 80, 800, 600, 0}}, // already there
        {{true, 3000, 3000, 800, 600, 0}, {true, 800, 400, 800, 600, 0}}, // whole window on
        {{true, 0, 0, 40000, 30000, 0}, {true, 0, 40, 1600, 960, 0}},
        {{true, -500, -500, 300, 200, 2}, {true, 0, 40, 300, 200, 2}},
        {{true, 1500, 500, 300, 200, 0}, {true, 1300, 500, 300, 200, 0}},
        {{true, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0}, {true, 0, 40, 1600, 960, 0}},
        {{true, INT_MIN, INT_MIN, 10, 10, 1}, {true, 0, 40, 10, 10, 1}},
        {{true, 100, 1990, 300, 10, 0}, {true, 100, 990, 300, 10, 0}},
        {{true, 5000, 5000, 0, 0, 0}, {true, 5000, 5000, 0, 0, 0}},  // no size: left as it is
        {{false, 5000, 5000, 10, 10, 0}, {false, 5000, 5000, 10, 10, 0}},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(ReachablePlace(c.Stored, area), c.Reachable) << c.Stored;
    // An area far from the origin, where edge plus extent passes the int range.
    const TRect far{INT_MAX - 1000, 0, 1000, 800};
    EXPECT_EQ(ReachablePlace({true, 0, 0, 5000, 5000, 0}, far),
              (TWindowPlace{true, INT_MAX - 1000, 0, 1000, 800, 0}));
}

TEST(PageLimits, MarginsAndBoxesStayOnThePage) {
    const TPageSize a4{210, 297};
    const std::pair<int, int> margins[] = {{10, 10},  {0, 0},     {-1, 0},      {105, 105},
                                           {106, 105}, {INT_MAX, 105}, {INT_MIN, 0}};
    for (const auto &[margin, held] : margins)
        EXPECT_EQ(ClampMargin(margin, a4.Width), held) << margin;
    EXPECT_EQ(ClampMargin(INT_MAX, a4.Height), 148);

    TPrintLayout layout;
    layout.LeftMargin = layout.RgtMargin = INT_MAX;
    layout.TopMargin = layout.HeaderMargin = INT_MIN;
    layout.BottomMargin = layout.FooterMargin = 200;
    ClampMargins(layout, a4);
    EXPECT_EQ(layout.LeftMargin, 105);
    EXPECT_EQ(layout.RgtMargin, 105);
    EXPECT_EQ(layout.TopMargin, 0);
    EXPECT_EQ(layout.HeaderMargin, 0);
    EXPECT_EQ(layout.BottomMargin, 148);
    EXPECT_EQ(layout.FooterMargin, 148);

    struct TCase {
        TPrintBox Stored, Held;
    };
    const TCase boxes[] = {
        {{true, 40, 27, 140, 140}, {true, 40, 27, 140, 140}},
        {{false, 200, 280, 50, 50}, {false, 200, 280, 10, 17}}, // to the page's edge
        {{true, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {true, 210, 297, 0, 0}},
        {{true, INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {true, 0, 0, 210, 297}},
        {{true, 10, 10, INT_MIN, -5}, {true, 10, 10, 0, 0}},
    };
    for (const TCase &c : boxes)
        EXPECT_EQ(ClampBox(c.Stored, a4), c.Held) << c.Stored;
}

TEST(PrintBox, ReadsTheEnabledFlagAndFallsBackToEnabledDefaults) {
    const TPrintBox fallback{false, 40, 27, 140, 140};
    struct Case {
        const char *Text;
        TPrintBox Expected;
    };
    const Case cases[] = {
        {"1,2,3,4,1", {true, 1, 2, 3, 4}},
        {"1,2,3,4,0", {false, 1, 2, 3, 4}},
        {"1,2,3,4,7", {true, 1, 2, 3, 4}},
        // Malformed: the default's numbers, enabled whatever the default said.
        {"1,2,3,4", {true, 40, 27, 140, 140}},
        {"1,2,3,4,x", {true, 40, 27, 140, 140}},
        {"", {true, 40, 27, 140, 140}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ParsePrintBox(c.Text, fallback), c.Expected) << '"' << c.Text << '"';
    EXPECT_EQ(PrintBoxText({true, 40, 27, 140, 140}), "40,27,140,140,1");
    EXPECT_EQ(PrintBoxText({false, 0, 0, 180, 21}), "0,0,180,21,0");
}

TEST(FontSpec, ReadsQuotedNameAndThreeNumbers) {
    struct Case {
        const char *Text;
        TFontSpec Expected;
    };
    const Case cases[] = {
        {"\"Arial\",16,0,0", {true, "Arial", 16, 0, 0}},
        {"\"Courier New\",12,0,3", {true, "Courier New", 12, 0, FontBold | FontItalic}},
        {"\"Arial\",8,255,15",
         {true, "Arial", 8, 255, FontBold | FontItalic | FontUnderline | FontStrikeOut}},
        {"\"Arial\",9,-2147483643,2", {true, "Arial", 9, -2147483643, FontItalic}},
        {"\"Tæt Skrift\",10,0,0", {true, "Tæt Skrift", 10, 0, 0}},
        {"Arial,16,0,0", {}},      // no quotes
        {"\"Arial,16,0,0", {}},    // no closing quote
        {"\"Arial\",16,0", {}},    // two commas
        {"\"Arial\",x,0,0", {}},   // not a number
        {"\"Arial\"x,16,0,0", {}}, // something between the name and the first comma
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ParseFontSpec(c.Text), c.Expected) << c.Text;
}

TEST(FontSpec, KeepsFortyCharactersOfTheName) {
    const std::string longName(45, 'x');
    EXPECT_EQ(ParseFontSpec("\"" + longName + "\",10,0,0").Name, std::string(40, 'x'));
    // Characters, not bytes.
    std::string umlauts;
    for (int i = 0; i < 45; ++i)
        umlauts += "ü";
    const std::string name = ParseFontSpec("\"" + umlauts + "\",10,0,0").Name;
    EXPECT_EQ(name.size(), 80u);
}

TEST(FontSpec, TextFormRoundTripsAndInvalidIsEmpty) {
    const TFontSpec font{true, "DejaVu Sans", 12, 255, FontBold};
    EXPECT_EQ(FontSpecText(font), "\"DejaVu Sans\",12,255,1");
    EXPECT_EQ(ParseFontSpec(FontSpecText(font)), font);
    EXPECT_EQ(FontSpecText({}), "");
}

TEST(Flags, ShortValuesAreCompletedFromTheDefault) {
    struct Case {
        const char *Text;
        const char *Default;
        const char *Expected; // the flags read, as '1' and '0'
    };
    const Case cases[] = {
        {"101", "11111", "10111"},
        {"", "100011001", "100011001"},
        {"1", "100011001", "100011001"},
        {"01", "100011001", "010011001"},
        {"000000000", "100011001", "000000000"},
        {"111111", "1111", "1111"}, // longer than needed: the rest is ignored
        {"1x0", "1111", "1001"},    // anything but '1' is off
    };
    for (const Case &c : cases) {
        const int count = static_cast<int>(std::string(c.Default).size());
        std::array<bool, 9> flags{};
        ParseFlags(c.Text, c.Default, flags.data(), count);
        EXPECT_EQ(FlagsText(flags.data(), count), c.Expected) << '"' << c.Text << '"';
    }
}

TEST(WindowFrame, StoreTakesBoundsOnlyInTheNormalState) {
    const TWindowPlace before{false, 1, 2, 3, 4, WindowNormal};
    struct Case {
        bool HasWindow;
        TWindowFrame Window;
        TWindowPlace Expected;
    };
    const Case cases[] = {
        {true, {{10, 20, 300, 400}, WindowNormal}, {true, 10, 20, 300, 400, WindowNormal}},
        {true, {{0, 0, 1920, 1080}, WindowMaximised}, {true, 1, 2, 3, 4, WindowMaximised}},
        {true, {{0, 0, 0, 0}, WindowMinimised}, {true, 1, 2, 3, 4, WindowMinimised}},
        {false, {}, {false, 1, 2, 3, 4, WindowNormal}},
    };
    for (const Case &c : cases) {
        TWindowPlace place = before;
        StorePlace(c.HasWindow ? &c.Window : nullptr, place);
        EXPECT_EQ(place, c.Expected) << "state " << c.Window.State;
    }
}

TEST(WindowFrame, RestoreSetsBoundsOnlyInTheNormalState) {
    TWindowFrame window{{5, 6, 7, 8}, WindowNormal};
    TWindowPlace maximised{false, 10, 20, 300, 400, WindowMaximised};
    RestorePlace(window, maximised);
    EXPECT_EQ(window.State, WindowMaximised);
    EXPECT_EQ(window.Bounds, (TRect{5, 6, 7, 8}));
    EXPECT_TRUE(maximised.Valid);

    TWindowPlace normal{false, 10, 20, 300, 400, WindowNormal};
    RestorePlace(window, normal);
    EXPECT_EQ(window.State, WindowNormal);
    EXPECT_EQ(window.Bounds, (TRect{10, 20, 300, 400}));
    EXPECT_TRUE(normal.Valid);
}

} // namespace
