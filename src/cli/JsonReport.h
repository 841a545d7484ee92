// The chart as one JSON object, for scripts.
#pragma once

#include "ChartRun.h"

#include <ostream>

namespace kyr::cli {

void WriteJsonReport(const TChartResult &chart, std::ostream &out);

} // namespace kyr::cli
