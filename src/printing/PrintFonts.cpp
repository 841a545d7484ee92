#include "PrintFonts.h"

namespace kyr {

void ApplyFontSetting(const TFontSpec &setting, QFont &font) {
    if (!setting.Valid)
        return;
    font.setFamily(QString::fromStdString(setting.Name));
    if (setting.Size > 0)
        font.setPointSize(setting.Size);
    font.setBold((setting.Style & FontBold) != 0);
    font.setItalic((setting.Style & FontItalic) != 0);
    font.setUnderline((setting.Style & FontUnderline) != 0);
    font.setStrikeOut((setting.Style & FontStrikeOut) != 0);
}

TFontSpec FontSetting(const QFont &font, int color) {
    TFontSpec setting;
    setting.Valid = true;
    setting.Name = font.family().left(static_cast<qsizetype>(FontNameLength)).toStdString();
    setting.Size = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    setting.Color = color;
    setting.Style = (font.bold() ? FontBold : 0) | (font.italic() ? FontItalic : 0) |
                    (font.underline() ? FontUnderline : 0) |
                    (font.strikeOut() ? FontStrikeOut : 0);
    return setting;
}

} // namespace kyr
