// Rendering meters into images and reading their pixels.
#pragma once

#include "TransitMeter.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <ostream>

namespace kyr::test {

/// What the meters never paint: any pixel still this colour was left alone.
inline const QColor Untouched{10, 200, 10};

/// A colour as an image pixel holds it, so that it compares equal to one read back.
inline QColor Opaque(const QColor &color) {
    return QColor::fromRgb(color.rgb());
}

inline QImage BlankImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Untouched);
    return image;
}

/// The meter painted as its widget paints itself, and the layout it was painted with.
struct TRendered {
    QImage Image;
    TTransitLayout Layout;
    QColor At(int x, int y) const { return QColor::fromRgb(Image.pixel(x, y)); }
};

inline TTransitLayout LayoutFor(TTransitMeter &meter, QPainter &painter, const QRect &rect) {
    painter.setFont(meter.font());
    const QFontMetrics metrics = painter.fontMetrics();
    return LayoutTransitMeter(
        {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()},
        metrics.horizontalAdvance(QStringLiteral("00")), metrics.height(), meter.TickSize(),
        {meter.FromYear(), meter.ToYear()});
}

inline TRendered RenderScreen(TTransitMeter &meter) {
    TRendered r{BlankImage(meter.width(), meter.height()), {}};
    QPainter painter(&r.Image);
    r.Layout = LayoutFor(meter, painter, meter.rect());
    meter.PaintMeter(painter, meter.rect(), false);
    return r;
}

/// The meter drawn through its picture into a page-sized image.
inline TRendered RenderPicture(TTransitMeter &meter, const QSize &page, const QRect &target) {
    TRendered r{BlankImage(page.width(), page.height()), {}};
    QPainter painter(&r.Image);
    r.Layout = LayoutFor(meter, painter, target);
    meter.Picture().Draw(painter, target);
    return r;
}

} // namespace kyr::test

QT_BEGIN_NAMESPACE
inline void PrintTo(const QColor &c, std::ostream *os) {
    *os << c.name().toStdString();
}
QT_END_NAMESPACE
