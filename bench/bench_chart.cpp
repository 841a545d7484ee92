// Speed of the chart computation, read from the ephemeris file beside the executable.
#include "Calendar.h"
#include "Ephemeris.h"
#include "Horoscope.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

using namespace kyr;

namespace {

// A birth in 1941 with a different minute on every iteration, so nothing is repeated.
void SetBirth(THoroscope &h) {
    h.SetBirthDate(1941.0806L);
    h.SetBirthTime(4.16L);
    h.SetZoneTime(-1);
    h.SetLatitude(48.0830L);
    h.SetLongitude(-11.3400L);
}

bool OpenOrSkip(benchmark::State &state) {
    if (OpenEphemeris())
        return true;
    state.SkipWithError(("cannot open " + EphemerisPath()).c_str());
    return false;
}

void BM_EvaluateAndCompleteBodies(benchmark::State &state) {
    if (!OpenOrSkip(state))
        return;
    THoroscope h;
    Extended jd = 2430000.5L;
    for (auto _ : state) {
        EvaluateBodies(h, AllBodiesMask, jd);
        CompleteBodyPositions(h);
        benchmark::DoNotOptimize(h.Positions);
        jd += 0.37L;
        if (jd > 2460000.5L) // stay well inside the file
            jd = 2430000.5L;
    }
}
BENCHMARK(BM_EvaluateAndCompleteBodies);

void BM_ComputeMoment(benchmark::State &state) {
    THoroscope h;
    SetBirth(h);
    Extended time = 0;
    for (auto _ : state) {
        h.SetBirthTime(time);
        benchmark::DoNotOptimize(h.Moment);
        time = time >= 23 ? 0 : time + 0.01L;
    }
}
BENCHMARK(BM_ComputeMoment);

// Moment, houses, bodies and aspects: what one change of birth data costs.
void BM_FullRecalculation(benchmark::State &state) {
    if (!OpenOrSkip(state))
        return;
    THoroscope h;
    SetBirth(h);
    h.SetOptions(OptionAspects);
    for (int slot : {1, 4, 5, 7, 9, 10, 11, 13})
        for (int point = 1; point <= AspectPointCount; ++point)
            h.SetOrb(slot, point, slot == 1 || slot == 13 ? 8 : 3);
    h.SetActive(true);
    Extended time = 0;
    for (auto _ : state) {
        h.SetBirthTime(time);
        benchmark::DoNotOptimize(h.AspectCount);
        time = time >= 23 ? 0 : time + 0.01L;
    }
}
BENCHMARK(BM_FullRecalculation);

// One transit pass over three years.
void BM_TransitPassThreeYears(benchmark::State &state) {
    if (!OpenOrSkip(state))
        return;
    THoroscope h;
    SetBirth(h);
    h.SetOptions(OptionTransits);
    h.SetFromYear(2024);
    h.SetToYear(2027);
    h.SetActive(true);
    for (auto _ : state) {
        h.Pending = PendingTransits;
        h.Recalculate();
        benchmark::DoNotOptimize(h.TransitCount);
    }
    state.counters["transits"] = h.TransitCount;
}
BENCHMARK(BM_TransitPassThreeYears);

} // namespace

BENCHMARK_MAIN();
