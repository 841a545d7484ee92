// THoroscope: one person's birth data and everything computed from it.
#pragma once

#include "ChartTypes.h"
#include "HoroscopeException.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

/// What a horoscope refreshes after every recalculation and on deactivation: its wheel.
class THoroscopeView {
public:
    virtual ~THoroscopeView() = default;
    virtual void HoroscopeChanged() = 0;
};

/// Pending passes of a recalculation.
enum : int {
    PendingChart = 1,
    PendingAspects = 2,
    PendingTransits = 4,
    PendingAll = 255
};

/// Option bits.
enum : int { OptionAspects = 1, OptionTransits = 2 };

/// Capacities that are part of the data model.
constexpr int MaxAspects = 150;
constexpr int MaxTransits = 560;
constexpr int HouseStorySize = 100;
constexpr int TransitRawBufferSize = 3200;
constexpr int TransitDailyBufferSize = 3540;
constexpr int TransitClosenessBufferSize = 3490;
/// Length of the cusp text: two characters for each of C[1..13].
constexpr int CuspTextLength = 26;

struct TAspectRecord {
    std::int32_t Point1 = 0;       ///< aspect point 1..13 of this chart
    std::int32_t Point2 = 0;       ///< aspect point 2..14, of the partner when one is set
    std::int32_t AspectNumber = 0; ///< 0..12; the angle is 15 degrees times it
    Extended Deviation = 0;        ///< minutes of arc from the exact angle
};

struct TTransitRecord {
    std::int32_t Body = 0;       ///< transit body code 1..5 (Jupiter .. Pluto)
    std::int32_t Aspect = 0;     ///< aspect number 0..12
    std::int32_t NatalPoint = 0; ///< natal body 1..12 or 100 + cusp number
    std::int32_t Start = 0;      ///< YYYYMMDD
    std::int32_t End = 0;        ///< YYYYMMDD
};

/// The birth moment derived from the birth data.
struct TBirthMoment {
    int Year = 1900;
    int Month = 1;
    int Day = 1;
    Extended UT = 0;         ///< hours, not reduced below 24
    int DayOffset = 0;       ///< days taken from the date to make UT non-negative
    Extended JulianDay = 0;
    int DayOfWeek = 0;       ///< 0 = Sunday
    int DayNumber = 0;       ///< days since 1 January 1900
    Extended T = 0;          ///< Julian centuries since 1 January 1900
    Extended LST = 0;        ///< local sidereal time, radians
};

/// The span of the last transit pass, counted in days since the ephemeris epoch.
struct TTransitSpan {
    int FirstRecord = 0;  ///< E: the record that holds day 0
    int BaseDay = 0;      ///< B: Julian day of day 0 minus one half
    int DayCount = 0;     ///< N: days from 1 January FromYear through 1 January ToYear
    int StartOffset = 0;  ///< s: position of day 0 inside record E
};

class THoroscope {
public:
    THoroscope();
    ~THoroscope();
    THoroscope(const THoroscope &) = delete;
    THoroscope &operator=(const THoroscope &) = delete;

    // Published properties. Setters ignore an equal value, reject an out-of-range one with
    // EHoroscopeException (the old value stays) and otherwise store it and recompute.
    bool Active() const { return FActive; }
    void SetActive(bool value);
    Extended Latitude() const { return FLatitude; }
    void SetLatitude(Extended value);
    Extended Longitude() const { return FLongitude; }
    void SetLongitude(Extended value);
    Extended BirthDate() const { return FBirthDate; }
    void SetBirthDate(Extended value);
    Extended BirthTime() const { return FBirthTime; }
    void SetBirthTime(Extended value);
    Extended ZoneTime() const { return FZoneTime; }
    void SetZoneTime(Extended value);
    Extended SummerTime() const { return FSummerTime; }
    void SetSummerTime(Extended value);
    int FromYear() const { return FFromYear; }
    void SetFromYear(int value);
    int ToYear() const { return FToYear; }
    void SetToYear(int value);

    /// Raised at the end of every recalculation that completes.
    std::function<void(THoroscope &sender)> OnChange;

    // Plain name fields (at most 48 characters each); they never recalculate.
    std::string FirstName;
    std::string LastName;
    std::string PlaceName;
    std::string StateName;

    /// The house system in effect: the requested one, or Equal where that cannot be computed.
    int HouseSystem() const { return FHouseSystem; }
    /// The house system last set; it comes back once the birth data allow it again.
    int RequestedHouseSystem() const { return FRequestedHouseSystem; }
    void SetHouseSystem(int system);
    Extended GregorianStart() const { return FGregorianStart; }
    void SetGregorianStart(Extended value);
    /// True when the birth date lies before the Gregorian start of its place.
    bool IsJulian() const { return FGregorianStart > FBirthDate; }
    int Options() const { return FOptions; }
    void SetOptions(int flags);
    /// True once the ephemeris file is open.
    bool FileAvailable() const { return FFileAvailable; }
    THoroscope *Partner() const { return FPartner; }
    void SetPartner(THoroscope *partner);
    THoroscopeView *Wheel() const { return FWheel; }
    void SetWheel(THoroscopeView *wheel) { FWheel = wheel; }

    /// Orb of aspect slot 1..13 for aspect point 1..14, stored in minutes of arc.
    void SetOrb(int slot, int point, int degrees);
    int Orb(int slot, int point) const;
    void SetTransitOption(int index, bool on);
    void SetTransitAspect(int index, bool on);
    void SetTransitPlanet(int index, bool on);
    bool TransitOption(int index) const;
    bool TransitAspect(int index) const;
    bool TransitPlanet(int index) const;

    /// Recomputes the birth moment from the birth data; marks every pass pending.
    void ComputeMoment();
    /// Runs the pending passes, refreshes the wheel and raises OnChange. When a pass fails,
    /// the birth data of the last complete recalculation come back and are computed again
    /// before the error is passed on, so that names and positions stay one person's.
    void Recalculate();
    /// The range message when the birth moment lies outside the dates charts are computed
    /// for, else nothing. Opens the ephemeris file for its range; without a readable file
    /// there is nothing to check against, and the chart itself reports the file.
    std::optional<std::string> UnsupportedMomentMessage() const;
    /// Copies names, birth data, place and house system from another horoscope.
    void AssignBirthData(const THoroscope &other);

    // Read operations.
    Extended Position(int i) const;
    Extended PositionDeg(int i) const;
    Extended Cusp(int i) const;
    Extended CuspDeg(int i) const;
    Extended AspectPoint(int p) const;
    Extended TransitPoint(int i) const;
    bool Retrograde(int body) const;
    int BodyAtRank(int i) const;
    Extended WheelRotation() const;

    // House questions, answered from the cusp table.
    int HouseOfLongitude(Extended degreesDm) const;
    int HouseOfBody(int planet) const;
    TPlanetSet BodiesInHouse(int house) const;
    TPlanetSet BodiesInSign(int sign) const;
    int SignOfBody(int planet) const;

    bool GetAspect(int n, int &point1, int &point2, int &aspectNumber, Extended &deviation) const;
    bool GetTransit(int n, int &body, int &aspect, int &natalPoint, int &startYmd,
                    int &endYmd) const;
    bool GetTransitCurve(int n, int len, Extended *values);
    void GetTxHouseStory(int i, std::uint8_t *block) const;

    // Computed state, written by the passes of the chart computation.
    int Pending = 0;
    bool NumericalFailure = false;
    TBirthMoment Moment;
    std::array<Extended, ChartPointCount + 1> Positions{};      ///< 1..18, radians
    std::array<bool, EphemerisBodyCount + 1> RetrogradeFlags{}; ///< 1..11
    std::array<std::int16_t, BodyCount + 2> BodyOrder{};        ///< 1..12, 13 = entry 1
    std::array<Extended, 14> CuspTable{};                       ///< C[0..13], radians
    std::string CuspText;
    /// Orbs in minutes of arc: [slot - 1][aspect point].
    std::array<std::array<std::int16_t, 22>, AspectSlotCount> OrbTable{};
    std::array<TAspectRecord, MaxAspects> Aspects{};
    int AspectCount = 0;
    std::array<TTransitRecord, MaxTransits> Transits{};
    int TransitCount = 0;
    TTransitSpan TransitSpan;
    /// House stories of Jupiter (0) and Saturn (1).
    std::array<std::array<std::uint8_t, HouseStorySize>, 2> HouseStories{};
    std::vector<std::uint8_t> RawBuffer;
    std::vector<std::uint8_t> DailyBuffer;
    std::vector<std::uint8_t> ClosenessBuffer;

    /// Forces the house system without recalculating (polar test and fall-back).
    void ForceEqualHouses() { FHouseSystem = HouseEqual; }

private:
    /// What a failed recalculation goes back to.
    struct TBirthData {
        std::string FirstName, LastName, PlaceName, StateName;
        Extended Latitude = 0, Longitude = 0, BirthDate = 0, BirthTime = 0, ZoneTime = 0,
                 SummerTime = 0, GregorianStart = 0;
        int HouseSystem = HousePlacidus;
        bool operator==(const TBirthData &) const = default;
    };
    TBirthData CurrentBirthData() const;
    void RestoreBirthData(const TBirthData &data);
    void RunPendingPasses();
    void ComputeMomentValues();
    void ChartPass();
    void ValidateRange(Extended value, Extended low, Extended high, const char *message) const;
    void Changed(int pending);

    bool FActive = false;
    Extended FLatitude = 0;
    Extended FLongitude = 0;
    Extended FBirthDate = 1900.0101L;
    Extended FBirthTime = 0;
    Extended FZoneTime = 0;
    Extended FSummerTime = 0;
    int FFromYear = 1996;
    int FToYear = 1997;
    int FHouseSystem = HousePlacidus;
    int FRequestedHouseSystem = HousePlacidus;
    Extended FGregorianStart = 1522.0101L;
    int FOptions = 0;
    bool FFileAvailable = false;
    THoroscope *FPartner = nullptr;
    THoroscopeView *FWheel = nullptr;
    std::array<bool, 5> FTransitOptions{};  ///< 1..4
    std::array<bool, 9> FTransitAspects{};  ///< 0..8
    std::array<bool, 11> FTransitPlanets{}; ///< 6..10
    std::optional<TBirthData> FLastComputed;
};

/// Cuts a name field to its 48 characters (whole UTF-8 characters).
std::string TruncateString48(const std::string &text);

} // namespace kyr
