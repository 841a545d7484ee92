// TForm_KYR_Main: the program's frame. It owns the two horoscopes, the language, the data
// collection and the settings, runs the start-up and keeps the chart windows in its MDI area.
#pragma once

#include "Horoscope.h"
#include "KyrSetup.h"
#include "Language.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace kyr {

class TAskDlg;
class TDataCollection;
class TWheel;
class TWinAspects;
class TWinCPos;
class TWinSymbols;
class TWinppos;

/// The kinds of child window, in the order start-up opens them.
enum class TChildKind { Wheel, Interpretation, Positions, Cusps, Aspects, Symbols, NameList };

class TForm_KYR_Main : public QMainWindow {
    Q_OBJECT
public:
    /// environment says where the settings live (tests point it at a temporary directory).
    explicit TForm_KYR_Main(TSetupEnvironment environment = {}, QWidget *parent = nullptr);
    ~TForm_KYR_Main() override;

    /// Language, data, settings, charts and child windows; true when the program goes on.
    /// Throws when the language's texts cannot be used.
    bool StartUp();
    /// The long-lived dialogs; run once the first translation is done.
    void PostStartUp();

    /// Fills KYR_Horoscope_1 with the here place of the settings and the moment t; the caller
    /// deactivates the horoscope before and activates it afterwards. A here place the atlas
    /// does not hold leaves the horoscope as it was.
    void SetHereAndNow(const QDateTime &t);
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
    TWheel *Wheel() const;
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

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateMenus();
    void TagMenuItems();
    void OpenStartUpChildren();
    QWidget *CreateChild(TChildKind kind);
    QMdiSubWindow *OpenWheelWindow();
    void StoreWheelPlace();
    void RestoreMainPlace();
    void StoreMainPlace();
    void Horoscope1Changed();
    void Horoscope2Changed();
    void LanguageChanged();
    void UpdateMenuItems();
    void SetHouseSystemMarks(int n);
    void SetOrbMarks();
    QString Text(int number, const char *english) const;
    bool LanguageIsUK() const;

    TKyrSetup FSettings;
    std::unique_ptr<TDataCollection> FData;
    QMdiArea *FMdiArea;
    QLabel *FSummary;
    TAskDlg *FAskDlg = nullptr;
    bool FLoading = true;
    bool FStarting = false;
    int FOpenedCount = 0;

    QPointer<QMdiSubWindow> FWheelWindow;
    QPointer<TWheel> FWheel;
    QPointer<TWinppos> FPositions;
    QPointer<TWinCPos> FCusps;
    QPointer<TWinAspects> FAspects;
    QPointer<TWinSymbols> FSymbols;

    std::array<QAction *, 3> FHouseItems{};
    QAction *FStrongItem = nullptr;
    QAction *FMediumItem = nullptr;
    QAction *FWeakItem = nullptr;
    QAction *FUserOrbsItem = nullptr;
    QAction *FHideItem = nullptr;
    QAction *FSaveOnExitItem = nullptr;
    QAction *FHereStartItem = nullptr;
    QList<QAction *> FChildItems; // enabled only while a child window exists
};

/// The language country of the settings' language code ("UK" when none is listed).
std::string StartUpCountry(TKyrSetup &settings);

} // namespace kyr
