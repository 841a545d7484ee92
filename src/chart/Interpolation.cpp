#include "Interpolation.h"

#include <cmath>

namespace kyr {

void UnwrapSamples(Extended samples[4]) {
    for (int k = 1; k < 4; ++k) {
        if (std::fabs(samples[k] - samples[k - 1]) > MinutesPerCircle / 2) {
            if (samples[k] > samples[k - 1])
                samples[k] -= MinutesPerCircle;
            else
                samples[k] += MinutesPerCircle;
        }
    }
}

Extended InterpolateCubic(const Extended s[4], Extended u) {
    return ((u - 1) * (u - 2) * (s[3] * u - s[0] * (u - 3)) +
            3 * u * (u - 3) * (s[1] * (u - 2) - s[2] * (u - 1))) /
           6;
}

} // namespace kyr
