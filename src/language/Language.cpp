#include "Language.h"

#include "Angles.h"
#include "Calendar.h"
#include "Glyphs.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"
#include "TextHelpers.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace kyr {

namespace {

// English texts that stand in when a language file lacks them.
constexpr std::pair<int, const char *> BuiltInTexts[] = {
    {901, "Navneliste"},
    {902, "&Navneliste"},
    {903, "&Bi-Wheel"},
    {904, "&Personal"},
    {905, "&Relationship"},
    {906, "&Switch Names"},
    {907, "General Character Background"},
    {908, "Your Soul Mate"},
    {909, "Love & Sexuality"},
    {910, "Other Issues"},
    {911, "Compability"},
    {912, "Your Personal Identity"},
    {913, "Your Emotional Life"},
    {914, "Your Romantic Needs"},
    {915, "Your Desires"},
    {916, "Contact"},
    {917, "Beliefs"},
    {918, "Challenges"},
    {919, "Home and Career"},
    {920, "Compability Graph"},
    {921, "Potential Partners"},
    {922, "He"},
    {923, "Him"},
    {924, "She"},
    {925, "Her"},
    {926, "He & Her"},
    {927, "This program has not identified major contacts in this area which profoundly affect "
          "you or your relationship."},
    {1301, "Quiz Manager"},
    {1302, "Insert time of winner moment:"},
};

const char *BuiltInText(int number) {
    for (const auto &[n, text] : BuiltInTexts)
        if (n == number)
            return text;
    return "";
}

// The screen font of the language lives in the standard settings file only.
struct TScreenFont {
    std::string Name;
    bool Bold = true;
    int Size = -1;
};

TScreenFont ReadScreenFont(const std::string &fileName) {
    const TProfileFile file(fileName);
    return {file.ReadString("Screen", "Font", ""), file.ReadBool("Screen", "Bold", true),
            file.ReadInteger("Screen", "Size", -1)};
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// 1-based character position of the character that starts at byte index i.
std::size_t CharacterPosition(const std::string &s, std::size_t i) {
    std::size_t position = 1;
    for (std::size_t k = 0; k < i; ++k)
        if (!IsContinuationByte(s[k]))
            ++position;
    return position;
}

// Lines as a string list reads them: CR, LF or CR LF end a line, and a final line break
// adds no empty line. A byte-order mark is not part of the first line.
std::vector<std::string> SplitLines(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// One line of a text list: number, "=", text in double quotes. False for a line that breaks
// a rule or whose text is empty.
bool ParseTextLine(const std::string &line, int &number, std::string &text) {
    const auto equals = line.find('=');
    if (equals == std::string::npos || equals == 0 || CharacterPosition(line, equals) > 10)
        return false;
    // Only digits make a number here: "830 =" is a broken line, not text 830.
    const char *first = line.data();
    const char *last = line.data() + equals;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || *first == '-' || number < 1 ||
        number > MaxTextNumber)
        return false;
    const auto open = line.find('"');
    if (open == std::string::npos)
        return false;
    const auto openPosition = CharacterPosition(line, open);
    if (openPosition < 2 || openPosition > 9)
        return false;
    const auto close = line.rfind('"');
    if (close <= open + 1)
        return false;
    text = line.substr(open + 1, close - open - 1);
    return true;
}

// The byte offset of the first byte that does not belong to a well-formed UTF-8 sequence
// (no overlong forms, surrogates or values beyond U+10FFFF), or npos.
std::size_t FirstInvalidUtf8(const std::string &text) {
    const auto *s = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF; // the second byte's range
        if (c < 0x80)
            length = 1;
        else if (c >= 0xC2 && c <= 0xDF)
            length = 2;
        else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else
            return i;
        if (i + length > n)
            return i;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = s[i + k];
            if (k == 1 ? next < low || next > high : !IsContinuationByte(static_cast<char>(next)))
                return i;
        }
        i += length;
    }
    return std::string::npos;
}

[[noreturn]] void LanguageFileDamaged(const std::string &fileName, const std::string &why) {
    throw ELanguageFileDamaged("The language file " + fileName + " is damaged: " + why +
                               ". Please install the program again.");
}

// A file of texts that is mostly not text lines is damaged, not merely untidy: loading it
// would leave the windows without captions. A few broken lines are a translator's slip and
// are skipped as usual.
void CheckLanguageFile(const std::string &fileName, const std::string &text,
                       const std::vector<std::string> &lines) {
    if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string::npos)
        LanguageFileDamaged(fileName, "byte " + std::to_string(bad) + " is not UTF-8 text");
    std::size_t filled = 0, valid = 0;
    for (const std::string &line : lines) {
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        ++filled;
        int number = 0;
        std::string lineText;
        if (ParseTextLine(line, number, lineText))
            ++valid;
    }
    if (filled > 0 && 2 * valid < filled)
        LanguageFileDamaged(fileName, std::to_string(filled - valid) + " of its " +
                                          std::to_string(filled) + " lines are not numbered texts");
}

} // namespace

TLanguage::TLanguage() {
    FIds.fill(-1);
}

void TLanguage::SetCountry(const std::string &value) {
    const std::string code = FirstCharacters(value, 2);
    if (code == FCountry)
        return;
    const TScreenFont font = ReadScreenFont(ProgramDirectory() + "KYR.STD");
    FFontName = font.Name;
    FBold = font.Bold;
    FFontSize = font.Size;
    if (!FActive) {
        FCountry = code;
        return;
    }
    const std::string old = FCountry;
    FCountry = code;
    bool loaded = false;
    try {
        loaded = LoadTexts();
    } catch (...) {
        FCountry = old;
        throw;
    }
    if (!loaded)
        FCountry = old;
    else if (OnChange)
        OnChange(*this);
}

void TLanguage::SetActive(bool value) {
    if (!value) {
        FActive = false; // the texts stay loaded
        return;
    }
    FActive = true;
    try {
        FActive = !FCountry.empty() && LoadTexts();
    } catch (...) {
        FActive = false;
        throw;
    }
    if (FActive && OnChange)
        OnChange(*this);
}

bool TLanguage::LoadTexts() {
    // Read first: a source that fails leaves the texts in use.
    const auto lines = SourceLines();
    FTexts.clear();
    FIds.fill(-1);
    if (lines.empty())
        return false;
    for (const auto &line : lines)
        AddLine(line);
    return true; // even when no line was accepted
}

std::vector<std::string> TLanguage::SourceLines() {
    const std::string fileName = ProgramDirectory() + "KYR_" + FCountry + ".TXT";
    std::error_code error;
    if (std::filesystem::is_regular_file(fileName, error)) {
        std::ifstream in(fileName, std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(in), {});
        std::vector<std::string> lines = SplitLines(text);
        CheckLanguageFile(fileName, text, lines);
        return lines;
    }
    if (HelpTable)
        return HelpTable();
    if (OnGetTokens) {
        std::string stream;
        OnGetTokens(*this, FCountry, stream);
        return SplitLines(stream);
    }
    return {};
}

void TLanguage::AddLine(const std::string &line) {
    int number = 0;
    std::string text;
    if (!ParseTextLine(line, number, text))
        return;
    FTexts.push_back(std::move(text));
    FIds[number] = static_cast<int>(FTexts.size()) - 1;
}

std::string TLanguage::CaptionText(int number) const {
    return FShowNumbers ? "[" + std::to_string(number) + "]" : GetText(number);
}

std::string TLanguage::GetText(int number) const {
    if (number < 0 || number > MaxTextNumber)
        return {};
    if (FIds[number] >= 0)
        return FTexts[FIds[number]];
    return BuiltInText(number);
}

std::string TLanguage::BodyName(int ordinal) const {
    return ordinal >= 0 && ordinal < BodyCount ? GetText(126 + ordinal) : std::string();
}

std::string TLanguage::SignName(int ordinal) const {
    return ordinal >= 0 && ordinal < 12 ? GetText(46 + ordinal) : std::string();
}

std::string TLanguage::AspectName(int e) const {
    return e >= 0 && e <= 12 ? GetText(76 + e) : std::string();
}

std::string TLanguage::HouseSystemName(int system) const {
    return system >= 0 && system <= 2 ? GetText(89 + system) : std::string();
}

std::string TLanguage::PointName(int point) const {
    if (point >= 1 && point <= BodyCount)
        return BodyName(point - 1);
    switch (point) {
    case 13:
    case 101:
        return GetText(71);
    case 14:
    case 110:
        return GetText(72);
    case 104:
        return GetText(74);
    case 107:
        return GetText(75);
    default:
        return {};
    }
}

std::string TLanguage::OrdinalText(int n) const {
    // Only 1040..1500 are ordinal texts; other numbers must not borrow unrelated texts.
    if (n >= 0 && n <= MaxTextNumber - 1040) {
        std::string text = GetText(1040 + n);
        if (!text.empty())
            return text;
    }
    const std::string digits = std::to_string(n);
    if (FCountry == "UK" || FCountry == "US") {
        switch (n) {
        case 1:
            return digits + "st";
        case 2:
            return digits + "nd";
        case 3:
            return digits + "rd";
        default:
            return digits + "th";
        }
    }
    if (FCountry == "SE")
        return digits + (n == 1 || n == 2 ? ":a" : ":e");
    return digits + ".";
}

std::string TLanguage::SymbolName(int code) const {
    if (code >= 0 && code <= 11)
        return BodyName(code);
    if (code >= 12 && code <= 23)
        return SignName(code - 12);
    if (code >= 24 && code <= 32)
        return AspectName(SymbolAspectNumbers[code - 24]);
    switch (code) {
    case 33:
        return GetText(71);
    case 34:
        return GetText(75);
    case 35:
        return GetText(97);
    case 36:
        return GetText(98);
    case 37:
        return GetText(99);
    default:
        return "?";
    }
}

std::string TLanguage::ListSeparator() const {
    std::string separator = GetText(1018);
    return separator.empty() ? ", " : separator;
}

std::string TLanguage::BodyGlyph(int ordinal) const {
    return SymbolFontText(ordinal >= 0 && ordinal < BodyCount ? BodyGlyphCodes[ordinal]
                                                              : UnknownGlyphCode);
}

std::string TLanguage::SignGlyph(int ordinal) const {
    return SymbolFontText(ordinal >= 0 && ordinal < 12 ? SignGlyphCodes[ordinal]
                                                       : UnknownGlyphCode);
}

std::string TLanguage::AspectGlyph(int e) const {
    return SymbolFontText(e >= 0 && e <= 12 ? AspectGlyphCodes[e] : UnknownGlyphCode);
}

std::string TLanguage::CuspGlyph(int n) const {
    switch (n) {
    case 1:
        return SymbolFontText(AscendantGlyphCode);
    case 4:
        return SymbolFontText(LowerMeridianGlyphCode);
    case 7:
        return SymbolFontText(DescendantGlyphCode);
    case 10:
        return SymbolFontText(MidheavenGlyphCode);
    default:
        return std::to_string(n);
    }
}

std::string TLanguage::PointGlyph(int point) const {
    if (point >= 1 && point <= BodyCount)
        return BodyGlyph(point - 1);
    switch (point) {
    case 13:
    case 101:
        return SymbolFontText(AscendantGlyphCode);
    case 14:
    case 110:
        return SymbolFontText(MidheavenGlyphCode);
    case 104:
        return SymbolFontText(LowerMeridianGlyphCode);
    case 107:
        return SymbolFontText(DescendantGlyphCode);
    default:
        return SymbolFontText(UnknownGlyphCode);
    }
}

std::string TLanguage::SymbolGlyph(int code) const {
    if (code >= 0 && code <= 11)
        return BodyGlyph(code);
    if (code >= 12 && code <= 23)
        return SignGlyph(code - 12);
    if (code >= 24 && code <= 32)
        return AspectGlyph(SymbolAspectNumbers[code - 24]);
    switch (code) {
    case 33:
        return SymbolFontText(AscendantGlyphCode);
    case 34:
        return SymbolFontText(DescendantGlyphCode);
    case 35:
        return SymbolFontText(MidheavenGlyphCode);
    case 36:
        return SymbolFontText(LowerMeridianGlyphCode);
    case 37:
        return SymbolFontText(RetrogradeGlyphCode);
    default:
        return SymbolFontText(UnknownGlyphCode);
    }
}

std::string TLanguage::CoordinateText(Extended x, int positiveWord, int negativeWord) const {
    const long long a = Round((x < 0 ? -x : x) * 100);
    const std::string word = GetText(x >= 0 ? positiveWord : negativeWord);
    const std::string degrees = std::to_string(a / 100);
    const std::string minutes = TwoDigits(static_cast<int>(a % 100));
    if (FCountry == "JP")
        return word + degrees + "*" + minutes + "'";
    return degrees + word + minutes;
}

std::string TLanguage::LatitudeText(Extended x) const {
    return CoordinateText(x, 169, 168);
}

std::string TLanguage::LongitudeText(Extended x) const {
    return CoordinateText(x, 170, 171);
}

std::string TLanguage::TimeText(Extended x) const {
    const long long a = Round((x < 0 ? -x : x) * 100);
    return std::to_string(a / 100) + ":" + TwoDigits(static_cast<int>(a % 100));
}

std::string TLanguage::ZoneText(Extended x) const {
    return TimeText(x) + GetText(x >= 0 ? 170 : 171);
}

std::string TLanguage::BirthDateTimeText(Extended date, Extended time, bool julian) const {
    std::string text = DateTimeString(date, time);
    const std::string mark = julian ? GetText(1277) : std::string();
    return mark.empty() ? text : text + " " + mark;
}

} // namespace kyr
