#include "TransitMeter.h"

#include "MeterCanvas.h"
#include "MeterColors.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kyr {

namespace {

TMeterRect DeviceRect(const QRect &r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

void TTransitPicture::Draw(QPainter &canvas, const QRect &rect) const {
    FOwner.PaintMeter(canvas, rect, true);
}

TTransitMeter::TTransitMeter(QWidget *owner)
    : QWidget(owner), FBackColor(palette().color(QPalette::Active, QPalette::Base)) {
    resize(sizeHint());
}

void TTransitMeter::SetFromYear(int year) {
    if (SetSpanFrom(FSpan, year))
        Changed();
}

void TTransitMeter::SetToYear(int year) {
    if (SetSpanTo(FSpan, year))
        Changed();
}

void TTransitMeter::SetActive(bool active) {
    FCursor = -1;
    if (active && FDirty) {
        update();
        FDirty = false;
    }
    FActive = active;
}

int TTransitMeter::AreaWidth() const {
    return TransitAreaWidth(width(), fontMetrics().horizontalAdvance(QStringLiteral("00")));
}

void TTransitMeter::SetTickSize(int tickSize) {
    if (tickSize <= 0 || tickSize == FTickSize)
        return;
    FTickSize = tickSize;
    FMinorTickSize = MinorTickLength(tickSize);
    update();
}

void TTransitMeter::SetForeColor(const QColor &color) {
    if (color == FForeColor)
        return;
    FForeColor = color;
    update();
}

void TTransitMeter::SetBackColor(const QColor &color) {
    if (color == FBackColor)
        return;
    FBackColor = color;
    update();
}

void TTransitMeter::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    update();
}

void TTransitMeter::SetCtl3D(bool on) {
    if (on == FCtl3D)
        return;
    FCtl3D = on;
    update();
}

void TTransitMeter::SetValue(int index, Extended value) {
    if (index < 0 || index >= TransitMeterValueCount)
        throw EMeterIndexError();
    const auto i = static_cast<std::size_t>(index);
    FValues[i] = value;
    if (FPlotHeight > 0)
        FBarHeights[i] = BarHeight(value, FPlotHeight);
    Changed();
}

Extended TTransitMeter::Value(int index) const {
    if (index < 0 || index >= TransitMeterValueCount)
        throw EMeterIndexError();
    return FValues[static_cast<std::size_t>(index)];
}

void TTransitMeter::Changed() {
    if (FActive)
        update();
    else
        FDirty = true;
}

void TTransitMeter::ComputeBarHeights(int plotHeight) {
    // Every value, not only the columns of this width: values fed before the first paint or
    // beyond a narrower width must not keep a height of another plot height.
    for (std::size_t i = 0; i < FValues.size(); ++i)
        FBarHeights[i] = BarHeight(FValues[i], plotHeight);
    FPlotHeight = plotHeight;
}

void TTransitMeter::MoveCursor(int x) {
    if (x < FPlotArea.Left || x > FPlotArea.Right || x == FCursor)
        return;
    FCursor = x;
    update();
    emit UserHit(TransitCursorDate(x, FPlotArea, FSpan));
}

void TTransitMeter::PaintMeter(QPainter &painter, const QRect &rect, bool transitPrintMode) {
    painter.save();
    painter.setFont(font());
    const QFontMetrics metrics = painter.fontMetrics();
    const int tw = metrics.horizontalAdvance(QStringLiteral("00"));
    const TTransitLayout m =
        LayoutTransitMeter(DeviceRect(rect), tw, metrics.height(), FTickSize, FSpan);
    const bool sunken = FCtl3D && !transitPrintMode;
    const QColor black = Qt::black;
    const QColor shadow = sunken ? ButtonShadowColor(palette()) : black;
    const QColor highlight = sunken ? QColor(Qt::white) : black;
    TMeterCanvas c(painter);

    // Frame: shadow on the left and top, light on the right and bottom.
    c.SetPen(shadow);
    c.MoveTo(m.L, m.B);
    c.LineTo(m.L, m.T);
    c.LineTo(m.Rt, m.T);
    c.SetPen(highlight);
    c.MoveTo(m.Rt, m.T + 1);
    c.LineTo(m.Rt, m.B - 1);
    c.LineTo(m.L, m.B - 1);

    c.SetBrush(FBackColor);
    c.SetPen(FBorderStyle == bsSingle ? black : FBackColor);
    c.Rectangle(m.L + 1, m.T + 1, m.Rt, m.B - 1);

    if (!transitPrintMode) {
        // The printed picture leaves the screen's plot area and bar heights alone.
        FPlotArea = m.PlotArea;
        if (m.PlotHeight() != FPlotHeight)
            ComputeBarHeights(m.PlotHeight());
        c.SetPen(FForeColor);
        for (int i = 0, x = m.L + 2; x <= m.Rt - 2 && i < TransitMeterValueCount; ++i, ++x) {
            const int h = FBarHeights[static_cast<std::size_t>(i)];
            if (h > 0) {
                c.MoveTo(x, m.B - 3);
                c.LineTo(x, std::max(m.B - 2 - h, m.T + 1));
            }
        }
    } else {
        c.SetBrush(FForeColor);
        c.SetPen(black);
        for (const auto &polygon : TransitPrintPolygons(m, FValues, FMaxValues))
            c.Polygon(polygon);
    }

    c.SetPen(shadow);
    const std::size_t months = static_cast<std::size_t>(m.Months);
    for (std::size_t k = 0; k < months; ++k) {
        c.MoveTo(m.Ticks[k].X, m.B - 1);
        c.LineTo(m.Ticks[k].X, m.B + m.Ticks[k].Length);
    }
    // Without the highlight column the end tick closes the frame's right edge itself.
    const int endX = m.Ticks[months].X + (FCtl3D ? 0 : 1);
    c.MoveTo(endX, m.B - 1);
    c.LineTo(endX, m.B + FTickSize);
    if (FCtl3D) {
        c.SetPen(highlight);
        for (const TMeterTick &tick : m.Ticks) {
            c.MoveTo(tick.X + 1, m.B - 1);
            c.LineTo(tick.X + 1, m.B + tick.Length);
        }
    }

    c.ClearBrush();
    c.SetPen(transitPrintMode ? black : palette().color(QPalette::Active, QPalette::WindowText));
    for (int y = 0; y <= m.Years; ++y) {
        const TMeterPoint at = m.Labels[static_cast<std::size_t>(y)];
        c.TextOut(at.X, at.Y, QString::fromStdString(YearLabel(FSpan.From + y)));
    }

    // A screen column means nothing on paper.
    if (!transitPrintMode && FCursor > m.L && FCursor < m.Rt) {
        c.SetPen(black);
        c.MoveTo(FCursor, m.B - 1);
        c.LineTo(FCursor, m.T + 1);
    }
    painter.restore();
}

void TTransitMeter::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    PaintMeter(painter, rect(), false);
}

void TTransitMeter::mousePressEvent(QMouseEvent *event) {
    emit MouseDown(event->button(), event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        MoveCursor(event->position().toPoint().x());
}

void TTransitMeter::mouseMoveEvent(QMouseEvent *event) {
    if (event->buttons() == Qt::LeftButton)
        MoveCursor(event->position().toPoint().x());
}

void TTransitMeter::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    emit Resized();
}

} // namespace kyr
