// Pixel probes on wheels of a fixed chart rendered by the one paint routine: sign colours,
// the rings, glyph ink where the layout put the glyphs, chord colours, the black-and-white
// printing style, printed positions and the arrowheads.
#include "WheelRenderHelpers.h"

#include <array>

using namespace kyr;
using namespace kyr::test;

namespace {

constexpr int Side = 600;

// Sign colours as published, Aries first.
constexpr int SignRgb[12][3] = {{255, 0, 0}, {255, 128, 0}, {255, 255, 0}, {128, 255, 0},
                                {0, 255, 0}, {0, 255, 128}, {0, 255, 255}, {0, 128, 255},
                                {0, 0, 255}, {128, 0, 255}, {255, 0, 255}, {255, 0, 128}};

struct TStyle {
    const char *Name;
    bool BW;
    bool Printed;
};
constexpr TStyle Styles[] = {
    {"colour on screen", false, false},
    {"colour printed", false, true},
    {"black and white on screen", true, false},
    {"black and white printed", true, true},
};

QImage Render(TWheel &wheel, const TStyle &style) {
    wheel.SetBW(style.BW);
    return style.Printed ? PrintedImage(wheel, Side) : ScreenImage(wheel, Side);
}

TEST_F(WheelRendering, SignSectorsAndBoundariesInEveryStyle) {
    THoroscope h;
    MakeChart(h);
    TWheel wheel;
    wheel.SetHoroscope(&h);
    for (const TStyle &style : Styles) {
        const QImage image = Render(wheel, style);
        const TWheelGeometry &g = wheel.Geometry();
        for (int i = 1; i <= 12; ++i) {
            const double start = FixedSignStart(i);
            // Inside the sector, clear of its glyph in the middle.
            const QRgb inside = image.pixel(PolarPixel(g, start + 5, 0.89));
            const int *rgb = SignRgb[i - 1];
            if (style.BW)
                EXPECT_TRUE(SameColour(inside, 128, 128, 128))
                    << style.Name << ", sign " << i << ": " << Describe(inside);
            else
                EXPECT_TRUE(SameColour(inside, rgb[0], rgb[1], rgb[2]))
                    << style.Name << ", sign " << i << ": " << Describe(inside);

            // The boundary where the sign starts: white and wide only when printed in black
            // and white, otherwise a thin black line.
            const QPoint boundary = PolarPixel(g, start, 0.89);
            if (style.BW && style.Printed) {
                const QRgb c = BrightestAround(image, boundary);
                EXPECT_TRUE(SameColour(c, 255, 255, 255, 4))
                    << style.Name << ", boundary " << i << ": " << Describe(c);
            } else {
                const QRgb c = DarkestAround(image, boundary);
                EXPECT_LT(qRed(c) + qGreen(c) + qBlue(c), 250)
                    << style.Name << ", boundary " << i << ": " << Describe(c);
            }
        }
    }
}

TEST_F(WheelRendering, RingsInTheNormalAndTheDualLayout) {
    THoroscope own, partner;
    MakeChart(own);
    MakeChart(partner);
    TWheel wheel;
    TWheelModel partnerWheel;
    wheel.SetHoroscope(&own);
    partnerWheel.SetHoroscope(&partner);

    // Probes at 8 degrees past a cusp: clear of cusp lines, labels and glyphs.
    const struct {
        const char *Where;
        bool Dual;
        bool BW;
        double Radius;
        std::array<int, 3> Rgb;
    } cases[] = {
        {"degree scale", false, false, 0.815, {255, 255, 224}},
        {"body ring", false, false, 0.55, {255, 255, 224}},
        {"house-number ring", false, false, 0.43, {192, 192, 192}},
        {"chord circle", false, false, 0.2, {255, 255, 255}},
        {"body ring", false, true, 0.55, {255, 255, 255}},
        {"house-number ring", false, true, 0.43, {192, 192, 192}},
        {"body ring", true, false, 0.6, {255, 255, 224}},
        {"partner ring", true, false, 0.35, {255, 255, 240}},
        {"partner centre", true, false, 0.15, {255, 255, 255}},
        {"partner ring", true, true, 0.35, {255, 255, 255}},
    };
    for (const auto &c : cases) {
        if (c.Dual) {
            wheel.SetRelationWheel(&partnerWheel);
            wheel.SetDualMode(true);
        } else {
            wheel.SetDualMode(false);
            wheel.SetRelationWheel(nullptr);
        }
        wheel.SetBW(c.BW);
        const QImage image = ScreenImage(wheel, Side);
        const QRgb pixel = image.pixel(PolarPixel(wheel.Geometry(), 180 + 8, c.Radius));
        EXPECT_TRUE(SameColour(pixel, c.Rgb[0], c.Rgb[1], c.Rgb[2]))
            << c.Where << (c.Dual ? " (dual" : " (normal") << (c.BW ? ", BW)" : ")") << ": "
            << Describe(pixel);
    }
}

bool BlueInk(QRgb c) {
    return qBlue(c) > 150 && qRed(c) < 120 && qGreen(c) < 120;
}
bool RedInk(QRgb c) {
    return qRed(c) > 150 && qGreen(c) < 120 && qBlue(c) < 120;
}

struct TInk {
    int Count = 0;
    double X = 0; ///< centroid
    double Y = 0;
    int Top = 0; ///< extent
    int Bottom = -1;
};

TInk InkAround(const QImage &image, TPointI centre, int half, bool (*ink)(QRgb)) {
    TInk result;
    result.Top = centre.Y + half;
    for (int y = centre.Y - half; y <= centre.Y + half; ++y)
        for (int x = centre.X - half; x <= centre.X + half; ++x)
            if (image.rect().contains(x, y) && ink(image.pixel(x, y))) {
                ++result.Count;
                result.X += x;
                result.Y += y;
                result.Top = std::min(result.Top, y);
                result.Bottom = std::max(result.Bottom, y);
            }
    if (result.Count) {
        result.X /= result.Count;
        result.Y /= result.Count;
    }
    return result;
}

bool BlackInk(QRgb c) {
    return NearBlack(c);
}

TEST_F(WheelRendering, BodyGlyphsAreInkedAtTheirCentres) {
    THoroscope own, partner;
    MakeChart(own);
    TTwelve shifted = FixedBodies;
    for (Extended &b : shifted)
        b += 10;
    MakeChart(partner, FixedAscendant, shifted);
    TWheel wheel;
    TWheelModel partnerWheel;
    wheel.SetHoroscope(&own);
    partnerWheel.SetHoroscope(&partner);

    const struct {
        const char *Name;
        bool Dual;
        bool BW;
    } cases[] = {
        {"colour", false, false},
        {"black and white", false, true},
        {"dual colour", true, false},
        {"dual black and white", true, true},
    };
    for (const auto &c : cases) {
        if (c.Dual) {
            wheel.SetRelationWheel(&partnerWheel);
            wheel.SetDualMode(true);
        }
        wheel.SetBW(c.BW);
        const QImage image = PrintedImage(wheel, Side);
        const TWheelGeometry &g = wheel.Geometry();
        const auto check = [&](const TBodyGlyphs &bodies, int height, int nodeHeight,
                               bool (*ink)(QRgb), const char *set) {
            for (int b = 1; b <= BodyCount; ++b) {
                const int h = b >= 11 ? nodeHeight : height;
                // Within the glyph's own cell, short of the body's tick.
                const TInk found = InkAround(image, bodies[b].Centre, h * 45 / 100, ink);
                EXPECT_GE(found.Count, h) << c.Name << ", " << set << " body " << b;
                // Centred on the layout's point, not hung from it; the symbols' shapes move
                // the centre of their ink a little.
                const double near = h * 0.25 + 1;
                EXPECT_NEAR(found.X, bodies[b].Centre.X, near) << c.Name << ", body " << b;
                EXPECT_NEAR(found.Y, bodies[b].Centre.Y, near) << c.Name << ", body " << b;
            }
        };
        const TWheelFontHeights &f = g.FontHeights;
        check(g.Bodies, f.BodyGlyph, f.NodeGlyph, c.BW ? BlackInk : BlueInk, "own");
        if (c.Dual)
            check(g.PartnerBodies, f.PartnerGlyph, f.PartnerNodeGlyph, c.BW ? BlackInk : RedInk,
                  "partner");
    }
}

TEST_F(WheelRendering, NodesAreWrittenSmallerThanPlanets) {
    THoroscope h;
    MakeChart(h);
    TWheel wheel;
    wheel.SetHoroscope(&h);
    const QImage image = ScreenImage(wheel, Side);
    const TWheelGeometry &g = wheel.Geometry();
    const auto inkHeight = [&](int b) {
        const int cell = b >= 11 ? g.FontHeights.NodeGlyph : g.FontHeights.BodyGlyph;
        const TInk ink = InkAround(image, g.Bodies[b].Centre, cell * 45 / 100, BlueInk);
        return ink.Bottom - ink.Top + 1;
    };
    // The symbols share one box in the font, so their ink heights compare like their sizes.
    for (int node : {11, 12})
        for (int planet : {1, 3, 5}) {
            const double ratio = static_cast<double>(inkHeight(node)) / inkHeight(planet);
            EXPECT_GT(ratio, 0.4) << node << " / " << planet;
            EXPECT_LT(ratio, 0.75) << node << " / " << planet;
        }
}

TEST_F(WheelRendering, ChordsInTheirColoursOnlyWhenShown) {
    THoroscope own, partner;
    MakeChart(own);
    MakeChart(partner);
    TWheel wheel;
    TWheelModel partnerWheel;
    wheel.SetHoroscope(&own);
    partnerWheel.SetHoroscope(&partner);
    ASSERT_EQ(wheel.Geometry().Chords.size(), std::size(FixedChords));

    enum TExpect { Red, Blue, Olive, Black, None };
    const auto matches = [](QRgb c, TExpect e) {
        const int r = qRed(c), g = qGreen(c), b = qBlue(c);
        switch (e) {
        case Red:
            return r > g + 40 && r > b + 40;
        case Blue:
            return b > r + 40 && b > g + 40;
        case Olive:
            return r > b + 40 && g > b + 40 && std::abs(r - g) < 30;
        case Black:
            return r + g + b < 250 && std::abs(r - b) < 30 && std::abs(g - b) < 30;
        case None:
            return r == 255 && g == 255 && b == 255;
        }
        return false;
    };
    const struct {
        const char *Name;
        bool BW;
        bool Printed;
        bool Show;
        bool Linked;
        std::array<TExpect, 3> Expect; ///< opposition, trine, quincunx
    } cases[] = {
        {"colour", false, false, true, false, {Red, Blue, Olive}},
        {"colour printed", false, true, true, false, {Red, Blue, Olive}},
        {"black and white printed", true, true, true, false, {Black, Black, Black}},
        {"hidden", false, false, false, false, {None, None, None}},
        // A linked wheel shows the partner chart instead, and no chords at all.
        {"linked", false, false, true, true, {None, None, None}},
    };
    for (const auto &c : cases) {
        wheel.SetShowAspects(c.Show);
        if (c.Linked) {
            wheel.SetRelationWheel(&partnerWheel);
            wheel.SetDualMode(true);
            EXPECT_FALSE(wheel.ShowAspects());
        }
        wheel.SetBW(c.BW);
        const QImage image = c.Printed ? PrintedImage(wheel, Side) : ScreenImage(wheel, Side);
        const auto &chords = wheel.Geometry().Chords;
        for (std::size_t n = 0; n < chords.size(); ++n) {
            const TWheelLine &line = chords[n].Line;
            const QPoint middle((line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2);
            const QRgb pixel = DarkestAround(image, middle);
            EXPECT_TRUE(matches(pixel, c.Expect[n]))
                << c.Name << ", chord " << n + 1 << ": " << Describe(pixel);
        }
    }
}

// Small black text is mostly antialiased grey; blue glyph edges are not counted.
bool DarkGrey(QRgb c) {
    return qRed(c) < 170 && qGreen(c) < 170 && std::abs(qRed(c) - qBlue(c)) < 40;
}

TEST_F(WheelRendering, PositionsArePrintedOnlyInThePrintingStyle) {
    THoroscope h;
    MakeChart(h);
    TWheel wheel;
    wheel.SetHoroscope(&h);
    // Dark pixels where each body's position text goes: from the glyph's centre x to the
    // right, below the glyph. Near the bottom of the wheel the scale lies there too, so the
    // counts are compared with and without the texts.
    const auto positionInk = [&](bool show, bool printed) {
        wheel.SetShowPosition(show);
        const QImage image = printed ? PrintedImage(wheel, Side) : ScreenImage(wheel, Side);
        const TWheelGeometry &g = wheel.Geometry();
        const int text = g.FontHeights.BodyGlyph / 5 + 1;
        std::array<int, BodyCount + 1> ink{};
        for (int b = 1; b <= BodyCount; ++b) {
            // Below the glyph's own cell, which is smaller for the Nodes.
            const int cell = b >= 11 ? g.FontHeights.NodeGlyph : g.FontHeights.BodyGlyph;
            const TPointI c = g.Bodies[b].Centre;
            ink[b] =
                InkCount(image, QPoint(c.X + text, c.Y + cell / 2 + text / 2), text / 2, DarkGrey);
        }
        return ink;
    };
    const auto printed = positionInk(true, true);
    const auto notShown = positionInk(false, true);
    for (int b = 1; b <= BodyCount; ++b)
        EXPECT_GE(printed[b], notShown[b] + 3) << "body " << b;
    EXPECT_EQ(positionInk(true, false), positionInk(false, false)) << "on the screen";
}

TEST_F(WheelRendering, ArrowheadsOnTheAscendantAndMidheavenOnly) {
    THoroscope h;
    MakeChart(h);
    TWheel wheel;
    wheel.SetHoroscope(&h);
    const QImage image = PrintedImage(wheel, Side);
    const TWheelGeometry &g = wheel.Geometry();
    // The axes run from radius 0.40 to 1.0; the arrowhead's arcs have half the axis's length
    // as radius, so 0.15 of that length back from the tip they stand about 0.023 of it off
    // the axis on either side.
    const int length = g.Axes[1].X1 - g.Axes[1].X2;
    const int back = length * 15 / 100;
    const int off = static_cast<int>(std::lround(length * 0.023));
    const int cx = g.Centre.X, cy = g.Centre.Y;
    const struct {
        const char *Axis;
        QPoint Along; ///< the point on the axis, back from its tip
        QPoint Side;  ///< one pixel sideways
        bool Arrow;
    } cases[] = {
        {"Ascendant", {g.Axes[1].X2 + back, cy}, {0, 1}, true},
        {"Midheaven", {cx, g.Axes[4].Y2 + back}, {1, 0}, true},
        {"Descendant", {g.Axes[3].X2 - back, cy}, {0, 1}, false},
        {"lower meridian", {cx, g.Axes[2].Y2 - back}, {1, 0}, false},
    };
    for (const auto &c : cases)
        for (int sign : {-1, 1}) {
            const QRgb barb = DarkestAround(image, c.Along + sign * off * c.Side);
            const QRgb clear = DarkestAround(image, c.Along + sign * 3 * off * c.Side);
            EXPECT_EQ(NearBlack(barb), c.Arrow) << c.Axis << " " << sign << Describe(barb);
            EXPECT_FALSE(NearBlack(clear)) << c.Axis << " " << sign << Describe(clear);
        }
}

TEST_F(WheelRendering, OffScreenPiesLookLikeTheSectors) {
    THoroscope h;
    MakeChart(h);
    TWheel wheel;
    wheel.SetHoroscope(&h);
    wheel.SetShowAspects(true);
    wheel.SetOpaque(true);
    wheel.SetColor(Qt::white);
    wheel.resize(Side, Side);
    const QImage direct = wheel.grab().toImage();
    wheel.SetOffScreen(true);
    const QImage offScreen = wheel.grab().toImage();
    ASSERT_TRUE(wheel.OffScreen());
    ASSERT_EQ(direct.size(), offScreen.size());
    // The pies reach the centre, and only the circles drawn after them hide that; a few
    // edge pixels differ in their antialiasing.
    int different = 0;
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x) {
            const QRgb a = direct.pixel(x, y), b = offScreen.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b)) >
                90)
                ++different;
        }
    EXPECT_LT(different, Side * Side / 500);
}

} // namespace
