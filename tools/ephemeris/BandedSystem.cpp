#include "BandedSystem.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace kyr::generator {

void SolveBanded(TBandedRows &a, std::vector<double> &rhs) {
    const int n = static_cast<int>(a.size());
    constexpr int band = 3;
    // A = L L^T with L stored over A: a[r][d] = L(r, r - d).
    for (int r = 0; r < n; ++r) {
        for (int d = band; d >= 0; --d) {
            const int c = r - d;
            if (c < 0)
                continue;
            double sum = a[r][d];
            // L(r, m) L(c, m) for m from max(r, c) - band .. c - 1.
            for (int m = std::max(0, r - band); m < c; ++m)
                sum -= a[r][r - m] * a[c][c - m];
            if (d == 0) {
                if (!(sum > 0))
                    throw std::runtime_error("banded system not positive definite at row " +
                                             std::to_string(r));
                a[r][0] = std::sqrt(sum);
            } else {
                a[r][d] = sum / a[c][0];
            }
        }
    }
    for (int r = 0; r < n; ++r) {
        double sum = rhs[r];
        for (int d = 1; d <= band && r - d >= 0; ++d)
            sum -= a[r][d] * rhs[r - d];
        rhs[r] = sum / a[r][0];
    }
    for (int r = n - 1; r >= 0; --r) {
        double sum = rhs[r];
        for (int d = 1; d <= band && r + d < n; ++d)
            sum -= a[r + d][d] * rhs[r + d];
        rhs[r] = sum / a[r][0];
    }
}

} // namespace kyr::generator
