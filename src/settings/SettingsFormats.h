// The compound values of the settings files (window places, print boxes, fonts, flag
// strings) and their text forms.
#pragma once

#include <string>

namespace kyr {

/// Window states of a place.
enum : int { WindowNormal = 0, WindowMinimised = 1, WindowMaximised = 2 };

/// Font style bits.
enum : int { FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrikeOut = 8 };

/// Longest face name a font setting keeps, in characters.
constexpr std::size_t FontNameLength = 40;

struct TScreenSize {
    int Width = 1024;
    int Height = 768;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TRect &) const = default;
};

/// Where a window was: its normal bounds and its state.
struct TWindowPlace {
    bool Valid = false;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int State = WindowNormal;
    bool operator==(const TWindowPlace &) const = default;
};

/// A box on the printed page, in the printing's page units.
struct TPrintBox {
    bool Enabled = true;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TPrintBox &) const = default;
};

struct TFontSpec {
    bool Valid = false;
    std::string Name;
    int Size = 0;  ///< points
    int Color = 0; ///< colour value
    int Style = 0; ///< FontBold | FontItalic | FontUnderline | FontStrikeOut
    bool operator==(const TFontSpec &) const = default;
};

/// The default place of a window: negative right and bottom values count from the screen's
/// right and bottom edges, so that (-10, -10, -10, -10) fills the screen but for 10 pixels.
TWindowPlace DefaultWindowPlace(int left, int top, int right, int bottom, bool valid,
                                TScreenSize screen);
/// "Left,Top,Width,Height,State": exactly four commas and five integers with a known state
/// make a valid place; any other text gives the default unchanged.
TWindowPlace ParseWindowPlace(const std::string &text, const TWindowPlace &defaultPlace);
/// The text form; an invalid place is the empty text.
std::string WindowPlaceText(const TWindowPlace &place);

/// The place moved and shrunk into area so that the window, its title bar and its edges can
/// always be reached: its size at most the area's, the whole window inside it. A place
/// without a size (never stored) and an invalid one stay as they are.
TWindowPlace ReachablePlace(const TWindowPlace &place, const TRect &area);

/// "Left,Top,Width,Height,Enabled" with the last non-zero for enabled; malformed text gives
/// the default numbers, enabled.
TPrintBox ParsePrintBox(const std::string &text, const TPrintBox &defaultBox);
std::string PrintBoxText(const TPrintBox &box);

/// "\"Name\",Size,Colour,Style"; anything else gives an invalid font.
TFontSpec ParseFontSpec(const std::string &text);
/// The text form; an invalid font is the empty text.
std::string FontSpecText(const TFontSpec &font);

/// Flags from a string of '1' and '0'; missing characters at the end come from the same
/// positions of the default. Writes count flags to flags[0..count-1].
void ParseFlags(const std::string &text, const std::string &defaultText, bool *flags, int count);
std::string FlagsText(const bool *flags, int count);

/// StorePlace and RestorePlace work on this plain view of a window, which the window layer
/// fills from and applies to its widget.
struct TWindowFrame {
    TRect Bounds; ///< normal (not minimised or maximised) bounds
    int State = WindowNormal;
};

/// A place taken from a window: valid, with its state, and its bounds only in the normal
/// state (otherwise the earlier numbers stay). Without a window the place becomes invalid.
void StorePlace(const TWindowFrame *window, TWindowPlace &place);
/// Puts a window where the place says: its state, and in the normal state its bounds. The
/// place becomes valid.
void RestorePlace(TWindowFrame &window, TWindowPlace &place);

} // namespace kyr
