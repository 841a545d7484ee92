#include "AspectWindow.h"
#include "TableText.h"
#include "ColourChoice.h"

#include "Horoscope.h"
#include "Language.h"
#include "TableRows.h"
#include "Translation.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace kyr {

namespace {

const TTableDesign AspectDesign{"WinAspects", 419, 303, 16, 1};

const QColor FirstWithPartnerColor = Qt::blue;
const QColor PartnerColor = Qt::red;

} // namespace

TWinAspects::TWinAspects(TWindowPlace &place, const TLanguage &language,
                         const THoroscope *horoscope, QWidget *parent)
    : TTableWindow(AspectDesign, place, language, horoscope, parent), FMenu(new QMenu(this)) {
    FBackgroundColor = FMenu->addAction(QStringLiteral("Background Color..."));
    SetTag(FBackgroundColor, 263);
    connect(FBackgroundColor, &QAction::triggered, this, [this] { PickBackgroundColor(); });
    TranslateForm(language, this);
}

void TWinAspects::PickBackgroundColor() {
    QColor color = Color();
    // The colour lasts as long as the window; the settings do not keep it.
    if (ChooseColour(ChooseColor, color, this)) {
        SetColor(color);
        update();
    }
}

void TWinAspects::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton && event->buttons() == Qt::RightButton &&
        event->modifiers() == Qt::NoModifier) {
        FMenu->popup(event->globalPosition().toPoint());
        return;
    }
    TTableWindow::mousePressEvent(event);
}

void TWinAspects::paintEvent(QPaintEvent *) {
    const int w = width();
    const int h = height();
    const TAspectLayout layout = AspectLayout(w, h);
    QPainter painter(this);
    painter.setPen(GridColor());
    for (int k = 1; k <= 15; ++k) {
        painter.drawLine(layout.X[k], 0, layout.X[k], h);
        painter.drawLine(0, layout.Y[k], w, layout.Y[k]);
    }

    painter.setBrush(Qt::NoBrush);
    painter.setPen(FontColor());
    const QFont glyphFont = TableFont(layout.GlyphHeight);
    painter.setFont(glyphFont);
    for (int p = 1; p <= AspectPointCount; ++p) {
        const QString glyph = ToQString(Language().PointGlyph(p));
        DrawCentred(painter, {layout.X[p], layout.Y[0], layout.X[p + 1], layout.Y[1]}, glyph);
        DrawCentred(painter, {layout.X[0], layout.Y[p], layout.X[1], layout.Y[p + 1]}, glyph);
    }
    if (!Horoscope())
        return;

    const std::vector<TAspectCell> cells = AspectCells(*Horoscope(), Language());
    const QColor firstColor = Horoscope()->Partner() ? FirstWithPartnerColor : FontColor();
    const QFont textFont = TableFont(layout.TextHeight);
    for (const TAspectCell &cell : cells) {
        painter.setPen(cell.Partner ? PartnerColor : firstColor);
        painter.setFont(glyphFont);
        DrawCentred(painter, layout.GlyphCell(cell.Row, cell.Column), ToQString(cell.Glyph));
        painter.setFont(textFont);
        DrawCentred(painter, layout.DeviationCell(cell.Row, cell.Column),
                    ToQString(cell.Deviation));
    }
}

QString TWinAspects::ClipboardText() const {
    if (!ShowsChart())
        return {};
    return QString::fromStdString(AspectTableText(*Horoscope(), Language()));
}

} // namespace kyr
