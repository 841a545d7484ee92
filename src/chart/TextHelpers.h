// Small text helpers shared by the dialogs and tables.
#pragma once

#include <string>

namespace kyr {

/// Decimal text with a leading "0" for 0..9.
std::string TwoDigits(int n);
/// Integer value of s, 0 when s is not a valid integer.
int StrToIntZero(const std::string &s);
/// The part of s before (before = true) or after the first c; empty when c is absent.
std::string SplitAtChar(const std::string &s, bool before, char c);
std::string TrimRightBlanks(const std::string &s);
std::string TrimLeftBlanks(const std::string &s);
/// '_' and '*' become blanks; trailing blanks, commas and full stops go.
std::string CleanHelpText(const std::string &s);
/// The first count characters of a UTF-8 text (whole characters, never a partial one).
std::string FirstCharacters(const std::string &text, std::size_t count);
/// The number of characters of a UTF-8 text.
std::size_t CharacterCount(const std::string &text);
/// Colour value r + 256 g + 65536 b.
int RGBValue(int r, int g, int b);

} // namespace kyr
