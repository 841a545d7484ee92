// Helpers for the numeric fields of the dialogs: key filters, the range check on leaving a field
// and the order of the date fields.
#pragma once

#include "EditRange.h"
#include "LocaleDate.h"

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace kyr {

/// Filters the keys of a line edit: a digit field refuses what DigitKeyAccepted refuses; a
/// hemisphere field takes only one of its two marks and shows it upper-cased in place of the
/// old one. A refused key sounds the beep.
class TKeyFilter : public QObject {
    Q_OBJECT
public:
    /// A digit field.
    TKeyFilter(QLineEdit *edit, std::function<void()> beep);
    /// A hemisphere field with its two marks; the marks may change with the language.
    TKeyFilter(QLineEdit *edit, QString mark1, QString mark2, std::function<void()> beep);

    void SetMarks(const QString &mark1, const QString &mark2);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *FEdit;
    bool FHemisphere;
    QString FMark1, FMark2;
    std::function<void()> FBeep;
};

} // namespace kyr
