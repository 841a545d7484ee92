#include "SavePlaceDlg.h"

#include "AtlasEditing.h"
#include "Language.h"
#include "Translation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kyr {

namespace {

// D.MM as ±(degrees·100 + minutes), the nearest integer.
long long TableAngle(Extended value) {
    return std::llround(static_cast<double>(value * 100));
}

} // namespace

TSavePlaceDlg::TSavePlaceDlg(TDataCollection &data, const TLanguage &language, TAtlasPicks picks,
                             TAtlasPrompts prompts, QWidget *parent)
    : QDialog(parent), FData(data), FLanguage(language),
      FPicks(CompletePicks(std::move(picks), data, language, this)),
      FPrompts(CompletePrompts(std::move(prompts), this)) {
    setProperty("HelpContext", HelpContext);
    SetTag(this, 586);
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    const auto beep = [this] { FPrompts.Beep(TBeep::Hand); };
    int line = 0;
    const auto addRow = [&](int tag, QLayout *row, QWidget *buddy) {
        auto *label = new QLabel(this);
        SetTag(label, tag);
        label->setBuddy(buddy);
        grid->addWidget(label, line, 0);
        grid->addLayout(row, line, 1);
        ++line;
    };
    FPlace = new QLineEdit(this);
    FPlace->setMaxLength(40);
    FPlace->setMinimumWidth(260);
    auto *placeRow = new QHBoxLayout;
    placeRow->addWidget(FPlace);
    addRow(606, placeRow, FPlace);
    auto *latitudeRow = new QHBoxLayout;
    latitudeRow->setSpacing(4);
    FLatitude = MakeAngleFields(this, latitudeRow, 90, Text(169), Text(168), beep);
    latitudeRow->addStretch(1);
    addRow(605, latitudeRow, FLatitude.Degrees);
    auto *longitudeRow = new QHBoxLayout;
    longitudeRow->setSpacing(4);
    FLongitude = MakeAngleFields(this, longitudeRow, 180, Text(170), Text(171), beep);
    longitudeRow->addStretch(1);
    addRow(604, longitudeRow, FLongitude.Degrees);
    const auto definitionRow = [&](QLineEdit *&edit, int tag) {
        edit = new QLineEdit(this);
        auto *button = new QToolButton(this);
        button->setText(QStringLiteral("…"));
        SetTag(button, 2000);
        auto *row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(edit, 1);
        row->addWidget(button);
        addRow(tag, row, edit);
        return button;
    };
    QToolButton *zoneSearch = definitionRow(FZone, 603);
    QToolButton *summerSearch = definitionRow(FSummer, 596);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    FSaveButton = new QPushButton(this);
    FCloseButton = new QPushButton(this);
    SetTag(FSaveButton, 230);
    SetTag(FCloseButton, 227);
    FSaveButton->setAutoDefault(false);
    FCloseButton->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(FSaveButton);
    buttons->addWidget(FCloseButton);
    layout->addLayout(buttons);

    connect(FSaveButton, &QPushButton::clicked, this, &TSavePlaceDlg::Save);
    connect(FCloseButton, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit *edit : {FPlace, FZone, FSummer})
        connect(edit, &QLineEdit::textChanged, this, &TSavePlaceDlg::UpdateSave);
    connect(zoneSearch, &QToolButton::clicked, this, [this] {
        if (const auto name = FPicks.PickZone())
            FZone->setText(ToQText(*name));
    });
    connect(summerSearch, &QToolButton::clicked, this, [this] {
        if (const auto name = FPicks.PickSummer())
            FSummer->setText(ToQText(*name));
    });
    TranslateForm(FLanguage, this);
    UpdateSave();
}

QString TSavePlaceDlg::Text(int number) const {
    return ToQText(FLanguage.GetText(number));
}

void TSavePlaceDlg::Activate(const std::string &country, const std::string &place,
                             Extended latitude, Extended longitude) {
    FCountry = country;
    FPlace->setText(ToQText(place));
    FZone->clear();
    FSummer->clear();
    FLatitude.Show(TableAngle(latitude), Text(169), Text(168));
    FLongitude.Show(TableAngle(longitude), Text(170), Text(171));
    UpdateSave();
}

int TSavePlaceDlg::Execute(const std::string &country, const std::string &place, Extended latitude,
                           Extended longitude) {
    Activate(country, place, latitude, longitude);
    return exec();
}

void TSavePlaceDlg::UpdateSave() {
    FSaveButton->setEnabled(!FPlace->text().isEmpty() && !FZone->text().isEmpty() &&
                            !FSummer->text().isEmpty());
}

void TSavePlaceDlg::Save() {
    if (!FSaveButton->isEnabled())
        return;
    const std::optional<TStateRow> state = FindState(FData, FCountry);
    if (!state) {
        const QString country = ToQText(FCountry);
        const QString format = Text(1021);
        FPrompts.ShowInfo(format.isEmpty() ? Text(610) + QStringLiteral(" ") + country +
                                                 QStringLiteral(" ") + Text(611)
                                           : format.arg(country));
        return;
    }
    TPlaceRow row;
    row.StateID = state->StateID;
    row.PlaceName = FromQText(FPlace->text());
    // The place the atlas has already is left as it is; the dialog stays open.
    if (PlaceExists(FData, row.StateID, row.PlaceName)) {
        FPrompts.Beep(TBeep::Default);
        return;
    }
    row.Latitude = LatitudeValue(std::max(FieldValue(FLatitude.Degrees), 0),
                                 std::max(FieldValue(FLatitude.Minutes), 0),
                                 FromQText(FLatitude.Mark->text()), FLanguage.GetText(169));
    row.Longitude = LongitudeValue(std::max(FieldValue(FLongitude.Degrees), 0),
                                   std::max(FieldValue(FLongitude.Minutes), 0),
                                   FromQText(FLongitude.Mark->text()), FLanguage.GetText(171));
    row.ZoneRef = ZoneRefFor(FData, FromQText(FZone->text()));
    row.SummerRef = SummerRefFor(FData, FromQText(FSummer->text()));
    WritePlace(FData, row);
    accept();
}

} // namespace kyr
