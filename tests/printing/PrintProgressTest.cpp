// The progress dialog offscreen: a job runs once the dialog is up, its messages reach the label,
// Cancel reaches the job, closing waits for the job, and the result says how the job ended.

#include "PrintProgress.h"

#include "PrintDialogsTestSupport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <stdexcept>

namespace kyr::test {
namespace {

class PrintProgressTest : public PrintDialogFixture {
protected:
    PrintProgressTest() : Progress(Printer, Setup, Data, Language) {
        Progress.OnBeep = [this] { ++Beeps; };
        Progress.OnError = [this](const QString &m) { Errors << m; };
    }

    /// Lets pending events through and asks for the cancel flag, as the jobs do.
    bool JobCancelled() {
        QApplication::processEvents();
        return Printer.Cancelled();
    }

    TPrintProgress Progress;
    QStringList Errors;
};

TEST_F(PrintProgressTest, AJobThatEndsIsOkAndSeesTheDialogsSettings) {
    Printer.FromPage = 3;
    Printer.ToPage = 4;
    Setup.PrintLayout.Columns = 3;
    QString status;
    bool runningInside = false;
    const int result = Progress.Run([&] {
        runningInside = Progress.Running() && Progress.isVisible();
        EXPECT_EQ(3, Printer.Columns) << "the page settings are loaded";
        EXPECT_EQ(3, Printer.FromPage) << "the page range stays";
        EXPECT_EQ(4, Printer.ToPage);
        Printer.ShowStatus("Please wait...");
        status = Progress.MessageLabel()->text();
        Grab(Progress, "PrintProgress");
        return !JobCancelled();
    });
    EXPECT_EQ(TPrintProgress::mrOk, result);
    EXPECT_TRUE(runningInside);
    EXPECT_FALSE(Progress.Running());
    EXPECT_EQ("Please wait...", status);
    EXPECT_EQ("Printing", Progress.windowTitle());
    std::string name;
    Printer.PrinterName(name);
    EXPECT_EQ(QString::fromStdString("Printer: " + name), Progress.PrinterLabel()->text());
    EXPECT_FALSE(Printer.Feedback.Cancelled) << "the printer no longer calls the dialog";
}

TEST_F(PrintProgressTest, CancelReachesTheJobAndClosingWaitsForIt) {
    int rounds = 0;
    bool stillOpen = false;
    const int result = Progress.Run([&] {
        // The user first tries to close the window, then presses Cancel.
        QTimer::singleShot(0, &Progress, [&] {
            QCloseEvent close;
            QApplication::sendEvent(&Progress, &close);
            stillOpen = Progress.isVisible() && !close.isAccepted();
            Progress.CancelButton()->click();
        });
        while (!JobCancelled())
            if (++rounds > 1000)
                return true;
        return false;
    });
    EXPECT_EQ(TPrintProgress::mrCancel, result);
    EXPECT_LT(rounds, 1000);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ("Cancelling, please wait...", Progress.MessageLabel()->text());
    EXPECT_FALSE(Progress.CancelButton()->isEnabled());
    EXPECT_EQ(1, Beeps);

    // The next job starts afresh.
    EXPECT_EQ(TPrintProgress::mrOk, Progress.Run([&] { return !JobCancelled(); }));
    EXPECT_TRUE(Progress.CancelButton()->isEnabled());
}

TEST_F(PrintProgressTest, AJobThatCouldNotPrintIsNotReportedAsDone) {
    EXPECT_EQ(TPrintProgress::mrFailed, Progress.Run([] { return false; }));
    EXPECT_EQ(TPrintProgress::mrFailed,
              Progress.Run([]() -> bool { throw std::runtime_error("Cannot Create ms!"); }));
    EXPECT_EQ(QStringList{"Cannot Create ms!"}, Errors);
    EXPECT_FALSE(Progress.Running());
}

TEST_F(PrintProgressTest, RunsTheBookExcerptJobOnThePrinter) {
    Data.BookTable.AppendRecord({"01", "01", "01", "01", "Bright", "The Sun in Aries.\r"});
    const std::filesystem::path pdf = Program / "out.pdf";
    EXPECT_EQ(TPrintProgress::mrOk,
              Progress.RunBookExcerpts({{"Sun in Aries Professional", "0101 0101"}}));
    EXPECT_TRUE(std::filesystem::exists(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);

    // Without a language the printer is not ready: nothing is printed and nothing is done.
    std::filesystem::remove(pdf);
    Printer.Language = nullptr;
    EXPECT_EQ(TPrintProgress::mrFailed,
              Progress.RunBookExcerpts({{"Sun in Aries Professional", "0101 0101"}}));
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

} // namespace
} // namespace kyr::test
