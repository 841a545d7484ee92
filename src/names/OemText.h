// Text in the PC's OEM character set (code page 437), as old name files hold it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kyr {

/// The Unicode character of an OEM byte. Every byte has one: 0x20..0x7E are ASCII, 0x01..0x1F
/// and 0x7F the symbols the PC screen shows for them (☺, ♥, ⌂ …), 0x00 stays U+0000.
char32_t OemCodePoint(std::uint8_t byte);

/// The OEM bytes as UTF-8, one character per byte.
std::string OemToUtf8(std::string_view oem);

} // namespace kyr
