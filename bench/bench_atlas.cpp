// Look-ups in the delivered atlas (the build's Data/ tables): places by the beginning of their
// names, a place by its name, and the offsets of a birth there.
#include "DataCollection.h"
#include "PlaceOffsets.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace {

using namespace kyr;

// Opened once: opening prepares the tables' statements, which is not what is measured.
TDataCollection &Atlas() {
    static const std::unique_ptr<TDataCollection> data = [] {
        auto collection = std::make_unique<TDataCollection>();
        collection->SetDirectory(KYR_ATLAS_DATA);
        for (TKyrTable *table :
             {&collection->StatesTable, &collection->PlacesTable, &collection->ZoneIdTable,
              &collection->ZoneTable, &collection->SummerIdTable, &collection->SummerTable})
            table->Open();
        return collection;
    }();
    return *data;
}

const std::array<const char *, 3> Prefixes = {"S", "Spring", "Springfield (I"};

// The search of kyr-chart --find-place: every state, each from its first place at or after
// the prefix, up to 200 places.
void BM_PlacePrefixInEveryState(benchmark::State &state) {
    TDataCollection &data = Atlas();
    const char *prefix = Prefixes[state.range(0)];
    std::size_t found = 0;
    for (auto _ : state) {
        const auto places = FindPlacesByPrefix(data, "", prefix, 200);
        found = places.size();
        benchmark::DoNotOptimize(places.data());
    }
    state.SetLabel(std::string("\"") + prefix + "\", " + std::to_string(found) + " places");
}
BENCHMARK(BM_PlacePrefixInEveryState)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_PlacePrefixInOneState(benchmark::State &state) {
    TDataCollection &data = Atlas();
    const char *prefix = Prefixes[state.range(0)];
    std::size_t found = 0;
    for (auto _ : state) {
        const auto places = FindPlacesByPrefix(data, "USA", prefix, 200);
        found = places.size();
        benchmark::DoNotOptimize(places.data());
    }
    state.SetLabel(std::string("\"") + prefix + "\", " + std::to_string(found) + " places");
}
BENCHMARK(BM_PlacePrefixInOneState)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The name dialog's completion of a typed place: one FindNearest on (StateID, text).
void BM_PlaceCompletion(benchmark::State &state) {
    TDataCollection &data = Atlas();
    data.StatesTable.SetIndexName("");
    data.StatesTable.FindKey({std::string("USA")});
    const std::string stateId = data.StatesTable.FieldByName("StateID").AsString();
    data.PlacesTable.SetIndexName("");
    for (auto _ : state) {
        data.PlacesTable.FindNearest({stateId, std::string("SPRINGF")});
        benchmark::DoNotOptimize(data.PlacesTable.FieldByName("PlaceName").AsString());
    }
}
BENCHMARK(BM_PlaceCompletion)->Unit(benchmark::kMicrosecond);

void BM_FindPlaceByName(benchmark::State &state) {
    TDataCollection &data = Atlas();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindAtlasPlace(data, "USA", "Springfield (Illinois)"));
}
BENCHMARK(BM_FindPlaceByName)->Unit(benchmark::kMicrosecond);

// Zone and summer time of a birth at a place, over dates from 1850 to 2030.
void BM_OffsetsForPlace(benchmark::State &state) {
    TDataCollection &data = Atlas();
    const TAtlasPlace place = *FindAtlasPlace(data, "United Kingdom", "London");
    long long year = 1850;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OffsetsForPlace(data, place, year * 10000 + 715, 120000));
        year = year == 2030 ? 1850 : year + 1;
    }
}
BENCHMARK(BM_OffsetsForPlace)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
