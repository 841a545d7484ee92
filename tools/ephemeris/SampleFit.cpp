#include "SampleFit.h"

#include "BandedSystem.h"
#include "Interpolation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kyr::generator {

namespace {

// The rounding minimises the sum of |error|^RoundingExponent: high enough to act almost
// as the largest error, what the file is judged by, yet still weighing every point, so
// quiet stretches keep small errors too. (16 leaves the largest errors up to 0.06'
// higher; 64 lowers none of them and raises the mean error.)
constexpr int RoundingExponent = 32;

// Weight of each of the four samples in the reader's cubic at each measuring point.
using TPointWeights = std::vector<std::array<double, 4>>;

TPointWeights CubicWeights(int pointsPerInterval) {
    TPointWeights weights(pointsPerInterval);
    for (int i = 0; i < pointsPerInterval; ++i) {
        const Extended u = 1 + static_cast<Extended>(i) / pointsPerInterval;
        for (int k = 0; k < 4; ++k) {
            Extended unit[4] = {0, 0, 0, 0};
            unit[k] = 1;
            weights[i][k] = static_cast<double>(InterpolateCubic(unit, u));
        }
    }
    return weights;
}

// The fit works on corrections to the true samples, small numbers, rather than on the
// longitudes of many turns: error = weighted sum of corrections - gap, where the gap is
// what the cubic through the true samples misses.
struct TSetting {
    const TFitProblem &Problem;
    int K;
    TPointWeights Weights;
    std::vector<double> Gaps; // per measuring point, indexed as PointTruth

    explicit TSetting(const TFitProblem &problem)
        : Problem(problem), K(problem.PointsPerInterval), Weights(CubicWeights(K)),
          Gaps(problem.PointTruth.size()) {
        const int m = static_cast<int>(problem.SampleTruth.size());
        if (K < 1 || problem.FirstInterval < 1 || problem.EndInterval > m - 2 ||
            problem.FirstInterval > problem.EndInterval ||
            problem.PointTruth.size() !=
                static_cast<std::size_t>(problem.EndInterval - problem.FirstInterval) * K)
            throw std::invalid_argument("inconsistent fit problem");
        for (int q = problem.FirstInterval; q < problem.EndInterval; ++q) {
            const double *truth = &problem.SampleTruth[q - 1];
            for (int i = 0; i < K; ++i) {
                double cubic = 0;
                for (int k = 0; k < 4; ++k)
                    cubic += Weights[i][k] * (truth[k] - truth[1]);
                Gaps[Point(q, i)] = problem.PointTruth[Point(q, i)] - truth[1] - cubic;
            }
        }
    }

    std::size_t Point(int q, int i) const {
        return static_cast<std::size_t>(q - Problem.FirstInterval) * K + i;
    }

    double Error(const std::vector<double> &corrections, int q, int i) const {
        double e = -Gaps[Point(q, i)];
        for (int k = 0; k < 4; ++k)
            e += Weights[i][k] * corrections[q - 1 + k];
        return e;
    }
};

// Least-squares corrections over the whole series: the normal equations couple each
// sample with the three on either side only, so they form a banded system.
std::vector<double> LeastSquaresCorrections(const TSetting &s) {
    const int m = static_cast<int>(s.Problem.SampleTruth.size());
    // A tiny tie to zero keeps the samples no interval uses determined.
    constexpr double Tie = 1e-12;
    TBandedRows a(m, {Tie, 0, 0, 0});
    std::vector<double> rhs(m, 0);
    for (int q = s.Problem.FirstInterval; q < s.Problem.EndInterval; ++q) {
        for (int i = 0; i < s.K; ++i) {
            const auto &w = s.Weights[i];
            const double gap = s.Gaps[s.Point(q, i)];
            for (int k = 0; k < 4; ++k) {
                for (int l = 0; l <= k; ++l)
                    a[q - 1 + k][k - l] += w[k] * w[l];
                rhs[q - 1 + k] += w[k] * gap;
            }
        }
    }
    SolveBanded(a, rhs);
    return rhs;
}

// |e|^exponent for an even exponent, by squaring.
double EvenPower(double e, int exponent) {
    double result = 1, square = e * e;
    for (int n = exponent / 2; n > 0; n >>= 1) {
        if (n & 1)
            result *= square;
        square *= square;
    }
    return result;
}

// Chooses for each sample one of round(x) - 1, round(x), round(x) + 1, x the least-squares
// value, so that the sum of |error|^RoundingExponent over all points is least. Each
// interval depends on four consecutive samples, so a dynamic programme whose state is the
// choice for three consecutive samples finds the exact best combination. (Choices two
// away from round(x) were tried and never taken.)
std::vector<std::int64_t> RoundSamples(const TSetting &s, const std::vector<double> &x) {
    constexpr int Choices = 3, States = Choices * Choices * Choices, Combos = States * Choices;
    constexpr double Infinite = std::numeric_limits<double>::infinity();
    const TFitProblem &pr = s.Problem;
    const int m = static_cast<int>(pr.SampleTruth.size());
    std::vector<std::int64_t> base(m);
    std::vector<double> baseCorrection(m);
    for (int j = 0; j < m; ++j) {
        base[j] = std::llround(pr.SampleTruth[j] + x[j]);
        baseCorrection[j] = static_cast<double>(base[j]) - pr.SampleTruth[j];
    }
    // Choice o stands for base + o - 1; samples no evaluated interval uses keep the base.
    auto allowed = [&](int j, int o) {
        return o == 1 || (j >= pr.FirstInterval - 1 && j <= pr.EndInterval + 1);
    };
    auto offset = [](int state, int position) { // position 0: the oldest of three
        static constexpr int Divisor[3] = {Choices * Choices, Choices, 1};
        return state / Divisor[position] % Choices;
    };

    std::array<double, States> cost, next;
    for (int st = 0; st < States; ++st)
        cost[st] =
            allowed(0, offset(st, 0)) && allowed(1, offset(st, 1)) && allowed(2, offset(st, 2))
                ? 0
                : Infinite;
    // oldest[n][state]: choice for sample n - 3 on the best path into the state that holds
    // the choices for samples n - 2, n - 1, n.
    std::vector<std::array<std::uint8_t, States>> oldest(m);
    std::vector<double> e0(s.K);
    std::array<double, Combos> intervalCost;
    for (int n = 3; n < m; ++n) {
        const int q = n - 2; // the interval completed by sample n
        intervalCost.fill(0);
        if (q >= pr.FirstInterval && q < pr.EndInterval) {
            for (int i = 0; i < s.K; ++i)
                e0[i] = s.Error(baseCorrection, q, i);
            for (int combo = 0; combo < Combos; ++combo) {
                const int o[4] = {combo / States - 1, offset(combo, 0) - 1, offset(combo, 1) - 1,
                                  offset(combo, 2) - 1};
                double sum = 0;
                for (int i = 0; i < s.K; ++i) {
                    const auto &w = s.Weights[i];
                    sum += EvenPower(e0[i] + w[0] * o[0] + w[1] * o[1] + w[2] * o[2] + w[3] * o[3],
                                     RoundingExponent);
                }
                intervalCost[combo] = sum;
            }
        }
        next.fill(Infinite);
        for (int st = 0; st < States; ++st) {
            if (cost[st] == Infinite)
                continue;
            for (int o = 0; o < Choices; ++o) {
                if (!allowed(n, o))
                    continue;
                const int combo = st * Choices + o;
                const int to = combo % States;
                if (cost[st] + intervalCost[combo] < next[to]) {
                    next[to] = cost[st] + intervalCost[combo];
                    oldest[n][to] = static_cast<std::uint8_t>(offset(st, 0));
                }
            }
        }
        // Only differences between states matter; keeping the least at zero keeps the
        // small costs of quiet stretches from vanishing beside the sum of costly ones.
        const double least = *std::min_element(next.begin(), next.end());
        for (double &c : next)
            c -= least;
        cost = next;
    }
    int st = static_cast<int>(std::min_element(cost.begin(), cost.end()) - cost.begin());
    std::vector<std::int64_t> samples(base);
    for (int n = m - 1; n >= 3; --n) {
        samples[n] += offset(st, 2) - 1;
        st = oldest[n][st] * Choices * Choices + st / Choices;
    }
    for (int j = 0; j < 3 && j < m; ++j)
        samples[j] += offset(st, j) - 1;
    return samples;
}

} // namespace

std::vector<std::int64_t> FitSamples(const TFitProblem &problem) {
    const TSetting s(problem);
    return RoundSamples(s, LeastSquaresCorrections(s));
}

TFitQuality MeasureFit(const TFitProblem &problem, const std::vector<std::int64_t> &samples) {
    const TSetting s(problem);
    std::vector<double> r(samples.size());
    for (std::size_t j = 0; j < samples.size(); ++j)
        r[j] = static_cast<double>(samples[j]) - problem.SampleTruth[j];
    TFitQuality quality;
    double sum = 0;
    for (int q = problem.FirstInterval; q < problem.EndInterval; ++q) {
        for (int i = 0; i < s.K; ++i) {
            const double e = std::fabs(s.Error(r, q, i));
            quality.MaxError = std::max(quality.MaxError, e);
            sum += e;
        }
    }
    if (!s.Gaps.empty())
        quality.MeanError = sum / static_cast<double>(s.Gaps.size());
    return quality;
}

} // namespace kyr::generator
