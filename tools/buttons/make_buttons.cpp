// Draws the main window's toolbar bitmaps: for each of the six buttons a normal picture and the
// highlighted one shown under the mouse, 32 x 32 pixels with an alpha channel, as BMP files.
//
//   kyr-make-buttons --output DIR          writes DIR/32Web_1.bmp, DIR/32Web_2.bmp, ...
//   kyr-make-buttons --sheet FILE.png      a contact sheet at 1x and 4x for checking by eye
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QTransform>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Size = 32;

// The two looks of one picture: muted at rest, vivid with a soft backdrop under the mouse.
struct TLook {
    bool Hover;
    QColor Ink;    ///< outlines
    QColor Accent; ///< the main fill
    QColor Warm;   ///< a second fill (sun, pin, bars)
    QColor Light;  ///< pale fills
};

TLook Look(bool hover) {
    if (hover)
        return {true, QColor(0x1d, 0x33, 0x57), QColor(0x1f, 0x78, 0xe0), QColor(0xf0, 0x7d, 0x12),
                QColor(0xe9, 0xf3, 0xff)};
    return {false, QColor(0x3b, 0x47, 0x57), QColor(0x5d, 0x7c, 0xa3), QColor(0xc8, 0x8a, 0x4a),
            QColor(0xf4, 0xf6, 0xf8)};
}

QPen Outline(const TLook &look, qreal width = 1.6) {
    return QPen(look.Ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Backdrop(QPainter &p, const TLook &look) {
    if (!look.Hover)
        return;
    QLinearGradient glow(0, 0, 0, Size);
    glow.setColorAt(0, QColor(0xfd, 0xfe, 0xff));
    glow.setColorAt(1, QColor(0xcf, 0xe3, 0xfb));
    p.setPen(QPen(QColor(0x6f, 0xa5, 0xe6), 1));
    p.setBrush(glow);
    p.drawRoundedRect(QRectF(0.5, 0.5, Size - 1, Size - 1), 5, 5);
}

// Edit name: a person's bust.
void DrawName(QPainter &p, const TLook &look) {
    p.setPen(Outline(look));
    QLinearGradient body(0, 17, 0, 29);
    body.setColorAt(0, look.Accent.lighter(125));
    body.setColorAt(1, look.Accent);
    QPainterPath shoulders;
    shoulders.moveTo(5.5, 28.5);
    shoulders.cubicTo(5.5, 19.5, 10, 17.5, 16, 17.5);
    shoulders.cubicTo(22, 17.5, 26.5, 19.5, 26.5, 28.5);
    shoulders.closeSubpath();
    p.setBrush(body);
    p.drawPath(shoulders);
    QRadialGradient head(14.5, 8, 7);
    head.setColorAt(0, look.Accent.lighter(150));
    head.setColorAt(1, look.Accent.lighter(110));
    p.setBrush(head);
    p.drawEllipse(QPointF(16, 10), 5.8, 6.2);
}

// Here and now: a clock with a place pin.
void DrawHereAndNow(QPainter &p, const TLook &look) {
    const QPointF centre(13.5, 13.5);
    p.setPen(Outline(look));
    p.setBrush(look.Light);
    p.drawEllipse(centre, 10.5, 10.5);
    p.setPen(QPen(look.Ink, 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int h = 0; h < 12; h += 3) {
        const qreal a = h * M_PI / 6;
        p.drawLine(centre + QPointF(std::sin(a) * 8.2, -std::cos(a) * 8.2),
                   centre + QPointF(std::sin(a) * 9.6, -std::cos(a) * 9.6));
    }
    p.setPen(QPen(look.Ink, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -7));
    p.setPen(QPen(look.Accent, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(4.8, 2.2));
    // The pin stands at the lower right, its point on the place.
    QPainterPath pin;
    pin.moveTo(24, 30.5);
    pin.cubicTo(21, 26, 18.2, 23, 18.2, 19.8);
    pin.arcTo(QRectF(18.2, 14, 11.6, 11.6), 180, -180);
    pin.cubicTo(29.8, 23, 27, 26, 24, 30.5);
    p.setPen(QPen(look.Ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient red(18, 14, 30, 30);
    red.setColorAt(0, look.Hover ? QColor(0xff, 0x6a, 0x55) : QColor(0xd5, 0x80, 0x74));
    red.setColorAt(1, look.Hover ? QColor(0xc6, 0x22, 0x1a) : QColor(0x9c, 0x4c, 0x44));
    p.setBrush(red);
    p.drawPath(pin);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(24, 19.8), 2.1, 2.1);
}

// Dynamic analysis: a strength curve over a time axis, as the transit meter draws it.
void DrawDynamic(QPainter &p, const TLook &look) {
    QPainterPath curve;
    curve.moveTo(6, 26);
    curve.cubicTo(9, 26, 10, 9, 14, 9);
    curve.cubicTo(17.5, 9, 17, 19, 20, 19);
    curve.cubicTo(23, 19, 23.5, 13, 25.5, 13);
    curve.cubicTo(27.5, 13, 28, 26, 29, 26);
    QPainterPath area = curve;
    area.lineTo(6, 26);
    QLinearGradient fill(0, 8, 0, 26);
    QColor top = look.Warm;
    top.setAlpha(look.Hover ? 230 : 200);
    QColor bottom = look.Warm.lighter(150);
    bottom.setAlpha(look.Hover ? 120 : 90);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(area);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.Warm.darker(140), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve);
    // Axes and year ticks.
    p.setPen(QPen(look.Ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF axes;
    axes << QPointF(4.5, 4.5) << QPointF(4.5, 27.5) << QPointF(29.5, 27.5);
    p.drawPolyline(axes);
    p.setPen(QPen(look.Ink, 1.1));
    for (qreal x : {12.5, 20.5, 28.5})
        p.drawLine(QPointF(x, 27.5), QPointF(x, 29.5));
}

// Animations: the sun with a planet on its orbit.
void DrawAnimation(QPainter &p, const TLook &look) {
    p.save();
    p.translate(16, 16);
    p.rotate(-22);
    p.setPen(QPen(look.Ink, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 14, 6.5);
    p.restore();
    QRadialGradient sun(14.8, 14.8, 7);
    sun.setColorAt(0, look.Hover ? QColor(0xff, 0xf0, 0x7a) : QColor(0xf2, 0xe2, 0xa0));
    sun.setColorAt(1, look.Warm);
    p.setPen(QPen(look.Warm.darker(140), 1.2));
    p.setBrush(sun);
    p.drawEllipse(QPointF(16, 16), 5.8, 5.8);
    // The planet sits on the orbit in front of the sun.
    const qreal a = 0.55 * M_PI;
    QPointF planet(std::cos(a) * 14, std::sin(a) * 6.5);
    planet = QTransform().rotate(-22).map(planet) + QPointF(16, 16);
    QRadialGradient blue(planet - QPointF(1, 1), 4);
    blue.setColorAt(0, look.Accent.lighter(160));
    blue.setColorAt(1, look.Accent);
    p.setPen(QPen(look.Ink, 1.2));
    p.setBrush(blue);
    p.drawEllipse(planet, 3.6, 3.6);
    // A small play mark.
    QPolygonF play;
    play << QPointF(24, 3.5) << QPointF(30, 7) << QPointF(24, 10.5);
    p.setPen(QPen(look.Ink, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(look.Accent);
    p.drawPolygon(play);
}

// Web site: a globe.
void DrawWeb(QPainter &p, const TLook &look) {
    const QPointF c(16, 16);
    const qreal r = 12.5;
    QRadialGradient sea(12, 11, 16);
    sea.setColorAt(0, look.Accent.lighter(175));
    sea.setColorAt(1, look.Accent.lighter(110));
    p.setPen(Qt::NoPen);
    p.setBrush(sea);
    p.drawEllipse(c, r, r);
    QPainterPath ball;
    ball.addEllipse(c, r, r);
    p.save();
    p.setClipPath(ball);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.Ink, 1.1));
    p.drawEllipse(c, 5.2, r);
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    for (qreal dy : {-6.8, 6.8}) {
        const qreal half = std::sqrt(r * r - dy * dy);
        p.drawLine(QPointF(c.x() - half, c.y() + dy), QPointF(c.x() + half, c.y() + dy));
    }
    p.restore();
    p.setPen(Outline(look));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
}

// Context help: the pointer with a question mark.
void DrawHelp(QPainter &p, const TLook &look) {
    const QPointF c(21, 19.5);
    QRadialGradient disc(c - QPointF(2.5, 3), 11);
    disc.setColorAt(0, look.Accent.lighter(140));
    disc.setColorAt(1, look.Accent);
    p.setPen(QPen(look.Ink, 1.3));
    p.setBrush(disc);
    p.drawEllipse(c, 9.5, 9.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(15);
    QPainterPath mark;
    mark.addText(0, 0, font, QStringLiteral("?"));
    const QRectF box = mark.boundingRect();
    mark.translate(c - box.center());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(mark);
    // The arrow of the mouse pointer, on top at the upper left.
    QPolygonF arrow;
    arrow << QPointF(3, 2.5) << QPointF(3, 18) << QPointF(6.8, 14.4) << QPointF(9.4, 20)
          << QPointF(12, 18.8) << QPointF(9.5, 13.4) << QPointF(14.5, 13.4);
    p.setPen(QPen(look.Ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
}

struct TButton {
    const char *Normal;
    const char *Hover;
    std::function<void(QPainter &, const TLook &)> Draw;
};

const std::vector<TButton> &Buttons() {
    static const std::vector<TButton> buttons{
        {"32Name_1.bmp", "32Name_2.bmp", DrawName},
        {"32Horr_1.bmp", "32Horr_2.bmp", DrawHereAndNow},
        {"32Dynmc1.bmp", "32Dynmc2.bmp", DrawDynamic},
        {"32Vid1.bmp", "32Vid2.bmp", DrawAnimation},
        {"32Web_1.bmp", "32Web_2.bmp", DrawWeb},
        {"32Help_1.bmp", "32Help_2.bmp", DrawHelp},
    };
    return buttons;
}

QImage Render(const TButton &button, bool hover) {
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const TLook look = Look(hover);
    Backdrop(p, look);
    button.Draw(p, look);
    return image;
}

// A 32-bit BMP with a version 5 header and an alpha mask: the picture keeps its soft edges on
// any toolbar colour. Qt's own BMP writer drops the alpha channel.
bool SaveBmpWithAlpha(const QImage &picture, const QString &fileName) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const quint32 headerSize = 124;
    const quint32 pixelBytes = 4u * image.width() * image.height();
    const quint32 offset = 14 + headerSize;
    QByteArray data;
    auto put16 = [&data](quint16 v) { data.append(char(v & 0xff)).append(char(v >> 8)); };
    auto put32 = [&data](quint32 v) {
        for (int shift = 0; shift < 32; shift += 8)
            data.append(char((v >> shift) & 0xff));
    };
    data.append("BM");
    put32(offset + pixelBytes);
    put32(0);
    put32(offset);
    put32(headerSize);
    put32(image.width());
    put32(image.height()); // bottom-up rows
    put16(1);
    put16(32);
    put32(3); // BI_BITFIELDS
    put32(pixelBytes);
    put32(2835); // 72 dpi
    put32(2835);
    put32(0);
    put32(0);
    put32(0x00ff0000); // red, green, blue and alpha masks
    put32(0x0000ff00);
    put32(0x000000ff);
    put32(0xff000000);
    put32(0x73524742);                      // "sRGB"
    data.append(QByteArray(36 + 12, '\0')); // end points and gamma, unused for sRGB
    put32(4);                               // intent: perceptual
    put32(0);
    put32(0);
    put32(0);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            put32(row[x]); // ARGB32 is not premultiplied: 0xAARRGGBB
    }
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

int WriteButtons(const QString &directory) {
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(directory));
        return 1;
    }
    for (const TButton &b : Buttons())
        for (bool hover : {false, true}) {
            const QString file =
                QDir(directory).filePath(QLatin1String(hover ? b.Hover : b.Normal));
            if (!SaveBmpWithAlpha(Render(b, hover), file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    return 0;
}

// Every picture at toolbar size on two backgrounds, and enlarged four times; read back from
// the written files, so that the sheet shows what the program loads.
int WriteSheet(const QString &file) {
    QTemporaryDir directory;
    if (!directory.isValid() || WriteButtons(directory.path()) != 0)
        return 1;
    const int n = static_cast<int>(Buttons().size());
    const int zoom = 4;
    const int cell = Size * zoom + 16;
    QImage sheet(n * cell + 16, 2 * cell + 2 * 48 + 24, QImage::Format_RGB32);
    sheet.fill(QColor(0xef, 0xef, 0xef));
    QPainter p(&sheet);
    p.fillRect(0, 48, sheet.width(), 48, QColor(0x30, 0x30, 0x30));
    for (int i = 0; i < n; ++i)
        for (bool hover : {false, true}) {
            const TButton &b = Buttons()[i];
            const QImage image(
                QDir(directory.path()).filePath(QLatin1String(hover ? b.Hover : b.Normal)));
            const int x = 16 + i * 44 + (hover ? 6 * 44 : 0);
            p.drawImage(x, 8, image);
            p.drawImage(x, 56, image);
            p.drawImage(8 + i * cell, 104 + (hover ? cell : 0),
                        image.scaled(Size * zoom, Size * zoom, Qt::IgnoreAspectRatio,
                                     Qt::FastTransformation));
        }
    p.end();
    return sheet.save(file) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    // Text is drawn, which needs a GUI application, but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--output"))
        return WriteButtons(args[2]);
    if (args.size() == 3 && args[1] == QLatin1String("--sheet"))
        return WriteSheet(args[2]);
    std::fprintf(stderr, "usage: kyr-make-buttons --output DIR | --sheet FILE.png\n");
    return 2;
}
