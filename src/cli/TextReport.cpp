#include "TextReport.h"
#include "TextHelpers.h"

#include "ChartNames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kyr::cli {

namespace {

constexpr int NameWidth = 12;
constexpr int SignWidth = 13;

// Widths count characters, not bytes: the degree sign takes two bytes.
int Characters(const std::string &text) { return static_cast<int>(CharacterCount(text)); }

std::string Pad(const std::string &text, int width) {
    return text + std::string(std::max(0, width - Characters(text)), ' ');
}

std::string PadLeft(const std::string &text, int width) {
    return std::string(std::max(0, width - Characters(text)), ' ') + text;
}

std::string Printf(const char *format, auto... values) {
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string FormatDms(Extended dms, char positive, char negative) {
    const long long total = std::llround(std::fabs(dms) * 10000);
    return Printf("%lld°%02lld'%02lld\" %c", total / 10000, total / 100 % 100, total % 100,
                  dms < 0 ? negative : positive);
}

std::string FormatClock(int seconds) {
    return Printf("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

// Sign and degrees within it: "Capricorn    10°22'".
std::string SignPosition(double longitude) {
    return Pad(SignName(SignOfLongitude(longitude)), SignWidth) +
           PadLeft(FormatDegreesMinutes(MinutesInSign(longitude)), 6);
}

std::string CuspLabel(int cusp) {
    switch (cusp) {
    case 1: return "Ascendant";
    case 4: return "IC";
    case 7: return "Descendant";
    case 10: return "MC";
    default: return "";
    }
}

void WriteHeader(const TChartRequest &request, const TChartResult &chart, std::ostream &out) {
    out << "Moment     " << FormatDate(request.Date) << ' ' << FormatClock(request.Seconds);
    if (request.UniversalTime)
        out << " UT";
    else
        out << " local time, UTC" << FormatOffset(request.UtcOffsetMinutes)
            << ", daylight saving " << FormatOffset(request.DstMinutes).substr(1);
    out << '\n'
        << "Calendar   " << (chart.Julian ? "Julian" : "Gregorian") << " (Gregorian from "
        << FormatDate(request.GregorianStart) << ")\n";
    out << Printf("Julian day %.6f", chart.JulianDay) << '\n';
    out << "Place      " << FormatLatitude(request.Latitude) << "  "
        << FormatLongitude(request.Longitude);
    if (!request.Place.empty())
        out << "  " << request.Place
            << (request.PlaceZone.empty() ? "" : " (" + request.PlaceZone + ")");
    out << '\n';
    out << "Houses     " << HouseSystemName(chart.HouseSystem);
    if (chart.HouseSystem != chart.RequestedHouseSystem)
        out << " (" << HouseSystemName(chart.RequestedHouseSystem)
            << " cannot be computed at this latitude)";
    out << '\n' << "Orbs       " << chart.OrbSet << '\n';
}

void WriteBodies(const TChartResult &chart, std::ostream &out) {
    out << "\nBodies\n";
    for (const TBodyResult &body : chart.Bodies)
        out << Pad(body.Name, NameWidth) << SignPosition(body.Longitude)
            << (body.Retrograde ? "  R" : "   ") << Printf("  house %2d", body.House) << '\n';
}

void WriteCusps(const TChartResult &chart, std::ostream &out) {
    out << "\nHouse cusps\n";
    for (int cusp = 1; cusp <= 12; ++cusp) {
        std::string line = Printf("%2d          ", cusp) + SignPosition(chart.Cusps[cusp - 1]);
        if (!CuspLabel(cusp).empty())
            line += "  " + CuspLabel(cusp);
        out << line << '\n';
    }
}

void WriteAspects(const TChartResult &chart, std::ostream &out) {
    out << "\nAspects\n";
    if (chart.Aspects.empty())
        out << "none\n";
    for (const TAspectResult &aspect : chart.Aspects)
        out << Pad(aspect.Point1, NameWidth) << PadLeft(std::to_string(aspect.Angle) + "°", 4)
            << "  " << Pad(aspect.Point2, NameWidth) << "deviation "
            << PadLeft(FormatDeviation(aspect.Deviation), 7) << '\n';
}

void WriteTransits(const TChartRequest &request, const TChartResult &chart, std::ostream &out) {
    out << "\nTransits from 1 January " << request.Transits->FromYear << " to 1 January "
        << request.Transits->ToYear << '\n';
    if (chart.Transits.empty())
        out << "none\n";
    for (const TTransitResult &transit : chart.Transits)
        out << Pad(transit.Body, NameWidth) << PadLeft(std::to_string(transit.Angle) + "°", 4)
            << "  " << Pad(transit.NatalPoint, NameWidth) << FormatDate(transit.Start) << " to "
            << FormatDate(transit.End) << '\n';
}

} // namespace

std::string FormatDegreesMinutes(int minutes) {
    return Printf("%d°%02d'", minutes / 60, minutes % 60);
}

std::string FormatDeviation(double degrees) {
    const long long minutes = std::llround(std::fabs(degrees) * 60);
    return (degrees < 0 && minutes > 0 ? "-" : "") +
           FormatDegreesMinutes(static_cast<int>(minutes));
}

std::string FormatLatitude(Extended dms) { return FormatDms(dms, 'N', 'S'); }

// Shown east positive like the input, so that the prime meridian reads "E".
std::string FormatLongitude(Extended dms) { return FormatDms(-dms, 'E', 'W'); }

std::string FormatOffset(int minutes) {
    return Printf("%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                  std::abs(minutes) % 60);
}

void WriteTextReport(const TChartRequest &request, const TChartResult &chart, std::ostream &out) {
    WriteHeader(request, chart, out);
    WriteBodies(chart, out);
    WriteCusps(chart, out);
    WriteAspects(chart, out);
    if (request.Transits)
        WriteTransits(request, chart, out);
}

} // namespace kyr::cli
