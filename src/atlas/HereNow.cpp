#include "HereNow.h"

#include "KyrSetup.h"
#include "Language.h"
#include "TextHelpers.h"
#include "Translation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kyr {

std::string HerePlaceSeparator(const TLanguage &language) {
    const std::string separator = language.ListSeparator();
    return separator.find(',') == std::string::npos ? std::string(", ") : separator;
}

bool DefineHere(TKyrSetup &setup, const TLanguage &language, const TAtlasPicks &picks,
                const TAtlasPrompts &prompts) {
    if (!prompts.Confirm(ToQText(language.GetText(673))))
        return false;
    const std::optional<std::string> state = picks.PickState();
    if (!state || state->empty())
        return false;
    if (!prompts.Confirm(ToQText(language.GetText(674))))
        return false;
    const std::optional<std::string> place = picks.PickPlace(*state);
    if (!place || place->empty())
        return false;
    setup.SetPlace(*state + HerePlaceSeparator(language) + *place);
    return true;
}

bool DefineHere(TKyrSetup &setup, TDataCollection &data, const TLanguage &language,
                QWidget *parent) {
    return DefineHere(setup, language, CompletePicks({}, data, language, parent),
                      CompletePrompts({}, parent));
}

TSetNowDlg::TSetNowDlg(const TLanguage &language, QWidget *parent)
    : QDialog(parent), FLanguage(language) {
    Clock = [] { return QDateTime::currentDateTime(); };
    SetTag(this, 1200);
    auto *layout = new QVBoxLayout(this);
    auto *explanation = new QLabel(this);
    SetTag(explanation, 620);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    auto *grid = new QGridLayout;
    const auto beep = [] { QApplication::beep(); };
    auto *dateRow = new QHBoxLayout;
    dateRow->setSpacing(4);
    const TDateFields date = ArrangeDateFields(this, dateRow);
    dateRow->addStretch(1);
    FFields[0] = date.Year;
    FFields[1] = date.Month;
    FFields[2] = date.Day;
    GuardDate(date, 1980, 2099, beep);
    auto *timeRow = new QHBoxLayout;
    timeRow->setSpacing(4);
    const TClockFields clock = MakeClockFields(this, timeRow, beep);
    FFields[3] = clock.Hours;
    FFields[4] = clock.Minutes;
    FFields[5] = MakeDigitEdit(this, 2);
    GuardRange(FFields[5], 0, 59, beep);
    auto *colon = new QLabel(QStringLiteral(":"), this);
    SetTag(colon, 2000);
    timeRow->addWidget(colon);
    timeRow->addWidget(FFields[5]);
    timeRow->addStretch(1);
    auto *dateLabel = new QLabel(this);
    auto *timeLabel = new QLabel(this);
    SetTag(dateLabel, 392);
    SetTag(timeLabel, 393);
    dateLabel->setBuddy(date.Year);
    timeLabel->setBuddy(clock.Hours);
    grid->addWidget(dateLabel, 0, 0);
    grid->addLayout(dateRow, 0, 1);
    grid->addWidget(timeLabel, 1, 0);
    grid->addLayout(timeRow, 1, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto *buttons = new QDialogButtonBox(this);
    FOk = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    QPushButton *help = buttons->addButton(QString(), QDialogButtonBox::HelpRole);
    SetTag(FOk, 506);
    SetTag(cancel, 507);
    SetTag(help, 502);
    FUseClock = buttons->addButton(QString(), QDialogButtonBox::ResetRole);
    FUseClock->setObjectName(QStringLiteral("UseClockButton"));
    SetTag(FUseClock, 1475);
    connect(FUseClock, &QPushButton::clicked, this, [this] { done(UseClockResult); });
    FOk->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });

    for (int i = 0; i < 5; ++i)
        connect(FFields[i], &QLineEdit::textEdited, this, [this, i] { FChanged[i] = true; });
    FTimer = new QTimer(this);
    FTimer->setInterval(1000);
    connect(FTimer, &QTimer::timeout, this, &TSetNowDlg::Tick);
    Retranslate();
    Fill(true);
}

void TSetNowDlg::Retranslate() {
    TranslateForm(FLanguage, this);
    SetDatePlaceholders({FFields[0], FFields[1], FFields[2]}, FLanguage);
    SetClockPlaceholders({FFields[3], FFields[4]}, FLanguage);
}

void TSetNowDlg::Fill(bool all) {
    const QDateTime now = Clock();
    const QDate date = now.date();
    const QTime time = now.time();
    const int values[6] = {date.year(), date.month(),  date.day(),
                           time.hour(), time.minute(), time.second()};
    for (int i = 0; i < 6; ++i) {
        if (i < 5 && !all && FChanged[i])
            continue;
        FFields[i]->setText(i == 0 ? QString::number(values[i]) : ToQText(TwoDigits(values[i])));
    }
}

void TSetNowDlg::Tick() {
    Fill(false);
}

QDateTime TSetNowDlg::Moment() const {
    int values[6];
    for (int i = 0; i < 6; ++i)
        values[i] = FieldValue(FFields[i]);
    const QDate date(values[0], values[1], values[2]);
    const QTime time(values[3], values[4], values[5]);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

void TSetNowDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    FOk->setFocus();
    FTimer->start();
}

void TSetNowDlg::hideEvent(QHideEvent *event) {
    FTimer->stop();
    QDialog::hideEvent(event);
}

} // namespace kyr
