#include "RangeCheck.h"

#include "TextHelpers.h"

namespace kyr {

TRangeCheck CheckRange(const std::string &text, int min, int max) {
    const std::string trimmed = TrimLeftBlanks(TrimRightBlanks(text));
    // "0" is a number; anything StrToIntZero turns into 0 otherwise is not.
    if (trimmed.empty() ||
        (StrToIntZero(trimmed) == 0 && trimmed.find_first_not_of("+-0") != std::string::npos))
        return {};
    const int value = StrToIntZero(trimmed);
    if (value < min)
        return {false, std::to_string(min)};
    if (value > max)
        return {false, std::to_string(max)};
    return {true, std::nullopt};
}


} // namespace kyr
