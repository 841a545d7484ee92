// A whole interpretation of a computed chart from the delivered ephemeris, books and help texts,
// left as a PDF file in the build directory for a look. Skipped when the data is not built.
#include "DataCollection.h"
#include "Horoscope.h"
#include "Interpretation.h"
#include "InterpretationStore.h"
#include "KyrPrinter.h"
#include "KyrSetup.h"
#include "Language.h"
#include "PrintJobs.h"
#include "ProgramDirectory.h"
#include "SymbolFonts.h"
#include "TransitMeter.h"
#include "Wheel.h"

#include <QPrinter>

#include <gtest/gtest.h>

#include <filesystem>

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
}
