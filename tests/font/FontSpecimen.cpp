// Writes a specimen sheet of "KYR Sans Serif" as a PNG, for looking at the glyphs:
//     font_specimen SHEET.png [PROGRAM_DIR]
// Every symbol code 0..37 with its name, in both faces at 12, 16, 24 and 48 pixels (the largest
// over the baseline and the middle of the capitals), then text as the tables mix it, and signs
// and bodies centred in circles the way the wheel centres them.
#include "Glyphs.h"
#include "Language.h"
#include "ProgramDirectory.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <cstdio>

namespace {

const QString Family = QStringLiteral("KYR Sans Serif");
const int Sizes[] = {12, 16, 24, 48};
const int RowHeight = 72;
const int LabelWidth = 190;

QFont SymbolFont(int pixels, bool bold) {
    QFont font(Family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QString Text(const std::string &utf8) {
    return QString::fromStdString(utf8);
}

// One face at the four sizes, starting at x; returns the x after it.
int DrawSizes(QPainter &painter, int x, int baseline, const QString &glyph, bool bold) {
    for (int pixels : Sizes) {
        const QFont font = SymbolFont(pixels, bold);
        if (pixels == 48) {
            const int middle = baseline - qRound(QRawFont::fromFont(font).capHeight() / 2);
            painter.setPen(QColor(170, 200, 255));
            painter.drawLine(x - 4, baseline, x + 84, baseline);
            painter.setPen(QColor(255, 180, 180));
            painter.drawLine(x - 4, middle, x + 84, middle);
        }
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(x, baseline, glyph);
        x += pixels * 2 + 14;
    }
    return x + 24;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: font_specimen SHEET.png [PROGRAM_DIR]\n");
        return 2;
    }
    const QString directory =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(KYR_FONT_DIR);
    for (const char *file : {"KYRS.TTF", "KYRSS.TTF"})
        if (QFontDatabase::addApplicationFont(directory + "/" + file) < 0) {
            std::fprintf(stderr, "font_specimen: cannot load %s/%s\n", qPrintable(directory), file);
            return 1;
        }

    // The names come from the English texts beside the fonts, when they are there.
    kyr::SetProgramDirectory(directory.toStdString());
    kyr::TLanguage language;
    language.SetCountry("UK");
    language.SetActive(true);

    const int symbols = 38;
    const int mixedLines = 12 + 2;
    const int textColumn = 400; // room for a 24 px line of the mixed text
    const int width = LabelWidth + 2 * textColumn;
    const int height = 40 + symbols * RowHeight + 40 + mixedLines * 30 + 240;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont labelFont(QStringLiteral("DejaVu Sans"), 9);

    painter.setFont(labelFont);
    painter.drawText(
        8, 24,
        QStringLiteral("KYR Sans Serif: code, name; regular, then bold, at 12, 16, 24, 48 px"));
    int y = 40;
    for (int code = 0; code < symbols; ++code, y += RowHeight) {
        const int baseline = y + RowHeight - 14;
        const QString glyph = Text(language.SymbolGlyph(code));
        painter.setFont(labelFont);
        painter.setPen(Qt::darkGray);
        const char32_t c = glyph.toUcs4().value(0);
        painter.drawText(8, baseline - 16, QString::asprintf("%2d  U+%04X", code, unsigned(c)));
        painter.drawText(8, baseline, Text(language.SymbolName(code)));
        const int x = DrawSizes(painter, LabelWidth, baseline, glyph, false);
        DrawSizes(painter, x, baseline, glyph, true);
    }

    // Text as the position and cusp tables mix it, in both faces.
    y += 30;
    for (int b = 0; b < 12; ++b, y += 30) {
        const QString line = Text(language.BodyGlyph(b)) + " 12.34 " + Text(language.SignGlyph(b)) +
                             " " + Text(language.SymbolGlyph(37)) + "  " + QString::number(b + 1) +
                             "   " + Text(language.CuspGlyph(b + 1)) + " " +
                             Text(language.AspectGlyph(b)) + " Aa";
        for (int face = 0; face < 2; ++face) {
            painter.setFont(SymbolFont(b % 3 == 0 ? 12 : b % 3 == 1 ? 16 : 24, face == 1));
            painter.drawText(LabelWidth + face * textColumn, y, line);
        }
    }
    QString aspects;
    for (int e = 0; e <= 12; ++e)
        aspects += Text(language.AspectGlyph(e)) + " ";
    for (int face = 0; face < 2; ++face) {
        painter.setFont(SymbolFont(16, face == 1));
        painter.drawText(LabelWidth + face * textColumn, y, aspects);
    }
    y += 40;

    // The wheel window's font, 11 px bold, and a larger one, centred as the wheel centres text:
    // (x - width / 2, y - height / 2) is the top left of the text.
    for (int row = 0; row < 4; ++row, y += 50) {
        const int pixels = row < 2 ? 11 : 16;
        const bool signs = row % 2 == 0;
        const QFont font = SymbolFont(pixels, true);
        const QFontMetrics metrics(font);
        painter.setFont(labelFont);
        painter.setPen(Qt::darkGray);
        painter.drawText(8, y + 28,
                         QStringLiteral("wheel, %1 px bold, %2")
                             .arg(pixels)
                             .arg(signs ? QStringLiteral("signs") : QStringLiteral("bodies")));
        painter.setFont(font);
        for (int i = 0; i < 12; ++i) {
            const QPoint centre(LabelWidth + 20 + i * 44, y + 24);
            painter.setPen(QColor(200, 200, 200));
            painter.drawEllipse(centre, 17, 17);
            painter.drawLine(centre.x() - 17, centre.y(), centre.x() + 17, centre.y());
            const QString glyph = Text(signs ? language.SignGlyph(i) : language.BodyGlyph(i));
            const int w = metrics.horizontalAdvance(glyph), h = metrics.height();
            painter.setPen(Qt::black);
            painter.drawText(QRect(centre.x() - w / 2, centre.y() - h / 2, w, h),
                             Qt::AlignLeft | Qt::AlignTop, glyph);
        }
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "font_specimen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
