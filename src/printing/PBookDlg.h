// TPBookDlg: "Print Book Excerpts". Lists the chapter passages of the language's book table by
// their readable titles, sorted, each with its nine-character key; shows one in the quick help
// and prints the chosen ones.
#pragma once

#include "PrintJobs.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace kyr {

class TDataCollection;
class TKyrPrinter;
class TKyrSetup;
class TLanguage;
class TPrintProgress;

/// The passages of the book table that the excerpt list offers: chapters 1..15, of chapter 2
/// only the cusps of the first house; each with its title in the language, sorted by title.
/// Records whose codes have no title are left out.
std::vector<TBookExcerpt> ListableExcerpts(TDataCollection &data, const TLanguage &language);

class TPBookDlg : public QDialog {
    Q_OBJECT

public:
    /// The quick help of the dialog: the help context of the book-excerpt print command.
    static constexpr int HelpContext = 108;
    /// The role of a list entry's key.
    static constexpr int KeyRole = Qt::UserRole;

    /// Everything given outlives the dialog.
    TPBookDlg(TKyrPrinter &printer, TKyrSetup &setup, TDataCollection &data, TLanguage &language,
              QWidget *parent = nullptr);

    /// What showing the dialog does: focus the list when it is loaded; otherwise empty it,
    /// disable the buttons and load it once the event loop is idle.
    void Activate();
    /// Fills the list from the book table (hourglass); Cancel, Help, Show and Layout enabled.
    void LoadList();
    bool Loaded() const { return FLoaded; }
    bool Loading() const { return FLoading; }
    /// After a language change the list is loaded again on the next activation.
    void LanguageChanged();

    /// The selected entries in list order.
    std::vector<TBookExcerpt> SelectedExcerpts() const;
    /// Show: the current entry's passage under its title.
    void ShowClicked();
    /// Print: the platform print dialog, then the job for the selected entries.
    void PrintClicked();

    void Retranslate();

    QListWidget *List() const { return FList; }
    QLabel *CountLabel() const { return FCount; }
    QPushButton *PrintButton() const { return FPrint; }
    QPushButton *CancelButton() const { return FCancel; }
    QPushButton *HelpButton() const { return FHelp; }
    QPushButton *ShowButton() const { return FShow; }
    QPushButton *LayoutButton() const { return FLayout; }

    /// Show: the quick-help window with the caption, showing the passage of the key. Unset:
    /// a beep.
    std::function<void(const QString &caption, const std::string &key)> OnShowPassage;
    /// Layout: the page dialog; unset: a page dialog of this dialog's own.
    std::function<void()> OnPageLayout;
    /// The platform print dialog: false when the user cancels; a chosen page range into from
    /// and to, else 0 and 9999. Unset: QPrintDialog on the printer.
    std::function<bool(int &fromPage, int &toPage)> OnPrintDialog;
    /// Runs the book-excerpt job (in the progress dialog) and gives its result
    /// (TPrintProgress::mrOk, mrCancel or mrFailed). Unset: the progress dialog.
    std::function<int(const std::vector<TBookExcerpt> &list)> OnRunJob;
    /// Notices (text 694); unset: an information box.
    std::function<void(const QString &message)> OnInformation;
    /// Replaces the system beep (tests).
    std::function<void()> OnBeep;

signals:
    void HelpRequested(int helpContext);

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void SetButtonsEnabled(bool enabled);
    bool RunPrintDialog(int &fromPage, int &toPage);
    void Beep();

    TKyrPrinter &FPrinter;
    TKyrSetup &FSetup;
    TDataCollection &FData;
    TLanguage &FLanguage;
    TPrintProgress *FProgress = nullptr;
    bool FLoaded = false;
    bool FLoading = false;

    QLabel *FCount = nullptr;
    QListWidget *FList = nullptr;
    QPushButton *FPrint = nullptr, *FCancel = nullptr, *FHelp = nullptr, *FShow = nullptr,
                *FLayout = nullptr;
};

} // namespace kyr
