// The choice of the whole-minute samples of one body: those whose cubic interpolation,
// done as the reader does it, follows the true longitude best.
#pragma once

#include <cstdint>
#include <vector>

namespace kyr::generator {

/// One body's series. Interval j lies between samples j and j + 1 and is interpolated by
/// the cubic through samples j - 1 .. j + 2.
struct TFitProblem {
    /// True longitudes at the samples, minutes of arc, continuous across 0/360 degrees.
    std::vector<double> SampleTruth;
    /// The intervals the reader evaluates: FirstInterval .. EndInterval - 1, with
    /// FirstInterval >= 1 and EndInterval <= sample count - 2.
    int FirstInterval = 1;
    int EndInterval = 1;
    /// Points at which the fit is measured in each interval, at fractions 0, 1/K, .. of it.
    int PointsPerInterval = 8;
    /// True longitude at point i of interval j: PointTruth[(j - FirstInterval) K + i].
    std::vector<double> PointTruth;
};

struct TFitQuality {
    double MaxError = 0;  ///< minutes of arc, over the measuring points
    double MeanError = 0; ///< mean absolute error
};

/// Whole-minute samples (continuous, not yet reduced to one circle) for the problem.
/// Samples outside every evaluated interval's reach are the rounded true values.
std::vector<std::int64_t> FitSamples(const TFitProblem &problem);

/// Error of the interpolated samples against the truth at the measuring points.
TFitQuality MeasureFit(const TFitProblem &problem, const std::vector<std::int64_t> &samples);

} // namespace kyr::generator
