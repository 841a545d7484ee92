// A fault of the command line, as opposed to a failure of the computation.
#pragma once

#include <stdexcept>

namespace kyr::cli {

/// Bad or missing options and values; kyr-chart exits with status 2 on it.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kyr::cli
