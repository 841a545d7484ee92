// Symmetric positive definite linear systems with three sub-diagonals.
#pragma once

#include <array>
#include <vector>

namespace kyr::generator {

/// Row n holds A(n, n), A(n, n-1), A(n, n-2), A(n, n-3); entries before row 0 are ignored.
using TBandedRows = std::vector<std::array<double, 4>>;

/// Solves A x = rhs in place by a banded Cholesky factorisation (A is overwritten).
/// Throws std::runtime_error when A is not positive definite.
void SolveBanded(TBandedRows &a, std::vector<double> &rhs);

} // namespace kyr::generator
