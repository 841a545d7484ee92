#include "PositionWindow.h"

#include "Glyphs.h"
#include "Translation.h"

#include <QPainter>

namespace kyr {

namespace {

const TTableDesign PositionDesign{"Winppos", 231, 299, 21, 330};

} // namespace

TWinppos::TWinppos(TWindowPlace &place, const TLanguage &language, const THoroscope *horoscope,
                   QWidget *parent)
    : TTableWindow(PositionDesign, place, language, horoscope, parent) {
    TranslateForm(language, this);
    Refresh();
}

void TWinppos::Refresh() {
    if (Horoscope())
        FRows = PositionRows(*Horoscope(), Language());
    update();
}

void TWinppos::paintEvent(QPaintEvent *) {
    const int w = width();
    const int h = height();
    const TPositionLayout layout = PositionLayout(w, h);
    QPainter painter(this);
    painter.setPen(GridColor());
    for (int k = 1; k <= 4; ++k)
        painter.drawLine(layout.X[k], 0, layout.X[k], h);
    for (int r = 1; r <= 12; ++r)
        painter.drawLine(0, layout.Y[r], w, layout.Y[r]);
    if (!ShowsChart() || FRows.empty())
        return;

    painter.setPen(FontColor());
    painter.setBrush(Qt::NoBrush);
    const auto cell = [&layout](int column, int row) {
        return TCell{layout.X[column - 1], layout.Y[row], layout.X[column], layout.Y[row + 1]};
    };
    painter.setFont(TableFont(layout.GlyphHeight));
    const QString retrograde = ToQString(SymbolFontText(RetrogradeGlyphCode));
    for (int r = 0; r < static_cast<int>(FRows.size()); ++r) {
        const TPositionRow &row = FRows[r];
        DrawCentred(painter, cell(1, r), ToQString(row.Glyph));
        DrawCentred(painter, cell(3, r), ToQString(row.SignGlyph));
        if (row.Retrograde)
            DrawCentred(painter, cell(4, r), retrograde);
        DrawCentred(painter, cell(5, r), ToQString(row.House));
    }
    painter.setFont(TableFont(layout.TextHeight));
    for (int r = 0; r < static_cast<int>(FRows.size()); ++r)
        DrawCentred(painter, cell(2, r), ToQString(FRows[r].Position));
}

} // namespace kyr
