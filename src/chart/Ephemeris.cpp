#include "Ephemeris.h"

#include "Angles.h"
#include "Calendar.h"
#include "EphemerisChecksum.h"
#include "Horoscope.h"
#include "Interpolation.h"
#include "ProgramDirectory.h"
#include "SupportedDates.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kyr {

namespace {

constexpr std::array<int, EphemerisBodyCount> Steps = {32, 2, 4, 8, 8, 16, 32, 32, 32, 32, 32};

// Look-ahead of the retrograde test for bodies 3..10, in units of 0.0005 days.
constexpr std::array<int, EphemerisBodyCount + 1> RetrogradeLookAhead = {0,  0,  0,  40, 16, 25,
                                                                         36, 49, 64, 999, 100, 0};

struct TLayout {
    std::array<int, EphemerisBodyCount> Offsets{};
    int RecordSize = 0;
};

// Each body's area holds 64 / step bytes, in body order from offset 0.
constexpr TLayout MakeLayout() {
    TLayout layout;
    for (int b = 0; b < EphemerisBodyCount; ++b) {
        layout.Offsets[b] = layout.RecordSize;
        layout.RecordSize += 2 * (EphemerisRecordDays / Steps[b]);
    }
    return layout;
}

constexpr TLayout Layout = MakeLayout();
static_assert(Layout.RecordSize == EphemerisRecordSize);

struct TEphemerisFile {
    int Handle = -2;
    long long RecordCount = 0;
    std::array<std::uint8_t, EphemerisBufferSize> Buffer{};

    ~TEphemerisFile() {
        if (Handle >= 0)
            ::close(Handle);
    }
};

TEphemerisFile &File() {
    static TEphemerisFile file;
    return file;
}

void RequireHandle() {
    if (File().Handle < 0)
        throw EHoroscopeException("Invalid file handle. DOS Error " +
                                  std::to_string(-File().Handle));
}

std::int16_t Sample(const std::uint8_t *bytes) {
    return static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
}

std::string ReadChecksumText(const std::string &path) {
    const std::string sumPath = path + EphemerisChecksumSuffix;
    std::ifstream in(sumPath, std::ios::binary);
    if (!in)
        throw EEphemerisDamaged("The ephemeris file " + path + " cannot be checked: " + sumPath +
                                " is missing. Please install the program again.");
    // One short line; anything longer is damage already.
    std::string text(64, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// The whole file against its checksum: half a megabyte read once per program run, a few
// milliseconds at most.
void VerifyOpenFile(int handle, const std::string &path) {
    struct stat status {};
    if (::fstat(handle, &status) != 0)
        throw EEphemerisDamaged("The ephemeris file " + path +
                                " could not be read: " + std::strerror(errno) + ".");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(handle, bytes.data() + done, bytes.size() - done,
                                  static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EEphemerisDamaged("The ephemeris file " + path +
                                    " could not be read: " + std::strerror(errno) + ".");
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    VerifyEphemerisContents(path, bytes.data(), done, ReadChecksumText(path));
}

} // namespace

int EphemerisStep(int body) { return Steps.at(body - 1); }

int EphemerisAreaOffset(int body) { return Layout.Offsets.at(body - 1); }

int EphemerisHandle() { return File().Handle; }

std::string EphemerisPath() { return ProgramDirectory() + EphemerisFileName; }

bool OpenEphemeris() {
    TEphemerisFile &file = File();
    if (file.Handle >= 0)
        return true;
    const std::string path = EphemerisPath();
    file.Handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file.Handle < 0) {
        file.Handle = -1;
        return false;
    }
    try {
        VerifyOpenFile(file.Handle, path);
    } catch (...) {
        CloseEphemeris();
        throw;
    }
    struct stat status {};
    file.RecordCount = ::fstat(file.Handle, &status) == 0 ? status.st_size / EphemerisRecordSize : 0;
    return true;
}

void CloseEphemeris() {
    TEphemerisFile &file = File();
    if (file.Handle >= 0)
        ::close(file.Handle);
    file.Handle = -1;
    file.RecordCount = 0;
}

void ResetEphemeris() {
    CloseEphemeris();
    File().Handle = -2;
}

// An evaluation reads records a - 1 .. a + 2, so the first usable day is day 32 and the
// last usable record is the third from the end.
Extended EphemerisFirstJulianDay() { return EphemerisEpoch + EphemerisRecordDays; }

Extended EphemerisEndJulianDay() {
    return EphemerisEpoch + EphemerisRecordDays * static_cast<Extended>(File().RecordCount - 2);
}

int ReadEphemerisRecords(long long firstRecord, std::uint8_t *buffer, int byteCount) {
    RequireHandle();
    if (firstRecord < 0)
        return 0;
    const ssize_t n = ::pread(File().Handle, buffer, static_cast<std::size_t>(byteCount),
                              static_cast<off_t>(firstRecord * EphemerisRecordSize));
    return n < 0 ? 0 : static_cast<int>(n);
}

TBodyEvaluation InterpolateBody(const std::uint8_t *buffer, int body, Extended x) {
    const long long firstRecord = Trunc(x / EphemerisRecordDays) - 1;
    const int step = Steps[body - 1];
    const Extended t0 = Int(x / step) * step;
    Extended s[4];
    for (int k = 0; k < 4; ++k) {
        const long long t = static_cast<long long>(t0) + (k - 1) * step;
        const long long record = t / EphemerisRecordDays;
        const long long index = (t - EphemerisRecordDays * record) / step;
        const std::uint8_t *at = buffer + (record - firstRecord) * EphemerisRecordSize +
                                 Layout.Offsets[body - 1] + 2 * index;
        s[k] = Sample(at);
    }
    UnwrapSamples(s);
    const Extended u = (x - t0 + step) / step;
    const Extended v = InterpolateCubic(s, u);
    Extended d = v / 60;
    d -= Int(d / 360) * 360;
    TBodyEvaluation result;
    result.Longitude = d / 180 * Pi;
    const int lookAhead = RetrogradeLookAhead[body];
    if (lookAhead != 0) {
        const Extended ahead = (x + 0.0005L * lookAhead - t0 + step) / step;
        result.Retrograde = InterpolateCubic(s, ahead) < v;
    }
    return result;
}

void EvaluateBodies(THoroscope &horoscope, std::string_view mask, Extended jd) {
    const Extended x = jd - EphemerisEpoch;
    RequireHandle();
    // Four whole records must lie inside the file; reading past either end would
    // interpolate garbage.
    if (!(jd >= EphemerisFirstJulianDay() && jd < EphemerisEndJulianDay()))
        throw EHoroscopeException(OutsideSupportedDatesMessage(SupportedDates()));
    const long long a = Trunc(x / EphemerisRecordDays);
    std::uint8_t *buffer = File().Buffer.data();
    if (ReadEphemerisRecords(a - 1, buffer, EphemerisBufferSize) != EphemerisBufferSize)
        throw EHoroscopeException("The ephemeris file " + EphemerisPath() +
                                  " could not be read.");
    for (int b = 1; b <= EphemerisBodyCount; ++b) {
        if (b > static_cast<int>(mask.size()) || mask[b - 1] != '1')
            continue;
        const TBodyEvaluation e = InterpolateBody(buffer, b, x);
        horoscope.Positions[b] = e.Longitude;
        horoscope.RetrogradeFlags[b] = e.Retrograde;
    }
}

void CompleteBodyPositions(THoroscope &horoscope) {
    auto &pos = horoscope.Positions;
    pos[SouthNodeIndex] = NormalizeAngle(pos[NorthNodeIndex] + Pi);
    for (int i = 1; i <= BodyCount; ++i)
        if (pos[i] < 0)
            pos[i] += TwoPi;
    auto &order = horoscope.BodyOrder;
    for (int i = 1; i <= BodyCount; ++i)
        order[i] = static_cast<std::int16_t>(i);
    for (int gap : {6, 3, 1}) {
        bool exchanged = true;
        while (exchanged) {
            exchanged = false;
            for (int j = 1; j <= BodyCount - gap; ++j) {
                if (pos[order[j]] > pos[order[j + gap]]) {
                    std::swap(order[j], order[j + gap]);
                    exchanged = true;
                }
            }
        }
    }
    order[BodyCount + 1] = order[1];
}

} // namespace kyr
