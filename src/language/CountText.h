// A count with its noun: "1 Name", "2 Names". The language gives the singular and the plural
// text, each starting with the blank after the number.
#pragma once

#include <string>

namespace kyr {

class TLanguage;

/// The count followed by the text of singular when it is exactly 1, otherwise (0 included) by
/// the text of plural.
std::string CountText(const TLanguage &language, long long count, int singular, int plural);

/// Text numbers of the count captions: the singular and the plural of each.
struct TCountTexts {
    int Singular;
    int Plural;
};
inline constexpr TCountTexts NameCount{1400, 511};
inline constexpr TCountTexts StateCount{1401, 520};
inline constexpr TCountTexts PlaceCount{1402, 523};
inline constexpr TCountTexts ZoneCount{1403, 522};
inline constexpr TCountTexts SummerCount{1404, 521};
inline constexpr TCountTexts ImportedCount{1405, 347};

inline std::string CountText(const TLanguage &language, long long count, TCountTexts texts) {
    return CountText(language, count, texts.Singular, texts.Plural);
}

} // namespace kyr
