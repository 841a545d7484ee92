// Every passage key the interpretation can ask for exists in the English books 1 and 2
// (chapter 18, the retrograde side chapter, only in book 1). The keys follow from the row
// rules and the aspect and transit finders:
// - aspects: the finder never takes the North Node (11) or the Ascendant (13) as first point,
//   so chapter 5 pairs are i < j with i in 1..10, j in i+1..12, and chapter 6 pairs a body
//   of {1..10, 12} with the Ascendant (code 1) or the MC (code 10);
// - aspect numbers that form aspects: 0, 2, 3, 4, 6, 8, 9, 10, 12 (chapters 17 and 19 use
//   the number + 1; the transit angles 0, 30, 45, 60, 90, 120, 135, 150, 180 are the same);
// - transits: bodies 1..5 (Jupiter..Pluto) to natal bodies 1..12 (chapter 8) and to cusps
//   1, 4, 7, 10 (chapter 9; other cusps make no row); house periods of Jupiter and Saturn.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TKey {
    int Book, Chapter, Code3, Code4;
    auto operator<=>(const TKey &) const = default;
};

std::string KeyText(const TKey &k) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d %02d %02d %02d", k.Book, k.Chapter, k.Code3, k.Code4);
    return text;
}

/// The keys of every "## BOOK CHAPTER CODE3 CODE4" line of the book sources.
std::set<TKey> ReadBookKeys(const std::filesystem::path &directory) {
    std::set<TKey> keys;
    for (const auto &entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().extension() != ".txt")
            continue;
        std::ifstream file(entry.path());
        std::string line;
        while (std::getline(file, line)) {
            if (line.rfind("## ", 0) != 0)
                continue;
            std::istringstream fields(line.substr(3));
            TKey k{};
            if (fields >> k.Book >> k.Chapter >> k.Code3 >> k.Code4)
                keys.insert(k);
        }
    }
    return keys;
}

/// The chapter keys (chapter, Code3, Code4) the interpretation asks for, with the books
/// that must hold them.
std::vector<std::pair<TKey, std::vector<int>>> RequiredKeys() {
    const std::vector<int> bothBooks{1, 2};
    const std::array<int, 9> aspectCodes{1, 3, 4, 5, 7, 9, 10, 11, 13}; // e + 1
    std::vector<std::pair<TKey, std::vector<int>>> keys;
    auto add = [&](int chapter, int code3, int code4, const std::vector<int> &books) {
        keys.push_back({TKey{0, chapter, code3, code4}, books});
    };
    for (int b = 1; b <= 12; ++b)
        for (int s = 1; s <= 12; ++s)
            add(1, b, s, bothBooks); // body in sign
    for (int h = 1; h <= 12; ++h)
        for (int s = 1; s <= 12; ++s)
            add(2, h, s, bothBooks); // cusp in sign
    for (int b = 1; b <= 12; ++b)
        for (int h = 1; h <= 12; ++h)
            add(3, b, h, bothBooks); // body in house
    for (int t = 1; t <= 2; ++t)
        for (int h = 1; h <= 12; ++h)
            add(4, t, h, bothBooks); // Jupiter, Saturn through a house
    for (int i = 1; i <= 10; ++i)
        for (int j = i + 1; j <= 12; ++j)
            add(5, i, j, bothBooks); // aspect between bodies
    for (int b : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12})
        for (int angle : {1, 10})
            add(6, b, angle, bothBooks); // aspect to the Ascendant or MC
    for (int t = 1; t <= 5; ++t)
        for (int b = 1; b <= 12; ++b)
            add(8, t, b, bothBooks); // transit to a body
    for (int t = 1; t <= 5; ++t)
        for (int c : {1, 4, 7, 10})
            add(9, t, c, bothBooks); // transit to an angle
    for (int chapter : {12, 13, 14})
        for (int n = 1; n <= 12; ++n)
            add(chapter, 1, n, bothBooks); // body, sign, house in general
    for (int c = 1; c <= 3; ++c)
        for (int v = 1; v <= 3; ++v)
            add(16, c, v, bothBooks); // exactness
    for (int e : aspectCodes)
        for (int v = 1; v <= 3; ++v)
            add(17, e, v, bothBooks); // angle of an aspect
    for (int v = 1; v <= 5; ++v)
        add(18, 1, v, {1}); // retrograde body: book 1 only
    for (int e : aspectCodes)
        for (int v = 1; v <= 2; ++v)
            add(19, e, v, bothBooks); // angle of a transit
    return keys;
}

} // namespace

TEST(BookCoverage, EveryKeyTheInterpretationAsksForHasAPassage) {
    const std::set<TKey> present = ReadBookKeys(KYR_BOOK_SOURCES);
    // (book, chapter) → missing keys
    std::map<std::pair<int, int>, std::vector<TKey>> missing;
    std::size_t required = 0, missingCount = 0;
    for (const auto &[family, books] : RequiredKeys())
        for (int book : books) {
            ++required;
            TKey key = family;
            key.Book = book;
            if (!present.count(key)) {
                missing[{book, key.Chapter}].push_back(key);
                ++missingCount;
            }
        }
    std::ostringstream report;
    for (const auto &[where, keys] : missing) {
        report << "book " << where.first << " chapter " << where.second << ": " << keys.size()
               << " missing, e.g.";
        for (std::size_t i = 0; i < std::min<std::size_t>(keys.size(), 4); ++i)
            report << " [" << KeyText(keys[i]) << "]";
        report << "\n";
    }
    EXPECT_EQ(missingCount, 0u) << missingCount << " of " << required << " passages missing:\n"
                                << report.str();
}
