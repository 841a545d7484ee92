#include "WheelModel.h"

#include "BusyCursor.h"

namespace kyr {

TWheelModel::TWheelModel(const TRectI &initial) : FAngles(DefaultWheelAngles()) {
    LayoutWheel(initial);
}

TWheelModel::~TWheelModel() {
    if (FHoroscope && FHoroscope->Wheel() == this)
        FHoroscope->SetWheel(nullptr);
    if (FRelationWheel)
        std::erase(FRelationWheel->FReferrers, this);
    // Wheels that draw this one as their partner must not keep a dangling link.
    for (TWheelModel *referrer : FReferrers)
        referrer->FRelationWheel = nullptr;
}

void TWheelModel::SetHoroscope(THoroscope *horoscope) {
    if (FHoroscope && FHoroscope != horoscope && FHoroscope->Wheel() == this)
        FHoroscope->SetWheel(nullptr);
    FHoroscope = horoscope;
    if (FHoroscope)
        FHoroscope->SetWheel(this);
    HoroscopeChanged();
}

void TWheelModel::SetRelationWheel(TWheelModel *wheel) {
    if (wheel == FRelationWheel)
        return;
    if (FRelationWheel)
        std::erase(FRelationWheel->FReferrers, this);
    FRelationWheel = wheel;
    if (FRelationWheel)
        FRelationWheel->FReferrers.push_back(this);
    Invalidate();
}

void TWheelModel::SetDualMode(bool value) {
    if (value == FDualMode)
        return;
    if (value && !FRelationWheel)
        throw EWheelException("Cannot set Dual Mode active when RelationWheel property is nil!");
    FDualMode = value;
    LayoutWheel(FLastLayoutRect);
    Invalidate();
}

void TWheelModel::SetAriesAtLeft(bool value) {
    if (value == FAriesAtLeft)
        return;
    FAriesAtLeft = value;
    LayoutWheel(FLastLayoutRect);
    Invalidate();
}

void TWheelModel::SetOffScreen(bool value) {
    FOffScreen = value;
    FLastLayoutRect = {};
    Invalidate();
}

void TWheelModel::SetShowAspects(bool value) {
    if (value == FShowAspects)
        return;
    // A highlighted chord must not keep blinking once the chords are gone.
    if (ShowAspects())
        StopBlinking();
    FShowAspects = value;
    Invalidate();
}

void TWheelModel::HoroscopeChanged() {
    if (FChanging)
        return;
    {
        struct TGuard {
            bool &Flag;
            explicit TGuard(bool &flag) : Flag(flag) { Flag = true; }
            ~TGuard() { Flag = false; }
        } guard(FChanging);

        StopBlinking();
        FAngles = HoroscopeReady() ? ReadWheelAngles(*FHoroscope) : DefaultWheelAngles();
        LayoutWheel(FLastLayoutRect);
        Invalidate();
        // The relation wheel shows this chart inside its own.
        if (FRelationWheel && FRelationWheel->DualMode())
            FRelationWheel->HoroscopeChanged();
    }
    if (OnChange)
        OnChange(*this);
}

void TWheelModel::LayoutWheel(const TRectI &rect) {
    TBusyScope busy;
    // A layout that fails leaves no chords of the old chart behind.
    FGeometry.Chords.clear();
    FLastLayoutRect = rect;
    TWheelLayoutInput input;
    input.Rect = rect;
    input.Angles = &FAngles;
    input.PartnerAngles = FRelationWheel ? &FRelationWheel->FAngles : nullptr;
    input.DualMode = FDualMode;
    input.AriesAtLeft = FAriesAtLeft;
    input.OffScreen = FOffScreen;
    input.Horoscope = FHoroscope;
    FGeometry = LayoutWheelGeometry(input);
}

bool TWheelModel::LayoutFor(const TRectI &rect) {
    if (rect == FLastLayoutRect)
        return false;
    LayoutWheel(rect);
    return true;
}

} // namespace kyr
