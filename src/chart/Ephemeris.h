// The ephemeris file "KYR.LNG" and the body positions interpolated from it.
//
// The file is a flat sequence of 80-byte records without header. Record r covers the
// 32 days from EphemerisEpoch + 32 r; for each of the eleven ephemeris bodies it holds
// the longitudes sampled every Step days as signed 16-bit little-endian minutes of arc.
// Beside it lies its checksum file (EphemerisChecksum.h).
#pragma once

#include "ChartTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kyr {

class THoroscope;

constexpr int EphemerisRecordDays = 32;
constexpr int EphemerisRecordSize = 80;
/// Four consecutive records: what one evaluation reads.
constexpr int EphemerisBufferSize = 4 * EphemerisRecordSize;
constexpr const char *EphemerisFileName = "KYR.LNG";
/// Selects all eleven ephemeris bodies.
constexpr std::string_view AllBodiesMask = "11111111111";

/// Sampling step in days of body index 1..11.
int EphemerisStep(int body);
/// Byte offset of the area of body index 1..11 within a record.
int EphemerisAreaOffset(int body);

/// File handle: -2 never opened, -1 after a failed open, otherwise the open handle.
int EphemerisHandle();
/// Full path of the ephemeris file in the program directory.
std::string EphemerisPath();
/// Opens the file read-only unless it is open already; true when a handle is available.
/// A file that does not match its checksum file "KYR.LNG.sum", or has none, is not kept
/// open: EEphemerisDamaged (EphemerisChecksum.h) names it.
bool OpenEphemeris();
/// Closes the file; the handle becomes -1.
void CloseEphemeris();
/// Forgets a closed file so the next open starts afresh (tests switch files with it).
void ResetEphemeris();
/// Julian days from which and before which an evaluation is possible (open file only).
Extended EphemerisFirstJulianDay();
Extended EphemerisEndJulianDay();

/// Reads byteCount bytes from the start of record firstRecord (one seek, one read);
/// returns the number of bytes that arrived (0 on a failed seek).
/// Raises EHoroscopeException when no handle is available.
int ReadEphemerisRecords(long long firstRecord, std::uint8_t *buffer, int byteCount);

struct TBodyEvaluation {
    Extended Longitude = 0; ///< radians, in (-2pi, 2pi)
    bool Retrograde = false;
};

/// Interpolates body index 1..11 at x days after the epoch from four consecutive records
/// (record Trunc(x / 32) - 1 first) in buffer.
TBodyEvaluation InterpolateBody(const std::uint8_t *buffer, int body, Extended x);

/// Evaluates every body whose mask character is '1' at Julian day jd (UT) and stores
/// longitude and retrograde flag in the horoscope; other bodies keep their values.
void EvaluateBodies(THoroscope &horoscope, std::string_view mask, Extended jd);

/// Derives the South Node, lifts all longitudes into [0, 2pi) and orders the bodies.
void CompleteBodyPositions(THoroscope &horoscope);

} // namespace kyr
