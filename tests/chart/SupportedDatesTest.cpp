// The range of dates charts are computed for: one statement of it from the delivered
// ephemeris, dates before the Gregorian reform in the Julian calendar, and ephemeris files
// too short to give any range refused as such.
#include "Calendar.h"
#include "Ephemeris.h"
#include "Horoscope.h"
#include "HoroscopeException.h"
#include "ProgramDirectory.h"
#include "SupportedDates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace kyr;

namespace {

TEST(CalendarDateText, JulianBeforeTheReformAndMarkedSo) {
    const struct {
        Extended JulianDay;
        const char *Text;
    } cases[] = {
        // The delivered ephemeris starts at 0 h UT of 21 January 1500 Gregorian.
        {JulianDay0(1500, 1, true, 21), "12 January 1500 (Julian)"},
        {JulianDay0(1500, 3, false, 1), "1 March 1500 (Julian)"},
        {JulianDay0(1582, 10, false, 4), "4 October 1582 (Julian)"},
        // The next day is the first of the Gregorian calendar.
        {JulianDay0(1582, 10, false, 4) + 1, "15 October 1582"},
        {JulianDay0(2000, 1, true, 1) + 0.75L, "1 January 2000"},
        {JulianDay0(2099, 12, true, 31), "31 December 2099"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CalendarDateText(c.JulianDay), c.Text) << static_cast<double>(c.JulianDay);
}

class DeliveredEphemeris : public ::testing::Test {
protected:
    void SetUp() override {
        ResetEphemeris();
        SetProgramDirectory(KYR_PROGRAM_DIR);
    }
    void TearDown() override {
        ResetEphemeris();
        SetProgramDirectory("");
    }

    /// The message of activating a horoscope at 0 h UT of the Gregorian date plus hours.
    std::string ActivationError(int year, int month, int day, Extended hours = 0) {
        THoroscope h;
        h.SetGregorianStart(1582.1015L);
        h.SetBirthDate(MakeDateValue(year, month, day));
        h.SetBirthTime(hours);
        try {
            h.SetActive(true);
        } catch (const EHoroscopeException &e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(DeliveredEphemeris, ChartsAreComputedExactlyWithinTheStatedRange) {
    ASSERT_TRUE(OpenEphemeris()) << EphemerisPath();
    const TSupportedDates dates = SupportedDates();
    // The file's own first day, and the end of the last supported year though the file
    // reaches a little beyond it.
    EXPECT_EQ(dates.First, EphemerisFirstJulianDay());
    EXPECT_EQ(dates.End, JulianDay0(2100, 1, true, 1));
    EXPECT_GT(EphemerisEndJulianDay(), dates.End);

    const std::string message = "Date outside the ephemeris: charts can be computed from 12 "
                                "January 1500 (Julian) to 31 December 2099.";
    EXPECT_EQ(OutsideSupportedDatesMessage(dates), message);
    // Julian 12 January 1500 and Gregorian 31 December 2099 up to its last minute compute;
    // a minute either side is refused with the same words.
    EXPECT_EQ(ActivationError(1500, 1, 12), "");
    EXPECT_EQ(ActivationError(2099, 12, 31, 23.59L), "");
    EXPECT_EQ(ActivationError(1500, 1, 11, 23.59L), message);
    EXPECT_EQ(ActivationError(2100, 1, 1), message);
    EXPECT_EQ(ActivationError(2101, 2, 1), message);
}

TEST(ShortEphemeris, IsRefusedAsSuchNamingTheFile) {
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("kyr-short-ephemeris-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    const std::string path = (directory / EphemerisFileName).string();
    const struct {
        int Bytes;
        std::string Message;
    } cases[] = {
        {0, path + ": the ephemeris file is empty"},
        {EphemerisRecordSize, path + ": the ephemeris file is too short (80 bytes; a chart needs 320)"},
        {EphemerisBufferSize - 1, path + ": the ephemeris file is too short (319 bytes; a chart needs 320)"},
    };
    for (const auto &c : cases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(c.Bytes, '\0');
        SetProgramDirectory(directory.string());
        ResetEphemeris();
        THoroscope h;
        h.SetBirthDate(2000.0101L);
        try {
            h.SetActive(true);
            ADD_FAILURE() << c.Bytes << " bytes accepted";
        } catch (const EHoroscopeException &e) {
            EXPECT_EQ(e.what(), c.Message);
        }
        EXPECT_FALSE(h.Active());
    }
    ResetEphemeris();
    SetProgramDirectory("");
    std::filesystem::remove_all(directory);
}

} // namespace
