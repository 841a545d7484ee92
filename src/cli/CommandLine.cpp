#include "CommandLine.h"

#include "UsageError.h"

#include <functional>
#include <map>
#include <set>

namespace kyr::cli {

namespace {

using THandler = std::function<void(TChartRequest &, const std::string &value)>;

struct TOption {
    bool TakesValue;
    THandler Handle;
};

// Longer values are refused before any parser sees them: no option needs more, and a message
// never quotes a value longer than this. File names may be as long as the system allows.
constexpr std::size_t MaxValueLength = 256;
constexpr std::size_t MaxFileNameLength = 4096;
// An unknown option is quoted up to this length.
constexpr std::size_t MaxQuotedOptionLength = 40;

void CheckValueLength(const std::string &option, const std::string &value) {
    const std::size_t limit = option == "--wheel" ? MaxFileNameLength : MaxValueLength;
    if (value.size() > limit)
        throw EUsageError(option + ": the value is " + std::to_string(value.size()) +
                          " characters long; at most " + std::to_string(limit) + " are allowed");
}

std::string QuotedOption(const std::string &name) {
    if (name.size() <= MaxQuotedOptionLength)
        return "'" + name + "'";
    return "'" + name.substr(0, MaxQuotedOptionLength) + "...'";
}

TPartnerRequest &Partner(TChartRequest &request) {
    if (!request.Partner)
        request.Partner.emplace();
    return *request.Partner;
}

const std::map<std::string, TOption, std::less<>> &Options() {
    static const std::map<std::string, TOption, std::less<>> options = {
        {"--ut", {true, [](TChartRequest &r, const std::string &v) {
                      const TUniversalMoment m = ParseUniversalMoment(v, "--ut");
                      r.UniversalTime = true;
                      r.Date = m.Date;
                      r.Seconds = m.Seconds;
                  }}},
        {"--date", {true, [](TChartRequest &r, const std::string &v) {
                        r.Date = ParseDate(v, "--date");
                    }}},
        {"--time", {true, [](TChartRequest &r, const std::string &v) {
                        r.Seconds = ParseClockTime(v, "--time");
                    }}},
        {"--utc-offset", {true, [](TChartRequest &r, const std::string &v) {
                              r.UtcOffsetMinutes = ParseUtcOffset(v, "--utc-offset");
                          }}},
        {"--dst", {true, [](TChartRequest &r, const std::string &v) {
                       r.DstMinutes = ParseDaylightSaving(v, "--dst");
                   }}},
        {"--lat", {true, [](TChartRequest &r, const std::string &v) {
                       r.Latitude = ParseLatitude(v, "--lat");
                   }}},
        {"--lon", {true, [](TChartRequest &r, const std::string &v) {
                       r.Longitude = ParseLongitude(v, "--lon");
                   }}},
        {"--houses", {true, [](TChartRequest &r, const std::string &v) {
                          r.HouseSystem = ParseHouseSystem(v, "--houses");
                      }}},
        // The name is checked against the orb file when the chart is computed.
        {"--orbs", {true, [](TChartRequest &r, const std::string &v) {
                        if (v.empty())
                            throw EUsageError("--orbs: the orb set name is empty");
                        r.OrbSet = v;
                        r.OrbSetGiven = true;
                    }}},
        {"--gregorian-start", {true, [](TChartRequest &r, const std::string &v) {
                                   r.GregorianStart = ParseDate(v, "--gregorian-start");
                                   r.GregorianStartGiven = true;
                                   const TDate &d = r.GregorianStart;
                                   if (d.Day > DaysInMonth(d.Year, d.Month, false))
                                       throw EUsageError("--gregorian-start: " + v +
                                                         " is not a Gregorian calendar date");
                               }}},
        {"--transits", {true, [](TChartRequest &r, const std::string &v) {
                            r.Transits = ParseYearSpan(v, "--transits");
                        }}},
        {"--place", {true, [](TChartRequest &r, const std::string &v) {
                         if (v.find(',') == std::string::npos)
                             throw EUsageError("--place: '" + v +
                                               "' is not \"STATE, PLACE\" (see --find-place)");
                         r.Place = v;
                     }}},
        {"--fold", {true, [](TChartRequest &r, const std::string &v) {
                        if (v != "earlier" && v != "later")
                            throw EUsageError("--fold: '" + v + "' is not earlier or later");
                        r.FoldLater = v == "later";
                    }}},
        {"--find-place", {true, [](TChartRequest &r, const std::string &v) {
                              if (v.empty())
                                  throw EUsageError("--find-place: the text to look for is empty");
                              r.FindPlace = v;
                          }}},
        {"--wheel", {true, [](TChartRequest &r, const std::string &v) {
                         r.Wheel.Format = ParseWheelFormat(v, "--wheel");
                         r.Wheel.File = v;
                     }}},
        {"--size", {true, [](TChartRequest &r, const std::string &v) {
                        r.Wheel.Size = ParseWheelSize(v, "--size");
                    }}},
        {"--bw", {false, [](TChartRequest &r, const std::string &) { r.Wheel.BW = true; }}},
        {"--aries-left",
         {false, [](TChartRequest &r, const std::string &) { r.Wheel.AriesAtLeft = true; }}},
        {"--partner-ut", {true, [](TChartRequest &r, const std::string &v) {
                              const TUniversalMoment m = ParseUniversalMoment(v, "--partner-ut");
                              Partner(r).Date = m.Date;
                              Partner(r).Seconds = m.Seconds;
                          }}},
        {"--partner-lat", {true, [](TChartRequest &r, const std::string &v) {
                               Partner(r).Latitude = ParseLatitude(v, "--partner-lat");
                           }}},
        {"--partner-lon", {true, [](TChartRequest &r, const std::string &v) {
                               Partner(r).Longitude = ParseLongitude(v, "--partner-lon");
                           }}},
        {"--json", {false, [](TChartRequest &r, const std::string &) { r.Json = true; }}},
        {"--help", {false, [](TChartRequest &r, const std::string &) { r.Help = true; }}},
        {"-h", {false, [](TChartRequest &r, const std::string &) { r.Help = true; }}},
    };
    return options;
}

void CheckWheelOptions(const TChartRequest &request, const std::set<std::string> &given) {
    const char *partnerOptions[] = {"--partner-ut", "--partner-lat", "--partner-lon"};
    if (!given.count("--wheel"))
        for (const char *option : {"--size", "--bw", "--aries-left", partnerOptions[0],
                                   partnerOptions[1], partnerOptions[2]})
            if (given.count(option))
                throw EUsageError(std::string(option) +
                                  " is for the wheel image; give --wheel FILE");
    if (!request.Partner)
        return;
    for (const char *option : partnerOptions)
        if (!given.count(option))
            throw EUsageError(std::string("the partner chart needs ") + option +
                              " as well (--partner-ut, --partner-lat and --partner-lon go "
                              "together)");
}

void CheckCombination(const TChartRequest &request, const std::set<std::string> &given) {
    if (given.count("--find-place")) {
        if (given.size() > 1)
            throw EUsageError("--find-place lists places; it takes no other option");
        return;
    }
    const bool place = given.count("--place");
    if (place && (given.count("--lat") || given.count("--lon")))
        throw EUsageError("--place gives the coordinates; it does not combine with --lat or --lon");
    if (place && (given.count("--utc-offset") || given.count("--dst")))
        throw EUsageError("--place gives the offsets from the atlas; it does not combine with "
                          "--utc-offset or --dst");
    if (given.count("--fold") && (!place || given.count("--ut")))
        throw EUsageError("--fold chooses between two moments of the clock at --place; it needs "
                          "--place with --date and --time");
    const bool local = given.count("--date") || given.count("--time") ||
                       given.count("--utc-offset") || given.count("--dst");
    if (given.count("--ut") && local)
        throw EUsageError("--ut gives the moment in universal time; it does not combine with "
                          "--date, --time, --utc-offset or --dst");
    if (!given.count("--ut")) {
        if (!local)
            throw EUsageError("no moment given: use --ut, or --date with --time and "
                              "--utc-offset or --place (see --help)");
        if (place) {
            for (const char *needed : {"--date", "--time"})
                if (!given.count(needed))
                    throw EUsageError(std::string("a local moment needs ") + needed +
                                      " as well (--date and --time go together)");
        } else {
            for (const char *needed : {"--date", "--time", "--utc-offset"})
                if (!given.count(needed))
                    throw EUsageError(std::string("a local moment needs ") + needed +
                                      " as well (--date, --time and --utc-offset go together)");
        }
    }
    if (!place)
        for (const char *needed : {"--lat", "--lon"})
            if (!given.count(needed))
                throw EUsageError(std::string("the place needs ") + needed + " (or --place)");
    CheckWheelOptions(request, given);
    // At a place without --gregorian-start the calendar is the place's, known once it is found.
    if (!place || request.GregorianStartGiven)
        CheckDatesExist(request);
}

} // namespace

void CheckDatesExist(const TChartRequest &request) {
    const auto check = [&](const TDate &date, const std::string &prefix) {
        if (!DateExists(date, request.GregorianStart))
            throw EUsageError(prefix + FormatDate(date) + " does not exist in the " +
                              (date < request.GregorianStart ? "Julian" : "Gregorian") +
                              " calendar");
    };
    check(request.Date, "");
    if (request.Partner)
        check(request.Partner->Date, "--partner-ut: ");
}

TChartRequest ParseCommandLine(const std::vector<std::string> &args) {
    TChartRequest request;
    std::set<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        const auto option = Options().find(name);
        if (option == Options().end())
            throw EUsageError("unknown option " + QuotedOption(name) + " (see --help)");
        if (!option->second.TakesValue && value)
            throw EUsageError(name + " takes no value");
        if (option->second.TakesValue && !value) {
            if (i + 1 == args.size())
                throw EUsageError(name + " needs a value");
            value = args[++i];
        }
        if (!given.insert(name).second)
            throw EUsageError(name + " is given twice");
        if (value)
            CheckValueLength(name, *value);
        option->second.Handle(request, value.value_or(""));
        if (request.Help)
            return request;
    }
    CheckCombination(request, given);
    return request;
}

const char *UsageText() {
    return R"(Usage: kyr-chart --ut "YYYY-MM-DD HH:MM[:SS]" --lat LATITUDE --lon LONGITUDE [OPTION]...
       kyr-chart --date YYYY-MM-DD --time HH:MM[:SS] --utc-offset (+|-)HH:MM [--dst HH:MM]
                 --lat LATITUDE --lon LONGITUDE [OPTION]...
       kyr-chart --date YYYY-MM-DD --time HH:MM[:SS] --place "STATE, PLACE" [OPTION]...
       kyr-chart --find-place TEXT

Computes a natal chart: the positions of the bodies, the house cusps, the aspects and,
on request, the transits of Jupiter to Pluto and the chart wheel as an image.

The moment:
  --ut "YYYY-MM-DD HH:MM[:SS]"  universal time (a 'T' may replace the blank)
  --date YYYY-MM-DD             local date; Julian calendar before --gregorian-start
  --time HH:MM[:SS]             local clock time
  --utc-offset (+|-)HH:MM       offset of the local standard time from universal time,
                                east of Greenwich positive, -12:00 to +14:00
                                (-05:00 New York, +01:00 Paris)
  --dst HH:MM                   daylight saving in force at that moment, on top of the
                                standard time (default 00:00, at most 12:00, less by what
                                --utc-offset goes beyond +12:00)

The place:
  --lat LATITUDE                decimal degrees, north positive (40.7128, -33.8675), or
                                degrees, N or S, minutes and optional seconds (40N43, 33S5203)
  --lon LONGITUDE               decimal degrees, east positive (-74.006, 151.2070), or
                                degrees, E or W, minutes and optional seconds (74W00, 151E1225)
  --place "STATE, PLACE"        a place of the atlas instead of --lat and --lon ("USA,
                                New York City"); with --date and --time its time zone and
                                summer time at that moment are looked up, and before
                                standard time the place's own local mean time is used
  --find-place TEXT             list the places of the atlas whose name begins with TEXT,
                                or "STATE, PLACE" with both beginnings, with their
                                coordinates and time zones
  --fold earlier|later          with --place, a clock time that happened twice there (the
                                hour repeated when the clocks go back): the earlier moment,
                                in summer time, or the later one, in standard time; without
                                it such a time is refused, and so is one the clocks skipped

The wheel image:
  --wheel FILE                  also draw the chart wheel into FILE, in the format that the
                                name ends in: .png, .svg or .pdf
  --size PIXELS                 side of the image, 100 to 8000 (default 800); for .pdf the
                                side of the page in points
  --bw                          black and white: grey signs with white boundaries and
                                glyphs, black bodies and aspect lines
  --aries-left                  turn the wheel so that 0° Aries lies at the left rather
                                than the Ascendant
  --partner-ut "YYYY-MM-DD HH:MM[:SS]"
  --partner-lat LATITUDE
  --partner-lon LONGITUDE       a partner chart drawn inside the first one (a bi-wheel), in
                                the forms of --ut, --lat and --lon; the three go together,
                                and a bi-wheel shows no aspect lines

Options:
  --houses placidus|koch|equal  house system (default placidus); equal houses are used
                                where the chosen system cannot be computed
  --orbs Strong|Medium|Weak     orb set for the aspects (default Medium)
  --gregorian-start YYYY-MM-DD  first Gregorian day (default 1582-10-15, or the
                                place's own with --place)
  --transits FROM-TO            transits from 1 January FROM to 1 January TO, one to three
                                years within 1500..2100 (e.g. 2024-2026)
  --json                        print one JSON object instead of the tables
  -h, --help                    print this text and exit

Exit status: 0 done, 1 the chart could not be computed or the image not written (or no
place matches --find-place), 2 a bad command line.

The atlas is made from the GeoNames gazetteer (CC BY 4.0) and the time-zone boundaries of
timezone-boundary-builder (OpenStreetMap data, ODbL 1.0); the zone histories come from the
IANA time zone database (public domain).
)";
}

} // namespace kyr::cli
