#include "Wheel.h"

#include "BusyCursor.h"
#include "SymbolFonts.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

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
    if (OffScreen()) {
        try {
            PaintOffScreen(painter, rect);
            return;
        } catch (const std::exception &) {
            // Drawn directly below, and from now on until OffScreen is set again.
        }
        SetOffScreen(false);
        Beep();
        // The off-screen layout kept only the sign boundaries, not the sector outlines.
        LayoutFor(ToRectI(rect));
    }
    DrawWheel(painter, rect);
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

void TWheel::mousePressEvent(QMouseEvent *event) {
    const QPoint at = event->position().toPoint();
    FMouseX = at.x();
    FMouseY = at.y();
    QWidget::mousePressEvent(event);
}

} // namespace kyr
