#include "ContextHelp.h"

#include <QApplication>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
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

void TContextHelp::MenuItemHelp(QMenu *menu, const QAction *item) {
    const int helpNo = item->property("HelpContext").toInt();
    for (QWidget *w = menu; auto *open = qobject_cast<QMenu *>(w); w = open->parentWidget())
        open->hide();
    SetHelpMode(false);
    if (OnHelp)
        OnHelp(helpNo > 0 ? helpNo : HelpContextOf(menu));
}

bool TContextHelp::HelpModeHandled(QObject *watched, QEvent *event) {
    if (!HelpMode())
        return false;
    switch (event->type()) {
    case QEvent::Shortcut:
        // A command's key: the action itself receives the event.
        if (auto *action = qobject_cast<QAction *>(watched); action && !action->menu()) {
            const int helpNo = action->property("HelpContext").toInt();
            if (helpNo <= 0)
                return false;
            SetHelpMode(false);
            if (OnHelp)
                OnHelp(helpNo);
            return true;
        }
        return false;
    case QEvent::MouseButtonPress: {
        auto *menu = qobject_cast<QMenu *>(watched);
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!menu || mouse->button() != Qt::LeftButton)
            return false;
        const QAction *item = menu->actionAt(mouse->position().toPoint());
        if (!item || item->isSeparator() || item->menu())
            return false;
        // QMenu runs the item on the release, which must not follow.
        FSwallowRelease = true;
        MenuItemHelp(menu, item);
        return true;
    }
    case QEvent::KeyPress: {
        // Only the toolbar's switch: with Alt held the letters are the menu's accelerators.
        auto *menu = qobject_cast<QMenu *>(watched);
        if (!menu || !FSwitchedOn)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const QAction *item = nullptr;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            item = menu->activeAction();
        else if (!key->text().isEmpty())
            for (const QAction *a : menu->actions())
                if (!a->isSeparator() && !a->menu() &&
                    QKeySequence::mnemonic(a->text()) ==
                        QKeySequence(Qt::ALT | QKeySequence(key->text().toUpper())[0].key()))
                    item = a;
        if (!item || item->isSeparator() || item->menu())
            return false;
        MenuItemHelp(menu, item);
        return true;
    }
    default:
        return false;
    }
}

bool TContextHelp::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonRelease && FSwallowRelease) {
        FSwallowRelease = false;
        return true;
    }
    if (HelpModeHandled(watched, event))
        return true;
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
