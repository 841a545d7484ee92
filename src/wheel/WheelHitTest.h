// What a press on the wheel hits: the zone tests over the laid-out geometry, the selection
// they leave behind for the blinking highlight, and SelectItem's rules. No windows here, so
// the widget only forwards presses and raises the events these functions return.
#pragma once

#include "WheelAngles.h"
#include "WheelGeometry.h"

#include <vector>

namespace kyr {

enum class TWheelHitType {
    htBody = 0,       ///< Ref: body 1..12
    htSign = 1,       ///< Ref: sign 1..12
    htHouse = 2,      ///< Ref: house 1..12
    htHouseCusp = 3,  ///< Ref: cusp 1..12
    htAspect = 4,     ///< Ref: 1-based index in the horoscope's aspect list
    htAxis = 5,       ///< Ref: 1 ASC, 2 IC, 3 DSC, 4 MC
    htAriesPoint = 6, ///< Ref 0
    htNothing = 7,    ///< Ref 0: a plain left click that hit nothing
    htRightClick = 8, ///< Ref 0
};

struct TWheelHit {
    TWheelHitType Type = TWheelHitType::htNothing;
    int Ref = 0;
    friend bool operator==(const TWheelHit &, const TWheelHit &) = default;
};

/// Up to this many bodies are highlighted together; further ones are ignored.
constexpr int MaxSelectedBodies = 14;

/// What the highlight shows; -1 is none.
struct TWheelSelection {
    int House = -1;
    int Sign = -1;
    int Cusp = -1;
    int Axis = -1;
    int Aspect = -1;
    std::vector<int> Bodies; ///< in the order added

    bool Empty() const;
    void Clear() { *this = TWheelSelection{}; }
    /// Appends unless the list is full.
    void AddBody(int body);
};

/// What the hit test reads of a wheel.
struct TWheelHitContext {
    const TWheelGeometry *Geometry = nullptr;
    const TWheelAngles *Angles = nullptr;
    bool ShowAspects = false;
    /// A relation wheel is linked: only bodies and the Aries point can be hit.
    bool Related = false;
    /// The own bodies are drawn; glyphs that are not shown cannot be hit.
    bool BodiesShown = false;
};

/// The buttons and keys of a press, as far as the hit test cares.
enum class TWheelPressKind {
    LeftAlone,  ///< left button, no key held
    RightAlone, ///< right button, no key held
    Other,      ///< any other combination: tested, but a miss raises nothing
};

struct TWheelPressResult {
    std::vector<TWheelHit> Events; ///< in the order raised
    bool Hit = false;              ///< something was hit: the highlight starts blinking
};

/// Angle of the pixel offset (a, b) from the centre, b counted upward, in [pi, 3 pi).
Extended WheelPointAngle(Extended a, Extended b);

/// The hit test of one press at (x, y) in widget pixels. selection is the (cleared)
/// selection of the wheel and receives what the tests select.
TWheelPressResult PressWheel(const TWheelHitContext &context, int x, int y, TWheelPressKind kind,
                             TWheelSelection &selection);

/// SelectItem's selection rules without the blinking: true when something was selected.
/// chords are the wheel's laid-out aspect chords, read for htAspect.
bool SelectWheelItem(TWheelSelection &selection, TWheelHitType kind, int ref, bool showAspects,
                     const std::vector<TAspectChord> &chords);

} // namespace kyr
