// TPIntDlg: "Print Interpretation". Chooses whom to print (the current chart or persons picked in
// the group dialog), which books and which pages, and the orbs; owns the horoscope, hidden wheel,
// hidden transit meter and interpretation that every print job of the printer works on.
#pragma once

#include "Horoscope.h"
#include "Interpretation.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class QRadioButton;

namespace kyr {

class TDataCollection;
class TGroupDlg;
class TKyrPrinter;
class TKyrSetup;
class TLanguage;
class TPWhlDlg;
class TPrintProgress;
class TTransitMeter;
class TWheel;

class TPIntDlg : public QDialog {
    Q_OBJECT

public:
    /// The quick help of the dialog: the help context of the interpretation print command.
    static constexpr int HelpContext = 107;

    /// Everything given outlives the dialog; mainChart is the main window's first chart. The
    /// dialog puts its own horoscope, wheel, meter, interpretation and the language into the
    /// printer's references.
    TPIntDlg(TKyrPrinter &printer, TKyrSetup &setup, TDataCollection &data, TLanguage &language,
             THoroscope &mainChart, QWidget *parent = nullptr);
    ~TPIntDlg() override;

    /// The printer's references: the dialog's own chart and its views.
    THoroscope &Horoscope() { return FHoroscope; }
    TWheel *Wheel() const { return FWheel; }
    TTransitMeter *TransitMeter() const { return FMeter; }
    TInterpretation &Interpretation() { return FInterp; }
    /// The wheel-page dialog (layout mode from "&Layout", print mode from the main menu).
    TPWhlDlg *WheelDialog() const { return FWheelDlg; }
    /// The group dialog of "&Select", created at first use.
    TGroupDlg &GroupDialog();
    /// The progress dialog every job of this dialog runs in.
    TPrintProgress *Progress() const { return FProgress; }

    /// What showing the dialog does: the orb items' checks from the settings and the main
    /// window's language into the interpretation.
    void Activate();
    /// "O&K": sets up the printer from the controls and runs the interpretation job.
    void Confirm();
    /// The wheel page alone for the main chart (print mode of the wheel-page dialog); a beep
    /// when the main chart is not active.
    void PrintWheelOnly();
    /// The job options the controls stand for: 1, 2 or 3 for the books + 4, 8, 16 for the pages.
    int JobOptionsFromControls() const;
    /// The interpretation type the two analysis check boxes stand for.
    TInterpType InterpTypeFromControls() const;

    /// An orb item: the set into the settings and the main chart, the checks and the main
    /// window told.
    void ChooseOrbs(const std::string &name);
    /// "&Userdefined Orbs...".
    void ChooseUserOrbs();
    /// "&Hide": toggles the aspect lines.
    void ToggleHideAspects();

    void Retranslate();

    // Controls, for the main window and the tests.
    QRadioButton *CurrentOnlyButton() const { return FCurrentOnly; }
    QRadioButton *MultipleButton() const { return FMultiple; }
    QPushButton *SelectButton() const { return FSelect; }
    QRadioButton *ProfessionalButton() const { return FProfessional; }
    QRadioButton *PersonalButton() const { return FPersonal; }
    QRadioButton *BothButton() const { return FBoth; }
    QCheckBox *ContentsCheck() const { return FContents; }
    QCheckBox *WheelCheck() const { return FWheelPage; }
    QCheckBox *BirthCheck() const { return FBirth; }
    QCheckBox *DynamicCheck() const { return FDynamic; }
    QCheckBox *SymbolCheck() const { return FSymbols; }
    QPushButton *LayoutButton() const { return FLayout; }
    QPushButton *AspectsButton() const { return FAspects; }
    QPushButton *OptionsButton() const { return FOptions; }
    QPushButton *OkButton() const { return FOk; }
    QPushButton *CancelButton() const { return FCancel; }
    QPushButton *HelpButton() const { return FHelp; }
    QPushButton *PageLayoutButton() const { return FPageLayout; }
    QPushButton *PrinterOptionsButton() const { return FPrinterOptions; }
    QMenu *OrbMenu() const { return FOrbMenu; }
    QAction *StrongItem() const { return FStrongItem; }
    QAction *MediumItem() const { return FMediumItem; }
    QAction *WeakItem() const { return FWeakItem; }
    QAction *UserOrbsItem() const { return FUserItem; }
    QAction *HideItem() const { return FHideItem; }

    // What the dialog needs of the main window and of the platform; each has a default.
    /// The platform print dialog before a job: false when the user cancels; a chosen page range
    /// into from and to, else 0 and 9999. Unset: QPrintDialog on the printer.
    std::function<bool(int &fromPage, int &toPage)> OnPrintDialog;
    /// Runs the interpretation job (in the progress dialog) and gives its result
    /// (TPrintProgress::mrOk, mrCancel or mrFailed). Unset: the progress dialog.
    std::function<int()> OnRunJob;
    /// After an orb set was chosen here (already in the settings and the main chart): the main
    /// window sets its menu marks and refreshes.
    std::function<void(const std::string &orbisName)> OnOrbsChosen;
    /// The orb dialog; true on OK (the chosen set then is the settings' OrbisName and in the
    /// main chart). Unset: ChooseUserOrbs on the main chart.
    std::function<bool()> OnUserOrbs;
    /// After "&Hide" toggled the setting: the main menu's twin item and the wheel window.
    std::function<void(bool hidden)> OnHideAspects;
    /// "&Options": the dynamic-analysis dialog. Unset: a dialog of the dialog's own on the
    /// main chart.
    std::function<void()> OnDynamicOptions;
    /// "&Page Layout" (here and in the wheel-page dialog): the page dialog; unset: a page dialog
    /// of this dialog's own.
    std::function<void()> OnPageLayout;
    /// "P&rinter Options" (here and in the wheel-page dialog): the printer set-up; unset: the
    /// platform's print dialog on the printer.
    std::function<void()> OnPrinterOptions;
    /// Notices (text 694) under the title of the dialog the job was started from; unset: an
    /// information box over that dialog.
    std::function<void(const QString &title, const QString &message)> OnInformation;
    /// Replaces the system beep (tests).
    std::function<void()> OnBeep;

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls();
    void BuildOrbMenu();
    void WireViews();
    void UpdateEnabled();
    void SetOrbChecks();
    /// The printer's references to this dialog's chart and views.
    void AttachToPrinter();
    /// Transit settings, orbs, aspect lines, colour style and meter years into the chart and
    /// its views.
    void PrepareChart();
    /// The main chart's birth data, with its calendar, into the dialog's chart.
    void CopyMainChart();
    bool RunPrintDialog(int &fromPage, int &toPage);
    int RunJob();
    void PageLayout(QWidget *parent);
    void Information(QWidget *over, const QString &message);
    void Beep();

    TKyrPrinter &FPrinter;
    TKyrSetup &FSetup;
    TDataCollection &FData;
    TLanguage &FLanguage;
    THoroscope &FMainChart;
    THoroscope FHoroscope;
    TInterpretation FInterp;
    TWheel *FWheel = nullptr;
    TTransitMeter *FMeter = nullptr;
    TPWhlDlg *FWheelDlg = nullptr;
    TGroupDlg *FGroupDlg = nullptr;
    TPrintProgress *FProgress = nullptr;

    QRadioButton *FCurrentOnly = nullptr, *FMultiple = nullptr;
    QPushButton *FSelect = nullptr;
    QRadioButton *FProfessional = nullptr, *FPersonal = nullptr, *FBoth = nullptr;
    QCheckBox *FContents = nullptr, *FWheelPage = nullptr, *FBirth = nullptr, *FDynamic = nullptr,
              *FSymbols = nullptr;
    QPushButton *FLayout = nullptr, *FAspects = nullptr, *FOptions = nullptr;
    QPushButton *FOk = nullptr, *FCancel = nullptr, *FHelp = nullptr, *FPageLayout = nullptr,
                *FPrinterOptions = nullptr;
    QMenu *FOrbMenu = nullptr;
    QAction *FStrongItem = nullptr, *FMediumItem = nullptr, *FWeakItem = nullptr,
            *FUserItem = nullptr, *FHideItem = nullptr;
};

} // namespace kyr
