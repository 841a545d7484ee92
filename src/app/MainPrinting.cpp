// The main window's print commands: the interpretation, the wheel page alone, book excerpts and
// the printer set-up, all on the one print engine of the program.
#include "MainWindow.h"

#include "DataCollection.h"
#include "DynaDlg.h"
#include "InterpWindow.h"
#include "KyrPrinter.h"
#include "PBookDlg.h"
#include "PIntDlg.h"
#include "PWhlDlg.h"
#include "PrintProgress.h"
#include "QuickHelpWin.h"
#include "Wheel.h"

#include <QAction>

namespace kyr {

void TForm_KYR_Main::ConnectPrintCommands() {
    if (!FPrinter) {
        FPrinter = std::make_unique<TKyrPrinter>();
        FPrinter->UseSystemPrinter();
        FPrinter->Language = &KYR_Language;
        FPrinter->Data = FData.get();
    }
    auto enable = [this](const char *name, auto command) {
        if (QAction *action = MenuItem(name)) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, command);
        }
    };
    enable("miPrintInterpretation", [this] { PrintDialog().exec(); });
    enable("miPrintWheel", [this] { PrintDialog().WheelDialog()->Execute(TPWhlDlg::PrintMode); });
    enable("miPrintBook", [this] { BookDialog().exec(); });
    enable("miPrintSetup", [this] { ShowPrinterOptions(FPrinter->Printer(), this); });
}

TPIntDlg &TForm_KYR_Main::PrintDialog() {
    if (FPrintDlg)
        return *FPrintDlg;
    FPrintDlg = std::make_unique<TPIntDlg>(*FPrinter, FSettings, *FData, KYR_Language,
                                           KYR_Horoscope_1, this);
    TPIntDlg &dialog = *FPrintDlg;
    connect(&dialog, &TPIntDlg::HelpRequested, this, [this](int n) { ShowQuickHelp(n); });
    dialog.OnOrbsChosen = [this](const std::string &) {
        SetOrbMarks();
        if (FWheel)
            FWheel->update();
    };
    dialog.OnHideAspects = [this](bool hidden) {
        FHideItem->setChecked(hidden);
        if (FWheel)
            FWheel->SetShowAspects(!hidden);
    };
    dialog.OnDynamicOptions = [this] { DynamicAnalysisClick(); };
    return dialog;
}

TPBookDlg &TForm_KYR_Main::BookDialog() {
    if (FBookDlg)
        return *FBookDlg;
    FBookDlg = std::make_unique<TPBookDlg>(*FPrinter, FSettings, *FData, KYR_Language, this);
    connect(FBookDlg.get(), &TPBookDlg::HelpRequested, this, [this](int n) { ShowQuickHelp(n); });
    FBookDlg->OnShowPassage = [this](const QString &caption, const std::string &key) {
        if (!FQuickHelp)
            return;
        FQuickHelp->setWindowTitle(caption);
        FQuickHelp->ShowBookPassage(key);
        FQuickHelp->show();
        FQuickHelp->raise();
    };
    return *FBookDlg;
}

void TForm_KYR_Main::RetranslatePrintDialogs() {
    if (FPrintDlg)
        FPrintDlg->Retranslate();
    if (FBookDlg)
        FBookDlg->LanguageChanged();
}

} // namespace kyr
