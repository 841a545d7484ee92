// TPrintProgress: the modal dialog every print job runs in. It shows the printer, the job's
// messages and the page being printed, and lets the user cancel between units of work.
#pragma once

#include "PrintJobs.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QPrinter;
class QPushButton;

namespace kyr {

class TDataCollection;
class TKyrPrinter;
class TKyrSetup;
class TLanguage;

/// The platform print dialog before a job, set to print all pages: false when the user cancels
/// or there is no printer; a page range chosen there goes into from and to, else they stay.
bool ChoosePrintRange(QPrinter *printer, QWidget *parent, int &fromPage, int &toPage);
/// The platform's printer set-up on the printer ("Printer Options"); nothing without a printer.
void ShowPrinterOptions(QPrinter *printer, QWidget *parent);
/// The page dialog ("Page Layout") for the print dialogs that were given no page dialog of the
/// main window's; its Help goes to help.
void ShowPageLayout(TKyrSetup &setup, TKyrPrinter &printer, const TLanguage &language,
                    QWidget *parent, const std::function<void(int)> &help);

/// What the user is told after a job: text 694 when it ran to its end, a notice that it could
/// not be finished when it failed, nothing when the user cancelled it.
QString JobOutcomeText(const TLanguage &language, int result);

class TPrintProgress : public QDialog {
    Q_OBJECT

public:
    /// Context help of the dialog (it has no Help button).
    static constexpr int HelpContext = 2032;
    /// Results: the job ran to its end, the user cancelled it, or it could not print (no
    /// printer, no language, a person missing from the name table, an error).
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;
    static constexpr int mrFailed = 3;

    /// Everything given outlives the dialog.
    TPrintProgress(TKyrPrinter &printer, const TKyrSetup &setup, TDataCollection &data,
                   const TLanguage &language, QWidget *parent = nullptr);
    ~TPrintProgress() override;

    /// The interpretation job (also the wheel page alone) on the printer's references.
    int RunInterpretation();
    /// The book-excerpt job for the chosen entries.
    int RunBookExcerpts(const std::vector<TBookExcerpt> &list);
    /// Any job: runs it modally once the dialog is up; the job's false without a cancel is
    /// mrFailed.
    int Run(std::function<bool()> job);

    /// True from activation until the job has returned; closing is refused meanwhile.
    bool Running() const { return FRunning; }
    /// The cancel flag the job tests.
    bool CancelRequested() const { return FCancelled; }
    /// Cancel: while a job runs, asks it to stop; otherwise closes the dialog.
    void CancelClicked();

    QLabel *MessageLabel() const { return FMessage; }
    QLabel *PrinterLabel() const { return FPrinterLabel; }
    QPushButton *CancelButton() const { return FCancelButton; }

    /// An error a job raised; unset: a message box.
    std::function<void(const QString &message)> OnError;
    /// Replaces the system beep (tests).
    std::function<void()> OnBeep;

    void Retranslate();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void StartJob();
    void ConnectFeedback();

    TKyrPrinter &FPrinter;
    const TKyrSetup &FSetup;
    TDataCollection &FData;
    const TLanguage &FLanguage;
    std::function<bool()> FJob;
    bool FPending = false;
    bool FRunning = false;
    bool FCancelled = false;

    QLabel *FMessage = nullptr;
    QLabel *FPrinterLabel = nullptr;
    QPushButton *FCancelButton = nullptr;
};

} // namespace kyr
