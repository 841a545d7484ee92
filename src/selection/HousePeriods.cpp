#include "HousePeriods.h"

#include "Calendar.h"
#include "Horoscope.h"

#include <array>
#include <cstdint>

namespace kyr {

namespace {

// A story block: the cusp text, then entries of a 16-bit day index and a house number.
constexpr int FirstEntry = 26;
constexpr int EntrySize = 3;
// Every date of the span is Gregorian, so the switch day lies far before it.
constexpr int GregorianSwitchDay = 1500;

} // namespace

std::vector<THousePeriod> HousePeriods(const THoroscope &horoscope, int house) {
    std::vector<THousePeriod> periods;
    const Extended j0 = JulianDayFromYmd(horoscope.FromYear() * 10000 + 101, true);
    for (const int story : {6, 7}) {
        std::array<std::uint8_t, HouseStorySize> block{};
        horoscope.GetTxHouseStory(story, block.data());
        const auto day = [&](int at) { return block[at] | (block[at + 1] << 8); };
        for (int at = FirstEntry; at + EntrySize <= HouseStorySize && block[at + 2] != 0;
             at += EntrySize) {
            if (block[at + 2] != house)
                continue;
            // The next entry carries the day that ends this period, also when it closes the
            // list; a period cut off by the end of the block has no end and is left out.
            const int next = at + EntrySize;
            if (next + EntrySize > HouseStorySize)
                break;
            periods.push_back({YmdFromJulianDay(GregorianSwitchDay, j0 + day(at)),
                               YmdFromJulianDay(GregorianSwitchDay, j0 + day(next) - 1),
                               story - 5});
        }
    }
    return periods;
}

} // namespace kyr
