// The ephemeris reader against a synthetic file whose bodies move uniformly: the cubic
// interpolation reproduces straight lines exactly, so any wrongly chosen sample shows.
#include "Angles.h"
#include "Calendar.h"
#include "Ephemeris.h"
#include "EphemerisChecksum.h"
#include "EphemerisDamage.h"
#include "Horoscope.h"
#include "Interpolation.h"
#include "ProgramDirectory.h"
#include "SyntheticEphemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

using namespace kyr;

namespace {

constexpr int RecordCount = 8;
// Minutes of arc at day 0 and per day, by body index 1..11. The Sun crosses 0 degrees
// on day 15; the node goes backwards through 0 degrees on day 100.
constexpr int Base[12] = {0, 21000, 100, 2000, 15000, 4000, 6000, 8000, 9000, 10000, 11000, 300};
constexpr int Slope[12] = {0, 40, 80, 20, -10, 5, 3, -2, 1, 2, 1, -3};

long long Wrap(long long minutes) {
    return ((minutes % MinutesPerCircle) + MinutesPerCircle) % MinutesPerCircle;
}

int LinearSample(int body, long long day) {
    return static_cast<int>(Wrap(Base[body] + Slope[body] * day));
}

double ExpectedDegrees(int body, Extended x) {
    const Extended minutes = Base[body] + Slope[body] * x;
    return std::fmod(std::fmod(static_cast<double>(minutes) / 60, 360) + 360, 360);
}

double Degrees(Extended radians) {
    return std::fmod(std::fmod(static_cast<double>(radians) * 180 / M_PI, 360) + 360, 360);
}

class EphemerisReader : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Directory = test::ScratchDirectory("reader");
        test::WriteSyntheticEphemeris(Directory, RecordCount, LinearSample);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(Directory); }

    void SetUp() override {
        SetProgramDirectory(Directory.string());
        ResetEphemeris();
        ASSERT_TRUE(OpenEphemeris());
    }
    void TearDown() override {
        ResetEphemeris();
        SetProgramDirectory("");
    }

    void Evaluate(Extended x, std::string_view mask = AllBodiesMask) {
        EvaluateBodies(Chart, mask, EphemerisEpoch + x);
    }

    static inline std::filesystem::path Directory;
    THoroscope Chart;
};

TEST_F(EphemerisReader, FollowsEveryBodyAcrossRecordsAndSamples) {
    // Record boundaries, the Moon on the last and second-to-last sample of a record,
    // Jupiter in both halves of a record, and moments between samples.
    const Extended moments[] = {32,     64,     96,    32 + 30, 32 + 30.9L, 64 + 28, 64 + 29.5L,
                                96 + 3, 96 + 17, 130,  150.25L,  191.999L,  33.5L,   100};
    for (Extended x : moments) {
        Evaluate(x);
        for (int b = 1; b <= EphemerisBodyCount; ++b)
            EXPECT_NEAR(Degrees(Chart.Positions[b]), ExpectedDegrees(b, x), 1e-9)
                << "body " << b << " at day " << static_cast<double>(x);
    }
}

TEST_F(EphemerisReader, OnARecordBoundaryGivesTheSampleItself) {
    Evaluate(64);
    for (int b = 1; b <= EphemerisBodyCount; ++b)
        EXPECT_NEAR(static_cast<double>(Chart.Positions[b]) * 10800 / M_PI,
                    LinearSample(b, 64), 1e-9)
            << "body " << b;
}

TEST_F(EphemerisReader, CrossingZeroMayLeaveANegativeLongitudeUntilCompletion) {
    // At day 130 the node's older samples lie before 0 degrees and the newer after it.
    Evaluate(130);
    EXPECT_LT(Chart.Positions[NorthNodeIndex], 0);
    CompleteBodyPositions(Chart);
    for (int b = 1; b <= BodyCount; ++b) {
        EXPECT_GE(Chart.Positions[b], 0) << b;
        EXPECT_LT(Chart.Positions[b], TwoPi) << b;
    }
    EXPECT_NEAR(Degrees(Chart.Positions[NorthNodeIndex]), ExpectedDegrees(NorthNodeIndex, 130),
                1e-9);
    EXPECT_NEAR(Degrees(Chart.Positions[SouthNodeIndex]),
                std::fmod(ExpectedDegrees(NorthNodeIndex, 130) + 180, 360), 1e-9);
}

TEST_F(EphemerisReader, RetrogradeOnlyForPlanetsMovingBackwards) {
    Evaluate(100.5L);
    // Venus and Saturn move backwards; the node does too but is never retrograde.
    const bool expected[12] = {false, false, false, false, true, false,
                               false, true,  false, false, false, false};
    for (int b = 1; b <= EphemerisBodyCount; ++b)
        EXPECT_EQ(Chart.RetrogradeFlags[b], expected[b]) << "body " << b;
}

TEST_F(EphemerisReader, MaskSelectsTheBodiesToEvaluate) {
    for (int b = 1; b <= EphemerisBodyCount; ++b)
        Chart.Positions[b] = -7;
    Evaluate(100, "1");
    EXPECT_NEAR(Degrees(Chart.Positions[1]), ExpectedDegrees(1, 100), 1e-9);
    for (int b = 2; b <= EphemerisBodyCount; ++b)
        EXPECT_EQ(Chart.Positions[b], -7) << b;
    Evaluate(100, "00000000001");
    EXPECT_NEAR(Degrees(Chart.Positions[11]), ExpectedDegrees(11, 100), 1e-9);
    EXPECT_EQ(Chart.Positions[10], -7);
}

TEST_F(EphemerisReader, RefusesMomentsWhoseRecordsAreNotAllInTheFile) {
    // Four records a - 1 .. a + 2 are read: days 32 up to 32 * (count - 2) qualify.
    const struct {
        Extended x;
        bool inside;
    } cases[] = {{31.999L, false}, {32, true},       {0, false},    {-40, false},
                 {191.99L, true},  {192, false},     {1e9L, false}, {NAN, false}};
    for (const auto &c : cases) {
        if (c.inside) {
            EXPECT_NO_THROW(Evaluate(c.x)) << static_cast<double>(c.x);
        } else {
            EXPECT_THROW(Evaluate(c.x), EHoroscopeException) << static_cast<double>(c.x);
        }
    }
    try {
        Evaluate(10);
        FAIL();
    } catch (const EHoroscopeException &e) {
        // The message names the covered range: day 32, 21 January 1500 Gregorian, is the
        // 12th in the Julian calendar of the time.
        EXPECT_NE(std::string(e.what()).find("from 12 January 1500 (Julian)"), std::string::npos)
            << e.what();
    }
}

TEST_F(EphemerisReader, WithoutAHandleTheDosErrorNamesWhy) {
    ResetEphemeris();
    try {
        Evaluate(100);
        FAIL();
    } catch (const EHoroscopeException &e) {
        EXPECT_STREQ(e.what(), "Invalid file handle. DOS Error 2");
    }
    SetProgramDirectory((Directory / "missing").string());
    EXPECT_FALSE(OpenEphemeris());
    EXPECT_EQ(EphemerisHandle(), -1);
    try {
        Evaluate(100);
        FAIL();
    } catch (const EHoroscopeException &e) {
        EXPECT_STREQ(e.what(), "Invalid file handle. DOS Error 1");
    }
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Every damage is refused at the open with a message that names the file, and keeps being
// refused; no horoscope becomes active on it.
TEST_F(EphemerisReader, ADamagedFileIsRefusedWhenOpened) {
    ResetEphemeris();
    const auto damaged = test::ScratchDirectory("damaged");
    test::WriteSyntheticEphemeris(damaged, 40, LinearSample);
    const auto path = damaged / EphemerisFileName;
    const std::vector<std::uint8_t> good = ReadBytes(path);
    SetProgramDirectory(damaged.string());
    for (const test::TEphemerisDamage &damage : test::EphemerisDamages) {
        SCOPED_TRACE(damage.Name);
        std::vector<std::uint8_t> bytes = good;
        damage.Apply(bytes);
        WriteBytes(path, bytes);
        ResetEphemeris();
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                OpenEphemeris();
                ADD_FAILURE() << "opened";
            } catch (const EEphemerisDamaged &e) {
                EXPECT_NE(std::string(e.what()).find(path.string() + " is damaged"),
                          std::string::npos)
                    << e.what();
            }
            EXPECT_EQ(EphemerisHandle(), -1);
        }
        THoroscope chart;
        EXPECT_THROW(chart.SetActive(true), EEphemerisDamaged);
        EXPECT_FALSE(chart.Active());
    }
    // The intact file opens again.
    WriteBytes(path, good);
    ResetEphemeris();
    EXPECT_TRUE(OpenEphemeris());
    std::filesystem::remove_all(damaged);
}

TEST_F(EphemerisReader, AFileWithoutItsChecksumIsRefused) {
    ResetEphemeris();
    const auto bare = test::ScratchDirectory("bare");
    test::WriteSyntheticEphemeris(bare, 40, LinearSample);
    const std::string sum = (bare / EphemerisFileName).string() + EphemerisChecksumSuffix;
    SetProgramDirectory(bare.string());
    struct TCase {
        const char *Name;
        const char *Text; ///< nullptr: no checksum file
    } cases[] = {{"missing", nullptr},
                 {"empty", ""},
                 {"of another file", "crc32 00000000 3200\n"},
                 {"garbage", "\x01\x02 not a checksum"}};
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove(sum);
        if (c.Text)
            std::ofstream(sum, std::ios::binary) << c.Text;
        ResetEphemeris();
        try {
            OpenEphemeris();
            ADD_FAILURE() << "opened";
        } catch (const EEphemerisDamaged &e) {
            EXPECT_NE(std::string(e.what()).find((bare / EphemerisFileName).string()),
                      std::string::npos)
                << e.what();
        }
        EXPECT_EQ(EphemerisHandle(), -1);
    }
    std::filesystem::remove_all(bare);
}

TEST(Interpolation, UnwrapsAcrossZeroAndPassesThroughTheSamples) {
    Extended s[4] = {21590, 10, 30, 50};
    UnwrapSamples(s);
    EXPECT_EQ(s[0], 21590);
    EXPECT_EQ(s[1], 21610);
    EXPECT_EQ(s[2], 21630);
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(static_cast<double>(InterpolateCubic(s, k)), static_cast<double>(s[k]), 1e-12);
    EXPECT_NEAR(static_cast<double>(InterpolateCubic(s, 1.5L)), 21620, 1e-12);

    Extended backwards[4] = {10, 21590, 21570, 21550};
    UnwrapSamples(backwards);
    EXPECT_EQ(backwards[1], -10);
    EXPECT_EQ(backwards[3], -50);
}

TEST(CompleteBodyPositions, SouthNodeLiftingAndOrderByLongitude) {
    THoroscope chart;
    const Extended degrees[12] = {200, 10, 350, 10, -20, 90, 45, 300, 10, 120, 100, 0};
    for (int b = 1; b <= BodyCount; ++b)
        chart.Positions[b] = degrees[b - 1] * Pi / 180;
    CompleteBodyPositions(chart);
    EXPECT_NEAR(static_cast<double>(chart.Positions[5]) * 180 / M_PI, 340, 1e-9);
    EXPECT_NEAR(static_cast<double>(chart.Positions[12]) * 180 / M_PI, 280, 1e-9);
    // A permutation of the twelve bodies, ascending by longitude, closed into a ring.
    int seen = 0;
    for (int i = 1; i <= BodyCount; ++i) {
        seen |= 1 << chart.BodyOrder[i];
        if (i > 1) {
            EXPECT_LE(chart.Positions[chart.BodyOrder[i - 1]], chart.Positions[chart.BodyOrder[i]])
                << "rank " << i;
        }
    }
    EXPECT_EQ(seen, 0x1FFE);
    EXPECT_EQ(chart.BodyOrder[13], chart.BodyOrder[1]);
    EXPECT_NEAR(static_cast<double>(chart.Positions[chart.BodyAtRank(1)]) * 180 / M_PI, 10, 1e-9);
    EXPECT_EQ(chart.BodyAtRank(12), 3);
    EXPECT_EQ(chart.BodyAtRank(13), 0);
    EXPECT_EQ(chart.BodyAtRank(0), 0);
}

} // namespace
