#include "ChartRun.h"

#include "Calendar.h"
#include "ChartNames.h"
#include "Ephemeris.h"
#include "Horoscope.h"
#include "ProgramDirectory.h"
#include "TextReport.h"
#include "UsageError.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <numbers>
#include <set>

namespace kyr::cli {

namespace {

constexpr const char *OrbFileName = "orbs.txt";

// Signed minutes as H.MM.
Extended HmValue(int minutes) {
    const int magnitude = std::abs(minutes);
    const Extended value = magnitude / 60 + (magnitude % 60) / 100.0L;
    return minutes < 0 ? -value : value;
}

std::string Lower(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

TDate DateOfYmd(int ymd) {
    const TYmd d = SplitYmd(ymd);
    return {d.Year, d.Month, d.Day};
}

std::string OrbFilePath() { return ProgramDirectory() + OrbFileName; }

// The orb file is the program's own: whatever is wrong with it is said of the file, not of
// the command line.
std::vector<TOrbRow> ReadOrbFile() {
    const std::string path = OrbFilePath();
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read the orb sets " + path);
    std::vector<TOrbRow> rows;
    try {
        rows = ReadOrbSets(in);
    } catch (const std::runtime_error &e) {
        throw std::runtime_error("the orb-set file " + path + " is damaged: " + e.what());
    }
    if (rows.empty())
        throw std::runtime_error("the orb-set file " + path + " is damaged or has no sets");
    return rows;
}

std::string RequestedOrbSet(const std::vector<TOrbRow> &rows, const TChartRequest &request) {
    try {
        return FindOrbSet(rows, request.OrbSet);
    } catch (const EUsageError &) {
        if (request.OrbSetGiven)
            throw;
        throw std::runtime_error("the orb-set file " + OrbFilePath() + " is damaged: it has no set '" +
                                 request.OrbSet + "', the default");
    }
}

// The horoscope's own checks say what is wrong but not where it came from; these come first
// and name the option. Values from the atlas are always within range.
void CheckRanges(const TChartRequest &request, const TPlaceOptions &options) {
    if (!(std::fabs(request.Latitude) <= 90))
        throw EUsageError(std::string("Incorrect Latitude Value! ") + options.Latitude +
                          " must lie between -90 and 90 degrees");
    if (!(std::fabs(request.Longitude) <= 180))
        throw EUsageError(std::string("Incorrect Longitude Value! ") + options.Longitude +
                          " must lie between -180 and 180 degrees");
    if (request.UniversalTime || !request.Place.empty())
        return;
    const int most = MaxDaylightSavingMinutes(request.UtcOffsetMinutes);
    if (request.DstMinutes > most)
        throw EUsageError("--dst: with --utc-offset " + FormatOffset(request.UtcOffsetMinutes) +
                          " the summer-time offset must be between 00:00 and " +
                          FormatOffset(most).substr(1));
}

} // namespace

double NormalizedDegrees(Extended radians) {
    Extended degrees = std::fmod(radians * 180 / std::numbers::pi_v<Extended>, 360.0L);
    if (degrees < 0)
        degrees += 360;
    const double result = static_cast<double>(degrees);
    // A value just below 360 may round up to it.
    return result >= 360 ? 0 : result;
}

Extended BirthTimeValue(int seconds) {
    return seconds / 3600 + (seconds % 3600 / 60 + (seconds % 60) / 60.0L) / 100;
}

// The horoscope takes zone and summer time within +-12 hours.
constexpr int ZoneLimitMinutes = 12 * 60;

TZoneFields ZoneFields(int utcOffsetMinutes, int dstMinutes) {
    // The horoscope takes UT = clock + zone - summer with zone and summer within +-12 hours.
    // Offsets beyond +12:00 (the Pacific east of the date line) keep zone at -12 hours and
    // carry the rest in the summer time, offsets beyond -12:00 (mean times of places that
    // counted their days from the far side of the date line) zone at +12 hours and the rest
    // as negative summer time: the same UT, which is all the chart depends on.
    constexpr int Limit = ZoneLimitMinutes;
    int zone = -utcOffsetMinutes;
    int summer = dstMinutes;
    if (zone < -Limit) {
        summer += -Limit - zone;
        zone = -Limit;
    } else if (zone > Limit) {
        summer -= zone - Limit;
        zone = Limit;
    }
    return {HmValue(zone), HmValue(summer)};
}

int MaxDaylightSavingMinutes(int utcOffsetMinutes) {
    return ZoneLimitMinutes - std::max(0, utcOffsetMinutes - ZoneLimitMinutes);
}

std::string FindOrbSet(const std::vector<TOrbRow> &rows, const std::string &name) {
    std::set<std::string> names;
    for (const TOrbRow &row : rows) {
        if (Lower(row.Name) == Lower(name))
            return row.Name;
        names.insert(row.Name);
    }
    std::string known;
    for (const std::string &n : names)
        known += (known.empty() ? "" : ", ") + n;
    throw EUsageError("--orbs: unknown orb set '" + name + "' (known: " + known + ")");
}

void ConfigureHoroscope(THoroscope &horoscope, const TChartRequest &request) {
    // The house system goes first: every later setter recomputes the moment, and that is
    // where a polar latitude forces equal houses.
    horoscope.SetHouseSystem(request.HouseSystem);
    horoscope.SetGregorianStart(MakeDateValue(request.GregorianStart.Year,
                                              request.GregorianStart.Month,
                                              request.GregorianStart.Day));
    horoscope.SetBirthDate(MakeDateValue(request.Date.Year, request.Date.Month, request.Date.Day));
    horoscope.SetBirthTime(BirthTimeValue(request.Seconds));
    const TZoneFields zone = request.UniversalTime
                                 ? TZoneFields{}
                                 : ZoneFields(request.UtcOffsetMinutes, request.DstMinutes);
    horoscope.SetZoneTime(zone.ZoneTime);
    horoscope.SetSummerTime(zone.SummerTime);
    horoscope.SetLatitude(request.Latitude);
    horoscope.SetLongitude(request.Longitude);
    int options = OptionAspects;
    if (request.Transits) {
        options |= OptionTransits;
        horoscope.SetFromYear(request.Transits->FromYear);
        horoscope.SetToYear(request.Transits->ToYear);
    }
    horoscope.SetOptions(options);
}

TChartResult CollectChart(const THoroscope &horoscope, const TChartRequest &request) {
    TChartResult chart;
    chart.JulianDay = static_cast<double>(horoscope.Moment.JulianDay);
    chart.Julian = horoscope.IsJulian();
    chart.RequestedHouseSystem = request.HouseSystem;
    chart.HouseSystem = horoscope.HouseSystem();
    chart.OrbSet = request.OrbSet;
    for (int body = 1; body <= BodyCount; ++body) {
        TBodyResult b;
        b.Name = BodyName(body);
        b.Longitude = NormalizedDegrees(horoscope.Position(body));
        b.Retrograde = horoscope.Retrograde(body);
        b.Sign = SignOfLongitude(b.Longitude);
        b.House = horoscope.HouseOfBody(body - 1);
        chart.Bodies.push_back(b);
    }
    chart.Ascendant = NormalizedDegrees(horoscope.Cusp(1));
    // The Midheaven itself: with Equal houses cusp 10 lies square to the Ascendant instead.
    chart.Mc = NormalizedDegrees(horoscope.Position(PointMC));
    for (int cusp = 1; cusp <= 12; ++cusp)
        chart.Cusps[cusp - 1] = NormalizedDegrees(horoscope.Cusp(cusp));

    int point1 = 0, point2 = 0, aspect = 0;
    Extended deviation = 0;
    for (int n = 1; horoscope.GetAspect(n, point1, point2, aspect, deviation); ++n)
        chart.Aspects.push_back({AspectPointName(point1), AspectPointName(point2), 15 * aspect,
                                 static_cast<double>(deviation / 60)});

    chart.HasTransits = request.Transits.has_value();
    if (chart.HasTransits) {
        int body = 0, natal = 0, start = 0, end = 0;
        for (int n = 1; horoscope.GetTransit(n, body, aspect, natal, start, end); ++n)
            chart.Transits.push_back({TransitBodyName(body), 15 * aspect, NatalPointName(natal),
                                      DateOfYmd(start), DateOfYmd(end)});
    }
    return chart;
}

std::string RunHoroscope(THoroscope &horoscope, const TChartRequest &request,
                         const TPlaceOptions &options) {
    CheckRanges(request, options);
    try {
        ConfigureHoroscope(horoscope, request);
    } catch (const EHoroscopeException &e) {
        // Rejected by a setter: a bad value on the command line.
        throw EUsageError(e.what());
    }
    const std::vector<TOrbRow> rows = ReadOrbFile();
    const std::string orbSet = RequestedOrbSet(rows, request);
    ApplyOrbSet(horoscope, rows, orbSet);
    horoscope.SetActive(true);
    if (!horoscope.Active())
        throw std::runtime_error("cannot open the ephemeris file " + EphemerisPath());
    return orbSet;
}

TChartResult ComputeChart(const TChartRequest &request) {
    THoroscope horoscope;
    TChartRequest named = request;
    named.OrbSet = RunHoroscope(horoscope, request);
    return CollectChart(horoscope, named);
}

} // namespace kyr::cli
