#include "FramePlace.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QWidget>

namespace kyr {

QWidget *FormFrame(QWidget *form) {
    if (!form)
        return nullptr;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return sub;
    return form;
}

TWindowFrame FrameOf(const QWidget *frame) {
    TWindowFrame result;
    const QRect bounds = frame->geometry();
    result.Bounds = {bounds.x(), bounds.y(), bounds.width(), bounds.height()};
    if (frame->isMinimized())
        result.State = WindowMinimised;
    else if (frame->isMaximized())
        result.State = WindowMaximised;
    return result;
}

void ApplyFrame(QWidget *frame, const TWindowFrame &place) {
    Qt::WindowStates state = Qt::WindowNoState;
    if (place.State == WindowMinimised)
        state = Qt::WindowMinimized;
    else if (place.State == WindowMaximised)
        state = Qt::WindowMaximized;
    // A sub-window shows itself again on every state change; activation is not ours to touch.
    const Qt::WindowStates current = frame->windowState();
    if ((current & ~Qt::WindowActive) != state)
        frame->setWindowState(state | (current & Qt::WindowActive));
    // A place without a size (never stored) leaves the frame as it is.
    if (state == Qt::WindowNoState && place.Bounds.Width > 0 && place.Bounds.Height > 0)
        frame->setGeometry(place.Bounds.Left, place.Bounds.Top, place.Bounds.Width,
                           place.Bounds.Height);
}

TFramePlace::TFramePlace(QWidget *form, TWindowPlace &place)
    : QObject(form), FForm(form), FPlace(place) {
    form->installEventFilter(this);
}

void TFramePlace::Restore() {
    QWidget *frame = Frame();
    TWindowFrame wanted = FrameOf(frame);
    RestorePlace(wanted, FPlace);
    FRestoredFrame = frame;
    FRestoring = true;
    ApplyFrame(frame, wanted);
    FRestoring = false;
}

void TFramePlace::Store() {
    const TWindowFrame frame = FrameOf(Frame());
    StorePlace(&frame, FPlace);
}

void TFramePlace::StoreAfterResize() {
    // A maximised sub-window drops its maximised state while the MDI area resizes it; the
    // place is taken once the resize is over, so that the screen-sized bounds are not kept.
    if (FRestoring || Frame() != FRestoredFrame || FStorePending)
        return;
    FStorePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FStorePending = false;
            if (Frame() == FRestoredFrame)
                Store();
        },
        Qt::QueuedConnection);
}

bool TFramePlace::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (watched == FForm) {
        if (type == QEvent::ParentChange && Frame() != FForm) {
            FRestoredFrame = nullptr;
            Frame()->installEventFilter(this);
        } else if (type == QEvent::Show && Frame() == FForm && FRestoredFrame != FForm) {
            Restore();
        } else if (type == QEvent::Resize) {
            StoreAfterResize();
        } else if (type == QEvent::Close) {
            Store();
        }
    } else if (type == QEvent::Show && watched == Frame() && FRestoredFrame != Frame()) {
        Restore();
    }
    return false;
}

} // namespace kyr
