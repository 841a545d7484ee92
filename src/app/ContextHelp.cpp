#include "ContextHelp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace kyr {

TContextHelp::TContextHelp(QObject *parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

TContextHelp::~TContextHelp() {
    if (HelpMode())
        QApplication::restoreOverrideCursor();
}

int TContextHelp::HelpContextOf(const QObject *widget) {
    // Up to the window the widget is in: a dialog without help does not show its owner's.
    for (const QObject *o = widget; o; o = o->parent()) {
        const int n = o->property("HelpContext").toInt();
        if (n > 0)
            return n;
        if (o->isWidgetType() && static_cast<const QWidget *>(o)->isWindow())
            break;
    }
    return 0;
}

void TContextHelp::SetHelpMode(bool on) {
    const bool was = HelpMode();
    FSwitchedOn = on;
    UpdateCursor(was);
}

void TContextHelp::UpdateCursor(bool wasOn) {
    if (HelpMode() && !wasOn)
        QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    else if (!HelpMode() && wasOn)
        QApplication::restoreOverrideCursor();
}

bool TContextHelp::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Alt && !key->isAutoRepeat()) {
            const bool was = HelpMode();
            FKeyHeld = event->type() == QEvent::KeyPress;
            UpdateCursor(was);
        }
        break;
    }
    case QEvent::ApplicationDeactivate: {
        // The release of a key held while switching away never comes back here.
        const bool was = HelpMode();
        FKeyHeld = false;
        UpdateCursor(was);
        break;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!HelpMode() || mouse->button() != Qt::LeftButton || !watched->isWidgetType())
            break;
        // The event goes first to the window, then to the control: take it at the control.
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow() && widget->childAt(mouse->position().toPoint()))
            break;
        const int helpNo = HelpContextOf(widget);
        SetHelpMode(false);
        if (OnHelp)
            OnHelp(helpNo);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kyr
