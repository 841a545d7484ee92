#include "EditRange.h"

#include "RangeCheck.h"

#include <QLineEdit>

namespace kyr {

bool CheckEditRange(QLineEdit *edit, int min, int max, const std::function<void()> &beep) {
    const TRangeCheck check = CheckRange(edit->text().toStdString(), min, max);
    if (check.Replacement) {
        edit->setText(QString::fromStdString(*check.Replacement));
        if (beep)
            beep();
        if (edit->isVisible() && edit->isEnabled())
            edit->setFocus();
    }
    return check.InRange;
}

void GuardRange(QLineEdit *edit, int low, int high, std::function<void()> beep) {
    QObject::connect(edit, &QLineEdit::editingFinished, edit,
                     [edit, low, high, beep = std::move(beep)] {
                         CheckEditRange(edit, low, high, beep);
                     });
}

} // namespace kyr
