// A fixed chart for the rendering tests and the probes that read a rendered wheel's pixels.
#pragma once

#include "BusyCursor.h"
#include "Ephemeris.h"
#include "ProgramDirectory.h"
#include "SymbolFonts.h"
#include "SyntheticEphemeris.h"
#include "Wheel.h"
#include "WheelTestHelpers.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

namespace kyr::test {

/// The Ascendant at 10 degrees Aries with equal houses: the cusps and axes lie at wheel angles
/// 180 + 30 k degrees, and sign i runs counter-clockwise from FixedSignStart(i), so that no
/// sign boundary hides under an axis. Every body stands in the middle of a house, far from
/// cusps and neighbours (all on level 1).
inline constexpr Extended FixedAscendant = 10;
inline const TTwelve FixedBodies = {25, 205, 55, 85, 115, 145, 175, 235, 265, 295, 325, 355};
/// Wheel angle in degrees where sign i (1..12) begins.
inline double FixedSignStart(int i) {
    return 180 - static_cast<double>(FixedAscendant) + 30 * (i - 1);
}

/// The chords of the fixed chart: body points with their aspect numbers.
struct TFixedChord {
    int Point1;
    int Point2;
    int AspectNumber;
};
inline constexpr TFixedChord FixedChords[] = {
    {1, 2, 12}, // Sun - Moon, opposition
    {1, 6, 8},  // Sun - Jupiter, trine
    {1, 7, 10}, // Sun - Saturn, quincunx
};

/// The test programs' horoscopes become ready on a small synthetic ephemeris; their charts
/// are then set by hand.
class WheelRendering : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The fonts lie beside the test program, which is the default program directory.
        ASSERT_TRUE(RegisterSymbolFonts()) << "no symbol font in " << ProgramDirectory();
        Directory = ScratchDirectory("wheel-render");
        WriteSyntheticEphemeris(Directory, 6000, UniformSample);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(Directory); }
    void SetUp() override {
        UseEphemerisIn(Directory);
    }
    void TearDown() override {
        UseEphemerisIn({});
    }

    /// Active, with the given Ascendant, bodies and chords.
    static void MakeChart(THoroscope &h, Extended ascendant = FixedAscendant,
                          const TTwelve &bodies = FixedBodies) {
        h.SetActive(true);
        ASSERT_TRUE(h.Active());
        SetCusps(h, EqualCusps(ascendant));
        SetBodies(h, bodies);
        h.AspectCount = 0;
        for (const TFixedChord &c : FixedChords)
            h.Aspects[h.AspectCount++] = {c.Point1, c.Point2, c.AspectNumber, 0};
    }

    static inline std::filesystem::path Directory;
};

/// An image of side pixels filled with fill.
inline QImage BlankImage(int side, QColor fill = Qt::white) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

/// The wheel drawn on the screen's path (no printing style) into a fresh image.
inline QImage ScreenImage(TWheel &wheel, int side, QColor fill = Qt::white) {
    QImage image = BlankImage(side, fill);
    wheel.LayoutWheel({0, 0, side, side});
    QPainter painter(&image);
    wheel.DrawWheel(painter, QRect(0, 0, side, side));
    return image;
}

/// The wheel drawn through its picture, in the printing style.
inline QImage PrintedImage(TWheel &wheel, int side, QColor fill = Qt::white) {
    QImage image = BlankImage(side, fill);
    QPainter painter(&image);
    wheel.Picture().Draw(painter, QRect(0, 0, side, side));
    return image;
}

/// The pixel at wheel angle degrees and radius r of the geometry.
inline QPoint PolarPixel(const TWheelGeometry &g, double degrees, double r) {
    const double half = (g.Square.Right - g.Square.Left) / 2.0;
    const double a = degrees * std::numbers::pi / 180;
    return {static_cast<int>(std::lround(g.Centre.X + r * half * std::cos(a))),
            static_cast<int>(std::lround(g.Centre.Y - r * half * std::sin(a)))};
}

inline std::string Describe(QRgb c) {
    return "(" + std::to_string(qRed(c)) + ", " + std::to_string(qGreen(c)) + ", " +
           std::to_string(qBlue(c)) + ")";
}

inline bool SameColour(QRgb c, int r, int g, int b, int tolerance = 2) {
    return std::abs(qRed(c) - r) <= tolerance && std::abs(qGreen(c) - g) <= tolerance &&
           std::abs(qBlue(c) - b) <= tolerance;
}

inline bool NearBlack(QRgb c) {
    return qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90;
}

/// Of the 3 x 3 pixels around p, the brightest.
inline QRgb BrightestAround(const QImage &image, QPoint p) {
    QRgb best = qRgb(0, 0, 0);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QRgb c = image.pixel(p.x() + dx, p.y() + dy);
            if (qRed(c) + qGreen(c) + qBlue(c) > qRed(best) + qGreen(best) + qBlue(best))
                best = c;
        }
    return best;
}

/// Pixels within half pixels of centre (a square) that satisfy ink.
inline int InkCount(const QImage &image, QPoint centre, int half,
                    const std::function<bool(QRgb)> &ink) {
    int n = 0;
    for (int y = centre.y() - half; y <= centre.y() + half; ++y)
        for (int x = centre.x() - half; x <= centre.x() + half; ++x)
            if (image.rect().contains(x, y) && ink(image.pixel(x, y)))
                ++n;
    return n;
}

/// Of the 3 x 3 pixels around p, the darkest: where a thin antialiased line is strongest.
inline QRgb DarkestAround(const QImage &image, QPoint p) {
    QRgb best = qRgb(255, 255, 255);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QRgb c = image.pixel(p.x() + dx, p.y() + dy);
            if (qRed(c) + qGreen(c) + qBlue(c) < qRed(best) + qGreen(best) + qBlue(best))
                best = c;
        }
    return best;
}

} // namespace kyr::test
