#include "BodySeries.h"

#include "Ephemeris.h"

namespace kyr::generator {

TFitProblem MakeFitProblem(const TTrueLongitudes &truth, int body, int recordCount,
                           int pointsPerInterval) {
    const int step = EphemerisStep(body);
    const int perRecord = EphemerisRecordDays / step;
    TFitProblem problem;
    problem.PointsPerInterval = pointsPerInterval;
    problem.SampleTruth.resize(static_cast<std::size_t>(recordCount) * perRecord);
    for (std::size_t j = 0; j < problem.SampleTruth.size(); ++j)
        problem.SampleTruth[j] = truth.At(body, static_cast<double>(j) * step);
    // The reader needs records a - 1 .. a + 2 for a day in record a, so days before the
    // second record and from the third-last record on are never evaluated.
    problem.FirstInterval = perRecord;
    problem.EndInterval = (recordCount - 2) * perRecord;
    problem.PointTruth.resize(
        static_cast<std::size_t>(problem.EndInterval - problem.FirstInterval) * pointsPerInterval);
    std::size_t p = 0;
    for (int q = problem.FirstInterval; q < problem.EndInterval; ++q)
        for (int i = 0; i < pointsPerInterval; ++i)
            problem.PointTruth[p++] =
                truth.At(body, (q + static_cast<double>(i) / pointsPerInterval) * step);
    return problem;
}

} // namespace kyr::generator
