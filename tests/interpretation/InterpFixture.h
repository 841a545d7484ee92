// A fixed chart for the interpretation tests: activated over a synthetic ephemeris, then
// given hand-picked positions, cusps, aspects, transits and house periods, so that every
// row the interpretation makes is known in advance. Fake books answer every key in books
// 1 and 2 unless a test takes a key away.
#pragma once

#include "Interpretation.h"

#include "Angles.h"
#include "Horoscope.h"
#include "Language.h"
#include "ProgramDirectory.h"
#include "SyntheticEphemeris.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace kyr::test {

/// One passage key as the handlers receive it, "BB/CC/33/44".
inline std::string Key(const std::string &book, const std::string &chapter,
                       const std::string &code3, const std::string &code4) {
    return book + "/" + chapter + "/" + code3 + "/" + code4;
}

/// Books 1 and 2 hold a passage for every key (chapter 18 only book 1), except the keys in
/// Missing; every question is recorded.
class TFakeBooks {
public:
    std::set<std::string> Missing;        ///< full keys without a passage
    std::set<std::string> MissingChapter; ///< "CC/33/44" keys that no book has
    std::set<std::string> OnlyBook1;      ///< "CC/33/44" keys that only book 1 has
    std::vector<std::string> BookQuestions;
    std::vector<std::string> ChapterQuestions;
    std::vector<std::string> SynastryQuestions;
    std::set<std::string> EmptyAttitude;

    static std::string Passage(const std::string &key) { return "Text " + key + "\r"; }
    static std::string Attitude(const std::string &key) { return "Key " + key; }

    void Connect(TInterpretation &interp) {
        interp.OnGetBooks = [this](TInterpretation &, const std::string &chapter,
                                   const std::string &code3, const std::string &code4, int &count,
                                   std::span<std::uint8_t> books) {
            const std::string family = chapter + "/" + code3 + "/" + code4;
            BookQuestions.push_back(family);
            count = 0;
            if (MissingChapter.count(family))
                return;
            const int last = chapter == "18" || OnlyBook1.count(family) ? 1 : 2;
            for (int b = 1; b <= last && count < static_cast<int>(books.size()); ++b) {
                books[count++] = static_cast<std::uint8_t>(b);
                if (count < static_cast<int>(books.size()))
                    books[count] = 0;
            }
        };
        interp.OnGetChapter = [this](TInterpretation &, const std::string &book,
                                     const std::string &chapter, const std::string &code3,
                                     const std::string &code4, std::string &attitude,
                                     std::ostream &text) {
            const std::string key = Key(book, chapter, code3, code4);
            ChapterQuestions.push_back(key);
            attitude.clear();
            const std::string family = chapter + "/" + code3 + "/" + code4;
            if (Missing.count(key) || MissingChapter.count(family) ||
                (book != "01" && (chapter == "18" || OnlyBook1.count(family))))
                return;
            if (!EmptyAttitude.count(key))
                attitude = Attitude(key);
            text << Passage(key);
        };
        interp.OnGetSynastryChapter = [this](TInterpretation &, const std::string &book,
                                             const std::string &chapter, const std::string &code3,
                                             const std::string &code4, std::string &attitude,
                                             std::ostream &text) {
            const std::string key = Key(book, chapter, code3, code4);
            SynastryQuestions.push_back(key);
            attitude = "Title " + key;
            // As in the tables: no line break after the last line of a passage.
            text << "Synastry " << key;
        };
    }
};

/// Degrees in sign and house of the fixed chart (cusp h at 215° + 30°·(h − 1)).
struct TFixedBody {
    int Body;
    int Degrees;
    int Sign;
    int House;
};

inline constexpr TFixedBody FixedBodies[12] = {
    {1, 130, 5, 10}, {2, 250, 9, 2},  {3, 75, 3, 8},    {4, 100, 4, 9},
    {5, 10, 1, 6},   {6, 40, 2, 7},   {7, 200, 7, 12},  {8, 280, 10, 3},
    {9, 310, 11, 4}, {10, 220, 8, 1}, {11, 340, 12, 5}, {12, 160, 6, 11},
};

/// Gives an active chart the fixed layout. Mercury is retrograde; the Ascendant is in
/// Scorpio (ruler Mars, co-ruler Pluto).
/// A partner chart takes the same layout turned by bodyShift and firstCusp − 215 degrees.
inline void FillFixedChart(THoroscope &h, int firstCusp = 215, int bodyShift = 0) {
    for (const TFixedBody &b : FixedBodies)
        h.Positions[b.Body] = DegToRad(static_cast<Extended>((b.Degrees + bodyShift) % 360));
    for (int c = 1; c <= 12; ++c)
        h.CuspTable[c] = DegToRad(static_cast<Extended>((firstCusp + 30 * (c - 1)) % 360));
    h.CuspTable[0] = h.CuspTable[12];
    h.CuspTable[13] = h.CuspTable[1];
    h.Positions[PointMC] = h.CuspTable[10];
    h.RetrogradeFlags.fill(false);
    h.RetrogradeFlags[3] = true;

    const TAspectRecord aspects[] = {
        {1, 2, 8, 30},   // 1 Sun trine Moon
        {2, 13, 0, 120}, // 2 Moon conjunct Ascendant
        {3, 4, 12, 300}, // 3 Mercury opposite Venus, 5° off (max 12°)
        {4, 14, 4, 60},  // 4 Venus sextile MC
        {5, 11, 6, 0},   // 5 Mars square North Node
        {7, 12, 9, 800}, // 6 Saturn sesquiquadrate South Node, beyond its 3° maximum
        {12, 14, 0, 10}, // 7 South Node conjunct MC
    };
    h.AspectCount = 0;
    for (const TAspectRecord &a : aspects)
        h.Aspects[h.AspectCount++] = a;

    const TTransitRecord transits[] = {
        {2, 0, 1, 19960310, 19960620},   // 1 Saturn conjunct Sun
        {1, 8, 110, 19960101, 19960301}, // 2 Jupiter trine MC
        {3, 12, 12, 19960501, 19960901}, // 3 Uranus opposite South Node
        {4, 0, 102, 19960101, 19960201}, // 4 Neptune on the 2nd cusp: no row
        {5, 6, 11, 19961001, 19961201},  // 5 Pluto square North Node
    };
    h.TransitCount = 0;
    for (const TTransitRecord &t : transits)
        h.Transits[h.TransitCount++] = t;

    // House stories over 1996-1997 (day 0 = 1 January 1996).
    auto story = [&](int index, std::vector<std::pair<int, int>> entries) {
        auto &block = h.HouseStories[index];
        block.fill(0);
        int at = CuspTextLength;
        for (auto [day, house] : entries) {
            block[at] = static_cast<std::uint8_t>(day & 0xFF);
            block[at + 1] = static_cast<std::uint8_t>(day >> 8);
            block[at + 2] = static_cast<std::uint8_t>(house);
            at += 3;
        }
    };
    story(1, {{0, 12}, {100, 1}, {731, 0}}); // Saturn
    story(0, {{0, 7}, {200, 0}});            // Jupiter
}

/// The English texts, a synthetic ephemeris and the fixed chart.
class InterpTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language = new TLanguage;
        Language->SetCountry("UK");
        Language->SetActive(true);
        Directory = ScratchDirectory("interp");
        WriteSyntheticEphemeris(Directory, 6000, UniformSample);
    }
    static void TearDownTestSuite() {
        UseEphemerisIn({});
        std::filesystem::remove_all(Directory);
        delete Language;
        Language = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(Language->Active()) << "KYR_UK.TXT not loaded";
        UseEphemerisIn(Directory);
        Activate(Chart);
        Chart.FirstName = "Ann";
        FillFixedChart(Chart);
        Interp.SetLanguage(Language);
        Interp.SetHoroscope(&Chart);
        Interp.SetMainTitleBox(&MainTitles);
        Interp.SetSubTitleBox(&SubTitles);
        Interp.SetBookButtons(&Books);
        Interp.SetAttitudeLabel(&Attitude);
        Interp.SetInterpMemo(&Memo);
        Interp.SetBirthButton(&Birth);
        Interp.SetPeriodButton(&Period);
        Interp.SetBothButton(&Both);
        Interp.OnInformation = [this](const std::string &m) { Messages.push_back(m); };
        Interp.OnBeep = [this] { ++Beeps; };
        Interp.OnSelection = [this](TInterpretation &, TSelectType t, int ref) {
            Selections.emplace_back(t, ref);
        };
        Fake.Connect(Interp);
    }

    static void Activate(THoroscope &h) {
        h.SetBirthDate(1941.0806L);
        h.SetBirthTime(4.16L);
        h.SetZoneTime(-1);
        h.SetLatitude(48.0830L);
        h.SetLongitude(-11.3400L);
        h.SetOptions(OptionAspects | OptionTransits);
        h.SetActive(true);
    }

    /// The rows of main title ix as (chapter, Code3, Code4, Aspect).
    std::vector<std::tuple<int, int, int, int>> RowsOf(int ix) const {
        std::vector<std::tuple<int, int, int, int>> rows;
        for (int r = 0; r < Interp.RowCount(); ++r)
            if (Interp.Row(r).Ix == ix)
                rows.emplace_back(Interp.Row(r).ChapCode, Interp.Row(r).Code3, Interp.Row(r).Code4,
                                  Interp.Row(r).Aspect);
        return rows;
    }
    std::vector<std::string> TextsOf(int ix) const {
        std::vector<std::string> texts;
        for (int r = 0; r < Interp.RowCount(); ++r)
            if (Interp.Row(r).Ix == ix)
                texts.push_back(Interp.Row(r).TitleText);
        return texts;
    }
    /// Position of the first row with this key; −1 when none.
    int FindRow(int chapter, int code3, int code4) const {
        for (int r = 0; r < Interp.RowCount(); ++r)
            if (Interp.Row(r).ChapCode == chapter && Interp.Row(r).Code3 == code3 &&
                Interp.Row(r).Code4 == code4)
                return r;
        return -1;
    }
    std::vector<std::string> Items(const TComboBoxModel &box) const {
        std::vector<std::string> items;
        for (int i = 0; i < box.Count(); ++i)
            items.push_back(box.Text(i));
        return items;
    }

    static inline TLanguage *Language = nullptr;
    static inline std::filesystem::path Directory;
    THoroscope Chart;
    TInterpretation Interp;
    TFakeBooks Fake;
    TComboBoxModel MainTitles;
    TComboBoxModel SubTitles;
    TRadioGroupModel Books;
    TLabelModel Attitude;
    TMemoModel Memo;
    TRadioButtonModel Birth;
    TRadioButtonModel Period;
    TRadioButtonModel Both;
    std::vector<std::string> Messages;
    int Beeps = 0;
    std::vector<std::pair<TSelectType, int>> Selections;
};

} // namespace kyr::test
