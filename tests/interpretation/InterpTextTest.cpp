// Asking for books and passages, side chapters, debug markers and print headings.
#include "InterpFixture.h"

#include "Calendar.h"

using namespace kyr;
using namespace kyr::test;

namespace {

using Texts = std::vector<std::string>;

class BookQuestions : public InterpTest {
protected:
    void SetUp() override {
        InterpTest::SetUp();
        Interp.SetInterptype(itBirthAnalysis);
        Fake.BookQuestions.clear();
        Fake.ChapterQuestions.clear();
    }
    /// Assembles row in book (on screen: side chapters and main passage) and returns the
    /// passage keys asked, in order.
    Texts Asked(int row, int book, bool heading = false) {
        Fake.ChapterQuestions.clear();
        std::string title, period;
        int transit = 0;
        Stream.str("");
        Interp.AssembleText(row, book, title, period, transit, true, true, heading, &Stream);
        return Fake.ChapterQuestions;
    }
    std::stringstream Stream;
};

class TextAssembly : public BookQuestions {};

} // namespace

TEST_F(BookQuestions, AspectKeysAreAskedWithTheSmallerBodyFirst) {
    // The Moon's title lists "Moon Trine Sun" and asks for 05/01/02.
    MainTitles.UserSelect(2);
    SubTitles.UserSelect(2);
    ASSERT_EQ(Interp.Row(SubTitles.Row(2)).TitleText, "Moon Trine Sun");
    EXPECT_EQ(Fake.BookQuestions.back(), "05/01/02");

    // Every aspect row is asked as 05/min/max, whichever title lists it.
    Interp.SetInterptype(itBirthAnalysis);
    for (int r = 0; r < Interp.RowCount(); ++r) {
        if (Interp.Row(r).ChapCode != 5)
            continue;
        Fake.BookQuestions.clear();
        Interp.ShowSubTitle(r);
        ASSERT_EQ(Fake.BookQuestions.size(), 1u);
        const std::string &asked = Fake.BookQuestions[0];
        EXPECT_LT(asked.substr(3, 2), asked.substr(6, 2)) << asked;
    }
}

TEST_F(BookQuestions, MissingBooksShowAMessageAndAreAskedAgain) {
    Fake.MissingChapter = {"05/01/02"};
    MainTitles.UserSelect(2);
    SubTitles.UserSelect(2);
    EXPECT_EQ(Messages, Texts{"Missing book information for [05 0102]"});
    EXPECT_EQ(Books.Count(), 0);
    EXPECT_EQ(Books.ItemIndex(), -1);
    EXPECT_EQ(Interp.GetBookCount(), 0);
    EXPECT_TRUE(Memo.Lines().empty());
    EXPECT_EQ(Attitude.Caption(), "");
    const int row = SubTitles.Row(2);
    EXPECT_EQ(Interp.Row(row).Books, (std::array<std::uint8_t, 4>{}));

    // Once the passages exist the same row finds them: nothing was remembered as missing.
    Fake.MissingChapter.clear();
    SubTitles.UserSelect(1);
    SubTitles.UserSelect(2);
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_EQ(std::count(Fake.BookQuestions.begin(), Fake.BookQuestions.end(), "05/01/02"), 2);
    EXPECT_EQ(Books.Count(), 2);
    EXPECT_EQ(Memo.Lines().back(), "Text 01/05/01/02");

    // Books known once are not asked again.
    SubTitles.UserSelect(1);
    SubTitles.UserSelect(2);
    EXPECT_EQ(std::count(Fake.BookQuestions.begin(), Fake.BookQuestions.end(), "05/01/02"), 2);

    // Without a handler every row is missing.
    Interp.OnGetBooks = nullptr;
    Interp.SetInterptype(itBirthAnalysis);
    EXPECT_EQ(Messages.back(), "Missing book information for [02 0108]");
}

TEST_F(BookQuestions, BookButtonsFollowTheBooksOfTheRow) {
    const int onlyFirst = FindRow(3, 1, 10); // Sun in the 10th house
    Fake.OnlyBook1 = {"03/01/10"};
    MainTitles.UserSelect(1); // the Sun: "Sun in Leo" in books 1 and 2
    EXPECT_EQ(Books.Count(), 2);
    EXPECT_EQ(Books.Caption(0), "Professional");
    EXPECT_EQ(Books.Caption(1), "Personal");
    EXPECT_EQ(Books.ItemIndex(), 0);
    EXPECT_EQ(Interp.GetBookCount(), 2);
    EXPECT_EQ(Interp.GetBook(1), 1);
    EXPECT_EQ(Interp.GetBook(2), 2);
    EXPECT_EQ(Interp.GetBook(3), 0);
    EXPECT_EQ(Interp.GetBook(0), 0);

    Books.UserClick(1);
    EXPECT_EQ(Memo.Lines().back(), "Text 02/01/01/05");
    EXPECT_EQ(Attitude.Caption(), "Key 02/01/01/05");

    // A row with one book drops the surplus button; the index falls back to 0.
    SubTitles.UserSelect(1);
    ASSERT_EQ(SubTitles.Row(1), onlyFirst);
    EXPECT_EQ(Books.Count(), 1);
    EXPECT_EQ(Books.ItemIndex(), 0);
    EXPECT_EQ(Memo.Lines().back(), "Text 01/03/01/10");

    // Back to two books: the first caption is kept, the second added; the index stays.
    const int writes = Books.CaptionWrites;
    SubTitles.UserSelect(2);
    EXPECT_EQ(Books.Count(), 2);
    EXPECT_EQ(Books.CaptionWrites, writes);
    EXPECT_EQ(Books.ItemIndex(), 0);
    Books.UserClick(1);
    EXPECT_EQ(Books.ItemIndex(), 1);
    SubTitles.UserSelect(0);
    EXPECT_EQ(Books.ItemIndex(), 1);
    EXPECT_EQ(Memo.Lines().back(), "Text 02/01/01/05");
}

TEST_F(TextAssembly, RetrogradeSideChapterAlwaysComesFromTheFirstBook) {
    const int row = FindRow(1, 3, 3); // Mercury in Gemini, retrograde
    ASSERT_EQ(row, 12);
    // Variant = (book + row) mod 5 + 1.
    EXPECT_EQ(Asked(row, 2), (Texts{"01/18/01/05", "02/01/03/03"}));
    EXPECT_EQ(Stream.str(), "Text 01/18/01/05\rText 02/01/03/03\r");
    EXPECT_EQ(Asked(row, 1), (Texts{"01/18/01/04", "01/01/03/03"}));
    // The same row in the same book always reads the same.
    EXPECT_EQ(Asked(row, 2), (Texts{"01/18/01/05", "02/01/03/03"}));
    // A direct body has no side chapter.
    EXPECT_EQ(Asked(FindRow(1, 4, 4), 2), (Texts{"02/01/04/04"}));
}

TEST_F(TextAssembly, AspectSideChaptersByExactnessAndAngle) {
    struct Case {
        const char *name;
        int chapter, code3, code4, position, book;
        Texts asked;
    } cases[] = {
        // 30' off a trine (max 10°): class 0. Variants (9 mod 3 + 1, 10 mod 3 + 1).
        {"close trine", 5, 1, 2, 8, 1, {"01/16/01/01", "01/17/09/02", "01/05/01/02"}},
        // 5° off an opposition (max 12°): Trunc(5 * 3 / 12) = 1, code 02.
        {"opposition 5 off", 5, 3, 4, 14, 2, {"02/16/02/02", "02/17/13/03", "02/05/03/04"}},
        // 800' off a sesquiquadrate (max 3°): capped at class 2, code 03.
        {"beyond the maximum", 5, 7, 12, 26, 1, {"01/16/03/01", "01/17/10/02", "01/05/07/12"}},
        // Aspects to the angles take the same side chapters.
        {"to the Ascendant", 6, 2, 1, 1, 1, {"01/16/01/03", "01/17/01/01", "01/06/02/01"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const int row = FindRow(c.chapter, c.code3, c.code4);
        ASSERT_EQ(row, c.position);
        EXPECT_EQ(Asked(row, c.book), c.asked);
    }
    // An aspect that the chart no longer has still gets the angle side chapter, for e = 0.
    Chart.AspectCount = 0;
    EXPECT_EQ(Asked(14, 2), (Texts{"02/17/01/03", "02/05/03/04"}));
}

TEST_F(TextAssembly, TransitAndHousePeriodTextsStartWithTitleAndPeriod) {
    Interp.SetInterptype(itDynamic);
    MainTitles.UserSelect(4); // Sun: Saturn conjunct Sun, row 0
    ASSERT_EQ(SubTitles.Row(0), 0);
    const std::string period = YmdToDateString(19960310) + " -> " + YmdToDateString(19960620);
    EXPECT_EQ(Memo.Lines(), (Texts{"Transiting Saturn Conjunction natal Sun", period,
                                   "Text 01/19/01/02", "Text 01/08/02/01"}));

    MainTitles.UserSelect(15); // Saturn through the houses
    EXPECT_EQ(Memo.Lines(), (Texts{"Saturn through the 12th House",
                                   YmdToDateString(19960101) + " -> " + YmdToDateString(19960409),
                                   "Text 01/04/02/12"}));

    std::string title, period2;
    int transit = 0;
    EXPECT_EQ(Asked(0, 2), (Texts{"02/19/01/01", "02/08/02/01"}));
    Interp.AssembleText(0, 1, title, period2, transit, false, true, false, &Stream);
    EXPECT_EQ(title, "Transiting Saturn Conjunction natal Sun");
    EXPECT_EQ(period2, period);
    EXPECT_EQ(transit, 1);

    // A transit the chart no longer has: no title, no period, side chapter for e = 0.
    Chart.TransitCount = 0;
    Interp.AssembleText(0, 1, title, period2, transit, true, true, false, &Stream);
    EXPECT_EQ(title, "");
    EXPECT_EQ(period2, "");
    EXPECT_EQ(transit, -1);
    EXPECT_EQ(Stream.str(), "Text 01/19/01/02\rText 01/08/02/01\r");

    // No stream: nothing but empty outputs.
    title = "x";
    Interp.AssembleText(0, 1, title, period2, transit, true, true, false, nullptr);
    EXPECT_EQ(title, "");
    EXPECT_EQ(transit, -1);
}

TEST_F(TextAssembly, PrintTitlesCarryTheSouthNodeAndRenameHousePeriods) {
    Interp.SetInterpMemo(nullptr);
    Interp.HardCopy = true;
    Interp.SetInterptype(itDynamic);
    std::string title, period;
    int transit = 0;
    const int north = FindRow(8, 5, 11);
    Interp.AssembleText(north, 1, title, period, transit, true, true, true, &Stream);
    EXPECT_EQ(title, "Transiting Pluto Square natal North Node, Transiting Pluto Square natal "
                     "South Node");
    // Without a memo no title or period lines go into the text.
    EXPECT_EQ(Stream.str(), "Text 01/19/07/02\r\rPROFESSIONAL - Key 01/08/05/11\r"
                            "Text 01/08/05/11\r");

    const int saturn = FindRow(4, 2, 12);
    EXPECT_EQ(Interp.Row(saturn).TitleText, "1996: Saturn through the 12th House");
    Interp.AssembleText(saturn, 2, title, period, transit, false, true, true, &Stream);
    EXPECT_EQ(title, "Saturn through the 12th House");
    EXPECT_EQ(Interp.Row(saturn).TitleText, title);
    EXPECT_EQ(Stream.str(), "PERSONAL - Key 02/04/02/12\rText 02/04/02/12\r");
}

TEST_F(TextAssembly, DebugMarkersOnScreenHeadingsOnlyInPrint) {
    Interp.DebugMode = true;
    Interp.SelectAspect(3); // Mercury opposite Venus, row 14, book 1
    EXPECT_EQ(Memo.Lines(), (Texts{"***[01160201]***", "Text 01/16/02/01", "***[01171302]***",
                                   "Text 01/17/13/02", "***[01050304]***", "Text 01/05/03/04"}));

    // A debug print: headings, no passages of the row and no markers.
    std::string title, period;
    int transit = 0;
    Interp.AssembleText(14, 1, title, period, transit, false, true, true, &Stream);
    EXPECT_EQ(Stream.str(), "PROFESSIONAL - Key 01/05/03/04\r");
    Interp.AssembleText(14, 2, title, period, transit, true, true, true, &Stream);
    EXPECT_EQ(Stream.str().find("***"), std::string::npos);
    EXPECT_EQ(Stream.str().find("Text 02/05/03/04"), std::string::npos);
    EXPECT_NE(Stream.str().find("PERSONAL - Key 02/05/03/04"), std::string::npos);
    EXPECT_TRUE(Interp.DebugMode);

    // An ordinary print: a heading line between the side chapters and the passage.
    Interp.DebugMode = false;
    Interp.AssembleText(14, 2, title, period, transit, true, true, true, &Stream);
    EXPECT_EQ(Stream.str(), "Text 02/16/02/02\rText 02/17/13/03\r\rPERSONAL - Key 02/05/03/04\r"
                            "Text 02/05/03/04\r");
}

TEST_F(TextAssembly, MissingPassagesLeaveTheirPlaceEmptyWithoutAMessage) {
    Fake.Missing = {"01/05/03/04"};
    Fake.EmptyAttitude = {"01/01/01/05"};
    Interp.SelectAspect(3);
    EXPECT_EQ(Memo.Lines(), (Texts{"Text 01/16/02/01", "Text 01/17/13/02"}));
    EXPECT_EQ(Attitude.Caption(), "");
    EXPECT_TRUE(Messages.empty());

    // A passage without a key word still shows its text.
    Interp.SelectBodyInSign(1, 5);
    EXPECT_EQ(Memo.Lines(), (Texts{"Text 01/01/01/05"}));
    EXPECT_EQ(Attitude.Caption(), "");

    // Without a chapter handler the text is empty.
    Interp.OnGetChapter = nullptr;
    Interp.SelectAspect(1);
    EXPECT_TRUE(Memo.Lines().empty());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TextAssembly, HeadingsAreCutAndKeyWordsEscaped) {
    Interp.OnGetChapter = [](TInterpretation &, const std::string &, const std::string &,
                             const std::string &, const std::string &, std::string &attitude,
                             std::ostream &) { attitude = "Love & " + std::string(200, 'x'); };
    std::string title, period;
    int transit = 0;
    Interp.AssembleText(3, 1, title, period, transit, false, true, true, &Stream);
    const std::string heading = Stream.str();
    EXPECT_EQ(heading.size(), 100u);
    EXPECT_EQ(heading.substr(0, 28), "PROFESSIONAL - Love && xxxxx");
    EXPECT_EQ(Attitude.Caption().substr(0, 8), "Love && ");

    Interp.HardCopy = true;
    Interp.AssembleText(3, 1, title, period, transit, false, true, true, &Stream);
    EXPECT_EQ(Stream.str().substr(0, 22), "PROFESSIONAL - Love & ");
    EXPECT_EQ(Interp.EscapeAmpersand("A & B & C"), "A & B & C");
    Interp.HardCopy = false;
    EXPECT_EQ(Interp.EscapeAmpersand("A & B & C"), "A && B & C");
}

TEST_F(TextAssembly, ShowTextWithoutABookClearsTheText) {
    ASSERT_FALSE(Memo.Lines().empty());
    Attitude.SetCaption("old");
    EXPECT_FALSE(Interp.ShowText(0, -1));
    EXPECT_TRUE(Memo.Lines().empty());
    EXPECT_EQ(Attitude.Caption(), "");
    EXPECT_FALSE(Interp.ShowText(0, 3)); // no fourth book
    EXPECT_TRUE(Interp.ShowText(0, 1));
    EXPECT_EQ(Memo.Lines().back(), "Text 02/02/01/08");
}

TEST_F(TextAssembly, RowAccessAndPageTagsLastUntilTheNextBuild) {
    Interp.SetRowPageTag(3, 17);
    EXPECT_EQ(Interp.GetRowPageTag(3), 17);
    EXPECT_EQ(Interp.GetRowPageTag(-1), 0);
    EXPECT_EQ(Interp.GetRowMainTitle(6), 2);
    EXPECT_EQ(Interp.GetRowMainTitle(Interp.RowCount()), 0);
    std::string text = "x";
    Interp.GetRowText(6, text);
    EXPECT_EQ(text, "Sun in Leo");
    Interp.GetRowText(-1, text);
    EXPECT_EQ(text, "");
    ASSERT_NE(Interp.Row(0).Books[0], 0);

    Interp.SetInterptype(itBirthAnalysis);
    EXPECT_EQ(Interp.GetRowPageTag(3), 0);
    EXPECT_EQ(Interp.Row(6).Books[0], 0);
}

TEST_F(TextAssembly, EarlierTwinsOfPrintedRows) {
    Chart.Transits[Chart.TransitCount++] = {2, 0, 1, 19970101, 19970301}; // 6: Saturn-Sun again
    Interp.HardCopy = true;
    Interp.SetInterptype(itBoth);
    const int sunMoonUnderMoon = [&] {
        for (int r = 0; r < Interp.RowCount(); ++r)
            if (Interp.Row(r).ChapCode == 5 && Interp.Row(r).Ix == 3)
                return r;
        return -1;
    }();
    const int sunMoonUnderSun = FindRow(5, 1, 2);
    const int marsUnderAscendant = FindRow(1, 5, 1);
    int marsUnderMars = -1, secondTransit = -1, firstTransit = FindRow(8, 2, 1);
    for (int r = 0; r < Interp.RowCount(); ++r) {
        if (Interp.Row(r).ChapCode == 1 && Interp.Row(r).Code3 == 5 && Interp.Row(r).Ix == 6)
            marsUnderMars = r;
        if (Interp.Row(r).ChapCode == 8 && Interp.Row(r).Aspect == 6)
            secondTransit = r;
    }
    struct Case {
        const char *name;
        int limit, row, twin;
        bool transit;
    } cases[] = {
        {"aspect printed under an earlier title", 4, sunMoonUnderMoon, sunMoonUnderSun, false},
        {"earlier title not below the limit", 2, sunMoonUnderMoon, -1, false},
        {"ruler printed under the Ascendant", 7, marsUnderMars, marsUnderAscendant, false},
        {"transits ignore the limit", 0, secondTransit, firstTransit, true},
        {"a first row has no twin", 16, sunMoonUnderSun, -1, false},
        {"cusp rows have no twins", 16, FindRow(2, 1, 8), -1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_GE(c.row, 0);
        bool isTransit = !c.transit;
        EXPECT_EQ(Interp.FindEarlierTwin(c.limit, c.row, isTransit), c.twin);
        if (c.twin >= 0) {
            EXPECT_EQ(isTransit, c.transit);
        }
    }
}
