// The generated symbol font as Qt draws it: both files are faces of "KYR Sans Serif", every
// character the glyph look-ups hand out draws a glyph of its own, the symbols are one size on one
// middle line, and letters and digits are DejaVu's.
#include "LookupGlyphs.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const QString Family = QStringLiteral("KYR Sans Serif");

struct TFace {
    const char *File;
    const char *DejaVuFile; // the face its letters come from
    const char *Style;
    bool Bold;
};

const TFace Faces[] = {
    {"KYRS.TTF", "DejaVuSans.ttf", "Regular", false},
    {"KYRSS.TTF", "DejaVuSans-Bold.ttf", "Bold", true},
};

QString FontPath(const TFace &face) {
    return QStringLiteral(KYR_FONT_DIR "/") + face.File;
}

// Registered once for the whole run, before any test; the registration test reads the results.
std::vector<int> RegisteredIds;

class TRegisterFonts : public ::testing::Environment {
public:
    void SetUp() override {
        for (const TFace &face : Faces)
            RegisteredIds.push_back(QFontDatabase::addApplicationFont(FontPath(face)));
    }
};

std::string Hex(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// The face as the program asks for it, but without Qt's fallback to other fonts: a character
// the font lacks then shows as the font's own box.
QFont SymbolFont(const TFace &face, int pixels) {
    QFont font(Family);
    font.setPixelSize(pixels);
    font.setBold(face.Bold);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

// Outlines without hinting, so that two files with the same outlines compare equal.
QRawFont Outlines(const QString &path) {
    return QRawFont(path, 2048, QFont::PreferNoHinting);
}

QImage Render(const QFont &font, const QString &text) {
    const int pixels = font.pixelSize();
    QImage image(pixels * 3, pixels * 3, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(pixels / 2, pixels * 2), text);
    return image;
}

QImage Render(const QFont &font, char32_t c) {
    return Render(font, QString::fromUcs4(&c, 1));
}

int InkedPixels(const QImage &image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            count += line[x] < 160;
    }
    return count;
}

quint32 GlyphIndex(const QRawFont &font, char32_t c) {
    const QList<quint32> indexes = font.glyphIndexesForString(QString::fromUcs4(&c, 1));
    return indexes.size() == 1 ? indexes[0] : 0;
}

TEST(SymbolFont, FilesAreTheTwoFacesOfOneFamily) {
    ASSERT_EQ(RegisteredIds.size(), std::size(Faces));
    for (std::size_t i = 0; i < std::size(Faces); ++i) {
        const TFace &face = Faces[i];
        SCOPED_TRACE(face.File);
        ASSERT_GE(RegisteredIds[i], 0) << "Qt refuses " << FontPath(face).toStdString();
        EXPECT_EQ(QFontDatabase::applicationFontFamilies(RegisteredIds[i]), QStringList{Family});
        const QRawFont raw(FontPath(face), 16);
        EXPECT_EQ(raw.familyName(), Family);
        EXPECT_EQ(raw.styleName(), face.Style);
        EXPECT_EQ(raw.weight(), face.Bold ? QFont::Bold : QFont::Normal);
        // Asking for bold finds the bold file rather than thickening the regular one.
        EXPECT_EQ(QFontInfo(SymbolFont(face, 16)).styleName(), face.Style);
    }
}

TEST(SymbolFont, EveryLookupGlyphDraws) {
    const std::vector<TLookupGlyph> glyphs = LookupGlyphs();
    // The symbols, "#", "?" and the digits of the other cusps.
    ASSERT_GT(glyphs.size(), 38u);
    const char32_t absent = 0xE000;
    for (const TFace &face : Faces) {
        const QRawFont raw(FontPath(face), 16);
        ASSERT_FALSE(raw.supportsCharacter(absent));
        for (int pixels : {12, 24}) {
            const QFont font = SymbolFont(face, pixels);
            const QImage box = Render(font, absent);
            for (const TLookupGlyph &glyph : glyphs) {
                SCOPED_TRACE(std::string(face.File) + " " + std::to_string(pixels) + " px, " +
                             glyph.Source + " = " + Hex(glyph.CodePoint));
                EXPECT_TRUE(raw.supportsCharacter(glyph.CodePoint)) << "not in the font";
                const QImage image = Render(font, glyph.CodePoint);
                EXPECT_GT(InkedPixels(image), 2) << "draws nothing";
                EXPECT_TRUE(image != box) << "draws the box of a missing glyph";
            }
        }
    }
}

// Code that writes QChar(code) gets the same glyph as the look-ups; only the quincunx's code,
// U+00AD, is one Qt does not draw, which is why the look-ups hand out the private-use copies.
TEST(SymbolFont, LatinCodesAreTheSymbolsToo) {
    const std::vector<std::uint8_t> codes = SymbolCodes();
    ASSERT_EQ(codes.size(), 38u);
    for (const TFace &face : Faces) {
        const QRawFont raw = Outlines(FontPath(face));
        const QFont font = SymbolFont(face, 24);
        std::vector<QPainterPath> shapes;
        for (std::uint8_t code : codes) {
            const char32_t copy = 0xF000 + code;
            SCOPED_TRACE(std::string(face.File) + " code " + Hex(code));
            const quint32 index = GlyphIndex(raw, copy);
            EXPECT_NE(index, 0u) << "no glyph";
            EXPECT_EQ(GlyphIndex(raw, code), index) << "two different glyphs";
            if (code != 0xAD)
                EXPECT_TRUE(Render(font, code) == Render(font, copy)) << "drawn differently";
            shapes.push_back(raw.pathForGlyph(index));
        }
        // No two symbols share a shape (a symbol put at the wrong code would).
        for (std::size_t i = 0; i < shapes.size(); ++i)
            for (std::size_t j = i + 1; j < shapes.size(); ++j)
                EXPECT_TRUE(shapes[i] != shapes[j])
                    << face.File << ": codes " << Hex(codes[i]) << " and " << Hex(codes[j]);
    }
}

// The wheel centres a glyph by the font's line box, and tables set symbols next to digits: every
// symbol is centred on the middle of the capitals, no taller than a capital and not tiny.
TEST(SymbolFont, SymbolsShareOneSizeAndMiddle) {
    for (const TFace &face : Faces) {
        const QRawFont raw = Outlines(FontPath(face)); // one pixel is one font unit
        const qreal cap = raw.capHeight();
        ASSERT_GT(cap, 1000);
        for (std::uint8_t code : SymbolCodes()) {
            SCOPED_TRACE(std::string(face.File) + " code " + Hex(code));
            const QRectF box = raw.pathForGlyph(GlyphIndex(raw, code)).boundingRect();
            // Qt's y grows downwards from the baseline.
            EXPECT_NEAR(-box.center().y(), cap / 2, 0.01 * raw.unitsPerEm());
            EXPECT_LE(box.height(), cap + 0.01 * raw.unitsPerEm());
            EXPECT_GE(box.height(), 0.6 * cap);
            EXPECT_LE(box.width(), raw.unitsPerEm());
        }
    }
}

// Position texts and house numbers are written in the symbol font, so everything that is not a
// symbol keeps DejaVu's outline and advance.
TEST(SymbolFont, LettersAndDigitsAreDejaVus) {
    for (const TFace &face : Faces) {
        const QRawFont font = Outlines(FontPath(face));
        const QRawFont dejavu = Outlines(QStringLiteral(KYR_DEJAVU_DIR "/") + face.DejaVuFile);
        ASSERT_TRUE(dejavu.isValid()) << face.DejaVuFile;
        const std::vector<std::uint8_t> symbols = SymbolCodes();
        for (char32_t c = 0x21; c <= 0xFF; ++c) {
            if ((c >= 0x7F && c <= 0xA0) ||
                std::find(symbols.begin(), symbols.end(), c) != symbols.end())
                continue;
            SCOPED_TRACE(std::string(face.File) + " " + Hex(c));
            const quint32 ours = GlyphIndex(font, c), theirs = GlyphIndex(dejavu, c);
            ASSERT_NE(ours, 0u) << "missing";
            EXPECT_TRUE(font.pathForGlyph(ours) == dejavu.pathForGlyph(theirs)) << "outline";
            EXPECT_TRUE(font.advancesForGlyphIndexes(QList<quint32>{ours}) ==
                        dejavu.advancesForGlyphIndexes(QList<quint32>{theirs}))
                << "advance";
        }
    }
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TRegisterFonts);
    return RUN_ALL_TESTS();
}
