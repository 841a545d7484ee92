// TForm_KYR_Main: the program's frame. It owns the two horoscopes, the language, the data
// collection and the settings, runs the start-up and keeps the chart windows in its MDI area.
#pragma once

#include "ClockMoments.h"
#include "Horoscope.h"
#include "KyrSetup.h"
#include "Language.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMdiArea;
class QMdiSubWindow;
class QUrl;

namespace kyr {

class TAskDlg;
class TDynaDlg;
class THelpViewer;
class TMainToolBar;
class TContextHelp;
class TDataCollection;
class TInterpWin;
class TKeyWordDlg;
class TNameDlg;
class TQHelpWin;
class TSearchDlg;
class TWinNames;
class TKyrPrinter;
class TPBookDlg;
class TPIntDlg;
class TSelectionPanel;
class TWheel;
class TWheelWin;
class TWinAspects;
class TWinCPos;
class TWinSymbols;
class TWinppos;

/// The kinds of child window, in the order start-up opens them.
enum class TChildKind { Wheel, Interpretation, Positions, Cusps, Aspects, Symbols, NameList };

class TForm_KYR_Main : public QMainWindow {
    Q_OBJECT
public:
    /// Context help of the main window, for whatever in it has none of its own.
    static constexpr int HelpContext = 2001;
    /// environment says where the settings live (tests point it at a temporary directory).
    explicit TForm_KYR_Main(TSetupEnvironment environment = {}, QWidget *parent = nullptr);
    ~TForm_KYR_Main() override;

    /// Language, data, settings, charts and child windows; true when the program goes on.
    /// Throws when the language's texts cannot be used.
    bool StartUp();
    /// The long-lived dialogs; run once the first translation is done.
    void PostStartUp();

    /// Fills KYR_Horoscope_1 with the here place of the settings at the moment t, in the
    /// place's local time from its zone history (not the computer's time zone), or at the
    /// clock reading set with SetFixedNow; the caller deactivates the horoscope before and
    /// activates it afterwards. A here place the atlas does not hold leaves the horoscope as
    /// it was.
    void SetHereAndNow(const QDateTime &t);
    /// The here-and-now chart at this clock reading of the here place (Define "Now") instead
    /// of the clock's moment; none: the clock again.
    void SetFixedNow(const std::optional<TDateTimeNumbers> &clock);
    const std::optional<TDateTimeNumbers> &FixedNow() const { return FFixedNow; }
    /// What Define "Now" answered (its result and moment): OK fixes the moment as a reading of
    /// the here place's clock, "use the clock" goes back to the clock; either shows the
    /// here-and-now chart. Cancel changes nothing.
    void DefineNow(int result, const QDateTime &moment);
    /// The here place's clock reading now (the computer's local time without a here place).
    QDateTime HereClock();
    /// The moment now; tests replace it.
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTimeUtc(); };
    /// The summary line of KYR_Horoscope_1 (empty while it is inactive).
    void ShowChartSummary();
    /// Every child window's caption from the names of KYR_Horoscope_1 (and its partner).
    void UpdateCaptions();
    /// Sets every child window's caption to the given text.
    void SetChildCaptions(const QString &caption);
    /// Brings the child forward, or creates it; null for kinds not built yet.
    QWidget *OpenChild(TChildKind kind);
    /// The house system n for KYR_Horoscope_1; with stored false only the marks follow n (after
    /// a fall-back to Equal houses the user's choice stays in the settings).
    void ChooseHouseSystem(int n, bool stored = true);
    /// The orb set "Strong", "Medium" or "Weak" into both charts, with its menu mark.
    void ChooseOrbs(const std::string &name);
    /// Reads "KYR.STD" (standard) or "KYR.INI" and sets the menu marks from it.
    void LoadSettings(bool standard);

    // Commands of the menu and the toolbar (MainCommands.cpp).
    /// The chart of the here place at this moment; without a here place OnDefineHere asks
    /// for one first.
    void HereAndNowClick();
    /// The wheel window's picture, or the interpretation's text, to the clipboard.
    void CopyToClipboard();
    /// The places of the main and the child windows and every setting into "KYR.INI".
    void SaveAsYourStandard();
    /// "KYR.STD" (standard) or "KYR.INI" again, applied to the charts and the windows.
    void LoadYourStandard(bool standard);
    /// House system, orbs, transit span, aspect lines and window places from the settings.
    void ApplySettings();
    /// Language number (1..13) of the settings' list; every window is translated again.
    void ChooseLanguage(int number);
    /// The modal dynamic-analysis dialog; on OK its choices go into KYR_Horoscope_1.
    void DynamicAnalysisClick();
    /// Closes the wheel and the interpretation windows.
    void CloseName();
    /// Restores, raises and activates the window (a later start handed over to this copy);
    /// nothing while the start-up has not shown it yet.
    void BringToFront();
    TMainToolBar *ToolBar() const { return FToolBar; }
    TDynaDlg *DynaDlg() const;
    /// The print engine (none before the start-up is done).
    TKyrPrinter *Printer() const { return FPrinter.get(); }
    /// The interpretation print dialog (also the wheel page's), made at first use and kept.
    TPIntDlg &PrintDialog();
    /// The book-excerpt print dialog, made at first use and kept.
    TPBookDlg &BookDialog();
    /// Asks for the here place; true when one was set. Unset: a notice that there is none.
    std::function<bool()> OnDefineHere;

    // Components.
    THoroscope KYR_Horoscope_1;
    THoroscope KYR_Horoscope_2;
    TLanguage KYR_Language;
    TKyrSetup &Settings() { return FSettings; }
    TDataCollection *Data() const { return FData.get(); }
    THoroscope &Horoscope() { return KYR_Horoscope_1; }

    bool Loading() const { return FLoading; }
    void SetLoading(bool value) { FLoading = value; }
    bool Starting() const { return FStarting; }

    // Child windows and controls, for the commands and for tests.
    QMdiArea *MdiArea() const { return FMdiArea; }
    QMdiSubWindow *WheelWindow() const;
    /// The wheel window, and its first wheel.
    TWheelWin *WheelWin() const;
    TWheel *Wheel() const;
    /// The interpretation window; null while it is closed.
    TInterpWin *InterpWindow() const;
    /// The strip under the menu that tells about the last click in the wheel.
    TSelectionPanel *SelectionPanel() const { return FSelection; }
    TQHelpWin *QuickHelp() const { return FQuickHelp; }
    TKeyWordDlg *KeyWordDlg() const { return FKeyWordDlg; }
    TContextHelp *ContextHelp() const { return FContextHelp; }
    TWinppos *Positions() const;
    TWinCPos *Cusps() const;
    TWinAspects *Aspects() const;
    TWinSymbols *Symbols() const;
    QLabel *SummaryLabel() const { return FSummary; }
    TAskDlg *AskDlg() const { return FAskDlg; }
    /// Windows opened since creation.
    int OpenedCount() const { return FOpenedCount; }

    /// Menu items by object name ("smPlacidus", "miWheelDrawing", ...); null when absent.
    QAction *MenuItem(const char *name) const;

    /// Shows an information message; tests replace it, as a modal box would wait for a click.
    std::function<void(const QString &text)> OnInformation;

    /// The manual in its own window at an anchor (empty: the start); made at first use and kept.
    void ShowManual(const QString &anchor = QString());
    /// The manual's window; null until first shown.
    THelpViewer *HelpViewer() const;
    /// The project's home page from "KYR.STD", [Program] HomePage; empty: no web button.
    QString HomePage() const;
    /// Opens web addresses and the manual in the desktop's browser; unset: QDesktopServices.
    /// Tests replace it, to see a failure reported.
    std::function<bool(const QUrl &url)> OnOpenUrl;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Backs up the user's tables and opens the data; a table that cannot be opened is
    /// explained and, where a backup exists, restored on request.
    void OpenTables(const std::string &country);
    void CreateMenus();
    void TagMenuItems();
    /// The visible child windows overlapping from the top left, each of a usable size.
    void CascadeChildren();
    void OpenStartUpChildren();
    QWidget *CreateChild(TChildKind kind);
    QMdiSubWindow *OpenWheelWindow();
    QWidget *OpenInterpWindow();
    void StoreWheelPlace();
    void RestoreMainPlace();
    void StoreMainPlace();
    void Horoscope1Changed();
    void Horoscope2Changed();
    void LanguageChanged();
    void UpdateMenuItems();
    void SetHouseSystemMarks(int n);
    void SetOrbMarks();
    void CreateCommands();
    void CreateToolBar();
    void TagCommandItems();
    void UpdateCommandItems();
    void UpdateLanguageItems();
    void TranslateAnimationMenu();
    void HelpButtonClick();
    void ShowLanguageTestNotice();
    QString ManualFile() const;
    /// The open child windows' places into the settings; with all, the places of the kinds
    /// not open become invalid, so that they stay closed at the next start.
    void StoreChildPlaces(bool all);
    /// The open child windows to their places; windows with a valid place are opened.
    void RestoreChildPlaces();
    QString Text(int number, const char *english) const;
    bool LanguageIsUK() const;
    /// The person, atlas, here, now, orb and import commands, enabled once their dialogs exist.
    void ConnectDialogCommands();
    enum class TNameCommand { New, Open, Edit };
    /// The name dialog for New, Open or Edit; on OK the person goes into KYR_Horoscope_1.
    void ChooseName(TNameCommand command);
    void ImportNamesClick();
    /// The print menu items, on the print engine made here.
    void ConnectPrintCommands();
    /// The print dialogs in the language just chosen.
    void RetranslatePrintDialogs();
    /// The one search dialog, made at first use and tied to the name dialog while that exists.
    TSearchDlg &SearchDialog();
    /// Asks for the here place through the search dialog's lists.
    bool DefineHerePlace();
    /// The quick help of a help number, when the quick-help window exists.
    void ShowQuickHelp(int helpNo);

    TKyrSetup FSettings;
    std::unique_ptr<TDataCollection> FData;
    QMdiArea *FMdiArea;
    QLabel *FSummary;
    TAskDlg *FAskDlg = nullptr;
    bool FLoading = true;
    std::optional<TDateTimeNumbers> FFixedNow; ///< Define "Now"; none: the clock
    bool FStarting = false;
    int FOpenedCount = 0;

    QPointer<QMdiSubWindow> FWheelWindow;
    QPointer<QObject> FWheelWindowObject; ///< the same frame, for the event filter
    QPointer<TWheelWin> FWheelWin;
    QPointer<TWheel> FWheel;
    QPointer<TInterpWin> FInterp;
    QPointer<THelpViewer> FHelpViewer;
    TSelectionPanel *FSelection = nullptr;
    TQHelpWin *FQuickHelp = nullptr;
    TKeyWordDlg *FKeyWordDlg = nullptr;
    TContextHelp *FContextHelp = nullptr;
    QPointer<TWinppos> FPositions;
    QPointer<TWinCPos> FCusps;
    QPointer<TWinAspects> FAspects;
    QPointer<TWinSymbols> FSymbols;
    QPointer<TWinNames> FNames;

    std::array<QAction *, 3> FHouseItems{};
    QAction *FStrongItem = nullptr;
    QAction *FMediumItem = nullptr;
    QAction *FWeakItem = nullptr;
    QAction *FUserOrbsItem = nullptr;
    QAction *FHideItem = nullptr;
    QAction *FSaveOnExitItem = nullptr;
    QAction *FHereStartItem = nullptr;
    QList<QAction *> FChildItems; // enabled only while a child window exists
    TMainToolBar *FToolBar = nullptr;
    QPointer<TDynaDlg> FDynaDlg;
    QAction *FCopyItem = nullptr;
    QAction *FCloseNameItem = nullptr;
    QAction *FHereAndNowItem = nullptr;
    QMenu *FLanguageMenu = nullptr;
    std::array<QAction *, MaxLanguages> FLanguageItems{};
    int FChosenLanguage = 0; ///< the language picked in this session, 0 for none
    std::unique_ptr<TKyrPrinter> FPrinter; ///< the program's one print engine
    std::unique_ptr<TPIntDlg> FPrintDlg;   ///< destroyed before the engine it wires
    std::unique_ptr<TPBookDlg> FBookDlg;
    std::unique_ptr<TNameDlg> FNameDlg; ///< created once and kept, as the user left it
    std::unique_ptr<TSearchDlg> FSearchDlg;
    bool FNameLoaded = false;           ///< a person was chosen since start-up
    QString FImportDirectory;
    QString FImportFile;
};

/// The language country of the settings' language code ("UK" when none is listed).
std::string StartUpCountry(TKyrSetup &settings);

} // namespace kyr
