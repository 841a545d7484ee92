// A small ephemeris file made for a test, with sample values chosen by the test.
#pragma once

#include "Ephemeris.h"
#include "EphemerisChecksum.h"
#include "ProgramDirectory.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace kyr::test {

/// Minutes of arc of body index 1..11 at whole day t after the epoch.
using TSampleFunction = std::function<int(int body, long long day)>;

/// Writes bytes as directory/KYR.LNG, with the checksum file the reader asks for.
inline void WriteEphemerisFile(const std::filesystem::path &directory,
                               const std::vector<std::uint8_t> &bytes) {
    const std::filesystem::path path = directory / EphemerisFileName;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::ofstream(path.string() + EphemerisChecksumSuffix, std::ios::binary)
        << EphemerisChecksumText(bytes.data(), bytes.size());
}

/// Writes recordCount records of samples into directory/KYR.LNG.
inline void WriteSyntheticEphemeris(const std::filesystem::path &directory, int recordCount,
                                    const TSampleFunction &sample) {
    std::filesystem::create_directories(directory);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(recordCount) * EphemerisRecordSize);
    for (int r = 0; r < recordCount; ++r) {
        for (int body = 1; body <= 11; ++body) {
            const int step = EphemerisStep(body);
            for (int j = 0; j < EphemerisRecordDays / step; ++j) {
                const long long day = static_cast<long long>(EphemerisRecordDays) * r + j * step;
                const auto value = static_cast<std::uint16_t>(sample(body, day));
                std::uint8_t *at = bytes.data() + static_cast<std::size_t>(r) * EphemerisRecordSize +
                                   EphemerisAreaOffset(body) + 2 * j;
                at[0] = static_cast<std::uint8_t>(value & 0xFF);
                at[1] = static_cast<std::uint8_t>(value >> 8);
            }
        }
    }
    WriteEphemerisFile(directory, bytes);
}

/// Every body moving forward at its own steady pace: body b advances b minutes a day.
inline int UniformSample(int body, long long day) {
    return static_cast<int>((body * 1000 + day * body) % 21600);
}

/// Points the program at the ephemeris in directory, with no file open yet; an empty path
/// puts it back beside the program.
inline void UseEphemerisIn(const std::filesystem::path &directory) {
    ResetEphemeris();
    SetProgramDirectory(directory.string());
}

/// A fresh scratch directory under the system's temporary directory.
inline std::filesystem::path ScratchDirectory(const std::string &name) {
    const auto directory = std::filesystem::temp_directory_path() /
                           ("kyr-test-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    return directory;
}

} // namespace kyr::test
