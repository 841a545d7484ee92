// The settings put into a horoscope, and the shipped standard file.
#include "KyrSetup.h"

#include "ChartTypes.h"
#include "Horoscope.h"
#include "HoroscopeException.h"
#include "KyrTable.h"
#include "ProfileFile.h"
#include "TableSchemas.h"
#include "TempDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace kyr;
using kyr::test::TTempDirectory;

namespace {

std::unique_ptr<TKyrSetup> MakeSetup(const std::string &programDirectory,
                                     const std::string &configDirectory) {
    TSetupEnvironment environment;
    environment.ProgramDirectory = programDirectory;
    environment.ConfigDirectory = configDirectory;
    environment.CanWrite = [](const std::string &) { return false; };
    environment.CurrentYear = [] { return 2031; };
    return std::make_unique<TKyrSetup>(environment);
}

TEST(ApplyTransitSettings, PutsSpanAndSwitchesIntoAnInactiveHoroscope) {
    TTempDirectory dir;
    auto setup = MakeSetup(dir.Path(), dir.Path());
    setup->FromYear = 2030;
    setup->ToYear = 2032;
    const bool trends[] = {true, false, true, false};
    const bool aspects[] = {false, true, true, false, true, false, false, true, true};
    const bool bodies[] = {false, true, true, false, true};
    for (int i = 1; i <= 4; ++i)
        setup->SetTrendFlag(i, trends[i - 1]);
    for (int i = 0; i <= 8; ++i)
        setup->SetTransitAspectFlag(i, aspects[i]);
    for (int b = 6; b <= 10; ++b)
        setup->SetTransitBodyFlag(b, bodies[b - 6]);

    THoroscope horoscope; // all switches on, span 1996..1997
    setup->ApplyTransitSettings(horoscope);
    EXPECT_FALSE(horoscope.Active());
    EXPECT_EQ(horoscope.FromYear(), 2030);
    EXPECT_EQ(horoscope.ToYear(), 2032);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(horoscope.TransitOption(i), trends[i - 1]) << "trend " << i;
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(horoscope.TransitAspect(i), aspects[i]) << "aspect " << i;
    for (int b = 6; b <= 10; ++b)
        EXPECT_EQ(horoscope.TransitPlanet(b), bodies[b - 6]) << "body " << b;

    // An earlier span than the horoscope's works as well as a later one.
    setup->FromYear = 1990;
    setup->ToYear = 1992;
    setup->ApplyTransitSettings(horoscope);
    EXPECT_EQ(horoscope.FromYear(), 1990);
    EXPECT_EQ(horoscope.ToYear(), 1992);
}

// The orb table of the data store with a few sets.
class ApplyUserOrbsTest : public ::testing::Test {
protected:
    TTempDirectory Data;
    TKyrTable Table{"ORBISDEF", Data.Path()};
    std::unique_ptr<TKyrSetup> Setup;

    void SetUp() override {
        CreateTable(Data.Path(), "ORBISDEF");
        Table.Open();
        // "Mine": points 1..14, orb of column k for point p = p + k (whole degrees).
        for (long long p = 1; p <= 14; ++p)
            AddRow("Mine", p, p);
        // "Short": points 1..3 only; the rows of "Shorter" follow it in key order.
        for (long long p = 1; p <= 3; ++p)
            AddRow("Short", p, 20);
        for (long long p = 4; p <= 14; ++p)
            AddRow("Shorter", p, 30);
        // "Gap": no row for point 1.
        AddRow("Gap", 2, 5);
        AddRow("Gap", 3, 5);
        AddRow("TooWide", 1, 5);
        AddRow("TooWide", 2, 175); // its 180-degree column is 183
        Setup = MakeSetup(Data.Path(), Data.Path());
    }

    void AddRow(const std::string &name, long long point, long long base) {
        std::vector<TFieldValue> values{name, point};
        for (long long k = 0; k < 9; ++k)
            values.emplace_back(base + k);
        Table.AppendRecord(values);
    }

    static void FillOrbs(THoroscope &horoscope, int degrees) {
        for (int slot = 1; slot <= AspectSlotCount; ++slot)
            for (int point = 1; point <= AspectPointCount; ++point)
                horoscope.SetOrb(slot, point, degrees);
    }
};

constexpr std::array<int, 9> OrbSlots = {1, 3, 4, 5, 7, 9, 10, 11, 13};

// Expected orb in minutes for a slot and point, given the set's base per point (0: no row).
int ExpectedOrb(int slot, int point, const std::map<int, int> &bases) {
    const auto base = bases.find(point);
    if (base == bases.end())
        return 0;
    for (int k = 0; k < 9; ++k)
        if (OrbSlots[k] == slot)
            return (base->second + k) * 60;
    return 0; // 15, 75, 105 and 165 degrees take no orb
}

TEST_F(ApplyUserOrbsTest, LoadsTheNamedSetAndClearsEverythingElse) {
    std::map<int, int> mine, shortSet;
    for (int p = 1; p <= 14; ++p)
        mine[p] = p;
    for (int p = 1; p <= 3; ++p)
        shortSet[p] = 20;
    struct Case {
        const char *Name;
        std::map<int, int> Bases;
    };
    const Case cases[] = {
        {"Mine", mine},      {"mine", mine}, // the store's keys ignore case
        {"Short", shortSet},                 // the following set's rows do not leak in
        {"Gap", {}},                         // no row for point 1: nothing is loaded
        {"Unknown", {}},
    };
    for (const Case &c : cases) {
        THoroscope horoscope;
        FillOrbs(horoscope, 3);
        Setup->System.OrbisName = c.Name;
        Setup->ApplyUserOrbs(Table, horoscope);
        EXPECT_FALSE(horoscope.Active());
        for (int slot = 1; slot <= AspectSlotCount; ++slot)
            for (int point = 1; point <= AspectPointCount; ++point)
                EXPECT_EQ(horoscope.Orb(slot, point), ExpectedOrb(slot, point, c.Bases))
                    << c.Name << ": slot " << slot << ", point " << point;
    }
}

TEST_F(ApplyUserOrbsTest, AnEmptyNameOrABadRowChangesNothing) {
    for (const char *name : {"", "TooWide"}) {
        THoroscope horoscope;
        FillOrbs(horoscope, 3);
        Setup->System.OrbisName = name;
        if (std::string(name).empty())
            Setup->ApplyUserOrbs(Table, horoscope);
        else
            EXPECT_THROW(Setup->ApplyUserOrbs(Table, horoscope), EHoroscopeException);
        for (int slot = 1; slot <= AspectSlotCount; ++slot)
            for (int point = 1; point <= AspectPointCount; ++point)
                ASSERT_EQ(horoscope.Orb(slot, point), 180) << '"' << name << '"';
    }
}

TEST(ShippedStandard, NamesEveryKeyTheSettingsReadWithWellFormedValues) {
    TTempDirectory dir;
    auto setup = MakeSetup(KYR_DATA_DIR, dir.Path());
    const TProfileFile standard(setup->StandardFileName());
    setup->ReadSettings("KYR.STD");
    setup->WriteSettings(dir.File("written.ini"), true);

    // Read back and written again, every value stays as shipped; the empty window places are
    // the program's choice.
    const TProfileFile written(dir.File("written.ini"));
    for (const std::string &section : written.ReadSections())
        for (const std::string &key : written.ReadSection(section)) {
            ASSERT_TRUE(standard.ValueExists(section, key)) << section << "/" << key;
            if (section == "Windows")
                EXPECT_EQ(standard.ReadString(section, key, "?"), "") << key;
            else
                EXPECT_EQ(written.ReadString(section, key, "?"),
                          standard.ReadString(section, key, "!"))
                    << section << "/" << key;
        }
    for (const char *key : {"ExcludeBody", "Database", "TagLanguage", "DebugHelp"})
        EXPECT_TRUE(standard.ValueExists("Debug", key)) << key;
    for (const char *key : {"PrintPlanetPos", "TitleBoxColor", "PageLineColor"})
        EXPECT_TRUE(standard.ValueExists("Goodies", key)) << key;
    for (const char *key : {"Font", "Bold", "Size"})
        EXPECT_TRUE(standard.ValueExists("Screen", key)) << key;
}

TEST(ShippedStandard, GivesAPleasantFirstStart) {
    TTempDirectory dir;
    auto setup = MakeSetup(KYR_DATA_DIR, dir.Path());
    setup->LoadUserSettings();
    EXPECT_EQ(setup->CurrentCountry(), "UK");
    EXPECT_EQ(setup->LanguageName(setup->LanguageIndex("UK")), "English");
    EXPECT_EQ(setup->System.OrbisName, "Medium");
    EXPECT_EQ(setup->HouseSystem(), HousePlacidus);
    EXPECT_TRUE(setup->HereAndNow());
    EXPECT_FALSE(setup->Place().empty());
    EXPECT_EQ(setup->FromYear, 2031);
    EXPECT_EQ(setup->ToYear, 2032);
    EXPECT_TRUE(setup->Windows.Main.Valid);
    EXPECT_FALSE(setup->Windows.Wheel.Valid);
    EXPECT_TRUE(setup->PrintLayout.BodyFont.Valid);
}

} // namespace
