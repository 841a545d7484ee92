// The interpretation job, the wheel page alone and the book excerpts, printed to PDF.
#include "PrintJobFixture.h"
#include "PrintJobParts.h"

#include "Glyphs.h"
#include "TextHelpers.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

using namespace kyr;
using namespace kyr::test;

namespace {

bool Contains(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(PrintJobTest, FullJobInAPdfPrintsTheContentsPageFirst) {
    Printer.JobOptions = JobBook1 | JobBook2 | JobContents | JobWheelPage | JobSymbolPage;
    ASSERT_TRUE(PrintInterpretationJob(Printer, Data));
    EXPECT_EQ(Documents, 1);
    EXPECT_FALSE(Chart.Active()) << "the job leaves the horoscope inactive";

    // A PDF is read in page order: the contents page 1, the wheel page 2, the analysis from
    // page 3 on and the symbol page, each shown once.
    ASSERT_GE(Pages.size(), 4u);
    for (std::size_t i = 0; i < Pages.size(); ++i)
        EXPECT_EQ(Pages[i], static_cast<int>(i) + 1);

    // The contents: the wheel page, the main titles on ascending pages, then the symbols.
    const auto &titles = Printer.ContentsTitles();
    const auto &pages = Printer.ContentsPages();
    ASSERT_GE(titles.size(), 3u);
    EXPECT_EQ(titles.front(), Language->GetText(41));
    EXPECT_EQ(pages.front(), 2);
    EXPECT_EQ(titles[1], Language->GetText(150));
    EXPECT_EQ(pages[1], 3);
    EXPECT_TRUE(std::is_sorted(pages.begin(), pages.end()));
    EXPECT_EQ(titles.back(), "Symbols Page");
    EXPECT_EQ(pages.back(), Pages.back());

    const std::vector<std::string> pdf = PdfPages(PdfFile());
    ASSERT_FALSE(pdf.empty()) << "pdftotext (poppler-utils) read nothing";
    ASSERT_EQ(pdf.size(), Pages.size());
    const std::string header = "Interpretation - Birth Analysis for Ann Smith";
    EXPECT_TRUE(Contains(Flat(pdf[2]), header)) << pdf[2];
    EXPECT_TRUE(Contains(Flat(pdf[0]), "Page 1"));
    EXPECT_TRUE(Contains(Flat(pdf[2]), "Page 3"));
    EXPECT_TRUE(Contains(Flat(pdf.back()), "Sun the self"));
    // The contents page: the name in capitals and every entry with its page. In drawing order
    // each entry's page number, set flush right, comes just before its title.
    const std::string contents = Flat(pdf.front());
    EXPECT_TRUE(Contains("\n" + pdf.front() + "\n", "\nANN SMITH\n")) << "a line of its own";
    EXPECT_TRUE(Contains("\n" + pdf.front() + "\n", "\nContents\n")) << pdf.front();
    EXPECT_TRUE(Contains(contents, "About this printout."));
    for (std::size_t i = 0; i < titles.size(); ++i)
        EXPECT_TRUE(Contains(contents, std::to_string(pages[i]) + " " + titles[i]))
            << titles[i] << " on page " << pages[i] << " in " << contents;
}

TEST_F(PrintJobTest, PageNumbersFollowTheChosenPages) {
    struct Case {
        int Options;
        int WheelPage; ///< 0 = none
        int FirstTextPage;
    };
    const Case cases[] = {
        {JobBook1 | JobBook2 | JobContents | JobWheelPage, 2, 3},
        {JobBook1 | JobBook2 | JobWheelPage, 1, 2},
        {JobBook1 | JobBook2 | JobContents, 0, 2},
        {JobBook1 | JobBook2, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Options);
        Pages.clear();
        Printer.JobOptions = c.Options;
        ASSERT_TRUE(PrintInterpretationJob(Printer, Data));
        EXPECT_EQ(ContentsPage(Language->GetText(41)), c.WheelPage);
        EXPECT_EQ(ContentsPage(Language->GetText(150)), c.FirstTextPage);
        ASSERT_FALSE(Pages.empty());
        // In a PDF the pages come out in their order, from page 1.
        EXPECT_EQ(Pages.front(), 1);
        EXPECT_TRUE(std::is_sorted(Pages.begin(), Pages.end()));
        EXPECT_EQ(std::adjacent_find(Pages.begin(), Pages.end()), Pages.end());
    }
}

TEST_F(PrintJobTest, WheelPageAloneIsOnePageWithTheBirthData) {
    Printer.JobOptions = JobWheelPage;
    TWheelPageSettings settings;
    settings.OrbisName = "Medium";
    // With or without an interpretation at hand, nothing but the wheel page comes out.
    for (TInterpretation *interp : {&Interp, static_cast<TInterpretation *>(nullptr)}) {
        Pages.clear();
        Printer.Interpretation = interp;
        ASSERT_TRUE(PrintInterpretationJob(Printer, Data, settings));
        EXPECT_EQ(Pages, std::vector<int>{1});
        EXPECT_EQ(Printer.ContentsTitles(), std::vector<std::string>{Language->GetText(41)});
    }

    const std::vector<std::string> pdf = PdfPages(PdfFile());
    ASSERT_FALSE(pdf.empty()) << "pdftotext (poppler-utils) read nothing";
    ASSERT_EQ(pdf.size(), 1u);
    const std::string page = Flat(pdf[0]);
    for (const std::string &text : {std::string("Ann"), std::string("Smith"),
                                    std::string("Medium Orbs"), Language->GetText(711)})
        EXPECT_TRUE(Contains(page, TrimRightBlanks(text))) << text << " in " << page;
    EXPECT_FALSE(Contains(page, "Page 1")) << "the wheel page alone has no footer";
}

TEST_F(PrintJobTest, SymbolPageWithoutAnalysisIsTheFirstTextPage) {
    Interp.SetInterptype(itNone);
    Printer.JobOptions = JobSymbolPage;
    ASSERT_TRUE(PrintInterpretationJob(Printer, Data));
    EXPECT_EQ(ContentsPage("Symbols Page"), 1);
    EXPECT_EQ(Pages, std::vector<int>{1});

    Pages.clear();
    Printer.JobOptions = JobSymbolPage | JobContents | JobWheelPage;
    ASSERT_TRUE(PrintInterpretationJob(Printer, Data));
    EXPECT_EQ(ContentsPage("Symbols Page"), 3);
    EXPECT_EQ(Pages, (std::vector<int>{1, 2, 3}));
}

TEST_F(PrintJobTest, BookChoiceSelectsTheMainPassages) {
    // Every key has books 1, 2 and 3; the questions show which passages were read.
    Interp.OnGetBooks = [](TInterpretation &, const std::string &, const std::string &,
                           const std::string &, int &count, std::span<std::uint8_t> books) {
        count = 3;
        books[0] = 1;
        books[1] = 2;
        books[2] = 3;
        books[3] = 0;
    };
    struct Case {
        int Options;
        bool Book1, Book2, Book3;
    };
    const Case cases[] = {
        {JobBook1, true, false, false},
        {JobBook2, false, true, true},
        {JobBook1 | JobBook2, true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Options);
        Fake.ChapterQuestions.clear();
        Printer.JobOptions = c.Options;
        ASSERT_TRUE(PrintInterpretationJob(Printer, Data));
        bool asked[4] = {};
        int sideChapters = 0;
        for (const std::string &key : Fake.ChapterQuestions) {
            const int chapter = std::stoi(key.substr(3, 2));
            if (chapter >= 16) {
                // Side chapters come once per row, with its first book, printed or not.
                EXPECT_EQ(key.substr(0, 2), "01") << key;
                ++sideChapters;
                continue;
            }
            asked[std::stoi(key.substr(0, 2))] = true;
        }
        EXPECT_EQ(asked[1], c.Book1);
        EXPECT_EQ(asked[2], c.Book2);
        EXPECT_EQ(asked[3], c.Book3);
        EXPECT_GT(sideChapters, 0);
    }
}

TEST_F(PrintJobTest, RepeatedPassagePrintsAReferenceToItsFirstPage) {
    Printer.JobOptions = JobBook1 | JobBook2;
    ASSERT_TRUE(PrintInterpretationJob(Printer, Data));

    // A row that repeats one under an earlier title points at the page of the first.
    int twin = -1;
    for (int r = 0; r < Interp.RowCount() && twin < 0; ++r) {
        bool transit = false;
        twin = Interp.FindEarlierTwin(Interp.Row(r).Ix, r, transit);
    }
    ASSERT_GE(twin, 0) << "the fixed chart repeats a passage";
    std::string title;
    Interp.GetRowText(twin, title);
    const int page = Interp.GetRowPageTag(twin);
    ASSERT_GE(page, 1);
    const std::vector<std::string> pdf = PdfPages(PdfFile());
    ASSERT_FALSE(pdf.empty()) << "pdftotext (poppler-utils) read nothing";
    ASSERT_GE(static_cast<int>(pdf.size()), page);
    EXPECT_TRUE(Contains(Flat(pdf[static_cast<std::size_t>(page - 1)]), Flat(title)))
        << "the first occurrence is on page " << page;
    std::string all;
    for (const std::string &p : pdf)
        all += Flat(p) + " ";
    EXPECT_TRUE(Contains(all, Language->GetText(11) + std::to_string(page) + ":")) << all;
}

TEST_F(PrintJobTest, SeveralPersonsAreOneDocumentEach) {
    Printer.JobOptions = JobBook1 | JobWheelPage;
    Printer.PersonList = {"Ann#Smith", "Bob#Jones"};
    ASSERT_TRUE(PrintInterpretationJob(Printer, Data));
    EXPECT_EQ(Documents, 2);
    ASSERT_FALSE(People.empty());
    EXPECT_EQ(People.front(), "Ann Smith");
    EXPECT_EQ(People.back(), "Bob Jones");
    EXPECT_EQ(Pages.front(), 1);
    EXPECT_EQ(std::count(Pages.begin(), Pages.end(), 1), 2) << "each document starts at page 1";
    EXPECT_FALSE(Chart.Active());
    EXPECT_EQ(Chart.FirstName, "Bob");
}

TEST_F(PrintJobTest, MissingPersonEndsTheJobAfterTheDocumentsPrinted) {
    Printer.JobOptions = JobWheelPage;
    Printer.PersonList = {"Ann#Smith", "Zed#Nobody", "Bob#Jones"};
    EXPECT_FALSE(PrintInterpretationJob(Printer, Data));
    EXPECT_EQ(Documents, 1);
    EXPECT_EQ(People, std::vector<std::string>{"Ann Smith"});
    EXPECT_FALSE(Chart.Active());
}

TEST_F(PrintJobTest, CancelEndsTheDocumentAndSkipsFurtherPersons) {
    Printer.JobOptions = JobBook1 | JobBook2 | JobContents;
    Printer.PersonList = {"Ann#Smith", "Bob#Jones"};
    // Cancelled once the first page is out.
    CancelNow = [this] { return !Pages.empty(); };
    EXPECT_FALSE(PrintInterpretationJob(Printer, Data));
    EXPECT_EQ(Documents, 1) << "the cancelled document is still ended";
    EXPECT_EQ(Pages, std::vector<int>{1}) << "nothing after the first page, the contents page";
    EXPECT_EQ(People, std::vector<std::string>{"Ann Smith"});
    EXPECT_FALSE(Chart.Active());
    EXPECT_TRUE(std::filesystem::exists(PdfFile()));
}

TEST_F(PrintJobTest, NotReadyPrintsNothing) {
    const std::vector<TBookExcerpt> list = {{"Sun and Moon", "0105 0102"}};
    struct Case {
        const char *Name;
        std::function<void(TKyrPrinter &)> Break;
    };
    const Case cases[] = {
        {"no printer", [](TKyrPrinter &p) { p.SetPrinter(nullptr); }},
        {"no language", [](TKyrPrinter &p) { p.Language = nullptr; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        TKyrPrinter printer;
        printer.SetPrinter(&Pdf);
        printer.Language = Language;
        printer.Horoscope = &Chart;
        printer.Interpretation = &Interp;
        c.Break(printer);
        const bool wasActive = Chart.Active();
        EXPECT_FALSE(PrintInterpretationJob(printer, Data));
        EXPECT_FALSE(PrintBookExcerpts(printer, Data, list));
        EXPECT_EQ(Chart.Active(), wasActive);
        EXPECT_FALSE(std::filesystem::exists(PdfFile()));
    }
}

TEST_F(PrintJobTest, AFileThePrinterCannotWriteIsNoSuccess) {
    Pdf.setOutputFileName(QString::fromStdString(Dir.Path() + "no-such-folder/job.pdf"));
    EXPECT_FALSE(PrintInterpretationJob(Printer, Data));
    EXPECT_FALSE(PrintBookExcerpts(Printer, Data, {{"Sun trine Moon", "0105 0102"}}));
}

TEST_F(PrintJobTest, BookExcerptsPrintEachFoundPassageUnderItsTitle) {
    const std::vector<TBookExcerpt> list = {
        {"Sun trine Moon", "0105 0102"}, {"Nowhere", "0109 0909"}, // not in the book
        {"Empty passage", "0101 0204"},                            // found, no text
        {"Broken key", "01x5 0102"},     {"Leo Sun", "0201 0105"},
    };
    ASSERT_TRUE(PrintBookExcerpts(Printer, Data, list));
    EXPECT_EQ(std::set<int>(Pages.begin(), Pages.end()), std::set<int>{1});

    const std::vector<std::string> pdf = PdfPages(PdfFile());
    ASSERT_FALSE(pdf.empty()) << "pdftotext (poppler-utils) read nothing";
    ASSERT_EQ(pdf.size(), 1u);
    const std::string page = Flat(pdf[0]);
    const std::size_t first = page.find("Sun trine Moon Warm Sun and Moon agree.");
    const std::size_t second = page.find("Leo Sun Bold A Leo Sun shines.");
    EXPECT_NE(first, std::string::npos) << page;
    EXPECT_NE(second, std::string::npos) << page;
    EXPECT_LT(first, second);
    for (const char *skipped : {"Nowhere", "Empty passage", "Broken key"})
        EXPECT_FALSE(Contains(page, skipped)) << skipped;
}

TEST_F(PrintJobTest, CancelStopsBetweenBookExcerpts) {
    const std::vector<TBookExcerpt> list = {{"Sun trine Moon", "0105 0102"},
                                            {"Leo Sun", "0201 0105"}};
    // Cancelled at the second look, after the first passage.
    int looks = 0;
    CancelNow = [&looks] { return ++looks > 1; };
    EXPECT_FALSE(PrintBookExcerpts(Printer, Data, list));
    ASSERT_TRUE(std::filesystem::exists(PdfFile()));

    const std::vector<std::string> pdf = PdfPages(PdfFile());
    ASSERT_FALSE(pdf.empty()) << "pdftotext (poppler-utils) read nothing";
    const std::string page = Flat(pdf.at(0));
    EXPECT_TRUE(Contains(page, "Sun and Moon agree."));
    EXPECT_FALSE(Contains(page, "Leo Sun"));
}

TEST(SymbolCellGlyph, ShortCellsBecomeSymbolFontGlyphs) {
    TLanguage language;
    const struct {
        const char *Cell;
        std::string Glyph;
    } cases[] = {
        {"#1", language.BodyGlyph(0)},
        {"#<", language.BodyGlyph(11)},
        {"@1", language.SignGlyph(0)},
        {"@<", language.SignGlyph(11)},
        {"$0", language.AspectGlyph(0)},
        {"$<", language.AspectGlyph(12)},
        {"\xC2\xB6", SymbolFontText(RetrogradeGlyphCode)},
        {"|", SymbolFontText(AscendantGlyphCode)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SymbolCellGlyph(c.Cell, language), c.Glyph) << c.Cell;
}

TEST_F(PrintJobTest, RowPageIsThePageOfItsSubTitle) {
    // One column: every column break is a page break, and many fall just before a sub-title.
    Printer.Columns = 1;
    Printer.JobOptions = JobBook1 | JobBook2;
    ASSERT_TRUE(PrintInterpretationJob(Printer, Data));
    const std::vector<std::string> pdf = PdfPages(PdfFile());
    ASSERT_FALSE(pdf.empty()) << "pdftotext (poppler-utils) read nothing";
    // Each printed line with its page, in printing order.
    std::vector<std::pair<int, std::string>> lines;
    for (std::size_t p = 0; p < pdf.size(); ++p) {
        std::size_t start = 0;
        for (std::size_t end; (end = pdf[p].find('\n', start)) != std::string::npos;
             start = end + 1)
            lines.emplace_back(static_cast<int>(p) + 1, Flat(pdf[p].substr(start, end - start)));
    }

    // Rows print by main title, then in table order; a title printed twice (a repeated
    // passage) is found at its next line each time.
    std::vector<int> order(static_cast<std::size_t>(Interp.RowCount()));
    for (int r = 0; r < Interp.RowCount(); ++r)
        order[static_cast<std::size_t>(r)] = r;
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return Interp.Row(a).Ix < Interp.Row(b).Ix; });
    std::map<std::string, std::size_t> next;
    int checked = 0;
    for (const int r : order) {
        const TTitleRow &row = Interp.Row(r);
        if (row.PageTag <= 0 || (row.ChapCode != 1 && row.ChapCode != 3))
            continue;
        std::string title;
        Interp.GetRowText(r, title);
        std::size_t &at = next[title];
        while (at < lines.size() && lines[at].second != Flat(title))
            ++at;
        ASSERT_LT(at, lines.size()) << title;
        EXPECT_EQ(lines[at].first, row.PageTag) << title;
        ++at;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}
