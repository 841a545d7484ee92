#include "Horoscope.h"

#include "Angles.h"
#include "Aspects.h"
#include "BusyCursor.h"
#include "Calendar.h"
#include "Ephemeris.h"
#include "Houses.h"
#include "MomentAngles.h"
#include "SupportedDates.h"
#include "TextHelpers.h"
#include "Transits.h"

#include <cmath>
#include <exception>
#include <filesystem>

namespace kyr {

namespace {

constexpr std::uint8_t BufferFill = 99;

// The ephemeris may cover more days than the program supports; either bound is refused with
// the same range.
std::optional<std::string> OutsideSupportedDates(Extended julianDay) {
    if (const TSupportedDates dates = SupportedDates(); !dates.Contains(julianDay))
        return OutsideSupportedDatesMessage(dates);
    return std::nullopt;
}

} // namespace

std::string TruncateString48(const std::string &text) {
    return FirstCharacters(text, String48Length);
}

THoroscope::THoroscope()
    : RawBuffer(TransitRawBufferSize, BufferFill), DailyBuffer(TransitDailyBufferSize, BufferFill),
      ClosenessBuffer(TransitClosenessBufferSize, BufferFill) {
    FTransitOptions.fill(true);
    FTransitAspects.fill(true);
    FTransitPlanets.fill(true);
    CuspText.assign(CuspTextLength, '\0');
    ComputeMoment();
}

THoroscope::~THoroscope() = default;

void THoroscope::ValidateRange(Extended value, Extended low, Extended high,
                               const char *message) const {
    // Written so that NaN fails the test as well.
    if (!(value >= low && value <= high))
        throw EHoroscopeException(message);
}

void THoroscope::SetLatitude(Extended value) {
    if (value == FLatitude)
        return;
    ValidateRange(value, -90, 90, "Incorrect Latitude Value!");
    FLatitude = value;
    ComputeMoment();
}

void THoroscope::SetLongitude(Extended value) {
    if (value == FLongitude)
        return;
    ValidateRange(value, -180, 180, "Incorrect Longitude Value!");
    FLongitude = value;
    ComputeMoment();
}

void THoroscope::SetBirthDate(Extended value) {
    if (value == FBirthDate)
        return;
    // A date value has no range of its own; the ephemeris bounds it when bodies are read.
    ValidateRange(value, -1e6L, 1e6L, "Incorrect Date Value!");
    FBirthDate = value;
    ComputeMoment();
}

void THoroscope::SetBirthTime(Extended value) {
    if (value == FBirthTime)
        return;
    ValidateRange(value, 0, 24, "Incorrect Time Value!");
    FBirthTime = value;
    ComputeMoment();
}

void THoroscope::SetZoneTime(Extended value) {
    if (value == FZoneTime)
        return;
    ValidateRange(value, -12, 12, "Incorrect Zone Time!");
    FZoneTime = value;
    ComputeMoment();
}

void THoroscope::SetSummerTime(Extended value) {
    if (value == FSummerTime)
        return;
    ValidateRange(value, -12, 12, "Incorrect Summer Time!");
    FSummerTime = value;
    ComputeMoment();
}

void THoroscope::ComputeMoment() {
    ComputeMomentValues();
    if (FActive)
        Recalculate();
}

void THoroscope::ComputeMomentValues() {
    const TYmd date = SplitDateValue(FBirthDate);
    const bool julian = IsJulian();
    Moment.Year = date.Year;
    Moment.Month = date.Month;
    Moment.Day = date.Day;
    Moment.DayOffset = 0;
    Moment.UT = HmToHours(FZoneTime) - HmToHours(FSummerTime) + HmToHours(FBirthTime);
    // Only a negative UT is carried into the date; UT of 24 and more stays as it is,
    // since UT / 24 is added to the day count unreduced.
    while (Moment.UT < 0) {
        Moment.DayOffset -= 1;
        Moment.UT += 24;
    }
    Moment.JulianDay =
        JulianDay0(date.Year, date.Month, !julian, date.Day) + Moment.DayOffset + Moment.UT / 24;
    Moment.DayOfWeek = DayOfWeek(Moment.JulianDay);
    Moment.DayNumber = DayNumber1900(date.Day, date.Month, date.Year, julian) + Moment.DayOffset;
    const TMomentAngles angles =
        ComputeMomentAngles(Moment.DayNumber, Moment.UT, FLatitude, FLongitude);
    Moment.T = angles.T;
    Moment.LST = angles.LST;
    // A polar moment has Equal houses; any other tries the requested system again, so that a
    // corrected latitude or time brings it back after a fall-back.
    FHouseSystem = angles.Polar ? HouseEqual : FRequestedHouseSystem;
    Pending = PendingAll;
}

void THoroscope::SetActive(bool value) {
    if (!value) {
        FActive = false;
        if (FWheel)
            FWheel->HoroscopeChanged();
        return;
    }
    if (EphemerisHandle() < 0) {
        const std::string path = EphemerisPath();
        if (!std::filesystem::exists(path))
            throw std::runtime_error("File " + path + " not found!");
        // Said as such, before anything reads the file or checks its contents.
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        if (!error)
            RequireEphemerisLength(path, size);
        FFileAvailable = OpenEphemeris();
        FActive = FFileAvailable;
        if (FActive)
            Recalculate();
        return;
    }
    FFileAvailable = true;
    FActive = true;
    Recalculate();
}

void THoroscope::ChartPass() {
    // The obliquity is shared by all horoscopes; take back this chart's own before the
    // cusps read it, so that another chart's moment computed in between does not leak in.
    Obliquity = ObliquityAt(Moment.T);
    if (const auto outside = OutsideSupportedDates(Moment.JulianDay))
        throw EHoroscopeException(*outside);
    ComputeCusps(*this);
    EvaluateBodies(*this, AllBodiesMask, Moment.JulianDay);
    CompleteBodyPositions(*this);
    BuildCuspTable(*this);
}

THoroscope::TBirthData THoroscope::CurrentBirthData() const {
    return {FirstName,  LastName,   PlaceName,   StateName,       FLatitude,
            FLongitude, FBirthDate, FBirthTime,  FZoneTime,       FSummerTime,
            FGregorianStart, FRequestedHouseSystem};
}

void THoroscope::RestoreBirthData(const TBirthData &data) {
    FirstName = data.FirstName;
    LastName = data.LastName;
    PlaceName = data.PlaceName;
    StateName = data.StateName;
    FLatitude = data.Latitude;
    FLongitude = data.Longitude;
    FBirthDate = data.BirthDate;
    FBirthTime = data.BirthTime;
    FZoneTime = data.ZoneTime;
    FSummerTime = data.SummerTime;
    FGregorianStart = data.GregorianStart;
    FRequestedHouseSystem = data.HouseSystem;
    ComputeMomentValues();
}

void THoroscope::Recalculate() {
    try {
        RunPendingPasses();
    } catch (...) {
        if (!FLastComputed || *FLastComputed == CurrentBirthData())
            throw;
        const std::exception_ptr error = std::current_exception();
        RestoreBirthData(*FLastComputed);
        RunPendingPasses();
        std::rethrow_exception(error);
    }
}

void THoroscope::RunPendingPasses() {
    {
        TBusyScope busy;
        for (;;) {
            NumericalFailure = false;
            if (Pending & PendingChart)
                ChartPass();
            if (Pending & PendingAspects) {
                FindAspects(*this);
                if (FPartner && FPartner->FPartner == this)
                    FindAspects(*FPartner);
            }
            if (Pending & PendingTransits)
                FindTransits(*this);
            if (!NumericalFailure || FHouseSystem == HouseEqual)
                break;
            FHouseSystem = HouseEqual;
        }
        Pending = 0;
        FLastComputed = CurrentBirthData();
        if (FWheel)
            FWheel->HoroscopeChanged();
    }
    if (OnChange)
        OnChange(*this);
}

void THoroscope::Changed(int pending) {
    Pending |= pending;
    if (FActive)
        Recalculate();
}

void THoroscope::SetHouseSystem(int system) {
    if (system == FHouseSystem && system == FRequestedHouseSystem)
        return;
    FRequestedHouseSystem = system;
    if (system == FHouseSystem)
        return;
    FHouseSystem = system;
    Changed(PendingAll);
}

void THoroscope::SetGregorianStart(Extended value) {
    if (value == FGregorianStart)
        return;
    const bool wasJulian = IsJulian();
    FGregorianStart = value;
    if (IsJulian() != wasJulian)
        ComputeMoment();
}

void THoroscope::SetOptions(int flags) {
    if (flags == FOptions)
        return;
    const int changed = flags ^ FOptions;
    if (changed & OptionAspects) {
        AspectCount = 0;
        if (flags & OptionAspects)
            Pending |= PendingAspects;
        else
            Pending &= ~PendingAspects;
    }
    if (changed & OptionTransits) {
        TransitCount = 0;
        if (flags & OptionTransits)
            Pending |= PendingTransits;
        else
            Pending &= ~PendingTransits;
    }
    FOptions = flags;
    if (FActive)
        Recalculate();
}

void THoroscope::SetOrb(int slot, int point, int degrees) {
    if (slot < 1 || slot > AspectSlotCount || point < 1 || point > AspectPointCount)
        throw EHoroscopeException("Incorrect Aspect Index.");
    // The table holds 16-bit minutes; a wider orb than a half circle means nothing.
    if (degrees < 0 || degrees > 180)
        throw EHoroscopeException("Incorrect Orb Value!");
    const auto minutes = static_cast<std::int16_t>(degrees * 60);
    std::int16_t &orb = OrbTable[slot - 1][point];
    if (orb == minutes)
        return;
    orb = minutes;
    Changed(PendingAll);
}

int THoroscope::Orb(int slot, int point) const {
    if (slot < 1 || slot > AspectSlotCount || point < 1 || point > AspectPointCount)
        throw EHoroscopeException("Incorrect Aspect Index.");
    return OrbTable[slot - 1][point];
}

namespace {

constexpr const char *TransitIndexError = "Index Error in TRansit/Trends setting!";

bool &Switch(bool *switches, int index, int low, int high) {
    if (index < low || index > high)
        throw EHoroscopeException(TransitIndexError);
    return switches[index];
}

} // namespace

void THoroscope::SetTransitOption(int index, bool on) {
    bool &value = Switch(FTransitOptions.data(), index, 1, 4);
    if (value == on)
        return;
    value = on;
    Changed(PendingAll);
}

void THoroscope::SetTransitAspect(int index, bool on) {
    bool &value = Switch(FTransitAspects.data(), index, 0, 8);
    if (value == on)
        return;
    value = on;
    Changed(PendingAll);
}

void THoroscope::SetTransitPlanet(int index, bool on) {
    bool &value = Switch(FTransitPlanets.data(), index, 6, 10);
    if (value == on)
        return;
    value = on;
    Changed(PendingAll);
}

bool THoroscope::TransitOption(int index) const {
    return Switch(const_cast<bool *>(FTransitOptions.data()), index, 1, 4);
}

bool THoroscope::TransitAspect(int index) const {
    return Switch(const_cast<bool *>(FTransitAspects.data()), index, 0, 8);
}

bool THoroscope::TransitPlanet(int index) const {
    return Switch(const_cast<bool *>(FTransitPlanets.data()), index, 6, 10);
}

void THoroscope::SetFromYear(int value) {
    if (value == FFromYear || value < 1500 || value >= 2100)
        return;
    if (value >= FToYear || value + 3 < FToYear)
        FToYear = value + 1;
    FFromYear = value;
    Changed(PendingTransits);
}

void THoroscope::SetToYear(int value) {
    if (value == FToYear || value <= 1500 || value > 2100)
        return;
    if (FFromYear >= value || FFromYear + 3 < value)
        FFromYear = value - 1;
    FToYear = value;
    Changed(PendingTransits);
}

void THoroscope::SetPartner(THoroscope *partner) {
    if (partner == FPartner)
        return;
    FPartner = partner;
    Changed(PendingAspects);
}

std::optional<std::string> THoroscope::UnsupportedMomentMessage() const {
    try {
        if (EphemerisHandle() < 0 && !OpenEphemeris())
            return std::nullopt;
        return OutsideSupportedDates(Moment.JulianDay);
    } catch (const EHoroscopeException &) {
        return std::nullopt; // a damaged or short file, said when a chart is computed
    }
}

void THoroscope::AssignBirthData(const THoroscope &other) {
    const bool wasActive = FActive;
    SetActive(false);
    FirstName = TruncateString48(other.FirstName);
    LastName = TruncateString48(other.LastName);
    SetBirthDate(other.BirthDate());
    SetBirthTime(other.BirthTime());
    SetZoneTime(other.ZoneTime());
    SetSummerTime(other.SummerTime());
    SetLatitude(other.Latitude());
    SetLongitude(other.Longitude());
    PlaceName = other.PlaceName;
    StateName = other.StateName;
    SetHouseSystem(other.RequestedHouseSystem());
    SetActive(wasActive);
}

Extended THoroscope::Position(int i) const {
    if (i < 1 || i > ChartPointCount)
        throw EHoroscopeException("Incorrect Position Index.");
    return Positions[i];
}

Extended THoroscope::PositionDeg(int i) const { return HoursToHm(RadToDeg(Position(i))); }

Extended THoroscope::Cusp(int i) const {
    if (i < 0 || i > 13)
        throw EHoroscopeException("Incorrect Cusp Index.");
    return CuspTable[i];
}

Extended THoroscope::CuspDeg(int i) const { return HoursToHm(RadToDeg(Cusp(i))); }

Extended THoroscope::AspectPoint(int p) const {
    if (p >= 1 && p <= BodyCount)
        return Positions[p];
    if (p == AspectPointAscendant)
        return CuspTable[1];
    // The Midheaven itself, which with Equal houses is not cusp 10.
    if (p == AspectPointMC)
        return FHouseSystem == HouseEqual ? Positions[PointMC] : CuspTable[10];
    throw EHoroscopeException("Incorrect Aspect Index.");
}

Extended THoroscope::TransitPoint(int i) const {
    if (i >= 1 && i <= BodyCount)
        return Positions[i];
    if (i >= 101 && i <= 112)
        return CuspTable[i - 100];
    throw EHoroscopeException("Incorrect Transit Index.");
}

bool THoroscope::Retrograde(int body) const {
    return body >= 1 && body <= EphemerisBodyCount && RetrogradeFlags[body];
}

int THoroscope::BodyAtRank(int i) const { return i >= 1 && i <= BodyCount ? BodyOrder[i] : 0; }

Extended THoroscope::WheelRotation() const { return TwoPi - CuspTable[1]; }

} // namespace kyr
