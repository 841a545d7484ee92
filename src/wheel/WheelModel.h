// TWheelModel: the chart wheel without a window. It holds the wheel's properties that shape
// the geometry, follows its horoscope (and in the dual layout its relation wheel's), and
// lays out the geometry that the painter draws and the hit test measures. The widget
// derives from it and overrides Invalidate and StopBlinking.
#pragma once

#include <vector>

#include "Horoscope.h"
#include "WheelAngles.h"
#include "WheelGeometry.h"
#include "WheelTypes.h"

#include <functional>
#include <stdexcept>

namespace kyr {

class EWheelException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TWheelModel : public THoroscopeView {
public:
    /// A new wheel shows the default frame, laid out for its own starting size.
    explicit TWheelModel(const TRectI &initial = {0, 0, 65, 65});
    ~TWheelModel() override;
    TWheelModel(const TWheelModel &) = delete;
    TWheelModel &operator=(const TWheelModel &) = delete;

    THoroscope *Horoscope() const { return FHoroscope; }
    /// Registers this wheel with the horoscope and reloads. A previous horoscope that still
    /// refers to this wheel forgets it, so it never refreshes a wheel that no longer shows it.
    void SetHoroscope(THoroscope *horoscope);

    /// The linked wheel whose chart the dual layout shows inside this one.
    TWheelModel *RelationWheel() const { return FRelationWheel; }
    void SetRelationWheel(TWheelModel *wheel);

    bool DualMode() const { return FDualMode; }
    /// Raises EWheelException when switched on without a relation wheel.
    void SetDualMode(bool value);
    bool AriesAtLeft() const { return FAriesAtLeft; }
    void SetAriesAtLeft(bool value);
    bool OffScreen() const { return FOffScreen; }
    /// Also forgets the last layout rectangle, so the next paint lays out anew.
    void SetOffScreen(bool value);
    /// Chords are shown only while no relation wheel is linked.
    bool ShowAspects() const { return FShowAspects && !FRelationWheel; }
    void SetShowAspects(bool value);

    /// Raised at the end of HoroscopeChanged.
    std::function<void(TWheelModel &sender)> OnChange;

    /// Reloads the angle sets from the horoscope, lays out, repaints, passes the change to
    /// a relation wheel in the dual layout and raises OnChange.
    void HoroscopeChanged() override;
    /// Computes all geometry for rect and remembers rect as the last layout rectangle.
    void LayoutWheel(const TRectI &rect);
    /// Lays out for rect unless that was the last layout rectangle; true when it laid out.
    bool LayoutFor(const TRectI &rect);

    /// The horoscope is assigned, active and has positions: bodies and chords are shown.
    bool HoroscopeReady() const { return kyr::HoroscopeReady(FHoroscope); }
    /// The same for the relation wheel's horoscope: partner bodies are shown.
    bool PartnerReady() const { return FRelationWheel && FRelationWheel->HoroscopeReady(); }

    const TWheelAngles &Angles() const { return FAngles; }
    const TWheelGeometry &Geometry() const { return FGeometry; }
    const TRectI &LastLayoutRect() const { return FLastLayoutRect; }
    Extended Rotation() const { return FGeometry.Rotation; }
    Extended PartnerRotation() const { return FGeometry.PartnerRotation; }

protected:
    /// Repaint request; the widget schedules a paint.
    virtual void Invalidate() {}
    /// A new chart or a hidden chord ends the blinking highlight.
    virtual void StopBlinking() {}

private:
    THoroscope *FHoroscope = nullptr;
    TWheelModel *FRelationWheel = nullptr;
    std::vector<TWheelModel *> FReferrers; ///< wheels whose RelationWheel is this one
    bool FDualMode = false;
    bool FAriesAtLeft = false;
    bool FOffScreen = false;
    bool FShowAspects = false;
    /// Set while HoroscopeChanged runs: two linked wheels both in the dual layout would
    /// otherwise pass the change back and forth for ever.
    bool FChanging = false;
    TWheelAngles FAngles;
    TWheelGeometry FGeometry;
    TRectI FLastLayoutRect;
};

} // namespace kyr
