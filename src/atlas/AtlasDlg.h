// TAtlasDlg: the user's editor of the atlas, on four pages: states with their bounds, places
// with their coordinates and definitions, and the dated histories of the time-zone and the
// summer-time definitions. Created for one modal use.
#pragma once

#include "AtlasEditing.h"
#include "AtlasFields.h"

#include <QDialog>

#include <array>

class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace kyr {

class TDataCollection;
class TLanguage;

class TAtlasDlg : public QDialog {
    Q_OBJECT
public:
    enum TPage { pgStates = 0, pgPlaces = 1, pgZones = 2, pgSummer = 3 };

    /// The data (its atlas tables open) and the language must outlive the dialog. Unset picks
    /// and prompts fall back to the dialog's own list and message boxes.
    TAtlasDlg(TDataCollection &data, const TLanguage &language, TAtlasPicks picks = {},
              TAtlasPrompts prompts = {}, QWidget *parent = nullptr);

    /// Shows the first state and runs the dialog modally; the result of exec().
    int Execute();

    /// Shows the first state of STATES (or clears page 0 when there is none) and page 0; what
    /// Execute does before the dialog shows.
    void Activate();
    /// Captions and tab captions from the language.
    void Retranslate();

    /// Page 0 from the state of that name; the place name is emptied when the state changes.
    void ShowState(const std::string &name);
    /// Page 1 from the place (the state's first place when place is empty).
    void ShowPlace(const std::string &state, const std::string &place);
    void LoadZoneHistory(const std::string &name);
    void LoadSummerHistory(const std::string &name);
    void ClearPage(int page);
    /// The Save button for the page showing.
    void SaveAtlasPage();
    void AddZoneEntry();
    void AddSummerEntry();
    /// Deletes the selected history line of the page showing.
    void DeleteEntry();
    void SetPage(int page);
    int Page() const;
    /// The help context of the page showing.
    int HelpContext() const { return FHelpContext; }

    // The fields, for the owner and for tests.
    QTabWidget *Pages() const { return FPages; }
    QLineEdit *StateName() const { return Edit_Country_State_Name; }
    const std::array<TAngleFields, 4> &StateBounds() const { return FBounds; }
    QLineEdit *PlaceName() const { return Edit_Place_Name; }
    const TAngleFields &PlaceLatitude() const { return FPlaceLatitude; }
    const TAngleFields &PlaceLongitude() const { return FPlaceLongitude; }
    QLineEdit *PlaceZone() const { return Edit_Time_Zone; }
    QLineEdit *PlaceSummer() const { return Edit_Summer_Time; }
    QLineEdit *ZoneName() const { return Edit_Time_ZoneD; }
    const TDateFields &GregorianDate() const { return FGregDate; }
    QListWidget *ZoneList() const { return ListBoxZoneTimes; }
    const TDateFields &ZoneStart() const { return FZoneStart; }
    QLineEdit *ZoneHours() const { return FZoneHours; }
    QLineEdit *ZoneMinutes() const { return FZoneMinutes; }
    QLineEdit *ZoneMark() const { return FZoneMark; }
    QPushButton *ZoneDelete() const { return FZoneDelete; }
    QLineEdit *SummerName() const { return Edit_Name_of_D; }
    QListWidget *SummerList() const { return ListBoxSummerTimes; }
    const TDateFields &SummerStart() const { return FSummerStart; }
    const TClockFields &SummerFrom() const { return FSummerFrom; }
    const TClockFields &SummerOffset() const { return FSummerOffset; }
    QPushButton *SummerDelete() const { return FSummerDelete; }
    const TZoneHistory &ZoneHistory() const { return FZoneHistory; }
    const TSummerHistory &SummerHistory() const { return FSummerHistory; }

signals:
    /// The Help button: quick help for the page's context.
    void HelpRequested(int helpContext);

private:
    void BuildStatesPage(QWidget *page);
    void BuildPlacesPage(QWidget *page);
    void BuildZonesPage(QWidget *page);
    void BuildSummerPage(QWidget *page);
    void PageChanged(int page);
    void ShowZoneLine(int row);
    void ShowSummerLine(int row);
    void ShowZoneEntry(const TZoneEntry &entry);
    void ShowSummerEntry(const TSummerEntry &entry);
    void ClearZoneEntry();
    void ClearSummerEntry();
    void SaveState();
    void SavePlace();
    void SaveZoneDefinition();
    void SaveSummerDefinition();
    /// A zone or summer-time definition picked from the list into edit; with loadHistory its
    /// history is shown as well (unless it is shown already).
    void ShowPicked(const std::optional<std::string> &name, QLineEdit *edit,
                    void (TAtlasDlg::*loadHistory)(const std::string &) = nullptr);
    void Refused(TEntryResult result);
    QString Text(int number) const;
    /// A format text with one argument when the language has it, else the fallback.
    QString FormatOr(int number, const QString &argument, const QString &fallback) const;
    QString North() const;
    QString South() const;
    QString West() const;
    QString East() const;
    long long LatitudeOf(const TAngleFields &fields) const;
    long long LongitudeOf(const TAngleFields &fields) const;

    TDataCollection &FData;
    const TLanguage &FLanguage;
    TAtlasPicks FPicks;
    TAtlasPrompts FPrompts;
    int FHelpContext = 13;

    QTabWidget *FPages = nullptr;
    QPushButton *FClose = nullptr;
    QPushButton *FClear = nullptr;
    QPushButton *FSave = nullptr;
    QPushButton *FHelp = nullptr;

    QLineEdit *Edit_Country_State_Name = nullptr;
    std::array<TAngleFields, 4> FBounds{};

    QLineEdit *Edit_Place_Name = nullptr;
    TAngleFields FPlaceLatitude;
    TAngleFields FPlaceLongitude;
    QLineEdit *Edit_Time_Zone = nullptr;
    QLineEdit *Edit_Summer_Time = nullptr;

    QLineEdit *Edit_Time_ZoneD = nullptr;
    TDateFields FGregDate;
    QListWidget *ListBoxZoneTimes = nullptr;
    TDateFields FZoneStart;
    QLineEdit *FZoneHours = nullptr;
    QLineEdit *FZoneMinutes = nullptr;
    QLineEdit *FZoneMark = nullptr;
    QPushButton *FZoneAdd = nullptr;
    QPushButton *FZoneDelete = nullptr;

    QLineEdit *Edit_Name_of_D = nullptr;
    QListWidget *ListBoxSummerTimes = nullptr;
    TDateFields FSummerStart;
    TClockFields FSummerFrom;
    TClockFields FSummerOffset;
    QPushButton *FSummerAdd = nullptr;
    QPushButton *FSummerDelete = nullptr;

    std::array<QLineEdit *, 4> FMarkEdits{}; ///< every latitude mark field
    TZoneHistory FZoneHistory;
    TSummerHistory FSummerHistory;
};

} // namespace kyr
