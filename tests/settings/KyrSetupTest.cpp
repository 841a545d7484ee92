#include "KyrSetup.h"

#include "PageLimits.h"

#include "BusyCursor.h"
#include "ChartTypes.h"
#include "ProfileFile.h"
#include "SettingsLocation.h"
#include "TempDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace kyr;
using kyr::test::ReadText;
using kyr::test::TTempDirectory;
using kyr::test::WriteText;

namespace {

class KyrSetupTest : public ::testing::Test {
protected:
    TTempDirectory Program;
    TTempDirectory Config;

    std::unique_ptr<TKyrSetup> MakeSetup(bool programDirectoryWritable = true) {
        TSetupEnvironment environment;
        environment.ProgramDirectory = Program.Path();
        environment.ConfigDirectory = Config.Path() + "kyr";
        environment.CanWrite = [programDirectoryWritable](const std::string &) {
            return programDirectoryWritable;
        };
        environment.CurrentYear = [] { return 2031; };
        auto setup = std::make_unique<TKyrSetup>(environment);
        setup->SetScreenSize({1280, 1024});
        return setup;
    }

    std::string UserFile() const { return Program.File("KYR.INI"); }
};

// Every key the full write produces, in its order, with the value a missing file gives.
const char *DefaultsWritten = "[System]\n"
                              "SaveOnExit=0\n"
                              "HereAndNow=0\n"
                              "HouseSystem=0\n"
                              "USDateFormat=0\n"
                              "HideAspects=0\n"
                              "ChkZoneTime=1\n"
                              "ChkSummerTime=1\n"
                              "ChkStrong=1\n"
                              "ChkMedium=0\n"
                              "ChkWeak=0\n"
                              "OrbisName=Medium\n"
                              "GraphColor=255\n"
                              "\n"
                              "[Startup]\n"
                              "Place=\n"
                              "\n"
                              "[Languages]\n"
                              "Selected=1\n"
                              "\n"
                              "[Windows]\n"
                              "Main=10,10,1260,1004,0\n"
                              "Interpretation=\n"
                              "Wheel=\n"
                              "Planets=\n"
                              "HouseCusps=\n"
                              "Aspects=\n"
                              "Symbols=\n"
                              "NameList=\n"
                              "Quiz=\n"
                              "\n"
                              "[Analyse]\n"
                              "FromYear=1999\n"
                              "ToYear=2002\n"
                              "UseTransitPlanets=11111\n"
                              "UseTransitTrends=1111\n"
                              "UseTransitAspects=100011001\n"
                              "\n"
                              "[PrintOptions]\n"
                              "BW=0\n"
                              "Wheel=40,27,140,140,1\n"
                              "Planets=140,177,37,70,1\n"
                              "Houses=30,177,22,70,1\n"
                              "Aspects=60,177,70,70,1\n"
                              "Information=0,0,180,21,1\n"
                              "Symbol=0,27,27,220,1\n"
                              "\n"
                              "[PrintLayout]\n"
                              "Columns=2\n"
                              "HeaderMargin=0\n"
                              "TopMargin=10\n"
                              "LeftMargin=10\n"
                              "RgtMargin=10\n"
                              "BottomMargin=10\n"
                              "FooterMargin=0\n"
                              "LineSpace=110\n"
                              "ColumnSpace=110\n"
                              "TitleFont=\"Arial\",16,0,0\n"
                              "SubTitleFont=\"Arial\",12,0,1\n"
                              "BodyFont=\"Arial\",9,0,0\n"
                              "HeaderFont=\"Arial\",8,0,2\n"
                              "\n"
                              "[WheelDrawing]\n"
                              "BackgroundColor=-2147483633\n"
                              "PictureFile=\n"
                              "BW=0\n"
                              "UseMemory=0\n"
                              "\n"
                              "[Interpretation]\n"
                              "BackgroundColor=-2147483643\n"
                              "Font=\n";

TEST_F(KyrSetupTest, AMissingFileReadsAsTheDefaultsAndAFullWriteKeepsTheOrder) {
    auto setup = MakeSetup();
    // Construction values differ from the file defaults in places; the load replaces them.
    EXPECT_TRUE(setup->System.HideAspects);
    EXPECT_EQ(setup->System.OrbisName, "");
    EXPECT_EQ(setup->Selected(), -1);

    EXPECT_TRUE(setup->ReadSettings("KYR.INI"));
    EXPECT_TRUE(setup->WriteSettings(Program.File("out.ini"), true));
    EXPECT_EQ(ReadText(Program.File("out.ini")), DefaultsWritten);

    // The read-only sections are never written; their defaults:
    EXPECT_FALSE(setup->Debug.ExcludeBody || setup->Debug.Database || setup->Debug.TagLanguage ||
                 setup->Debug.DebugHelp || setup->Goodies.PrintPlanetPos);
    EXPECT_EQ(setup->Goodies.TitleBoxColor, 0xE0E0E0);
    EXPECT_EQ(setup->Goodies.PageLineColor, 0);
    EXPECT_TRUE(setup->Languages().empty());
}

// Values unlike every default, so that a key that is not read or not written shows.
void SetEverything(TKyrSetup &s) {
    s.System.SaveOnExit = true;
    s.System.USDateFormat = true;
    s.System.HideAspects = true;
    s.System.ChkZoneTime = false;
    s.System.ChkSummerTime = false;
    s.System.ChkStrong = false;
    s.System.ChkMedium = true;
    s.System.ChkWeak = true;
    s.System.OrbisName = "My Orbs";
    s.System.GraphColor = 0x00FF00;
    s.SetHouseSystem(HouseKoch);
    s.Windows.Main = {true, 1, 2, 3, 4, WindowMaximised};
    s.Windows.Interpretation = {true, 5, 6, 7, 8, WindowNormal};
    s.Windows.Wheel = {true, 9, 10, 11, 12, WindowMinimised};
    s.Windows.Symbols = {true, 13, 14, 15, 16, WindowNormal};
    s.Windows.Planets = {true, 17, 18, 19, 20, WindowNormal};
    s.Windows.HouseCusps = {true, 21, 22, 23, 24, WindowNormal};
    s.Windows.Aspects = {true, 25, 26, 27, 28, WindowNormal};
    s.Windows.NameList = {true, 29, 30, 31, 32, WindowNormal};
    s.Windows.Quiz = {true, 33, 34, 35, 36, WindowNormal};
    s.FromYear = 2030;
    s.ToYear = 2032;
    s.SetTransitBodyFlag(7, false);
    s.SetTransitBodyFlag(10, false);
    s.SetTrendFlag(2, false);
    for (int i = 0; i <= 8; ++i)
        s.SetTransitAspectFlag(i, i % 2 == 1);
    s.PrintOptions.BW = true;
    s.PrintOptions.Wheel = {false, 1, 1, 1, 1};
    s.PrintOptions.Planets = {false, 2, 2, 2, 2};
    s.PrintOptions.Houses = {false, 3, 3, 3, 3};
    s.PrintOptions.Aspects = {false, 4, 4, 4, 4};
    s.PrintOptions.Information = {false, 5, 5, 5, 5};
    s.PrintOptions.Symbol = {false, 6, 6, 6, 6};
    s.PrintLayout = {3,
                     1,
                     11,
                     12,
                     13,
                     14,
                     2,
                     120,
                     130,
                     {true, "Title Face", 20, 1, FontUnderline},
                     {true, "Sub Face", 14, 2, FontStrikeOut},
                     {true, "Body Face", 10, 3, FontItalic},
                     {true, "Header Face", 7, 4, FontBold}};
    s.WheelDrawing = {0x102030, "/home/me/sky.png", true, true};
    s.Interpretation = {0xFFFFFF, {true, "Reading Face", 11, 0, 0}};
}

TEST_F(KyrSetupTest, EverySavedValueRoundTrips) {
    auto written = MakeSetup();
    WriteText(UserFile(), "[System]\nHereAndNow=1\n[Startup]\nPlace=Danmark, Århus\n"
                          "[Languages]\nCountry1=UK English\nCountry2=DK Dansk\n");
    written->ReadSettings("KYR.INI");
    SetEverything(*written);
    written->SelectLanguage(2);
    written->WriteSettings("KYR.INI", true);

    auto read = MakeSetup();
    read->ReadSettings("KYR.INI");
    read->WriteSettings(Program.File("again.ini"), true);
    // Every value differs from its default, so a key that is not read shows here.
    const TProfileFile again(Program.File("again.ini"));
    const TProfileFile original(UserFile());
    for (const std::string &section : again.ReadSections())
        for (const std::string &key : again.ReadSection(section))
            EXPECT_EQ(again.ReadString(section, key, "?"), original.ReadString(section, key, "!"))
                << section << "/" << key;

    EXPECT_EQ(read->HouseSystem(), HouseKoch);
    EXPECT_TRUE(read->HereAndNow());
    EXPECT_EQ(read->Place(), "Danmark, Århus");
    EXPECT_EQ(read->Selected(), 2);
    EXPECT_EQ(read->Windows.Wheel, (TWindowPlace{true, 9, 10, 11, 12, WindowMinimised}));
    EXPECT_EQ(read->PrintOptions.Symbol, (TPrintBox{false, 6, 6, 6, 6}));
    EXPECT_EQ(read->PrintLayout.HeaderFont, (TFontSpec{true, "Header Face", 7, 4, FontBold}));
    EXPECT_EQ(read->Interpretation.Font, (TFontSpec{true, "Reading Face", 11, 0, 0}));
    EXPECT_EQ(read->WheelDrawing.PictureFile, "/home/me/sky.png");
    EXPECT_FALSE(read->TransitBodyFlag(7));
    EXPECT_TRUE(read->TransitBodyFlag(8));
    EXPECT_FALSE(read->TrendFlag(2));
    EXPECT_TRUE(read->TransitAspectFlag(1));
    EXPECT_FALSE(read->TransitAspectFlag(0));
}

TEST_F(KyrSetupTest, ReadsHandWrittenValues) {
    WriteText(UserFile(), "[system]\n"
                          "orbisname=\n"
                          "HouseSystem=7\n"
                          "GraphColor=-2147483633\n"
                          "[Languages]\n"
                          "Country1=UK English\n"
                          "Country3=DK Dansk\n"
                          "Country13=\n"
                          "[Windows]\n"
                          "Wheel=30,30,500,400\n"
                          "Planets=30,30,500,400,0\n"
                          "Main=garbage\n"
                          "[Analyse]\n"
                          "UseTransitPlanets=101\n"
                          "UseTransitTrends=0\n"
                          "UseTransitAspects=\n"
                          "[PrintOptions]\n"
                          "Houses=1,2,3\n"
                          "[PrintLayout]\n"
                          "SubTitleFont=\"Courier New\",12,0,3\n"
                          "BodyFont=Courier,9,0,0\n"
                          "[Debug]\n"
                          "Database=1\n"
                          "[Goodies]\n"
                          "PrintPlanetPos=yes\n"
                          "TitleBoxColor=255\n");
    auto setup = MakeSetup();
    setup->ReadSettings("KYR.INI");

    EXPECT_EQ(setup->System.OrbisName, "Medium");   // empty means the medium set
    EXPECT_EQ(setup->HouseSystem(), HousePlacidus); // no such system
    EXPECT_EQ(setup->System.GraphColor, -2147483633);
    // Only non-empty entries join the list, in key order.
    EXPECT_EQ(setup->Languages(), (std::vector<std::string>{"UK English", "DK Dansk"}));
    // Three commas: the default place, still invalid.
    EXPECT_EQ(setup->Windows.Wheel, (TWindowPlace{false, 20, 20, 400, 200, WindowNormal}));
    EXPECT_EQ(setup->Windows.Planets, (TWindowPlace{true, 30, 30, 500, 400, WindowNormal}));
    EXPECT_EQ(setup->Windows.Main, (TWindowPlace{true, 10, 10, 1260, 1004, WindowNormal}));
    // "101" with "11111" behind it: Jupiter on, Saturn off, Uranus, Neptune, Pluto on.
    const bool bodies[] = {true, false, true, true, true};
    for (int b = 6; b <= 10; ++b)
        EXPECT_EQ(setup->TransitBodyFlag(b), bodies[b - 6]) << "body " << b;
    const bool trends[] = {false, true, true, true};
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(setup->TrendFlag(i), trends[i - 1]) << "trend " << i;
    // Empty: 0, 90, 120 and 180 degrees.
    const bool aspects[] = {true, false, false, false, true, true, false, false, true};
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(setup->TransitAspectFlag(i), aspects[i]) << "aspect " << i;
    EXPECT_EQ(setup->PrintOptions.Houses, (TPrintBox{true, 30, 177, 22, 70}));
    EXPECT_EQ(setup->PrintLayout.SubTitleFont,
              (TFontSpec{true, "Courier New", 12, 0, FontBold | FontItalic}));
    // A malformed font keeps its default.
    EXPECT_EQ(setup->PrintLayout.BodyFont, (TFontSpec{true, "Arial", 9, 0, 0}));
    EXPECT_FALSE(setup->Interpretation.Font.Valid);
    EXPECT_TRUE(setup->Debug.Database);
    EXPECT_FALSE(setup->Debug.ExcludeBody);
    EXPECT_TRUE(setup->Goodies.PrintPlanetPos);
    EXPECT_EQ(setup->Goodies.TitleBoxColor, 255);
}

TEST_F(KyrSetupTest, ALoadReplacesTheWholeLanguageList) {
    WriteText(Program.File("a.ini"), "[Languages]\nCountry1=UK English\nCountry2=DK Dansk\n");
    WriteText(Program.File("b.ini"), "[Languages]\nCountry1=SW Svenska\n");
    auto setup = MakeSetup();
    setup->ReadSettings(Program.File("a.ini"));
    setup->ReadSettings(Program.File("b.ini"));
    EXPECT_EQ(setup->Languages(), (std::vector<std::string>{"SW Svenska"}));
}

TEST_F(KyrSetupTest, WithoutSaveOnExitOnlyTheFlagIsWritten) {
    auto setup = MakeSetup();
    setup->ReadSettings("KYR.INI");
    setup->System.SaveOnExit = true;
    setup->WriteSettings("KYR.INI", true);
    const std::string saved = ReadText(UserFile());

    setup->System.SaveOnExit = false;
    SetEverything(*setup);
    setup->System.SaveOnExit = false;
    setup->WriteSettings("KYR.INI", setup->System.SaveOnExit);
    std::string expected = saved;
    expected.replace(expected.find("SaveOnExit=1"), 12, "SaveOnExit=0");
    EXPECT_EQ(ReadText(UserFile()), expected);

    // Into a file that does not exist yet: just the flag.
    setup->WriteSettings(Program.File("new.ini"), false);
    EXPECT_EQ(ReadText(Program.File("new.ini")), "[System]\nSaveOnExit=0\n");
}

TEST_F(KyrSetupTest, ATemporaryHouseSystemIsNotSaved) {
    WriteText(UserFile(), "[System]\nHouseSystem=1\n");
    struct Case {
        const char *What;
        std::optional<int> Chosen;    // SetHouseSystem
        std::optional<int> Temporary; // SetTemporaryHouseSystem afterwards
        int Current;
        int Saved;
    };
    const Case cases[] = {
        {"as read", {}, {}, HouseKoch, HouseKoch},
        {"override", {}, HouseEqual, HouseEqual, HouseKoch},
        {"chosen", HousePlacidus, {}, HousePlacidus, HousePlacidus},
        {"chosen, then override", HousePlacidus, HouseEqual, HouseEqual, HousePlacidus},
    };
    for (const Case &c : cases) {
        auto setup = MakeSetup();
        setup->ReadSettings("KYR.INI");
        if (c.Chosen)
            setup->SetHouseSystem(*c.Chosen);
        if (c.Temporary)
            setup->SetTemporaryHouseSystem(*c.Temporary);
        EXPECT_EQ(setup->HouseSystem(), c.Current) << c.What;
        setup->WriteSettings(Program.File("out.ini"), true);
        EXPECT_EQ(TProfileFile(Program.File("out.ini")).ReadInteger("System", "HouseSystem", -1),
                  c.Saved)
            << c.What;
    }
    // A load ends an override.
    auto setup = MakeSetup();
    setup->SetTemporaryHouseSystem(HouseEqual);
    setup->ReadSettings("KYR.INI");
    EXPECT_FALSE(setup->HouseSystemIsTemporary());
    EXPECT_EQ(setup->HouseSystem(), HouseKoch);
}

TEST_F(KyrSetupTest, ImmediateWritesTouchOnlyTheirKeysUnderTheHourglass) {
    int shown = 0;
    BusyCursorHooks().Show = [&shown] { ++shown; };
    const std::string before = "; mine\n[System]\nHereAndNow=0\nOrbisName=Weak\n";
    WriteText(UserFile(), before);
    auto setup = MakeSetup();
    setup->ReadSettings("KYR.INI");
    SetEverything(*setup);

    setup->SetHereAndNowFlag(true);
    EXPECT_EQ(ReadText(UserFile()), "; mine\n[System]\nHereAndNow=1\nOrbisName=Weak\n");
    EXPECT_EQ(shown, 1);

    // Unchanged: no write at all.
    std::filesystem::remove(UserFile());
    setup->SetHereAndNowFlag(true);
    EXPECT_FALSE(std::filesystem::exists(UserFile()));
    EXPECT_EQ(shown, 1);

    setup->SetPlace("United Kingdom, London");
    EXPECT_EQ(setup->Place(), "United Kingdom, London");
    EXPECT_EQ(ReadText(UserFile()), "[Startup]\nPlace=United Kingdom, London\n");

    std::filesystem::remove(UserFile());
    setup->SavePrintOptions();
    const TProfileFile options(UserFile());
    EXPECT_EQ(options.ReadSections(), (std::vector<std::string>{"PrintOptions"}));
    EXPECT_EQ(options.ReadSection("PrintOptions"),
              (std::vector<std::string>{"BW", "Wheel", "Planets", "Houses", "Aspects",
                                        "Information", "Symbol"}));
    EXPECT_EQ(options.ReadString("PrintOptions", "Symbol", ""), "6,6,6,6,0");

    std::filesystem::remove(UserFile());
    setup->SavePrintLayout();
    const TProfileFile layout(UserFile());
    EXPECT_EQ(layout.ReadSections(), (std::vector<std::string>{"PrintLayout"}));
    EXPECT_EQ(layout.ReadSection("PrintLayout").size(), 13u);
    EXPECT_EQ(layout.ReadString("PrintLayout", "TitleFont", ""), "\"Title Face\",20,1,4");
    EXPECT_EQ(shown, 4);
    BusyCursorHooks().Show = nullptr;
}

TEST_F(KyrSetupTest, LanguageListLookUps) {
    WriteText(UserFile(), "[Languages]\nCountry1=UK English\nCountry2=DK Dansk\n"
                          "Country3=JP\xE3\x83\xBB日本語\nSelected=2\n");
    auto setup = MakeSetup();
    setup->ReadSettings("KYR.INI");
    EXPECT_EQ(setup->CurrentCountry(), "DK");
    EXPECT_EQ(setup->LanguageName(1), "English");
    EXPECT_EQ(setup->LanguageCode(1), "UK");
    EXPECT_EQ(setup->LanguageName(3), "日本語"); // a separator of more than one byte
    EXPECT_EQ(setup->LanguageCode(3), "JP");
    for (int outside : {0, 4, -1}) {
        EXPECT_EQ(setup->LanguageName(outside), "");
        EXPECT_EQ(setup->LanguageCode(outside), "");
    }
    EXPECT_EQ(setup->LanguageIndex("dk"), 2);
    EXPECT_EQ(setup->LanguageIndex("SW"), 0);

    // SelectLanguage takes 0 .. the list size; CurrentCountry falls back to the first entry.
    struct Case {
        int Choice;
        int Selected;
        const char *Country;
    };
    const Case cases[] = {{3, 3, "JP"}, {4, 3, "JP"}, {-1, 3, "JP"}, {0, 0, "UK"}, {1, 1, "UK"}};
    for (const Case &c : cases) {
        setup->SelectLanguage(c.Choice);
        EXPECT_EQ(setup->Selected(), c.Selected) << c.Choice;
        EXPECT_EQ(setup->CurrentCountry(), c.Country) << c.Choice;
    }
}

TEST_F(KyrSetupTest, AnEmptyLanguageListComesFromTheStandardFile) {
    WriteText(Program.File("KYR.STD"), "[Languages]\nCountry1=UK English\nCountry2=DK Dansk\n");
    WriteText(UserFile(), "[Languages]\nSelected=5\n");
    auto setup = MakeSetup();
    setup->ReadSettings("KYR.INI");
    EXPECT_EQ(setup->CurrentCountry(), "UK"); // 5 is beyond the list
    EXPECT_EQ(setup->Languages().size(), 2u);
    EXPECT_EQ(ReadText(UserFile()),
              "[Languages]\nSelected=5\nCountry1=UK English\nCountry2=DK Dansk\n");
}

TEST_F(KyrSetupTest, NoLanguageAnywhereStopsTheProgram) {
    WriteText(Program.File("KYR.STD"), "[Languages]\nCountry1=\n");
    auto setup = MakeSetup();
    setup->ReadSettings("KYR.INI");
    try {
        setup->CurrentCountry();
        FAIL() << "no error";
    } catch (const ENoLanguageError &error) {
        EXPECT_EQ(error.TextNumber(), 1337);
    }
    EXPECT_FALSE(std::filesystem::exists(UserFile()));
}

TEST_F(KyrSetupTest, AnUnwritableProgramDirectoryMovesTheUserFileToTheConfigDirectory) {
    WriteText(Program.File("KYR.STD"), "[System]\nOrbisName=Strong\n");
    WriteText(UserFile(), "[System]\nOrbisName=Weak\n"); // not the user's file any more
    auto setup = MakeSetup(false);
    const std::string userFile = Config.Path() + "kyr/KYR.INI";
    EXPECT_EQ(setup->SettingsFileName(), userFile);
    EXPECT_EQ(setup->ResolveFileName("kyr.ini"), userFile);
    EXPECT_EQ(setup->StandardFileName(), Program.File("KYR.STD"));
    EXPECT_EQ(setup->ResolveFileName("KYR.STD"), Program.File("KYR.STD"));

    setup->ReadSettings("KYR.INI");
    EXPECT_EQ(setup->System.OrbisName, "Medium");
    setup->System.OrbisName = "My Orbs";
    setup->WriteSettings("KYR.INI", true); // creates the folder
    setup->SetPlace("Danmark, Odense");
    EXPECT_EQ(ReadText(UserFile()), "[System]\nOrbisName=Weak\n");

    auto again = MakeSetup(false);
    again->ReadSettings("KYR.INI");
    EXPECT_EQ(again->System.OrbisName, "My Orbs");
    EXPECT_EQ(again->Place(), "Danmark, Odense");
    again->ReadSettings("KYR.STD");
    EXPECT_EQ(again->System.OrbisName, "Strong");
}

TEST_F(KyrSetupTest, TheFirstStartReadsTheStandardWithTheCurrentYears) {
    WriteText(Program.File("KYR.STD"),
              "[System]\nHereAndNow=1\n[Analyse]\nFromYear=2000\nToYear=2001\n");
    auto setup = MakeSetup();
    setup->LoadUserSettings();
    EXPECT_TRUE(setup->HereAndNow());
    EXPECT_EQ(setup->FromYear, 2031);
    EXPECT_EQ(setup->ToYear, 2032);

    // Once the user has a file it is what loads.
    WriteText(UserFile(), "[Analyse]\nFromYear=2010\nToYear=2012\n");
    setup->LoadUserSettings();
    EXPECT_FALSE(setup->HereAndNow());
    EXPECT_EQ(setup->FromYear, 2010);
    EXPECT_EQ(setup->ToYear, 2012);
}

TEST_F(KyrSetupTest, LoadingTheUserSettingsClearsWhatAnInterruptedWriteLeft) {
    WriteText(UserFile(), "[System]\nSaveOnExit=1\n");
    // Ours by their names; the old one cannot be from a write now under way.
    const std::string stale = UserFile() + ".~" + std::to_string(getpid()) + "-0";
    const std::string live = UserFile() + ".~" + std::to_string(getpid()) + "-1";
    WriteText(stale, "[Sys");
    WriteText(live, "[Sys");
    std::filesystem::last_write_time(
        stale, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2));
    auto setup = MakeSetup();
    setup->LoadUserSettings();
    EXPECT_TRUE(setup->System.SaveOnExit);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
}

TEST_F(KyrSetupTest, PrintMarginsAndBoxesBeyondAnyPageAreHeldAndWrittenSo) {
    WriteText(UserFile(), "[PrintLayout]\nLeftMargin=2147483647\nTopMargin=-2147483648\n"
                          "RgtMargin=12\n[PrintOptions]\nWheel=2147483647,10,2147483647,20,1\n"
                          "Symbol=-5,-2147483648,30,2147483647,0\n");
    auto setup = MakeSetup();
    setup->ReadSettings("KYR.INI");
    EXPECT_EQ(setup->PrintLayout.LeftMargin, LargestPage.Width / 2);
    EXPECT_EQ(setup->PrintLayout.TopMargin, 0);
    EXPECT_EQ(setup->PrintLayout.RgtMargin, 12);
    EXPECT_EQ(setup->PrintOptions.Wheel, (TPrintBox{true, LargestPage.Width, 10, 0, 20}));
    EXPECT_EQ(setup->PrintOptions.Symbol, (TPrintBox{false, 0, 0, 30, LargestPage.Height}));
    setup->WriteSettings("KYR.INI", true);
    const TProfileFile written(UserFile());
    EXPECT_EQ(written.ReadInteger("PrintLayout", "LeftMargin", 0), LargestPage.Width / 2);
    EXPECT_EQ(written.ReadInteger("PrintLayout", "TopMargin", 1), 0);
    EXPECT_EQ(written.ReadString("PrintOptions", "Wheel", ""), "1000,10,0,20,1");
    EXPECT_EQ(written.ReadString("PrintOptions", "Symbol", ""), "0,0,30,1000,0");
}

TEST_F(KyrSetupTest, SplitDefaultPlacesFillsOnlyInvalidPlaces) {
    auto setup = MakeSetup();
    setup->SplitDefaultPlaces({0, 0, 1001, 700});
    EXPECT_EQ(setup->Windows.Interpretation, (TWindowPlace{false, 0, 0, 500, 700, WindowNormal}));
    EXPECT_EQ(setup->Windows.Wheel, (TWindowPlace{false, 500, 0, 501, 700, WindowNormal}));

    setup->Windows.Wheel = {true, 1, 2, 3, 4, WindowNormal};
    setup->SplitDefaultPlaces({10, 20, 800, 600});
    EXPECT_EQ(setup->Windows.Interpretation, (TWindowPlace{false, 10, 20, 400, 600, WindowNormal}));
    EXPECT_EQ(setup->Windows.Wheel, (TWindowPlace{true, 1, 2, 3, 4, WindowNormal}));
    setup->Windows.Wheel.Valid = false;
    setup->SplitDefaultPlaces({10, 20, 800, 600});
    EXPECT_EQ(setup->Windows.Wheel, (TWindowPlace{false, 410, 20, 400, 600, WindowNormal}));
}

TEST_F(KyrSetupTest, FlagIndicesOutsideTheirRangesAreRefused) {
    auto setup = MakeSetup();
    EXPECT_THROW(setup->TrendFlag(0), std::out_of_range);
    EXPECT_THROW(setup->SetTrendFlag(5, true), std::out_of_range);
    EXPECT_THROW(setup->TransitAspectFlag(9), std::out_of_range);
    EXPECT_THROW(setup->SetTransitAspectFlag(-1, true), std::out_of_range);
    EXPECT_THROW(setup->TransitBodyFlag(5), std::out_of_range);
    EXPECT_THROW(setup->SetTransitBodyFlag(11, true), std::out_of_range);
}

TEST(SettingsLocation, WritabilityIsTriedNotGuessed) {
    TTempDirectory dir;
    EXPECT_TRUE(CanCreateFileIn(dir.Path()));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path())); // the probe is gone
    EXPECT_FALSE(CanCreateFileIn(dir.File("missing")));
    WriteText(dir.File("plain"), "");
    EXPECT_FALSE(CanCreateFileIn(dir.File("plain")));
    // Permission bits bind everyone but root.
    if (geteuid() != 0) {
        std::filesystem::create_directory(dir.File("locked"));
        chmod(dir.File("locked").c_str(), 0555);
        EXPECT_FALSE(CanCreateFileIn(dir.File("locked")));
    }
}

TEST(SettingsLocation, ConfigDirectoryFollowsXdgConfigHome) {
    const char *oldConfig = std::getenv("XDG_CONFIG_HOME");
    const char *oldHome = std::getenv("HOME");
    const std::string savedConfig = oldConfig ? oldConfig : "";
    const std::string savedHome = oldHome ? oldHome : "";

    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "/elsewhere/config", 1);
    EXPECT_EQ(UserConfigDirectory(), "/elsewhere/config/kyr/");
    setenv("XDG_CONFIG_HOME", "relative/config", 1); // not absolute: ignored
    EXPECT_EQ(UserConfigDirectory(), "/home/someone/.config/kyr/");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserConfigDirectory(), "/home/someone/.config/kyr/");

    if (oldConfig)
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    if (oldHome)
        setenv("HOME", savedHome.c_str(), 1);
    else
        unsetenv("HOME");
}

} // namespace
