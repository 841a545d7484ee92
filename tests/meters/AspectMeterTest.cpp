// The aspect meter: its progress rules and its paint rules probed on rendered meters.
#include "AspectMeter.h"

#include "MeterColors.h"
#include "MeterTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace kyr;
using namespace kyr::test;

const QColor Red(255, 0, 0);
const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);

QColor Pixel(const QImage &image, int x, int y) {
    return QColor::fromRgb(image.pixel(x, y));
}

QImage Render(TAspectMeter &meter) {
    QImage image = BlankImage(meter.width(), meter.height());
    meter.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

TEST(AspectMeter, ProgressIsKeptInRange) {
    TAspectMeter meter;
    EXPECT_EQ(QSize(24, 100), meter.size());
    EXPECT_EQ(mkVerticalBar, meter.Kind());
    meter.SetProgress(150);
    EXPECT_EQ(100, meter.Progress());
    meter.SetProgress(-20);
    EXPECT_EQ(0, meter.Progress());
    meter.SetMinValue(40);
    meter.SetMaxValue(40);
    EXPECT_EQ(0, meter.Percentage()) << "an empty range shows an empty bar";
}

TEST(AspectMeter, VerticalBarInASunkenFrame) {
    TAspectMeter meter;
    meter.SetBackColor(White);
    meter.SetProgress(50);
    const QImage image = Render(meter);
    const QColor shadow = Opaque(ButtonShadowColor(meter.palette()));
    EXPECT_EQ(shadow, Pixel(image, 0, 50));
    EXPECT_EQ(shadow, Pixel(image, 12, 0));
    EXPECT_EQ(White, Pixel(image, 23, 50));
    EXPECT_EQ(White, Pixel(image, 12, 99));
    EXPECT_EQ(Black, Pixel(image, 1, 50)) << "inner border";
    EXPECT_EQ(Black, Pixel(image, 12, 98));
    // Half of the 98 rows from the bottom: rows 49..97, columns 2..21.
    EXPECT_EQ(Red, Pixel(image, 2, 97));
    EXPECT_EQ(Red, Pixel(image, 21, 49));
    EXPECT_EQ(White, Pixel(image, 12, 48));
    EXPECT_EQ(Black, Pixel(image, 22, 60)) << "the bar stays inside the border";
}

TEST(AspectMeter, FullAndEmptyBars) {
    struct Case {
        const char *what;
        int minValue, maxValue, progress;
        bool full;
    };
    const Case cases[] = {
        {"full", 0, 100, 100, true},
        {"above the maximum", 0, 100, 150, true},
        {"empty", 0, 100, 0, false},
        {"empty range", 40, 40, 40, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TAspectMeter meter;
        meter.SetBackColor(White);
        meter.SetMinValue(c.minValue);
        meter.SetMaxValue(c.maxValue);
        meter.SetProgress(c.progress);
        const QImage image = Render(meter);
        const QColor inside = c.full ? Red : White;
        EXPECT_EQ(inside, Pixel(image, 12, 2));
        EXPECT_EQ(inside, Pixel(image, 12, 97));
        EXPECT_EQ(Black, Pixel(image, 12, 1));
    }
}

TEST(AspectMeter, HorizontalBarAndBorderlessBox) {
    TAspectMeter meter;
    meter.resize(100, 24);
    meter.SetKind(mkHorizontalBar);
    meter.SetBackColor(White);
    meter.SetBorderStyle(bsNone);
    meter.SetProgress(50);
    const QImage image = Render(meter);
    // Columns 2..48: half of the 98 inner columns, counted from the left frame.
    EXPECT_EQ(Red, Pixel(image, 2, 12));
    EXPECT_EQ(Red, Pixel(image, 48, 2));
    EXPECT_EQ(Red, Pixel(image, 48, 21));
    EXPECT_EQ(White, Pixel(image, 49, 12));
    EXPECT_EQ(White, Pixel(image, 1, 12)) << "the border takes the background colour";
}

TEST(MeterColors, SettingsValuesToColours) {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    struct Case {
        int value;
        QColor color;
    };
    const Case cases[] = {
        {255, Red},
        {0x00FF00, QColor(0, 255, 0)},
        {0x112233, QColor(0x33, 0x22, 0x11)},
        {-2147483643, QColor(1, 2, 3)}, // the window background
        {-2147483633, QColor(4, 5, 6)}, // the button face
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.color, ColorFromValue(c.value, palette)) << c.value;
    EXPECT_EQ(0x112233, ValueFromColor(QColor(0x33, 0x22, 0x11)));
}

} // namespace
