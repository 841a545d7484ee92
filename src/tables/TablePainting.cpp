#include "TablePainting.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kyr {

namespace {

// Halfway between two edges, without the overflow of their sum.
int Middle(int a, int b) {
    return static_cast<int>((static_cast<long long>(a) + b) / 2);
}

} // namespace

QFont TableFont(int cellHeight) {
    QFont font(TableFontFamily);
    const int wanted = std::max(cellHeight, 1);
    int size = wanted;
    font.setPixelSize(size);
    // The line height of a face is about 1.2 em; start from that guess and step down.
    const int lineHeight = QFontMetrics(font).height();
    if (lineHeight > wanted) {
        size = std::max(1, Share(wanted, wanted, lineHeight));
        font.setPixelSize(size);
        while (size > 1 && QFontMetrics(font).height() > wanted)
            font.setPixelSize(--size);
    }
    return font;
}

void DrawCentred(QPainter &painter, const TCell &cell, const QString &text) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = Middle(cell.Left, cell.Right) - metrics.horizontalAdvance(text) / 2;
    const int y = Middle(cell.Top, cell.Bottom) - metrics.height() / 2;
    painter.drawText(x, y + metrics.ascent(), text);
}

void DrawMiddle(QPainter &painter, int x, int top, int bottom, const QString &text) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int y = Middle(top, bottom) - metrics.height() / 2;
    painter.drawText(x, y + metrics.ascent(), text);
}

} // namespace kyr
