// The name dialog's record: showing it page by page, saving it, the offsets from the atlas and
// the preview chart.
#include "NameDlg.h"

#include "ClockMoments.h"
#include "DataCollection.h"
#include "KyrSetup.h"
#include "Language.h"
#include "TextHelpers.h"
#include "Wheel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>

namespace kyr {

namespace {

std::string Text(const QLineEdit *edit) {
    return edit->text().toStdString();
}

void Show(QLineEdit *edit, const std::string &text) {
    const QString value = QString::fromStdString(text);
    if (edit->text() != value)
        edit->setText(value);
}

} // namespace

std::string TNameDlg::FirstName() const {
    return Text(FFirstName);
}
std::string TNameDlg::LastName() const {
    return Text(FLastName);
}
std::string TNameDlg::PlaceName() const {
    return Text(FPlace);
}
std::string TNameDlg::StateName() const {
    return Text(FCountry);
}

TNameFields TNameDlg::Fields() const {
    TNameFields f;
    f.FirstName = Text(FFirstName);
    f.LastName = Text(FLastName);
    f.Country = Text(FCountry);
    f.Place = Text(FPlace);
    f.Year = Text(FYear);
    f.Month = Text(FMonth);
    f.Day = Text(FDay);
    f.Hour = Text(FHour);
    f.Minute = Text(FMinute);
    f.Second = Text(FSecond);
    f.TimeUnknown = FTimeUnknown->isChecked();
    f.LatDegrees = Text(FLatDeg);
    f.LatMinutes = Text(FLatMin);
    f.LatMark = Text(FLatMark);
    f.LonDegrees = Text(FLonDeg);
    f.LonMinutes = Text(FLonMin);
    f.LonMark = Text(FLonMark);
    f.ZoneHours = Text(FZoneHour);
    f.ZoneMinutes = Text(FZoneMin);
    f.ZoneMark = Text(FZoneMark);
    f.SummerHours = Text(FSummerHour);
    f.SummerMinutes = Text(FSummerMin);
    f.Address1 = Text(FAddress[0]);
    f.Address2 = Text(FAddress[1]);
    f.PostalCode = Text(FAddress[2]);
    f.City = Text(FAddress[3]);
    f.AddressCountry = Text(FAddress[4]);
    f.Phone = Text(FAddress[5]);
    f.Fax = Text(FAddress[6]);
    f.EMail = Text(FAddress[7]);
    const QString notes = FMemo->toPlainText();
    if (!notes.isEmpty())
        for (const QString &line : notes.split(QLatin1Char('\n')))
            f.Notes.push_back(line.toStdString());
    f.Picture = FPicture;
    return f;
}

void TNameDlg::ShowFields(const TNameFields &f, int page) {
    switch (page) {
    case -1:
        Show(FFirstName, f.FirstName);
        Show(FLastName, f.LastName);
        break;
    case Basics:
        Show(FCountry, f.Country);
        Show(FPlace, f.Place);
        Show(FYear, f.Year);
        Show(FMonth, f.Month);
        Show(FDay, f.Day);
        Show(FHour, f.Hour);
        Show(FMinute, f.Minute);
        Show(FSecond, f.Second);
        FTimeUnknown->setChecked(f.TimeUnknown);
        break;
    case Details:
        Show(FLatDeg, f.LatDegrees);
        Show(FLatMin, f.LatMinutes);
        Show(FLatMark, f.LatMark);
        Show(FLonDeg, f.LonDegrees);
        Show(FLonMin, f.LonMinutes);
        Show(FLonMark, f.LonMark);
        Show(FZoneHour, f.ZoneHours);
        Show(FZoneMin, f.ZoneMinutes);
        Show(FZoneMark, f.ZoneMark);
        Show(FSummerHour, f.SummerHours);
        Show(FSummerMin, f.SummerMinutes);
        break;
    case Address:
        Show(FAddress[0], f.Address1);
        Show(FAddress[1], f.Address2);
        Show(FAddress[2], f.PostalCode);
        Show(FAddress[3], f.City);
        Show(FAddress[4], f.AddressCountry);
        Show(FAddress[5], f.Phone);
        Show(FAddress[6], f.Fax);
        Show(FAddress[7], f.EMail);
        break;
    case Picture:
        ShowPicture(f.Picture);
        break;
    case Notes: {
        QStringList lines;
        for (const std::string &line : f.Notes)
            lines << QString::fromStdString(line);
        const QString text = lines.join(QLatin1Char('\n'));
        if (FMemo->toPlainText() != text)
            FMemo->setPlainText(text);
        break;
    }
    default:
        break;
    }
}

void TNameDlg::ShowPicture(const TBytes &bytes) {
    QPixmap pixmap;
    if (!bytes.empty())
        pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()));
    // Bytes that are no picture show nothing and are not kept.
    FPicture = pixmap.isNull() ? TBytes() : bytes;
    FImage->setPixmap(pixmap);
    FRemovePicture->setEnabled(ButtonsOf(FEditState).KeepGroups && !FPicture.empty());
}

void TNameDlg::ClearName() {
    WantCoordinates(false);
    ++FFilling;
    FOffsetsStale = false;
    FZoneRef.clear();
    FSummerRef.clear();
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->clear();
    FGroupList->clear();
    FTimeUnknown->setChecked(false);
    ShowPicture({});
    FMemo->clear();
    --FFilling;
}

void TNameDlg::LoadName(const std::string &first, const std::string &last) {
    std::optional<TNameRecord> record;
    if (!first.empty() || !last.empty())
        record = FindName(FData, first, last);
    if (!record) {
        ClearName();
        ++FFilling;
        FTabs->setCurrentIndex(Basics);
        --FFilling;
        FPage = Basics;
        FPages->setCurrentIndex(Basics);
        FHoroscope.SetActive(false);
        SetEditState(TEditState::Empty);
        return;
    }
    WantCoordinates(false);
    ++FFilling;
    const TNameFields fields = FieldsFromRecord(*record, Marks());
    for (int page = -1; page <= Notes; ++page)
        ShowFields(fields, page);
    --FFilling;
    // The state before the groups page: a found name keeps its list.
    SetEditState(TEditState::Found);
    ReadPage(Groups);
    ReadPage(Horoscop);
    FOffsetsStale = false;
}

void TNameDlg::PreviewName(const std::string &first, const std::string &last) {
    const std::optional<TNameRecord> record = FindName(FData, first, last);
    if (!record)
        return;
    ++FFilling;
    const TNameFields fields = FieldsFromRecord(*record, Marks());
    ShowFields(fields, -1);
    ShowFields(fields, FPage);
    --FFilling;
    if (FPage == Groups)
        LoadGroups();
    else if (FPage == Horoscop)
        PreviewFromRecord(*record);
}

void TNameDlg::ReadPage(int page) {
    const std::optional<TNameRecord> record = FindName(FData, FirstName(), LastName());
    if (!record)
        return;
    if (page == Groups) {
        LoadGroups();
        return;
    }
    if (page == Horoscop) {
        PreviewFromRecord(*record);
        return;
    }
    ++FFilling;
    ShowFields(FieldsFromRecord(*record, Marks()), page);
    --FFilling;
}

void TNameDlg::LoadGroups() {
    FGroupList->clear();
    for (const std::string &group : GroupsOfName(FData, FirstName(), LastName()))
        FGroupList->addItem(QString::fromStdString(group));
}

void TNameDlg::SaveName() {
    if (FEditState == TEditState::Empty)
        return;
    kyr::SaveName(FData, WriteRecord());
    SetEditState(TEditState::Found);
}

TNameRecord TNameDlg::WriteRecord() const {
    return RecordFromFields(Fields(), Marks());
}

void TNameDlg::RecalcOffsets() {
    const TFieldOffsets found =
        OffsetsOfFields(FData, Fields(), FZoneSwitch->isChecked(), FSummerSwitch->isChecked());
    // Offsets come from the atlas only for a place it holds: without one, the typed offsets are
    // all the chart has, and 0 would put it hours wrong.
    if (!found.Place) {
        FOffsetsStale = false;
        return;
    }
    FZoneRef = found.Place->ZoneRef;
    FSummerRef = found.Place->SummerRef;
    const TPlaceOffsets offsets = OffsetsOfReading(*found.Place);
    TNameFields fields = Fields();
    if (FZoneSwitch->isChecked() && !found.Place->ZoneName.empty())
        ShowZoneOffset(fields, offsets.ZoneTime, Marks());
    if (FSummerSwitch->isChecked())
        ShowSummerOffset(fields, offsets.SummerTime);
    ++FFilling;
    ShowFields(fields, Details);
    --FFilling;
    FOffsetsStale = false;
}

TPlaceOffsets TNameDlg::OffsetsOfReading(const TAtlasPlace &place) {
    const TNameFields f = Fields();
    const TClockMoments moments =
        ClockMomentsForPlace(FData, place, DialogDateNumber(f), DialogTimeNumber(f),
                             FZoneSwitch->isChecked(), FSummerSwitch->isChecked());
    const bool later = moments.Reading == TClockReading::Repeated && FRepeatedAnswer &&
                       FRepeatedAnswer->Later && FRepeatedAnswer->State == place.StateName &&
                       FRepeatedAnswer->Place == place.PlaceName &&
                       FRepeatedAnswer->Date == DialogDateNumber(f) &&
                       FRepeatedAnswer->Time == DialogTimeNumber(f);
    return later ? moments.Later : moments.Earlier;
}

bool TNameDlg::ClockReadingSettled() {
    if (!FSummerSwitch->isChecked())
        return true;
    const std::optional<TAtlasPlace> place = FindAtlasPlace(FData, StateName(), PlaceName());
    if (!place)
        return true;
    const TNameFields f = Fields();
    const TDateTimeNumbers reading{DialogDateNumber(f), DialogTimeNumber(f)};
    TClockMoments moments = ClockMomentsForPlace(FData, *place, reading.Date, reading.Time,
                                                 FZoneSwitch->isChecked(), true);
    if (!FZoneSwitch->isChecked())
        moments.Earlier.ZoneTime = moments.Later.ZoneTime = kyr::DialogZoneTime(f, Marks());
    const auto clockText = [](long long time) {
        return QString::fromStdString(TwoDigits(static_cast<int>(time / 10000)) + ":" +
                                      TwoDigits(static_cast<int>(time / 100 % 100)));
    };
    if (moments.Reading == TClockReading::Skipped) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(1473)).arg(clockText(reading.Time)));
        return false;
    }
    if (moments.Reading != TClockReading::Repeated)
        return true;
    const bool answered = FRepeatedAnswer && FRepeatedAnswer->State == place->StateName &&
                          FRepeatedAnswer->Place == place->PlaceName &&
                          FRepeatedAnswer->Date == reading.Date &&
                          FRepeatedAnswer->Time == reading.Time;
    if (!answered) {
        const QString question =
            QString::fromStdString(FLanguage.GetText(1472))
                .arg(clockText(reading.Time),
                     clockText(UniversalMoment(reading, moments.Earlier).Time),
                     clockText(UniversalMoment(reading, moments.Later).Time));
        const int answer = Ask(question, true);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No)
            return false;
        FRepeatedAnswer = TRepeatedAnswer{place->StateName, place->PlaceName, reading.Date,
                                          reading.Time, answer == QMessageBox::No};
    }
    // The summer field shows the moment meant; the chart takes it from there.
    RecalcOffsets();
    return true;
}

bool TNameDlg::DateIsValid() const {
    return kyr::DateIsValid(Fields());
}

bool TNameDlg::BirthDataAccepted() {
    if (!CoordinatesGiven())
        return false;
    // An impossible date or time would reach the charts later, bent or not at all.
    if (!DateIsValid()) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(444)));
        return false;
    }
    if (!TimeIsValid(Fields())) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(1490)));
        return false;
    }
    if (!ClockReadingSettled())
        return false;
    // A calendar date can still lie outside the days the ephemeris computes (early January
    // 1500); the moment counts, with its zone and summer time.
    THoroscope moment;
    try {
        ApplyToHoroscope(moment);
    } catch (const EHoroscopeException &) {
        return true; // a value the chart refuses by itself, with its own message
    }
    if (const auto outside = moment.UnsupportedMomentMessage()) {
        ShowMessage(QString::fromStdString(*outside));
        return false;
    }
    return true;
}
Extended TNameDlg::DialogBirthDate() const {
    return kyr::DialogBirthDate(Fields());
}
Extended TNameDlg::DialogBirthTime() const {
    return kyr::DialogBirthTime(Fields());
}
Extended TNameDlg::DialogLatitude() const {
    return kyr::DialogLatitude(Fields(), Marks());
}
Extended TNameDlg::DialogLongitude() const {
    return kyr::DialogLongitude(Fields(), Marks());
}

Extended TNameDlg::DialogZoneTime() {
    if (FOffsetsStale)
        RecalcOffsets();
    return kyr::DialogZoneTime(Fields(), Marks());
}

Extended TNameDlg::DialogSummerTime() {
    if (FOffsetsStale)
        RecalcOffsets();
    return kyr::DialogSummerTime(Fields());
}

void TNameDlg::ApplyToHoroscope(THoroscope &horoscope) {
    horoscope.SetActive(false);
    horoscope.FirstName = TruncateString48(FirstName());
    horoscope.LastName = TruncateString48(LastName());
    horoscope.PlaceName = TruncateString48(PlaceName());
    horoscope.StateName = TruncateString48(StateName());
    horoscope.SetLongitude(DialogLongitude());
    horoscope.SetLatitude(DialogLatitude());
    horoscope.SetBirthTime(DialogBirthTime());
    horoscope.SetBirthDate(DialogBirthDate());
    horoscope.SetSummerTime(DialogSummerTime());
    horoscope.SetZoneTime(DialogZoneTime());
    horoscope.SetGregorianStart(
        FData.GregorianStartFor(StateName(), PlaceName(), horoscope.BirthDate()));
}

void TNameDlg::PreviewFromRecord(const TNameRecord &record) {
    const TBirthValues values = BirthValuesOf(record);
    FHoroscope.SetActive(false);
    try {
        if (FHoroscope.HouseSystem() == HouseEqual)
            FHoroscope.SetHouseSystem(HousePlacidus);
        FHoroscope.SetBirthDate(values.BirthDate);
        FHoroscope.SetBirthTime(values.BirthTime);
        FHoroscope.SetLatitude(values.Latitude);
        FHoroscope.SetLongitude(values.Longitude);
        FHoroscope.SetZoneTime(values.ZoneTime);
        FHoroscope.SetSummerTime(values.SummerTime);
        FHoroscope.SetGregorianStart(
            FData.GregorianStartFor(record.BirthCountry, record.BirthTown, values.BirthDate));
        if (FEditState != TEditState::Empty && FPage == Horoscop)
            FHoroscope.SetActive(true);
    } catch (const std::exception &error) {
        ShowHoroscopeError(error);
    }
}

bool TNameDlg::PreviewFromFields() {
    FHoroscope.SetActive(false);
    try {
        if (FHoroscope.HouseSystem() == HouseEqual)
            FHoroscope.SetHouseSystem(HousePlacidus);
        FHoroscope.SetBirthDate(DialogBirthDate());
        FHoroscope.SetBirthTime(DialogBirthTime());
        FHoroscope.SetLatitude(DialogLatitude());
        FHoroscope.SetLongitude(DialogLongitude());
        FHoroscope.SetZoneTime(DialogZoneTime());
        FHoroscope.SetSummerTime(DialogSummerTime());
        FHoroscope.SetGregorianStart(
            FData.GregorianStartFor(StateName(), PlaceName(), DialogBirthDate()));
        FHoroscope.SetActive(true);
    } catch (const std::exception &error) {
        ShowHoroscopeError(error);
        return false;
    }
    return true;
}

void TNameDlg::ShowHoroscopeError(const std::exception &error) {
    // A value the chart refuses (a zone beyond twelve hours): the page shows no chart.
    FHoroscope.SetActive(false);
    ShowMessage(QString::fromUtf8(error.what()));
}

} // namespace kyr
