// Ways an ephemeris file gets damaged on disk, applied to its bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace kyr::test {

struct TEphemerisDamage {
    const char *Name;
    void (*Apply)(std::vector<std::uint8_t> &bytes);
};

inline const TEphemerisDamage EphemerisDamages[] = {
    {"zeroed", [](std::vector<std::uint8_t> &b) { std::fill(b.begin(), b.end(), 0); }},
    {"random bytes in the middle",
     [](std::vector<std::uint8_t> &b) {
         std::mt19937 random(7);
         for (std::size_t i = b.size() / 2; i < b.size() / 2 + 200 && i < b.size(); ++i)
             b[i] = static_cast<std::uint8_t>(random());
     }},
    {"truncated to whole records", [](std::vector<std::uint8_t> &b) { b.resize(b.size() - 160); }},
    {"truncated within a record", [](std::vector<std::uint8_t> &b) { b.resize(b.size() - 37); }},
    {"one flipped bit", [](std::vector<std::uint8_t> &b) { b[b.size() / 3] ^= 0x04; }},
};

} // namespace kyr::test
