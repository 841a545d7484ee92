// Persons born before their country's change to the Gregorian calendar: the stored date is read
// in the calendar of the place, checked against day numbers and Sun positions computed here
// without the program's calendar code.
#include "NameRecord.h"

#include "Angles.h"
#include "DataCollection.h"
#include "Ephemeris.h"
#include "HistoricalAtlas.h"
#include "IndependentCalendar.h"
#include "Horoscope.h"
#include "ProgramDirectory.h"

#include <swephexp.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace kyr::test {
namespace {

double SweSun(double jd) {
    double x[6];
    char error[AS_MAXCH];
    if (swe_calc_ut(jd, SE_SUN, SEFLG_MOSEPH, x, error) < 0)
        ADD_FAILURE() << "swe_calc_ut: " << error;
    return x[0];
}

class HistoricalCalendar : public ::testing::Test {
protected:
    TTempDir Dir;
    TDataCollection Data;

    void SetUp() override {
        MakeHistoricalAtlas(Dir);
        MakeTable(Dir, "NAME");
        Data.SetDirectory(Dir.Path());
        for (TKyrTable *table : {&Data.NameTable, &Data.StatesTable, &Data.PlacesTable,
                                 &Data.ZoneIdTable})
            table->Open();
        ResetEphemeris();
        SetProgramDirectory(KYR_PROGRAM_DIR);
        ASSERT_TRUE(OpenEphemeris()) << "no " << EphemerisPath();
    }
    void TearDown() override {
        ResetEphemeris();
        SetProgramDirectory("");
    }

    // A birth at 12:00 UT on the date, stored as the person's record.
    void Store(const std::string &state, const std::string &place, int y, int m, int d) {
        TNameRecord r;
        r.FirstName = "Born";
        r.LastName = state + " " + place + " " + std::to_string(y);
        r.BirthCountry = state;
        r.BirthTown = place;
        char date[16];
        std::snprintf(date, sizeof date, "%04d%02d%02d", y, m, d);
        r.BirthDate = date;
        r.BirthTime = "120000";
        r.Latitude = 5130;
        r.Longitude = 0;
        r.TimeZone = "0000W";
        r.SummerTime = "+0000";
        SaveName(Data, r);
    }
};

TEST_F(HistoricalCalendar, DatesBeforeThePlacesChangeAreJulian) {
    struct TCase {
        const char *State, *Place;
        int Year, Month, Day;
        bool Julian;
    };
    const TCase cases[] = {
        {"United Kingdom", "London", 1700, 6, 1, true}, // England changed in September 1752
        {"United Kingdom", "London", 1752, 9, 2, true},
        {"United Kingdom", "London", 1752, 9, 14, false},
        {"United Kingdom", "London", 1760, 6, 1, false},
        {"Russia", "Moscow", 1900, 6, 1, true}, // Russia in February 1918
        {"Russia", "Moscow", 1920, 6, 1, false},
        {"Italy", "Rome", 1580, 6, 1, true}, // Italy with the reform, October 1582
        {"Italy", "Rome", 1590, 6, 1, false},
        {"Greece", "Athens", 1920, 6, 1, true}, // Greece in March 1923
        {"Greece", "Athens", 1925, 6, 1, false},
        {"Nowhere", "No Zone", 1700, 6, 1, false}, // no calendar date: the reform's
        {"", "", 1580, 6, 1, true},                 // no place: the reform's
        {"", "", 1582, 10, 4, true},
        {"", "", 1582, 10, 15, false},
        {"", "", 1700, 6, 1, false},
        {"", "", 1920, 6, 1, false},
    };
    for (const TCase &c : cases) {
        Store(c.State, c.Place, c.Year, c.Month, c.Day);
        THoroscope h;
        ASSERT_TRUE(LoadNameIntoHoroscope(Data, "Born",
                                          std::string(c.State) + " " + c.Place + " " +
                                              std::to_string(c.Year),
                                          h));
        h.SetActive(true);
        const long day = c.Julian ? JulianCalendarDayNumber(c.Year, c.Month, c.Day)
                                  : GregorianDayNumber(c.Year, c.Month, c.Day);
        const std::string what = std::string(c.State) + "/" + c.Place + " " +
                                 std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" +
                                 std::to_string(c.Day);
        EXPECT_EQ(h.IsJulian(), c.Julian) << what;
        EXPECT_NEAR(static_cast<double>(h.Moment.JulianDay), static_cast<double>(day), 1e-6)
            << what;
        const double sun = static_cast<double>(h.Position(1) * 180 / Pi);
        EXPECT_NEAR(std::remainder(sun - SweSun(static_cast<double>(day)), 360.0), 0, 1.0 / 60)
            << what;
    }
}

TEST_F(HistoricalCalendar, TheSunOfAJulianBirthInLondon) {
    // 1 June 1700 in London is 12 June by the Gregorian reckoning: the Sun at 81°21', not the
    // 70°50' of a Gregorian 1 June.
    Store("United Kingdom", "London", 1700, 6, 1);
    THoroscope h;
    ASSERT_TRUE(LoadNameIntoHoroscope(Data, "Born", "United Kingdom London 1700", h));
    h.SetActive(true);
    EXPECT_DOUBLE_EQ(static_cast<double>(h.GregorianStart()), 1752.0914);
    EXPECT_NEAR(static_cast<double>(h.PositionDeg(1)), 81.21, 0.011); // D.MM
    EXPECT_NEAR(SweSun(GregorianDayNumber(1700, 6, 1)), 70 + 50 / 60.0, 1 / 60.0);
}

} // namespace
} // namespace kyr::test
