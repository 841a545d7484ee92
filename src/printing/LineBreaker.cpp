#include "LineBreaker.h"

#include <algorithm>

namespace kyr {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

bool IsControl(char32_t c) { return c < 32 || c == 127 || (c >= 0x80 && c <= 0x9F); }

/// Where a run of decimal digits starting at position ends, and its value (capped, so that a
/// long run cannot overflow and still reads as "not a marker").
std::size_t ScanNumber(const std::string &text, std::size_t position, std::size_t length,
                       int &value) {
    value = 0;
    while (position < length && text[position] >= '0' && text[position] <= '9') {
        if (value < 10000)
            value = value * 10 + (text[position] - '0');
        ++position;
    }
    return position;
}

int TextWidth(const std::string &text, const TCharWidths &widths) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const TDecodedChar c = DecodeChar(text, i, text.size());
        width += widths.Width(c.Code);
        i += static_cast<std::size_t>(c.Size);
    }
    return width;
}

int CharCount(const std::string &text) {
    int count = 0;
    for (unsigned char b : text)
        if (!IsContinuation(b))
            ++count;
    return count;
}

} // namespace

TDecodedChar DecodeChar(const std::string &text, std::size_t position, std::size_t length) {
    const auto lead = static_cast<unsigned char>(text[position]);
    int size = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        code = lead & 0x07;
    }
    if (size == 0 || position + static_cast<std::size_t>(size) > length)
        return {lead, 1};
    for (int k = 1; k < size; ++k) {
        const auto b = static_cast<unsigned char>(text[position + static_cast<std::size_t>(k)]);
        if (!IsContinuation(b))
            return {lead, 1};
        code = (code << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not characters: bytes as they are.
    const char32_t minimum = size == 2 ? 0x80 : size == 3 ? 0x800 : 0x10000;
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {lead, 1};
    return {code, size};
}

bool NextLine(std::uint16_t &position, const std::string &text, std::string &line,
              std::uint16_t length, const TLineBreakContext &context) {
    line.clear();
    const std::size_t end = std::min<std::size_t>(length, text.size());
    std::size_t pos = position;
    if (pos >= end)
        return false;
    while (pos < end && (text[pos] == ' ' || text[pos] == '-'))
        ++pos;
    if (pos >= end) {
        // Only blanks and hyphens were left: nothing more to print.
        position = static_cast<std::uint16_t>(pos);
        return false;
    }

    static const TCharWidths noWidths;
    const TCharWidths &widths = context.Widths ? *context.Widths : noWidths;
    const TLineBreakHooks &hooks = context.Hooks;
    int width = 0;
    int kept = 0;
    // The last blank or hyphen taken from the text: where an overflowing word goes back to.
    std::size_t breakPos = std::string::npos;
    std::size_t breakLineSize = 0;

    bool lineEnd = false;
    while (pos < end) {
        const char byte = text[pos];
        if (byte == '\r') {
            ++pos;
            lineEnd = true;
            break;
        }
        if (byte == '#') {
            int value = 0;
            const std::size_t after = ScanNumber(text, pos + 1, end, value);
            if (after > pos + 1 && value >= 1 && value <= 4) {
                if (value == 3) {
                    if (hooks.OnContentsEntry && hooks.OnContentsEntry(line)) {
                        // The marker stays, so that the next call yields the next entry.
                        position = static_cast<std::uint16_t>(pos);
                        return true;
                    }
                } else if (value == 1) {
                    line.clear();
                    breakPos = std::string::npos;
                    const int nameWidth = TextWidth(hooks.Name, widths);
                    if (nameWidth > context.ColumnWidth && hooks.OnWideName)
                        hooks.OnWideName();
                    line = hooks.Name;
                    width = nameWidth;
                    kept = CharCount(line);
                } else if (value == 2) {
                    if (hooks.OnLogo)
                        hooks.OnLogo();
                } else if (hooks.OnColumnMarker) {
                    hooks.OnColumnMarker();
                }
                pos = after;
                continue;
            }
        }
        const TDecodedChar c = DecodeChar(text, pos, end);
        if (IsControl(c.Code)) {
            pos += static_cast<std::size_t>(c.Size);
            continue;
        }
        const int w = widths.Width(c.Code);
        if (width + w <= context.ColumnWidth && kept < MaxLineChars) {
            line.append(text, pos, static_cast<std::size_t>(c.Size));
            width += w;
            ++kept;
            if (c.Code == ' ' || c.Code == '-') {
                breakPos = pos;
                breakLineSize = line.size();
            }
            pos += static_cast<std::size_t>(c.Size);
            continue;
        }
        // The line is full.
        if (c.Code == ' ') {
            // The next call skips the blank.
        } else if (breakPos != std::string::npos) {
            line.resize(breakLineSize);
            pos = breakPos;
        } else if (line.empty()) {
            // Not even one character fits: take it anyway, the flow must go on.
            line.append(text, pos, static_cast<std::size_t>(c.Size));
            pos += static_cast<std::size_t>(c.Size);
        }
        // Otherwise a word that alone is wider than the column breaks where it overflows.
        break;
    }
    position = static_cast<std::uint16_t>(pos);
    // Markers that used up the rest of the text leave no line behind (a blank line needs a CR).
    return !(line.empty() && !lineEnd && pos >= end);
}

std::size_t PieceEnd(const std::string &text, std::size_t start, std::size_t limit) {
    if (start >= text.size() || text.size() - start <= limit)
        return text.size();
    std::size_t end = start + limit;
    for (std::size_t i = end; i > start; --i) {
        const char b = text[i - 1];
        if (b == '\r' || b == '\n' || b == ' ')
            return i;
    }
    while (end > start + 1 && IsContinuation(static_cast<unsigned char>(text[end])))
        --end;
    return end;
}

} // namespace kyr
