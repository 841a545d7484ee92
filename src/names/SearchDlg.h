// TSearchDlg: the one list from which every dialog picks a state, a place of a state, a
// time-zone or summer-time definition, a group or a person. It is created once and reused; each
// use starts a mode, fills the list a few rows at a time while the program is idle (so that the
// dialog answers and Cancel works during a long fill), and leaves its choice readable until
// the next use.
#pragma once

#include "AtlasFields.h"
#include "ChartTypes.h"
#include "NameLists.h"
#include "NameSearch.h"

#include <QDialog>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kyr {

class TDataCollection;
class TLanguage;

class TSearchDlg : public QDialog, public TNameSearch {
    Q_OBJECT

public:
    enum TMode { NoMode = 0, States = 1, Places = 2, Zones = 3, Summers = 4, Groups = 5, Names = 6 };
    /// Rows read per idle unit.
    static constexpr int FillUnit = 250;
    /// The modal results of the entry operations.
    static constexpr int ResultOk = 1, ResultCancel = 2;

    /// The data and the language must outlive the dialog.
    TSearchDlg(TDataCollection &data, const TLanguage &language, QWidget *parent = nullptr);
    ~TSearchDlg() override;

    // Entry operations: each shows the dialog modally; 1 when a choice was made, 2 on Cancel.
    int PickState();
    /// The places of the state; the chosen StateID is the state's ("0000" when STATES lacks it).
    int PickPlace(const std::string &state);
    int PickZone();
    int PickSummer();
    /// A typed name that GROUPS lacks is created.
    int PickGroup();
    /// Persons, first names first with firstFirst.
    int PickName(bool firstFirst);

    // The choice of the last use, readable until the next one.
    const std::string &ResultText() const { return FResultText; }
    const std::string &ChosenFirstName() const { return FFirstName; }
    const std::string &ChosenLastName() const { return FLastName; }
    /// The state's StateID, or "0000".
    const std::string &ChosenStateId() const { return FStateId; }
    /// The place's coordinates as D.MM values (latitude north, longitude west positive).
    Extended ChosenLatitude() const { return FLatitude; }
    Extended ChosenLongitude() const { return FLongitude; }
    const std::string &ChosenZoneRef() const { return FZoneRef; }
    const std::string &ChosenSummerRef() const { return FSummerRef; }
    /// The chosen zone or summer definition's identifier, at least four digits.
    const std::string &ChosenDefinitionId() const { return FDefinitionId; }

    // TNameSearch, for the name dialog.
    bool PickName(bool firstFirst,
                  const std::function<void(const std::string &, const std::string &)> &preview,
                  std::string &first, std::string &last) override;
    bool PickState(std::string &state) override;
    bool PickPlace(const std::string &state, TAtlasPlace &place) override;
    bool PickGroup(std::string &group) override;
    /// The four choices of the atlas dialogs.
    TAtlasPicks AtlasPicks();

    // The modes without the modal loop (the entry operations run them; tests drive them).
    /// Starts a mode: the list is emptied and filled from the next idle moments on.
    void StartMode(TMode mode, const std::string &state = {});
    /// One unit of the pending fill; true while more remains.
    bool IdleUpdate();
    /// Runs the pending fill to its end.
    void FillNow();
    /// OK's choice by the mode; true when a valid choice was made (the dialog may close).
    bool Choose();
    /// The Delete button: a person after a question, a group with its memberships.
    void DeleteClicked();
    /// The Swap button: first names first, or last names first.
    void SwapClicked();

    TMode Mode() const { return FMode; }
    bool Busy() const { return FBusy; }
    bool FirstNamesFirst() const { return FSwap; }
    /// The order of the next person list (PickName sets it).
    void SetFirstNamesFirst(bool firstFirst) { FSwap = firstFirst; }
    int HelpContext() const { return FHelpContext; }
    /// The listed persons in the order read (names mode).
    const std::vector<TPersonName> &Persons() const { return FPersons; }

    QLineEdit *SearchEdit() const { return FEdit; }
    QLabel *SearchLabel() const { return FEditLabel; }
    QListWidget *List() const { return FList; }
    QLabel *CountLabel() const { return FCount; }
    QComboBox *GroupFilter() const { return FFilter; }
    QLabel *GroupFilterLabel() const { return FFilterLabel; }
    QPushButton *OkButton() const { return FOk; }
    QPushButton *CancelButton() const { return FCancel; }
    QPushButton *HelpButton() const { return FHelp; }
    QPushButton *DeleteButton() const { return FDelete; }
    QPushButton *SwapButton() const { return FSwapButton; }

    // What the dialog asks of the program; unset members use message boxes and the beep.
    /// A yes/no question under a caption; true for yes.
    std::function<bool(const QString &caption, const QString &question)> AskYes;
    std::function<void()> Beep;
    /// A store error met while filling.
    std::function<void(const QString &message)> ShowError;

    // The name dialog, when it exists.
    /// Its shown first and last name (remembered when the person list is built).
    std::function<TPersonName()> NameDialogNames;
    /// Shows a person on every page (after a delete: the names remembered at the fill).
    std::function<void(const std::string &first, const std::string &last)> ReloadName;
    /// Shows a person's names and current page while the list is open; PickName's own preview
    /// takes its place during that call.
    std::function<void(const std::string &first, const std::string &last)> PreviewName;
    /// A group was deleted: the name dialog refreshes its groups page.
    std::function<void()> GroupsChanged;

    /// Captions from the language; again after every language change.
    void Retranslate();

    /// Cancel, Escape and the close button: the fill stops and the dialog closes with Cancel.
    void reject() override;

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// One listed entry: its text and what a choice of it hands out.
    struct TEntry {
        QString Text;
        std::string Id;  ///< definition identifier (zones, summer definitions)
        int Person = -1; ///< index into FPersons (names)
    };

    void BuildControls();
    int RunModal();
    void StartFill();
    void FinishFill();
    void ShowEntries();
    QString PersonText(const TPersonName &person) const;
    const TEntry *SelectedEntry() const;
    void SearchEdited(const QString &text);
    void MoveSelection(int step, bool preview);
    void PreviewEntry(const TEntry *entry);
    void OkClicked();
    void FilterChosen(int index);
    void ResetResults();
    QString Text(int number) const;
    void DoBeep();

    TDataCollection &FData;
    const TLanguage &FLanguage;

    TMode FMode = NoMode;
    bool FBusy = false;
    bool FSwap = true;
    int FHelpContext = 0;
    std::string FPlaceState; ///< the state whose places are listed
    bool FPlaceStateFound = false;
    std::unique_ptr<TTableWalk> FWalk;
    QTimer FIdle;
    std::vector<TEntry> FEntries;
    std::vector<TPersonName> FPersons;
    TPersonName FRemembered;
    std::function<void(const std::string &, const std::string &)> FCallPreview;

    std::string FResultText, FFirstName, FLastName, FStateId = "0000", FZoneRef, FSummerRef,
                                                    FDefinitionId;
    Extended FLatitude = 0, FLongitude = 0;

    QLabel *FFilterLabel = nullptr;
    QComboBox *FFilter = nullptr;
    QLabel *FEditLabel = nullptr;
    QLineEdit *FEdit = nullptr;
    QListWidget *FList = nullptr;
    QLabel *FCount = nullptr;
    QPushButton *FOk = nullptr, *FCancel = nullptr, *FHelp = nullptr, *FDelete = nullptr,
                *FSwapButton = nullptr;
};

} // namespace kyr
