// The places of the child windows: taken into the settings when the user saves them (and on
// exit), put back when the settings are loaded again. Each window also keeps its own place
// current while it is moved and resized.
#include "MainWindow.h"
#include "ReachablePlaces.h"

#include "AspectWindow.h"
#include "CuspWindow.h"
#include "FramePlace.h"
#include "InterpWindow.h"
#include "WinNames.h"
#include "PositionWindow.h"
#include "SymbolWindow.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>

#include <limits>

namespace kyr {

namespace {

void StoreFrame(const QWidget *frame, TWindowPlace &place) {
    if (!frame) {
        StorePlace(nullptr, place);
        return;
    }
    const TWindowFrame window = FrameOf(frame);
    StorePlace(&window, place);
}

void RestoreFrame(QWidget *frame, TWindowPlace &place) {
    TWindowFrame window = FrameOf(frame);
    RestorePlace(window, place);
    ApplyFrame(frame, window);
}

TRect ToRect(const QRect &r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// The part of the place's rectangle's area that lies in r, in 64 bits.
long long Overlap(const QRect &a, const QRect &b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
}

long long DistanceSquared(const QPoint &p, const QRect &r) {
    const long long dx = p.x() < r.left() ? r.left() - p.x() : p.x() > r.right() ? p.x() - r.right() : 0;
    const long long dy = p.y() < r.top() ? r.top() - p.y() : p.y() > r.bottom() ? p.y() - r.bottom() : 0;
    return dx * dx + dy * dy;
}

} // namespace

QRect NearestAvailableArea(const QRect &rect) {
    QScreen *best = nullptr;
    long long bestOverlap = 0;
    long long bestDistance = std::numeric_limits<long long>::max();
    for (QScreen *screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const long long overlap = Overlap(rect, area);
        const long long distance = DistanceSquared(rect.center(), area);
        if (overlap > bestOverlap || (bestOverlap == 0 && overlap == 0 && distance < bestDistance)) {
            best = screen;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return best ? best->availableGeometry() : QRect();
}

void KeepPlacesReachable(TWindowPlaces &places) {
    TWindowPlace &main = places.Main;
    if (main.Valid && main.Width > 0 && main.Height > 0) {
        // QRect keeps its right edge as left + width - 1: hold the numbers first.
        const int width = std::min(main.Width, 1 << 20);
        const int height = std::min(main.Height, 1 << 20);
        const int left = std::clamp(main.Left, -(1 << 28), 1 << 28);
        const int top = std::clamp(main.Top, -(1 << 28), 1 << 28);
        const QRect area = NearestAvailableArea(QRect(left, top, width, height));
        if (!area.isEmpty())
            main = ReachablePlace(main, ToRect(area));
    }
    // Children lie in the main window's client area, which is no larger than the main window.
    QRect client(0, 0, main.Width, main.Height);
    if (!main.Valid || main.Width <= 0 || main.Height <= 0)
        if (QScreen *screen = QGuiApplication::primaryScreen())
            client = QRect(QPoint(0, 0), screen->availableGeometry().size());
    for (TWindowPlace *child : {&places.Interpretation, &places.Wheel, &places.Symbols,
                                &places.Planets, &places.HouseCusps, &places.Aspects,
                                &places.NameList, &places.Quiz})
        *child = ReachablePlace(*child, ToRect(client));
}

void TForm_KYR_Main::StoreChildPlaces(bool all) {
    TWindowPlaces &w = FSettings.Windows;
    const std::pair<QWidget *, TWindowPlace *> children[] = {
        {WheelWindow(), &w.Wheel},
        {FormFrame(InterpWindow()), &w.Interpretation},
        {FormFrame(Positions()), &w.Planets},
        {FormFrame(Cusps()), &w.HouseCusps},
        {FormFrame(Aspects()), &w.Aspects},
        {FormFrame(Symbols()), &w.Symbols},
        {FormFrame(FNames.data()), &w.NameList},
    };
    for (const auto &[frame, place] : children)
        if (frame || all)
            StoreFrame(frame, *place);
}

void TForm_KYR_Main::RestoreChildPlaces() {
    TWindowPlaces &w = FSettings.Windows;
    const std::tuple<TChildKind, QWidget *, TWindowPlace *> children[] = {
        {TChildKind::Wheel, WheelWindow(), &w.Wheel},
        {TChildKind::Interpretation, FormFrame(InterpWindow()), &w.Interpretation},
        {TChildKind::Positions, FormFrame(Positions()), &w.Planets},
        {TChildKind::Cusps, FormFrame(Cusps()), &w.HouseCusps},
        {TChildKind::Aspects, FormFrame(Aspects()), &w.Aspects},
        {TChildKind::Symbols, FormFrame(Symbols()), &w.Symbols},
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
