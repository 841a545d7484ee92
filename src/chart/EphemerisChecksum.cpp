#include "EphemerisChecksum.h"

#include <algorithm>
#include <cstdio>
#include <zlib.h>

namespace kyr {

namespace {

std::uint32_t Crc32(const std::uint8_t *bytes, std::size_t size) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most 4 GiB at a time.
    for (std::size_t done = 0; done < size;) {
        const std::size_t part = std::min<std::size_t>(size - done, 1u << 30);
        crc = crc32(crc, bytes + done, static_cast<uInt>(part));
        done += part;
    }
    return static_cast<std::uint32_t>(crc);
}

} // namespace

std::string EphemerisChecksumText(const std::uint8_t *bytes, std::size_t size) {
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(Crc32(bytes, size)));
    return std::string("crc32 ") + crc + " " + std::to_string(size) + "\n";
}

void VerifyEphemerisContents(const std::string &path, const std::uint8_t *bytes, std::size_t size,
                             const std::string &checksumText) {
    // A zeroed file passes every size test and gives plausible charts, so nothing but the
    // checksum counts; the file holds a single line, with or without its line end.
    std::string expected = EphemerisChecksumText(bytes, size);
    if (checksumText == expected || checksumText + "\n" == expected)
        return;
    throw EEphemerisDamaged("The ephemeris file " + path +
                            " is damaged: its contents do not match " + path +
                            EphemerisChecksumSuffix + ". Please install the program again.");
}

} // namespace kyr
