// The transit meter: its paint rules probed pixel by pixel on a rendered meter, the printed
// picture, the cursor under the mouse, and a real transit curve left as images for a look.
#include "TransitMeter.h"

#include "Ephemeris.h"
#include "Horoscope.h"
#include "MeterColors.h"
#include "MeterTestSupport.h"
#include "ProgramDirectory.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

using namespace kyr;
using namespace kyr::test;

const QColor Red(255, 0, 0);
const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);

// A three-year meter with explicit colours, so that probes do not depend on the palette.
class TransitMeterTest : public ::testing::Test {
protected:
    TransitMeterTest() {
        Meter.resize(300, 100);
        Meter.SetBackColor(White);
        Meter.SetFromYear(2000);
        Meter.SetToYear(2003);
    }

    void Feed(const std::vector<std::pair<int, Extended>> &values) {
        Meter.SetActive(false);
        for (const auto &[i, v] : values)
            Meter.SetValue(i, v);
        Meter.SetActive(true);
    }

    void Press(int x, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(&Meter, button, Qt::NoModifier, QPoint(x, 10));
        QTest::mouseRelease(&Meter, button, Qt::NoModifier, QPoint(x, 10));
    }

    void Move(int x, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 10), Meter.mapToGlobal(QPointF(x, 10)),
                         Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&Meter, &move);
    }

    TTransitMeter Meter;
};

TEST_F(TransitMeterTest, DefaultsAtCreation) {
    TTransitMeter meter;
    EXPECT_EQ(1995, meter.FromYear());
    EXPECT_EQ(1998, meter.ToYear());
    EXPECT_FALSE(meter.Active());
    EXPECT_EQ(0, meter.MaxValues());
    EXPECT_EQ(5, meter.TickSize());
    EXPECT_EQ(3, meter.MinorTickSize());
    EXPECT_EQ(Red, meter.ForeColor());
    EXPECT_EQ(bsSingle, meter.BorderStyle());
    EXPECT_TRUE(meter.Ctl3D());
    EXPECT_EQ(QSize(150, 80), meter.size());
    EXPECT_EQ(-1, meter.CursorColumn());
    EXPECT_EQ(0, meter.Value(0));
    EXPECT_EQ(0, meter.Value(2047));
}

TEST_F(TransitMeterTest, TickSizeKeepsTheMinorTicksAtThreeFifths) {
    Meter.SetTickSize(10);
    EXPECT_EQ(6, Meter.MinorTickSize());
    for (const int ignored : {0, -3}) {
        Meter.SetTickSize(ignored);
        EXPECT_EQ(10, Meter.TickSize());
        EXPECT_EQ(6, Meter.MinorTickSize());
    }
}

TEST_F(TransitMeterTest, IndexOutsideTheValuesFailsAndChangesNothing) {
    Meter.SetValue(2047, 0.25L);
    for (const int index : {-1, 2048}) {
        try {
            Meter.SetValue(index, 0.75L);
            ADD_FAILURE() << "index " << index << " was accepted";
        } catch (const EMeterIndexError &e) {
            EXPECT_STREQ("Incorrect Index Value", e.what());
        }
    }
    EXPECT_EQ(0.25L, Meter.Value(2047));
    EXPECT_EQ(0, Meter.Value(0));
}

TEST_F(TransitMeterTest, BarsRiseFromTheBaseAndStopUnderTheBorder) {
    Feed({{20, 0.5L}, {40, 1.5L}, {41, 1}, {60, 0}});
    const TRendered r = RenderScreen(Meter);
    const TTransitLayout &m = r.Layout;
    const int h = BarHeight(0.5L, m.PlotHeight());
    const int x = m.L + 2; // column 0

    EXPECT_EQ(Red, r.At(x + 20, m.B - 3)) << "bottom of the bar";
    EXPECT_EQ(Red, r.At(x + 20, m.B - 1 - h)) << "top of the bar";
    EXPECT_EQ(White, r.At(x + 20, m.B - 2 - h)) << "above the bar";
    for (const int column : {40, 41}) {
        SCOPED_TRACE(column);
        EXPECT_EQ(Red, r.At(x + column, m.T + 2));
        EXPECT_EQ(Black, r.At(x + column, m.T + 1)) << "the plot border stays";
    }
    EXPECT_EQ(White, r.At(x + 60, m.B - 3));
    EXPECT_EQ(White, r.At(x + 19, m.B - 3));
}

TEST_F(TransitMeterTest, SunkenFrameBoxTicksAndLabelsOnTheScreen) {
    const TRendered r = RenderScreen(Meter);
    const TTransitLayout &m = r.Layout;
    const QColor shadow = Opaque(ButtonShadowColor(Meter.palette()));
    ASSERT_NE(shadow, White);
    const int midY = (m.T + m.B) / 2;
    const int midX = (m.Ticks[5].X + m.Ticks[6].X) / 2; // between two ticks

    EXPECT_EQ(shadow, r.At(m.L, midY)) << "left edge";
    EXPECT_EQ(shadow, r.At(midX, m.T)) << "top edge";
    EXPECT_EQ(White, r.At(m.Rt, midY)) << "right edge";
    EXPECT_EQ(White, r.At(midX, m.B - 1)) << "bottom edge";
    EXPECT_EQ(Black, r.At(m.L + 1, midY)) << "plot border";
    EXPECT_EQ(Black, r.At(m.Rt - 1, midY));
    EXPECT_EQ(Black, r.At(midX, m.T + 1));
    EXPECT_EQ(Black, r.At(midX, m.B - 2));
    EXPECT_EQ(White, r.At(midX, midY)) << "plot background";

    // February's tick is a minor one, January's a long one; each with a light column beside.
    const int feb = m.Ticks[1].X;
    EXPECT_EQ(shadow, r.At(feb, m.B + 2));
    EXPECT_EQ(Untouched, r.At(feb, m.B + 3));
    EXPECT_EQ(White, r.At(feb + 1, m.B + 2));
    const int apr = m.Ticks[3].X;
    EXPECT_EQ(shadow, r.At(apr, m.B + 4));
    EXPECT_EQ(Untouched, r.At(apr, m.B + 5));
    EXPECT_EQ(shadow, r.At(m.Rt - 1, m.B + 4)) << "end tick";
    EXPECT_EQ(White, r.At(m.Rt, m.B + 4));

    ASSERT_EQ(4u, m.Labels.size());
    const QFontMetrics metrics(Meter.font());
    for (const TMeterPoint at : m.Labels) {
        bool inked = false;
        for (int y = at.Y; y < at.Y + metrics.height() && y < r.Image.height(); ++y)
            for (int x = std::max(at.X, 0); x < at.X + metrics.horizontalAdvance("00"); ++x)
                inked = inked || r.At(x, y) != Untouched;
        EXPECT_TRUE(inked) << "label at " << at.X;
    }
}

TEST_F(TransitMeterTest, FlatFrameAndBorderlessBox) {
    Meter.SetCtl3D(false);
    Meter.SetBorderStyle(bsNone);
    const TRendered r = RenderScreen(Meter);
    const TTransitLayout &m = r.Layout;
    const int midY = (m.T + m.B) / 2;
    EXPECT_EQ(Black, r.At(m.L, midY));
    EXPECT_EQ(Black, r.At(m.Rt, midY));
    EXPECT_EQ(White, r.At(m.L + 1, midY)) << "the plot border takes the background colour";
    const int feb = m.Ticks[1].X;
    EXPECT_EQ(Black, r.At(feb, m.B + 2));
    EXPECT_EQ(Untouched, r.At(feb + 1, m.B + 2)) << "no light column";
    EXPECT_EQ(Black, r.At(m.Rt, m.B + 4)) << "the end tick moves under the right edge";
    EXPECT_EQ(Untouched, r.At(m.Rt - 1, m.B + 4));
}

TEST_F(TransitMeterTest, BarHeightsFollowThePlotHeightAndWidth) {
    // Fed before the first paint, so no plot height is known yet.
    std::vector<std::pair<int, Extended>> values;
    for (int i = 0; i < TransitMeterValueCount; ++i)
        values.emplace_back(i, 0.5L);
    Feed(values);
    for (const QSize size : {QSize(300, 100), QSize(400, 100), QSize(400, 160)}) {
        SCOPED_TRACE(size.width() * 1000 + size.height());
        Meter.resize(size);
        const TRendered r = RenderScreen(Meter);
        const TTransitLayout &m = r.Layout;
        const int h = BarHeight(0.5L, m.PlotHeight());
        for (const int x : {m.L + 2, m.Rt - 2}) {
            EXPECT_EQ(Red, r.At(x, m.B - 1 - h)) << "column " << x;
            EXPECT_EQ(White, r.At(x, m.B - 2 - h)) << "column " << x;
        }
    }
}

TEST_F(TransitMeterTest, PrintedPictureFillsPolygonsInBlackOutlines) {
    std::vector<std::pair<int, Extended>> values;
    for (int i = 100; i <= 300; ++i)
        values.emplace_back(i, 0.5L);
    Feed(values);
    Meter.SetMaxValues(768);
    const TRendered screen = RenderScreen(Meter);
    const TMeterRect screenPlot = Meter.PlotArea();

    const QRect target(50, 40, 700, 200);
    const TRendered r = RenderPicture(Meter, QSize(800, 300), target);
    const TTransitLayout &m = r.Layout;
    const int w = m.W - 4;
    const auto column = [&](int i) { return w * i / 768 + m.L + 2; };
    const int top = m.B - 2 - static_cast<int>((m.H - 6) * 0.5L);

    EXPECT_EQ(Red, r.At(column(200), top + 2));
    EXPECT_EQ(Red, r.At(column(200), m.B - 3));
    EXPECT_EQ(Black, r.At(column(200), top)) << "outline";
    EXPECT_EQ(White, r.At(column(200), top - 2));
    EXPECT_EQ(White, r.At(column(50), m.B - 3)) << "no run there";
    EXPECT_EQ(White, r.At(column(400), m.B - 3));

    const int midY = (m.T + m.B) / 2;
    EXPECT_EQ(Black, r.At(m.L, midY)) << "paper has no sunken frame";
    EXPECT_EQ(Black, r.At(m.Rt, midY));
    EXPECT_EQ(Black, r.At(m.Ticks[1].X, m.B + 2));
    EXPECT_EQ(Black, r.At(m.Ticks[1].X + 1, m.B + 2));
    EXPECT_EQ(Untouched, r.At(target.left() - 1, midY)) << "nothing outside the target";
    EXPECT_EQ(Untouched, r.At(target.right() + 1, midY));

    EXPECT_EQ(screenPlot, Meter.PlotArea()) << "printing moved the screen's plot area";
}

TEST_F(TransitMeterTest, LeftButtonMovesTheCursorAndReportsTheDate) {
    const TRendered before = RenderScreen(Meter);
    const TTransitLayout &m = before.Layout;
    QSignalSpy hits(&Meter, &TTransitMeter::UserHit);
    QSignalSpy downs(&Meter, &TTransitMeter::MouseDown);

    Press(m.L + 2);
    ASSERT_EQ(1, hits.count());
    EXPECT_EQ(20000101, hits.takeFirst().at(0).toInt()) << "the plot's left edge";
    Press(m.Rt - 2);
    ASSERT_EQ(1, hits.count());
    EXPECT_EQ(20030101, hits.takeFirst().at(0).toInt()) << "the plot's right edge";

    const int x = (m.L + m.Rt) / 2;
    Press(x);
    ASSERT_EQ(1, hits.count());
    hits.clear();
    Press(x);
    Press(m.L + 1);
    Press(m.Rt - 1);
    EXPECT_EQ(0, hits.count()) << "same column or outside the plot";
    EXPECT_EQ(x, Meter.CursorColumn());

    Press(x + 5, Qt::RightButton);
    Move(x + 6, Qt::RightButton);
    Move(x + 7, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(x, Meter.CursorColumn()) << "only the left button alone moves the cursor";
    EXPECT_EQ(0, hits.count());
    ASSERT_GE(downs.count(), 1);
    EXPECT_EQ(Qt::RightButton, downs.last().at(0).value<Qt::MouseButton>());

    Move(x + 8, Qt::LeftButton);
    EXPECT_EQ(x + 8, Meter.CursorColumn());
    EXPECT_EQ(1, hits.count());

    const int midY = (m.T + m.B) / 2;
    const TRendered with = RenderScreen(Meter);
    EXPECT_EQ(Black, with.At(x + 8, midY));
    EXPECT_EQ(Black, with.At(x + 8, m.T + 2));
    EXPECT_EQ(White, with.At(x, midY)) << "the old cursor column is plot again";

    Meter.SetActive(true);
    EXPECT_EQ(-1, Meter.CursorColumn()) << "activation forgets the cursor";
    EXPECT_EQ(White, RenderScreen(Meter).At(x + 8, midY));
}

// The strength curve of a real transit, fed the way the interpretation window and the print job
// feed it. The images stay in the build directory.
TEST(TransitMeterCurve, RealTransitOnScreenAndOnPaper) {
    const std::string directory = KYR_PROGRAM_DIR;
    if (!std::filesystem::exists(std::filesystem::path(directory) / EphemerisFileName))
        GTEST_SKIP() << "no ephemeris file in " << directory;
    ResetEphemeris();
    SetProgramDirectory(directory);
    THoroscope h;
    h.SetBirthDate(1975.0321L);
    h.SetBirthTime(14.30L);
    h.SetLatitude(48.08L);
    h.SetLongitude(-11.34L);
    h.SetOptions(OptionAspects | OptionTransits);
    h.SetFromYear(2000);
    h.SetToYear(2003);
    h.SetActive(true);
    ASSERT_GT(h.TransitCount, 0);

    // The transit in orb longest: a curve with several passes.
    int chosen = 1;
    for (int n = 1, longest = 0; n <= h.TransitCount; ++n) {
        const TTransitRecord &t = h.Transits[static_cast<std::size_t>(n - 1)];
        if (t.End - t.Start > longest) {
            longest = t.End - t.Start;
            chosen = n;
        }
    }

    TTransitMeter meter;
    meter.resize(640, 120);
    meter.SetFromYear(h.FromYear());
    meter.SetToYear(h.ToYear());
    meter.SetBackColor(White);
    const int columns = meter.AreaWidth();
    std::vector<Extended> values(static_cast<std::size_t>(columns));
    ASSERT_TRUE(h.GetTransitCurve(chosen, columns, values.data()));
    meter.SetActive(false);
    for (int i = 0; i < columns; ++i)
        meter.SetValue(i, values[static_cast<std::size_t>(i)]);
    meter.SetActive(true);
    const TRendered screen = RenderScreen(meter);
    screen.Image.save(QStringLiteral(KYR_TEST_OUTPUT_DIR "/transit-meter-screen.png"));

    const TTransitLayout &m = screen.Layout;
    int bars = 0;
    for (int i = 0; i < columns; ++i) {
        const int height = BarHeight(values[static_cast<std::size_t>(i)], m.PlotHeight());
        const bool drawn = screen.At(m.L + 2 + i, m.B - 3) == Red;
        EXPECT_EQ(height >= 2, drawn) << "column " << i;
        bars += drawn;
    }
    EXPECT_GT(bars, 10);

    std::vector<Extended> printed(769);
    ASSERT_TRUE(h.GetTransitCurve(chosen, 769, printed.data()));
    meter.SetActive(false);
    for (int i = 0; i <= 768; ++i)
        meter.SetValue(i, printed[static_cast<std::size_t>(i)]);
    meter.SetMaxValues(768);
    meter.SetActive(true);
    const TRendered paper = RenderPicture(meter, QSize(1300, 320), QRect(20, 20, 1260, 280));
    paper.Image.save(QStringLiteral(KYR_TEST_OUTPUT_DIR "/transit-meter-paper.png"));
    int filled = 0;
    for (int x = paper.Layout.L + 2; x <= paper.Layout.Rt - 2; ++x)
        filled += paper.At(x, paper.Layout.B - 4) == Red;
    EXPECT_GT(filled, 20);

    ResetEphemeris();
    SetProgramDirectory("");
}

} // namespace
