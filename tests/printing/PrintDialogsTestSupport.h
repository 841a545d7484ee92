// The print dialogs' surroundings for a test: every table in a scratch directory with the English
// texts, settings whose "KYR.INI" lies in a scratch directory, a print engine writing PDF files,
// and a main chart computed over a synthetic ephemeris.
#pragma once

#include "Horoscope.h"
#include "KyrPrinter.h"
#include "KyrSetup.h"
#include "SearchTestSupport.h"
#include "SyntheticEphemeris.h"

#include <QPrinter>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace kyr::test {

/// Settings whose files lie in the program directory given.
inline TSetupEnvironment MakeEnvironment(const std::filesystem::path &program) {
    TSetupEnvironment environment;
    environment.ProgramDirectory = program.string() + "/";
    environment.ConfigDirectory = (program / "config").string();
    environment.CanWrite = [](const std::string &) { return true; };
    environment.CurrentYear = [] { return 2024; };
    return environment;
}

class PrintDialogFixture : public SearchFixture {
protected:
    PrintDialogFixture()
        : Program(ScratchDirectory("print-dialogs")), Setup(MakeEnvironment(Program)) {
        // The texts are loaded; from here on the program directory is the scratch one, with its
        // own ephemeris.
        WriteSyntheticEphemeris(Program, 6000, UniformSample);
        UseEphemerisIn(Program);
        Pdf.setOutputFormat(QPrinter::PdfFormat);
        Pdf.setOutputFileName(QString::fromStdString((Program / "out.pdf").string()));
        Printer.SetPrinter(&Pdf);
        Printer.Language = &Language;
        Printer.Data = &Data;
    }
    ~PrintDialogFixture() override {
        UseEphemerisIn({});
        std::error_code error;
        std::filesystem::remove_all(Program, error);
    }

    /// The main chart made active on fixed birth data, with aspects and transits as the main
    /// window keeps them, under the orb set "Wide" (8 degrees everywhere) and a calendar of its
    /// own.
    void ActivateMainChart() {
        for (long long point = 1; point <= 14; ++point) {
            std::vector<TFieldValue> row{std::string("Wide"), point};
            row.resize(11, 8LL);
            Data.OrbisDefTable.AppendRecord(row);
        }
        Setup.System.OrbisName = "Wide";
        Setup.ApplyUserOrbs(Data.OrbisDefTable, MainChart);
        MainChart.SetOptions(OptionAspects | OptionTransits);
        MainChart.SetGregorianStart(1582.1015L);
        MainChart.FirstName = "Ann";
        MainChart.LastName = "Lee";
        MainChart.SetBirthDate(1941.0806L);
        MainChart.SetBirthTime(4.16L);
        MainChart.SetZoneTime(-1);
        MainChart.SetLatitude(48.0830L);
        MainChart.SetLongitude(-11.3400L);
        MainChart.SetActive(true);
        ASSERT_TRUE(MainChart.Active());
        ASSERT_GT(MainChart.AspectCount, 0);
    }

    /// Saves a widget as a picture when KYR_GRAB_DIR names a directory, for a look by eye.
    static void Grab(QWidget &widget, const char *name) {
        if (const char *dir = std::getenv("KYR_GRAB_DIR"))
            widget.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
    }

    std::filesystem::path Program;
    TKyrSetup Setup;
    QPrinter Pdf{QPrinter::HighResolution};
    TKyrPrinter Printer;
    THoroscope MainChart;
    int Beeps = 0;
};

} // namespace kyr::test
