// Packing the fitted samples into the 80-byte records of the ephemeris file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kyr::generator {

/// Whole-minute samples of bodies 1..11 (index body - 1), any number of turns; body b
/// holds recordCount * 32 / EphemerisStep(b) of them.
using TBodySamples = std::array<std::vector<std::int64_t>, 11>;

/// The file contents: recordCount records, each sample reduced to 0..21599.
std::vector<std::uint8_t> PackRecords(const TBodySamples &samples, int recordCount);

/// Writes the bytes under a temporary name beside path and renames it into place, so
/// that an interrupted run leaves no partial file behind. Throws std::runtime_error.
void WriteFileAtomically(const std::string &path, const std::vector<std::uint8_t> &bytes);

} // namespace kyr::generator
