#include "Aspects.h"
#include "Angles.h"
#include "Horoscope.h"
#include "OrbSets.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace kyr;

namespace {

struct Rec {
    int P1, P2, E;
    Extended Dev;
    bool operator==(const Rec &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Rec &r) {
    return os << "(" << r.P1 << ", " << r.P2 << ", " << r.E << ", " << static_cast<double>(r.Dev)
              << ")";
}

std::vector<Rec> Records(const THoroscope &h) {
    std::vector<Rec> out;
    Rec r{};
    for (int n = 1; h.GetAspect(n, r.P1, r.P2, r.E, r.Dev); ++n)
        out.push_back(r);
    return out;
}

// Longitudes are given in minutes of arc.
void Place(THoroscope &h, int point, Extended minutes) {
    const Extended radians = minutes * Pi / 10800;
    if (point == AspectPointAscendant)
        h.CuspTable[1] = radians;
    else if (point == AspectPointMC)
        h.CuspTable[10] = radians;
    else
        h.Positions[point] = radians;
}

// Points 797 minutes apart (797 shares no factor with the 900 of a slot), half a minute off the
// grid: no two of them lie a whole number of slots apart, so with orbs 0 they form no aspect.
void Spread(THoroscope &h) {
    for (int p = 1; p <= AspectPointCount; ++p)
        Place(h, p, 797 * p + 0.5L);
}

struct Orb {
    int Slot, Point, Degrees;
};

// Orbs for Sun and Moon alike.
std::vector<Orb> Both(int slot, int degrees) {
    return {{slot, 1, degrees}, {slot, 2, degrees}};
}

std::vector<Orb> operator+(std::vector<Orb> a, const std::vector<Orb> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct PairCase {
    const char *Name;
    Extended Sun, Moon; // minutes of arc
    std::vector<Orb> Orbs;
    std::vector<Rec> Expected;
};

void PrintTo(const PairCase &c, std::ostream *os) {
    *os << c.Name;
}

class SunMoonAspects : public ::testing::TestWithParam<PairCase> {};

// Separations carry an extra quarter minute: minutes to radians and back again may land just
// below the whole minute, and the truncation would then lose it.
// The slots of 15 degrees (2) and of 165 degrees (12) get wide orbs where a candidate folds
// onto them, so that a missing skip would show up as an extra record.
const PairCase PairCases[] = {
    {"TrineExact", 600, 7800.25L, Both(9, 8) + Both(10, 8), {{1, 2, 8, 0}}},
    {"ConjunctionAcrossZero", 30, 21580.25L, Both(1, 1) + Both(2, 15), {{1, 2, 0, 50}}},
    {"ConjunctionAcrossZeroReversed", 21580.25L, 30, Both(1, 1) + Both(2, 15), {{1, 2, 0, 50}}},
    {"SemiSextileFromTheFarSide", 0, 20000.25L, Both(3, 4) + Both(2, 15), {{1, 2, 2, 200}}},
    {"OppositionExact", 0, 10800.25L, Both(13, 10) + Both(12, 15), {{1, 2, 12, 0}}},
    // 300 degrees: the candidate above is 315 degrees, a 45 degree aspect 15 degrees away.
    {"PastHalfTurn", 0, 18000.25L, Both(5, 1) + Both(4, 15), {{1, 2, 4, 0}, {1, 2, 3, 900}}},
    {"BetweenTwoAspects", 0, 2250.25L, Both(3, 8) + Both(4, 8), {{1, 2, 2, 450}, {1, 2, 3, 450}}},
    {"DeviationEqualToOrb", 0, 5880.25L, Both(7, 8), {{1, 2, 6, 480}}},
    {"DeviationBeyondOrb", 0, 5881.25L, Both(7, 8), {}},
    {"ZeroOrbTakesSecondsAsExact", 0, 5400.5L, {}, {{1, 2, 6, 0}}},
    {"ZeroOrbMissesByAMinute", 0, 5401.25L, {}, {}},
    {"NeighbouringSlotsOrbsDoNotCount", 600, 7805.25L, Both(8, 8) + Both(10, 8), {}},
    {"SmallerOrbOfFirstPoint", 0, 7320.25L, {{9, 1, 2}, {9, 2, 8}}, {{1, 2, 8, 120}}},
    {"SmallerOrbOfFirstPointExceeded", 0, 7321.25L, {{9, 1, 2}, {9, 2, 8}}, {}},
    {"SmallerOrbOfSecondPointExceeded", 0, 7321.25L, {{9, 1, 8}, {9, 2, 2}}, {}},
};

TEST_P(SunMoonAspects, FindsExactlyTheseRecords) {
    const PairCase &c = GetParam();
    THoroscope h;
    h.SetOptions(OptionAspects);
    Spread(h);
    Place(h, 1, c.Sun);
    Place(h, 2, c.Moon);
    for (const Orb &o : c.Orbs)
        h.SetOrb(o.Slot, o.Point, o.Degrees);
    FindAspects(h);
    EXPECT_EQ(Records(h), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Aspects, SunMoonAspects, ::testing::ValuesIn(PairCases),
                         [](const auto &info) { return std::string(info.param.Name); });

TEST(FindAspects, NewHoroscopeFindsNothingUntilSwitchedOn) {
    // All points at 0 and all orbs 0: every pair would be an exact conjunction.
    THoroscope h;
    FindAspects(h);
    EXPECT_EQ(h.AspectCount, 0);

    h.SetOptions(OptionAspects);
    FindAspects(h);
    EXPECT_GT(h.AspectCount, 0);
    h.SetOptions(0);
    EXPECT_EQ(h.AspectCount, 0);
    h.AspectCount = 5; // stale records of an earlier pass
    FindAspects(h);
    EXPECT_EQ(h.AspectCount, 0);
}

TEST(FindAspects, NorthNodeAndAscendantAreNeverFirstPoints) {
    THoroscope h;
    h.SetOptions(OptionAspects); // all points at 0: every examined pair is a conjunction
    FindAspects(h);
    FindAspects(h); // a second pass starts afresh
    const std::vector<Rec> records = Records(h);
    // 91 pairs less North Node with 12, 13, 14 and Ascendant with 14.
    ASSERT_EQ(records.size(), 87u);
    // Pair order: all partners of point 1, then of point 2, ...
    EXPECT_EQ(records[0], (Rec{1, 2, 0, 0}));
    EXPECT_EQ(records[12], (Rec{1, 14, 0, 0}));
    EXPECT_EQ(records[13], (Rec{2, 3, 0, 0}));
    EXPECT_EQ(records.back(), (Rec{12, 14, 0, 0}));

    auto has = [&](int p1, int p2) {
        for (const Rec &r : records)
            if (r.P1 == p1 && r.P2 == p2)
                return true;
        return false;
    };
    const struct {
        int P1, P2;
        bool Found;
    } pairs[] = {{11, 12, false}, {11, 13, false}, {11, 14, false}, {13, 14, false}, {10, 11, true},
                 {1, 11, true},   {12, 13, true},  {12, 14, true},  {1, 13, true},   {1, 14, true}};
    for (const auto &p : pairs)
        EXPECT_EQ(has(p.P1, p.P2), p.Found) << p.P1 << "-" << p.P2;
}

TEST(FindAspects, PartnerSuppliesTheSecondPoint) {
    THoroscope h, partner;
    Spread(h);
    Spread(partner);
    h.SetOptions(OptionAspects);
    h.SetPartner(&partner);
    for (int p = 1; p <= 2; ++p)
        h.SetOrb(7, p, 8);
    Place(h, 1, 0);
    // A quarter minute beyond the exact angle, as in the table above.
    Place(h, 2, 10800.25L);       // opposite its own Sun: would count without a partner
    Place(partner, 2, 5400.25L);  // square to this Sun
    Place(partner, 1, 16200.25L); // square to this Sun and Moon, but point 1 is never point 2
    FindAspects(h);
    EXPECT_EQ(Records(h), (std::vector<Rec>{{1, 2, 6, 0}}));
    EXPECT_EQ(partner.AspectCount, 0);
}

TEST(FindAspects, StopsSilentlyAtCapacity) {
    // Own points all at 0, the partner's all at 37 deg 30': every examined pair gives a 30 and
    // a 45 degree record, 2 x 87 in all.
    THoroscope h, partner;
    h.SetOptions(OptionAspects);
    h.SetPartner(&partner);
    for (int p = 1; p <= AspectPointCount; ++p) {
        Place(partner, p, 2250.25L);
        h.SetOrb(3, p, 8);
        h.SetOrb(4, p, 8);
    }
    FindAspects(h);
    const std::vector<Rec> records = Records(h);
    ASSERT_EQ(records.size(), static_cast<std::size_t>(MaxAspects));
    // The 75th examined pair is (8, 13); (8, 14) and all later pairs are dropped.
    EXPECT_EQ(records[MaxAspects - 2], (Rec{8, 13, 2, 450}));
    EXPECT_EQ(records[MaxAspects - 1], (Rec{8, 13, 3, 450}));

    int p1 = -1, p2 = -1, e = -1;
    Extended dev = -1;
    EXPECT_FALSE(h.GetAspect(MaxAspects + 1, p1, p2, e, dev));
    EXPECT_FALSE(h.GetAspect(0, p1, p2, e, dev));
    EXPECT_EQ(p1, -1) << "a failed read leaves the outputs alone";
}

// --- Orb sets -------------------------------------------------------------------------------

const char *const SystemSets[] = {"Strong", "Medium", "Weak"}; // strongest first

std::vector<TOrbRow> SystemOrbRows() {
    std::ifstream in(KYR_DATA_DIR "/orbs.txt");
    if (!in)
        throw std::runtime_error("cannot open " KYR_DATA_DIR "/orbs.txt");
    return ReadOrbSets(in);
}

// set name -> point -> orbs
std::map<std::string, std::map<int, std::array<int, OrbColumnCount>>>
BySetAndPoint(const std::vector<TOrbRow> &rows) {
    std::map<std::string, std::map<int, std::array<int, OrbColumnCount>>> sets;
    for (const TOrbRow &r : rows)
        sets[r.Name][r.Point] = r.Degrees;
    return sets;
}

TEST(SystemOrbSets, ThreeFullSetsWithinTheLargestOrbs) {
    const std::vector<TOrbRow> rows = SystemOrbRows();
    const auto sets = BySetAndPoint(rows);
    ASSERT_EQ(sets.size(), 3u);
    for (const char *name : SystemSets) {
        ASSERT_TRUE(sets.count(name)) << name;
        EXPECT_EQ(sets.at(name).size(), static_cast<std::size_t>(AspectPointCount)) << name;
    }
    EXPECT_EQ(rows.size(), 3u * AspectPointCount) << "no point twice";
    for (const TOrbRow &r : rows)
        for (int k = 0; k < OrbColumnCount; ++k)
            EXPECT_LE(r.Degrees[k], MaxOrbTable[OrbColumnSlots[k] - 1])
                << r.Name << " point " << r.Point << " slot " << OrbColumnSlots[k];
}

TEST(SystemOrbSets, EachSetAddsAspectsToTheStrongerOne) {
    const auto sets = BySetAndPoint(SystemOrbRows());
    // Columns: 0, 30, 45, 60, 90, 120, 135, 150, 180 degrees.
    const std::map<std::string, std::array<bool, OrbColumnCount>> used = {
        {"Strong", {true, false, false, true, true, true, false, false, true}},
        {"Medium", {true, false, true, true, true, true, true, false, true}},
        {"Weak", {true, true, true, true, true, true, true, true, true}},
    };
    for (const char *name : SystemSets)
        for (const auto &[point, orbs] : sets.at(name))
            for (int k = 0; k < OrbColumnCount; ++k)
                EXPECT_EQ(orbs[k] > 0, used.at(name)[k])
                    << name << " point " << point << " column " << k;
    for (int s = 1; s < 3; ++s)
        for (const auto &[point, stronger] : sets.at(SystemSets[s - 1]))
            for (int k = 0; k < OrbColumnCount; ++k)
                if (stronger[k] > 0) {
                    EXPECT_EQ(sets.at(SystemSets[s]).at(point)[k], stronger[k])
                        << SystemSets[s] << " changes the orb of " << SystemSets[s - 1]
                        << " at point " << point << " column " << k;
                }
}

TEST(ReadOrbSets, SkipsCommentsAndBlankLines) {
    std::istringstream in("# header\n"
                          "\n"
                          "A 3  1 2 3 4 5 6 7 8 9   # Mercury\r\n"
                          "   \t\n"
                          "B 14 0 0 0 0 0 0 0 0 12\n");
    const std::vector<TOrbRow> rows = ReadOrbSets(in);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Name, "A");
    EXPECT_EQ(rows[0].Point, 3);
    EXPECT_EQ(rows[0].Degrees, (std::array<int, OrbColumnCount>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(rows[1].Name, "B");
    EXPECT_EQ(rows[1].Degrees[8], 12);
}

TEST(ReadOrbSets, RejectsAMalformedLineNamingIt) {
    const struct {
        const char *Line;
        const char *Fault;
    } cases[] = {
        {"S 1 1 2 3 4 5 6 7 8", "too few orbs"},
        {"S 1 1 2 3 4 5 6 7 8 9 10", "too many orbs"},
        {"S 1 1 2 x 4 5 6 7 8 9", "orb not a number"},
        {"S 1 1 2 3x 4 5 6 7 8 9", "orb with trailing text"},
        {"S 1 1 2 -3 4 5 6 7 8 9", "negative orb"},
        {"S 1 1 2 3 4 5 6 7 8 600", "orb too wide for the table"},
        {"S 0 1 2 3 4 5 6 7 8 9", "point 0"},
        {"S 15 1 2 3 4 5 6 7 8 9", "point 15"},
        {"S 1.5 1 2 3 4 5 6 7 8 9", "point not whole"},
        {"T 2 1 2 3 4 5 6 7 8 9", "second row for T 2"},
    };
    for (const auto &c : cases) {
        // The faulty line is line 4, after a comment, a blank line and a good row.
        std::istringstream in(std::string("# orbs\n\nT 2 1 1 1 1 1 1 1 1 1\n") + c.Line + "\n");
        try {
            ReadOrbSets(in);
            ADD_FAILURE() << c.Fault << ": accepted";
        } catch (const std::runtime_error &e) {
            EXPECT_NE(std::string(e.what()).find("line 4"), std::string::npos)
                << c.Fault << ": " << e.what();
        }
    }
}

TEST(ApplyOrbSet, LoadsTheSetIntoItsSlots) {
    THoroscope h;
    h.SetOrb(2, 5, 3); // stale orb in a slot the set never fills
    ApplyOrbSet(h, SystemOrbRows(), "Weak");
    EXPECT_FALSE(h.Active());
    // Sun row of Weak: 10 1 3 6 8 8 3 1 10; MC row: 7 1 2 4 6 6 2 1 7.
    const struct {
        int Slot, Point, Minutes;
    } orbs[] = {{1, 1, 600},  {3, 1, 60},  {4, 1, 180},   {5, 1, 360}, {7, 1, 480}, {9, 1, 480},
                {10, 1, 180}, {11, 1, 60}, {13, 1, 600},  {2, 1, 0},   {6, 1, 0},   {8, 1, 0},
                {12, 1, 0},   {2, 5, 0},   {13, 14, 420}, {11, 14, 60}};
    for (const auto &o : orbs)
        EXPECT_EQ(h.Orb(o.Slot, o.Point), o.Minutes) << "slot " << o.Slot << " point " << o.Point;
}

TEST(ApplyOrbSet, LoadsOnlyASetThatStartsAtPointOne) {
    const std::array<int, OrbColumnCount> wide = {9, 9, 9, 9, 9, 9, 9, 9, 9};
    const std::vector<TOrbRow> rows = {
        {"Gap", 5, wide},
        {"Gap", 1, wide}, // out of order and with gaps: still loaded
        {"NoSun", 2, wide},
        {"NoSun", 3, wide},
    };
    const struct {
        const char *Name;
        int Orb1, Orb2, Orb5; // slot 1, points 1, 2, 5, in degrees
    } cases[] = {{"Gap", 9, 0, 9}, {"NoSun", 0, 0, 0}, {"Unknown", 0, 0, 0}};
    for (const auto &c : cases) {
        THoroscope h;
        ApplyOrbSet(h, SystemOrbRows(), "Strong"); // earlier orbs that must go
        ApplyOrbSet(h, rows, c.Name);
        EXPECT_EQ(h.Orb(1, 1), c.Orb1 * 60) << c.Name;
        EXPECT_EQ(h.Orb(1, 2), c.Orb2 * 60) << c.Name;
        EXPECT_EQ(h.Orb(1, 5), c.Orb5 * 60) << c.Name;
        EXPECT_EQ(h.Orb(13, 14), 0) << c.Name;
    }
}

TEST(ApplyOrbSet, RejectsABadRowBeforeChangingAnything) {
    THoroscope h;
    h.SetOrb(1, 1, 5);
    const std::vector<TOrbRow> rows = {{"Bad", 1, {}}, {"Bad", 15, {}}};
    EXPECT_THROW(ApplyOrbSet(h, rows, "Bad"), std::invalid_argument);
    EXPECT_EQ(h.Orb(1, 1), 300);
}

} // namespace
