// The fitted square, the logical-to-pixel mapping, circles and line equations.
#include "WheelFrame.h"
#include "WheelLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

using namespace kyr;

namespace kyr {
std::ostream &operator<<(std::ostream &out, const TRectI &r) {
    return out << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
std::ostream &operator<<(std::ostream &out, const TPointI &p) {
    return out << "(" << p.X << ", " << p.Y << ")";
}
} // namespace kyr

namespace {

struct TSquareCase {
    const char *Name;
    TRectI Rect;
    TRectI Square;
};

TEST(WheelFrame, FittedSquare) {
    const TSquareCase cases[] = {
        {"odd square: both sides even down alike, the rectangle stays",
         {0, 0, 65, 65},
         {0, 0, 65, 65}},
        {"201 x 200: 200 = 200, the whole rectangle is used", {0, 0, 201, 200}, {0, 0, 201, 200}},
        {"200 x 201 likewise", {0, 0, 200, 201}, {0, 0, 200, 201}},
        {"300 x 200: centred, 50 pixels in", {0, 0, 300, 200}, {50, 0, 250, 200}},
        {"200 x 300: centred, 50 pixels down", {0, 0, 200, 300}, {0, 50, 200, 250}},
        {"offset and odd: 301 x 201 counts as 300 x 200", {10, 20, 311, 221}, {60, 20, 260, 220}},
        {"empty rectangle", {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FittedSquare(c.Rect), c.Square) << c.Name;
}

struct TPixelCase {
    const char *Name;
    TRectI Rect;
    long double X, Y;
    TPointI Pixel;
};

TEST(WheelFrame, LogicalPointsMapOntoTheFittedSquare) {
    const TPixelCase cases[] = {
        // 100.5 pixels per unit across, 100 down.
        {"201 x 200 right edge", {0, 0, 201, 200}, 1, 0, {201, 100}},
        {"201 x 200 left edge", {0, 0, 201, 200}, -1, 0, {0, 100}},
        {"201 x 200 centre truncates 100.5", {0, 0, 201, 200}, 0, 0, {100, 100}},
        {"201 x 200 top, y grows upward", {0, 0, 201, 200}, 0, 1, {100, 0}},
        {"201 x 200 bottom", {0, 0, 201, 200}, 0, -1, {100, 200}},
        {"201 x 200 half way", {0, 0, 201, 200}, 0.5L, 0.5L, {150, 50}},
        {"300 x 200 top left of the square", {0, 0, 300, 200}, -1, 1, {50, 0}},
        {"300 x 200 bottom right", {0, 0, 300, 200}, 1, -1, {250, 200}},
        {"300 x 200 centre", {0, 0, 300, 200}, 0, 0, {150, 100}},
        // Truncation goes toward zero, not down: -99.5 becomes -99.
        {"negative pixels truncate toward zero",
         {-100, -100, 100, 100},
         -0.995L,
         0.995L,
         {-99, -99}},
    };
    for (const auto &c : cases) {
        const TWheelFrame frame(FittedSquare(c.Rect));
        EXPECT_EQ(frame.Pixel(c.X, c.Y), c.Pixel) << c.Name;
    }
}

TEST(WheelFrame, CirclesAreSymmetricAboutTheCentrePixel) {
    // The 201 x 200 centre is at 100.5 logically but at pixel 100; the bounding square is
    // mirrored about the pixel so that the circle stays round.
    const TWheelFrame wide(FittedSquare({0, 0, 201, 200}));
    EXPECT_EQ(wide.Circle(0.5L), (TRectI{50, 50, 150, 150}));
    const TWheelFrame offset(FittedSquare({0, 0, 300, 200}));
    EXPECT_EQ(offset.Circle(0.5L), (TRectI{100, 50, 200, 150}));
    EXPECT_EQ(offset.Width(0.5L), 50);
}

struct TLineCase {
    const char *Name;
    TPointI P1, P2;
    TPointI Off;             // a point off the line
    long double OffDistance; // its distance in pixels
};

TEST(WheelLine, EquationGivesPixelDistances) {
    const TLineCase cases[] = {
        {"vertical", {10, 0}, {10, 50}, {13, 20}, 3},
        {"horizontal", {0, 7}, {30, 7}, {5, 2}, 5},
        {"a single point counts as vertical", {5, 5}, {5, 5}, {9, 5}, 4},
        {"diagonal", {0, 0}, {10, 10}, {10, 0}, std::sqrt(50.0L)},
        {"steep, not through the origin", {0, 10}, {10, 30}, {0, 0}, 10 / std::sqrt(5.0L)},
        {"drawn right to left", {30, 0}, {0, 15}, {0, 0}, 30 / std::sqrt(5.0L)},
    };
    for (const auto &c : cases) {
        const TWheelLine line = MakeWheelLine(c.P1, c.P2);
        EXPECT_EQ(line.X1, c.P1.X) << c.Name;
        EXPECT_EQ(line.Y2, c.P2.Y) << c.Name;
        EXPECT_NEAR(line.A * line.A + line.B * line.B, 1, 1e-15) << c.Name;
        EXPECT_NEAR(line.Distance(c.P1.X, c.P1.Y), 0, 1e-12) << c.Name;
        EXPECT_NEAR(line.Distance(c.P2.X, c.P2.Y), 0, 1e-12) << c.Name;
        EXPECT_NEAR(std::fabs(line.Distance(c.Off.X, c.Off.Y)), c.OffDistance, 1e-12) << c.Name;
    }
}

} // namespace
