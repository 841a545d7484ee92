// TKyrSetup: every user preference, the user's settings file "KYR.INI" and the shipped
// standard "KYR.STD".
#pragma once

#include "SettingsFormats.h"

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kyr {

class THoroscope;
class TKyrTable;
class TProfileFile;

constexpr const char *UserSettingsName = "KYR.INI";
constexpr const char *StandardSettingsName = "KYR.STD";
/// Entries Country1..Country13 of the language list.
constexpr int MaxLanguages = 13;
/// Language text of the message shown when no language is listed anywhere.
constexpr int NoLanguageTextNumber = 1337;

/// Neither settings file lists a language: the program cannot go on. The message is the
/// fallback for language text TextNumber, which has no language to come from.
class ENoLanguageError : public std::runtime_error {
public:
    ENoLanguageError()
        : std::runtime_error("No language is installed. Please install the program again.") {}
    int TextNumber() const { return NoLanguageTextNumber; }
};

/// Where the settings live and what the settings ask of the system; empty members take the
/// real thing. Tests point them elsewhere.
struct TSetupEnvironment {
    /// The program directory; empty: the executable's directory.
    std::string ProgramDirectory;
    /// Where "KYR.INI" goes when the program directory is not writable; empty:
    /// $XDG_CONFIG_HOME/kyr/, else ~/.config/kyr/.
    std::string ConfigDirectory;
    /// Whether files can be created in a directory; empty: try creating one.
    std::function<bool(const std::string &directory)> CanWrite;
    /// The current calendar year; empty: the system clock's local year.
    std::function<int()> CurrentYear;
};

struct TSystemSettings {
    bool SaveOnExit = false;
    bool USDateFormat = false;
    bool HideAspects = true;
    bool ChkZoneTime = true;
    bool ChkSummerTime = true;
    bool ChkStrong = false;
    bool ChkMedium = false;
    bool ChkWeak = false;
    /// The orb set in use: "Strong", "Medium", "Weak" or a user set.
    std::string OrbisName;
    int GraphColor = 255;
};

struct TWindowPlaces {
    TWindowPlace Main;
    TWindowPlace Interpretation;
    TWindowPlace Wheel;
    TWindowPlace Symbols;
    TWindowPlace Planets;
    TWindowPlace HouseCusps;
    TWindowPlace Aspects;
    TWindowPlace NameList;
    TWindowPlace Quiz;
};

struct TPrintOptions {
    bool BW = false;
    TPrintBox Wheel{true, 40, 27, 140, 140};
    TPrintBox Planets{true, 140, 177, 37, 70};
    TPrintBox Houses{true, 30, 177, 22, 70};
    TPrintBox Aspects{true, 60, 177, 70, 70};
    TPrintBox Information{true, 0, 0, 180, 21};
    TPrintBox Symbol{true, 0, 27, 27, 220};
};

struct TPrintLayout {
    int Columns = 2;
    int HeaderMargin = 0;
    int TopMargin = 10;
    int LeftMargin = 10;
    int RgtMargin = 10;
    int BottomMargin = 10;
    int FooterMargin = 0;
    int LineSpace = 110;
    int ColumnSpace = 110;
    TFontSpec TitleFont{true, "Arial", 16, 0, 0};
    TFontSpec SubTitleFont{true, "Arial", 12, 0, FontBold};
    TFontSpec BodyFont{true, "Arial", 9, 0, 0};
    TFontSpec HeaderFont{true, "Arial", 8, 0, FontItalic};
};

/// Colour values with the top bit set name a system colour by its index in the low bits.
constexpr int SystemColorButtonFace = -2147483633;
constexpr int SystemColorWindow = -2147483643;

struct TWheelDrawing {
    int BackgroundColor = SystemColorButtonFace;
    std::string PictureFile;
    bool BW = false;
    bool UseMemory = false;
};

struct TInterpretationSettings {
    int BackgroundColor = SystemColorWindow;
    TFontSpec Font; ///< invalid until the window captures its own
};

/// Read only: diagnostics for whoever builds the books and help texts.
struct TDebugSettings {
    bool ExcludeBody = false;
    bool Database = false;
    bool TagLanguage = false;
    bool DebugHelp = false;
};

/// Read only: extras of the printing.
struct TGoodies {
    bool PrintPlanetPos = false;
    int TitleBoxColor = 224 + 224 * 256 + 224 * 65536;
    int PageLineColor = 0;
};

class TKyrSetup {
public:
    explicit TKyrSetup(TSetupEnvironment environment = {});

    // Values kept as they are read and written.
    TSystemSettings System;
    TWindowPlaces Windows;
    int FromYear = 1999;
    int ToYear = 2002;
    TPrintOptions PrintOptions;
    TPrintLayout PrintLayout;
    TWheelDrawing WheelDrawing;
    TInterpretationSettings Interpretation;
    TDebugSettings Debug;
    TGoodies Goodies;

    /// The screen that window places with edge-relative defaults refer to; the window layer
    /// sets it before the first load.
    void SetScreenSize(TScreenSize screen) { FScreen = screen; }
    TScreenSize ScreenSize() const { return FScreen; }

    // Paths.
    /// The executable's directory, with a trailing '/'.
    const std::string &ProgramDirectory() const { return FProgramDirectory; }
    std::string ArtDirectory() const { return FProgramDirectory + "ART/"; }
    /// The user's "KYR.INI": in the program directory when it is writable, otherwise in the
    /// user's configuration directory.
    const std::string &SettingsFileName() const { return FSettingsFileName; }
    /// The shipped "KYR.STD", always in the program directory.
    std::string StandardFileName() const { return FProgramDirectory + StandardSettingsName; }
    /// "KYR.INI" is the user's file and any other bare name lies in the program directory;
    /// a name with a '/' is taken as it is.
    std::string ResolveFileName(const std::string &fileName) const;

    // Loading and saving.
    /// Reads every setting but the screen font from the file; missing keys take their
    /// defaults. Returns true.
    bool ReadSettings(const std::string &fileName);
    /// Writes SaveOnExit and, when full, every setting that is saved. Returns true. Throws
    /// EProfileFileError when the file cannot be written.
    bool WriteSettings(const std::string &fileName, bool full);
    /// The start-up load: the user's file, or at the first start (no user file yet) the
    /// shipped standard with the transit span moved to the current year and the next, as a
    /// shipped file cannot know the date.
    void LoadUserSettings();

    // Settings written to the user's file at once, under the hourglass.
    bool HereAndNow() const { return FHereAndNow; }
    /// Stores and writes System/HereAndNow, only when it changes.
    void SetHereAndNowFlag(bool value);
    /// The here place: state name, list separator, place name.
    const std::string &Place() const { return FPlace; }
    void SetPlace(const std::string &place);
    /// Writes the PrintOptions section.
    void SavePrintOptions();
    /// Writes the PrintLayout section.
    void SavePrintLayout();

    // House system: a temporary override (the polar fall-back to Equal houses) is never saved.
    int HouseSystem() const { return FHouseSystem; }
    /// The user's choice: becomes the saved value too.
    void SetHouseSystem(int system);
    /// Overrides the current house system without changing the saved one.
    void SetTemporaryHouseSystem(int system);
    bool HouseSystemIsTemporary() const { return FHouseSystemTemporary; }
    /// The house system that is saved: the last one read or chosen.
    int SavedHouseSystem() const { return FSavedHouseSystem; }

    // Languages: entries of two letters, one separator and the display name ("UK English").
    const std::vector<std::string> &Languages() const { return FLanguages; }
    /// 1-based index of the language in use.
    int Selected() const { return FSelected; }
    /// Takes i when 0 <= i <= the number of languages.
    void SelectLanguage(int i);
    /// The code of the selected language, or of the first when the selection is out of range.
    /// An empty list is taken from the standard file and written into the user's file;
    /// ENoLanguageError when that has none either.
    std::string CurrentCountry();
    /// The display name of entry i (1-based), empty outside the list.
    std::string LanguageName(int i) const;
    /// The two-letter code of entry i (1-based), empty outside the list.
    std::string LanguageCode(int i) const;
    /// The 1-based entry of a code (ASCII case ignored), 0 when not listed.
    int LanguageIndex(const std::string &code) const;

    // Dynamic-analysis switches; indices outside the ranges throw std::out_of_range.
    /// Trend kinds 1..4.
    bool TrendFlag(int i) const;
    void SetTrendFlag(int i, bool on);
    /// Transit aspects 0..8: 0, 30, 45, 60, 90, 120, 135, 150, 180 degrees.
    bool TransitAspectFlag(int i) const;
    void SetTransitAspectFlag(int i, bool on);
    /// Transiting bodies 6..10: Jupiter .. Pluto.
    bool TransitBodyFlag(int body) const;
    void SetTransitBodyFlag(int body, bool on);

    /// Puts the span and the switches into the horoscope with one recalculation at most.
    void ApplyTransitSettings(THoroscope &horoscope) const;
    /// Loads the orb set OrbisName from the orb definition table (ORBISDEF, open) into the
    /// horoscope; nothing when OrbisName is empty. A set without a row for point 1 leaves every
    /// orb at 0. A row with a point outside 1..14 or an orb outside 0..180 degrees throws
    /// EHoroscopeException before anything changes.
    void ApplyUserOrbs(TKyrTable &table, THoroscope &horoscope) const;

    /// Gives the interpretation and the wheel windows the left and right halves of the area,
    /// each only while its place is invalid.
    void SplitDefaultPlaces(const TRect &area);

private:
    void ReadLanguages(const TProfileFile &file);
    void WritePrintOptions(TProfileFile &file) const;
    void WritePrintLayout(TProfileFile &file) const;

    TSetupEnvironment FEnvironment;
    std::string FProgramDirectory;
    std::string FSettingsFileName;
    TScreenSize FScreen;

    bool FHereAndNow = false;
    std::string FPlace;
    int FHouseSystem = 0;
    int FSavedHouseSystem = 0;
    bool FHouseSystemTemporary = false;
    std::vector<std::string> FLanguages;
    int FSelected = -1;
    std::array<bool, 5> FTrends{};  ///< 1..4
    std::array<bool, 9> FAspects{}; ///< 0..8
    std::array<bool, 11> FBodies{}; ///< 6..10
};

} // namespace kyr
