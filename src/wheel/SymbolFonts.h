// The symbol font "KYR Sans Serif" that every glyph of the wheel is written in. Its two
// files lie beside the executable; the application registers them once at start-up.
#pragma once

#include <QFont>

namespace kyr {

inline constexpr const char *SymbolFontFamily = "KYR Sans Serif";
/// The regular face and the bold face.
inline constexpr const char *SymbolFontFiles[] = {"KYRS.TTF", "KYRSS.TTF"};

/// Adds both files from ProgramDirectory() to the application's fonts; true when both are
/// there. Needs a QGuiApplication. A file that the application has already is not added
/// again.
bool RegisterSymbolFonts();

/// The wheel's font: the symbol font, bold, which stays legible at the small sizes of
/// crowded glyphs. Sizes are set per ring when the wheel is painted.
QFont SymbolFont();

} // namespace kyr
