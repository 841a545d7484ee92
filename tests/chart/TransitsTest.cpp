// The transit pass: span arithmetic, the three working routines on synthetic daily
// tables, the pass itself on synthetic ephemeris files whose motions are known exactly,
// and, once the generated ephemeris exists, the transit dates against the Swiss Ephemeris.
#include "Transits.h"
#include "Angles.h"
#include "Calendar.h"
#include "Ephemeris.h"
#include "Horoscope.h"
#include "Interpolation.h"
#include "ProgramDirectory.h"
#include "SyntheticEphemeris.h"
#include "TransitScan.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace kyr {

bool operator==(const TTransitRecord &a, const TTransitRecord &b) {
    return a.Body == b.Body && a.Aspect == b.Aspect && a.NatalPoint == b.NatalPoint &&
           a.Start == b.Start && a.End == b.End;
}

void PrintTo(const TTransitRecord &r, std::ostream *os) {
    *os << "(" << r.Body << ", " << r.Aspect << ", " << r.NatalPoint << ", " << r.Start << ", "
        << r.End << ")";
}

} // namespace kyr

namespace {

using namespace kyr;
namespace fs = std::filesystem;
using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

// Days since the ephemeris epoch, 20 December 1499 (Gregorian), by the standard library.
int EpochDay(int y, unsigned m, unsigned d) {
    const sys_days epoch{year(1499) / 12 / 20};
    return static_cast<int>((sys_days{year(y) / m / d} - epoch).count());
}

// YYYYMMDD of day `day` of a span that starts on 1 January of fromYear.
int SpanDate(int fromYear, int day) {
    const year_month_day ymd{sys_days{year(fromYear) / 1 / 1} + days(day)};
    return int(ymd.year()) * 10000 + int(unsigned(ymd.month())) * 100 + int(unsigned(ymd.day()));
}

int Circular(int minutes) {
    return ((minutes % MinutesPerCircle) + MinutesPerCircle) % MinutesPerCircle;
}

// Deviation from the exact aspect, as a day's longitude sees it.
int Deviation(int longitude, int target, int aspect) {
    int d = std::abs(Circular(longitude) - Circular(target));
    if (d > MinutesPerCircle / 2)
        d = MinutesPerCircle - d;
    return std::abs(d - aspect);
}

std::vector<std::uint8_t> DailyTable(const std::vector<int> &longitudes) {
    std::vector<std::uint8_t> bytes(2 * longitudes.size());
    for (std::size_t j = 0; j < longitudes.size(); ++j) {
        const int v = Circular(longitudes[j]);
        bytes[2 * j] = static_cast<std::uint8_t>(v & 0xFF);
        bytes[2 * j + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    return bytes;
}

int MaxMotion(const std::vector<int> &longitudes) {
    int m = 0;
    for (std::size_t j = 1; j < longitudes.size(); ++j)
        m = std::max(m, Deviation(longitudes[j], longitudes[j - 1], 0));
    return m;
}

// Piecewise-linear motion: from `start`, `rate` minutes a day for `count` days per leg.
struct TLeg {
    int Rate;
    int Count;
};
std::vector<int> Motion(int start, std::initializer_list<TLeg> legs) {
    std::vector<int> v{start};
    for (const TLeg &leg : legs)
        for (int i = 0; i < leg.Count; ++i)
            v.push_back(v.back() + leg.Rate);
    return v;
}

// ---------------------------------------------------------------------------------------
// Span arithmetic

struct TSpanCase {
    int From;
    int To;
    int DayCount;
};

class TransitSpanTest : public ::testing::TestWithParam<TSpanCase> {};

TEST_P(TransitSpanTest, CountsDaysFromFirstJanuaryThroughFirstJanuary) {
    const TSpanCase c = GetParam();
    const TTransitSpan span = ComputeTransitSpan(c.From, c.To);
    const int x = EpochDay(c.From, 1, 1);
    EXPECT_EQ(span.DayCount, c.DayCount);
    EXPECT_EQ(span.FirstRecord, x / 32);
    EXPECT_EQ(span.StartOffset, x % 32);
    EXPECT_EQ(YmdFromJulianDay(1500, span.BaseDay + 1), c.From * 10000 + 101) << "day 0";
    EXPECT_EQ(YmdFromJulianDay(1500, span.BaseDay + span.DayCount), c.To * 10000 + 101)
        << "last day";
    // The read reaches two records past the last day and fits the raw buffer.
    const int records = TransitReadSize(span) / EphemerisRecordSize;
    EXPECT_GE(span.FirstRecord - 1 + records - 1, (x + span.DayCount - 1) / 32 + 2);
    EXPECT_LE(TransitReadSize(span), TransitRawBufferSize);
}

INSTANTIATE_TEST_SUITE_P(Spans, TransitSpanTest,
                         ::testing::Values(TSpanCase{2000, 2001, 367}, TSpanCase{2001, 2002, 366},
                                           TSpanCase{1999, 2002, 1097}, TSpanCase{2000, 2003, 1097},
                                           TSpanCase{1500, 1501, 366}, TSpanCase{1700, 1701, 366},
                                           TSpanCase{2097, 2100, 1096}),
                         [](const auto &info) {
                             return std::to_string(info.param.From) + "To" +
                                    std::to_string(info.param.To);
                         });

// ---------------------------------------------------------------------------------------
// Daily longitudes

// Raw records of random slow-varying samples that wrap through 0 degrees now and then.
std::vector<std::uint8_t> RandomRecords(int records, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> jump(-3000, 3000);
    std::vector<std::uint8_t> raw(records * EphemerisRecordSize);
    for (int b = 1; b <= EphemerisBodyCount; ++b) {
        int v = 21000;
        for (int r = 0; r < records; ++r)
            for (int j = 0; j < 32 / EphemerisStep(b); ++j) {
                v = Circular(v + jump(random));
                std::uint8_t *at = &raw[r * EphemerisRecordSize + EphemerisAreaOffset(b) + 2 * j];
                at[0] = static_cast<std::uint8_t>(v & 0xFF);
                at[1] = static_cast<std::uint8_t>(v >> 8);
            }
    }
    return raw;
}

TEST(ExpandDailyLongitudes, FollowsTheReadersInterpolationForEveryDay) {
    const int covered = 31 + 1097;
    const std::vector<std::uint8_t> raw = RandomRecords(covered / 32 + 4, 7);
    std::vector<std::uint8_t> daily(2 * covered);
    for (int body = 1; body <= EphemerisBodyCount; ++body) {
        SCOPED_TRACE("body " + std::to_string(body));
        const int bound = ExpandDailyLongitudes(raw.data(), daily.data(), body, covered);
        std::vector<int> table(covered);
        for (int j = 0; j < covered; ++j) {
            table[j] = DailyLongitude(daily.data(), j);
            ASSERT_GE(table[j], 0);
            ASSERT_LT(table[j], MinutesPerCircle);
            // The buffer starts one record early, as the pass reads it; day j is x = 32 + j.
            const Extended radians =
                InterpolateBody(raw.data() + (j / 32) * EphemerisRecordSize, body, 32 + j)
                    .Longitude;
            Extended minutes = radians / Pi * 10800 - table[j];
            minutes -= std::floor(minutes / MinutesPerCircle + 0.5L) * MinutesPerCircle;
            ASSERT_TRUE(minutes > -1e-6L && minutes < 1 + 1e-6L)
                << "day " << j << ": table " << table[j] << ", reader off by " << minutes;
        }
        EXPECT_EQ(bound, MaxMotion(table));
    }
}

// ---------------------------------------------------------------------------------------
// ScanTransit on synthetic daily tables

struct TScanCase {
    const char *Name;
    std::vector<int> Longitudes; ///< from covered day 0
    int StartOffset;
    int Target;
    int Aspect;
    int Orb;
    bool InOrb;
    int First;
    int Last;
};

class ScanTransitTest : public ::testing::TestWithParam<TScanCase> {};

TEST_P(ScanTransitTest, FindsTheInOrbDaysAndTheirCloseness) {
    const TScanCase &c = GetParam();
    const std::vector<std::uint8_t> daily = DailyTable(c.Longitudes);
    const int n = static_cast<int>(c.Longitudes.size()) - c.StartOffset;
    std::vector<std::uint8_t> closeness(n + 3, 0xEE);
    const TTransitScan scan = ScanTransit(daily.data(), closeness.data(), c.Target, n,
                                          c.StartOffset, c.Aspect, c.Orb, MaxMotion(c.Longitudes));
    EXPECT_EQ(scan.InOrb, c.InOrb);
    if (c.InOrb) {
        EXPECT_EQ(scan.First, c.First);
        EXPECT_EQ(scan.Last, c.Last);
    }
    const int edge = c.Orb / 4 + 5;
    EXPECT_EQ(closeness[0], edge);
    EXPECT_EQ(closeness[n + 1], edge);
    EXPECT_EQ(closeness[n + 2], 0xEE) << "written past day N";
    for (int d = 0; d < n; ++d) {
        const int dev = Deviation(c.Longitudes[c.StartOffset + d], c.Target, c.Aspect);
        EXPECT_EQ(closeness[d + 1], dev <= c.Orb ? 5 + dev / 4 : edge) << "day " << d;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanTransitTest,
    ::testing::Values(
        TScanCase{"ApproachAndLeave", Motion(1000, {{10, 99}}), 0, 1500, 0, 180, true, 32, 69},
        TScanCase{"InOrbOnFirstAndLastDay", Motion(1000, {{1, 49}}), 0, 1020, 0, 180, true, 0, 50},
        TScanCase{"SingleDay", Motion(1000, {{400, 20}}), 0, 3000, 0, 180, true, 5, 6},
        TScanCase{"NeverInOrb", Motion(1000, {{10, 99}}), 0, 9000, 0, 600, false, 0, 0},
        TScanCase{"ThroughZeroDegrees", Motion(21500, {{10, 60}}), 0, 100, 0, 180, true, 2, 39},
        TScanCase{"SquareFromTheFarSide", Motion(21000, {{10, 60}}), 0, 5000, 5400, 180, true, 2,
                  39},
        TScanCase{"Opposition", Motion(10000, {{20, 60}}), 0, 21100, 10800, 420, true, 0, 37},
        // Enters at 820, stations at 900, leaves below 820, returns and passes through.
        TScanCase{"RetrogradeLoopLeavesAndReturns", Motion(700, {{10, 20}, {-10, 20}, {10, 60}}), 0,
                  1000, 0, 180, true, 12, 89},
        // The days before day 0 sit on the target and must not count.
        TScanCase{"DaysBeforeTheSpanAreIgnored", Motion(1500, {{0, 6}, {-500, 1}, {10, 99}}), 7,
                  1500, 0, 180, true, 32, 69}),
    [](const auto &info) { return std::string(info.param.Name); });

// The scan skips days it proves out of orb; it must agree with looking at every day.
TEST(ScanTransit, SkippingAgreesWithReadingEveryDay) {
    // Jupiter-like: 8' a day forward with a yearly swing that turns it retrograde.
    std::vector<int> lon;
    for (int d = 0; d < 1128; ++d)
        lon.push_back(
            static_cast<int>(std::lround(3000 + 8 * d + 600 * std::sin(2 * Pi * d / 399))));
    const std::vector<std::uint8_t> daily = DailyTable(lon);
    const int s = 31;
    const int n = 1097;
    std::vector<std::uint8_t> closeness(n + 2);
    for (int orb : {600, 180})
        for (int aspect : TransitAspectAngles)
            for (int target = 0; target < MinutesPerCircle; target += 97) {
                const int a = aspect * 60;
                const TTransitScan scan = ScanTransit(daily.data(), closeness.data(), target, n, s,
                                                      a, orb, MaxMotion(lon));
                int first = -1, last = -1;
                for (int d = 0; d < n; ++d) {
                    const int dev = Deviation(lon[s + d], target, a);
                    const int expected = dev <= orb ? 5 + dev / 4 : orb / 4 + 5;
                    ASSERT_EQ(closeness[d + 1], expected)
                        << "target " << target << " aspect " << aspect << " day " << d;
                    if (dev <= orb) {
                        if (first < 0)
                            first = d;
                        last = d + 1;
                    }
                }
                // Without closeness bytes the last day is searched from the end.
                const TTransitScan bare =
                    ScanTransit(daily.data(), nullptr, target, n, s, a, orb, MaxMotion(lon));
                for (const TTransitScan &result : {scan, bare}) {
                    ASSERT_EQ(result.InOrb, first >= 0)
                        << "target " << target << " aspect " << aspect;
                    if (first >= 0) {
                        ASSERT_EQ(result.First, first);
                        ASSERT_EQ(result.Last, last);
                    }
                }
            }
}

// ---------------------------------------------------------------------------------------
// BuildHouseStory

using TEntry = std::pair<int, int>; // day, house

std::array<std::uint8_t, HouseStorySize> BlockWithCusps(const std::array<int, 12> &cusps) {
    std::array<std::uint8_t, HouseStorySize> block;
    block.fill(0xEE);
    for (int i = 0; i < 13; ++i) {
        const int v = cusps[i % 12];
        block[2 * i] = static_cast<std::uint8_t>(v & 0xFF);
        block[2 * i + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    return block;
}

// Entries up to and including the closing one, as the interpretation walks them.
std::vector<TEntry> StoryEntries(const std::uint8_t *block) {
    std::vector<TEntry> entries;
    for (int at = CuspTextLength; at + 3 <= HouseStorySize; at += 3) {
        entries.emplace_back(block[at] | (block[at + 1] << 8), block[at + 2]);
        if (block[at + 2] == 0)
            break;
    }
    return entries;
}

constexpr std::array<int, 12> EqualCusps = {0,     1800,  3600,  5400,  7200,  9000,
                                            10800, 12600, 14400, 16200, 18000, 19800};
// Cusp 12 at 350 degrees and cusp 1 at 10 degrees: house 12 spans 0 degrees.
constexpr std::array<int, 12> CuspsAcrossZero = {600,   2400,  4200,  6000,  8000,  10000,
                                                 11400, 13200, 15000, 16800, 19000, 21000};

struct TStoryCase {
    const char *Name;
    std::array<int, 12> Cusps;
    std::vector<int> Longitudes;
    int StartOffset;
    std::vector<TEntry> Entries;
};

class HouseStoryTest : public ::testing::TestWithParam<TStoryCase> {};

TEST_P(HouseStoryTest, RecordsEveryChangeOfHouse) {
    const TStoryCase &c = GetParam();
    const std::vector<std::uint8_t> daily = DailyTable(c.Longitudes);
    auto block = BlockWithCusps(c.Cusps);
    const auto cuspText = block;
    const int n = static_cast<int>(c.Longitudes.size()) - c.StartOffset;
    BuildHouseStory(daily.data(), block.data(), c.StartOffset, n);
    EXPECT_TRUE(std::equal(block.begin(), block.begin() + CuspTextLength, cuspText.begin()));
    EXPECT_EQ(StoryEntries(block.data()), c.Entries);
    const int used = CuspTextLength + 3 * static_cast<int>(c.Entries.size());
    EXPECT_TRUE(std::all_of(block.begin() + used, block.end(), [](auto b) { return b == 0; }));
}

std::vector<int> Alternating(int a, int b, int count) {
    std::vector<int> v;
    for (int i = 0; i < count; ++i)
        v.push_back(i % 2 ? b : a);
    return v;
}

std::vector<TEntry> AlternatingEntries() {
    std::vector<TEntry> e;
    for (int d = 0; d < 23; ++d)
        e.emplace_back(d, d % 2 ? 2 : 1);
    e.emplace_back(23, 0); // the change of day 23 does not fit
    return e;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HouseStoryTest,
    ::testing::Values(
        TStoryCase{
            "DirectMotion", EqualCusps, Motion(1700, {{10, 49}}), 0, {{0, 1}, {10, 2}, {50, 0}}},
        TStoryCase{"HouseAcrossZeroDegrees",
                   CuspsAcrossZero,
                   Motion(20900, {{10, 139}}),
                   0,
                   {{0, 11}, {10, 12}, {130, 1}, {140, 0}}},
        TStoryCase{"RetrogradeReentry",
                   EqualCusps,
                   Motion(1750, {{10, 10}, {-10, 10}, {10, 15}}),
                   0,
                   {{0, 1}, {5, 2}, {16, 1}, {25, 2}, {36, 0}}},
        TStoryCase{"StartOffset",
                   EqualCusps,
                   Motion(9000, {{0, 2}, {-7250, 1}, {10, 9}}),
                   3,
                   {{0, 1}, {5, 2}, {10, 0}}},
        TStoryCase{"AtMost24Entries", EqualCusps, Alternating(1799, 1800, 100), 0,
                   AlternatingEntries()},
        // No cusps computed: no longitude lies in a house, the story is empty.
        TStoryCase{"NoCusps", {}, Motion(1700, {{10, 9}}), 0, {{0, 0}}}),
    [](const auto &info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------------------
// The pass on synthetic ephemeris files

using TLongitudes = std::function<int(int body, int day)>;

// Span of the synthetic charts; the birth lies half a year earlier.
constexpr int SpanYear = 1502;
const int SpanDay0 = EpochDay(SpanYear, 1, 1);

class SyntheticEphemeris : public ::testing::Test {
protected:
    void SetUp() override {
        Directory = fs::temp_directory_path() /
                    ("kyr-transits-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(Directory);
        ResetEphemeris();
        SetProgramDirectory(Directory.string());
    }

    void TearDown() override {
        ResetEphemeris();
        SetProgramDirectory("");
        fs::remove_all(Directory);
    }

    // 200 records reach into 1517.
    void Write(const TLongitudes &longitude, int records = 200) {
        std::vector<std::uint8_t> bytes(records * EphemerisRecordSize);
        for (int r = 0; r < records; ++r)
            for (int b = 1; b <= EphemerisBodyCount; ++b)
                for (int j = 0; j < 32 / EphemerisStep(b); ++j) {
                    const int v = Circular(longitude(b, 32 * r + j * EphemerisStep(b)));
                    std::uint8_t *at =
                        &bytes[r * EphemerisRecordSize + EphemerisAreaOffset(b) + 2 * j];
                    at[0] = static_cast<std::uint8_t>(v & 0xFF);
                    at[1] = static_cast<std::uint8_t>(v >> 8);
                }
        test::WriteEphemerisFile(Directory, bytes);
    }

    // Transit planets and aspects on as listed, everything else off; one-year span.
    void Prepare(std::initializer_list<int> planets, std::initializer_list<int> aspects) {
        H.SetBirthDate(1501.0601L);
        H.SetBirthTime(12);
        H.SetOptions(OptionAspects | OptionTransits);
        H.SetFromYear(SpanYear);
        H.SetToYear(SpanYear + 1);
        for (int k = 6; k <= 10; ++k)
            H.SetTransitPlanet(k, std::find(planets.begin(), planets.end(), k) != planets.end());
        for (int a = 0; a <= 8; ++a)
            H.SetTransitAspect(a, std::find(aspects.begin(), aspects.end(), a) != aspects.end());
    }

    // Records to the natal bodies; cusp records depend on the house computation.
    std::vector<TTransitRecord> BodyRecords() const {
        std::vector<TTransitRecord> records;
        for (int n = 1; n <= H.TransitCount; ++n) {
            TTransitRecord r;
            EXPECT_TRUE(H.GetTransit(n, r.Body, r.Aspect, r.NatalPoint, r.Start, r.End));
            if (r.NatalPoint <= BodyCount)
                records.push_back(r);
        }
        return records;
    }

    fs::path Directory;
    THoroscope H;
};

// Jupiter 5' and Saturn 3' a day from day 0 of the span; the natal bodies stand still
// where each meets just the transits listed in MeetsTheNatalBodiesOnTheirDays.
int OrderedWorld(int body, int day) {
    switch (body) {
    case 1:
        return 3302; // Jupiter conjunct from day 0
    case 2:
        return 9402; // Jupiter square in mid-span
    case 3:
        return 16602; // Saturn conjunct
    case 4:
        return 4402; // Jupiter conjunct through the last day
    case 5:
        return 11000; // Saturn square from day 0
    case 6:
        return 3000 + 5 * (day - SpanDay0);
    case 7:
        return 16000 + 3 * (day - SpanDay0);
    case 8:
        return 6000;
    case 9:
        return 7000;
    case 10:
        return 14000;
    default:
        return 13000;
    }
}

TEST_F(SyntheticEphemeris, MeetsTheNatalBodiesOnTheirDays) {
    Write(OrderedWorld);
    Prepare({6, 7}, {0, 4});
    H.SetActive(true);
    auto at = [](int day) { return SpanDate(SpanYear, day); };
    const std::vector<TTransitRecord> expected = {
        {1, 0, 1, at(0), at(180)},  {1, 0, 4, at(161), at(365)}, {1, 6, 2, at(81), at(320)},
        {2, 0, 3, at(61), at(340)}, {2, 6, 5, at(0), at(273)},
    };
    EXPECT_EQ(BodyRecords(), expected);
    // Each body's cusp conjunctions follow its aspects.
    int lastBody = 0;
    bool cusps = false;
    for (int n = 1; n <= H.TransitCount; ++n) {
        const TTransitRecord &r = H.Transits[n - 1];
        if (r.Body != lastBody)
            cusps = false;
        EXPECT_FALSE(cusps && r.NatalPoint <= BodyCount) << "record " << n;
        cusps = r.NatalPoint > 100;
        EXPECT_TRUE(!cusps || (r.Aspect == 0 && r.NatalPoint <= 110)) << "record " << n;
        EXPECT_GE(r.Body, lastBody);
        lastBody = r.Body;
    }
}

TEST_F(SyntheticEphemeris, CurveFollowsTheClosenessAndPeaksAtExactness) {
    Write(OrderedWorld);
    Prepare({6, 7}, {0, 4});
    H.SetActive(true);
    const int jupiterSun = 1; // first record
    ASSERT_EQ(H.Transits[0].NatalPoint, 1);
    // One value a day: Jupiter is at 3000 + 5d, the Sun at 3302 (or a minute less, as
    // the natal longitude is truncated), the orb 600.
    const int sun = static_cast<int>(H.Position(1) / Pi * 10800);
    ASSERT_NEAR(sun, 3302, 1);
    std::vector<Extended> v(366 + 1, -7);
    ASSERT_TRUE(H.GetTransitCurve(jupiterSun, 366, v.data()));
    EXPECT_EQ(v[0], 0.5L); // deviation 302 or 301: closeness 80
    EXPECT_EQ(*std::max_element(v.begin(), v.end() - 1), 1.0L);
    EXPECT_EQ(v[60], 1.0L);
    for (int d = 0; d < 366; ++d) {
        const int dev = std::abs(3000 + 5 * d - sun);
        const Extended expected = dev <= 600 ? 1 - Extended(dev / 4) * 4 / 600 : 0;
        EXPECT_NEAR(v[d], expected, 1e-15L) << "day " << d;
    }
    EXPECT_EQ(v[181], 0.0L);
    EXPECT_EQ(v[366], -7) << "written past len";

    // Jupiter conjunct Venus lasts through the last day: the last value is the last day.
    std::vector<Extended> w(100 + 1, -7);
    ASSERT_TRUE(H.GetTransitCurve(2, 100, w.data()));
    EXPECT_EQ(w[100], -7) << "written past len";
    EXPECT_GT(w[99], 0);
    EXPECT_EQ(w[43], 0); // day 157, before the transit
}

TEST_F(SyntheticEphemeris, CurveRejectsBadArguments) {
    Write(OrderedWorld);
    Prepare({6, 7}, {0, 4});
    H.SetActive(true);
    std::vector<Extended> v(1024, -7);
    EXPECT_FALSE(H.GetTransitCurve(1, 1024, v.data()));
    EXPECT_TRUE(std::all_of(v.begin(), v.end(), [](Extended x) { return x == -7; }));
    EXPECT_FALSE(H.GetTransitCurve(1, 0, v.data()));
    EXPECT_EQ(v[0], -7);
    for (int n : {0, H.TransitCount + 1}) {
        std::fill(v.begin(), v.end(), -7);
        EXPECT_FALSE(H.GetTransitCurve(n, 50, v.data())) << "n = " << n;
        EXPECT_TRUE(std::all_of(v.begin(), v.begin() + 50, [](Extended x) { return x == 0; }));
        EXPECT_EQ(v[50], -7);
    }
}

// Pluto stands still 5000' short of the square to the Sun and, for one sample, swings
// up to `reach` minutes short of it.
struct TExcursion {
    int Reach;
    int Days; ///< in-orb days around the sample
};

class PlutoExcursion : public SyntheticEphemeris,
                       public ::testing::WithParamInterface<TExcursion> {};

TEST_P(PlutoExcursion, NeedsTwoInOrbDaysForARecord) {
    const TExcursion c = GetParam();
    const int peak = (SpanDay0 / 32 + 5) * 32; // a Pluto sample inside the span
    Write([&](int body, int day) {
        if (body == 10)
            return day == peak ? 8400 - c.Reach : 3400;
        constexpr int natal[] = {3000,  4000,  5000,  6000, 7000, 14000,
                                 16000, 17000, 18000, 0,    15000};
        return natal[body - 1];
    });
    Prepare({10}, {4});
    H.SetActive(true);
    const int d = peak - SpanDay0;
    if (c.Days < 2) {
        EXPECT_EQ(H.TransitCount, 0);
        // The scan itself does see the single day.
        ExpandDailyLongitudes(H.RawBuffer.data(), H.DailyBuffer.data(), 10,
                              H.TransitSpan.StartOffset + H.TransitSpan.DayCount);
        const TTransitScan scan =
            ScanTransit(H.DailyBuffer.data(), H.ClosenessBuffer.data(), 3000,
                        H.TransitSpan.DayCount, H.TransitSpan.StartOffset, 5400, 180, 21600);
        EXPECT_TRUE(scan.InOrb);
        EXPECT_EQ(scan.First, d);
        EXPECT_EQ(scan.Last, d + 1);
    } else {
        const int half = c.Days / 2;
        const std::vector<TTransitRecord> expected = {
            {5, 6, 1, SpanDate(SpanYear, d - half), SpanDate(SpanYear, d + half)}};
        EXPECT_EQ(BodyRecords(), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Reach, PlutoExcursion,
                         ::testing::Values(TExcursion{130, 1}, TExcursion{60, 3}),
                         [](const auto &info) {
                             return "Short" + std::to_string(info.param.Reach);
                         });

TEST_F(SyntheticEphemeris, Keeps560Transits) {
    // Every transit body sweeps the whole circle within the year: each of the 590 scans
    // qualifies.
    Write([](int body, int day) {
        return body >= 6 && body <= 10 ? 1000 * body + 60 * day : 1500 * body;
    });
    Prepare({6, 7, 8, 9, 10}, {0, 1, 2, 3, 4, 5, 6, 7, 8});
    H.SetActive(true);
    ASSERT_EQ(H.TransitCount, MaxTransits);
    auto record = [&](int n) {
        TTransitRecord r;
        EXPECT_TRUE(H.GetTransit(n, r.Body, r.Aspect, r.NatalPoint, r.Start, r.End));
        return std::array<int, 3>{r.Body, r.Aspect, r.NatalPoint};
    };
    EXPECT_EQ(record(1), (std::array<int, 3>{1, 0, 1}));
    EXPECT_EQ(record(108), (std::array<int, 3>{1, 12, 12}));
    EXPECT_EQ(record(109), (std::array<int, 3>{1, 0, 101}));
    EXPECT_EQ(record(118), (std::array<int, 3>{1, 0, 110}));
    EXPECT_EQ(record(119), (std::array<int, 3>{2, 0, 1}));
    // Pluto's 88th: seven aspects of twelve, then 150 degrees to body 4.
    EXPECT_EQ(record(560), (std::array<int, 3>{5, 10, 4}));
    int body = 0, aspect = 0, point = 0, start = 0, end = 0;
    EXPECT_FALSE(H.GetTransit(561, body, aspect, point, start, end));
}

// Equal houses of 30 degrees from 33'20": Jupiter (3000 + 5d) crosses cusp 2 on day 161,
// Saturn (16000 + 3d) cusp 9 on day 135.
std::string SyntheticCuspText() {
    std::string text;
    for (int i = 0; i < 13; ++i) {
        const int v = 2003 + 1800 * (i % 12);
        text += static_cast<char>(v & 0xFF);
        text += static_cast<char>(v >> 8);
    }
    return text;
}

TEST_F(SyntheticEphemeris, BuildsHouseStoriesWithEveryPlanetOff) {
    Write(OrderedWorld);
    Prepare({}, {0, 1, 2, 3, 4, 5, 6, 7, 8});
    H.SetActive(true);
    // The stories read the cusp text only; give the chart cusps of its own.
    H.CuspText = SyntheticCuspText();
    FindTransits(H);
    EXPECT_EQ(H.TransitCount, 0);
    std::array<std::uint8_t, HouseStorySize> jupiter{}, saturn{};
    H.GetTxHouseStory(6, jupiter.data());
    H.GetTxHouseStory(7, saturn.data());
    EXPECT_EQ(std::string(jupiter.begin(), jupiter.begin() + CuspTextLength), H.CuspText);
    EXPECT_EQ(StoryEntries(jupiter.data()), (std::vector<TEntry>{{0, 1}, {161, 2}, {366, 0}}));
    EXPECT_EQ(StoryEntries(saturn.data()), (std::vector<TEntry>{{0, 8}, {135, 9}, {366, 0}}));

    H.SetTransitOption(1, false); // Saturn's story off
    H.CuspText = SyntheticCuspText();
    FindTransits(H);
    H.GetTxHouseStory(7, saturn.data());
    EXPECT_TRUE(std::all_of(saturn.begin(), saturn.end(), [](auto b) { return b == 0; }));
    H.GetTxHouseStory(6, jupiter.data());
    EXPECT_EQ(StoryEntries(jupiter.data()).size(), 3u);
}

TEST(GetTxHouseStory, IndexOtherThanJupiterOrSaturnFails) {
    THoroscope h;
    std::array<std::uint8_t, HouseStorySize> block{};
    for (int i : {5, 8, 0}) {
        try {
            h.GetTxHouseStory(i, block.data());
            ADD_FAILURE() << "index " << i << " accepted";
        } catch (const EHoroscopeException &e) {
            EXPECT_STREQ(e.what(), "Invalid index in GetTxHouseStory!");
        }
    }
}

TEST_F(SyntheticEphemeris, SpanOutsideTheFileGivesNoTransits) {
    Write(OrderedWorld);
    Prepare({6, 7, 8, 9, 10}, {0, 4});
    H.SetActive(true);
    ASSERT_GT(H.TransitCount, 0);
    H.SetFromYear(1500); // the read would start at record -1
    EXPECT_EQ(H.TransitCount, 0);
    H.SetFromYear(SpanYear);
    ASSERT_GT(H.TransitCount, 0);
    H.SetFromYear(1517); // the file ends in July 1517: a short read
    EXPECT_EQ(H.TransitCount, 0);
    // The house stories of the earlier span are gone as well.
    std::array<std::uint8_t, HouseStorySize> story{};
    story.fill(1);
    H.GetTxHouseStory(6, story.data());
    EXPECT_EQ(story, (std::array<std::uint8_t, HouseStorySize>{}));
}

TEST_F(SyntheticEphemeris, ReadingWithoutAFileRaises) {
    H.SetOptions(OptionTransits);
    try {
        FindTransits(H);
        ADD_FAILURE() << "no exception";
    } catch (const EHoroscopeException &e) {
        EXPECT_STREQ(e.what(), "Invalid file handle. DOS Error 2");
    }
    H.SetOptions(0);
    EXPECT_NO_THROW(FindTransits(H)) << "transits off: nothing to read";
}

// ---------------------------------------------------------------------------------------
// The generated ephemeris against the Swiss Ephemeris

int SweLongitude(int body, double jd) {
    static constexpr int bodies[] = {SE_JUPITER, SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO};
    double x[6];
    char error[AS_MAXCH];
    if (swe_calc_ut(jd, bodies[body - 6], SEFLG_MOSEPH, x, error) < 0)
        ADD_FAILURE() << error;
    return static_cast<int>(std::floor(x[0] * 60));
}

TEST(GeneratedEphemeris, TransitDatesAgreeWithTheSwissEphemeris) {
    const std::string directory = KYR_PROGRAM_DIR;
    if (!fs::exists(fs::path(directory) / EphemerisFileName))
        GTEST_SKIP() << "no ephemeris file in " << directory;
    ResetEphemeris();
    SetProgramDirectory(directory);
    THoroscope h;
    h.SetBirthDate(1975.0321L);
    h.SetBirthTime(14.30L);
    h.SetLatitude(48.08L);
    h.SetLongitude(-11.34L);
    h.SetOptions(OptionAspects | OptionTransits);
    h.SetFromYear(2000);
    h.SetToYear(2003);
    h.SetActive(true);
    ASSERT_GT(h.TransitCount, 0);
    ASSERT_LT(h.TransitCount, MaxTransits);

    const int n = 1097;
    const double jd0 = swe_julday(2000, 1, 1, 0, SE_GREG_CAL);
    // Minutes of arc allowed between the file's interpolated day and the true one.
    constexpr int tolerance = 3;
    auto dayOf = [](int ymd) {
        const sys_days date{year(ymd / 10000) / unsigned(ymd / 100 % 100) / unsigned(ymd % 100)};
        return static_cast<int>((date - sys_days{year(2000) / 1 / 1}).count());
    };
    for (int k = 6; k <= 10; ++k) {
        std::vector<int> lon(n);
        for (int d = 0; d < n; ++d)
            lon[d] = SweLongitude(k, jd0 + d);
        const int orb = TransitOrbDegrees(k) * 60;
        for (int a = 0; a <= 8; ++a)
            for (int p = 1; p <= 110; p = p == BodyCount ? 101 : p + 1) {
                if (p > 100 && a != 0)
                    continue;
                const int aspect = TransitAspectAngles[a] * 60;
                const int target = static_cast<int>(h.TransitPoint(p) / Pi * 10800);
                const TTransitRecord *record = nullptr;
                for (int i = 0; i < h.TransitCount; ++i) {
                    const TTransitRecord &r = h.Transits[i];
                    if (r.Body == k - 5 && r.Aspect == aspect / 900 && r.NatalPoint == p)
                        record = &r;
                }
                SCOPED_TRACE("body " + std::to_string(k) + " aspect " +
                             std::to_string(aspect / 60) + " point " + std::to_string(p));
                auto dev = [&](int d) { return Deviation(lon[d], target, aspect); };
                if (record) {
                    const int first = dayOf(record->Start);
                    const int last = dayOf(record->End);
                    ASSERT_LT(first, last);
                    EXPECT_LE(dev(first), orb + tolerance);
                    EXPECT_LE(dev(last), orb + tolerance);
                    if (first > 0) {
                        EXPECT_GT(dev(first - 1), orb - tolerance);
                    }
                    if (last < n - 1) {
                        EXPECT_GT(dev(last + 1), orb - tolerance);
                    }
                } else {
                    // No two consecutive days well inside the orb.
                    for (int d = 0; d + 1 < n; ++d)
                        ASSERT_FALSE(dev(d) < orb - tolerance && dev(d + 1) < orb - tolerance)
                            << "missed on day " << d;
                }
            }
    }
    ResetEphemeris();
    SetProgramDirectory("");
}

} // namespace
