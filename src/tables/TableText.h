// The chart tables as tab-separated text for the clipboard: a header line, then one line per
// row, with names where the windows draw glyphs, so the text reads anywhere it is pasted.
#pragma once

#include <string>

namespace kyr {

class THoroscope;
class TLanguage;

/// Body, position in the sign, sign, retrograde mark, house; twelve bodies.
std::string PositionTableText(const THoroscope &horoscope, const TLanguage &language);
/// Cusp number, position in the sign, sign; twelve cusps.
std::string CuspTableText(const THoroscope &horoscope, const TLanguage &language);
/// The aspect grid: the point names across and down, each cell the aspect's name and its
/// deviation; a partner's aspects lie where the window draws them, below the diagonal.
std::string AspectTableText(const THoroscope &horoscope, const TLanguage &language);

} // namespace kyr
