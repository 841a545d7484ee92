// The print fonts of the settings as Qt fonts and back.
#pragma once

#include "SettingsFormats.h"

#include <QFont>

namespace kyr {

/// Puts name, size and style of a font setting into font; an invalid setting leaves it as is.
/// The colour is not a font property in Qt: it is drawn black, as printed text always is.
void ApplyFontSetting(const TFontSpec &setting, QFont &font);
/// The setting of a font, valid, with the colour given.
TFontSpec FontSetting(const QFont &font, int color = 0);

} // namespace kyr
