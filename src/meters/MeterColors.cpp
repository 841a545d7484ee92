#include "MeterColors.h"

namespace kyr {

namespace {

// System colour indices of the settings files and the palette roles that play their part.
QPalette::ColorRole SystemColorRole(int index) {
    switch (index) {
    case 5: // window background
        return QPalette::Base;
    case 7: // menu text
    case 8: // window text
        return QPalette::Text;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 16: // button shadow
        return QPalette::Dark;
    case 18:
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 21:
        return QPalette::Shadow;
    case 22:
        return QPalette::Midlight;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    case 15: // button face
        return QPalette::Button;
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor ColorFromValue(int value, const QPalette &palette) {
    const auto bits = static_cast<unsigned>(value);
    if (bits & 0x80000000u)
        return palette.color(QPalette::Active, SystemColorRole(static_cast<int>(bits & 0xFF)));
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

int ValueFromColor(const QColor &color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor ButtonShadowColor(const QPalette &palette) {
    return palette.color(QPalette::Active, QPalette::Dark);
}

} // namespace kyr
