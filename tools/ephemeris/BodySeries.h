// One body's fit problem laid out the way the reader samples and interpolates it.
#pragma once

#include "SampleFit.h"
#include "TruePositions.h"

namespace kyr::generator {

/// The samples of body 1..11 in a file of recordCount records, measured at
/// pointsPerInterval points in every interval the reader can evaluate (from day 32 to
/// 32 (recordCount - 2), see EvaluateBodies).
TFitProblem MakeFitProblem(const TTrueLongitudes &truth, int body, int recordCount,
                           int pointsPerInterval);

} // namespace kyr::generator
