// Window places from the settings file held within reach of the screen, so that a window
// stored off-screen or larger than the screen can still be moved, sized and closed.
#pragma once

#include <QRect>

namespace kyr {

struct TWindowPlaces;

/// The available area of the screen nearest rect: the one holding most of it, else the one
/// closest to its centre; an empty rectangle without screens.
QRect NearestAvailableArea(const QRect &rect);

/// The main window's place inside the available area of the screen nearest it, the child
/// windows' places (MDI children, the name list) inside the main window's size. The places
/// are changed in the settings, so that they are written so.
void KeepPlacesReachable(TWindowPlaces &places);

} // namespace kyr
