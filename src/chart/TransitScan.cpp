#include "TransitScan.h"

#include "Ephemeris.h"
#include "Horoscope.h"
#include "Interpolation.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kyr {

namespace {

constexpr int HalfCircle = MinutesPerCircle / 2;
constexpr int StoryEntriesAt = CuspTextLength;
constexpr int StoryEntrySize = 3;
constexpr int StoryMaxEntries = (HouseStorySize - StoryEntriesAt) / StoryEntrySize;

// The sample of the body's area at `day` days after the start of the first record.
Extended RawSample(const std::uint8_t *raw, int area, int step, int day) {
    const std::uint8_t *at = raw + (day / EphemerisRecordDays) * EphemerisRecordSize + area +
                             2 * ((day % EphemerisRecordDays) / step);
    return static_cast<std::int16_t>(at[0] | (at[1] << 8));
}

// Minutes of arc rounded down and reduced to 0..21599. Unwrapped samples and their cubic
// lie within two circles of 0, where a lift by three circles lets truncation round down.
int WholeMinutes(double v) {
    const double lifted = v + 3 * MinutesPerCircle;
    if (lifted >= 0 && lifted < 100 * MinutesPerCircle)
        return static_cast<int>(lifted) % MinutesPerCircle;
    const double r = v - std::floor(v / MinutesPerCircle) * MinutesPerCircle;
    const int m = static_cast<int>(std::floor(r));
    return m >= MinutesPerCircle ? m - MinutesPerCircle : m;
}

int CircularDistance(int a, int b) {
    const int d = std::abs(a - b);
    return d > HalfCircle ? MinutesPerCircle - d : d;
}

void PutDaily(std::uint8_t *daily, int j, int minutes) {
    daily[2 * j] = static_cast<std::uint8_t>(minutes & 0xFF);
    daily[2 * j + 1] = static_cast<std::uint8_t>(minutes >> 8);
}

// The interval test of HouseOfLongitude, with cusps 1..13 in minutes; house h runs from
// cusp h to cusp h + 1 and spans 0 degrees when cusp h + 1 is the smaller.
bool InHouse(const int cusps[14], int h, int longitude) {
    return cusps[h] <= cusps[h + 1] ? cusps[h] <= longitude && longitude < cusps[h + 1]
                                    : cusps[h] <= longitude || longitude < cusps[h + 1];
}

// The first house that holds the longitude, 0 for none.
int HouseOf(const int cusps[14], int longitude) {
    for (int h = 1; h <= 12; ++h)
        if (InHouse(cusps, h, longitude))
            return h;
    return 0;
}

void PutStoryEntry(std::uint8_t *block, int entry, int day, int house) {
    std::uint8_t *at = block + StoryEntriesAt + StoryEntrySize * entry;
    at[0] = static_cast<std::uint8_t>(day & 0xFF);
    at[1] = static_cast<std::uint8_t>((day >> 8) & 0xFF);
    at[2] = static_cast<std::uint8_t>(house);
}

} // namespace

int ExpandDailyLongitudes(const std::uint8_t *raw, std::uint8_t *daily, int body, int coveredDays) {
    const int step = EphemerisStep(body);
    const int area = EphemerisAreaOffset(body);
    int maxMotion = 0;
    int previous = -1;
    // Covered day j lies EphemerisRecordDays days after the start of raw. The four samples
    // are shared by the `step` days from t0 on, so they are read and unwrapped once, and
    // as the cubic's third difference is constant, four evaluations give all `step` days.
    for (int t0 = 0; t0 < coveredDays; t0 += step) {
        const int at = EphemerisRecordDays + t0;
        Extended s[4] = {RawSample(raw, area, step, at - step), RawSample(raw, area, step, at),
                         RawSample(raw, area, step, at + step),
                         RawSample(raw, area, step, at + 2 * step)};
        UnwrapSamples(s);
        Extended v[4];
        for (int m = 0; m < 4; ++m)
            v[m] = InterpolateCubic(s, 1 + static_cast<Extended>(m) / step);
        // Double precision keeps the accumulated error below 1e-7 minutes over 32 days.
        double d1 = static_cast<double>(v[1] - v[0]);
        double d2 = static_cast<double>(v[2] - 2 * v[1] + v[0]);
        const double d3 = static_cast<double>(v[3] - 3 * v[2] + 3 * v[1] - v[0]);
        double value = static_cast<double>(v[0]);
        const int end = t0 + step < coveredDays ? t0 + step : coveredDays;
        for (int j = t0; j < end; ++j) {
            const int minutes = WholeMinutes(value);
            value += d1;
            d1 += d2;
            d2 += d3;
            PutDaily(daily, j, minutes);
            if (previous >= 0) {
                const int motion = CircularDistance(minutes, previous);
                if (motion > maxMotion)
                    maxMotion = motion;
            }
            previous = minutes;
        }
    }
    return maxMotion;
}

TTransitScan ScanTransit(const std::uint8_t *daily, std::uint8_t *closeness, int target,
                         int dayCount, int startOffset, int aspect, int orb, int maxDailyMotion) {
    TTransitScan scan;
    if (dayCount <= 0)
        return scan;
    if (closeness)
        std::memset(closeness, ClosenessEdge(orb), static_cast<std::size_t>(dayCount) + 2);
    target %= MinutesPerCircle;
    if (target < 0)
        target += MinutesPerCircle;
    const int speed = maxDailyMotion > 0 ? maxDailyMotion : 1;
    const std::uint8_t *days = daily + 2 * startOffset;
    auto deviation = [&](int d) {
        return std::abs(CircularDistance(DailyLongitude(days, d), target) - aspect);
    };
    // The deviation changes by at most `speed` a day, so an out-of-orb day proves the
    // next (excess - 1) / speed days out of orb as well.
    auto skip = [&](int excess) { return (excess + speed - 1) / speed; };
    int d = 0;
    while (d < dayCount) {
        const int dev = deviation(d);
        if (dev > orb) {
            d += skip(dev - orb);
            continue;
        }
        if (!scan.InOrb) {
            scan.InOrb = true;
            scan.First = d;
            if (!closeness)
                break;
        }
        scan.Last = d + 1;
        closeness[d + 1] = static_cast<std::uint8_t>(ClosenessExact + dev / 4);
        ++d;
    }
    if (scan.InOrb && !closeness) {
        // Without closeness bytes only the last in-orb day is wanted: search back for it.
        d = dayCount - 1;
        for (;;) {
            const int dev = deviation(d);
            if (dev <= orb)
                break;
            d -= skip(dev - orb);
        }
        scan.Last = d + 1;
    }
    return scan;
}

void BuildHouseStory(const std::uint8_t *daily, std::uint8_t *block, int startOffset,
                     int dayCount) {
    int cusps[14] = {};
    for (int i = 1; i <= 13; ++i)
        cusps[i] = (block[2 * (i - 1)] | (block[2 * (i - 1) + 1] << 8)) % MinutesPerCircle;
    // Cusps in order round the circle make the houses a partition, so a body still in its
    // house needs no search; out of order, houses overlap and the first match wins.
    int arcs = 0;
    for (int h = 1; h <= 12; ++h)
        arcs += (cusps[h + 1] - cusps[h] + MinutesPerCircle) % MinutesPerCircle;
    const bool ordered = arcs == MinutesPerCircle;
    std::memset(block + StoryEntriesAt, 0, HouseStorySize - StoryEntriesAt);
    const std::uint8_t *days = daily + 2 * startOffset;
    int entries = 0;
    int house = -1;
    int end = dayCount;
    for (int d = 0; d < dayCount; ++d) {
        const int longitude = DailyLongitude(days, d);
        if (ordered && house > 0 && InHouse(cusps, house, longitude))
            continue;
        const int h = HouseOf(cusps, longitude);
        if (h == house)
            continue;
        if (h == 0 || entries == StoryMaxEntries - 1) {
            end = d;
            break;
        }
        PutStoryEntry(block, entries++, d, h);
        house = h;
    }
    PutStoryEntry(block, entries, end, 0);
}

} // namespace kyr
