#include "AtlasFields.h"

#include "AtlasPickDlg.h"
#include "Language.h"
#include "LocaleDate.h"
#include "TextHelpers.h"
#include "Translation.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QValidator>

#include <algorithm>
#include <utility>
#include <vector>

namespace kyr {

namespace {

// Accepts nothing or one of two one-letter marks, typed in either case.
class TMarkValidator : public QValidator {
public:
    TMarkValidator(const QString &first, const QString &second, QObject *parent)
        : QValidator(parent), First(first.toUpper()), Second(second.toUpper()) {}

    State validate(QString &input, int &) const override {
        input = input.toUpper();
        if (input.isEmpty() || input == First || input == Second)
            return Acceptable;
        return Invalid;
    }

    QString First;
    QString Second;
};

// Fields sized to their digits, so that the rows stay compact and aligned.
// Two-digit fields leave room for their placeholders ("mm").
void FitWidth(QLineEdit *edit, int characters) {
    const QFontMetrics metrics(edit->font());
    int width = metrics.horizontalAdvance(QString(characters, QLatin1Char('0')));
    if (characters <= 2)
        width = std::max(width, metrics.horizontalAdvance(QStringLiteral("mm")));
    edit->setFixedWidth(width + 14);
}

QLabel *Separator(QWidget *parent, const QString &text) {
    auto *label = new QLabel(text, parent);
    // Separators are the same in every language.
    SetTag(label, 2000);
    return label;
}

} // namespace

TAtlasPrompts CompletePrompts(TAtlasPrompts prompts, QWidget *parent) {
    if (!prompts.AskYes)
        prompts.AskYes = [parent](const QString &text) {
            return QMessageBox::question(parent, QString(), text,
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        };
    if (!prompts.ShowInfo)
        prompts.ShowInfo = [parent](const QString &text) {
            QMessageBox::information(parent, QString(), text);
        };
    if (!prompts.Confirm)
        prompts.Confirm = [parent](const QString &text) {
            return QMessageBox::information(parent, QString(), text,
                                            QMessageBox::Ok | QMessageBox::Cancel) ==
                   QMessageBox::Ok;
        };
    if (!prompts.Beep)
        prompts.Beep = [](TBeep) { QApplication::beep(); };
    return prompts;
}

TAtlasPicks CompletePicks(TAtlasPicks picks, TDataCollection &data, const TLanguage &language,
                          QWidget *parent) {
    TDataCollection *d = &data;
    const TLanguage *l = &language;
    const auto pick = [d, l, parent](TAtlasPickDlg::TMode mode, const std::string &state) {
        TAtlasPickDlg dialog(*d, *l, parent);
        return dialog.Pick(mode, state);
    };
    if (!picks.PickState)
        picks.PickState = [pick] { return pick(TAtlasPickDlg::States, {}); };
    if (!picks.PickPlace)
        picks.PickPlace = [pick](const std::string &state) {
            return pick(TAtlasPickDlg::Places, state);
        };
    if (!picks.PickZone)
        picks.PickZone = [pick] { return pick(TAtlasPickDlg::Zones, {}); };
    if (!picks.PickSummer)
        picks.PickSummer = [pick] { return pick(TAtlasPickDlg::Summers, {}); };
    return picks;
}

QLineEdit *MakeDigitEdit(QWidget *parent, int maxLength) {
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setAlignment(Qt::AlignRight);
    FitWidth(edit, std::max(maxLength, 2));
    // A refused key sounds, as every refused action does.
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [] { QApplication::beep(); });
    return edit;
}

QLineEdit *MakeMarkEdit(QWidget *parent, const QString &firstMark, const QString &secondMark) {
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(1);
    edit->setValidator(new TMarkValidator(firstMark, secondMark, edit));
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(QFontMetrics(edit->font()).horizontalAdvance(QStringLiteral("WW")) + 10);
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [] { QApplication::beep(); });
    return edit;
}

void SetMarks(QLineEdit *edit, const QString &firstMark, const QString &secondMark) {
    if (auto *validator =
            dynamic_cast<TMarkValidator *>(const_cast<QValidator *>(edit->validator()))) {
        validator->First = firstMark.toUpper();
        validator->Second = secondMark.toUpper();
    }
}

int FieldValue(const QLineEdit *edit) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : -1;
}

void TDateFields::Clear() {
    Year->clear();
    Month->clear();
    Day->clear();
}

long long TDateFields::Value() const {
    const auto value = [](const QLineEdit *edit) { return std::max(FieldValue(edit), 0); };
    return value(Year) * 10000LL + value(Month) * 100LL + value(Day);
}

void TDateFields::Show(long long yyyymmdd) {
    Year->setText(QString::number(yyyymmdd / 10000));
    Month->setText(ToQText(TwoDigits(static_cast<int>(yyyymmdd / 100 % 100))));
    Day->setText(ToQText(TwoDigits(static_cast<int>(yyyymmdd % 100))));
}

TDateFields ArrangeDateFields(QWidget *parent, QHBoxLayout *row) {
    TDateFields fields;
    fields.Year = MakeDigitEdit(parent, 4);
    fields.Month = MakeDigitEdit(parent, 2);
    fields.Day = MakeDigitEdit(parent, 2);
    // The fields, their separators and the tab order follow the locale's short date.
    const QString letters = LocaleDateOrder();
    std::vector<QLineEdit *> order;
    for (const QChar letter : letters)
        order.push_back(letter == QLatin1Char('Y')   ? fields.Year
                        : letter == QLatin1Char('M') ? fields.Month
                                                     : fields.Day);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0)
            row->addWidget(Separator(parent, LocaleDateSeparator()));
        row->addWidget(order[i]);
    }
    QWidget::setTabOrder(order[0], order[1]);
    QWidget::setTabOrder(order[1], order[2]);
    return fields;
}

void GuardDate(const TDateFields &fields, int firstYear, int lastYear,
               const std::function<void()> &beep) {
    GuardRange(fields.Year, firstYear, lastYear, beep);
    GuardRange(fields.Month, 1, 12, beep);
    GuardRange(fields.Day, 1, 31, beep);
}

void SetDatePlaceholders(const TDateFields &fields, const TLanguage &language) {
    fields.Year->setPlaceholderText(ToQText(language.GetText(1201)));
    fields.Month->setPlaceholderText(ToQText(language.GetText(1202)));
    fields.Day->setPlaceholderText(ToQText(language.GetText(1203)));
}

void SetClockPlaceholders(const TClockFields &fields, const TLanguage &language) {
    fields.Hours->setPlaceholderText(ToQText(language.GetText(1204)));
    fields.Minutes->setPlaceholderText(ToQText(language.GetText(1205)));
}

void TAngleFields::Clear() {
    Degrees->clear();
    Minutes->clear();
    Mark->clear();
}

void TAngleFields::Show(long long value, const QString &positiveMark, const QString &negativeMark) {
    const long long magnitude = value < 0 ? -value : value;
    Degrees->setText(QString::number(magnitude / 100));
    Minutes->setText(ToQText(TwoDigits(static_cast<int>(magnitude % 100))));
    Mark->setText(value < 0 ? negativeMark : positiveMark);
}

TAngleFields MakeAngleFields(QWidget *parent, QHBoxLayout *row, int maxDegrees,
                             const QString &firstMark, const QString &secondMark,
                             std::function<void()> beep) {
    TAngleFields fields;
    fields.Degrees = MakeDigitEdit(parent, 3);
    fields.Minutes = MakeDigitEdit(parent, 2);
    fields.Mark = MakeMarkEdit(parent, firstMark, secondMark);
    GuardRange(fields.Degrees, 0, maxDegrees, beep);
    GuardRange(fields.Minutes, 0, 59, beep);
    row->addWidget(fields.Degrees);
    row->addWidget(Separator(parent, QStringLiteral("°")));
    row->addWidget(fields.Minutes);
    row->addWidget(Separator(parent, QStringLiteral("'")));
    row->addWidget(fields.Mark);
    return fields;
}

void TClockFields::Clear() {
    Hours->clear();
    Minutes->clear();
}

void TClockFields::Show(long long hhmm) {
    Hours->setText(QString::number(hhmm / 100));
    Minutes->setText(ToQText(TwoDigits(static_cast<int>(hhmm % 100))));
}

TClockFields MakeClockFields(QWidget *parent, QHBoxLayout *row, std::function<void()> beep) {
    TClockFields fields;
    fields.Hours = MakeDigitEdit(parent, 2);
    fields.Minutes = MakeDigitEdit(parent, 2);
    GuardRange(fields.Hours, 0, 23, beep);
    GuardRange(fields.Minutes, 0, 59, beep);
    row->addWidget(fields.Hours);
    row->addWidget(Separator(parent, QStringLiteral(":")));
    row->addWidget(fields.Minutes);
    return fields;
}

} // namespace kyr
