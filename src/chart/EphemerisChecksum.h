// The checksum that vouches for the ephemeris file: a one-line text file beside it,
// "KYR.LNG.sum", written by the generator and checked when the file is opened, so that a
// damaged file is refused instead of giving wrong charts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace kyr {

constexpr const char *EphemerisChecksumSuffix = ".sum";

/// The ephemeris file is damaged or cannot be vouched for; the message names the file.
class EEphemerisDamaged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The checksum file's text for these file contents: "crc32 XXXXXXXX SIZE\n".
std::string EphemerisChecksumText(const std::uint8_t *bytes, std::size_t size);

/// Throws EEphemerisDamaged, naming path, unless checksumText is the text of the contents.
void VerifyEphemerisContents(const std::string &path, const std::uint8_t *bytes, std::size_t size,
                             const std::string &checksumText);

} // namespace kyr
