// The main window's commands that open the person, import, atlas, here, now, orb and help
// dialogs, and the flow that loads a chosen person into the main chart.
#include "MainWindow.h"

#include "AskDlg.h"
#include "AtlasDlg.h"
#include "DataCollection.h"
#include "HereNow.h"
#include "ImpDlg.h"
#include "KeyWordDlg.h"
#include "MainToolBar.h"
#include "NameDlg.h"
#include "OrbisDlg.h"
#include "ProgramDirectory.h"
#include "QuickHelpWin.h"
#include "SavePlaceDlg.h"
#include "SearchDlg.h"

#include <QAction>
#include <QDir>
#include <QMessageBox>
#include <QToolButton>

namespace kyr {

namespace {

constexpr int UsingHelpContext = 184;
constexpr int KeyboardContext = 185;

} // namespace

void TForm_KYR_Main::ShowQuickHelp(int helpNo) {
    if (FQuickHelp && QuickHelpAvailable())
        FQuickHelp->ShowHelp(helpNo);
}

void TForm_KYR_Main::ConnectDialogCommands() {
    auto enable = [this](const char *name, auto command) {
        if (QAction *action = MenuItem(name)) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, command);
        }
    };
    enable("miFileNew", [this] { ChooseName(TNameCommand::New); });
    enable("miOpenName", [this] { ChooseName(TNameCommand::Open); });
    enable("miEditName", [this] { ChooseName(TNameCommand::Edit); });
    enable("miImportNames", [this] { ImportNamesClick(); });
    enable("miAtlas", [this] {
        // The atlas may change a place the kept name dialog shows.
        FNameDlg.reset();
        TAtlasDlg dialog(*FData, KYR_Language, SearchDialog().AtlasPicks(), {}, this);
        connect(&dialog, &TAtlasDlg::HelpRequested, this, [this](int n) { ShowQuickHelp(n); });
        dialog.Execute();
    });
    enable("smDefineHere", [this] { DefineHerePlace(); });
    enable("smDefineNow", [this] {
        TSetNowDlg dialog(KYR_Language, this);
        connect(&dialog, &TSetNowDlg::HelpRequested, this, [this](int n) { ShowQuickHelp(n); });
        dialog.Clock = [this] { return HereClock(); };
        dialog.Tick();
        DefineNow(dialog.exec(), dialog.Moment());
    });
    enable("smUserDefinedOrbs", [this] {
        if (ChooseUserOrbs(FSettings, *FData, KYR_Language, {&KYR_Horoscope_1, &KYR_Horoscope_2},
                           this, [this](int n) { ShowQuickHelp(n); }))
            SetOrbMarks();
    });
    enable("miUsingHelp", [this] { ShowQuickHelp(UsingHelpContext); });
    enable("miUsingtheKeyboard", [this] { ShowQuickHelp(KeyboardContext); });
    enable("miSearchForHelpOn", [this] {
        if (FKeyWordDlg)
            FKeyWordDlg->exec();
    });
    if (FToolBar)
        FToolBar->OpenBtn->setEnabled(true);
    // The here-and-now command asks for the place when none is defined yet.
    if (!OnDefineHere)
        OnDefineHere = [this] { return DefineHerePlace(); };
}

bool TForm_KYR_Main::DefineHerePlace() {
    return DefineHere(FSettings, KYR_Language, SearchDialog().AtlasPicks(),
                      CompletePrompts({}, this));
}

TSearchDlg &TForm_KYR_Main::SearchDialog() {
    if (FSearchDlg)
        return *FSearchDlg;
    FSearchDlg = std::make_unique<TSearchDlg>(*FData, KYR_Language, this);
    connect(FSearchDlg.get(), &TSearchDlg::HelpRequested, this, [this](int n) { ShowQuickHelp(n); });
    // The name dialog's hooks look it up each time: the atlas command may have dropped it.
    FSearchDlg->NameDialogNames = [this] {
        return FNameDlg ? TPersonName{FNameDlg->FirstName(), FNameDlg->LastName()} : TPersonName{};
    };
    FSearchDlg->ReloadName = [this](const std::string &first, const std::string &last) {
        if (FNameDlg)
            FNameDlg->LoadName(first, last);
    };
    FSearchDlg->PreviewName = [this](const std::string &first, const std::string &last) {
        if (FNameDlg)
            FNameDlg->PreviewName(first, last);
    };
    FSearchDlg->GroupsChanged = [this] {
        if (FNameDlg)
            FNameDlg->LoadGroups();
    };
    return *FSearchDlg;
}

void TForm_KYR_Main::ChooseName(TNameCommand command) {
    if (!InterpWindow() && !WheelWindow()) {
        OpenChild(TChildKind::Interpretation);
        OpenChild(TChildKind::Wheel);
    }
    if (!FNameDlg) {
        FNameDlg = std::make_unique<TNameDlg>(*FData, FSettings, KYR_Language, this);
        FNameDlg->SetSearch(&SearchDialog());
        FNameDlg->Ask = [this](const QString &question, bool withCancel) {
            return FAskDlg ? FAskDlg->Ask(QString(), question, withCancel) : int(QMessageBox::No);
        };
        connect(FNameDlg.get(), &TNameDlg::HelpRequested, this,
                [this](int n) { ShowQuickHelp(n); });
        FNameDlg->OnSavePlace = [this](const std::string &state, const std::string &place) {
            TSavePlaceDlg dialog(*FData, KYR_Language, SearchDialog().AtlasPicks(), {},
                                 FNameDlg.get());
            dialog.Execute(state, place, FNameDlg->DialogLatitude(), FNameDlg->DialogLongitude());
        };
    }
    THoroscope &h = KYR_Horoscope_1;
    const bool clearFirst = command == TNameCommand::New || !FNameLoaded;
    // Edit works on the person of the chart, which a drop from the name list may have changed
    // since the dialog last closed; the dialog keeps what was typed for that same person.
    if (!clearFirst && command == TNameCommand::Edit &&
        (FNameDlg->FirstName() != h.FirstName || FNameDlg->LastName() != h.LastName))
        FNameDlg->LoadName(h.FirstName, h.LastName);
    if (FNameDlg->ShowNameDialog(clearFirst, command == TNameCommand::Open) != 1)
        return;
    h.SetActive(false);
    FNameLoaded = true;
    FNameDlg->ApplyToHoroscope(h);
    // After a fall-back to Equal houses the user's own system comes back with the new chart.
    if (h.HouseSystem() != FSettings.SavedHouseSystem())
        h.SetHouseSystem(FSettings.SavedHouseSystem());
    h.SetActive(true);
}

void TForm_KYR_Main::ImportNamesClick() {
    TImpDlg dialog(KYR_Language, *FData, this);
    dialog.SetDirectory(FImportDirectory.isEmpty()
                            ? QString::fromStdString(ProgramDirectory()) + QStringLiteral("/Samples")
                            : FImportDirectory);
    dialog.SetFileName(FImportFile);
    dialog.PickGroup = [this](QString &group) {
        std::string chosen = group.toStdString();
        if (!static_cast<TNameSearch &>(SearchDialog()).PickGroup(chosen))
            return false;
        group = QString::fromStdString(chosen);
        return true;
    };
    connect(&dialog, &TImpDlg::HelpRequested, this, [this](int n) { ShowQuickHelp(n); });
    dialog.exec();
    FImportFile = dialog.FileName();
    FImportDirectory = dialog.Directory();
    QDir::setCurrent(QString::fromStdString(ProgramDirectory()));
}

} // namespace kyr
