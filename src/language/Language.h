// TLanguage: the numbered texts of one language, the symbol-font glyphs and the formatting
// of coordinates and times. One instance belongs to the main window.
#pragma once

#include "ChartTypes.h"

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kyr {

/// Text numbers run 1..1500; 0 and numbers without an entry give the empty text.
constexpr int MaxTextNumber = 1500;
/// The help record that holds a language's text list.
constexpr int LanguageHelpNumber = 11000;

/// Marks a literal as a text number where it is not passed to GetText or SetTag directly, so
/// that the check of the delivered texts finds it.
constexpr int TextNo(int number) { return number; }

/// A language file that is not a list of texts: not UTF-8, or mostly lines that are not
/// numbered texts. The message names the file.
class ELanguageFileDamaged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TLanguage {
public:
    /// Supplies the text list when neither the file nor the help table is used: the lines go
    /// into stream.
    using TGetTokensEvent =
        std::function<void(TLanguage &sender, const std::string &newLanguage, std::string &stream)>;
    /// The lines of help record 11000 of the current language's help table; none when the
    /// record is missing. Store errors propagate.
    using THelpTableSource = std::function<std::vector<std::string>()>;

    TLanguage();

    /// The language code, at most two characters; "XX" at creation.
    const std::string &Country() const { return FCountry; }
    /// Reads the screen font from "KYR.STD" and, when active, loads the texts; a failed load
    /// puts the old code back.
    void SetCountry(const std::string &value);
    bool Active() const { return FActive; }
    /// True loads the texts (and raises OnChange on success); False only clears the flag.
    /// A damaged language file throws ELanguageFileDamaged and leaves the texts as they were.
    void SetActive(bool value);

    /// Raised after every successful load.
    std::function<void(TLanguage &sender)> OnChange;
    TGetTokensEvent OnGetTokens;
    /// The help table of the current language; unset when there is none.
    THelpTableSource HelpTable;
    /// Allows the text-number display (F12).
    bool TestMode = false;

    // Screen font of the language, from the standard settings file.
    const std::string &FontName() const { return FFontName; }
    void SetFontName(const std::string &name) { FFontName = name; }
    bool Bold() const { return FBold; }
    int FontSize() const { return FFontSize; }

    /// While set, captions show "[n]" instead of text n (ShowTextIds).
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool on) { FShowNumbers = on; }
    /// The caption for a component's text number 1..1999: "[n]" while numbers are shown,
    /// else GetText(n).
    std::string CaptionText(int number) const;

    // Text look-ups; a number without a text gives the empty string.
    std::string GetText(int number) const;
    /// Texts in the list, later duplicates included.
    std::size_t TextCount() const { return FTexts.size(); }
    /// ordinal 0..11 (body index minus one).
    std::string BodyName(int ordinal) const;
    /// ordinal 0..11 (Aries = 0).
    std::string SignName(int ordinal) const;
    /// Aspect number 0..12.
    std::string AspectName(int e) const;
    /// House system 0..2.
    std::string HouseSystemName(int system) const;
    /// Body index 1..12, 13/14 (Ascendant/MC) or 100 + cusp 1, 4, 7, 10.
    std::string PointName(int point) const;
    std::string OrdinalText(int n) const;
    /// Symbol code 0..37.
    std::string SymbolName(int code) const;
    std::string ListSeparator() const;

    // Symbol-font glyphs, each a single character (see Glyphs.h).
    std::string BodyGlyph(int ordinal) const;
    std::string SignGlyph(int ordinal) const;
    std::string AspectGlyph(int e) const;
    /// The angles' glyphs for cusps 1, 4, 7, 10; other cusps as their number.
    std::string CuspGlyph(int n) const;
    std::string PointGlyph(int point) const;
    std::string SymbolGlyph(int code) const;

    // Formatting of H.MM and D.MM values.
    std::string LatitudeText(Extended x) const;
    std::string LongitudeText(Extended x) const;
    std::string TimeText(Extended x) const;
    std::string ZoneText(Extended x) const;
    /// The shown date and time of a birth (YYYY.MMDD, H.MMSS), marked "(Julian)" (text 1277)
    /// when the date was read in the Julian calendar.
    std::string BirthDateTimeText(Extended date, Extended time, bool julian) const;

private:
    bool LoadTexts();
    std::vector<std::string> SourceLines();
    void AddLine(const std::string &line);
    std::string CoordinateText(Extended x, int positiveWord, int negativeWord) const;

    std::string FCountry = "XX";
    bool FActive = false;
    bool FShowNumbers = false;
    std::string FFontName;
    bool FBold = true;
    int FFontSize = -1;
    std::vector<std::string> FTexts;
    /// Index into FTexts for each text number 0..1500, -1 without a text.
    std::array<int, MaxTextNumber + 1> FIds;
};

} // namespace kyr
