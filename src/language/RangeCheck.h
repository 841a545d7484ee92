// The range check of a numeric dialog field, on its text.
#pragma once

#include <optional>
#include <string>

namespace kyr {

/// The outcome of leaving a numeric field.
struct TRangeCheck {
    bool InRange = false;
    /// Set when the text must be replaced by the nearest limit (with a beep and the focus).
    std::optional<std::string> Replacement;
};

/// The edit's integer value must lie in min..max; below or above gives the limit as a
/// replacement; an empty text (or no number) fails without replacement.
TRangeCheck CheckRange(const std::string &text, int min, int max);

} // namespace kyr
