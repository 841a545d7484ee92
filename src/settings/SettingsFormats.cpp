#include "SettingsFormats.h"
#include "TextHelpers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <optional>

namespace kyr {

namespace {

/// A decimal integer, blanks around it allowed.
std::optional<int> ParseInt(const std::string &text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return std::nullopt;
    const auto end = text.find_last_not_of(' ') + 1;
    const char *first = text.data() + begin;
    const char *last = text.data() + end;
    if (*first == '+')
        ++first;
    int value = 0;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc() || stop != last || first == last)
        return std::nullopt;
    return value;
}

/// The five numbers of a text with exactly four commas.
std::optional<std::array<int, 5>> ParseFiveNumbers(const std::string &text) {
    std::array<int, 5> numbers{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto comma = text.find(',', start);
        if ((comma == std::string::npos) != (i == numbers.size() - 1))
            return std::nullopt;
        const auto number = ParseInt(text.substr(start, comma - start));
        if (!number)
            return std::nullopt;
        numbers[i] = *number;
        start = comma + 1;
    }
    return numbers;
}

} // namespace

TWindowPlace DefaultWindowPlace(int left, int top, int right, int bottom, bool valid,
                                TScreenSize screen) {
    TWindowPlace place;
    place.Left = std::abs(left);
    place.Top = std::abs(top);
    place.Width = right >= 0 ? right : screen.Width - std::abs(left) - std::abs(right);
    place.Height = bottom >= 0 ? bottom : screen.Height - std::abs(top) - std::abs(bottom);
    place.State = WindowNormal;
    place.Valid = valid;
    return place;
}

TWindowPlace ParseWindowPlace(const std::string &text, const TWindowPlace &defaultPlace) {
    const auto numbers = ParseFiveNumbers(text);
    if (!numbers || (*numbers)[4] < WindowNormal || (*numbers)[4] > WindowMaximised)
        return defaultPlace;
    const auto [left, top, width, height, state] = *numbers;
    return TWindowPlace{true, left, top, width, height, state};
}

TWindowPlace ReachablePlace(const TWindowPlace &place, const TRect &area) {
    if (!place.Valid || place.Width <= 0 || place.Height <= 0 || area.Width <= 0 ||
        area.Height <= 0)
        return place;
    TWindowPlace reachable = place;
    reachable.Width = std::min(place.Width, area.Width);
    reachable.Height = std::min(place.Height, area.Height);
    // In 64 bits: an edge plus an extent from a settings file may pass the int range.
    const long long right = static_cast<long long>(area.Left) + area.Width - reachable.Width;
    const long long bottom = static_cast<long long>(area.Top) + area.Height - reachable.Height;
    reachable.Left = static_cast<int>(std::clamp<long long>(place.Left, area.Left, right));
    reachable.Top = static_cast<int>(std::clamp<long long>(place.Top, area.Top, bottom));
    return reachable;
}

std::string WindowPlaceText(const TWindowPlace &place) {
    if (!place.Valid)
        return {};
    return std::to_string(place.Left) + "," + std::to_string(place.Top) + "," +
           std::to_string(place.Width) + "," + std::to_string(place.Height) + "," +
           std::to_string(place.State);
}

TPrintBox ParsePrintBox(const std::string &text, const TPrintBox &defaultBox) {
    const auto numbers = ParseFiveNumbers(text);
    if (!numbers) {
        TPrintBox box = defaultBox;
        box.Enabled = true;
        return box;
    }
    const auto [left, top, width, height, enabled] = *numbers;
    return TPrintBox{enabled != 0, left, top, width, height};
}

std::string PrintBoxText(const TPrintBox &box) {
    return std::to_string(box.Left) + "," + std::to_string(box.Top) + "," +
           std::to_string(box.Width) + "," + std::to_string(box.Height) + "," +
           (box.Enabled ? "1" : "0");
}

TFontSpec ParseFontSpec(const std::string &text) {
    const auto open = text.find('"');
    if (open == std::string::npos)
        return {};
    const auto close = text.find('"', open + 1);
    if (close == std::string::npos)
        return {};
    // Only blanks may stand between the closing quote and the first comma.
    const auto comma1 = text.find(',', close + 1);
    if (comma1 == std::string::npos || text.find_first_not_of(' ', close + 1) != comma1)
        return {};
    const auto comma2 = text.find(',', comma1 + 1);
    if (comma2 == std::string::npos)
        return {};
    const auto comma3 = text.find(',', comma2 + 1);
    if (comma3 == std::string::npos)
        return {};
    const auto size = ParseInt(text.substr(comma1 + 1, comma2 - comma1 - 1));
    const auto color = ParseInt(text.substr(comma2 + 1, comma3 - comma2 - 1));
    const auto style = ParseInt(text.substr(comma3 + 1));
    if (!size || !color || !style)
        return {};
    TFontSpec font;
    font.Valid = true;
    font.Name = FirstCharacters(text.substr(open + 1, close - open - 1), FontNameLength);
    font.Size = *size;
    font.Color = *color;
    font.Style = *style & (FontBold | FontItalic | FontUnderline | FontStrikeOut);
    return font;
}

std::string FontSpecText(const TFontSpec &font) {
    if (!font.Valid)
        return {};
    return "\"" + font.Name + "\"," + std::to_string(font.Size) + "," + std::to_string(font.Color) +
           "," + std::to_string(font.Style);
}

void ParseFlags(const std::string &text, const std::string &defaultText, bool *flags, int count) {
    const auto n = static_cast<std::size_t>(count);
    std::string completed = text.substr(0, n);
    if (completed.size() < n && defaultText.size() > completed.size())
        completed += defaultText.substr(completed.size(), n - completed.size());
    for (std::size_t i = 0; i < n; ++i)
        flags[i] = i < completed.size() && completed[i] == '1';
}

std::string FlagsText(const bool *flags, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += flags[i] ? '1' : '0';
    return text;
}

void StorePlace(const TWindowFrame *window, TWindowPlace &place) {
    if (!window) {
        place.Valid = false;
        return;
    }
    place.Valid = true;
    place.State = window->State;
    // Minimised or maximised bounds say nothing about where the window goes when restored.
    if (window->State == WindowNormal) {
        place.Left = window->Bounds.Left;
        place.Top = window->Bounds.Top;
        place.Width = window->Bounds.Width;
        place.Height = window->Bounds.Height;
    }
}

void RestorePlace(TWindowFrame &window, TWindowPlace &place) {
    window.State = place.State;
    if (place.State == WindowNormal)
        window.Bounds = TRect{place.Left, place.Top, place.Width, place.Height};
    place.Valid = true;
}

} // namespace kyr
