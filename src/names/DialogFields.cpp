#include "DialogFields.h"

#include "NameFields.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace kyr {

TKeyFilter::TKeyFilter(QLineEdit *edit, std::function<void()> beep)
    : QObject(edit), FEdit(edit), FHemisphere(false), FBeep(std::move(beep)) {
    edit->installEventFilter(this);
}

TKeyFilter::TKeyFilter(QLineEdit *edit, QString mark1, QString mark2, std::function<void()> beep)
    : QObject(edit), FEdit(edit), FHemisphere(true), FMark1(std::move(mark1)),
      FMark2(std::move(mark2)), FBeep(std::move(beep)) {
    edit->installEventFilter(this);
}

void TKeyFilter::SetMarks(const QString &mark1, const QString &mark2) {
    FMark1 = mark1;
    FMark2 = mark2;
}

bool TKeyFilter::eventFilter(QObject *watched, QEvent *event) {
    if (watched != FEdit || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    // Keys without a character (arrows, Tab) and shortcuts pass untouched.
    if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const char32_t code = text.toUcs4().value(0);
    if (!FHemisphere) {
        if (DigitKeyAccepted(code))
            return false;
    } else {
        if (code < 32 || code == 127)
            return false; // control keys: backspace, return
        if (const auto mark =
                HemisphereKey(text.toStdString(), FMark1.toStdString(), FMark2.toStdString())) {
            FEdit->setText(QString::fromStdString(*mark));
            return true;
        }
    }
    if (FBeep)
        FBeep();
    return true;
}

} // namespace kyr
