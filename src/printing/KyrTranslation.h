// TKyrTranslation: a book key as a readable chapter title, for the book-excerpt list.
#pragma once

#include <stdexcept>
#include <string>

namespace kyr {

class TLanguage;

/// A code outside the range its chapter allows, or a chapter that has no title pattern.
class ETitleRangeError : public std::out_of_range {
public:
    ETitleRangeError() : std::out_of_range("Range check error") {}
};

/// The four numbers of a book key.
struct TBookKey {
    int Book = 0;
    int Chapter = 0;
    int Code3 = 0;
    int Code4 = 0;
};

class TKyrTranslation {
public:
    explicit TKyrTranslation(const TLanguage &language) : FLanguage(language) {}

    /// Book + Chapter + " " + Code3 + Code4, two digits each ("0105 0102"): characters 1-2, 3-4,
    /// 6-7 and 8-9. False, with key untouched, when the text is shorter or not made of numbers.
    static bool ParseKey(const std::string &text, TBookKey &key);
    /// The nine-character key of the four numbers.
    static std::string MakeKey(const TBookKey &key);

    /// "Sun in Aries Professional": the chapter's pattern filled with the codes' names, then the
    /// book's name. ETitleRangeError for a chapter outside 1..19 or a code outside its range.
    std::string ChapterTitle(int book, int chapter, int code3, int code4) const;
    /// The title of a key; ETitleRangeError also for a key that does not parse.
    std::string KeyTitle(const std::string &text) const;

private:
    /// The name of i for a kind of the title patterns.
    std::string KindText(int kind, int i) const;

    const TLanguage &FLanguage;
};

} // namespace kyr
