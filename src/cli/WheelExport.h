// kyr-chart --wheel: the chart wheel as a PNG, SVG or PDF file. Qt starts here, on its
// offscreen platform, only when a wheel is asked for, so the tables need no display.
#pragma once

#include "CommandLine.h"

namespace kyr::cli {

/// Draws the wheel of the request's chart, with the partner chart inside when there is one,
/// into request.Wheel.File in the printing style. Bad values come back as EUsageError; a
/// missing symbol font, a failed computation or a file that cannot be written as
/// std::runtime_error (or the horoscope's exception), and no partial file is left behind.
void ExportWheel(const TChartRequest &request);

} // namespace kyr::cli
