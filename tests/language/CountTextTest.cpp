// Count captions in the delivered English: one of a thing is singular, every other count plural.
#include "CountText.h"
#include "Language.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace kyr;

TEST(CountText, OneIsSingularEveryOtherCountPlural) {
    std::ifstream in(KYR_LANGUAGE_DIR "/KYR_UK.TXT", std::ios::binary);
    const std::string english{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TLanguage language;
    language.SetCountry("UK");
    language.OnGetTokens = [english](TLanguage &, const std::string &, std::string &out) {
        out = english;
    };
    language.SetActive(true);
    ASSERT_TRUE(language.Active());

    struct Case {
        TCountTexts Texts;
        long long Count;
        const char *Expected;
    };
    const Case cases[] = {
        {NameCount, 1, "1 Name"},
        {NameCount, 0, "0 Names"},
        {NameCount, 2, "2 Names"},
        {NameCount, 11, "11 Names"},
        {NameCount, 21, "21 Names"},
        {StateCount, 1, "1 State or Country"},
        {StateCount, 3, "3 States and Countries"},
        {PlaceCount, 1, "1 Place"},
        {PlaceCount, 1000, "1000 Places"},
        {ZoneCount, 1, "1 Time Zone"},
        {ZoneCount, 2, "2 Time Zones"},
        {SummerCount, 1, "1 Summer Time Definition"},
        {SummerCount, 5, "5 Summer Time Definitions"},
        {ImportedCount, 1, "1 name imported."},
        {ImportedCount, 7, "7 names imported."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CountText(language, c.Count, c.Texts), c.Expected)
            << c.Texts.Singular << "/" << c.Texts.Plural << " " << c.Count;
}
