#include "TitleWidth.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QWidget>

namespace kyr {

namespace {
/// Close, maximise and minimise buttons, the icon and the frame's margins.
constexpr int FrameButtonsWidth = 160;
} // namespace

int TitleBarWidth(const QString &title) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QString shown = title + QStringLiteral(" \u2014 ") + QGuiApplication::applicationDisplayName();
    return QFontMetrics(font).horizontalAdvance(shown) + FrameButtonsWidth;
}

void KeepTitleVisible(QWidget *dialog) {
    if (!dialog)
        return;
    const int needed = TitleBarWidth(dialog->windowTitle());
    QLayout *layout = dialog->layout();
    if (!layout || layout->sizeConstraint() != QLayout::SetFixedSize) {
        dialog->setMinimumWidth(std::max(dialog->minimumWidth(), needed));
        return;
    }
    // A fixed-size layout sets the dialog to its own hint: the hint has to grow.
    const int have = layout->totalSizeHint().width();
    if (have >= needed)
        return;
    if (auto *box = qobject_cast<QBoxLayout *>(layout);
        box && (box->direction() == QBoxLayout::LeftToRight ||
                box->direction() == QBoxLayout::RightToLeft))
        box->addSpacing(needed - have);
    else
        layout->addItem(new QSpacerItem(needed, 0));
}

} // namespace kyr
