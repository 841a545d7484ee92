#include "CuspWindow.h"
#include "TableText.h"

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
    const TCuspLayout layout = CuspLayout(width(), height());
    QPainter painter(this);
    if (!BeginRowTable(painter, layout.X, layout.Y) || FRows.empty())
        return;
    const auto cell = [&layout](int column, int row) {
        return RowCell(layout.X, layout.Y, column, row);
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

QString TWinCPos::ClipboardText() const {
    if (!ShowsChart())
        return {};
    return QString::fromStdString(CuspTableText(*Horoscope(), Language()));
}

} // namespace kyr
