// The selection panel on the fixed chart of the wheel tests (Ascendant 10 degrees Aries,
// equal houses, one body in the middle of each house): what each hit shows, how the buttons
// and the drop-down lists mirror choices into the wheel and the interpretation, and the
// house periods read from hand-made house stories.
#include "SelectionPanel.h"
#include "WheelRenderHelpers.h"

#include "Calendar.h"
#include "HousePeriods.h"
#include "InterpretationTarget.h"
#include "Language.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <fstream>
#include <iterator>
#include <map>

using namespace kyr;
using namespace kyr::test;

namespace {

using H = TWheelHitType;

// Records what the panel asks of the interpretation window.
class TRecordingInterpretation : public TInterpretationTarget {
public:
    std::vector<std::string> Calls;
    void ShowBody(int b) override { Add("ShowBody", b); }
    void ShowSign(int s) override { Add("ShowSign", s); }
    void ShowHouse(int h) override { Add("ShowHouse", h); }
    void ShowCusp(int c) override { Add("ShowCusp", c); }
    void ShowAspect(int n) override { Add("ShowAspect", n); }
    void ShowTransit(int n) override { Add("ShowTransit", n); }
    void ShowBodyInSign(int b, int s) override { Add("ShowBodyInSign", b, s); }
    void ShowBodyInHouse(int b, int h) override { Add("ShowBodyInHouse", b, h); }
    void ShowCuspInSign(int c, int s) override { Add("ShowCuspInSign", c, s); }
    void SelectHousePeriod(int start, int h) override { Add("SelectHousePeriod", start, h); }

private:
    void Add(const char *name, int a, int b = -1) {
        Calls.push_back(std::string(name) + " " + std::to_string(a) +
                        (b >= 0 ? " " + std::to_string(b) : ""));
    }
};

// One story entry: day index from 1 January of FromYear and the house.
struct TStoryEntry {
    int Day;
    int House;
};

void SetStory(THoroscope &h, int index, const std::vector<TStoryEntry> &entries) {
    auto &block = h.HouseStories[index];
    block.fill(0);
    int at = 26;
    for (const TStoryEntry &e : entries) {
        block[at] = static_cast<std::uint8_t>(e.Day & 0xFF);
        block[at + 1] = static_cast<std::uint8_t>(e.Day >> 8);
        block[at + 2] = static_cast<std::uint8_t>(e.House);
        at += 3;
    }
}

int YmdPlusDays(int year, int days) {
    return YmdFromJulianDay(1500, JulianDayFromYmd(year * 10000 + 101, true) + days);
}

QString DateText(int ymd) {
    return QString::fromStdString(YmdToDateString(ymd));
}

class SelectionPanel : public WheelRendering {
protected:
    void SetUp() override {
        WheelRendering::SetUp();
        // The program directory is the scratch directory of the ephemeris: the English texts
        // come from their source.
        Language.OnGetTokens = [](TLanguage &, const std::string &, std::string &stream) {
            std::ifstream in(KYR_UK_TEXTS, std::ios::binary);
            stream.assign(std::istreambuf_iterator<char>(in), {});
        };
        Language.SetCountry("UK");
        Language.SetActive(true);
        ASSERT_TRUE(Language.Active()) << "cannot read " << KYR_UK_TEXTS;
        MakeChart(Chart);
        // The Sun's opposition to the Moon is 1 degree 30 minutes from exact.
        Chart.Aspects[0].Deviation = 90;
        Chart.TransitCount = 0;
        AddTransit(1, 0, 1, 20000110, 20000320);    // Jupiter conjunct the Sun
        AddTransit(2, 12, 101, 20000401, 20000601); // Saturn opposite the Ascendant
        AddTransit(2, 8, 1, 20001001, 20001201);    // Saturn trine the Sun
        Wheel.resize(400, 400);
        Wheel.SetShowAspects(true);
        Wheel.SetHoroscope(&Chart);
        Wheel.LayoutFor(ToRectI(Wheel.rect()));
        Panel = std::make_unique<TSelectionPanel>(Language, Chart, new QLabel);
        Panel->Wheel = [this]() -> TWheel * { return WheelOpen ? &Wheel : nullptr; };
        Panel->Interpretation = [this]() -> TInterpretationTarget * { return &Interp; };
    }
    void TearDown() override {
        Panel.reset();
        Wheel.SetHoroscope(nullptr);
        WheelRendering::TearDown();
    }

    void AddTransit(int body, int aspect, int point, int start, int end) {
        Chart.Transits[Chart.TransitCount++] = {body, aspect, point, start, end};
    }
    QString ButtonText(int n) const { return Panel->Button(n)->text(); }
    /// Clicks button n and returns the lines of the list it dropped down.
    QStringList DropDown(int n) {
        Panel->Button(n)->click();
        QStringList lines;
        for (QAction *item : Panel->DropDown().Pool())
            if (item->isVisible())
                lines << item->text();
        Panel->DropDown().Menu()->hide();
        return lines;
    }
    void ClickLine(int i) { Panel->DropDown().Pool()[i]->trigger(); }

    TLanguage Language;
    THoroscope Chart;
    TWheel Wheel;
    bool WheelOpen = true;
    TRecordingInterpretation Interp;
    std::unique_ptr<TSelectionPanel> Panel;
};

TEST_F(SelectionPanel, EachHitShowsItsPageNamesAndCounts) {
    struct TCase {
        H Kind;
        int Ref;
        int Page;
        std::map<int, QString> Buttons; // SpeedButtonN: text
        std::map<int, QString> Labels;  // LabelN: text
        std::string Interpretation;
    };
    const TCase cases[] = {
        {H::htBody,
         1,
         3,
         {{12, "Sun"},
          {13, "in Aries"},
          {14, "in the 1st House"},
          {15, "Aspects: 3"},
          {16, "Transits: 2"}},
         {{4, "25.00"}},
         "ShowBody 1"},
        {H::htBody,
         2,
         3,
         {{12, "Moon"},
          {13, "in Libra"},
          {14, "in the 7th House"},
          {15, "Aspects: 1"},
          {16, "Transits: 0"}},
         {{4, "25.00"}},
         "ShowBody 2"},
        {H::htSign, 1, 0, {{1, "Aries"}, {2, "Bodies: 1"}}, {}, "ShowSign 1"},
        {H::htHouse,
         3,
         1,
         {{4, "3rd House"}, {5, "Bodies: 1"}, {7, "Transits: 0"}},
         {{1, "From 10.00 Gemini to 10.00 Cancer"}},
         "ShowHouse 3"},
        {H::htHouse,
         12,
         1,
         {{4, "12th House"}},
         {{1, "From 10.00 Pisces to 10.00 Aries"}},
         "ShowHouse 12"},
        {H::htHouseCusp,
         2,
         2,
         {{9, "2nd House Cusp"}, {10, "in Taurus"}},
         {{3, "10.00"}},
         "ShowCusp 2"},
        {H::htAxis,
         1,
         2,
         {{9, "Ascendant"}, {10, "in Aries"}, {18, "Transits: 1"}},
         {},
         "ShowCusp 1"},
        {H::htAxis,
         4,
         2,
         {{9, "Midheaven"}, {10, "in Capricorn"}, {18, "Transits: 0"}},
         {},
         "ShowCusp 10"},
        {H::htAspect, 1, 4, {{17, "Sun Opposition Moon, orb 1.30"}}, {}, "ShowAspect 1"},
        {H::htAspect, 2, 4, {{17, "Sun Trine Jupiter, orb 0.00"}}, {}, "ShowAspect 2"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.Kind)) + " " + std::to_string(c.Ref));
        Interp.Calls.clear();
        Panel->ShowItem(c.Kind, c.Ref);
        EXPECT_EQ(c.Page, Panel->currentIndex());
        for (const auto &[n, text] : c.Buttons)
            EXPECT_EQ(text.toStdString(), ButtonText(n).toStdString()) << "SpeedButton" << n;
        for (const auto &[n, text] : c.Labels)
            EXPECT_EQ(text.toStdString(), Panel->Label(n)->text().toStdString()) << "Label" << n;
        EXPECT_EQ(std::vector<std::string>{c.Interpretation}, Interp.Calls);
    }
    // Count buttons are enabled exactly when they have something to list.
    Panel->ShowItem(H::htBody, 2);
    EXPECT_TRUE(Panel->Button(15)->isEnabled());
    EXPECT_FALSE(Panel->Button(16)->isEnabled());

    // Only the four angles count transits; other cusps hide the button.
    Panel->ShowItem(H::htAxis, 1);
    EXPECT_FALSE(Panel->Button(18)->isHidden());
    EXPECT_TRUE(Panel->Button(18)->isEnabled());
    Panel->ShowItem(H::htHouseCusp, 2);
    EXPECT_TRUE(Panel->Button(18)->isHidden());

    // A click on nothing turns to the summary.
    bool summary = false;
    Panel->OnShowSummary = [&] { summary = true; };
    Panel->ShowItem(H::htNothing, 0);
    EXPECT_TRUE(summary);
}

TEST_F(SelectionPanel, ASignWithoutBodiesDisablesItsCountButton) {
    // Every body in Aries or Taurus.
    SetBodies(Chart, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 40});
    Panel->ShowSignPanel(siGemini);
    EXPECT_EQ("Bodies: 0", ButtonText(2));
    EXPECT_FALSE(Panel->Button(2)->isEnabled());
    Panel->ShowSignPanel(siAries);
    EXPECT_EQ("Bodies: 11", ButtonText(2));
    EXPECT_TRUE(Panel->Button(2)->isEnabled());
    EXPECT_EQ(11, DropDown(2).size());
    // The house page shares the count.
    EXPECT_EQ("Bodies: 11", ButtonText(5));
}

TEST_F(SelectionPanel, ButtonsMirrorTheirItemIntoTheWheelAndTheInterpretation) {
    struct TCase {
        int Cusp; // 0: the Sun's page, else the page of this cusp
        int Button;
        std::string Interpretation;
        TWheelSelection Selected;
    };
    const auto selection = [](int house, int sign, int cusp, int axis, std::vector<int> bodies) {
        TWheelSelection s;
        s.House = house;
        s.Sign = sign;
        s.Cusp = cusp;
        s.Axis = axis;
        s.Bodies = std::move(bodies);
        return s;
    };
    const TCase cases[] = {
        {0, 12, "ShowBody 1", selection(-1, -1, -1, -1, {1})},
        {0, 13, "ShowBodyInSign 1 1", selection(-1, 1, -1, -1, {})},
        {0, 14, "ShowBodyInHouse 1 1", selection(1, -1, -1, -1, {})},
        {0, 1, "ShowSign 1", selection(-1, 1, -1, -1, {})},
        {0, 4, "ShowHouse 1", selection(1, -1, -1, -1, {})},
        {10, 9, "ShowCusp 10", selection(-1, -1, -1, 4, {})},
        {10, 10, "ShowCuspInSign 10 10", selection(-1, 10, -1, -1, {})},
        {7, 9, "ShowCusp 7", selection(-1, -1, -1, 3, {})},
        {2, 9, "ShowCusp 2", selection(-1, -1, 2, -1, {})},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE("cusp " + std::to_string(c.Cusp) + ", SpeedButton" + std::to_string(c.Button));
        if (c.Cusp == 0)
            Panel->ShowBodyPanel(plSun);
        else
            Panel->ShowCuspPanel(c.Cusp);
        Wheel.SetBlinking(false);
        Interp.Calls.clear();
        Panel->Button(c.Button)->click();
        EXPECT_EQ(std::vector<std::string>{c.Interpretation}, Interp.Calls);
        const TWheelSelection &s = Wheel.Selection();
        EXPECT_EQ(c.Selected.House, s.House);
        EXPECT_EQ(c.Selected.Sign, s.Sign);
        EXPECT_EQ(c.Selected.Cusp, s.Cusp);
        EXPECT_EQ(c.Selected.Axis, s.Axis);
        EXPECT_EQ(c.Selected.Bodies, s.Bodies);
        EXPECT_TRUE(Wheel.Blinking());
    }
    // The sign buttons add to what blinks; the name buttons start afresh.
    Panel->ShowBodyPanel(plSun);
    Panel->Button(12)->click();
    Panel->Button(13)->click();
    EXPECT_EQ(std::vector<int>{1}, Wheel.Selection().Bodies);
    EXPECT_EQ(1, Wheel.Selection().Sign);
    Panel->Button(4)->click();
    EXPECT_TRUE(Wheel.Selection().Bodies.empty());
}

TEST_F(SelectionPanel, BodyListsSelectTheChosenBodyInSignOrHouse) {
    // Sun and Mercury in Aries and in the first house.
    TTwelve bodies = FixedBodies;
    bodies[2] = 20;
    SetBodies(Chart, bodies);

    Panel->ShowHousePanel(1);
    EXPECT_EQ((QStringList{"Sun in 1st House", "Mercury in 1st House"}), DropDown(5));
    EXPECT_EQ(TSelectionPanel::ddBodies, Panel->DropDownMode());
    Wheel.SetBlinking(false);
    Interp.Calls.clear();
    ClickLine(1);
    EXPECT_EQ(std::vector<std::string>{"ShowBodyInHouse 3 1"}, Interp.Calls);
    EXPECT_EQ(std::vector<int>{3}, Wheel.Selection().Bodies);

    Panel->ShowSignPanel(siAries);
    EXPECT_EQ((QStringList{"Sun in Aries", "Mercury in Aries"}), DropDown(2));
    Interp.Calls.clear();
    ClickLine(0);
    EXPECT_EQ(std::vector<std::string>{"ShowBodyInSign 1 1"}, Interp.Calls);
    // Without the wheel window the list does nothing.
    WheelOpen = false;
    Interp.Calls.clear();
    ClickLine(1);
    EXPECT_TRUE(Interp.Calls.empty());
}

TEST_F(SelectionPanel, AspectAndTransitListsNameTheShownBodyAndOpenTheirItems) {
    Panel->ShowBodyPanel(plMoon);
    // The Moon is the second point of the opposition, yet named first.
    EXPECT_EQ(QStringList{"Moon Opposition Sun, orb 1.30"}, DropDown(15));
    EXPECT_EQ(TSelectionPanel::ddAspects, Panel->DropDownMode());
    Interp.Calls.clear();
    ClickLine(0);
    EXPECT_EQ(std::vector<std::string>{"ShowAspect 1"}, Interp.Calls);
    EXPECT_EQ(1, Wheel.Selection().Aspect);
    EXPECT_EQ((std::vector<int>{1, 2}), Wheel.Selection().Bodies);

    Panel->ShowBodyPanel(plSun);
    EXPECT_EQ(3, DropDown(15).size());
    const QStringList transits = DropDown(16);
    EXPECT_EQ(
        (QStringList{DateText(20000110) + " -> " + DateText(20000320) + " Jupiter Conjunction Sun",
                     DateText(20001001) + " -> " + DateText(20001201) + " Saturn Trine Sun"}),
        transits);
    EXPECT_EQ(TSelectionPanel::ddTransits, Panel->DropDownMode());
    Interp.Calls.clear();
    ClickLine(1);
    EXPECT_EQ(std::vector<std::string>{"ShowTransit 3"}, Interp.Calls);

    Panel->ShowCuspPanel(1);
    EXPECT_EQ(QStringList{DateText(20000401) + " -> " + DateText(20000601) +
                          " Saturn Opposition Ascendant"},
              DropDown(18));
}

TEST_F(SelectionPanel, HousePeriodsComeFromTheJupiterAndSaturnStories) {
    Chart.SetFromYear(2000);
    // Jupiter: house 3 from day 0, house 4 from day 100, until day 400.
    SetStory(Chart, 0, {{0, 3}, {100, 4}, {400, 0}});
    // Saturn: house 2, then house 3 from day 50 until day 900.
    SetStory(Chart, 1, {{0, 2}, {50, 3}, {900, 0}});
    const std::vector<THousePeriod> expected = {
        {20000101, YmdPlusDays(2000, 99), 1},
        {YmdPlusDays(2000, 50), YmdPlusDays(2000, 899), 2},
    };
    EXPECT_EQ(expected, HousePeriods(Chart, 3));
    EXPECT_EQ(20000409, expected[0].EndYmd);
    EXPECT_TRUE(HousePeriods(Chart, 5).empty());

    Panel->ShowHousePanel(3);
    EXPECT_EQ("Transits: 2", ButtonText(7));
    EXPECT_TRUE(Panel->Button(7)->isEnabled());
    const QStringList lines = DropDown(7);
    ASSERT_EQ(2, lines.size());
    EXPECT_EQ(DateText(20000101) + " to " + DateText(20000409) + ": Jupiter through the 3rd House",
              lines[0]);
    EXPECT_TRUE(lines[1].endsWith(": Saturn through the 3rd House"));
    Interp.Calls.clear();
    ClickLine(1);
    EXPECT_EQ(std::vector<std::string>{"SelectHousePeriod " +
                                       std::to_string(YmdPlusDays(2000, 50)) + " 3"},
              Interp.Calls);

    // The periods follow the house only while the house page shows.
    Panel->ShowHousePanel(5);
    EXPECT_EQ("Transits: 0", ButtonText(7));
    EXPECT_FALSE(Panel->Button(7)->isEnabled());
}

} // namespace
