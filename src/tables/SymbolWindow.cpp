#include "SymbolWindow.h"

#include "Translation.h"

#include <QPainter>

namespace kyr {

namespace {

const TTableDesign SymbolDesign{"WinSymbols", 191, 306, 19, 455};

} // namespace

TWinSymbols::TWinSymbols(TWindowPlace &place, const TLanguage &language,
                         const THoroscope *horoscope, QWidget *parent)
    : TTableWindow(SymbolDesign, place, language, horoscope, parent), FRows(SymbolRows(language)) {
    TranslateForm(language, this);
}

void TWinSymbols::paintEvent(QPaintEvent *) {
    const int w = width();
    const int h = height();
    const TSymbolLayout layout = SymbolLayout(w, h);
    QPainter painter(this);
    painter.setPen(GridColor());
    painter.drawLine(layout.X1, 0, layout.X1, h);
    for (int r = 1; r <= SymbolRowCount; ++r)
        painter.drawLine(0, layout.Y[r], w, layout.Y[r]);

    painter.setPen(FontColor());
    painter.setBrush(Qt::NoBrush);
    painter.setFont(TableFont(layout.FontHeight));
    for (int r = 1; r <= static_cast<int>(FRows.size()); ++r) {
        const TSymbolRow &row = FRows[r - 1];
        DrawCentred(painter, {0, layout.Y[r - 1], layout.X1, layout.Y[r]}, ToQString(row.Glyph));
        DrawMiddle(painter, layout.X1 + 10, layout.Y[r - 1], layout.Y[r], ToQString(row.Name));
    }
}

} // namespace kyr
