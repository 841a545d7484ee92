// A whole interpretation of a computed chart from the delivered ephemeris, books and help texts,
// left as a PDF file in the build directory for a look. Skipped when the data is not built.
#include "DataCollection.h"
#include "Horoscope.h"
#include "Interpretation.h"
#include "InterpretationStore.h"
#include "KyrPrinter.h"
#include "KyrSetup.h"
#include "Language.h"
#include "PdfWords.h"
#include "PrintJobs.h"
#include "ProgramDirectory.h"
#include "SymbolFonts.h"
#include "TransitMeter.h"
#include "Wheel.h"

#include <QPrinter>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using namespace kyr;

TEST(PrintRealChart, InterpretationOfTheDeliveredData) {
    const std::filesystem::path program = KYR_PROGRAM_DIR;
    if (!std::filesystem::exists(program / "KYR.LNG") ||
        !std::filesystem::exists(program / "Data" / "BOOKUK.DAT") ||
        !std::filesystem::exists(program / "Data" / "HELPUK.DAT"))
        GTEST_SKIP() << "the delivered data is not built";
    SetProgramDirectory(program.string());
    RegisterSymbolFonts();

    TLanguage language;
    language.SetCountry("UK");
    language.SetActive(true);
    TDataCollection data;
    data.SetLanguage("UK");
    data.SetActive(true);
    TSetupEnvironment environment;
    environment.ProgramDirectory = program.string();
    TKyrSetup setup(environment);
    setup.System.OrbisName = "Medium";

    THoroscope chart;
    chart.FirstName = "Ann";
    chart.LastName = "Example";
    chart.PlaceName = "Munich";
    chart.StateName = "Germany";
    chart.SetBirthDate(1941.0806L);
    chart.SetBirthTime(4.16L);
    chart.SetZoneTime(-1);
    chart.SetLatitude(48.0830L);
    chart.SetLongitude(-11.3400L);
    chart.SetOptions(OptionAspects | OptionTransits);
    setup.ApplyTransitSettings(chart);
    setup.ApplyUserOrbs(data.OrbisDefTable, chart);
    TWheel wheel;
    wheel.SetHoroscope(&chart);
    chart.SetActive(true);

    TInterpretation interp;
    interp.SetLanguage(&language);
    interp.SetHoroscope(&chart);
    ConnectBookHandlers(interp, data);
    interp.SetInterptype(itBoth);
    TTransitMeter meter;

    const std::string file = std::string(KYR_TEST_OUTPUT_DIR) + "/real-interpretation.pdf";
    std::filesystem::remove(file);
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(QString::fromStdString(file));
    TKyrPrinter printer;
    printer.LoadSettings(setup.PrintLayout);
    printer.SetPrinter(&pdf);
    printer.Language = &language;
    printer.Horoscope = &chart;
    printer.Interpretation = &interp;
    printer.Wheel = &wheel;
    printer.TransitMeter = &meter;
    printer.JobOptions = JobBook1 | JobBook2 | JobContents | JobWheelPage | JobSymbolPage;

    ASSERT_TRUE(
        PrintInterpretationJob(printer, data, TWheelPageSettings{setup.PrintOptions, "Medium"}));
    EXPECT_TRUE(std::filesystem::exists(file));
    // The wheel page, every main title of the analysis and the symbol page are listed.
    EXPECT_EQ(printer.ContentsTitles().size(), 14u);
    EXPECT_EQ(printer.ContentsPages().front(), 2);

    // Read back as a reader sees it: in page order, contents first, every sentence apart from
    // the next, no word drawn over another (the wheel page's glyphs may crowd by design).
    const std::vector<std::string> pages = test::PdfPageTexts(file);
    if (pages.empty())
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_GT(pages.size(), 20u);
    EXPECT_NE(pages.front().find(language.GetText(41)), std::string::npos)
        << "the contents page lists the wheel page first";
    const std::regex footer(language.GetText(100) + "([0-9]+)\\s*$");
    const std::regex glued("[a-z][.!?][A-Z]");
    for (std::size_t p = 0; p < pages.size(); ++p) {
        std::smatch number;
        ASSERT_TRUE(std::regex_search(pages[p], number, footer)) << "page " << p + 1;
        EXPECT_EQ(std::stoi(number[1]), static_cast<int>(p + 1));
        std::smatch glue;
        EXPECT_FALSE(std::regex_search(pages[p], glue, glued))
            << "page " << p + 1 << ": ..." << glue.prefix().str().substr(
                   std::max<std::ptrdiff_t>(0, glue.prefix().length() - 40)) << glue.str();
    }
    const std::vector<std::vector<test::TPdfWord>> words = test::PdfPageWords(file);
    ASSERT_EQ(words.size(), pages.size());
    for (std::size_t p = 0; p < words.size(); ++p) {
        if (p == 1)
            continue;
        for (std::size_t a = 0; a < words[p].size(); ++a)
            for (std::size_t b = a + 1; b < words[p].size(); ++b)
                EXPECT_FALSE(words[p][a].Overlaps(words[p][b]))
                    << "page " << p + 1 << ": \"" << words[p][a].Text << "\" over \""
                    << words[p][b].Text << "\"";
    }
}
