#include "TableWindow.h"

#include "Horoscope.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QMdiSubWindow>
#include <QPalette>

namespace kyr {

namespace {

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
    if (state == Qt::WindowNoState)
        frame->setGeometry(place.Bounds.Left, place.Bounds.Top, place.Bounds.Width,
                           place.Bounds.Height);
}

} // namespace

TTableWindow::TTableWindow(const TTableDesign &design, TWindowPlace &place,
                           const TLanguage &language, const THoroscope *horoscope, QWidget *parent)
    : QWidget(parent), FPlace(place), FLanguage(language), FHoroscope(horoscope),
      FHelpContext(design.HelpContext), FFontColor(TableFontColor) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QString::fromLatin1(design.Caption));
    setProperty("HelpContext", design.HelpContext);
    setAutoFillBackground(true);
    SetColor(Qt::white);
    QFont font(TableFontFamily);
    font.setPixelSize(design.FontHeight);
    setFont(font);
    resize(design.Width, design.Height);
    setWindowTitle(horoscope ? ToQString(horoscope->FirstName + " " + horoscope->LastName)
                             : QString::fromLatin1(design.Caption));
}

void TTableWindow::Refresh() {
    update();
}

QWidget *TTableWindow::Frame() {
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        return sub;
    return this;
}

void TTableWindow::RestorePlace() {
    QWidget *frame = Frame();
    TWindowFrame wanted = FrameOf(frame);
    kyr::RestorePlace(wanted, FPlace);
    FRestoredFrame = frame;
    FRestoring = true;
    ApplyFrame(frame, wanted);
    FRestoring = false;
}

void TTableWindow::StorePlace() {
    const TWindowFrame frame = FrameOf(Frame());
    kyr::StorePlace(&frame, FPlace);
}

QColor TTableWindow::Color() const {
    return palette().color(QPalette::Window);
}

void TTableWindow::SetColor(const QColor &color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Window, color);
    setPalette(colors);
}

QColor TTableWindow::GridColor() const {
    return QApplication::palette().color(QPalette::Button);
}

bool TTableWindow::ShowsChart() const {
    return FHoroscope && FHoroscope->Active();
}

bool TTableWindow::event(QEvent *event) {
    // The main window wraps the form into a sub-window after creating it, and the MDI area
    // moves and sizes a new sub-window until it is shown; so the place goes on the frame when
    // that is first shown.
    if (event->type() == QEvent::ParentChange && Frame() != this) {
        FRestoredFrame = nullptr;
        Frame()->installEventFilter(this);
    } else if (event->type() == QEvent::Show && Frame() == this && FRestoredFrame != this) {
        RestorePlace();
    }
    return QWidget::event(event);
}

bool TTableWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Show && watched == Frame() && FRestoredFrame != Frame())
        RestorePlace();
    return QWidget::eventFilter(watched, event);
}

void TTableWindow::resizeEvent(QResizeEvent *event) {
    // A maximised sub-window drops its maximised state while the MDI area resizes it; the
    // place is taken once the resize is over, so that the screen-sized bounds are not kept.
    if (!FRestoring && Frame() == FRestoredFrame && !FStorePending) {
        FStorePending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                FStorePending = false;
                if (Frame() == FRestoredFrame)
                    StorePlace();
            },
            Qt::QueuedConnection);
    }
    update();
    QWidget::resizeEvent(event);
}

void TTableWindow::closeEvent(QCloseEvent *event) {
    StorePlace();
    QWidget::closeEvent(event);
}

} // namespace kyr
