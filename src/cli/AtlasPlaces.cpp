#include "AtlasPlaces.h"
#include "TextHelpers.h"

#include "Calendar.h"
#include "ClockMoments.h"
#include "InputParsing.h"
#include "PlaceOffsets.h"
#include "UsageError.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kyr::cli {

namespace {

std::string TrimmedRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// H.MM to signed minutes.
int HmMinutes(Extended value) {
    const Extended magnitude = std::fabs(value);
    const int hours = static_cast<int>(magnitude);
    const int minutes = hours * 60 + static_cast<int>(std::lround((magnitude - hours) * 100));
    return value < 0 ? -minutes : minutes;
}

// ±(degrees·100 + minutes) as --lat and --lon read it: "40N43", "074W00".
std::string AngleText(long long value, int width, char positive, char negative) {
    char text[48];
    const long long magnitude = std::llabs(value);
    std::snprintf(text, sizeof text, "%0*lld%c%02lld", width, magnitude / 100,
                  value < 0 ? negative : positive, magnitude % 100);
    return text;
}

int Characters(const std::string &text) { return static_cast<int>(CharacterCount(text)); }

// HHMMSS as HH:MM, with :SS when not 0.
std::string ClockText(long long time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld", time / 10000, time / 100 % 100);
    std::string result = text;
    if (time % 100 != 0) {
        std::snprintf(text, sizeof text, ":%02lld", time % 100);
        result += text;
    }
    return result;
}

std::string UniversalText(const TDateTimeNumbers &moment) {
    const TDate date{static_cast<int>(moment.Date / 10000), static_cast<int>(moment.Date / 100 % 100),
                     static_cast<int>(moment.Date % 100)};
    return FormatDate(date) + " " + ClockText(moment.Time);
}

} // namespace

TAtlas::TAtlas(const std::string &dataDirectory) {
    Data.SetDirectory(dataDirectory);
    for (TKyrTable *table : {&Data.StatesTable, &Data.PlacesTable, &Data.ZoneIdTable,
                             &Data.ZoneTable, &Data.SummerIdTable, &Data.SummerTable})
        table->Open();
}

TChartRequest ResolvePlace(const TChartRequest &request, TAtlas &atlas) {
    if (request.Place.empty())
        return request;
    std::string state, place;
    if (!SplitPlaceText(TrimmedRight(request.Place), state, place))
        throw EUsageError("--place: '" + request.Place + "' is not \"STATE, PLACE\"");
    const std::optional<TAtlasPlace> found = FindAtlasPlace(atlas.Data, state, place);
    if (!found) {
        atlas.Data.StatesTable.SetIndexName("");
        if (!atlas.Data.StatesTable.FindKey({state}))
            throw EUsageError("--place: the atlas has no state '" + state +
                              "' (kyr-chart --find-place lists places)");
        throw EUsageError("--place: the atlas has no place '" + place + "' in " + state +
                          " (kyr-chart --find-place \"" + state + ", ...\" lists places)");
    }
    TChartRequest resolved = request;
    resolved.Place = found->StateName + ", " + found->PlaceName;
    resolved.PlaceZone = found->ZoneName;
    // The tables' degrees·100 + minutes over 100 is the program's D.MM(SS) value.
    resolved.Latitude = found->Latitude / 100.0L;
    resolved.Longitude = found->Longitude / 100.0L;
    if (!request.GregorianStartGiven) {
        const TYmd start = SplitDateValue(atlas.Data.GregorianStartFor(state, place, 0));
        resolved.GregorianStart = {start.Year, start.Month, start.Day};
    }
    CheckDatesExist(resolved);
    if (!request.UniversalTime) {
        const TDate &d = request.Date;
        const int s = request.Seconds;
        const TDateTimeNumbers clock{d.Year * 10000LL + d.Month * 100 + d.Day,
                                     s / 3600 * 10000LL + s / 60 % 60 * 100 + s % 60};
        const TClockMoments moments =
            ClockMomentsForPlace(atlas.Data, *found, clock.Date, clock.Time);
        const std::string when = FormatDate(d) + " " + ClockText(clock.Time);
        if (moments.Reading == TClockReading::Skipped)
            throw EUsageError(when + " does not exist in " + resolved.Place +
                              ": the clocks were put forward over it");
        if (moments.Reading == TClockReading::Repeated && !request.FoldLater)
            throw EUsageError(
                when + " happened twice in " + resolved.Place + ": at " +
                UniversalText(UniversalMoment(clock, moments.Earlier)) + " UT in summer time and at " +
                UniversalText(UniversalMoment(clock, moments.Later)) +
                " UT in standard time; choose one with --fold earlier or --fold later");
        const TPlaceOffsets offsets =
            request.FoldLater.value_or(false) ? moments.Later : moments.Earlier;
        resolved.UtcOffsetMinutes = -HmMinutes(offsets.ZoneTime);
        resolved.DstMinutes = HmMinutes(offsets.SummerTime);
    }
    return resolved;
}

std::size_t WritePlaceList(TAtlas &atlas, const std::string &text, std::ostream &out) {
    std::string statePrefix, placePrefix = TrimmedRight(text);
    if (const auto comma = placePrefix.find(','); comma != std::string::npos) {
        statePrefix = TrimmedRight(placePrefix.substr(0, comma));
        const auto start = placePrefix.find_first_not_of(' ', comma + 1);
        placePrefix = start == std::string::npos ? std::string() : placePrefix.substr(start);
    }
    const std::vector<TAtlasPlace> places =
        FindPlacesByPrefix(atlas.Data, statePrefix, placePrefix, FoundPlacesShown + 1);
    const std::size_t shown = std::min(places.size(), FoundPlacesShown);
    int width = 0;
    for (std::size_t i = 0; i < shown; ++i)
        width = std::max(width, Characters(places[i].StateName + ", " + places[i].PlaceName));
    for (std::size_t i = 0; i < shown; ++i) {
        const TAtlasPlace &p = places[i];
        const std::string name = p.StateName + ", " + p.PlaceName;
        out << name << std::string(width - Characters(name) + 2, ' ')
            << AngleText(p.Latitude, 2, 'N', 'S') << "  " << AngleText(p.Longitude, 3, 'W', 'E')
            << "  " << (p.ZoneName.empty() ? "(no time zone)" : p.ZoneName) << '\n';
    }
    if (places.size() > shown)
        out << "... and more: give more of the name\n";
    return places.size();
}

} // namespace kyr::cli
