// Book keys as chapter titles, in the English texts.
#include "KyrTranslation.h"

#include "Language.h"
#include "EnglishSuite.h"

#include <gtest/gtest.h>

using namespace kyr;

namespace {

class ChapterTitles : public test::TEnglishSuite {};

TEST_F(ChapterTitles, PatternsFillInTheCodes) {
    const TKyrTranslation translation(*language);
    struct TCase {
        int Book, Chapter, Code3, Code4;
        const char *Title;
    };
    const TCase cases[] = {
        {1, 1, 1, 1, "Sun in Aries Professional"},
        {2, 3, 2, 4, "Moon in 4th House Personal"},
        {1, 2, 1, 12, "Ascendant in Pisces Professional"},
        {1, 4, 1, 10, "Jupiter transiting 10th House Professional"},
        {1, 6, 1, 1, "Sun in aspect to Ascendant Professional"},
        {1, 10, 1, 3, "Moon progressed to Gemini Professional"},
        {1, 12, 1, 3, "Mercury Professional"},       // general chapter: the body alone
        {2, 17, 13, 7, "Side Passage Personal"},     // aspect 12, any Code4
        {1, 16, 3, 1, "Side Passage Professional"},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(translation.ChapterTitle(c.Book, c.Chapter, c.Code3, c.Code4), c.Title)
            << c.Book << "/" << c.Chapter << "/" << c.Code3 << "/" << c.Code4;
}

TEST_F(ChapterTitles, CodesOutsideTheirRangeAreRefused) {
    const TKyrTranslation translation(*language);
    struct TCase {
        int Book, Chapter, Code3, Code4;
    };
    const TCase cases[] = {
        {1, 0, 1, 1},  {1, 20, 1, 1}, // no such chapter
        {1, 1, 13, 1}, {1, 1, 1, 0},  // thirteenth body, sign 0
        {1, 12, 2, 3},                // a general chapter has Code3 1 only
        {1, 10, 2, 3},                // progressed: the Moon only
        {11, 1, 1, 1},                // ten books
        {1, 16, 4, 1},                // three exactness classes
    };
    for (const TCase &c : cases)
        EXPECT_THROW(translation.ChapterTitle(c.Book, c.Chapter, c.Code3, c.Code4),
                     ETitleRangeError)
            << c.Book << "/" << c.Chapter << "/" << c.Code3 << "/" << c.Code4;
}

TEST_F(ChapterTitles, KeysParseByPosition) {
    TBookKey key;
    ASSERT_TRUE(TKyrTranslation::ParseKey("0105 0102", key));
    EXPECT_EQ(key.Book, 1);
    EXPECT_EQ(key.Chapter, 5);
    EXPECT_EQ(key.Code3, 1);
    EXPECT_EQ(key.Code4, 2);
    EXPECT_EQ(TKyrTranslation::MakeKey(key), "0105 0102");
    for (const char *bad : {"0105 010", "01x5 0102", ""})
        EXPECT_FALSE(TKyrTranslation::ParseKey(bad, key)) << bad;

    const TKyrTranslation translation(*language);
    EXPECT_EQ(translation.KeyTitle("0201 0305"), "Mercury in Leo Personal");
    EXPECT_THROW(translation.KeyTitle("nonsense!"), ETitleRangeError);
}

} // namespace
