#include "EphemerisWriter.h"

#include "Ephemeris.h"
#include "Interpolation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace kyr::generator {

std::vector<std::uint8_t> PackRecords(const TBodySamples &samples, int recordCount) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(recordCount) * EphemerisRecordSize);
    for (int b = 1; b <= EphemerisBodyCount; ++b) {
        const int perRecord = EphemerisRecordDays / EphemerisStep(b);
        const auto &series = samples[b - 1];
        if (series.size() != static_cast<std::size_t>(recordCount) * perRecord)
            throw std::invalid_argument("sample count of body " + std::to_string(b));
        for (std::size_t j = 0; j < series.size(); ++j) {
            const std::int64_t v =
                ((series[j] % MinutesPerCircle) + MinutesPerCircle) % MinutesPerCircle;
            const std::size_t at = (j / perRecord) * EphemerisRecordSize + EphemerisAreaOffset(b) +
                                   2 * (j % perRecord);
            bytes[at] = static_cast<std::uint8_t>(v & 0xFF);
            bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
        }
    }
    return bytes;
}

void WriteFileAtomically(const std::string &path, const std::vector<std::uint8_t> &bytes) {
    const std::string temporary = path + ".partial";
    std::FILE *file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + temporary + ": " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot rename " + temporary + " to " + path + ": " + reason);
    }
}

} // namespace kyr::generator
