// The crowding rule that steps close body glyphs inward, and where the glyphs go.
#include "BodyGlyphs.h"
#include "WheelTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

using namespace kyr;
using namespace kyr::test;

namespace {

struct TCrowdCase {
    const char *Name;
    std::map<int, Extended> Placed; // body -> longitude; the rest lie far apart
    std::map<int, int> Levels;      // body -> expected level; the rest expect 1
};

TEST(BodyLevels, CrowdedNeighboursStepInward) {
    const TCrowdCase cases[] = {
        {"7.9 degrees apart: the second steps in", {{1, 100}, {2, 107.9L}}, {{2, 2}}},
        {"8.1 degrees apart: both outside", {{1, 100}, {2, 108.1L}}, {}},
        {"four each within 8 degrees: 1, 2, 3, 1",
         {{1, 100}, {2, 106}, {3, 112}, {4, 118}},
         {{2, 2}, {3, 3}, {4, 1}}},
        {"the cycle goes on after level 1",
         {{1, 100}, {2, 106}, {3, 112}, {4, 118}, {5, 124}},
         {{2, 2}, {3, 3}, {4, 1}, {5, 2}}},
        {"only the predecessor counts: a gap starts again at 1",
         {{1, 100}, {2, 105}, {3, 150}, {4, 155}},
         {{2, 2}, {4, 2}}},
        {"the order is by longitude, not by body index", {{6, 100}, {3, 104}}, {{3, 2}}},
        {"2 and 359 degrees, first and last in the order, are not compared",
         {{1, 2}, {2, 359}},
         {}},
    };
    for (const auto &c : cases) {
        // The unplaced bodies take these, 18 degrees and more from anything placed.
        const Extended free[] = {20, 45, 70, 175, 200, 225, 250, 275, 300, 325};
        TTwelve longitudes{};
        int next = 0;
        for (int b = 1; b <= 12; ++b)
            longitudes[b - 1] = c.Placed.count(b) ? c.Placed.at(b) : free[next++];
        THoroscope h;
        SetCusps(h, EqualCusps(250));
        SetBodies(h, longitudes);
        const auto levels = BodyLevels(ReadWheelAngles(h));
        for (int b = 1; b <= 12; ++b) {
            const int expected = c.Levels.count(b) ? c.Levels.at(b) : 1;
            EXPECT_EQ(levels[b], expected) << c.Name << ", body " << b;
        }
    }
}

TEST(BodyGlyphs, CentresFollowLevelAndLongitude) {
    THoroscope h;
    SetCusps(h, EqualCusps(30));
    TTwelve longitudes = SpreadBodies(20);
    longitudes[4] = 200;
    longitudes[5] = 205;
    longitudes[6] = 210;
    SetBodies(h, longitudes);
    const TWheelAngles angles = ReadWheelAngles(h);
    const TWheelFrame g(FittedSquare({0, 0, 1000, 1000}));
    const Extended rotation = 0.3L;
    const TBodyRing ring{{0, 0.7L, 0.6L, 0.5L}, 0.8L, 0.78L};
    const TBodyGlyphs glyphs = LayoutBodyGlyphs(angles, g, rotation, ring);
    for (int b = 5; b <= 7; ++b) {
        const TBodyGlyph &glyph = glyphs[b];
        const Extended a = angles.BodyAngle[b] + rotation;
        const TPolar centre = PolarOf(g, glyph.Centre);
        EXPECT_NEAR(centre.Radius, ring.LevelRadius[b - 4], 0.003) << b;
        EXPECT_NEAR(AngleGap(centre.Angle, a), 0, 0.01) << b;
        EXPECT_NEAR(PolarOf(g, {glyph.Tick.X1, glyph.Tick.Y1}).Radius, 0.8L, 0.003) << b;
        EXPECT_NEAR(PolarOf(g, {glyph.Tick.X2, glyph.Tick.Y2}).Radius, 0.78L, 0.003) << b;
        EXPECT_NEAR(AngleGap(PolarOf(g, {glyph.Tick.X1, glyph.Tick.Y1}).Angle, a), 0, 0.01);
    }
    EXPECT_EQ(glyphs[1].Glyph, 0xB8); // the Sun
    EXPECT_EQ(glyphs[12].Glyph, 0x82);
}

// A stellium longer than three bodies brings every third glyph back to the same ring; the
// layout moves such a glyph on along its ring, and only then.
TEST(BodyGlyphs, GlyphsOnOneRingKeepTheirDistance) {
    struct TSpreadCase {
        const char *Name;
        Extended Step; // degrees between consecutive bodies 1..7 from 300 degrees on
        bool Moved;    // whether any glyph leaves its own longitude
    };
    const TSpreadCase cases[] = {
        {"seven bodies 2 degrees apart", 2, true},
        {"seven bodies 3 degrees apart: the inner ring is too short", 3, true},
        {"seven bodies 6 degrees apart: every third body is far enough on", 6, false},
        {"bodies 8.1 degrees apart all stand on the outer ring at their longitude", 8.1L, false},
    };
    const TWheelFrame g(FittedSquare({0, 0, 800, 800}));
    const TBodyRing ring{{0, 0.718L, 0.6175L, 0.517L}, 0.8L, 0.785L, 0.09L};
    for (const auto &c : cases) {
        TTwelve longitudes = SpreadBodies(20);
        for (int b = 1; b <= 7; ++b)
            longitudes[b - 1] = 300 + (b - 1) * c.Step;
        for (int b = 8; b <= 12; ++b)
            longitudes[b - 1] = 60 + (b - 8) * 25;
        THoroscope h;
        SetCusps(h, EqualCusps(30));
        SetBodies(h, longitudes);
        const TWheelAngles angles = ReadWheelAngles(h);
        const TBodyGlyphs glyphs = LayoutBodyGlyphs(angles, g, 0, ring);
        bool moved = false;
        for (int b = 1; b <= 12; ++b) {
            const Extended a = angles.BodyAngle[b];
            moved = moved || std::fabs(AngleGap(PolarOf(g, glyphs[b].Centre).Angle, a)) > 0.01;
            // The tick always marks the exact longitude.
            EXPECT_NEAR(AngleGap(PolarOf(g, {glyphs[b].Tick.X1, glyphs[b].Tick.Y1}).Angle, a), 0,
                        0.01)
                << c.Name << ", body " << b;
            for (int o = 1; o < b; ++o) {
                if (glyphs[o].Level != glyphs[b].Level)
                    continue;
                const double dx = glyphs[o].Centre.X - glyphs[b].Centre.X;
                const double dy = glyphs[o].Centre.Y - glyphs[b].Centre.Y;
                // 0.09 logical units are 36 pixels on this 800-pixel wheel.
                EXPECT_GE(std::hypot(dx, dy), 34) << c.Name << ", bodies " << o << " and " << b;
            }
        }
        EXPECT_EQ(moved, c.Moved) << c.Name;
    }
}

} // namespace
