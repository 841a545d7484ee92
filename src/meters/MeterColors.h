// Colour values as the settings store them, and the system colours the meters draw with.
#pragma once

#include <QColor>
#include <QPalette>

namespace kyr {

/// The colour of a settings value: red, green and blue in the low three bytes (red lowest), or,
/// with the top bit set, the system colour whose index is in the low bits.
QColor ColorFromValue(int value, const QPalette &palette);
/// The settings value of an explicit colour.
int ValueFromColor(const QColor &color);

/// Sunken edges: the button shadow at the top and left, white at the bottom and right.
QColor ButtonShadowColor(const QPalette &palette);

} // namespace kyr
