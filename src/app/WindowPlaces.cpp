// The places of the child windows: taken into the settings when the user saves them (and on
// exit), put back when the settings are loaded again. Each window also keeps its own place
// current while it is moved and resized.
#include "MainWindow.h"

#include "AspectWindow.h"
#include "CuspWindow.h"
#include "FramePlace.h"
#include "InterpWindow.h"
#include "WinNames.h"
#include "PositionWindow.h"
#include "SymbolWindow.h"

#include <QMdiSubWindow>

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

} // namespace

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
