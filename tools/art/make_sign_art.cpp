// Draws the twelve sign pictures that a double-click in the wheel shows: the sign's glyph
// from our symbol font on a soft background in the colour of its element, with its name,
// element, quality and dates, inside a ring of the twelve glyphs. Each picture is written
// twice: SIGNnn.BMP in true colour and SIGNnnx.BMP with a 256-colour palette.
//
//   make_sign_art --font KYRS.TTF --output ART
#include "Glyphs.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

struct TSignArt {
    const char *Name;
    const char *Dates;
    int Element; // 0 fire, 1 earth, 2 air, 3 water
    const char *Quality;
};

constexpr TSignArt Signs[12] = {
    {"Aries", "21 March – 19 April", 0, "Cardinal"},
    {"Taurus", "20 April – 20 May", 1, "Fixed"},
    {"Gemini", "21 May – 20 June", 2, "Mutable"},
    {"Cancer", "21 June – 22 July", 3, "Cardinal"},
    {"Leo", "23 July – 22 August", 0, "Fixed"},
    {"Virgo", "23 August – 22 September", 1, "Mutable"},
    {"Libra", "23 September – 22 October", 2, "Cardinal"},
    {"Scorpio", "23 October – 21 November", 3, "Fixed"},
    {"Sagittarius", "22 November – 21 December", 0, "Mutable"},
    {"Capricorn", "22 December – 19 January", 1, "Cardinal"},
    {"Aquarius", "20 January – 18 February", 2, "Fixed"},
    {"Pisces", "19 February – 20 March", 3, "Mutable"},
};

struct TElement {
    const char *Name;
    QColor Light; // the background's centre
    QColor Soft;  // the background's edge
    QColor Deep;  // glyph and lettering
};

const TElement Elements[4] = {
    {"Fire", QColor(255, 246, 232), QColor(246, 196, 150), QColor(176, 58, 32)},
    {"Earth", QColor(246, 248, 234), QColor(196, 214, 160), QColor(70, 104, 38)},
    {"Air", QColor(250, 250, 240), QColor(236, 222, 160), QColor(150, 110, 20)},
    {"Water", QColor(238, 246, 252), QColor(160, 198, 228), QColor(30, 76, 140)},
};

constexpr int Width = 480;
constexpr int Height = 400;

QString Glyph(int sign) {
    const char32_t code = kyr::SymbolFontCodePoint(kyr::SignGlyphCodes[sign]);
    return QString::fromUcs4(&code, 1);
}

// Text centred on (x, y) in font.
void CentredText(QPainter &p, const QFont &font, QPointF c, const QString &text) {
    p.setFont(font);
    const QFontMetricsF m(font);
    p.drawText(QPointF(c.x() - m.horizontalAdvance(text) / 2, c.y() - m.height() / 2 + m.ascent()),
               text);
}

QImage Draw(int sign, const QString &symbolFamily) {
    const TSignArt &art = Signs[sign];
    const TElement &element = Elements[art.Element];
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QRadialGradient background(QPointF(Width / 2.0, Height * 0.42), Width * 0.75);
    background.setColorAt(0, element.Light);
    background.setColorAt(1, element.Soft);
    p.fillRect(image.rect(), background);

    // The zodiac ring: the twelve glyphs around, this sign's at the top in full colour.
    const QPointF centre(Width / 2.0, Height * 0.40);
    const double ring = Height * 0.33;
    QColor faint = element.Deep;
    faint.setAlpha(70);
    p.setPen(QPen(faint, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, ring + 17, ring + 17);
    p.drawEllipse(centre, ring - 17, ring - 17);
    QFont small(symbolFamily);
    small.setPixelSize(20);
    for (int k = 0; k < 12; ++k) {
        const int shown = (sign + k) % 12;
        // Counter-clockwise from the top, as the signs follow each other in the wheel.
        const double a = std::numbers::pi / 2 + k * std::numbers::pi / 6;
        const QPointF at(centre.x() + ring * std::cos(a), centre.y() - ring * std::sin(a));
        p.setPen(k == 0 ? element.Deep : faint);
        CentredText(p, small, at, Glyph(shown));
    }

    // The glyph on a pale disc with a soft shadow.
    const double disc = ring - 30;
    QRadialGradient shade(centre + QPointF(4, 6), disc + 10);
    shade.setColorAt(0.85, QColor(0, 0, 0, 40));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(centre + QPointF(4, 6), disc + 10, disc + 10);
    QRadialGradient face(centre - QPointF(disc / 3, disc / 3), disc * 1.6);
    face.setColorAt(0, QColor(255, 255, 255));
    face.setColorAt(1, element.Light);
    p.setBrush(face);
    p.setPen(QPen(element.Deep, 2));
    p.drawEllipse(centre, disc, disc);
    QFont big(symbolFamily);
    big.setPixelSize(static_cast<int>(disc * 1.25));
    p.setPen(element.Deep);
    CentredText(p, big, centre, Glyph(sign));

    // Name, element and quality, dates.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(34);
    title.setBold(true);
    CentredText(p, title, QPointF(Width / 2.0, Height * 0.855), QString::fromLatin1(art.Name));
    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(14);
    QColor soft = element.Deep;
    soft.setAlpha(200);
    p.setPen(soft);
    CentredText(p, line, QPointF(Width / 2.0, Height * 0.935),
                QString::fromLatin1(element.Name) + QString::fromUtf8("  \u00b7  ") +
                    QString::fromLatin1(art.Quality) + QString::fromUtf8("  \u00b7  ") +
                    QString::fromUtf8(art.Dates));
    return image;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QString fontFile, output;
    const QStringList args = application.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--font")
            fontFile = args[i + 1];
        else if (args[i] == "--output")
            output = args[i + 1];
    }
    if (fontFile.isEmpty() || output.isEmpty()) {
        std::fprintf(stderr, "usage: make_sign_art --font KYRS.TTF --output DIRECTORY\n");
        return 2;
    }
    const int id = QFontDatabase::addApplicationFont(fontFile);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "make_sign_art: cannot load %s\n", qPrintable(fontFile));
        return 1;
    }
    QDir().mkpath(output);
    for (int sign = 0; sign < 12; ++sign) {
        const QImage image = Draw(sign, families.first());
        const QString base =
            QStringLiteral("%1/SIGN%2").arg(output).arg(sign + 1, 2, 10, QChar('0'));
        if (!image.save(base + ".BMP", "BMP") ||
            !image.convertToFormat(QImage::Format_Indexed8).save(base + "x.BMP", "BMP")) {
            std::fprintf(stderr, "make_sign_art: cannot write %s\n", qPrintable(base));
            return 1;
        }
    }
    return 0;
}
