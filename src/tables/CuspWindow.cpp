#include "CuspWindow.h"

#include "Translation.h"

#include <QPainter>

namespace kyr {

namespace {

const TTableDesign CuspDesign{"WinCPos", 178, 300, 19, 320};

} // namespace

TWinCPos::TWinCPos(TWindowPlace &place, const TLanguage &language, const THoroscope *horoscope,
                   QWidget *parent)
    : TTableWindow(CuspDesign, place, language, horoscope, parent) {
    TranslateForm(language, this);
    Refresh();
}

void TWinCPos::Refresh() {
    if (Horoscope())
        FRows = CuspRows(*Horoscope(), Language());
    update();
}

void TWinCPos::paintEvent(QPaintEvent *) {
    const int w = width();
    const int h = height();
    const TCuspLayout layout = CuspLayout(w, h);
    QPainter painter(this);
    painter.setPen(GridColor());
    for (int k = 1; k <= 2; ++k)
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
    for (int r = 0; r < static_cast<int>(FRows.size()); ++r) {
        DrawCentred(painter, cell(1, r), ToQString(FRows[r].Label));
        DrawCentred(painter, cell(3, r), ToQString(FRows[r].SignGlyph));
    }
    painter.setFont(TableFont(layout.TextHeight));
    for (int r = 0; r < static_cast<int>(FRows.size()); ++r)
        DrawCentred(painter, cell(2, r), ToQString(FRows[r].Position));
}

} // namespace kyr
