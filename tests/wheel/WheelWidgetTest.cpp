// The widget around the paint routine: its start state, the off-screen path and its
// fall-back, Opaque, the picture and its printing flag; and the small drawing helpers.
#include "WheelArrowhead.h"
#include "WheelRenderHelpers.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <stdexcept>

using namespace kyr;
using namespace kyr::test;

namespace {

constexpr int Side = 400;

// Sign 1's colour, probed inside its sector beside the glyph; the default frame puts Aries
// at the left, the fixed chart 10 degrees before it.
bool ShowsAries(const QImage &image, const TWheelGeometry &g, double start = 180) {
    return SameColour(image.pixel(PolarPixel(g, start + 5, 0.89)), 255, 0, 0);
}

class TNoBitmapWheel : public TWheel {
public:
    int Beeps = 0;
    int BitmapRequests = 0;

protected:
    QImage CreateOffScreenBitmap(const QSize &) override {
        ++BitmapRequests;
        return {};
    }
    void Beep() override { ++Beeps; }
};

TEST_F(WheelRendering, NewWheel) {
    TWheel wheel;
    EXPECT_EQ(wheel.size(), QSize(65, 65));
    EXPECT_EQ(wheel.LastLayoutRect(), (TRectI{0, 0, 65, 65}));
    EXPECT_EQ(QFontInfo(wheel.font()).family(), QString::fromLatin1(SymbolFontFamily));
    EXPECT_FALSE(wheel.BW() || wheel.Opaque() || wheel.ShowPosition() || wheel.OffScreen());
    EXPECT_FALSE(wheel.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_FALSE(wheel.Picture().Empty());
    EXPECT_EQ(wheel.Picture().Width(), 100);
    EXPECT_EQ(wheel.Picture().Height(), 100);
}

TEST_F(WheelRendering, OffScreenWithoutABitmapBeepsOnceAndPaintsDirectly) {
    TNoBitmapWheel wheel;
    wheel.resize(Side, Side);
    wheel.SetOffScreen(true);
    const QImage first = wheel.grab().toImage();
    EXPECT_EQ(wheel.Beeps, 1);
    EXPECT_FALSE(wheel.OffScreen());
    // Painted all the same, with the sector outlines that the off-screen layout leaves out.
    EXPECT_TRUE(ShowsAries(first, wheel.Geometry())) << Describe(first.pixel(20, Side / 2));

    wheel.grab();
    EXPECT_EQ(wheel.Beeps, 1);
    EXPECT_EQ(wheel.BitmapRequests, 1);

    wheel.SetOffScreen(true);
    wheel.grab();
    EXPECT_EQ(wheel.Beeps, 2);
}

TEST_F(WheelRendering, OpaqueFillsTheWholeRectangleWithItsColour) {
    TWheel wheel;
    wheel.SetColor(QColor(10, 20, 30));
    for (bool opaque : {false, true}) {
        wheel.SetOpaque(opaque);
        EXPECT_EQ(wheel.testAttribute(Qt::WA_OpaquePaintEvent), opaque);
        // A rectangle wider than the wheel's square: the corners lie outside the wheel.
        QImage image(Side + 100, Side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        wheel.LayoutWheel({0, 0, Side + 100, Side});
        {
            QPainter painter(&image);
            wheel.DrawWheel(painter, image.rect());
        }
        const QRgb corner = image.pixel(2, 2);
        if (opaque)
            EXPECT_EQ(corner, qRgb(10, 20, 30)) << Describe(corner);
        else
            EXPECT_EQ(qAlpha(corner), 0);
        EXPECT_TRUE(ShowsAries(image, wheel.Geometry()));
    }
}

TEST_F(WheelRendering, PictureDrawsIntoAnyRectangleAndTheScreenLaysOutAgain) {
    THoroscope h;
    MakeChart(h);
    TWheel wheel;
    wheel.SetHoroscope(&h);
    wheel.resize(Side, Side);

    QImage page(700, 500, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::black);
    const QRect target(250, 100, 300, 300);
    {
        QPainter painter(&page);
        wheel.Picture().Draw(painter, target);
    }
    EXPECT_EQ(wheel.LastLayoutRect(), ToRectI(target));
    EXPECT_FALSE(WheelPrintMode());
    const TWheelGeometry &g = wheel.Geometry();
    EXPECT_EQ(g.Centre, (TPointI{400, 250}));
    EXPECT_TRUE(ShowsAries(page, g, FixedSignStart(1)));
    // Nothing outside the target rectangle is touched.
    for (const QPoint p : {QPoint(240, 250), QPoint(560, 250), QPoint(400, 95), QPoint(400, 405)})
        EXPECT_EQ(page.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();

    wheel.grab();
    EXPECT_EQ(wheel.LastLayoutRect(), (TRectI{0, 0, Side, Side}));
}

TEST(WheelPicture, PrintModeOnlyWhileDrawingEvenWhenDrawingFails) {
    QImage image = BlankImage(50);
    QPainter painter(&image);
    bool during = false;
    TWheelPicture picture([&](QPainter &, const QRect &) {
        during = WheelPrintMode();
        throw std::runtime_error("no paper");
    });
    EXPECT_THROW(picture.Draw(painter, image.rect()), std::runtime_error);
    EXPECT_TRUE(during);
    EXPECT_FALSE(WheelPrintMode());

    // Without a callback there is nothing to draw, and no failure.
    TWheelPicture empty;
    empty.Draw(painter, image.rect());
    EXPECT_FALSE(WheelPrintMode());
}

TEST(WheelPainter, FontHeightsAreCellHeights) {
    for (int cell : {8, 13, 17, 30, 61, 120}) {
        const QFont font = FontOfCellHeight(SymbolFont(), cell, nullptr);
        EXPECT_NEAR(QFontMetricsF(font).height(), cell, 1.0) << cell;
        EXPECT_LT(font.pixelSize(), cell) << "the cell holds more than the em";
    }
}

TEST(WheelPainter, PositionTextTruncatesToMinutes) {
    const struct {
        Extended DegreeDm;
        const char *Text;
    } cases[] = {
        {15.37L, "15.37"},
        {0.05L, "0.05"},
        {29.59L, "29.59"},
        {7.5999L, "7.59"},
        {3.1L, "3.10"},
        {0, "0.00"},
        {12.3799L, "12.37"},
        // A longitude a hair below 25 degrees, as the horoscope's D.MM conversion gives it.
        {24.59999999999L, "25.00"},
        {24.59L, "24.59"},
        {24.5999L, "24.59"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PositionText(c.DegreeDm).toStdString(), c.Text)
            << static_cast<double>(c.DegreeDm);
}

TEST(WheelArrowhead, TwoShortArcsFromTheTipBackToTheAxis) {
    // Axes of the screen in several directions, the tip second.
    const TSegmentI axes[] = {
        {0, 0, 240, 0}, {0, 0, -240, 0}, {300, 300, 300, 60}, {10, 400, 180, 230}, {5, 5, 47, 61},
    };
    for (const TSegmentI &axis : axes) {
        const auto arcs = ArrowheadArcs(axis);
        ASSERT_TRUE(arcs);
        const double dx = axis.X2 - axis.X1, dy = axis.Y2 - axis.Y1;
        const double length = std::hypot(dx, dy);
        const QPointF tip(axis.X2, axis.Y2);
        const QPointF back(axis.X2 - dx / 5, axis.Y2 - dy / 5);
        for (const TArrowArc &arc : *arcs) {
            const double r = (arc.Bounds.Right - arc.Bounds.Left) / 2.0;
            EXPECT_NEAR(r, length / 2, 1) << axis.X2 << "," << axis.Y2;
            const QPointF centre(arc.Centre.X, arc.Centre.Y);
            // The circle passes through the tip, and the short way round is drawn.
            EXPECT_NEAR(std::hypot(tip.x() - centre.x(), tip.y() - centre.y()), r, 1.5);
            EXPECT_GT(arc.SpanDegrees, 15);
            EXPECT_LT(arc.SpanDegrees, 30);
            // The arc's free end lies between the tip and the point a fifth back, close to
            // the axis.
            const double a =
                (arc.Start == TPointI{axis.X2, axis.Y2} ? arc.StartDegrees + arc.SpanDegrees
                                                        : arc.StartDegrees) *
                std::numbers::pi / 180;
            const QPointF end(centre.x() + r * std::cos(a), centre.y() - r * std::sin(a));
            const double along = ((end.x() - axis.X1) * dx + (end.y() - axis.Y1) * dy) / length;
            const double across =
                std::abs((end.x() - axis.X1) * dy - (end.y() - axis.Y1) * dx) / length;
            EXPECT_GT(along, length * 0.8 - 1.5);
            EXPECT_LT(along, length);
            EXPECT_LT(across, length * 0.05);
        }
        // One barb on each side of the axis.
        const auto side = [&](const TArrowArc &arc) {
            return (arc.Centre.X - axis.X1) * dy - (arc.Centre.Y - axis.Y1) * dx;
        };
        EXPECT_LT(side((*arcs)[0]) * side((*arcs)[1]), 0);
    }
    EXPECT_FALSE(ArrowheadArcs({3, 3, 4, 3}));
}

} // namespace
