#include "Wheel.h"

#include "BusyCursor.h"
#include "Glyphs.h"
#include "SymbolFonts.h"
#include "WheelArrowhead.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <cmath>
#include <stdexcept>

namespace kyr {

TWheel::TWheel(QWidget *parent)
    : QWidget(parent), TWheelModel({0, 0, 65, 65}), FColor(palette().color(QPalette::Window)),
      FPicture([this](QPainter &painter, const QRect &rect) {
          LayoutWheel(ToRectI(rect));
          DrawWheel(painter, rect);
      }) {
    resize(65, 65);
    setFont(SymbolFont());
}

void TWheel::SetBW(bool value) {
    if (value == FBW)
        return;
    FBW = value;
    update();
}

void TWheel::SetOpaque(bool value) {
    FOpaque = value;
    // An opaque wheel covers everything behind it, so Qt need not paint that first.
    setAttribute(Qt::WA_OpaquePaintEvent, value);
    update();
}

void TWheel::SetColor(const QColor &value) {
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TWheel::SetShowPosition(bool value) {
    if (value == FShowPosition)
        return;
    FShowPosition = value;
    update();
}

TWheelPaintOptions TWheel::PaintOptions(const QRect &rect) const {
    TWheelPaintOptions options;
    options.BW = FBW;
    options.PrintMode = WheelPrintMode();
    options.ShowPosition = FShowPosition;
    options.ShowAspects = ShowAspects();
    options.OffScreen = OffScreen();
    options.BodiesReady = HoroscopeReady();
    options.PartnerReady = PartnerReady();
    options.Opaque = FOpaque;
    options.Color = FColor;
    options.Rect = rect;
    options.Font = font();
    return options;
}

void TWheel::DrawWheel(QPainter &painter, const QRect &rect) {
    TBusyScope busy;
    PaintWheel(painter, Geometry(), PaintOptions(rect));
}

void TWheel::paintEvent(QPaintEvent *) {
    const QRect rect(0, 0, width(), height());
    LayoutFor(ToRectI(rect));
    QPainter painter(this);
    bool painted = false;
    if (OffScreen()) {
        try {
            PaintOffScreen(painter, rect);
            painted = true;
        } catch (const std::exception &) {
            // Drawn directly below, and from now on until OffScreen is set again.
        }
        if (!painted) {
            SetOffScreen(false);
            Beep();
            // The off-screen layout kept only the sign boundaries, not the sector outlines.
            LayoutFor(ToRectI(rect));
        }
    }
    if (!painted)
        DrawWheel(painter, rect);
    // The normal look is the wheel itself, so only a blinking highlight is drawn over it.
    if (FBlinking)
        PaintHighlight(painter);
}

void TWheel::PaintOffScreen(QPainter &painter, const QRect &rect) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(rect.width() * ratio)),
                       static_cast<int>(std::ceil(rect.height() * ratio)));
    QImage bitmap = CreateOffScreenBitmap(pixels);
    if (bitmap.isNull())
        throw std::runtime_error("the off-screen bitmap cannot be created");
    bitmap.setDevicePixelRatio(ratio);
    // A transparent wheel lets what lies behind it show through the bitmap's clear pixels.
    bitmap.fill(Qt::transparent);
    {
        QPainter offScreen(&bitmap);
        DrawWheel(offScreen, rect);
    }
    painter.drawImage(QPoint(0, 0), bitmap);
}

QImage TWheel::CreateOffScreenBitmap(const QSize &size) {
    return QImage(size, QImage::Format_ARGB32_Premultiplied);
}

void TWheel::Beep() {
    QApplication::beep();
}

namespace {

QLine ToLine(const TSegmentI &s) {
    return {s.X1, s.Y1, s.X2, s.Y2};
}

// Text centred on c in font at the given cell height, as the wheel writes its labels.
void CentredText(QPainter &painter, const QFont &base, int cellHeight, TPointI c,
                 const QString &text) {
    const QFont font = FontOfCellHeight(base, cellHeight, painter.device());
    const QFontMetricsF metrics(font, painter.device());
    const int width = static_cast<int>(std::lround(metrics.horizontalAdvance(text)));
    const int height = static_cast<int>(std::lround(metrics.height()));
    painter.setFont(font);
    painter.drawText(QPointF(c.X - width / 2, c.Y - height / 2 + metrics.ascent()), text);
}

QString GlyphText(int code) {
    return QString::fromStdString(SymbolFontText(static_cast<std::uint8_t>(code)));
}

TWheelPressKind PressKind(const QMouseEvent &event) {
    if (event.modifiers() != Qt::NoModifier || event.buttons() != event.button())
        return TWheelPressKind::Other;
    if (event.button() == Qt::LeftButton)
        return TWheelPressKind::LeftAlone;
    if (event.button() == Qt::RightButton)
        return TWheelPressKind::RightAlone;
    return TWheelPressKind::Other;
}

} // namespace

void TWheel::mousePressEvent(QMouseEvent *event) {
    QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    FMouseX = at.x();
    FMouseY = at.y();
    SetBlinking(false);
    if (!OnMouseHit)
        return;
    // A press may come before the first paint at this size.
    LayoutFor(ToRectI(rect()));
    TWheelHitContext context;
    context.Geometry = &Geometry();
    context.Angles = &Angles();
    context.ShowAspects = ShowAspects();
    context.Related = RelationWheel() != nullptr;
    context.BodiesShown = HoroscopeReady();
    const TWheelPressResult result =
        PressWheel(context, FMouseX, FMouseY, PressKind(*event), FSelection);
    // Hits are raised before the highlight starts; a miss or a right click comes last.
    const auto isHit = [](const TWheelHit &e) {
        return e.Type != TWheelHitType::htNothing && e.Type != TWheelHitType::htRightClick;
    };
    for (const TWheelHit &e : result.Events)
        if (isHit(e))
            OnMouseHit(*this, e.Type, e.Ref);
    if (result.Hit)
        SetBlinking(true);
    for (const TWheelHit &e : result.Events)
        if (!isHit(e))
            OnMouseHit(*this, e.Type, e.Ref);
}

void TWheel::SelectItem(bool clear, TWheelHitType kind, int ref) {
    if (clear)
        SetBlinking(false);
    if (kind == TWheelHitType::htBody) {
        // The new body starts its blink with the others in the normal look.
        FPhase = false;
        if (!FSelection.Bodies.empty())
            update();
    }
    if (SelectWheelItem(FSelection, kind, ref, ShowAspects(), Geometry().Chords))
        SetBlinking(true);
}

void TWheel::SetBlinking(bool on) {
    if (on == FBlinking)
        return;
    if (on) {
        FPhase = true;
        FBlinkTimer = new QTimer(this);
        FBlinking = true;
        update();
        connect(FBlinkTimer, &QTimer::timeout, this, [this] {
            FPhase = !FPhase;
            update();
        });
        FBlinkTimer->start(500);
    } else {
        FBlinking = false;
        FPhase = false;
        FSelection.Clear();
        update();
        FBlinkTimer->stop();
        delete FBlinkTimer;
        FBlinkTimer = nullptr;
    }
}

int TWheel::ChartAtPoint(int x, int y) const {
    if (!DualMode())
        return 1;
    const TWheelGeometry &g = Geometry();
    const int d = 2 * static_cast<int>(std::trunc(std::hypot(x - g.Centre.X, y - g.Centre.Y)));
    return d < g.MiddleCircle.Right - g.MiddleCircle.Left ? 2 : 1;
}

void TWheel::PaintHighlight(QPainter &painter) {
    if (!HoroscopeReady())
        return;
    const TWheelGeometry &g = Geometry();
    const TWheelSelection &s = FSelection;
    const QColor colour = FPhase ? Qt::black : Qt::white;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 1));
    if (s.House >= 1 && s.House <= 12 && !g.Dual)
        CentredText(painter, font(), g.FontHeights.HouseNumber, g.HouseLabels[s.House].Centre,
                    QString::fromStdString(g.HouseLabels[s.House].Text));
    painter.setPen(QPen(colour, 2));
    for (const int b : s.Bodies) {
        if (b < 1 || b > BodyCount)
            continue;
        const int height = b >= 11 ? g.FontHeights.NodeGlyph : g.FontHeights.BodyGlyph;
        CentredText(painter, font(), height, g.Bodies[b].Centre, GlyphText(g.Bodies[b].Glyph));
        painter.drawLine(ToLine(g.Bodies[b].Tick));
    }
    painter.setPen(QPen(colour, 1));
    if (s.Sign >= 1 && s.Sign <= 12)
        CentredText(painter, font(), g.FontHeights.SignGlyph, g.Signs[s.Sign].Centre,
                    GlyphText(g.Signs[s.Sign].Glyph));
    if (s.Cusp >= 1 && s.Cusp <= 12)
        painter.drawLine(ToLine(g.CuspLines[s.Cusp]));
    if (s.Axis >= 1 && s.Axis <= 4) {
        painter.setPen(QPen(colour, 2));
        painter.drawLine(ToLine(g.Axes[s.Axis]));
        if (s.Axis == 1 || s.Axis == 4) {
            if (const auto arcs = ArrowheadArcs(g.Axes[s.Axis]))
                for (const TArrowArc &arc : *arcs)
                    painter.drawArc(QRect(arc.Bounds.Left, arc.Bounds.Top,
                                          arc.Bounds.Right - arc.Bounds.Left,
                                          arc.Bounds.Bottom - arc.Bounds.Top),
                                    static_cast<int>(std::lround(arc.StartDegrees * 16)),
                                    static_cast<int>(std::lround(arc.SpanDegrees * 16)));
        }
        painter.setPen(QPen(colour, 1));
    }
    if (s.Aspect >= 1 && s.Aspect <= static_cast<int>(g.Chords.size()))
        painter.drawLine(ToLine(g.Chords[s.Aspect - 1].Line));
    painter.restore();
}

} // namespace kyr
