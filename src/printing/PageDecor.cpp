// What frames the text: header and footer, the test page's guides and the logo.
#include "KyrPrinter.h"

#include "MeterColors.h"

#include <QPalette>
#include <QPolygon>

#include <cmath>
#include <numbers>

namespace kyr {

namespace {

/// The logo's outline box, in its own units.
constexpr int LogoUnitsWide = 10071;
constexpr int LogoUnitsHigh = 2191;

/// The logo: a wheel of twelve spokes at the left and two rules running off to the right,
/// fifteen polylines in all.
const std::vector<QPolygon> &LogoOutline() {
    static const std::vector<QPolygon> outline = [] {
        std::vector<QPolygon> lines;
        const int r = LogoUnitsHigh / 2;
        const QPoint centre(r, r);
        QPolygon rim;
        for (int k = 0; k <= 48; ++k) {
            const double a = 2 * std::numbers::pi * k / 48;
            rim << centre + QPoint(static_cast<int>(std::lround(r * std::cos(a))),
                                   static_cast<int>(std::lround(r * std::sin(a))));
        }
        lines.push_back(rim);
        for (int k = 0; k < 12; ++k) {
            const double a = 2 * std::numbers::pi * k / 12;
            const auto at = [&](double f) {
                return centre + QPoint(static_cast<int>(std::lround(f * r * std::cos(a))),
                                       static_cast<int>(std::lround(f * r * std::sin(a))));
            };
            lines.push_back(QPolygon({at(0.35), at(1.0)}));
        }
        lines.push_back(QPolygon({QPoint(2 * r + 300, r - 350), QPoint(LogoUnitsWide, r - 350)}));
        lines.push_back(QPolygon({QPoint(2 * r + 300, r + 350), QPoint(LogoUnitsWide, r + 350)}));
        return lines;
    }();
    return outline;
}

} // namespace

void TKyrPrinter::DrawHeaderFooter() {
    if (JobOptions == JobWheelPage || JobOptions == JobSymbolPage || !PageInRange())
        return;
    FNoPageFinishedYet = false;
    QPainter &canvas = Canvas();
    if (!canvas.isActive())
        return;
    canvas.setFont(HeaderFont);
    canvas.setPen(Qt::black);
    const int width = FM.Right - FM.Left;
    const int footer = FM.FooterY - FM.HeaderLine;
    canvas.drawText(QRect(FM.Left, FM.HeaderY, width, FM.HeaderLine),
                    Qt::AlignHCenter | Qt::AlignTop, FlowQText(HeaderText));
    canvas.drawText(QRect(FM.Left, footer, width, FM.HeaderLine), Qt::AlignHCenter | Qt::AlignTop,
                    FlowQText(FooterText));
    canvas.drawText(QRect(FM.Left, footer, width, FM.HeaderLine), Qt::AlignRight | Qt::AlignTop,
                    FlowQText(PageLabel + std::to_string(FPage)));
    // Flat ends: the rules end exactly at the text edges.
    canvas.setPen(QPen(ColorFromValue(PageLineColor, QPalette()), 3, Qt::SolidLine, Qt::FlatCap));
    const int rule = FM.HeaderY + FM.HeaderLine;
    canvas.drawLine(FM.Left, rule, FM.Right, rule);
    canvas.drawLine(FM.Left, footer, FM.Right, footer);
    FPageDirty = true;
}

void TKyrPrinter::DrawLayoutGuides() {
    QPainter &canvas = Canvas();
    if (!canvas.isActive())
        return;
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QPen(Qt::red, 1));
    // A stroked rectangle reaches x + width: these are the edges themselves.
    canvas.drawRect(0, 0, FM.PageWidth - 1, FM.PageHeight - 2);

    canvas.setPen(QPen(Qt::black, 3));
    for (const int y : {FM.HeaderY, FM.Top, FM.Bottom, FM.FooterY}) {
        canvas.drawLine(0, y, FM.MarkLength, y);
        canvas.drawLine(FM.PageWidth - 1 - FM.MarkLength, y, FM.PageWidth - 1, y);
    }
    for (const int x : {FM.Left, FM.Right}) {
        canvas.drawLine(x, 0, x, FM.MarkLength);
        canvas.drawLine(x, FM.PageHeight - 1 - FM.MarkLength, x, FM.PageHeight - 1);
    }

    canvas.setPen(QPen(Qt::red, 1));
    for (int i = 0; i < Columns; ++i) {
        const int x = FM.ColumnX[static_cast<std::size_t>(i)];
        canvas.drawRect(x, FM.Top, FM.ColumnWidth, FM.Bottom - FM.Top);
    }
    FPageDirty = true;
}

void TKyrPrinter::DrawLogo() {
    // Output like any other: it starts a pending page, so that text after it stays with it.
    StartPageIfPending();
    if (PageInRange() && FM.LogoWidth > 0)
        DrawLogoOutline();
    MarkPagePrinted();
}

void TKyrPrinter::DrawLogoOutline() {
    QPainter &canvas = Canvas();
    if (!canvas.isActive())
        return;
    canvas.save();
    canvas.setPen(QPen(Qt::black, std::max(1, FM.LogoWidth / 400)));
    canvas.setBrush(Qt::NoBrush);
    canvas.translate(ColumnX(), FY);
    const double scale = static_cast<double>(FM.LogoWidth) / LogoUnitsWide;
    for (const QPolygon &line : LogoOutline()) {
        QPolygon scaled;
        for (const QPoint &p : line)
            scaled << QPoint(static_cast<int>(p.x() * scale), static_cast<int>(p.y() * scale));
        canvas.drawPolyline(scaled);
    }
    canvas.restore();
    FPageDirty = true;
}

} // namespace kyr
