#include "KyrSetup.h"

#include "BusyCursor.h"
#include "ChartTypes.h"
#include "Horoscope.h"
#include "KyrTable.h"
#include "OrbSets.h"
#include "ProfileFile.h"
#include "PageLimits.h"
#include "ProgramDirectory.h"
#include "SettingsLocation.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace kyr {

namespace {

constexpr const char *SystemSection = "System";
constexpr const char *StartupSection = "Startup";
constexpr const char *LanguagesSection = "Languages";
constexpr const char *WindowsSection = "Windows";
constexpr const char *AnalyseSection = "Analyse";
constexpr const char *PrintOptionsSection = "PrintOptions";
constexpr const char *PrintLayoutSection = "PrintLayout";
constexpr const char *WheelDrawingSection = "WheelDrawing";
constexpr const char *InterpretationSection = "Interpretation";
constexpr const char *DebugSection = "Debug";
constexpr const char *GoodiesSection = "Goodies";

// The defaults of the flag strings; a short value is completed from them.
constexpr const char *DefaultBodies = "11111";
constexpr const char *DefaultTrends = "1111";
constexpr const char *DefaultAspects = "100011001";

constexpr int FirstTransitBody = 6;
constexpr int TransitBodyCount = 5;
constexpr int TrendCount = 4;
constexpr int TransitAspectCount = 9;

struct TPlaceKey {
    const char *Key;
    TWindowPlace TWindowPlaces::*Member;
    int Left, Top, Right, Bottom;
    bool Valid;
};

// In the order they are read; negative right and bottom values count from the screen edges.
constexpr TPlaceKey PlaceKeys[] = {
    {"Main", &TWindowPlaces::Main, -10, -10, -10, -10, true},
    {"Interpretation", &TWindowPlaces::Interpretation, 0, 0, 400, 200, false},
    {"Wheel", &TWindowPlaces::Wheel, 20, 20, 400, 200, false},
    {"Symbols", &TWindowPlaces::Symbols, 20, 0, 220, 350, false},
    {"Planets", &TWindowPlaces::Planets, 40, 10, 290, 310, false},
    {"HouseCusps", &TWindowPlaces::HouseCusps, 80, 20, 260, 320, false},
    {"Aspects", &TWindowPlaces::Aspects, 100, 30, 500, 300, false},
    {"NameList", &TWindowPlaces::NameList, 120, 40, 160, 200, false},
    {"Quiz", &TWindowPlaces::Quiz, 30, 30, 357, 216, false},
};

// The order in which they are written.
constexpr int PlaceWriteOrder[] = {0, 1, 2, 4, 5, 6, 3, 7, 8};

struct TBoxKey {
    const char *Key;
    TPrintBox TPrintOptions::*Member;
};

constexpr TBoxKey BoxKeys[] = {
    {"Wheel", &TPrintOptions::Wheel},
    {"Planets", &TPrintOptions::Planets},
    {"Houses", &TPrintOptions::Houses},
    {"Aspects", &TPrintOptions::Aspects},
    {"Information", &TPrintOptions::Information},
    {"Symbol", &TPrintOptions::Symbol},
};

struct TLayoutKey {
    const char *Key;
    int TPrintLayout::*Member;
};

constexpr TLayoutKey LayoutKeys[] = {
    {"Columns", &TPrintLayout::Columns},           {"HeaderMargin", &TPrintLayout::HeaderMargin},
    {"TopMargin", &TPrintLayout::TopMargin},       {"LeftMargin", &TPrintLayout::LeftMargin},
    {"RgtMargin", &TPrintLayout::RgtMargin},       {"BottomMargin", &TPrintLayout::BottomMargin},
    {"FooterMargin", &TPrintLayout::FooterMargin}, {"LineSpace", &TPrintLayout::LineSpace},
    {"ColumnSpace", &TPrintLayout::ColumnSpace},
};

struct TFontKey {
    const char *Key;
    TFontSpec TPrintLayout::*Member;
};

constexpr TFontKey FontKeys[] = {
    {"TitleFont", &TPrintLayout::TitleFont},
    {"SubTitleFont", &TPrintLayout::SubTitleFont},
    {"BodyFont", &TPrintLayout::BodyFont},
    {"HeaderFont", &TPrintLayout::HeaderFont},
};

std::string CountryKey(int i) {
    return "Country" + std::to_string(i);
}

/// A font setting; a malformed value keeps the default, as places and boxes do.
TFontSpec ReadFont(const TProfileFile &file, const char *section, const char *key,
                   const TFontSpec &defaultFont) {
    const TFontSpec font = ParseFontSpec(file.ReadString(section, key, FontSpecText(defaultFont)));
    return font.Valid ? font : defaultFont;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameText(const std::string &a, const std::string &b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

/// Byte length of the UTF-8 character that starts at text[at].
std::size_t CharacterLength(const std::string &text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return end - at;
}

int LocalYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

bool &CheckedFlag(bool *flags, int index, int low, int high, const char *what) {
    if (index < low || index > high)
        throw std::out_of_range(std::string(what) + " " + std::to_string(index) + " is outside " +
                                std::to_string(low) + ".." + std::to_string(high) + ".");
    return flags[index];
}

} // namespace

TKyrSetup::TKyrSetup(TSetupEnvironment environment) : FEnvironment(std::move(environment)) {
    FProgramDirectory = FEnvironment.ProgramDirectory.empty() ? kyr::ProgramDirectory()
                                                              : FEnvironment.ProgramDirectory;
    if (FProgramDirectory.back() != '/')
        FProgramDirectory += '/';
    const bool writable = FEnvironment.CanWrite ? FEnvironment.CanWrite(FProgramDirectory)
                                                : CanCreateFileIn(FProgramDirectory);
    if (writable) {
        FSettingsFileName = FProgramDirectory + UserSettingsName;
    } else {
        std::string config = FEnvironment.ConfigDirectory.empty() ? UserConfigDirectory()
                                                                  : FEnvironment.ConfigDirectory;
        if (config.back() != '/')
            config += '/';
        FSettingsFileName = config + UserSettingsName;
    }

    for (const TPlaceKey &k : PlaceKeys)
        Windows.*k.Member = DefaultWindowPlace(k.Left, k.Top, k.Right, k.Bottom, k.Valid, FScreen);
    FTrends.fill(true);
    FAspects.fill(true);
    FBodies.fill(true);
}

std::string TKyrSetup::ResolveFileName(const std::string &fileName) const {
    if (fileName.find('/') != std::string::npos)
        return fileName;
    if (SameText(fileName, UserSettingsName))
        return FSettingsFileName;
    return FProgramDirectory + fileName;
}

void TKyrSetup::ReadLanguages(const TProfileFile &file) {
    FLanguages.clear();
    for (int i = 1; i <= MaxLanguages; ++i) {
        std::string entry = file.ReadString(LanguagesSection, CountryKey(i), "");
        if (!entry.empty())
            FLanguages.push_back(std::move(entry));
    }
}

bool TKyrSetup::ReadSettings(const std::string &fileName) {
    const TProfileFile file(ResolveFileName(fileName));

    System.SaveOnExit = file.ReadBool(SystemSection, "SaveOnExit", false);
    FHereAndNow = file.ReadBool(SystemSection, "HereAndNow", false);
    System.USDateFormat = file.ReadBool(SystemSection, "USDateFormat", false);
    System.HideAspects = file.ReadBool(SystemSection, "HideAspects", false);
    System.ChkZoneTime = file.ReadBool(SystemSection, "ChkZoneTime", true);
    System.ChkSummerTime = file.ReadBool(SystemSection, "ChkSummerTime", true);
    System.ChkStrong = file.ReadBool(SystemSection, "ChkStrong", true);
    System.ChkMedium = file.ReadBool(SystemSection, "ChkMedium", false);
    System.ChkWeak = file.ReadBool(SystemSection, "ChkWeak", false);
    int houseSystem = file.ReadInteger(SystemSection, "HouseSystem", HousePlacidus);
    // An unknown system would fail every chart; treat it as a malformed value.
    if (houseSystem < HousePlacidus || houseSystem > HouseEqual)
        houseSystem = HousePlacidus;
    FHouseSystem = FSavedHouseSystem = houseSystem;
    FHouseSystemTemporary = false;
    System.OrbisName = file.ReadString(SystemSection, "OrbisName", "");
    if (System.OrbisName.empty())
        System.OrbisName = "Medium";
    System.GraphColor = file.ReadInteger(SystemSection, "GraphColor", 255);

    FPlace = file.ReadString(StartupSection, "Place", "");

    ReadLanguages(file);
    FSelected = file.ReadInteger(LanguagesSection, "Selected", 1);

    for (const TPlaceKey &k : PlaceKeys)
        Windows.*k.Member = ParseWindowPlace(
            file.ReadString(WindowsSection, k.Key, ""),
            DefaultWindowPlace(k.Left, k.Top, k.Right, k.Bottom, k.Valid, FScreen));

    FromYear = file.ReadInteger(AnalyseSection, "FromYear", 1999);
    ToYear = file.ReadInteger(AnalyseSection, "ToYear", 2002);
    ParseFlags(file.ReadString(AnalyseSection, "UseTransitPlanets", ""), DefaultBodies,
               &FBodies[FirstTransitBody], TransitBodyCount);
    ParseFlags(file.ReadString(AnalyseSection, "UseTransitTrends", ""), DefaultTrends, &FTrends[1],
               TrendCount);
    ParseFlags(file.ReadString(AnalyseSection, "UseTransitAspects", ""), DefaultAspects,
               FAspects.data(), TransitAspectCount);

    const TPrintOptions defaultOptions;
    PrintOptions.BW = file.ReadBool(PrintOptionsSection, "BW", false);
    for (const TBoxKey &k : BoxKeys)
        PrintOptions.*k.Member = ParsePrintBox(file.ReadString(PrintOptionsSection, k.Key, ""),
                                               defaultOptions.*k.Member);

    const TPrintLayout defaultLayout;
    for (const TLayoutKey &k : LayoutKeys)
        PrintLayout.*k.Member =
            file.ReadInteger(PrintLayoutSection, k.Key, defaultLayout.*k.Member);
    for (const TFontKey &k : FontKeys)
        PrintLayout.*k.Member = ReadFont(file, PrintLayoutSection, k.Key, defaultLayout.*k.Member);

    const TWheelDrawing defaultWheel;
    WheelDrawing.BackgroundColor =
        file.ReadInteger(WheelDrawingSection, "BackgroundColor", defaultWheel.BackgroundColor);
    WheelDrawing.PictureFile = file.ReadString(WheelDrawingSection, "PictureFile", "");
    WheelDrawing.BW = file.ReadBool(WheelDrawingSection, "BW", false);
    WheelDrawing.UseMemory = file.ReadBool(WheelDrawingSection, "UseMemory", false);

    const TInterpretationSettings defaultInterpretation;
    Interpretation.BackgroundColor = file.ReadInteger(InterpretationSection, "BackgroundColor",
                                                      defaultInterpretation.BackgroundColor);
    Interpretation.Font = ReadFont(file, InterpretationSection, "Font", defaultInterpretation.Font);

    Debug.ExcludeBody = file.ReadBool(DebugSection, "ExcludeBody", false);
    Debug.Database = file.ReadBool(DebugSection, "Database", false);
    Debug.TagLanguage = file.ReadBool(DebugSection, "TagLanguage", false);
    Debug.DebugHelp = file.ReadBool(DebugSection, "DebugHelp", false);

    const TGoodies defaultGoodies;
    Goodies.PrintPlanetPos = file.ReadBool(GoodiesSection, "PrintPlanetPos", false);
    Goodies.TitleBoxColor =
        file.ReadInteger(GoodiesSection, "TitleBoxColor", defaultGoodies.TitleBoxColor);
    Goodies.PageLineColor =
        file.ReadInteger(GoodiesSection, "PageLineColor", defaultGoodies.PageLineColor);

    // Held to any page before they reach the print arithmetic; written back so.
    ClampMargins(PrintLayout, LargestPage);
    ClampBoxes(PrintOptions, LargestPage);
    return true;
}

void TKyrSetup::WritePrintOptions(TProfileFile &file) const {
    file.WriteBool(PrintOptionsSection, "BW", PrintOptions.BW);
    for (const TBoxKey &k : BoxKeys)
        file.WriteString(PrintOptionsSection, k.Key, PrintBoxText(PrintOptions.*k.Member));
}

void TKyrSetup::WritePrintLayout(TProfileFile &file) const {
    for (const TLayoutKey &k : LayoutKeys)
        file.WriteInteger(PrintLayoutSection, k.Key, PrintLayout.*k.Member);
    for (const TFontKey &k : FontKeys)
        file.WriteString(PrintLayoutSection, k.Key, FontSpecText(PrintLayout.*k.Member));
}

bool TKyrSetup::WriteSettings(const std::string &fileName, bool full) {
    TProfileFile file(ResolveFileName(fileName));
    file.WriteBool(SystemSection, "SaveOnExit", System.SaveOnExit);
    if (full) {
        file.WriteBool(SystemSection, "HereAndNow", FHereAndNow);
        file.WriteInteger(SystemSection, "HouseSystem",
                          FHouseSystemTemporary ? FSavedHouseSystem : FHouseSystem);
        file.WriteBool(SystemSection, "USDateFormat", System.USDateFormat);
        file.WriteBool(SystemSection, "HideAspects", System.HideAspects);
        file.WriteBool(SystemSection, "ChkZoneTime", System.ChkZoneTime);
        file.WriteBool(SystemSection, "ChkSummerTime", System.ChkSummerTime);
        file.WriteBool(SystemSection, "ChkStrong", System.ChkStrong);
        file.WriteBool(SystemSection, "ChkMedium", System.ChkMedium);
        file.WriteBool(SystemSection, "ChkWeak", System.ChkWeak);
        file.WriteString(SystemSection, "OrbisName", System.OrbisName);
        file.WriteInteger(SystemSection, "GraphColor", System.GraphColor);

        file.WriteString(StartupSection, "Place", FPlace);

        file.WriteInteger(LanguagesSection, "Selected", FSelected);

        for (int i : PlaceWriteOrder)
            file.WriteString(WindowsSection, PlaceKeys[i].Key,
                             WindowPlaceText(Windows.*PlaceKeys[i].Member));

        file.WriteInteger(AnalyseSection, "FromYear", FromYear);
        file.WriteInteger(AnalyseSection, "ToYear", ToYear);
        file.WriteString(AnalyseSection, "UseTransitPlanets",
                         FlagsText(&FBodies[FirstTransitBody], TransitBodyCount));
        file.WriteString(AnalyseSection, "UseTransitTrends", FlagsText(&FTrends[1], TrendCount));
        file.WriteString(AnalyseSection, "UseTransitAspects",
                         FlagsText(FAspects.data(), TransitAspectCount));

        WritePrintOptions(file);
        WritePrintLayout(file);

        file.WriteInteger(WheelDrawingSection, "BackgroundColor", WheelDrawing.BackgroundColor);
        file.WriteString(WheelDrawingSection, "PictureFile", WheelDrawing.PictureFile);
        file.WriteBool(WheelDrawingSection, "BW", WheelDrawing.BW);
        file.WriteBool(WheelDrawingSection, "UseMemory", WheelDrawing.UseMemory);

        file.WriteInteger(InterpretationSection, "BackgroundColor", Interpretation.BackgroundColor);
        file.WriteString(InterpretationSection, "Font", FontSpecText(Interpretation.Font));
    }
    file.UpdateFile();
    return true;
}

void TKyrSetup::LoadUserSettings() {
    // Writes that a crash interrupted leave their temporary files; nobody else will take them.
    RemoveStaleTemporaries(FSettingsFileName);
    if (std::filesystem::exists(FSettingsFileName)) {
        ReadSettings(FSettingsFileName);
        return;
    }
    ReadSettings(StandardFileName());
    const int year = FEnvironment.CurrentYear ? FEnvironment.CurrentYear() : LocalYear();
    FromYear = year;
    ToYear = year + 1;
}

void TKyrSetup::SetHereAndNowFlag(bool value) {
    if (value == FHereAndNow)
        return;
    TBusyScope busy;
    FHereAndNow = value;
    TProfileFile file(FSettingsFileName);
    file.WriteBool(SystemSection, "HereAndNow", value);
    file.UpdateFile();
}

void TKyrSetup::SetPlace(const std::string &place) {
    TBusyScope busy;
    TProfileFile file(FSettingsFileName);
    file.WriteString(StartupSection, "Place", place);
    file.UpdateFile();
    FPlace = place;
}

void TKyrSetup::SavePrintOptions() {
    TBusyScope busy;
    TProfileFile file(FSettingsFileName);
    WritePrintOptions(file);
    file.UpdateFile();
}

void TKyrSetup::SavePrintLayout() {
    TBusyScope busy;
    TProfileFile file(FSettingsFileName);
    WritePrintLayout(file);
    file.UpdateFile();
}

void TKyrSetup::SetHouseSystem(int system) {
    FHouseSystem = FSavedHouseSystem = system;
    FHouseSystemTemporary = false;
}

void TKyrSetup::SetTemporaryHouseSystem(int system) {
    FHouseSystem = system;
    FHouseSystemTemporary = true;
}

void TKyrSetup::SelectLanguage(int i) {
    if (i >= 0 && i <= static_cast<int>(FLanguages.size()))
        FSelected = i;
}

std::string TKyrSetup::CurrentCountry() {
    if (FLanguages.empty()) {
        ReadLanguages(TProfileFile(StandardFileName()));
        if (FLanguages.empty())
            throw ENoLanguageError();
        try {
            TProfileFile file(FSettingsFileName);
            for (std::size_t i = 0; i < FLanguages.size(); ++i)
                file.WriteString(LanguagesSection, CountryKey(static_cast<int>(i) + 1),
                                 FLanguages[i]);
            file.UpdateFile();
        } catch (const EProfileFileError &) {
            // Only a copy for the user's file; the next start reads the standard again.
        }
    }
    const int count = static_cast<int>(FLanguages.size());
    return LanguageCode(FSelected <= 0 || FSelected > count ? 1 : FSelected);
}

std::string TKyrSetup::LanguageName(int i) const {
    if (i < 1 || i > static_cast<int>(FLanguages.size()))
        return {};
    const std::string &entry = FLanguages[static_cast<std::size_t>(i) - 1];
    // Two letters of code and one separator character, which need not be ASCII.
    std::size_t at = 0;
    for (int skip = 0; skip < 3 && at < entry.size(); ++skip)
        at += CharacterLength(entry, at);
    return entry.substr(at);
}

std::string TKyrSetup::LanguageCode(int i) const {
    if (i < 1 || i > static_cast<int>(FLanguages.size()))
        return {};
    return FLanguages[static_cast<std::size_t>(i) - 1].substr(0, 2);
}

int TKyrSetup::LanguageIndex(const std::string &code) const {
    for (int i = 1; i <= static_cast<int>(FLanguages.size()); ++i)
        if (SameText(LanguageCode(i), code.substr(0, 2)))
            return i;
    return 0;
}

bool TKyrSetup::TrendFlag(int i) const {
    return CheckedFlag(const_cast<bool *>(FTrends.data()), i, 1, TrendCount, "Trend");
}

void TKyrSetup::SetTrendFlag(int i, bool on) {
    CheckedFlag(FTrends.data(), i, 1, TrendCount, "Trend") = on;
}

bool TKyrSetup::TransitAspectFlag(int i) const {
    return CheckedFlag(const_cast<bool *>(FAspects.data()), i, 0, TransitAspectCount - 1,
                       "Transit aspect");
}

void TKyrSetup::SetTransitAspectFlag(int i, bool on) {
    CheckedFlag(FAspects.data(), i, 0, TransitAspectCount - 1, "Transit aspect") = on;
}

bool TKyrSetup::TransitBodyFlag(int body) const {
    return CheckedFlag(const_cast<bool *>(FBodies.data()), body, FirstTransitBody,
                       FirstTransitBody + TransitBodyCount - 1, "Transit body");
}

void TKyrSetup::SetTransitBodyFlag(int body, bool on) {
    CheckedFlag(FBodies.data(), body, FirstTransitBody, FirstTransitBody + TransitBodyCount - 1,
                "Transit body") = on;
}

void TKyrSetup::ApplyTransitSettings(THoroscope &horoscope) const {
    const bool wasActive = horoscope.Active();
    horoscope.SetActive(false);
    horoscope.SetFromYear(FromYear);
    horoscope.SetToYear(ToYear);
    for (int i = 1; i <= TrendCount; ++i)
        horoscope.SetTransitOption(i, FTrends[i]);
    for (int i = 0; i < TransitAspectCount; ++i)
        horoscope.SetTransitAspect(i, FAspects[i]);
    for (int b = FirstTransitBody; b < FirstTransitBody + TransitBodyCount; ++b)
        horoscope.SetTransitPlanet(b, FBodies[b]);
    horoscope.SetActive(wasActive);
}

void TKyrSetup::ApplyUserOrbs(TKyrTable &table, THoroscope &horoscope) const {
    const std::string &name = System.OrbisName;
    if (name.empty())
        return;
    // The rows are taken first, so that a bad row changes nothing.
    static constexpr const char *Columns[OrbColumnCount] = {
        "D_0", "D_30", "D_45", "D_60", "D_90", "D_120", "D_135", "D_150", "D_180"};
    std::vector<TOrbRow> rows;
    if (table.FindKey({name, 1LL})) {
        for (; !table.Eof(); table.Next()) {
            if (!SameText(table.FieldByName("OrbisName").AsString(), name))
                break;
            TOrbRow row;
            row.Name = name;
            const long long point = table.FieldByName("OrbisPlanetOrCusp").AsInteger();
            if (point < 1 || point > AspectPointCount)
                throw EHoroscopeException("Incorrect Aspect Index.");
            row.Point = static_cast<int>(point);
            for (int k = 0; k < OrbColumnCount; ++k) {
                const long long degrees = table.FieldByName(Columns[k]).AsInteger();
                if (degrees < 0 || degrees > 180)
                    throw EHoroscopeException("Incorrect Orb Value!");
                row.Degrees[k] = static_cast<int>(degrees);
            }
            rows.push_back(row);
        }
    }
    ApplyOrbSet(horoscope, rows, name);
}

void TKyrSetup::SplitDefaultPlaces(const TRect &area) {
    const int w = area.Width;
    const int a = w / 2;
    TWindowPlace &interpretation = Windows.Interpretation;
    if (!interpretation.Valid) {
        interpretation.Left = area.Left;
        interpretation.Top = area.Top;
        interpretation.Width = a;
        interpretation.Height = area.Height;
    }
    // Measured from the area's left edge, which the main window's client area has at 0.
    TWindowPlace &wheel = Windows.Wheel;
    if (!wheel.Valid) {
        wheel.Left = area.Left + a;
        wheel.Top = area.Top;
        wheel.Width = w - a;
        wheel.Height = area.Height;
    }
}

} // namespace kyr
