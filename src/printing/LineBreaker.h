// The print line breaker: cuts a byte text into lines that fit a text column, from a table of
// character widths measured once per layout. No windows here, so that it is tested fast.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace kyr {

/// Longest line the breaker keeps, in characters.
constexpr int MaxLineChars = 255;
/// Longest text one call of the breaker works on: positions and lengths are 16-bit.
constexpr std::size_t MaxBreakLength = 65535;

/// Widths in device pixels: characters 32..255 (Latin-1) from the table, anything above 255
/// with Wide.
struct TCharWidths {
    std::array<int, 256> Table{};
    int Wide = 0;
    int Width(char32_t c) const { return c < 256 ? Table[c] : Wide; }
};

/// One character of a byte text: a valid UTF-8 sequence is one character; any other byte is
/// taken as the Latin-1 character of its value. Size is the number of bytes (1..4).
struct TDecodedChar {
    char32_t Code = 0;
    int Size = 1;
};
/// The character at position, reading no further than length.
TDecodedChar DecodeChar(const std::string &text, std::size_t position, std::size_t length);

/// What the markers "#1".."#4" do; unset hooks do nothing.
struct TLineBreakHooks {
    /// "#1": the person's name as it starts the line (already upper case and short enough).
    std::string Name;
    /// "#1" with a name wider than the column: print the (empty) line and move down first.
    std::function<void()> OnWideName;
    /// "#2": the logo at the flow position.
    std::function<void()> OnLogo;
    /// "#3": appends the next contents entry to line and returns true; false when none is left.
    std::function<bool(std::string &line)> OnContentsEntry;
    /// "#4": the column break marker.
    std::function<void()> OnColumnMarker;
};

struct TLineBreakContext {
    const TCharWidths *Widths = nullptr;
    int ColumnWidth = 0;
    TLineBreakHooks Hooks;
};

/// The next line of text from position (0-based, bytes) up to length: false when the text is
/// finished. Lines end at CR (a lone LF and other control characters are skipped), at the
/// column width (back to the last blank or hyphen, else inside the word that alone is too wide)
/// and after 255 characters. Blanks and hyphens at the start of a line are skipped; what is
/// left of the text after the last line end, when it prints nothing, is no line.
bool NextLine(std::uint16_t &position, const std::string &text, std::string &line,
              std::uint16_t length, const TLineBreakContext &context);

/// Where a text longer than one breaker call may be cut: the end of the last line end or
/// blank within the first limit bytes, else limit (kept off the inside of a UTF-8 sequence).
std::size_t PieceEnd(const std::string &text, std::size_t start, std::size_t limit);

} // namespace kyr
