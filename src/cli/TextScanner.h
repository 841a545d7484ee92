// A cursor over one command-line value, for the hand-written parsers of InputParsing.cpp:
// each step reads a fixed kind of token and moves on only when it matched. Nothing recurses
// and nothing allocates, so a value of any length is read in one pass.
#pragma once

#include <cstddef>
#include <string_view>

namespace kyr::cli {

class TTextScanner {
public:
    explicit TTextScanner(std::string_view text) : FText(text) {}

    bool AtEnd() const { return FAt == FText.size(); }

    /// Reads the character c.
    bool Take(char c) {
        if (AtEnd() || FText[FAt] != c)
            return false;
        ++FAt;
        return true;
    }

    /// Reads one of the characters of set into c.
    bool TakeOneOf(std::string_view set, char &c) {
        if (AtEnd() || set.find(FText[FAt]) == std::string_view::npos)
            return false;
        c = FText[FAt++];
        return true;
    }

    /// Reads at least minDigits and at most maxDigits (up to 9) decimal digits as a number.
    bool TakeNumber(int minDigits, int maxDigits, int &value) {
        std::size_t end = FAt;
        int number = 0;
        while (end < FText.size() && end - FAt < static_cast<std::size_t>(maxDigits) &&
               IsDigit(FText[end]))
            number = 10 * number + (FText[end++] - '0');
        if (end - FAt < static_cast<std::size_t>(minDigits))
            return false;
        FAt = end;
        value = number;
        return true;
    }

    /// Reads a run of digits of any length; returns how many there were.
    std::size_t SkipDigits() {
        const std::size_t start = FAt;
        while (!AtEnd() && IsDigit(FText[FAt]))
            ++FAt;
        return FAt - start;
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

private:
    std::string_view FText;
    std::size_t FAt = 0;
};

} // namespace kyr::cli
