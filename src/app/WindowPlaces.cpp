// The places of the child windows: taken into the settings when the user saves them (and on
// exit), put back when the settings are loaded again. Each window also keeps its own place
// current while it is moved and resized.
#include "MainWindow.h"

#include "AspectWindow.h"
#include "CuspWindow.h"
#include "InterpWindow.h"
#include "WinNames.h"
#include "PositionWindow.h"
#include "SymbolWindow.h"

#include <QMdiSubWindow>

namespace kyr {

namespace {

// The MDI frame around a child's form.
QWidget *FrameOf(QWidget *form) {
    if (!form)
        return nullptr;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return sub;
    return form;
}

void StoreFrame(const QWidget *frame, TWindowPlace &place) {
    if (!frame) {
        StorePlace(nullptr, place);
        return;
    }
    TWindowFrame window;
    const QRect bounds = frame->geometry();
    window.Bounds = {bounds.x(), bounds.y(), bounds.width(), bounds.height()};
    window.State = frame->isMinimized()   ? WindowMinimised
                   : frame->isMaximized() ? WindowMaximised
                                          : WindowNormal;
    StorePlace(&window, place);
}

void RestoreFrame(QWidget *frame, TWindowPlace &place) {
    TWindowFrame window;
    RestorePlace(window, place);
    if (window.State == WindowMinimised) {
        frame->showMinimized();
    } else if (window.State == WindowMaximised) {
        frame->showMaximized();
    } else {
        if (frame->isMinimized() || frame->isMaximized())
            frame->showNormal();
        frame->setGeometry(place.Left, place.Top, place.Width, place.Height);
    }
}

} // namespace

void TForm_KYR_Main::StoreChildPlaces(bool all) {
    TWindowPlaces &w = FSettings.Windows;
    const std::pair<QWidget *, TWindowPlace *> children[] = {
        {WheelWindow(), &w.Wheel},
        {FrameOf(InterpWindow()), &w.Interpretation},
        {FrameOf(Positions()), &w.Planets},
        {FrameOf(Cusps()), &w.HouseCusps},
        {FrameOf(Aspects()), &w.Aspects},
        {FrameOf(Symbols()), &w.Symbols},
        {FrameOf(FNames.data()), &w.NameList},
    };
    for (const auto &[frame, place] : children)
        if (frame || all)
            StoreFrame(frame, *place);
}

void TForm_KYR_Main::RestoreChildPlaces() {
    TWindowPlaces &w = FSettings.Windows;
    const std::tuple<TChildKind, QWidget *, TWindowPlace *> children[] = {
        {TChildKind::Wheel, WheelWindow(), &w.Wheel},
        {TChildKind::Interpretation, FrameOf(InterpWindow()), &w.Interpretation},
        {TChildKind::Positions, FrameOf(Positions()), &w.Planets},
        {TChildKind::Cusps, FrameOf(Cusps()), &w.HouseCusps},
        {TChildKind::Aspects, FrameOf(Aspects()), &w.Aspects},
        {TChildKind::Symbols, FrameOf(Symbols()), &w.Symbols},
    };
    for (const auto &[kind, frame, place] : children) {
        if (!place->Valid)
            continue;
        if (frame) {
            RestoreFrame(frame, *place);
        } else {
            // A window opened now takes its place as at start-up.
            const bool loading = FLoading;
            FLoading = true;
            OpenChild(kind);
            FLoading = loading;
        }
    }
}

} // namespace kyr
