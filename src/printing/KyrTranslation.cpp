#include "KyrTranslation.h"

#include "Language.h"

#include <array>
#include <cctype>

namespace kyr {

namespace {

struct TTitlePattern {
    int First;
    int Second;
    int Joining; ///< text number; negative: the second part alone
};

constexpr std::array<TTitlePattern, 19> TitlePatternTable{{
    {1, 3, 704},   {5, 3, 704},   {1, 4, 704},   {9, 4, 705},   {1, 1, 706},
    {1, 5, 706},   {8, 1, 707},   {9, 1, 705},   {9, 5, 705},   {7, 3, 707},
    {7, 4, 707},   {2, 1, -1},    {2, 3, -1},    {2, 4, -1},    {2, 5, -1},
    {10, 12, -1},  {6, 12, -1},   {2, 12, -1},   {6, 12, -1},
}};

/// The text number of i in a run of texts first..last, i counted from 1.
int InRun(int i, int first, int last) {
    if (i < 1 || i > last - first + 1)
        throw ETitleRangeError();
    return first + i - 1;
}

bool TwoDigits(const std::string &text, std::size_t at, int &value) {
    const auto a = static_cast<unsigned char>(text[at]);
    const auto b = static_cast<unsigned char>(text[at + 1]);
    if (!std::isdigit(a) || !std::isdigit(b))
        return false;
    value = (a - '0') * 10 + (b - '0');
    return true;
}

std::string Two(int value) {
    const std::string digits = std::to_string(value);
    return digits.size() < 2 ? "0" + digits : digits;
}

} // namespace

bool TKyrTranslation::ParseKey(const std::string &text, TBookKey &key) {
    if (text.size() < 9)
        return false;
    TBookKey parsed;
    if (!TwoDigits(text, 0, parsed.Book) || !TwoDigits(text, 2, parsed.Chapter) ||
        !TwoDigits(text, 5, parsed.Code3) || !TwoDigits(text, 7, parsed.Code4))
        return false;
    key = parsed;
    return true;
}

std::string TKyrTranslation::MakeKey(const TBookKey &key) {
    return Two(key.Book) + Two(key.Chapter) + " " + Two(key.Code3) + Two(key.Code4);
}

std::string TKyrTranslation::KindText(int kind, int i) const {
    int id = -1;
    switch (kind) {
    case 0: id = InRun(i, 116, 125); break;
    case 1: id = InRun(i, 126, 137); break;
    case 2: id = InRun(i, 0, 0); break;
    case 3: id = InRun(i, 138, 149); break;
    case 4:
        if (i < 1 || i > 12)
            throw ETitleRangeError();
        return FLanguage.OrdinalText(i) + FLanguage.GetText(17);
    case 5: id = InRun(i, 175, 186); break;
    case 6: id = InRun(i, 187, 199); break;
    case 7: id = InRun(i, 127, 127); break;
    case 8: id = InRun(i, 126, 130); break;
    case 9: id = InRun(i, 131, 135); break;
    case 10: id = InRun(i, 200, 202); break;
    case 12: id = 203; break;
    default: break;
    }
    return id > 0 ? FLanguage.GetText(id) : std::string();
}

std::string TKyrTranslation::ChapterTitle(int book, int chapter, int code3, int code4) const {
    if (chapter < 1 || chapter > static_cast<int>(TitlePatternTable.size()))
        throw ETitleRangeError();
    const TTitlePattern &pattern = TitlePatternTable[static_cast<std::size_t>(chapter - 1)];
    // The first part is looked up even when unused, so that a key with a wrong Code3 is refused.
    const std::string first = KindText(pattern.First, code3);
    const std::string second = KindText(pattern.Second, code4);
    const std::string title =
        pattern.Joining < 0 ? second
                            : first + " " + FLanguage.GetText(pattern.Joining) + " " + second;
    return title + " " + KindText(0, book);
}

std::string TKyrTranslation::KeyTitle(const std::string &text) const {
    TBookKey key;
    if (!ParseKey(text, key))
        throw ETitleRangeError();
    return ChapterTitle(key.Book, key.Chapter, key.Code3, key.Code4);
}

} // namespace kyr
