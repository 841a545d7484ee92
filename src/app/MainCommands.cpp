// The main window's toolbar and the menu commands that hand their work to other windows and
// dialogs: here and now, copy to the clipboard, the user's and the shipped standard settings,
// the language menu and the dynamic analysis.
#include "MainWindow.h"

#include "ContextHelp.h"
#include "DataCollection.h"
#include "DynaDlg.h"
#include "HelpViewer.h"
#include "InterpWindow.h"
#include "MainToolBar.h"
#include "ProfileFile.h"
#include "QuickHelpWin.h"
#include "SystemBrowser.h"
#include "TableWindow.h"
#include "Translation.h"
#include "Wheel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

namespace kyr {

namespace {

constexpr int CurrentSessionText = 689;
constexpr int NoHerePlaceText = 673;
/// Help context the quick help shows when the toolbar's help mode is switched off.
constexpr int HelpModeOffContext = 999;
/// Item 0 of the animation menu and the first body of items 1..10.
constexpr int SolarSystemText = 820;

QString ToQ(const std::string &text) {
    return QString::fromStdString(text);
}

// F12 in language test mode shows the text numbers of the window in front.
class TTextIdsKey : public QObject {
public:
    TTextIdsKey(TLanguage &language, QWidget *main) : QObject(main), FLanguage(language) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress || !FLanguage.TestMode || !watched->isWidgetType())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F12 || key->isAutoRepeat())
            return false;
        QWidget *form = QApplication::activeModalWidget();
        if (!form)
            form = QApplication::activeWindow();
        if (!form)
            form = static_cast<QWidget *>(parent());
        ShowTextIds(FLanguage, form);
        return true;
    }

private:
    TLanguage &FLanguage;
};

// Captions of the items added here; the English stays while the language lacks a text.
struct TCommandText {
    const char *Name;
    int Number;
};
constexpr TCommandText CommandTexts[] = {
    {"mnEdit", TextNo(1084)},
    {"miFileNew", TextNo(1085)},
    {"miOpenName", TextNo(1086)},
    {"miCloseName", TextNo(1087)},
    {"miPrintWheel", TextNo(1088)},
    {"miPrintInterpretation", TextNo(1089)},
    {"miPrintBook", TextNo(1090)},
    {"miPrintSetup", TextNo(1091)},
    {"miImportNames", TextNo(1092)},
    {"miEditName", TextNo(1093)},
    {"miCopyToClipboard", TextNo(1094)},
    {"smDefineHere", TextNo(1095)},
    {"smDefineNow", TextNo(1096)},
    {"mnLanguage", TextNo(1097)},
    {"miAtlas", TextNo(1098)},
    {"miDynamicAnalysis", TextNo(1099)},
    {"miLoadYourStandard", TextNo(1100)},
    {"miLoadKyrStandard", TextNo(1101)},
    {"miSaveAsYourStandard", TextNo(1102)},
    {"miUsingHelp", TextNo(1103)},
    {"miUsingtheKeyboard", TextNo(1104)},
    {"miSearchForHelpOn", TextNo(1105)},
    {"miOnlineHelp", TextNo(1106)},
    {"miManual", TextNo(1107)},
    {"miHereAndNow", TextNo(1108)},
};

// Design captions of the language items: C1 .. C9, CA .. CE.
QString LanguageSlotCaption(int i) {
    return QStringLiteral("C") + QString::number(i, 16).toUpper();
}

} // namespace

void TForm_KYR_Main::CreateCommands() {
    auto command = [this](const char *name, const char *caption, auto handler) {
        auto *action = new QAction(QString::fromUtf8(caption), this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    // Commands whose dialogs come with later parts of the program stay visible, greyed.
    auto later = [this](const char *name, const char *caption) {
        auto *action = new QAction(QString::fromUtf8(caption), this);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(false);
        return action;
    };
    auto before = [this](const char *name) { return MenuItem(name); };

    // File.
    QMenu *file = MenuItem("mnFile") ? MenuItem("mnFile")->menu() : nullptr;
    if (file) {
        QAction *exit = before("miExit");
        QAction *newName = later("miFileNew", "&New Name...");
        QAction *openName = later("miOpenName", "&Open Name...");
        openName->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
        FCloseNameItem = command("miCloseName", "&Close Name", [this] { CloseName(); });
        FHereAndNowItem =
            command("miHereAndNow", "Chart for &Here and Now", [this] { HereAndNowClick(); });
        QAction *printWheel = later("miPrintWheel", "Print &Wheel Drawing + Info...");
        printWheel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
        QAction *printInterpretation = later("miPrintInterpretation", "Print &Interpretation...");
        printInterpretation->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
        file->insertActions(exit, {newName, openName, FCloseNameItem, FHereAndNowItem});
        file->insertSeparator(exit);
        file->insertActions(exit, {printWheel, printInterpretation,
                                   later("miPrintBook", "Print &Book Excerpts..."),
                                   later("miPrintSetup", "Print &Setup")});
        file->insertSeparator(exit);
        file->insertAction(exit, later("miImportNames", "I&mport Names"));
        file->insertSeparator(exit);
    }

    // Edit, between File and Options.
    auto *edit = new QMenu(QStringLiteral("&Edit"), menuBar());
    edit->menuAction()->setObjectName(QStringLiteral("mnEdit"));
    QAction *editName = later("miEditName", "E&dit Name");
    editName->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    edit->addAction(editName);
    FCopyItem = command("miCopyToClipboard", "&Copy To Clipboard", [this] { CopyToClipboard(); });
    FCopyItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    edit->addAction(FCopyItem);
    menuBar()->insertMenu(before("mnOptions"), edit);

    // Options.
    QMenu *options = MenuItem("mnOptions") ? MenuItem("mnOptions")->menu() : nullptr;
    if (options) {
        QAction *hereStart = before("smHoroscopeforHere");
        options->insertActions(hereStart, {later("smDefineHere", "Define \"&Here\"..."),
                                           later("smDefineNow", "Define \"&Now\"...")});
        QAction *saveOnExit = before("miSaveOnExit");
        FLanguageMenu = new QMenu(QStringLiteral("&Language"), options);
        FLanguageMenu->menuAction()->setObjectName(QStringLiteral("mnLanguage"));
        for (int i = 1; i <= MaxLanguages; ++i) {
            QAction *item = FLanguageMenu->addAction(LanguageSlotCaption(i));
            item->setObjectName(QStringLiteral("smLngv%1").arg(i));
            item->setCheckable(true);
            // The captions are the names of the settings' language list, never translated.
            SetTag(item, 2000);
            connect(item, &QAction::triggered, this, [this, i] { ChooseLanguage(i); });
            FLanguageItems[i - 1] = item;
        }
        options->insertSeparator(saveOnExit);
        options->insertMenu(saveOnExit, FLanguageMenu);
        options->insertAction(saveOnExit, later("miAtlas", "&Atlas..."));
        options->insertAction(saveOnExit, command("miDynamicAnalysis", "&Dynamic Analysis...",
                                                  [this] { DynamicAnalysisClick(); }));
        options->insertSeparator(saveOnExit);
        options->insertActions(
            saveOnExit,
            {command("miLoadYourStandard", "Load &Your Standard",
                     [this] { LoadYourStandard(false); }),
             command("miLoadKyrStandard", "Load &KYR Standard", [this] { LoadYourStandard(true); }),
             command("miSaveAsYourStandard", "&Save As Your Standard",
                     [this] { SaveAsYourStandard(); })});
    }

    // Help: the help file is not delivered; the manual is, and opens in its own window.
    QMenu *help = MenuItem("mnHelp") ? MenuItem("mnHelp")->menu() : nullptr;
    if (help) {
        QAction *about = before("miAbout");
        help->insertActions(about, {later("miUsingHelp", "&Using Help"),
                                    later("miUsingtheKeyboard", "Using the &Keyboard"),
                                    later("miSearchForHelpOn", "&Search for Help On...")});
        help->insertSeparator(about);
        help->addSeparator();
        QAction *online = command("miOnlineHelp", "O&nline Help", [this] {
            ShowManual(QLatin1String(THelpViewer::ContentsAnchor));
        });
        QAction *manual = command("miManual", "&Manual", [this] { ShowManual(); });
        // Without the manual both would open an empty window.
        online->setEnabled(QFile::exists(ManualFile()));
        manual->setEnabled(QFile::exists(ManualFile()));
        help->addAction(online);
        help->addAction(manual);
    }

    CreateToolBar();
    // F12 in language test mode.
    new TTextIdsKey(KYR_Language, this);
}

void TForm_KYR_Main::CreateToolBar() {
    FToolBar =
        new TMainToolBar(QString::fromStdString(FSettings.ProgramDirectory() + "Buttons/"), this);
    // The buttons sit in front of the info panel.
    if (auto *info = findChild<QToolBar *>(QStringLiteral("InfoBar")))
        insertToolBar(info, FToolBar);
    else
        addToolBar(FToolBar);
    // The info panel beside it may grow, but never hides a button.
    FToolBar->setMinimumWidth(FToolBar->sizeHint().width());
    connect(FToolBar->OpenBtn, &QToolButton::clicked, this, [this] {
        if (QAction *item = MenuItem("miEditName"); item && item->isEnabled())
            item->trigger();
    });
    FToolBar->OpenBtn->setEnabled(MenuItem("miEditName") && MenuItem("miEditName")->isEnabled());
    connect(FToolBar->SpeedButton3, &QToolButton::clicked, this, [this] { HereAndNowClick(); });
    connect(FToolBar->DynaBtn, &QToolButton::clicked, this, [this] { DynamicAnalysisClick(); });
    connect(FToolBar->HlpBtn, &QToolButton::clicked, this, [this] { HelpButtonClick(); });
    // The web button is there only when the shipped settings name a home page.
    connect(FToolBar->SpeedButton_Web, &QToolButton::clicked, this, [this] {
        const QUrl url(HomePage());
        if (!OpenInSystemBrowser(url, OnOpenUrl))
            OnInformation(BrowserFailedMessage(KYR_Language, url));
    });
    const QString home = HomePage();
    for (QAction *item : FToolBar->actions())
        if (FToolBar->widgetForAction(item) == FToolBar->SpeedButton_Web)
            item->setVisible(!home.isEmpty());
    // No animation clips to play yet; the animation menu lists what the clips will show.
    auto *animations = new QMenu(FToolBar->AnimationBtn);
    animations->setObjectName(QStringLiteral("AnimationMenu"));
    for (int k = 0; k <= 10; ++k) {
        QAction *clip = animations->addAction(QString());
        clip->setObjectName(QStringLiteral("Animation%1").arg(k));
        clip->setEnabled(false);
    }
    FToolBar->AnimationBtn->setMenu(animations);
    FToolBar->AnimationBtn->setEnabled(false);
    TranslateAnimationMenu();
}

void TForm_KYR_Main::TranslateAnimationMenu() {
    const QList<QAction *> clips = FToolBar->AnimationBtn->menu()->actions();
    // Item 0 is the whole solar system, items 1..10 the bodies from the Sun to Pluto.
    static const char *const english[] = {
        "The &Solar System", "The S&un", "The &Moon", "&Mercury", "&Venus", "M&ars",
        "&Jupiter",          "Sa&turn",  "U&ranus",   "&Neptune", "&Pluto"};
    for (int k = 0; k < clips.size() && k <= 10; ++k) {
        const int number = k == 0 ? SolarSystemText : 58 + k;
        clips[k]->setText(Text(number, english[k]));
    }
}

void TForm_KYR_Main::TagCommandItems() {
    for (const TCommandText &t : CommandTexts)
        if (QAction *action = MenuItem(t.Name))
            SetTag(action,
                   KYR_Language.GetText(t.Number).empty() ? FirstUntranslatedTag : t.Number);
}

void TForm_KYR_Main::UpdateCommandItems() {
    if (!FCopyItem)
        return;
    QMdiSubWindow *current = FMdiArea ? FMdiArea->currentSubWindow() : nullptr;
    const bool wheel = current && current == WheelWindow();
    const bool interpretation = current && InterpWindow() && current->widget() == InterpWindow();
    const auto *table = current ? qobject_cast<const TTableWindow *>(current->widget()) : nullptr;
    FCopyItem->setEnabled(wheel || interpretation || (table && !table->ClipboardText().isEmpty()));
    FCloseNameItem->setEnabled(FMdiArea && !FMdiArea->subWindowList().isEmpty());
}

THelpViewer *TForm_KYR_Main::HelpViewer() const {
    return FHelpViewer;
}

void TForm_KYR_Main::ShowManual(const QString &anchor) {
    if (!FHelpViewer) {
        FHelpViewer = new THelpViewer(KYR_Language, ManualFile(), this);
        FHelpViewer->OnOpenUrl = [this](const QUrl &url) {
            return OpenInSystemBrowser(url, OnOpenUrl);
        };
    }
    FHelpViewer->ShowManual(anchor);
}

QString TForm_KYR_Main::HomePage() const {
    const TProfileFile standard(FSettings.StandardFileName());
    return QString::fromStdString(standard.ReadString("Program", "HomePage", std::string()));
}

QString TForm_KYR_Main::ManualFile() const {
    return QString::fromStdString(FSettings.ProgramDirectory()) +
           QStringLiteral("Manual/Manual.htm");
}

void TForm_KYR_Main::HereAndNowClick() {
    // The chart needs a place: without one the user is asked for it first.
    if (FSettings.Place().empty() && (!OnDefineHere || !OnDefineHere())) {
        if (!OnDefineHere)
            OnInformation(Text(NoHerePlaceText, "The place for the here-and-now chart has not "
                                                "been chosen yet."));
        return;
    }
    SetChildCaptions(LanguageIsUK() ? QStringLiteral("Current Session")
                                    : ToQ(KYR_Language.GetText(CurrentSessionText)));
    KYR_Horoscope_1.SetActive(false);
    SetHereAndNow(Clock());
    KYR_Horoscope_1.SetActive(true);
}

void TForm_KYR_Main::CloseName() {
    if (QMdiSubWindow *wheel = WheelWindow())
        wheel->close();
    if (InterpWindow())
        if (auto *sub = qobject_cast<QMdiSubWindow *>(InterpWindow()->parentWidget()))
            sub->close();
}

void TForm_KYR_Main::CopyToClipboard() {
    QMdiSubWindow *current = FMdiArea->currentSubWindow();
    if (current && current == WheelWindow() && current->widget()) {
        // The wheel window as the user sees it: both wheels and the background.
        QApplication::clipboard()->setImage(current->widget()->grab().toImage());
        return;
    }
    if (auto *table = current ? qobject_cast<TTableWindow *>(current->widget()) : nullptr) {
        table->CopyToClipboard();
        return;
    }
    // The interpretation as text, each line ended by CR LF.
    if (TInterpWin *interpretation = InterpWindow())
        interpretation->CopyToClipboard();
}

void TForm_KYR_Main::DynamicAnalysisClick() {
    if (!FDynaDlg) {
        FDynaDlg = new TDynaDlg(FSettings, KYR_Language, this);
        connect(FDynaDlg, &TDynaDlg::HelpRequested, this, [this](int context) {
            ShowQuickHelp(context);
        });
    }
    FDynaDlg->Retranslate();
    if (FDynaDlg->Execute(&KYR_Horoscope_1) && FInterp)
        FInterp->RefreshPeriod();
}

TDynaDlg *TForm_KYR_Main::DynaDlg() const {
    return FDynaDlg;
}

void TForm_KYR_Main::HelpButtonClick() {
    if (!FContextHelp)
        return;
    const bool on = !FContextHelp->HelpMode();
    FContextHelp->SetHelpMode(on);
    if (!on && FQuickHelp)
        FQuickHelp->ShowHelp(HelpModeOffContext);
}

void TForm_KYR_Main::SaveAsYourStandard() {
    StoreMainPlace();
    StoreChildPlaces(true);
    FSettings.WriteSettings(UserSettingsName, true);
    // The first-start arrangement has served its purpose once the user saved their own. It is
    // delivered beside the program; a file of that name in the working folder is someone else's.
    QFile::remove(QString::fromStdString(FSettings.ProgramDirectory()) +
                  QStringLiteral("KyrFirst.ini"));
}

void TForm_KYR_Main::LoadYourStandard(bool standard) {
    LoadSettings(standard);
    ApplySettings();
    // A language the user chose in this session stays, whatever the file selects; the tables
    // always follow the language in use.
    const int wanted = FChosenLanguage > 0 ? FChosenLanguage : FSettings.Selected();
    if (wanted != FSettings.Selected() ||
        (FData && FData->LanguageCode() != KYR_Language.Country()))
        ChooseLanguage(wanted);
}

void TForm_KYR_Main::ApplySettings() {
    THoroscope &h = KYR_Horoscope_1;
    const bool active = h.Active();
    h.SetActive(false);
    ChooseHouseSystem(FSettings.HouseSystem(), true);
    FSettings.ApplyTransitSettings(h);
    if (FData && FData->Active()) {
        FSettings.ApplyUserOrbs(FData->OrbisDefTable, h);
        FSettings.ApplyUserOrbs(FData->OrbisDefTable, KYR_Horoscope_2);
    }
    h.SetActive(active);
    if (TWheel *wheel = Wheel())
        wheel->SetShowAspects(!FSettings.System.HideAspects);
    RestoreChildPlaces();
}

void TForm_KYR_Main::ChooseLanguage(int number) {
    for (QAction *item : FLanguageItems)
        if (item)
            item->setChecked(false);
    const int previous = FSettings.Selected();
    const std::string previousCode = KYR_Language.Country();
    FSettings.SelectLanguage(number);
    KYR_Language.SetActive(false);
    const std::string code = FSettings.LanguageCode(number);
    KYR_Language.SetCountry(code);
    if (FData)
        FData->SetLanguage(code);
    KYR_Language.SetActive(true);
    if (!KYR_Language.Active()) {
        // No texts for that language: the one in use stays.
        QApplication::beep();
        FSettings.SelectLanguage(previous);
        KYR_Language.SetCountry(previousCode);
        if (FData)
            FData->SetLanguage(previousCode);
        KYR_Language.SetActive(true);
        number = previous;
    } else {
        FChosenLanguage = number;
    }
    ShowChartSummary();
    if (number >= 1 && number <= MaxLanguages && FLanguageItems[number - 1])
        FLanguageItems[number - 1]->setChecked(true);
    TranslateAnimationMenu();
    if (FDynaDlg)
        FDynaDlg->Retranslate();
    RetranslatePrintDialogs();
}

void TForm_KYR_Main::UpdateLanguageItems() {
    if (!FLanguageMenu)
        return;
    const std::string data = FSettings.ProgramDirectory() + "Data/BOOK";
    int listed = 0;
    for (int i = 1; i <= MaxLanguages; ++i) {
        QAction *item = FLanguageItems[i - 1];
        const std::string name = FSettings.LanguageName(i);
        item->setText(name.empty() ? LanguageSlotCaption(i) : ToQ(name));
        item->setVisible(!name.empty());
        // A language can be used only with its book of interpretations.
        item->setEnabled(QFile::exists(ToQ(data + FSettings.LanguageCode(i) + ".DAT")));
        item->setChecked(false);
        if (!name.empty())
            ++listed;
    }
    const int selected = FSettings.LanguageIndex(KYR_Language.Country());
    if (selected >= 1 && selected <= MaxLanguages)
        FLanguageItems[selected - 1]->setChecked(true);
    FLanguageMenu->menuAction()->setVisible(listed != 1);
}

void TForm_KYR_Main::ShowLanguageTestNotice() {
    KYR_Language.TestMode = FSettings.Debug.TagLanguage;
    if (KYR_Language.TestMode)
        OnInformation(QStringLiteral("Language test mode is ON"));
}

} // namespace kyr
