// kyr-make-ephemeris: computes the ephemeris file KYR.LNG from the Swiss Ephemeris.
//
//   kyr-make-ephemeris OUTPUT [--end YYYY-MM-DD]
//
// Beside OUTPUT it writes OUTPUT.sum, the checksum the reader verifies.
// The file starts at the epoch (20 December 1499) and is long enough for every moment up
// to the end of the --end day (default 31 March 2101) to be evaluated.

#include "BodySeries.h"
#include "EphemerisWriter.h"
#include "SampleFit.h"
#include "TruePositions.h"

#include "Calendar.h"
#include "Ephemeris.h"
#include "EphemerisChecksum.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace kyr;
using namespace kyr::generator;

const char *const BodyNames[EphemerisBodyCount] = {"Sun",     "Moon",    "Mercury", "Venus",
                                                   "Mars",    "Jupiter", "Saturn",  "Uranus",
                                                   "Neptune", "Pluto",   "Node"};

// Measuring points per sample interval; more change the fitted samples' errors by
// hundredths of a minute only.
constexpr int PointsPerInterval = 8;

struct TOptions {
    std::string Output;
    int EndYear = 2101, EndMonth = 3, EndDay = 31;
};

bool ParseDate(const std::string &text, TOptions &options) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3)
        return false;
    if (y < 1500 || y > 2900 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    options.EndYear = y;
    options.EndMonth = m;
    options.EndDay = d;
    return true;
}

bool ParseArguments(int argc, char **argv, TOptions &options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--end" && i + 1 < argc) {
            if (!ParseDate(argv[++i], options))
                return false;
        } else if (!arg.empty() && arg[0] != '-' && options.Output.empty()) {
            options.Output = arg;
        } else {
            return false;
        }
    }
    return !options.Output.empty();
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int Run(const TOptions &options) {
    const auto start = std::chrono::steady_clock::now();
    // Moments before the start of the day after the end day must evaluate, and the reader
    // stops 2 records before the end of the file.
    const double endX = static_cast<double>(
        JulianDay0(options.EndYear, options.EndMonth, true, options.EndDay) + 1 - EphemerisEpoch);
    if (endX <= 3 * EphemerisRecordDays)
        throw std::runtime_error("end date before the epoch");
    const int recordCount = static_cast<int>(std::ceil(endX / EphemerisRecordDays)) + 2;
    const int lastDay = recordCount * EphemerisRecordDays;

    const int threads = std::max(1u, std::thread::hardware_concurrency());
    const TTrueLongitudes truth(-16, lastDay + 16, threads);
    const double truthSeconds = Seconds(start);

    // Bodies are independent; the Moon and Mercury, the longest series, go first.
    const int order[EphemerisBodyCount] = {2, 3, 4, 5, 6, 1, 7, 8, 9, 10, 11};
    TBodySamples samples;
    std::vector<TFitQuality> quality(EphemerisBodyCount);
    std::vector<std::string> errors(threads);
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            try {
                for (int n; (n = next++) < EphemerisBodyCount;) {
                    const int b = order[n];
                    const TFitProblem problem =
                        MakeFitProblem(truth, b, recordCount, PointsPerInterval);
                    samples[b - 1] = FitSamples(problem);
                    quality[b - 1] = MeasureFit(problem, samples[b - 1]);
                }
            } catch (const std::exception &e) {
                errors[t] = e.what();
            }
        });
    }
    for (auto &worker : workers)
        worker.join();
    for (const auto &error : errors)
        if (!error.empty())
            throw std::runtime_error(error);

    const std::vector<std::uint8_t> bytes = PackRecords(samples, recordCount);
    WriteFileAtomically(options.Output, bytes);
    // The reader refuses the file without its checksum beside it.
    const std::string checksum = EphemerisChecksumText(bytes.data(), bytes.size());
    WriteFileAtomically(options.Output + EphemerisChecksumSuffix,
                        std::vector<std::uint8_t>(checksum.begin(), checksum.end()));

    const int lastFullDay = YmdFromJulianDay(
        1500, EphemerisEpoch + EphemerisRecordDays * static_cast<Extended>(recordCount - 2) - 1);
    std::printf("%s: %d records, evaluable through %04d-%02d-%02d; %.1f s (true positions "
                "%.1f s)\n",
                options.Output.c_str(), recordCount, lastFullDay / 10000, lastFullDay / 100 % 100,
                lastFullDay % 100, Seconds(start), truthSeconds);
    for (int b = 1; b <= EphemerisBodyCount; ++b)
        std::printf("  %-8s max %.2f' mean %.3f'\n", BodyNames[b - 1], quality[b - 1].MaxError,
                    quality[b - 1].MeanError);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    TOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s OUTPUT [--end YYYY-MM-DD]\n", argv[0]);
        return 2;
    }
    try {
        return Run(options);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
}
