// The small parts the atlas dialogs share: digit and hemisphere fields, range checks on leaving
// a field, rows of angle, date and time fields, and the questions, notices and beeps the
// dialogs hand to their owner.
#pragma once

#include "EditRange.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QHBoxLayout;
class QLineEdit;

namespace kyr {

class TDataCollection;
class TLanguage;

/// The beep of a refused action: the default sound, or the hand sound (code 16).
enum class TBeep { Default = 0, Hand = 16 };

/// How a dialog talks to the user beyond its own fields. Unset members fall back to message
/// boxes and the system beep (DefaultPrompts); tests answer them.
struct TAtlasPrompts {
    /// A yes/no question; true for yes.
    std::function<bool(const QString &text)> AskYes;
    /// A notice with one OK button.
    std::function<void(const QString &text)> ShowInfo;
    /// A notice the user confirms or dismisses; true when confirmed.
    std::function<bool(const QString &text)> Confirm;
    std::function<void(TBeep kind)> Beep;
};

/// Fills the unset members of prompts with message boxes over parent and QApplication::beep.
TAtlasPrompts CompletePrompts(TAtlasPrompts prompts, QWidget *parent);

/// The atlas's choices from lists (the search dialog). Each returns the chosen name, or none
/// when the user cancels.
struct TAtlasPicks {
    std::function<std::optional<std::string>()> PickState;
    std::function<std::optional<std::string>(const std::string &state)> PickPlace;
    std::function<std::optional<std::string>()> PickZone;
    std::function<std::optional<std::string>()> PickSummer;
};

/// Fills the unset members with TAtlasPickDlg over the data's tables.
TAtlasPicks CompletePicks(TAtlasPicks picks, TDataCollection &data, const TLanguage &language,
                          QWidget *parent);

/// A field for digits only, at most maxLength of them.
QLineEdit *MakeDigitEdit(QWidget *parent, int maxLength);
/// A one-letter field that takes only the two marks (typed in either case, kept upper-case).
QLineEdit *MakeMarkEdit(QWidget *parent, const QString &firstMark, const QString &secondMark);
/// Gives a mark field other marks (after a language change).
void SetMarks(QLineEdit *edit, const QString &firstMark, const QString &secondMark);

/// The field's integer value, or -1 when it is empty or no number.
int FieldValue(const QLineEdit *edit);

/// Year, month and day fields in the order of the locale's short date format (Y, M and D),
/// with the locale's separator between them, added to row; the tab order follows.
struct TDateFields {
    QLineEdit *Year = nullptr;
    QLineEdit *Month = nullptr;
    QLineEdit *Day = nullptr;
    void Clear();
    /// YYYYMMDD from the three fields (empty fields count 0).
    long long Value() const;
    void Show(long long yyyymmdd);
};
TDateFields ArrangeDateFields(QWidget *parent, QHBoxLayout *row);
/// Keeps the year within firstYear..lastYear, the month and the day within their calendar limits.
void GuardDate(const TDateFields &fields, int firstYear, int lastYear,
               const std::function<void()> &beep);
/// What an empty year, month and day field stands for, from the language.
void SetDatePlaceholders(const TDateFields &fields, const TLanguage &language);

/// Degrees, minutes and a hemisphere mark.
struct TAngleFields {
    QLineEdit *Degrees = nullptr;
    QLineEdit *Minutes = nullptr;
    QLineEdit *Mark = nullptr;
    void Clear();
    /// degrees = |v| div 100, minutes two digits, mark negativeMark when v < 0.
    void Show(long long value, const QString &positiveMark, const QString &negativeMark);
};
/// Adds degree, minute and mark fields to row; maxDegrees is 90 or 180.
TAngleFields MakeAngleFields(QWidget *parent, QHBoxLayout *row, int maxDegrees,
                             const QString &firstMark, const QString &secondMark,
                             std::function<void()> beep);

/// Hours and minutes with a colon between, each held to its range.
struct TClockFields {
    QLineEdit *Hours = nullptr;
    QLineEdit *Minutes = nullptr;
    void Clear();
    /// hours·100 + minutes as hours and two-digit minutes.
    void Show(long long hhmm);
};
TClockFields MakeClockFields(QWidget *parent, QHBoxLayout *row, std::function<void()> beep);
/// What empty hours and minutes fields stand for, from the language.
void SetClockPlaceholders(const TClockFields &fields, const TLanguage &language);

inline QString ToQText(const std::string &text) {
    return QString::fromStdString(text);
}
inline std::string FromQText(const QString &text) {
    return text.toStdString();
}

} // namespace kyr
