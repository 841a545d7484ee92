#include "PositionWindow.h"
#include "TableText.h"

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
    const TPositionLayout layout = PositionLayout(width(), height());
    QPainter painter(this);
    if (!BeginRowTable(painter, layout.X, layout.Y) || FRows.empty())
        return;
    const auto cell = [&layout](int column, int row) {
        return RowCell(layout.X, layout.Y, column, row);
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

QString TWinppos::ClipboardText() const {
    if (!ShowsChart())
        return {};
    return QString::fromStdString(PositionTableText(*Horoscope(), Language()));
}

} // namespace kyr
