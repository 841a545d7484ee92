#include "TextHelpers.h"

#include <charconv>

namespace kyr {

std::string TwoDigits(int n) {
    return (n >= 0 && n <= 9 ? "0" : "") + std::to_string(n);
}

int StrToIntZero(const std::string &s) {
    // Leading and trailing blanks are tolerated, as in the dialogs' edits.
    const std::string t = TrimLeftBlanks(TrimRightBlanks(s));
    const char *first = t.data();
    const char *last = t.data() + t.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return 0;
    return value;
}

std::string SplitAtChar(const std::string &s, bool before, char c) {
    const auto at = s.find(c);
    if (at == std::string::npos)
        return {};
    return before ? s.substr(0, at) : s.substr(at + 1);
}

std::string TrimRightBlanks(const std::string &s) {
    const auto end = s.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

std::string TrimLeftBlanks(const std::string &s) {
    const auto begin = s.find_first_not_of(' ');
    return begin == std::string::npos ? std::string() : s.substr(begin);
}

std::string CleanHelpText(const std::string &s) {
    std::string t = s;
    for (char &c : t)
        if (c == '_' || c == '*')
            c = ' ';
    const auto end = t.find_last_not_of(" ,.");
    return end == std::string::npos ? std::string() : t.substr(0, end + 1);
}

namespace {
// Continuation bytes of UTF-8 belong to the character before them.
bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }
} // namespace

std::string FirstCharacters(const std::string &text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (StartsCharacter(text[i]) && characters++ == count)
            return text.substr(0, i);
    return text;
}

std::size_t CharacterCount(const std::string &text) {
    std::size_t characters = 0;
    for (const char c : text)
        characters += StartsCharacter(c);
    return characters;
}

int RGBValue(int r, int g, int b) { return r + 256 * g + 65536 * b; }

} // namespace kyr
