#pragma once

#include <stdexcept>

namespace kyr {

/// Every validation and evaluation error of a horoscope, with its fixed message.
class EHoroscopeException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kyr
