// The print jobs on a fixed chart over the synthetic ephemeris: fake books answer every key, a
// small HELP table holds the symbol and contents texts, NAME holds two persons and BOOK a few
// passages. Pages go to a PDF file in a scratch directory; pdftotext reads them back.
#pragma once

#include "InterpFixture.h"
#include "StoreTestSupport.h"

#include "DataCollection.h"
#include "KyrPrinter.h"
#include "NameRecord.h"
#include "PrintJobs.h"
#include "SymbolFonts.h"
#include "TableSchemas.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include <memory>
#include <string>
#include <vector>

namespace kyr::test {

inline const char *const PlainTables[] = {"NAME1",    "GROUPS", "NAMEGRPS", "ZONEID",   "ZONE",
                                          "SUMMERID", "SUMMER", "ORBIS",    "ORBISDEF", "PLACES",
                                          "STATES",   "KHLPUK", "SYBOOKUK"};

/// Help text 11001: title, introduction, a sub-heading, then a body, a sign and an aspect.
inline const std::string SymbolHelpText =
    "Symbols Page\r\nWhat the glyphs mean.\r\n\tBodies\r\n"
    "#1\tSun\tthe self\r\n@1\tAries\tfire\r\n$0\tConjunction\t0\r\n";
/// Help text 11002: the name, the logo, the contents and a column break, with LF line ends as
/// the delivered help texts have them.
inline const std::string ContentsHelpText = "#1\n#2\nContents\n#3\n#4\nAbout this printout.\n";

inline TNameRecord Person(const std::string &first, const std::string &last,
                          const std::string &date) {
    TNameRecord record;
    record.FirstName = first;
    record.LastName = last;
    record.BirthTown = "Town";
    record.BirthCountry = "State";
    record.BirthDate = date;
    record.BirthTime = "041600";
    record.Latitude = 4805;
    record.Longitude = -1134;
    record.TimeZone = "0100E";
    record.SummerTime = "+0000";
    return record;
}

/// The text of every page of a PDF file, or nothing when pdftotext is missing or fails.
inline std::vector<std::string> PdfPages(const std::string &file) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    // In drawing order: the layout analysis of the default mode groups words by where they land,
    // which depends on the glyph widths of the font.
    process.start(tool, {QStringLiteral("-raw"), QString::fromStdString(file), QStringLiteral("-")});
    process.waitForFinished(60000);
    const std::string text = process.readAllStandardOutput().toStdString();
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find('\f', start)) != std::string::npos; start = at + 1)
        pages.push_back(text.substr(start, at - start));
    return pages;
}

/// The page's words joined by single blanks, so that wrapped columns still match.
inline std::string Flat(const std::string &text) {
    std::string flat;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            blank = !flat.empty();
            continue;
        }
        if (blank)
            flat += ' ';
        blank = false;
        flat += c;
    }
    return flat;
}

class PrintJobTest : public InterpTest {
protected:
    static void SetUpTestSuite() {
        InterpTest::SetUpTestSuite();
        RegisterSymbolFonts();
    }

    void SetUp() override {
        InterpTest::SetUp();
        for (const char *name : PlainTables)
            CreateTable(Dir.Path(), name);
        MakeTable(Dir, "HELPUK", {{11001LL, SymbolHelpText}, {11002LL, ContentsHelpText}});
        MakeTable(Dir, "BOOKUK",
                  {{"01", "05", "01", "02", "Warm", "Sun and Moon agree.\r"},
                   {"02", "01", "01", "05", "Bold", "A Leo Sun shines.\r"},
                   {"01", "01", "02", "04", "Soft", ""}});
        CreateTable(Dir.Path(), "NAME");
        Data.SetDirectory(Dir.Path());
        Data.SetLanguage("UK");
        Data.SetActive(true);
        SaveName(Data, Person("Ann", "Smith", "19410806"));
        SaveName(Data, Person("Bob", "Jones", "19520311"));

        // The printed interpretation has no window of its own.
        Interp.SetMainTitleBox(nullptr);
        Interp.SetSubTitleBox(nullptr);
        Interp.SetBookButtons(nullptr);
        Interp.SetAttitudeLabel(nullptr);
        Interp.SetInterpMemo(nullptr);
        Interp.SetBirthButton(nullptr);
        Interp.SetPeriodButton(nullptr);
        Interp.SetBothButton(nullptr);
        Chart.LastName = "Smith";
        Interp.SetInterptype(itBirthAnalysis);
        Pdf.setOutputFormat(QPrinter::PdfFormat);
        Pdf.setOutputFileName(QString::fromStdString(PdfFile()));
        Printer.SetPrinter(&Pdf);
        Printer.Language = Language;
        Printer.Horoscope = &Chart;
        Printer.Interpretation = &Interp;
        Printer.Feedback.ShowPage = [this](const QString &label) {
            // The label ends with the page number.
            qsizetype digits = label.size();
            while (digits > 0 && label.at(digits - 1).isDigit())
                --digits;
            Pages.push_back(label.mid(digits).toInt());
            People.push_back(Printer.PersonName);
        };
        Printer.Feedback.ShowStatus = [this](const QString &status) {
            if (status == QString::fromStdString(Language->GetText(516)))
                ++Documents;
        };
        Printer.Feedback.Cancelled = [this] { return CancelNow && CancelNow(); };
    }

    std::string PdfFile() const { return Dir.Path() + "job.pdf"; }

    /// The contents entry of a title: its page, or 0 when the title is not listed.
    int ContentsPage(const std::string &title) const {
        for (std::size_t i = 0; i < Printer.ContentsTitles().size(); ++i)
            if (Printer.ContentsTitles()[i] == title)
                return Printer.ContentsPages()[i];
        return 0;
    }

    TTempDir Dir;
    TDataCollection Data;
    QPrinter Pdf{QPrinter::HighResolution};
    TKyrPrinter Printer;
    std::vector<int> Pages;          ///< every page as the progress label showed it
    std::vector<std::string> People; ///< the person being printed at each page
    int Documents = 0;
    std::function<bool()> CancelNow;
};

} // namespace kyr::test
