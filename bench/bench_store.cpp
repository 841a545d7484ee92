// Speed of the table cursor on an atlas-sized PLACES table (100,000 rows) built at start in a
// temporary directory.
#include "KyrTable.h"
#include "TableSchemas.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace kyr;

namespace {

constexpr int States = 200;
constexpr int PlacesPerState = 500;

struct TPlaceKey {
    std::string StateID;
    std::string PlaceName;
};

std::string PlaceName(std::mt19937 &random) {
    static const char *const syllables[] = {"ber", "ko",  "ham",  "lin",   "sted", "vik", "or",
                                            "an",  "mar", "borg", "ville", "ton",  "ri",  "sa"};
    std::uniform_int_distribution<int> count(2, 4), pick(0, std::size(syllables) - 1);
    std::string name;
    for (int n = count(random); n > 0; --n)
        name += syllables[pick(random)];
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

/// The table's directory and its keys, made once for all benchmarks.
struct TAtlas {
    std::string Directory;
    std::vector<TPlaceKey> Keys;

    TAtlas() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kyr-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory");
        Directory = pattern + "/";
        CreateTable(Directory, "PLACES");
        TKyrTable places("PLACES", Directory);
        places.Open();
        std::mt19937 random(1940);
        places.StartTransaction();
        for (int state = 0; state < States; ++state) {
            const std::string id = std::to_string(1001 + state);
            for (int n = 0; n < PlacesPerState;) {
                const std::string name = PlaceName(random) + " " + std::to_string(n);
                places.AppendRecord({id, name, 5540LL + n, -1235LL - state, "1001", "1001"});
                Keys.push_back({id, name});
                ++n;
            }
        }
        places.Commit();
    }
    ~TAtlas() {
        std::error_code error;
        std::filesystem::remove_all(Directory, error);
    }
};

TAtlas &Atlas() {
    static TAtlas atlas;
    return atlas;
}

void BM_FindKey(benchmark::State &state) {
    TKyrTable places("PLACES", Atlas().Directory);
    places.Open();
    const auto &keys = Atlas().Keys;
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, keys.size() - 1);
    for (auto _ : state) {
        const TPlaceKey &key = keys[pick(random)];
        benchmark::DoNotOptimize(places.FindKey({key.StateID, key.PlaceName}));
    }
}
BENCHMARK(BM_FindKey);

// Prefix completion: the state and the upper-cased first letters of a place.
void BM_FindNearest(benchmark::State &state) {
    TKyrTable places("PLACES", Atlas().Directory);
    places.Open();
    std::vector<std::vector<TFieldValue>> prefixes;
    for (std::size_t i = 0; i < Atlas().Keys.size(); i += 97) {
        std::string prefix = Atlas().Keys[i].PlaceName.substr(0, 4);
        for (char &c : prefix)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        prefixes.push_back({Atlas().Keys[i].StateID, prefix});
    }
    std::size_t next = 0;
    for (auto _ : state) {
        places.FindNearest(prefixes[next]);
        benchmark::DoNotOptimize(places.Eof());
        next = (next + 1) % prefixes.size();
    }
}
BENCHMARK(BM_FindNearest);

// Every record from the first to the last, reading the key of each.
void BM_NextWalk(benchmark::State &state) {
    TKyrTable places("PLACES", Atlas().Directory);
    places.Open();
    TKyrField name = places.FieldByName("PlaceName");
    for (auto _ : state) {
        long long rows = 0;
        for (places.First(); !places.Eof(); places.Next()) {
            benchmark::DoNotOptimize(name.AsString());
            ++rows;
        }
        if (rows != static_cast<long long>(Atlas().Keys.size()))
            state.SkipWithError("the walk missed rows");
        state.SetItemsProcessed(state.items_processed() + rows);
    }
}
BENCHMARK(BM_NextWalk)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
