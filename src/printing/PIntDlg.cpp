#include "PIntDlg.h"

#include "DataCollection.h"
#include "DynaDlg.h"
#include "GroupDlg.h"
#include "InterpretationStore.h"
#include "KyrPrinter.h"
#include "KyrSetup.h"
#include "Language.h"
#include "MeterColors.h"
#include "OrbisDlg.h"
#include "PWhlDlg.h"
#include "PrintProgress.h"
#include "TransitMeter.h"
#include "TitleWidth.h"
#include "Translation.h"
#include "Wheel.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kyr {

namespace {

const char *const StrongName = "Strong";
const char *const MediumName = "Medium";
const char *const WeakName = "Weak";

} // namespace

TPIntDlg::TPIntDlg(TKyrPrinter &printer, TKyrSetup &setup, TDataCollection &data,
                   TLanguage &language, THoroscope &mainChart, QWidget *parent)
    : QDialog(parent), FPrinter(printer), FSetup(setup), FData(data), FLanguage(language),
      FMainChart(mainChart) {
    setObjectName(QStringLiteral("PIntDlg"));
    setProperty("HelpContext", HelpContext);
    SetTag(this, 1379);
    WireViews();
    BuildControls();
    FWheelDlg = new TPWhlDlg(setup, language, printer, this);
    FWheelDlg->OnPrint = [this] { PrintWheelOnly(); };
    FWheelDlg->OnPageLayout = [this] { PageLayout(FWheelDlg); };
    FWheelDlg->OnPrinterOptions = [this] {
        if (OnPrinterOptions) {
            OnPrinterOptions();
        } else {
            ShowPrinterOptions(FPrinter.Printer(), FWheelDlg);
        }
    };
    connect(FWheelDlg, &TPWhlDlg::HelpRequested, this, &TPIntDlg::HelpRequested);
    FProgress = new TPrintProgress(printer, setup, data, language, this);
    Retranslate();
    UpdateEnabled();
    AttachToPrinter();
}

TPIntDlg::~TPIntDlg() {
    // The printer lives on: it must not keep references to what dies here.
    if (FPrinter.Interpretation == &FInterp) {
        FPrinter.Interpretation = nullptr;
        FPrinter.Wheel = nullptr;
        FPrinter.Horoscope = nullptr;
        FPrinter.TransitMeter = nullptr;
    }
    // The wheel refers to the horoscope, a member that goes before the child widgets do.
    delete FWheel;
    FWheel = nullptr;
}

void TPIntDlg::WireViews() {
    // The printout lists the chart's aspects and its transits, as the main chart does.
    FHoroscope.SetOptions(OptionAspects | OptionTransits);
    FWheel = new TWheel(this);
    FWheel->hide();
    FWheel->SetShowPosition(FSetup.Goodies.PrintPlanetPos);
    FWheel->SetHoroscope(&FHoroscope);
    FMeter = new TTransitMeter(this);
    FMeter->hide();

    FInterp.HardCopy = true;
    FInterp.DebugMode = FSetup.Debug.ExcludeBody;
    FInterp.SetHoroscope(&FHoroscope);
    FInterp.SetLanguage(&FLanguage);
    FInterp.SetWheel(FWheel);
    ConnectBookHandlers(FInterp, FData);
    FInterp.OnInformation = [this](const std::string &message) {
        Information(this, QString::fromStdString(message));
    };
    FInterp.OnBeep = [this] { Beep(); };
}

void TPIntDlg::AttachToPrinter() {
    FPrinter.Interpretation = &FInterp;
    FPrinter.Wheel = FWheel;
    FPrinter.Horoscope = &FHoroscope;
    FPrinter.TransitMeter = FMeter;
    FPrinter.Language = &FLanguage;
    FPrinter.Data = &FData;
}

void TPIntDlg::BuildControls() {
    const auto radio = [this](int tag, const char *name) {
        auto *r = new QRadioButton(this);
        r->setObjectName(QLatin1String(name));
        SetTag(r, tag);
        return r;
    };
    const auto check = [this](int tag, const char *name, bool on) {
        auto *c = new QCheckBox(this);
        c->setObjectName(QLatin1String(name));
        SetTag(c, tag);
        c->setChecked(on);
        connect(c, &QCheckBox::toggled, this, &TPIntDlg::UpdateEnabled);
        return c;
    };
    const auto button = [this](int tag, const char *name) { return TaggedButton(this, tag, name); };

    // Whom to print.
    FCurrentOnly = radio(1380, "RadioCurrent");
    FMultiple = radio(1381, "RadioMultiple");
    FSelect = button(1382, "SelectBtn");
    auto *persons = new QButtonGroup(this);
    persons->addButton(FCurrentOnly);
    persons->addButton(FMultiple);
    FCurrentOnly->setChecked(true);
    connect(FMultiple, &QRadioButton::toggled, this, &TPIntDlg::UpdateEnabled);
    auto *personBox = new QGroupBox(this);
    auto *personGrid = new QGridLayout(personBox);
    personGrid->addWidget(FCurrentOnly, 0, 0);
    personGrid->addWidget(FMultiple, 1, 0);
    personGrid->addWidget(FSelect, 1, 1);
    personGrid->setColumnStretch(0, 1);

    // Which books.
    FProfessional = radio(116, "RadioProfessional");
    FPersonal = radio(117, "RadioPersonal");
    FBoth = radio(1383, "RadioBoth");
    auto *books = new QButtonGroup(this);
    for (auto *r : {FProfessional, FPersonal, FBoth})
        books->addButton(r);
    FBoth->setChecked(true);
    auto *bookBox = new QGroupBox(this);
    SetTag(bookBox, 109);
    auto *bookColumn = new QVBoxLayout(bookBox);
    for (auto *r : {FProfessional, FPersonal, FBoth})
        bookColumn->addWidget(r);

    // Which pages, each with the button that sets it up.
    FContents = check(1384, "CheckContents", true);
    FWheelPage = check(1385, "CheckWheel", true);
    FBirth = check(1386, "CheckBirth", true);
    FDynamic = check(1387, "CheckDynamic", false);
    FSymbols = check(1388, "CheckSymbols", true);
    FLayout = button(1389, "LayoutBtn");
    FAspects = button(1390, "AspectsBtn");
    FOptions = button(1055, "OptionsBtn");
    auto *pageBox = new QGroupBox(this);
    auto *pageGrid = new QGridLayout(pageBox);
    pageGrid->addWidget(FContents, 0, 0);
    pageGrid->addWidget(FWheelPage, 1, 0);
    pageGrid->addWidget(FLayout, 1, 1);
    pageGrid->addWidget(FBirth, 2, 0);
    pageGrid->addWidget(FAspects, 2, 1);
    pageGrid->addWidget(FDynamic, 3, 0);
    pageGrid->addWidget(FOptions, 3, 1);
    pageGrid->addWidget(FSymbols, 4, 0);
    pageGrid->setColumnStretch(0, 1);

    FOk = button(506, "OkBtn");
    FOk->setDefault(true);
    FCancel = button(507, "CancelBtn");
    FHelp = button(502, "HelpBtn");
    FPageLayout = button(1391, "PageLayoutBtn");
    FPrinterOptions = button(1392, "PrinterOptionsBtn");

    auto *left = new QVBoxLayout;
    left->addWidget(personBox);
    left->addWidget(bookBox);
    left->addStretch(1);
    auto *buttons = new QVBoxLayout;
    for (auto *b : {FOk, FCancel, FHelp})
        buttons->addWidget(b);
    buttons->addSpacing(12);
    buttons->addWidget(FPageLayout);
    buttons->addWidget(FPrinterOptions);
    buttons->addStretch(1);
    auto *top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(pageBox, 1, Qt::AlignTop);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    BuildOrbMenu();

    connect(FSelect, &QPushButton::clicked, this, [this] { GroupDialog().exec(); });
    connect(FLayout, &QPushButton::clicked, this,
            [this] { FWheelDlg->Execute(TPWhlDlg::LayoutMode); });
    connect(FOptions, &QPushButton::clicked, this, [this] {
        if (OnDynamicOptions) {
            OnDynamicOptions();
        } else {
            TDynaDlg dialog(FSetup, FLanguage, this);
            connect(&dialog, &TDynaDlg::HelpRequested, this, &TPIntDlg::HelpRequested);
            dialog.Execute(&FMainChart);
        }
    });
    connect(FOk, &QPushButton::clicked, this, &TPIntDlg::Confirm);
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FHelp, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });
    connect(FPageLayout, &QPushButton::clicked, this, [this] { PageLayout(this); });
    connect(FPrinterOptions, &QPushButton::clicked, this, [this] {
        if (OnPrinterOptions) {
            OnPrinterOptions();
        } else {
            ShowPrinterOptions(FPrinter.Printer(), this);
        }
    });
}

void TPIntDlg::BuildOrbMenu() {
    FOrbMenu = new QMenu(this);
    FOrbMenu->setObjectName(QStringLiteral("OrbPopup"));
    const auto item = [this](int tag, const char *name) {
        QAction *a = FOrbMenu->addAction(QString());
        a->setObjectName(QLatin1String(name));
        a->setCheckable(true);
        SetTag(a, tag);
        return a;
    };
    FStrongItem = item(1057, "smStrong");
    FMediumItem = item(1058, "smMedium");
    FWeakItem = item(1059, "smWeak");
    FUserItem = item(1393, "smUserDefinedOrbs");
    FOrbMenu->addSeparator();
    FHideItem = item(1061, "smHide");
    connect(FStrongItem, &QAction::triggered, this, [this] { ChooseOrbs(StrongName); });
    connect(FMediumItem, &QAction::triggered, this, [this] { ChooseOrbs(MediumName); });
    connect(FWeakItem, &QAction::triggered, this, [this] { ChooseOrbs(WeakName); });
    connect(FUserItem, &QAction::triggered, this, [this] { ChooseUserOrbs(); });
    connect(FHideItem, &QAction::triggered, this, [this] { ToggleHideAspects(); });
    FAspects->setMenu(FOrbMenu);
}

void TPIntDlg::Retranslate() {
    // The orb popup, the wheel-page, group and progress dialogs are children: translated too.
    TranslateForm(FLanguage, this);
    KeepTitleVisible(this);
}

TGroupDlg &TPIntDlg::GroupDialog() {
    if (!FGroupDlg) {
        FGroupDlg = new TGroupDlg(FData, FLanguage, this);
        connect(FGroupDlg, &TGroupDlg::HelpRequested, this, &TPIntDlg::HelpRequested);
    }
    return *FGroupDlg;
}

void TPIntDlg::UpdateEnabled() {
    FSelect->setEnabled(FMultiple->isChecked());
    FLayout->setEnabled(FWheelPage->isChecked());
    FAspects->setEnabled(FBirth->isChecked());
    FOptions->setEnabled(FDynamic->isChecked());
}

void TPIntDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Activate();
}

void TPIntDlg::Activate() {
    SetOrbChecks();
    FInterp.SetLanguage(&FLanguage);
    FInterp.DebugMode = FSetup.Debug.ExcludeBody;
    FWheel->SetShowPosition(FSetup.Goodies.PrintPlanetPos);
    AttachToPrinter();
}

void TPIntDlg::SetOrbChecks() {
    const std::string &name = FSetup.System.OrbisName;
    FStrongItem->setChecked(name == StrongName);
    FMediumItem->setChecked(name == MediumName);
    FWeakItem->setChecked(name == WeakName);
    FUserItem->setChecked(name != StrongName && name != MediumName && name != WeakName);
    FHideItem->setChecked(FSetup.System.HideAspects);
}

void TPIntDlg::ChooseOrbs(const std::string &name) {
    FSetup.System.OrbisName = name;
    if (FData.Active())
        FSetup.ApplyUserOrbs(FData.OrbisDefTable, FMainChart);
    SetOrbChecks();
    if (OnOrbsChosen)
        OnOrbsChosen(name);
}

void TPIntDlg::ChooseUserOrbs() {
    const bool chosen =
        OnUserOrbs ? OnUserOrbs()
                   : kyr::ChooseUserOrbs(FSetup, FData, FLanguage, {&FMainChart}, this,
                                         [this](int context) { emit HelpRequested(context); });
    if (chosen && OnOrbsChosen)
        OnOrbsChosen(FSetup.System.OrbisName);
    // The checks follow the settings whatever the dialog did.
    SetOrbChecks();
}

void TPIntDlg::ToggleHideAspects() {
    FSetup.System.HideAspects = !FSetup.System.HideAspects;
    FHideItem->setChecked(FSetup.System.HideAspects);
    if (OnHideAspects)
        OnHideAspects(FSetup.System.HideAspects);
}

int TPIntDlg::JobOptionsFromControls() const {
    int options = FProfessional->isChecked() ? JobBook1
                  : FPersonal->isChecked()   ? JobBook2
                                             : JobBook1 | JobBook2;
    if (FContents->isChecked())
        options |= JobContents;
    if (FWheelPage->isChecked())
        options |= JobWheelPage;
    if (FSymbols->isChecked())
        options |= JobSymbolPage;
    return options;
}

TInterpType TPIntDlg::InterpTypeFromControls() const {
    const bool birth = FBirth->isChecked();
    const bool dynamic = FDynamic->isChecked();
    return birth && dynamic ? itBoth : birth ? itBirthAnalysis : dynamic ? itDynamic : itNone;
}

void TPIntDlg::PrepareChart() {
    const bool active = FHoroscope.Active();
    FHoroscope.SetActive(false);
    FSetup.ApplyTransitSettings(FHoroscope);
    if (FData.Active())
        FSetup.ApplyUserOrbs(FData.OrbisDefTable, FHoroscope);
    FHoroscope.SetActive(active);
    FWheel->SetShowAspects(!FSetup.System.HideAspects);
    // The settings hold the wheel-page dialog's B/W choice from its last OK or Save.
    FWheel->SetBW(FSetup.PrintOptions.BW);
    FMeter->SetFromYear(FSetup.FromYear);
    FMeter->SetToYear(FSetup.ToYear);
}

void TPIntDlg::Confirm() {
    FMeter->SetForeColor(ColorFromValue(FSetup.System.GraphColor, palette()));
    const bool current = FCurrentOnly->isChecked();
    if (current && !FMainChart.Active()) {
        Beep();
        return;
    }
    // Multiple with nobody chosen would print whatever chart the dialog held last.
    if (!current && (!FGroupDlg || FGroupDlg->SelectedCount() == 0)) {
        Beep();
        return;
    }
    int fromPage = 0;
    int toPage = DefaultToPage;
    if (!RunPrintDialog(fromPage, toPage))
        return;
    FPrinter.FromPage = fromPage;
    FPrinter.ToPage = toPage;

    PrepareChart();
    FInterp.SetInterptype(InterpTypeFromControls());
    FPrinter.JobOptions = JobOptionsFromControls();
    FPrinter.PersonList.clear();
    if (current) {
        CopyMainChart();
    } else {
        for (int i = 0; i < FGroupDlg->SelectedCount(); ++i)
            FPrinter.PersonList.push_back(
                (FGroupDlg->SelectedFirstName(i) + "#" + FGroupDlg->SelectedLastName(i))
                    .toStdString());
    }
    AttachToPrinter();
    if (const QString outcome = JobOutcomeText(FLanguage, RunJob()); !outcome.isEmpty())
        Information(this, outcome);
    accept();
}

void TPIntDlg::CopyMainChart() {
    const bool active = FHoroscope.Active();
    FHoroscope.SetActive(false);
    FHoroscope.AssignBirthData(FMainChart);
    // The calendar of the birth date belongs to the birth data as well.
    FHoroscope.SetGregorianStart(FMainChart.GregorianStart());
    FHoroscope.SetActive(active);
}

void TPIntDlg::PrintWheelOnly() {
    if (!FMainChart.Active()) {
        Beep();
        return;
    }
    FPrinter.FromPage = 0;
    FPrinter.ToPage = DefaultToPage;
    PrepareChart();
    FInterp.SetInterptype(itNone);
    FPrinter.JobOptions = JobWheelPage;
    FPrinter.PersonList.clear();
    CopyMainChart();
    AttachToPrinter();
    // The wheel page is printed from the wheel-page dialog: the notice bears its title.
    if (const QString outcome = JobOutcomeText(FLanguage, RunJob()); !outcome.isEmpty())
        Information(FWheelDlg, outcome);
}

bool TPIntDlg::RunPrintDialog(int &fromPage, int &toPage) {
    if (OnPrintDialog)
        return OnPrintDialog(fromPage, toPage);
    return ChoosePrintRange(FPrinter.Printer(), this, fromPage, toPage);
}

int TPIntDlg::RunJob() {
    return OnRunJob ? OnRunJob() : FProgress->RunInterpretation();
}

void TPIntDlg::PageLayout(QWidget *parent) {
    if (OnPageLayout)
        OnPageLayout();
    else
        ShowPageLayout(FSetup, FPrinter, FLanguage, parent,
                       [this](int context) { emit HelpRequested(context); });
}

void TPIntDlg::Information(QWidget *over, const QString &message) {
    if (OnInformation)
        OnInformation(over->windowTitle(), message);
    else
        QMessageBox::information(over, over->windowTitle(), message);
}

void TPIntDlg::Beep() {
    if (OnBeep)
        OnBeep();
    else
        QApplication::beep();
}

} // namespace kyr
