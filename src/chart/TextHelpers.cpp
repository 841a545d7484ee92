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

int RGBValue(int r, int g, int b) { return r + 256 * g + 65536 * b; }

} // namespace kyr
