// TNameDlg: the one place where persons are created, looked at, changed and saved. Eight pages
// (basics, details, address, picture, notes, groups, network, horoscope), the edit state that
// decides which buttons work, and a preview of the person's chart.
#pragma once

#include "Horoscope.h"
#include "NameFields.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace kyr {

class TDataCollection;
class TKeyFilter;
class TKyrSetup;
class TLanguage;
class TNameSearch;
class TWheel;

class TNameDlg : public QDialog {
    Q_OBJECT

public:
    /// The quick help the Help button asks for.
    static constexpr int HelpContext = 200;
    /// The pages in tab order.
    enum TPage { Basics, Details, Address, Picture, Notes, Groups, Network, Horoscop, PageCount };
    /// The picture area, in pixels.
    static constexpr int PictureWidth = 240, PictureHeight = 260;

    /// The collection, the settings and the language must outlive the dialog.
    TNameDlg(TDataCollection &data, TKyrSetup &setup, const TLanguage &language,
             QWidget *parent = nullptr);
    ~TNameDlg() override;

    /// Shows the dialog modally: emptied first with clearFirst, the name search opened at once
    /// with searchOnActivate. 1 for OK, 2 for Cancel.
    int ShowNameDialog(bool clearFirst, bool searchOnActivate);

    /// Shows the stored person (every page), edit state found; a pair that NAME lacks, or two
    /// empty names, empties the dialog (state empty, first page).
    void LoadName(const std::string &first, const std::string &last);
    /// The stored person's names and current page only; the edit state stays.
    void PreviewName(const std::string &first, const std::string &last);
    /// Empties every field, the groups list, the picture and the notes; the state is the
    /// caller's.
    void ClearName();
    /// Shows part of the stored record of the name edits: -1 the names, 0..7 a page.
    void ReadPage(int page);
    /// Writes the shown person under the names of the edits (states found, changed, new);
    /// another first or last name gives a new record. State found afterwards.
    void SaveName();
    /// Settles unsaved changes before the caller goes on; force saves without asking. False
    /// when the user cancels (or the date cannot be saved).
    bool ConfirmSave(bool force);
    /// Fills the zone and summer offsets from the atlas place and the birth moment, for each
    /// automatic switch that is on.
    void RecalcOffsets();
    /// Lists the groups of the shown names again (after groups were deleted elsewhere).
    void LoadGroups();

    bool DateIsValid() const;
    /// True when the birth date and time can be saved and charted; otherwise shows why.
    bool BirthDataAccepted();
    Extended DialogBirthDate() const;
    Extended DialogBirthTime() const;
    Extended DialogLatitude() const;
    Extended DialogLongitude() const;
    /// Recalculates stale offsets first.
    Extended DialogZoneTime();
    Extended DialogSummerTime();

    /// The record the shown fields save.
    TNameRecord WriteRecord() const;
    /// The shown fields.
    TNameFields Fields() const;

    std::string FirstName() const;
    std::string LastName() const;
    std::string PlaceName() const;
    std::string StateName() const;

    /// What OK hands the main window: the chart is deactivated and gets the names, place,
    /// coordinates, moment and offsets shown, and the Gregorian start of the place. It stays
    /// inactive: the caller restores its house system and activates it.
    void ApplyToHoroscope(THoroscope &horoscope);

    TEditState EditState() const { return FEditState; }
    bool OffsetsStale() const { return FOffsetsStale; }
    const std::string &ZoneRef() const { return FZoneRef; }
    const std::string &SummerRef() const { return FSummerRef; }
    /// The hidden chart of the horoscope page.
    THoroscope &PreviewHoroscope() { return FHoroscope; }
    int CurrentPage() const { return FPage; }
    /// Changes the page as a click on its tab does; false when the change is refused.
    bool SelectPage(int page);

    /// Picks the choices; null (the default) uses a plain list of the tables.
    void SetSearch(TNameSearch *search);

    /// Captions, tab texts and marks from the language; again after every language change.
    void Retranslate();

    // What the dialog asks of the program; tests replace them.
    /// A question with Yes and No (and Cancel with withCancel): QMessageBox::Yes, No or Cancel.
    std::function<int(const QString &question, bool withCancel)> Ask;
    /// An information message.
    std::function<void(const QString &message)> ShowMessage;
    /// The system beep.
    std::function<void()> Beep;
    /// Opens the save-place dialog for a place that the atlas lacks; unset, nothing opens.
    std::function<void(const std::string &state, const std::string &place)> OnSavePlace;

    /// Escape and the window's close button act as Cancel: unsaved changes are settled first.
    void reject() override;

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildControls();
    QWidget *BuildBasicsPage();
    QWidget *BuildDetailsPage();
    QWidget *BuildAddressPage();
    QWidget *BuildPicturePage();
    QWidget *BuildNotesPage();
    QWidget *BuildGroupsPage();
    QWidget *BuildHoroscopePage();
    QLineEdit *NumberEdit(const char *name, TNameField field);
    QLineEdit *MarkEdit(const char *name);
    QLineEdit *TextEdit(const char *name, int maxLength);

    void SetEditState(TEditState state);
    void MarkChanged();
    void DateOrOffsetChanged();
    /// Shows "(Julian)" beside the date when it lies before the calendar change of the place.
    void UpdateCalendarMark();
    void ShowFields(const TNameFields &fields, int page);
    void ShowRecordPage(const TNameRecord &record, int page);
    void ShowPicture(const TBytes &bytes);
    THemisphereMarks Marks() const;

    // Buttons and events.
    void OkClicked();
    /// Saves the shown person and shows the stored record; false when the date cannot be saved.
    bool SaveShown();
    QString SaveQuestionText() const;
    void CancelClicked();
    void ClearClicked();
    void SaveClicked();
    void SearchName(bool firstFirst);
    void SearchCountry();
    void SearchPlace();
    void PlaceLeft();
    /// Empties the coordinates and marks them for input (wanted), or takes the marks away.
    void WantCoordinates(bool wanted);
    /// False, with a message, while wanted coordinates are still empty.
    bool CoordinatesGiven();
    /// At an atlas place with automatic summer time: a birth time the clocks skipped is refused
    /// with a message; one they repeated asks which moment is meant (once per reading) and
    /// shows its summer time. False when refused or the question is cancelled.
    bool ClockReadingSettled();
    /// The offsets of the reading at the place: the later moment of a repeated reading when
    /// that was the answer, else the earlier or only one.
    TPlaceOffsets OffsetsOfReading(const TAtlasPlace &place);
    void CountryEdited(const QString &text);
    void PlaceEdited(const QString &text);
    void NumberLeft(QLineEdit *edit, TNameField field);
    void TimeUnknownClicked(bool checked);
    void GuessTime(int hour);
    void SwitchClicked(bool zone, bool checked);
    void InsertPicture();
    void RemovePicture();
    void AddGroup();
    void RemoveGroup();
    void TabChanged(int tab);
    /// The preview chart from the stored record (page 7 of ReadPage).
    void PreviewFromRecord(const TNameRecord &record);
    /// The preview chart from the shown fields; false when the date is not valid.
    bool PreviewFromFields();
    void ShowHoroscopeError(const std::exception &error);

    TDataCollection &FData;
    TKyrSetup &FSetup;
    const TLanguage &FLanguage;
    TNameSearch *FSearch = nullptr;
    std::unique_ptr<TNameSearch> FOwnSearch;

    TEditState FEditState = TEditState::Empty;
    std::string FZoneRef, FSummerRef;
    bool FOffsetsStale = false;
    /// Set for a place the atlas lacks: the coordinates are the user's to type.
    bool FCoordinatesWanted = false;
    /// The answer for a repeated clock reading: the place, the reading and whether the later
    /// moment (standard time) is meant.
    struct TRepeatedAnswer {
        std::string State, Place;
        long long Date = 0, Time = 0;
        bool Later = false;
    };
    std::optional<TRepeatedAnswer> FRepeatedAnswer;
    bool FSearchOnActivate = false;
    /// Set while the dialog itself fills fields, so that the fill is no change of the user's.
    int FFilling = 0;
    int FPage = Basics;
    QPoint FPopupPoint;
    THoroscope FHoroscope;

    QLineEdit *FFirstName = nullptr, *FLastName = nullptr;
    QLineEdit *FCountry = nullptr, *FPlace = nullptr;
    QLineEdit *FYear = nullptr, *FMonth = nullptr, *FDay = nullptr;
    QLineEdit *FHour = nullptr, *FMinute = nullptr, *FSecond = nullptr;
    QLineEdit *FLatDeg = nullptr, *FLatMin = nullptr, *FLatMark = nullptr;
    QLineEdit *FLonDeg = nullptr, *FLonMin = nullptr, *FLonMark = nullptr;
    QLineEdit *FZoneHour = nullptr, *FZoneMin = nullptr, *FZoneMark = nullptr;
    QLineEdit *FSummerHour = nullptr, *FSummerMin = nullptr;
    std::array<QLineEdit *, 8>
        FAddress{}; ///< lines 1, 2, postal code, city, country, phone, fax, e-mail
    QCheckBox *FTimeUnknown = nullptr, *FZoneSwitch = nullptr, *FSummerSwitch = nullptr;
    QLabel *FCalendarMark = nullptr;
    QTabBar *FTabs = nullptr;
    QStackedWidget *FPages = nullptr;
    QLabel *FImage = nullptr;
    QPlainTextEdit *FMemo = nullptr;
    QListWidget *FGroupList = nullptr;
    TWheel *FWheel = nullptr;
    QMenu *FTimeMenu = nullptr;
    QPushButton *FOk = nullptr, *FCancel = nullptr, *FHelp = nullptr, *FClear = nullptr,
                *FSave = nullptr;
    QPushButton *FInsertPicture = nullptr, *FRemovePicture = nullptr;
    QPushButton *FAddGroup = nullptr, *FRemoveGroup = nullptr;
    TKeyFilter *FLatFilter = nullptr, *FLonFilter = nullptr, *FZoneFilter = nullptr;
    TBytes FPicture; ///< the shown picture, encoded
};

} // namespace kyr
