#include "TablePainting.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kyr {

QFont TableFont(int cellHeight) {
    QFont font(TableFontFamily);
    const int wanted = std::max(cellHeight, 1);
    int size = wanted;
    font.setPixelSize(size);
    // The line height of a face is about 1.2 em; start from that guess and step down.
    const int lineHeight = QFontMetrics(font).height();
    if (lineHeight > wanted) {
        size = std::max(1, wanted * wanted / lineHeight);
        font.setPixelSize(size);
        while (size > 1 && QFontMetrics(font).height() > wanted)
            font.setPixelSize(--size);
    }
    return font;
}

void DrawCentred(QPainter &painter, const TCell &cell, const QString &text) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = (cell.Left + cell.Right) / 2 - metrics.horizontalAdvance(text) / 2;
    const int y = (cell.Top + cell.Bottom) / 2 - metrics.height() / 2;
    painter.drawText(x, y + metrics.ascent(), text);
}

void DrawMiddle(QPainter &painter, int x, int top, int bottom, const QString &text) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int y = (top + bottom) / 2 - metrics.height() / 2;
    painter.drawText(x, y + metrics.ascent(), text);
}

} // namespace kyr
