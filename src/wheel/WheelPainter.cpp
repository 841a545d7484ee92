#include "WheelPainter.h"

#include "Glyphs.h"
#include "WheelArrowhead.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QVector>

#include <cmath>
#include <cstdio>

namespace kyr {

namespace {

bool PrintModeFlag = false;

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QColor BWSignColour(128, 128, 128);
const QColor ScaleColour(255, 255, 224);
const QColor PartnerRingColour(255, 255, 240);
const QColor HouseRingColour(192, 192, 192);
const QColor BodyColour(0, 0, 255);
const QColor PartnerBodyColour(255, 0, 0);

QColor ToColor(const TRgb &rgb) {
    return QColor(rgb.R, rgb.G, rgb.B);
}

QPoint ToPoint(const TPointI &p) {
    return {p.X, p.Y};
}

QRectF ToRectF(const TRectI &r) {
    return QRectF(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

QLine ToLine(const TSegmentI &s) {
    return QLine(s.X1, s.Y1, s.X2, s.Y2);
}

QPen SolidPen(const QColor &colour, int width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Writes text in one font and colour. An SVG file carries the glyphs as outlines, since the
// programs that show it do not have the symbol font.
class TTextWriter {
public:
    TTextWriter(QPainter &painter, const QFont &font, const QColor &colour)
        : FPainter(painter), FFont(font), FColour(colour),
          FAsPaths(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::SVG),
          FMetrics(font, painter.device()) {}

    /// Text centred on c; returns the text height.
    int Centred(TPointI c, const QString &text) {
        // Integer halves truncate toward zero, as the layout's own arithmetic does.
        const int width = static_cast<int>(std::lround(FMetrics.horizontalAdvance(text)));
        return At(c.X - width / 2, c.Y - Height() / 2, text);
    }

    /// Text with its top left corner at (x, y); returns the text height.
    int At(int x, int y, const QString &text) {
        const QPointF baseline(x, y + FMetrics.ascent());
        if (FAsPaths) {
            QPainterPath path;
            path.addText(baseline, FFont, text);
            FPainter.fillPath(path, FColour);
        } else {
            FPainter.setFont(FFont);
            FPainter.setPen(FColour);
            FPainter.drawText(baseline, text);
        }
        return Height();
    }

    int Height() const { return static_cast<int>(std::lround(FMetrics.height())); }

private:
    QPainter &FPainter;
    QFont FFont;
    QColor FColour;
    bool FAsPaths;
    QFontMetricsF FMetrics;
};

QString GlyphText(int code) {
    return QString::fromStdString(SymbolFontText(static_cast<std::uint8_t>(code)));
}

void DrawArrowhead(QPainter &painter, const TSegmentI &axis) {
    const auto arcs = ArrowheadArcs(axis);
    if (!arcs)
        return;
    for (const TArrowArc &arc : *arcs)
        painter.drawArc(ToRectF(arc.Bounds), static_cast<int>(std::lround(arc.StartDegrees * 16)),
                        static_cast<int>(std::lround(arc.SpanDegrees * 16)));
}

void DrawAxes(QPainter &painter, const std::array<TWheelLine, 5> &axes) {
    for (int k = 1; k <= 4; ++k) {
        painter.drawLine(ToLine(axes[k]));
        if (k == 1 || k == 4) // Ascendant and Midheaven
            DrawArrowhead(painter, axes[k]);
    }
}

// Glyphs and ticks of one set of bodies; heights[b] receives each glyph's text height.
void DrawBodies(QPainter &painter, const QFont &font, const TBodyGlyphs &bodies, int glyphHeight,
                int nodeHeight, const QColor &colour, int penWidth,
                std::array<int, BodyCount + 1> &heights) {
    TTextWriter planets(painter, FontOfCellHeight(font, glyphHeight, painter.device()), colour);
    TTextWriter nodes(painter, FontOfCellHeight(font, nodeHeight, painter.device()), colour);
    for (int b = 1; b <= BodyCount; ++b) {
        // Bodies 11 and 12, the Nodes, are written smaller.
        TTextWriter &writer = b >= 11 ? nodes : planets;
        heights[b] = writer.Centred(bodies[b].Centre, GlyphText(bodies[b].Glyph));
        painter.setPen(SolidPen(colour, penWidth));
        painter.drawLine(ToLine(bodies[b].Tick));
    }
}

} // namespace

bool WheelPrintMode() {
    return PrintModeFlag;
}

TWheelPrintScope::TWheelPrintScope() {
    PrintModeFlag = true;
}

TWheelPrintScope::~TWheelPrintScope() {
    PrintModeFlag = false;
}

QFont FontOfCellHeight(const QFont &base, int cellHeight, const QPaintDevice *device) {
    QFont font(base);
    const int wanted = std::max(1, cellHeight);
    font.setPixelSize(wanted);
    const qreal cell = device ? QFontMetricsF(font, device).height() : QFontMetricsF(font).height();
    if (cell > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(wanted * wanted / cell))));
    return font;
}

QString PositionText(Extended degreeDm) {
    // Truncated in whole minutes. D.MM values such as 15.37 are not exact in binary, and a
    // longitude a hair below a whole degree comes as 24.5999..., so a millionth of a minute
    // is added first and a 60th minute carried into the degree.
    int degrees = static_cast<int>(std::trunc(degreeDm));
    int minutes = static_cast<int>(std::trunc((degreeDm - degrees) * 100 + 1e-6L));
    if (minutes >= 60) {
        ++degrees;
        minutes -= 60;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%4.2f", degrees + minutes / 100.0);
    return QString::fromLatin1(text).left(10);
}

void PaintWheel(QPainter &painter, const TWheelGeometry &g, const TWheelPaintOptions &o) {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    if (o.Opaque)
        painter.fillRect(o.Rect, o.Color);
    // Layout pixels are whole numbers; drawing through pixel centres keeps thin lines sharp.
    painter.translate(0.5, 0.5);

    for (int i = 1; i <= 12; ++i) {
        const TSignSector &sector = g.Signs[i];
        const QColor colour = o.BW ? BWSignColour : ToColor(sector.Colour);
        painter.setPen(SolidPen(colour, 1));
        painter.setBrush(colour);
        if (o.OffScreen) {
            // Pies from boundary to boundary; the filled circles drawn next cover their middles.
            painter.drawPie(ToRectF(g.SignCircle),
                            static_cast<int>(std::lround(sector.StartDegrees * 16)),
                            static_cast<int>(std::lround(sector.SpanDegrees * 16)));
        } else {
            QPolygon outline(SectorPointCount);
            for (int k = 0; k < SectorPointCount; ++k)
                outline[k] = ToPoint(sector.Outline[k]);
            painter.drawPolygon(outline);
        }
    }

    // Printed in black and white, white boundaries keep the grey signs apart.
    painter.setPen(o.BW && o.PrintMode ? SolidPen(White, 3) : SolidPen(Black, 1));
    for (int i = 1; i <= 12; ++i)
        painter.drawLine(ToPoint(g.Signs[i].Outline[SectorBoundaryOuter]),
                         ToPoint(g.Signs[i].Outline[SectorBoundaryInner]));

    painter.setPen(SolidPen(Black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ToRectF(g.SignCircle));
    painter.setBrush(o.BW ? White : ScaleColour);
    painter.drawEllipse(ToRectF(g.ScaleCircle));
    painter.drawEllipse(ToRectF(g.ScaleInnerCircle));
    if (g.Dual) {
        // Without a partner chart its ring stays blank: no phantom chart at 0 degrees Aries.
        if (!o.BW && o.PartnerReady)
            painter.setBrush(PartnerRingColour);
        else
            painter.setBrush(White);
    } else {
        painter.setBrush(HouseRingColour);
    }
    painter.drawEllipse(ToRectF(g.MiddleCircle));
    painter.setBrush(White);
    painter.drawEllipse(ToRectF(g.InnermostCircle));

    painter.setBrush(Qt::NoBrush);
    {
        TTextWriter labels(
            painter, FontOfCellHeight(o.Font, g.FontHeights.HouseNumber, painter.device()), Black);
        for (int j = 1; j <= 12; ++j) {
            painter.setPen(SolidPen(Black, 1));
            painter.drawLine(ToLine(g.CuspLines[j]));
            if (g.Dual && o.PartnerReady)
                painter.drawLine(ToLine(g.PartnerCuspLines[j]));
            else if (!g.Dual)
                labels.Centred(g.HouseLabels[j].Centre,
                               QString::fromStdString(g.HouseLabels[j].Text));
        }
    }
    {
        TTextWriter signs(painter,
                          FontOfCellHeight(o.Font, g.FontHeights.SignGlyph, painter.device()),
                          o.BW ? White : Black);
        for (int i = 1; i <= 12; ++i)
            signs.Centred(g.Signs[i].Centre, GlyphText(g.Signs[i].Glyph));
    }

    painter.setPen(SolidPen(Black, 1));
    QVector<QLine> ticks;
    ticks.reserve(static_cast<int>(g.DegreeTicks.size()));
    for (const TSegmentI &tick : g.DegreeTicks)
        ticks.append(ToLine(tick));
    painter.drawLines(ticks);

    const int heavy = o.PrintMode ? 3 : 2;
    painter.setPen(SolidPen(Black, heavy));
    DrawAxes(painter, g.Axes);
    if (g.Dual && o.PartnerReady)
        DrawAxes(painter, g.PartnerAxes);

    if (!o.BodiesReady) {
        painter.restore();
        return;
    }
    std::array<int, BodyCount + 1> heights{};
    DrawBodies(painter, o.Font, g.Bodies, g.FontHeights.BodyGlyph, g.FontHeights.NodeGlyph,
               o.BW ? Black : BodyColour, heavy, heights);
    if (g.Dual) {
        if (!o.PartnerReady) {
            painter.restore();
            return;
        }
        // The positions below are written under the own glyphs, so they keep the own
        // glyphs' heights rather than the partner's.
        std::array<int, BodyCount + 1> partnerHeights{};
        DrawBodies(painter, o.Font, g.PartnerBodies, g.FontHeights.PartnerGlyph,
                   g.FontHeights.PartnerNodeGlyph, o.BW ? Black : PartnerBodyColour, heavy,
                   partnerHeights);
    }

    if (o.PrintMode && o.ShowPosition) {
        TTextWriter positions(
            painter, FontOfCellHeight(o.Font, g.FontHeights.BodyGlyph / 5 + 1, painter.device()),
            Black);
        for (int b = 1; b <= BodyCount; ++b) {
            const TPointI c = g.Bodies[b].Centre;
            positions.At(c.X, c.Y + heights[b] / 2, PositionText(g.Bodies[b].Degree));
        }
    }

    if (o.ShowAspects)
        for (const TAspectChord &chord : g.Chords) {
            painter.setPen(SolidPen(o.BW ? Black : ToColor(chord.Colour), 1));
            painter.drawLine(ToLine(chord.Line));
        }
    painter.restore();
}

} // namespace kyr
