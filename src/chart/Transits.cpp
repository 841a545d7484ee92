#include "Transits.h"

#include "Angles.h"
#include "Calendar.h"
#include "Ephemeris.h"
#include "TransitScan.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace kyr {

namespace {

constexpr std::array<int, 5> TransitOrbs = {10, 7, 4, 3, 3};

// Natal longitude in whole minutes of arc; the pass and the curve must agree on it, or a
// curve could be scanned against a target one minute away from its record's.
int TargetMinutes(Extended radians) {
    return static_cast<int>(Trunc(radians / Pi * 10800));
}

// YYYYMMDD of the days of a span. Only day 0 goes through YmdFromJulianDay (1500,
// B + 1); the other days are counted on from it in the Gregorian calendar, which that
// conversion uses for every day of the ephemeris, and which costs far less per record.
class TSpanDates {
public:
    explicit TSpanDates(int baseDay) {
        const TYmd d = SplitYmd(YmdFromJulianDay(1500, baseDay + 1));
        FDay0 = std::chrono::sys_days{std::chrono::year(d.Year) / d.Month / d.Day};
    }
    int operator()(int day) const {
        const std::chrono::year_month_day ymd{FDay0 + std::chrono::days(day)};
        return int(ymd.year()) * 10000 + int(unsigned(ymd.month())) * 100 +
               int(unsigned(ymd.day()));
    }

private:
    std::chrono::sys_days FDay0;
};

} // namespace

int TransitOrbDegrees(int body) {
    return TransitOrbs.at(body - FirstTransitBody);
}

TTransitSpan ComputeTransitSpan(int fromYear, int toYear) {
    const Extended xFrom = JulianDay0(fromYear, 1, true, 1) - EphemerisEpoch;
    const Extended xTo = JulianDay0(toYear, 1, true, 1) - EphemerisEpoch;
    const long long day0 = Trunc(xFrom);
    TTransitSpan span;
    span.FirstRecord = static_cast<int>(day0 / EphemerisRecordDays);
    span.BaseDay = static_cast<int>(Trunc(xFrom + EphemerisEpoch));
    span.DayCount = static_cast<int>(Trunc(xTo - xFrom + 1));
    span.StartOffset = static_cast<int>(day0 % EphemerisRecordDays);
    return span;
}

int TransitReadSize(const TTransitSpan &span) {
    return ((span.StartOffset + span.DayCount) / EphemerisRecordDays + 4) * EphemerisRecordSize;
}

void FindTransits(THoroscope &horoscope) {
    THoroscope &h = horoscope;
    h.TransitCount = 0;
    // A pass that stops early must not leave the stories of an earlier span behind.
    for (auto &story : h.HouseStories)
        story.fill(0);
    if (!(h.Options() & OptionTransits))
        return;
    const int from = h.FromYear();
    const int to = h.ToYear();
    if (from < 1500 || from > 2100 || to < 1500 || to > 2100)
        return;
    const TTransitSpan span = ComputeTransitSpan(from, to);
    const int n = span.DayCount;
    const int s = span.StartOffset;
    const int bytes = TransitReadSize(span);
    // The year setters keep the span within three years, which these sizes hold.
    if (n < 1 || bytes > static_cast<int>(h.RawBuffer.size()) ||
        2 * (s + n) > static_cast<int>(h.DailyBuffer.size()) ||
        n + 2 > static_cast<int>(h.ClosenessBuffer.size()))
        return;
    h.TransitSpan = span;
    if (ReadEphemerisRecords(span.FirstRecord - 1, h.RawBuffer.data(), bytes) < bytes)
        return;

    const std::uint8_t *raw = h.RawBuffer.data();
    std::uint8_t *daily = h.DailyBuffer.data();
    const TSpanDates dateOf(span.BaseDay);
    std::array<int, BodyCount + 1> bodyTargets{};
    for (int i = 1; i <= BodyCount; ++i)
        bodyTargets[i] = TargetMinutes(h.Position(i));
    std::array<int, 11> cuspTargets{};
    for (int j = 1; j <= 10; ++j)
        cuspTargets[j] = TargetMinutes(h.Cusp(j));
    for (int k = FirstTransitBody; k <= LastTransitBody; ++k) {
        const bool hasStory = k == 6 || k == 7;
        // Option switch 2 is Jupiter's story, 1 Saturn's.
        const bool storyOn = hasStory && h.TransitOption(k == 6 ? 2 : 1);
        const bool planetOn = h.TransitPlanet(k);
        int speed = 0;
        if (storyOn || planetOn)
            speed = ExpandDailyLongitudes(raw, daily, k, s + n);
        if (hasStory) {
            auto &block = h.HouseStories[k - FirstTransitBody];
            block.fill(0);
            if (storyOn) {
                std::copy_n(h.CuspText.begin(),
                            std::min<std::size_t>(h.CuspText.size(), CuspTextLength),
                            block.begin());
                BuildHouseStory(daily, block.data(), s, n);
            }
        }
        if (!planetOn)
            continue;
        const int orb = TransitOrbDegrees(k) * 60;
        auto test = [&](int aspect, int target, int point) {
            // The records need only f and l; the curve fills the closeness bytes itself.
            const TTransitScan scan = ScanTransit(daily, nullptr, target, n, s, aspect, orb, speed);
            // A single in-orb day (l = f + 1) makes no record.
            if (!scan.InOrb || scan.Last <= scan.First + 1 || h.TransitCount >= MaxTransits)
                return;
            TTransitRecord &r = h.Transits[h.TransitCount++];
            r.Body = k - 5;
            r.Aspect = aspect / 900;
            r.NatalPoint = point;
            r.Start = dateOf(scan.First);  // YmdFromJulianDay (1500, B + f + 1)
            r.End = dateOf(scan.Last - 1); // YmdFromJulianDay (1500, B + l)
        };
        for (int a = 0; a < 9; ++a) {
            if (!h.TransitAspect(a))
                continue;
            const int aspect = TransitAspectAngles[a] * 60;
            for (int i = 1; i <= BodyCount; ++i)
                test(aspect, bodyTargets[i], i);
        }
        // Cusp conjunctions; cusps 11 and 12 are left out.
        if (h.TransitAspect(0))
            for (int j = 1; j <= 10; ++j)
                test(0, cuspTargets[j], 100 + j);
    }
}

bool THoroscope::GetTransit(int n, int &body, int &aspect, int &natalPoint, int &startYmd,
                            int &endYmd) const {
    if (n < 1 || n > TransitCount)
        return false;
    const TTransitRecord &r = Transits[n - 1];
    body = r.Body;
    aspect = r.Aspect;
    natalPoint = r.NatalPoint;
    startYmd = r.Start;
    endYmd = r.End;
    return true;
}

bool THoroscope::GetTransitCurve(int n, int len, Extended *values) {
    const int days = TransitSpan.DayCount;
    const int s = TransitSpan.StartOffset;
    if (len <= 0 || len > MaxTransitCurveLength || days <= 0)
        return false;
    int body = 0, aspect = 0, point = 0, start = 0, end = 0;
    if (!GetTransit(n, body, aspect, point, start, end)) {
        std::fill(values, values + len, Extended(0));
        return false;
    }
    const int k = body + 5;
    const int orb = TransitOrbDegrees(k) * 60;
    const int speed = ExpandDailyLongitudes(RawBuffer.data(), DailyBuffer.data(), k, s + days);
    const TTransitScan scan =
        ScanTransit(DailyBuffer.data(), ClosenessBuffer.data(), TargetMinutes(TransitPoint(point)),
                    days, s, aspect * 900, orb, speed);
    const Extended r = static_cast<Extended>(days) / len;
    std::fill(values, values + len, Extended(0));
    const long long i0 = Trunc(scan.First / r);
    // Day l maps to index len when the transit is in orb on the last day of the span.
    const long long i1 = std::min<long long>(Trunc(scan.Last / r), len - 1);
    const std::uint8_t *c = ClosenessBuffer.data();
    for (long long i = i0; i <= i1; ++i) {
        const long long d = Trunc(i * r);
        // 1 - (c - 5) * 4 / O, over one division so that the orb's edge gives exactly 0.
        values[i] = static_cast<Extended>(orb - 4 * (c[d + 1] - ClosenessExact)) / orb;
    }
    return true;
}

void THoroscope::GetTxHouseStory(int i, std::uint8_t *block) const {
    if (i != 6 && i != 7)
        throw EHoroscopeException("Invalid index in GetTxHouseStory!");
    const auto &story = HouseStories[i - 6];
    std::copy(story.begin(), story.end(), block);
}

} // namespace kyr
