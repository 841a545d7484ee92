#include "AtlasDlg.h"

#include "Calendar.h"
#include "DataCollection.h"
#include "IndexScope.h"
#include "Language.h"
#include "PlaceOffsets.h"
#include "Translation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTime>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace kyr {

namespace {

// Help contexts of the dialog and of its Clear, Save, Close and Help buttons, by page.
struct TPageHelp {
    int Page, Clear, Save, Close, Help;
};
constexpr TPageHelp PageHelp[] = {{13, 11, 12, 9, 10},
                                  {500, 507, 508, 505, 506},
                                  {480, 486, 487, 484, 485},
                                  {440, 451, 452, 449, 450}};

QLabel *Caption(QWidget *parent, int tag) {
    auto *label = new QLabel(parent);
    SetTag(label, tag);
    return label;
}

QToolButton *SearchButton(QWidget *parent) {
    auto *button = new QToolButton(parent);
    button->setText(QStringLiteral("…"));
    SetTag(button, 2000);
    return button;
}

// A caption in the first column, with its row of fields (the caption's buddy among them) in the
// second.
void AddCaptionedRow(QGridLayout *grid, int row, QLabel *caption, QWidget *buddy, QLayout *fields) {
    caption->setBuddy(buddy);
    grid->addWidget(caption, row, 0);
    grid->addLayout(fields, row, 1);
}

QHBoxLayout *Row() {
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    return row;
}

// A history list over both columns, its caption in the row above.
QListWidget *AddHistoryList(QWidget *page, QGridLayout *grid, int row, QLabel *caption) {
    auto *list = new QListWidget(page);
    list->setMinimumHeight(150);
    caption->setBuddy(list);
    grid->addWidget(caption, row, 0, 1, 2);
    grid->addWidget(list, row + 1, 0, 1, 2);
    return list;
}

// A captioned row of date fields for the years the atlas keeps.
TDateFields AddDateRow(QWidget *page, QGridLayout *grid, int row, QLabel *caption,
                       const std::function<void()> &beep) {
    auto *fields = Row();
    const TDateFields date = ArrangeDateFields(page, fields);
    GuardDate(date, 1500, 2099, beep);
    fields->addStretch(1);
    AddCaptionedRow(grid, row, caption, date.Year, fields);
    return date;
}

// The program's one date text, with all four digits of the year: the histories reach back
// centuries.
QString ShortDate(long long yyyymmdd) {
    return QString::fromStdString(YmdToDateString(static_cast<int>(yyyymmdd)));
}

// hours·100 + minutes in the locale's short time format.
QString ShortTime(long long hhmm) {
    const QTime time(static_cast<int>(hhmm / 100), static_cast<int>(hhmm % 100));
    if (time.isValid())
        return QLocale().toString(time, QLocale::ShortFormat);
    return QStringLiteral("%1:%2").arg(hhmm / 100).arg(hhmm % 100, 2, 10, QLatin1Char('0'));
}

// An empty offset field counts as 0.
int OffsetPart(const QLineEdit *edit) {
    return edit->text().trimmed().isEmpty() ? 0 : FieldValue(edit);
}

// The name of a zone or summer-time definition by its identifier; empty when there is none.
std::string NameOfDefinition(TKyrTable &ids, const std::string &id, const char *nameField) {
    TIndexScope scope(ids, "");
    return ids.FindKey({id}) ? ids.FieldByName(nameField).AsString() : std::string();
}

TDateInput DateInput(const TDateFields &fields) {
    return {FieldValue(fields.Year), FieldValue(fields.Month), FieldValue(fields.Day)};
}

} // namespace

TAtlasDlg::TAtlasDlg(TDataCollection &data, const TLanguage &language, TAtlasPicks picks,
                     TAtlasPrompts prompts, QWidget *parent)
    : QDialog(parent), FData(data), FLanguage(language),
      FPicks(CompletePicks(std::move(picks), data, language, this)),
      FPrompts(CompletePrompts(std::move(prompts), this)) {
    auto *layout = new QVBoxLayout(this);
    FPages = new QTabWidget(this);
    for (int page = 0; page < 4; ++page)
        FPages->addTab(new QWidget(FPages), QString());
    BuildStatesPage(FPages->widget(pgStates));
    BuildPlacesPage(FPages->widget(pgPlaces));
    BuildZonesPage(FPages->widget(pgZones));
    BuildSummerPage(FPages->widget(pgSummer));
    layout->addWidget(FPages);

    auto *buttons = new QHBoxLayout;
    FClose = new QPushButton(this);
    FClear = new QPushButton(this);
    FSave = new QPushButton(this);
    FHelp = new QPushButton(this);
    SetTag(FClose, 227);
    SetTag(FClear, 229);
    SetTag(FSave, 230);
    SetTag(FHelp, 502);
    for (QPushButton *button : {FClose, FClear, FSave, FHelp})
        button->setAutoDefault(false);
    buttons->addWidget(FClear);
    buttons->addWidget(FSave);
    buttons->addStretch(1);
    buttons->addWidget(FClose);
    buttons->addWidget(FHelp);
    layout->addLayout(buttons);

    connect(FClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(FClear, &QPushButton::clicked, this, [this] { ClearPage(Page()); });
    connect(FSave, &QPushButton::clicked, this, &TAtlasDlg::SaveAtlasPage);
    connect(FHelp, &QPushButton::clicked, this, [this] { emit HelpRequested(FHelpContext); });
    connect(FPages, &QTabWidget::currentChanged, this, &TAtlasDlg::PageChanged);

    Retranslate();
    for (int page = 0; page < 4; ++page)
        ClearPage(page);
    FZoneDelete->setEnabled(false);
    FSummerDelete->setEnabled(false);
    SetPage(pgStates);
    PageChanged(pgStates);
}

void TAtlasDlg::BuildStatesPage(QWidget *page) {
    auto *grid = new QGridLayout(page);
    Edit_Country_State_Name = new QLineEdit(page);
    Edit_Country_State_Name->setMinimumWidth(260);
    QToolButton *search = SearchButton(page);
    auto *nameRow = Row();
    nameRow->addWidget(Edit_Country_State_Name, 1);
    nameRow->addWidget(search);
    AddCaptionedRow(grid, 0, Caption(page, 219), Edit_Country_State_Name, nameRow);
    static constexpr int Labels[] = {TextNo(220), TextNo(221), TextNo(222), TextNo(223)};
    const auto beep = [this] { FPrompts.Beep(TBeep::Hand); };
    for (int i = 0; i < 4; ++i) {
        const bool latitude = i < 2;
        auto *row = Row();
        FBounds[i] = MakeAngleFields(page, row, latitude ? 90 : 180, latitude ? North() : West(),
                                     latitude ? South() : East(), beep);
        row->addStretch(1);
        if (latitude)
            FMarkEdits[i] = FBounds[i].Mark;
        AddCaptionedRow(grid, i + 1, Caption(page, Labels[i]), FBounds[i].Degrees, row);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    connect(search, &QToolButton::clicked, this, [this] {
        if (const auto name = FPicks.PickState())
            ShowState(*name);
    });
}

void TAtlasDlg::BuildPlacesPage(QWidget *page) {
    auto *grid = new QGridLayout(page);
    const auto beep = [this] { FPrompts.Beep(TBeep::Hand); };
    int line = 0;
    const auto addRow = [&](int tag, QLayout *row, QWidget *buddy) {
        AddCaptionedRow(grid, line++, Caption(page, tag), buddy, row);
    };
    const auto nameRow = [&](QLineEdit *&edit, QToolButton *&button) {
        edit = new QLineEdit(page);
        button = SearchButton(page);
        auto *row = Row();
        row->addWidget(edit, 1);
        row->addWidget(button);
        return row;
    };
    QToolButton *placeSearch = nullptr;
    QHBoxLayout *placeRow = nameRow(Edit_Place_Name, placeSearch);
    Edit_Place_Name->setMaxLength(40);
    Edit_Place_Name->setMinimumWidth(260);
    addRow(606, placeRow, Edit_Place_Name);
    auto *latitudeRow = Row();
    FPlaceLatitude = MakeAngleFields(page, latitudeRow, 90, North(), South(), beep);
    FMarkEdits[2] = FPlaceLatitude.Mark;
    latitudeRow->addStretch(1);
    addRow(605, latitudeRow, FPlaceLatitude.Degrees);
    auto *longitudeRow = Row();
    FPlaceLongitude = MakeAngleFields(page, longitudeRow, 180, West(), East(), beep);
    longitudeRow->addStretch(1);
    addRow(604, longitudeRow, FPlaceLongitude.Degrees);
    QToolButton *zoneSearch = nullptr;
    addRow(603, nameRow(Edit_Time_Zone, zoneSearch), Edit_Time_Zone);
    QToolButton *summerSearch = nullptr;
    addRow(596, nameRow(Edit_Summer_Time, summerSearch), Edit_Summer_Time);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(line, 1);

    connect(placeSearch, &QToolButton::clicked, this, [this] {
        const std::string state = FromQText(Edit_Country_State_Name->text());
        if (const auto place = FPicks.PickPlace(state))
            ShowPlace(state, *place);
    });
    connect(zoneSearch, &QToolButton::clicked, this,
            [this] { ShowPicked(FPicks.PickZone(), Edit_Time_Zone); });
    connect(summerSearch, &QToolButton::clicked, this,
            [this] { ShowPicked(FPicks.PickSummer(), Edit_Summer_Time); });
}

void TAtlasDlg::BuildZonesPage(QWidget *page) {
    auto *grid = new QGridLayout(page);
    const auto beep = [this] { FPrompts.Beep(TBeep::Hand); };
    Edit_Time_ZoneD = new QLineEdit(page);
    QToolButton *search = SearchButton(page);
    auto *nameRow = Row();
    nameRow->addWidget(Edit_Time_ZoneD, 1);
    nameRow->addWidget(search);
    AddCaptionedRow(grid, 0, Caption(page, 603), Edit_Time_ZoneD, nameRow);

    FGregDate = AddDateRow(page, grid, 1, Caption(page, 579), beep);

    ListBoxZoneTimes = AddHistoryList(page, grid, 2, Caption(page, 578));

    FZoneStart = AddDateRow(page, grid, 4, Caption(page, 574), beep);

    auto *offsetRow = Row();
    FZoneHours = MakeDigitEdit(page, 2);
    FZoneMinutes = MakeDigitEdit(page, 2);
    FZoneMark = MakeMarkEdit(page, West(), East());
    GuardRange(FZoneHours, 0, 23, beep);
    GuardRange(FZoneMinutes, 0, 59, beep);
    auto *colon = new QLabel(QStringLiteral(":"), page);
    SetTag(colon, 2000);
    offsetRow->addWidget(FZoneHours);
    offsetRow->addWidget(colon);
    offsetRow->addWidget(FZoneMinutes);
    offsetRow->addWidget(FZoneMark);
    offsetRow->addStretch(1);
    FZoneAdd = new QPushButton(page);
    FZoneDelete = new QPushButton(page);
    SetTag(FZoneAdd, 430);
    SetTag(FZoneDelete, 431);
    FZoneAdd->setAutoDefault(false);
    FZoneDelete->setAutoDefault(false);
    offsetRow->addWidget(FZoneAdd);
    offsetRow->addWidget(FZoneDelete);
    AddCaptionedRow(grid, 5, Caption(page, 570), FZoneHours, offsetRow);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    connect(search, &QToolButton::clicked, this, [this] {
        ShowPicked(FPicks.PickZone(), Edit_Time_ZoneD, &TAtlasDlg::LoadZoneHistory);
    });
    connect(ListBoxZoneTimes, &QListWidget::currentRowChanged, this, &TAtlasDlg::ShowZoneLine);
    connect(ListBoxZoneTimes, &QListWidget::itemClicked, this,
            [this] { ShowZoneLine(ListBoxZoneTimes->currentRow()); });
    connect(FZoneAdd, &QPushButton::clicked, this, &TAtlasDlg::AddZoneEntry);
    connect(FZoneDelete, &QPushButton::clicked, this, &TAtlasDlg::DeleteEntry);
}

void TAtlasDlg::BuildSummerPage(QWidget *page) {
    auto *grid = new QGridLayout(page);
    const auto beep = [this] { FPrompts.Beep(TBeep::Hand); };
    Edit_Name_of_D = new QLineEdit(page);
    QToolButton *search = SearchButton(page);
    auto *nameRow = Row();
    nameRow->addWidget(Edit_Name_of_D, 1);
    nameRow->addWidget(search);
    AddCaptionedRow(grid, 0, Caption(page, 543), Edit_Name_of_D, nameRow);

    ListBoxSummerTimes = AddHistoryList(page, grid, 1, Caption(page, 535));

    FSummerStart = AddDateRow(page, grid, 3, Caption(page, 539), beep);

    auto *fromRow = Row();
    FSummerFrom = MakeClockFields(page, fromRow, beep);
    fromRow->addStretch(1);
    AddCaptionedRow(grid, 4, Caption(page, 534), FSummerFrom.Hours, fromRow);

    auto *offsetRow = Row();
    FSummerOffset = MakeClockFields(page, offsetRow, beep);
    offsetRow->addStretch(1);
    FSummerAdd = new QPushButton(page);
    FSummerDelete = new QPushButton(page);
    SetTag(FSummerAdd, 430);
    SetTag(FSummerDelete, 431);
    FSummerAdd->setAutoDefault(false);
    FSummerDelete->setAutoDefault(false);
    offsetRow->addWidget(FSummerAdd);
    offsetRow->addWidget(FSummerDelete);
    AddCaptionedRow(grid, 5, Caption(page, 542), FSummerOffset.Hours, offsetRow);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    connect(search, &QToolButton::clicked, this, [this] {
        ShowPicked(FPicks.PickSummer(), Edit_Name_of_D, &TAtlasDlg::LoadSummerHistory);
    });
    connect(ListBoxSummerTimes, &QListWidget::currentRowChanged, this, &TAtlasDlg::ShowSummerLine);
    connect(ListBoxSummerTimes, &QListWidget::itemClicked, this,
            [this] { ShowSummerLine(ListBoxSummerTimes->currentRow()); });
    connect(FSummerAdd, &QPushButton::clicked, this, &TAtlasDlg::AddSummerEntry);
    connect(FSummerDelete, &QPushButton::clicked, this, &TAtlasDlg::DeleteEntry);
}

int TAtlasDlg::Execute() {
    Activate();
    return exec();
}

void TAtlasDlg::Activate() {
    Retranslate();
    SetPage(pgStates);
    TKyrTable &states = FData.StatesTable;
    states.SetIndexName("");
    states.First();
    if (states.IsEmpty())
        ClearPage(pgStates);
    else
        ShowState(states.FieldByName("StateName").AsString());
    PageChanged(pgStates);
}

void TAtlasDlg::Retranslate() {
    TranslateForm(FLanguage, this);
    static constexpr int Tabs[] = {TextNo(404), TextNo(405), TextNo(406), TextNo(407)};
    for (int page = 0; page < 4; ++page)
        FPages->setTabText(page, Text(Tabs[page]));
    for (int i = 0; i < 4; ++i) {
        const bool latitude = i < 2;
        SetMarks(FBounds[i].Mark, latitude ? North() : West(), latitude ? South() : East());
    }
    SetMarks(FPlaceLatitude.Mark, North(), South());
    SetMarks(FPlaceLongitude.Mark, West(), East());
    SetMarks(FZoneMark, West(), East());
    for (const TDateFields *date : {&FGregDate, &FZoneStart, &FSummerStart})
        SetDatePlaceholders(*date, FLanguage);
    SetClockPlaceholders({FZoneHours, FZoneMinutes}, FLanguage);
    SetClockPlaceholders(FSummerFrom, FLanguage);
    SetClockPlaceholders(FSummerOffset, FLanguage);
    PageChanged(Page());
}

QString TAtlasDlg::Text(int number) const {
    return ToQText(FLanguage.GetText(number));
}

QString TAtlasDlg::FormatOr(int number, const QString &argument, const QString &fallback) const {
    const QString format = Text(number);
    return format.isEmpty() ? fallback : format.arg(argument);
}

QString TAtlasDlg::North() const {
    return ToQText(FLanguage.GetText(169));
}
QString TAtlasDlg::South() const {
    return ToQText(FLanguage.GetText(168));
}
QString TAtlasDlg::West() const {
    return ToQText(FLanguage.GetText(170));
}
QString TAtlasDlg::East() const {
    return ToQText(FLanguage.GetText(171));
}

long long TAtlasDlg::LatitudeOf(const TAngleFields &fields) const {
    return LatitudeValue(std::max(FieldValue(fields.Degrees), 0),
                         std::max(FieldValue(fields.Minutes), 0), FromQText(fields.Mark->text()),
                         FromQText(North()));
}

long long TAtlasDlg::LongitudeOf(const TAngleFields &fields) const {
    return LongitudeValue(std::max(FieldValue(fields.Degrees), 0),
                          std::max(FieldValue(fields.Minutes), 0), FromQText(fields.Mark->text()),
                          FromQText(East()));
}

int TAtlasDlg::Page() const {
    return FPages->currentIndex();
}

void TAtlasDlg::SetPage(int page) {
    FPages->setCurrentIndex(page);
}

void TAtlasDlg::PageChanged(int page) {
    if (page < 0 || page > 3)
        return;
    const TPageHelp &help = PageHelp[page];
    FHelpContext = help.Page;
    setProperty("HelpContext", help.Page);
    FClear->setProperty("HelpContext", help.Clear);
    FSave->setProperty("HelpContext", help.Save);
    FClose->setProperty("HelpContext", help.Close);
    FHelp->setProperty("HelpContext", help.Help);
    switch (page) {
    case pgStates:
        setWindowTitle(Text(218));
        break;
    case pgPlaces: {
        const QString state = Edit_Country_State_Name->text();
        setWindowTitle(
            FormatOr(1022, state, Text(523) + QStringLiteral(" [") + state + QStringLiteral("]")));
        ShowPlace(FromQText(state), FromQText(Edit_Place_Name->text()));
        break;
    }
    case pgZones:
        setWindowTitle(Text(561));
        Edit_Time_ZoneD->setText(Edit_Time_Zone->text());
        LoadZoneHistory(FromQText(Edit_Time_ZoneD->text()));
        ClearZoneEntry();
        break;
    case pgSummer:
        setWindowTitle(Text(524));
        Edit_Name_of_D->setText(Edit_Summer_Time->text());
        LoadSummerHistory(FromQText(Edit_Name_of_D->text()));
        ClearSummerEntry();
        break;
    }
}

void TAtlasDlg::ShowState(const std::string &name) {
    const std::optional<TStateRow> state = FindState(FData, name);
    if (!state) {
        ClearPage(pgStates);
        return;
    }
    FBounds[0].Show(state->Bounds.MaxLatitude, North(), South());
    FBounds[1].Show(state->Bounds.MinLatitude, North(), South());
    FBounds[2].Show(state->Bounds.MaxLongitude, West(), East());
    FBounds[3].Show(state->Bounds.MinLongitude, West(), East());
    const QString shown = ToQText(state->StateName);
    if (shown != Edit_Country_State_Name->text())
        Edit_Place_Name->clear();
    Edit_Country_State_Name->setText(shown);
}

void TAtlasDlg::ShowPlace(const std::string &state, const std::string &place) {
    std::optional<TAtlasPlace> found;
    if (!state.empty()) {
        if (const std::optional<TStateRow> row = FindState(FData, state)) {
            std::string name = place;
            if (name.empty())
                if (const auto first = FirstPlaceOfState(FData, row->StateID))
                    name = first->PlaceName;
            found = FindAtlasPlace(FData, state, name);
        }
    }
    if (!found) {
        ClearPage(pgPlaces);
        Edit_Place_Name->setText(ToQText(place));
        return;
    }
    Edit_Place_Name->setText(ToQText(found->PlaceName));
    FPlaceLatitude.Show(found->Latitude, North(), South());
    FPlaceLongitude.Show(found->Longitude, West(), East());
    Edit_Time_Zone->setText(ToQText(found->ZoneName));
    Edit_Summer_Time->setText(ToQText(found->SummerName));
}

void TAtlasDlg::LoadZoneHistory(const std::string &name) {
    FZoneHistory = kyr::LoadZoneHistory(FData, name);
    if (FZoneHistory.Found)
        FGregDate.Show(FZoneHistory.GregDate);
    else
        FGregDate.Clear();
    const QSignalBlocker blocker(ListBoxZoneTimes);
    ListBoxZoneTimes->clear();
    for (const TZoneEntry &entry : FZoneHistory.Entries)
        ListBoxZoneTimes->addItem(ShortDate(entry.StartDate) + QStringLiteral(" --> ") +
                                  ShortTime(std::llabs(entry.TimeDelta)) + QStringLiteral(" ") +
                                  (entry.TimeDelta < 0 ? East() : West()));
    ListBoxZoneTimes->setCurrentRow(-1);
    FZoneDelete->setEnabled(!FZoneHistory.Entries.empty());
}

void TAtlasDlg::LoadSummerHistory(const std::string &name) {
    FSummerHistory = kyr::LoadSummerHistory(FData, name);
    const QSignalBlocker blocker(ListBoxSummerTimes);
    ListBoxSummerTimes->clear();
    for (const TSummerEntry &entry : FSummerHistory.Entries)
        ListBoxSummerTimes->addItem(ShortDate(entry.FromDate) + QStringLiteral("   ") +
                                    ShortTime(entry.FromTime) + QStringLiteral(" --> ") +
                                    ShortTime(entry.TimeDiff));
    ListBoxSummerTimes->setCurrentRow(-1);
    FSummerDelete->setEnabled(!FSummerHistory.Entries.empty());
}

void TAtlasDlg::ClearPage(int page) {
    switch (page) {
    case pgStates:
        Edit_Country_State_Name->clear();
        for (TAngleFields &fields : FBounds)
            fields.Clear();
        break;
    case pgPlaces:
        Edit_Place_Name->clear();
        FPlaceLatitude.Clear();
        FPlaceLongitude.Clear();
        Edit_Time_Zone->clear();
        Edit_Summer_Time->clear();
        break;
    case pgZones:
        Edit_Time_ZoneD->clear();
        FGregDate.Clear();
        ClearZoneEntry();
        break;
    case pgSummer:
        Edit_Name_of_D->clear();
        ClearSummerEntry();
        break;
    }
}

void TAtlasDlg::ClearZoneEntry() {
    FZoneStart.Clear();
    FZoneHours->clear();
    FZoneMinutes->clear();
    FZoneMark->clear();
}

void TAtlasDlg::ClearSummerEntry() {
    FSummerStart.Clear();
    FSummerFrom.Clear();
    FSummerOffset.Clear();
}

void TAtlasDlg::ShowZoneEntry(const TZoneEntry &entry) {
    FZoneStart.Show(entry.StartDate);
    const long long magnitude = std::llabs(entry.TimeDelta);
    FZoneHours->setText(QString::number(magnitude / 100));
    FZoneMinutes->setText(QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0')));
    FZoneMark->setText(entry.TimeDelta < 0 ? East() : West());
}

void TAtlasDlg::ShowSummerEntry(const TSummerEntry &entry) {
    FSummerStart.Show(entry.FromDate);
    FSummerFrom.Show(entry.FromTime);
    FSummerOffset.Show(entry.TimeDiff);
}

void TAtlasDlg::ShowZoneLine(int row) {
    if (row >= 0 && row < static_cast<int>(FZoneHistory.Entries.size()))
        ShowZoneEntry(FZoneHistory.Entries[row]);
}

void TAtlasDlg::ShowSummerLine(int row) {
    if (row >= 0 && row < static_cast<int>(FSummerHistory.Entries.size()))
        ShowSummerEntry(FSummerHistory.Entries[row]);
}

void TAtlasDlg::Refused(TEntryResult result) {
    FPrompts.Beep(result == TEntryResult::NoName ? TBeep::Default : TBeep::Hand);
}

void TAtlasDlg::AddZoneEntry() {
    const std::string name = FromQText(Edit_Time_ZoneD->text());
    const TEntryResult result =
        kyr::AddZoneEntry(FData, name, DateInput(FZoneStart), OffsetPart(FZoneHours),
                          OffsetPart(FZoneMinutes), FZoneMark->text() == East(), FGregDate.Value());
    if (result != TEntryResult::Added) {
        Refused(result);
        return;
    }
    LoadZoneHistory(name);
}

void TAtlasDlg::AddSummerEntry() {
    const std::string name = FromQText(Edit_Name_of_D->text());
    const TEntryResult result =
        kyr::AddSummerEntry(FData, name, DateInput(FSummerStart), FieldValue(FSummerFrom.Hours),
                            FieldValue(FSummerFrom.Minutes), FieldValue(FSummerOffset.Hours),
                            FieldValue(FSummerOffset.Minutes));
    if (result != TEntryResult::Added) {
        Refused(result);
        return;
    }
    LoadSummerHistory(name);
}

void TAtlasDlg::DeleteEntry() {
    if (Page() == pgZones) {
        const int row = ListBoxZoneTimes->currentRow();
        if (row < 0 || row >= static_cast<int>(FZoneHistory.Entries.size()))
            return;
        const TZoneEntry entry = FZoneHistory.Entries[row];
        if (!DeleteZoneEntry(FData, FZoneHistory.ZoneID, entry.StartDate))
            return;
        // The history shown is the one the row came from, whatever the name field says now.
        LoadZoneHistory(NameOfDefinition(FData.ZoneIdTable, FZoneHistory.ZoneID, "ZoneName"));
        ShowZoneEntry(entry);
    } else if (Page() == pgSummer) {
        const int row = ListBoxSummerTimes->currentRow();
        if (row < 0 || row >= static_cast<int>(FSummerHistory.Entries.size()))
            return;
        const TSummerEntry entry = FSummerHistory.Entries[row];
        if (!DeleteSummerEntry(FData, FSummerHistory.SummerID, entry.FromDate))
            return;
        LoadSummerHistory(
            NameOfDefinition(FData.SummerIdTable, FSummerHistory.SummerID, "SummerName"));
        ShowSummerEntry(entry);
    }
}

void TAtlasDlg::SaveAtlasPage() {
    switch (Page()) {
    case pgStates:
        SaveState();
        break;
    case pgPlaces:
        SavePlace();
        break;
    case pgZones:
        SaveZoneDefinition();
        break;
    case pgSummer:
        SaveSummerDefinition();
        break;
    }
}

void TAtlasDlg::SaveState() {
    const QString name = Edit_Country_State_Name->text();
    if (name.isEmpty()) {
        FPrompts.ShowInfo(Text(232));
        return;
    }
    const TStateBounds bounds{LatitudeOf(FBounds[0]), LatitudeOf(FBounds[1]),
                              LongitudeOf(FBounds[2]), LongitudeOf(FBounds[3])};
    const std::string stateName = FromQText(name);
    if (FindState(FData, stateName)) {
        if (FPrompts.AskYes(FormatOr(1019, name, Text(236) + name + QStringLiteral("'?"))))
            UpdateState(FData, stateName, bounds);
    } else if (FPrompts.AskYes(FormatOr(1020, name, Text(234) + name + QStringLiteral("'?")))) {
        AddState(FData, stateName, bounds);
    }
}

void TAtlasDlg::SavePlace() {
    const QString place = Edit_Place_Name->text();
    const QString state = Edit_Country_State_Name->text();
    if (place.isEmpty()) {
        FPrompts.ShowInfo(Text(608));
        return;
    }
    if (state.isEmpty()) {
        FPrompts.ShowInfo(Text(232));
        return;
    }
    const std::optional<TStateRow> row = FindState(FData, FromQText(state));
    if (!row) {
        FPrompts.ShowInfo(
            FormatOr(1021, state,
                     Text(610) + QStringLiteral(" ") + state + QStringLiteral(" ") + Text(611)));
        return;
    }
    TPlaceRow placeRow;
    placeRow.StateID = row->StateID;
    placeRow.PlaceName = FromQText(place);
    placeRow.ZoneRef = ZoneRefFor(FData, FromQText(Edit_Time_Zone->text()));
    placeRow.SummerRef = SummerRefFor(FData, FromQText(Edit_Summer_Time->text()));
    placeRow.Latitude = LatitudeOf(FPlaceLatitude);
    placeRow.Longitude = LongitudeOf(FPlaceLongitude);
    const bool exists = PlaceExists(FData, placeRow.StateID, placeRow.PlaceName);
    if (FPrompts.AskYes(Text(exists ? 613 : 609)))
        WritePlace(FData, placeRow);
}

void TAtlasDlg::SaveZoneDefinition() {
    const std::string name = FromQText(Edit_Time_ZoneD->text());
    // A definition without a name could never be chosen again.
    if (name.empty()) {
        FPrompts.Beep(TBeep::Default);
        return;
    }
    if (SetZoneGregDate(FData, name, FGregDate.Value()))
        return;
    if (!FPrompts.AskYes(Text(584)))
        return;
    AddZoneDefinition(FData, name, FGregDate.Value(), FZoneHistory.Entries);
    LoadZoneHistory(name);
}

void TAtlasDlg::SaveSummerDefinition() {
    const std::string name = FromQText(Edit_Name_of_D->text());
    if (name.empty()) {
        FPrompts.Beep(TBeep::Default);
        return;
    }
    if (SummerRefFor(FData, name) != NoDefinitionRef)
        return;
    if (!FPrompts.AskYes(Text(545)))
        return;
    AddSummerDefinition(FData, name, FSummerHistory.Entries);
    LoadSummerHistory(name);
}

void TAtlasDlg::ShowPicked(const std::optional<std::string> &name, QLineEdit *edit,
                           void (TAtlasDlg::*loadHistory)(const std::string &)) {
    if (!name)
        return;
    const QString chosen = ToQText(*name);
    if (chosen == edit->text() && loadHistory)
        return; // the history shown is that definition's already
    edit->setText(chosen);
    if (loadHistory)
        (this->*loadHistory)(*name);
}

} // namespace kyr
