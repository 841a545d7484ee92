// The NAME record without windows: every encoding with its edge cases, the record against the
// dialog's fields and the chart's values, storing and loading, and group memberships.
#include "NameRecord.h"
#include "NameFields.h"

#include "DataCollection.h"
#include "Horoscope.h"
#include "StoreTestSupport.h"
#include "SyntheticEphemeris.h"

#include <gtest/gtest.h>

namespace kyr::test {
namespace {

TEST(NameEncoding, BirthDate) {
    const struct {
        TDateParts Parts;
        const char *Text;
    } cases[] = {
        {{1941, 8, 6}, "19410806"}, // year first, month and day zero-padded
        {{2099, 12, 31}, "20991231"},  {{1500, 1, 1}, "15000101"},
        {{0, 0, 0}, "00000000"},       // empty fields
        {{-5, 13, 99}, "00001399"},    // a sign never reaches the record
        {{12345, 100, 7}, "99999907"}, // nor a fifth year digit or a third month digit
    };
    for (const auto &c : cases)
        EXPECT_EQ(EncodeBirthDate(c.Parts), c.Text) << c.Parts.Year;
    EXPECT_EQ(DecodeBirthDate("19410806"), (TDateParts{1941, 8, 6}));
    EXPECT_EQ(DecodeBirthDate("194108"), (TDateParts{1941, 8, 0})); // short text: missing day
    EXPECT_EQ(DecodeBirthDate(""), (TDateParts{}));
    EXPECT_EQ(DecodeBirthDate("19x10806"), (TDateParts{0, 8, 6})); // no number counts as 0
}

TEST(NameEncoding, BirthTime) {
    const struct {
        TTimeParts Parts;
        const char *Text;
    } cases[] = {
        {{9, 5, 7}, "090507"}, // a leading zero in each pair
        {{23, 59, 59}, "235959"},
        {{0, 0, 0}, "000000"},
        {{-1, 60, 100}, "006099"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(EncodeBirthTime(c.Parts), c.Text);
    }
    EXPECT_EQ(DecodeBirthTime("090507"), (TTimeParts{9, 5, 7}));
    EXPECT_EQ(DecodeBirthTime("0905"), (TTimeParts{9, 5, 0}));
}

TEST(NameEncoding, ZoneAndSummerTime) {
    const struct {
        TOffsetParts Parts;
        const char *Text;
    } zones[] = {
        {{5, 30, false}, "0530E"}, // 5 h 30 min east
        {{5, 0, true}, "0500W"},    {{0, 0, true}, "0000W"},
        {{23, 59, false}, "2359E"}, {{-3, -15, true}, "0000W"},
    };
    for (const auto &z : zones)
        EXPECT_EQ(EncodeTimeZone(z.Parts), z.Text);
    EXPECT_EQ(DecodeTimeZone("0530E"), (TOffsetParts{5, 30, false}));
    EXPECT_EQ(DecodeTimeZone("0500W"), (TOffsetParts{5, 0, true}));
    EXPECT_EQ(DecodeTimeZone("0500w"), (TOffsetParts{5, 0, false})); // only "W" is west
    EXPECT_EQ(DecodeTimeZone(""), (TOffsetParts{0, 0, false}));

    // The summer offset always saves with "+".
    EXPECT_EQ(EncodeSummerTime(1, 0), "+0100");
    EXPECT_EQ(EncodeSummerTime(0, 0), "+0000");
    EXPECT_EQ(EncodeSummerTime(2, 30), "+0230");
    EXPECT_EQ(DecodeSummerTime("+0130"), (TOffsetParts{1, 30, true}));
    EXPECT_EQ(DecodeSummerTime("+01"), (TOffsetParts{1, 0, true}));
}

TEST(NameEncoding, Angles) {
    const struct {
        TAngleParts Parts;
        long long Value;
    } cases[] = {
        {{52, 31, true}, 5231},  {{52, 31, false}, -5231}, {{0, 5, false}, -5},
        {{180, 0, true}, 18000}, {{0, 0, true}, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(EncodeAngle(c.Parts), c.Value);
        EXPECT_EQ(DecodeAngle(c.Value), c.Parts);
    }
    EXPECT_EQ(DecodeAngle(0).Positive, true); // 0 shows as north / west
}

// A record of every field with values that tell the fields apart.
TNameRecord SampleRecord() {
    TNameRecord r;
    r.FirstName = "Anna";
    r.LastName = "Berg";
    r.BirthCountry = "Testland";
    r.BirthTown = "Middletown";
    r.BirthDate = "19410806";
    r.BirthTime = "090507";
    r.TimeUnknown = true;
    r.Latitude = -3342;
    r.Longitude = -15112;
    r.TimeZone = "0530E";
    r.SummerTime = "+0100";
    r.Address1 = "1 High Street";
    r.Address2 = "Flat 2";
    r.PostalCode = "AB1 2CD";
    r.Town = "Harbour City";
    r.Country = "Otherland";
    r.HomePhone = "0123 456";
    r.WorkPhone = "0123 457";
    r.Fax = "anna@example.org";
    r.Picture = {0x89, 'P', 'N', 'G'};
    r.Notes = {"first line", "", "third line"};
    return r;
}

TEST(NameFields, RecordToFieldsAndBack) {
    const THemisphereMarks marks;
    const TNameRecord record = SampleRecord();
    const TNameFields f = FieldsFromRecord(record, marks);
    EXPECT_EQ(f.Year, "1941");
    EXPECT_EQ(f.Month, "08");
    EXPECT_EQ(f.Day, "06");
    EXPECT_EQ(f.Hour, "09");
    EXPECT_EQ(f.Minute, "05");
    EXPECT_EQ(f.Second, "07");
    EXPECT_EQ(f.LatDegrees, "33");
    EXPECT_EQ(f.LatMinutes, "42");
    EXPECT_EQ(f.LatMark, "S");
    EXPECT_EQ(f.LonDegrees, "151");
    EXPECT_EQ(f.LonMinutes, "12");
    EXPECT_EQ(f.LonMark, "E");
    EXPECT_EQ(f.ZoneHours, "05");
    EXPECT_EQ(f.ZoneMinutes, "30");
    EXPECT_EQ(f.ZoneMark, "E"); // shown again with the east mark
    EXPECT_EQ(f.SummerHours, "01");
    EXPECT_EQ(f.SummerMinutes, "00");
    // The address labels and the fields do not match by name.
    EXPECT_EQ(f.City, "Harbour City");
    EXPECT_EQ(f.AddressCountry, "Otherland");
    EXPECT_EQ(f.Phone, "0123 456");
    EXPECT_EQ(f.Fax, "0123 457");
    EXPECT_EQ(f.EMail, "anna@example.org");
    EXPECT_EQ(RecordFromFields(f, marks), record);
}

TEST(NameFields, MarksDecideTheSigns) {
    const THemisphereMarks marks{"N", "S", "W", "E"};
    const struct {
        const char *LatMark, *LonMark, *ZoneMark;
        long long Latitude, Longitude;
        const char *Zone;
    } cases[] = {
        {"N", "W", "W", 5231, 1305, "0130W"},
        {"S", "E", "E", -5231, -1305, "0130E"},
        // Blank: a south latitude and a west longitude; the zone saves as the chart reads it.
        {"", "", "", -5231, 1305, "0130W"},
        {"X", "X", "X", -5231, 1305, "0130W"},
    };
    for (const auto &c : cases) {
        TNameFields f;
        f.LatDegrees = "52";
        f.LatMinutes = "31";
        f.LatMark = c.LatMark;
        f.LonDegrees = "13";
        f.LonMinutes = "05";
        f.LonMark = c.LonMark;
        f.ZoneHours = "1";
        f.ZoneMinutes = "30";
        f.ZoneMark = c.ZoneMark;
        const TNameRecord r = RecordFromFields(f, marks);
        EXPECT_EQ(r.Latitude, c.Latitude) << c.LatMark;
        EXPECT_EQ(r.Longitude, c.Longitude) << c.LonMark;
        EXPECT_EQ(r.TimeZone, c.Zone) << c.ZoneMark;
        EXPECT_EQ(DialogZoneTime(f, marks), std::string(c.Zone).back() == 'E' ? -1.30L : 1.30L);
    }
}

TEST(NameFields, ValuesForTheChart) {
    const THemisphereMarks marks;
    TNameFields f = FieldsFromRecord(SampleRecord(), marks);
    EXPECT_DOUBLE_EQ(static_cast<double>(DialogBirthDate(f)), 1941.0806);
    EXPECT_DOUBLE_EQ(static_cast<double>(DialogBirthTime(f)), 9.0507);
    EXPECT_DOUBLE_EQ(static_cast<double>(DialogLatitude(f, marks)), -33.42);
    EXPECT_DOUBLE_EQ(static_cast<double>(DialogLongitude(f, marks)), -151.12);
    EXPECT_DOUBLE_EQ(static_cast<double>(DialogZoneTime(f, marks)), -5.30);
    EXPECT_DOUBLE_EQ(static_cast<double>(DialogSummerTime(f)), 1.00);
    EXPECT_EQ(DialogDateNumber(f), 19410806);
    EXPECT_EQ(DialogTimeNumber(f), 90507);

    // The values of the record itself, as the preview and LoadNameIntoHoroscope take them.
    const TBirthValues v = BirthValuesOf(SampleRecord());
    EXPECT_DOUBLE_EQ(static_cast<double>(v.BirthDate), 1941.0806);
    EXPECT_DOUBLE_EQ(static_cast<double>(v.BirthTime), 9.0507);
    EXPECT_DOUBLE_EQ(static_cast<double>(v.Latitude), -33.42);
    EXPECT_DOUBLE_EQ(static_cast<double>(v.Longitude), -151.12);
    EXPECT_DOUBLE_EQ(static_cast<double>(v.ZoneTime), -5.30);
    EXPECT_DOUBLE_EQ(static_cast<double>(v.SummerTime), 1.00);

    // Non-numbers count as 0; negative typing counts by its magnitude in the offsets.
    f.ZoneHours = "-2";
    f.ZoneMinutes = "ab";
    f.ZoneMark = "W";
    EXPECT_DOUBLE_EQ(static_cast<double>(DialogZoneTime(f, marks)), 2.00);
}

TEST(NameFields, OffsetsShownFromValues) {
    const THemisphereMarks marks;
    const struct {
        Extended Zone;
        const char *Hours, *Minutes, *Mark;
    } cases[] = {
        {1.00L, "1", "00", "W"}, {-5.30L, "5", "30", "E"}, {0, "0", "00", "W"},
        {-0.2L, "0", "20", "E"}, {9.59L, "9", "59", "W"},  {-12.00L, "12", "00", "E"},
    };
    for (const auto &c : cases) {
        TNameFields f;
        ShowZoneOffset(f, c.Zone, marks);
        EXPECT_EQ(f.ZoneHours, c.Hours) << static_cast<double>(c.Zone);
        EXPECT_EQ(f.ZoneMinutes, c.Minutes) << static_cast<double>(c.Zone);
        EXPECT_EQ(f.ZoneMark, c.Mark) << static_cast<double>(c.Zone);
    }
    TNameFields f;
    ShowSummerOffset(f, 2.00L);
    EXPECT_EQ(f.SummerHours + ":" + f.SummerMinutes, "2:00");
}

TEST(NameFields, DateIsValid) {
    const struct {
        const char *Y, *M, *D;
        bool Valid;
    } cases[] = {
        {"1941", "08", "06", true},  {"2000", "2", "29", true},  {"1900", "2", "29", false},
        {"2001", "2", "29", false},  {"2001", "4", "31", false}, {"2001", "13", "1", false},
        {"2001", "0", "1", false},   {"2001", "1", "0", false},  {"", "1", "1", false},
        {"1499", "12", "31", false}, {"1500", "1", "1", true},   {"2099", "12", "31", true},
        {"2100", "1", "1", false},   {"19x1", "1", "1", false},
    };
    for (const auto &c : cases) {
        TNameFields f;
        f.Year = c.Y;
        f.Month = c.M;
        f.Day = c.D;
        EXPECT_EQ(DateIsValid(f), c.Valid) << c.Y << "-" << c.M << "-" << c.D;
    }
}

TEST(NameFields, TimeIsValid) {
    const struct {
        const char *H, *M, *S;
        bool Valid;
    } cases[] = {
        {"23", "59", "59", true},  {"0", "00", "0", true},   {"", "", "", true},
        {"24", "00", "00", false}, {"25", "00", "00", false}, {"12", "60", "00", false},
        {"12", "61", "00", false}, {"12", "30", "60", false}, {"-1", "00", "00", false},
        {"12", "-5", "00", false}, {"1a", "00", "00", false}, {"12", ":", "00", false},
        {"12", "30", "x", false},
    };
    for (const auto &c : cases) {
        TNameFields f;
        f.Hour = c.H;
        f.Minute = c.M;
        f.Second = c.S;
        EXPECT_EQ(TimeIsValid(f), c.Valid) << c.H << ":" << c.M << ":" << c.S;
    }
}

TEST(NameFields, RangeChecks) {
    const struct {
        const char *Text;
        int Min, Max;
        bool InRange;
        const char *Replacement; ///< null: the text stays
    } cases[] = {
        {"1941", 1500, 2099, true, nullptr}, {"1499", 1500, 2099, false, "1500"},
        {"2100", 1500, 2099, false, "2099"}, {"", 1500, 2099, false, nullptr},
        {"0", 0, 59, true, nullptr},         {"00", 0, 59, true, nullptr},
        {"60", 0, 59, false, "59"},          {"-5", 0, 59, false, "0"},
        {"+7", 0, 59, true, nullptr},        {"!", 0, 59, false, nullptr},
        {" 12 ", 0, 23, true, nullptr},
    };
    for (const auto &c : cases) {
        const TRangeCheck check = CheckRange(c.Text, c.Min, c.Max);
        EXPECT_EQ(check.InRange, c.InRange) << '"' << c.Text << '"';
        EXPECT_EQ(check.Replacement.has_value(), c.Replacement != nullptr) << c.Text;
        if (c.Replacement && check.Replacement) {
            EXPECT_EQ(*check.Replacement, c.Replacement);
        }
    }
    // The limits of the page table.
    EXPECT_EQ(LimitsOf(TNameField::Year).Min, 1500);
    EXPECT_EQ(LimitsOf(TNameField::Year).Max, 2099);
    EXPECT_EQ(LimitsOf(TNameField::LatDegrees).Max, 89);
    EXPECT_EQ(LimitsOf(TNameField::LonDegrees).Max, 180);
    EXPECT_EQ(LimitsOf(TNameField::ZoneHours).Max, 23);
    EXPECT_EQ(LimitsOf(TNameField::SummerMinutes).Max, 59);
    EXPECT_EQ(LimitsOf(TNameField::Day).Max, 31);
}

TEST(NameFields, KeyFilters) {
    for (char32_t key : {U'0', U'9', U'\b', U'\r', U'!', U'-', U'/', U':', U'@'})
        EXPECT_TRUE(DigitKeyAccepted(key)) << static_cast<int>(key);
    for (char32_t key : {U' ', U'A', U'a', U'z', U'~', U'\u00e9'})
        EXPECT_FALSE(DigitKeyAccepted(key)) << static_cast<int>(key);

    EXPECT_EQ(HemisphereKey("n", "N", "S"), "N");
    EXPECT_EQ(HemisphereKey("S", "N", "S"), "S");
    EXPECT_EQ(HemisphereKey("w", "W", "E"), "W");
    EXPECT_FALSE(HemisphereKey("x", "N", "S"));
    EXPECT_FALSE(HemisphereKey("e", "N", "S")); // the other field's mark
    EXPECT_FALSE(HemisphereKey("", "N", "S"));
}

TEST(NameFields, EditStatesAndButtons) {
    using S = TEditState;
    EXPECT_EQ(StateAfterChange(S::Empty), S::New);
    EXPECT_EQ(StateAfterChange(S::Found), S::Changed);
    EXPECT_EQ(StateAfterChange(S::Changed), S::Changed);
    EXPECT_EQ(StateAfterChange(S::New), S::New);
    // OK, Save, memberships and picture Insert, groups list kept.
    EXPECT_EQ(ButtonsOf(S::Empty), (TStateButtons{false, false, false, false}));
    EXPECT_EQ(ButtonsOf(S::Found), (TStateButtons{true, false, true, true}));
    EXPECT_EQ(ButtonsOf(S::Changed), (TStateButtons{true, true, true, true}));
    EXPECT_EQ(ButtonsOf(S::New), (TStateButtons{true, true, false, false}));
    EXPECT_EQ(EditStateCaption(S::Changed), "Edit State = [Name Changed]");
}

TEST(NameFields, ConfirmSavePlan) {
    using S = TEditState;
    using C = TConfirmStep;
    const struct {
        S State;
        bool Force, NamesEmpty;
        C Step;
    } cases[] = {
        {S::Empty, false, false, C::GoOn},      {S::Empty, true, true, C::GoOn},
        {S::Found, false, false, C::GoOn},      {S::Found, true, false, C::SaveAndReload},
        {S::Changed, false, false, C::Ask},     {S::Changed, true, false, C::SaveAndReload},
        {S::New, false, false, C::Ask},         {S::New, true, false, C::Ask},
        {S::New, false, true, C::ClearAndGoOn}, {S::New, true, true, C::ClearAndGoOn},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PlanConfirmSave(c.State, c.Force, c.NamesEmpty), c.Step)
            << static_cast<int>(c.State) << c.Force << c.NamesEmpty;

    EXPECT_EQ(SaveQuestion("Save %1?", "Save ", "Anna", "Berg"), "Save Anna Berg?");
    EXPECT_EQ(SaveQuestion("", "Save the changes to ", "Anna", "Berg"),
              "Save the changes to Anna Berg");
}

// NAME and NAMEGRPS in a scratch directory.
class NameStore : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char *name : {"NAME", "NAMEGRPS"})
            MakeTable(Dir, name);
        Data.SetDirectory(Dir.Path());
        Data.NameTable.Open();
        Data.NameGroupsTable.Open();
    }
    TTempDir Dir;
    TDataCollection Data;
};

TEST_F(NameStore, SaveFindAndSaveUnderAnotherName) {
    TNameRecord record = SampleRecord();
    SaveName(Data, record);
    auto found = FindName(Data, "Anna", "Berg");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, record);
    EXPECT_EQ(Data.NameTable.FieldByName("Sex").AsString(), "U");

    record.Notes = {"changed"};
    SaveName(Data, record); // the same pair: changed in place
    EXPECT_EQ(Data.NameTable.RecordCount(), 1);
    EXPECT_EQ(FindName(Data, "Anna", "Berg")->Notes, std::vector<std::string>{"changed"});

    record.LastName = "Lund"; // another last name: a second record, the first one kept
    SaveName(Data, record);
    EXPECT_EQ(Data.NameTable.RecordCount(), 2);
    EXPECT_TRUE(FindName(Data, "Anna", "Berg"));
    EXPECT_TRUE(FindName(Data, "Anna", "Lund"));
    EXPECT_FALSE(FindName(Data, "Anna", "Nobody"));

    record.Picture.clear();
    SaveName(Data, record);
    EXPECT_TRUE(FindName(Data, "Anna", "Lund")->Picture.empty());
}

TEST_F(NameStore, Memberships) {
    EXPECT_TRUE(AddMembership(Data, "Anna", "Berg", "Friends"));
    EXPECT_TRUE(AddMembership(Data, "Anna", "Berg", "Family"));
    EXPECT_FALSE(AddMembership(Data, "Anna", "Berg", "Friends")); // already a member
    EXPECT_TRUE(AddMembership(Data, "Anna", "Bergman", "Clients"));
    EXPECT_TRUE(AddMembership(Data, "Bo", "Berg", "Clients"));
    EXPECT_EQ(GroupsOfName(Data, "Anna", "Berg"), (std::vector<std::string>{"Family", "Friends"}));
    EXPECT_TRUE(RemoveMembership(Data, "Anna", "Berg", "Family"));
    EXPECT_FALSE(RemoveMembership(Data, "Anna", "Berg", "Family"));
    EXPECT_EQ(GroupsOfName(Data, "Anna", "Berg"), std::vector<std::string>{"Friends"});
    EXPECT_TRUE(GroupsOfName(Data, "Carl", "Zed").empty());
    EXPECT_EQ(Data.NameGroupsTable.RecordCount(), 3);
}

class LoadIntoHoroscope : public NameStore {
protected:
    void SetUp() override {
        NameStore::SetUp();
        const auto dir = ScratchDirectory("names-ephemeris");
        WriteSyntheticEphemeris(dir, 20000, UniformSample);
        UseEphemerisIn(dir);
    }
    void TearDown() override { UseEphemerisIn({}); }
};

TEST_F(LoadIntoHoroscope, FillsTheChartAndKeepsItsActiveState) {
    TNameRecord record = SampleRecord();
    record.BirthTown = std::string(60, 'x'); // names are cut to 48 characters
    SaveName(Data, record);

    for (const bool active : {false, true}) {
        THoroscope h;
        h.SetActive(active);
        int changes = 0;
        h.OnChange = [&](THoroscope &) { ++changes; };
        ASSERT_TRUE(LoadNameIntoHoroscope(Data, "Anna", "Berg", h));
        EXPECT_EQ(h.Active(), active);
        EXPECT_EQ(changes, active ? 1 : 0); // one recalculation, not one per value
        EXPECT_EQ(h.FirstName, "Anna");
        EXPECT_EQ(h.LastName, "Berg");
        EXPECT_EQ(h.PlaceName, std::string(48, 'x'));
        EXPECT_EQ(h.StateName, "Testland");
        EXPECT_DOUBLE_EQ(static_cast<double>(h.BirthDate()), 1941.0806);
        EXPECT_DOUBLE_EQ(static_cast<double>(h.BirthTime()), 9.0507);
        EXPECT_DOUBLE_EQ(static_cast<double>(h.Latitude()), -33.42);
        EXPECT_DOUBLE_EQ(static_cast<double>(h.Longitude()), -151.12);
        EXPECT_DOUBLE_EQ(static_cast<double>(h.ZoneTime()), -5.30);
        EXPECT_DOUBLE_EQ(static_cast<double>(h.SummerTime()), 1.00);
        EXPECT_DOUBLE_EQ(static_cast<double>(h.GregorianStart()), 1582.1015); // no atlas
    }
}

TEST_F(LoadIntoHoroscope, MissingPersonOrTableLeavesTheChart) {
    THoroscope h;
    h.FirstName = "Kept";
    EXPECT_FALSE(LoadNameIntoHoroscope(Data, "No", "Body", h));
    EXPECT_EQ(h.FirstName, "Kept");
    Data.NameTable.Close();
    EXPECT_FALSE(LoadNameIntoHoroscope(Data, "Anna", "Berg", h));
}

TEST_F(LoadIntoHoroscope, RefusedValueKeepsTheChartActive) {
    TNameRecord record = SampleRecord();
    record.TimeZone = "1400E"; // beyond what a horoscope takes
    SaveName(Data, record);
    THoroscope h;
    h.SetActive(true);
    ASSERT_TRUE(h.Active());
    EXPECT_THROW(LoadNameIntoHoroscope(Data, "Anna", "Berg", h), EHoroscopeException);
    EXPECT_TRUE(h.Active());
}

} // namespace
} // namespace kyr::test
