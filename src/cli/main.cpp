// kyr-chart: computes a chart from the command line and prints it as tables or JSON, and
// draws its wheel into an image file on request.
#include "AtlasPlaces.h"
#include "ChartRun.h"
#include "CommandLine.h"
#include "HoroscopeException.h"
#include "JsonReport.h"
#include "TextReport.h"
#include "UsageError.h"
#include "WheelExport.h"

#include <iostream>
#include <sstream>

namespace {

int Fail(const char *message, int status) {
    std::cerr << "kyr-chart: " << message << '\n';
    return status;
}

} // namespace

int main(int argc, char **argv) {
    using namespace kyr::cli;
    try {
        TChartRequest request = ParseCommandLine({argv + 1, argv + argc});
        if (request.Help) {
            std::cout << UsageText();
            return 0;
        }
        if (request.FindPlace) {
            TAtlas atlas;
            std::ostringstream list;
            if (WritePlaceList(atlas, *request.FindPlace, list) == 0)
                return Fail(("no place of the atlas begins with '" + *request.FindPlace + "'")
                                .c_str(),
                            1);
            std::cout << list.str() << std::flush;
            return std::cout ? 0 : Fail("cannot write to standard output", 1);
        }
        if (!request.Place.empty()) {
            TAtlas atlas;
            request = ResolvePlace(request, atlas);
        }
        const TChartResult chart = ComputeChart(request);
        if (!request.Wheel.File.empty())
            ExportWheel(request);
        // Composed first, so that a failure halfway leaves no partial output.
        std::ostringstream report;
        if (request.Json)
            WriteJsonReport(chart, report);
        else
            WriteTextReport(request, chart, report);
        std::cout << report.str() << std::flush;
        if (!std::cout)
            return Fail("cannot write to standard output", 1);
        return 0;
    } catch (const EUsageError &e) {
        return Fail(e.what(), 2);
    } catch (const kyr::EHoroscopeException &e) {
        return Fail(e.what(), 1);
    } catch (const std::exception &e) {
        return Fail(e.what(), 1);
    }
}
