// The four table windows drawn offscreen: what they draw with and without a chart, where they
// keep their place, the aspect window's menu, and pictures of a real chart to look at.
#include "AspectWindow.h"
#include "CuspWindow.h"
#include "PositionWindow.h"
#include "SymbolWindow.h"

#include "Angles.h"
#include "Horoscope.h"
#include "Language.h"
#include "OrbSets.h"
#include "EnglishSuite.h"
#include "TableLayout.h"
#include "TableRows.h"
#include "TableText.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

using namespace kyr;

namespace {

using TPixelTest = std::function<bool(QRgb)>;

// Text and glyphs; not the white ground, not the light grid lines.
bool IsInk(QRgb p) {
    return std::min({qRed(p), qGreen(p), qBlue(p)}) < 160;
}
bool IsBlue(QRgb p) {
    return qBlue(p) > 200 && qRed(p) < 90 && qGreen(p) < 90;
}
bool IsRed(QRgb p) {
    return qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90;
}

int CountPixels(const QImage &image, const TCell &cell, const TPixelTest &test) {
    int count = 0;
    for (int y = std::max(cell.Top, 0); y < std::min(cell.Bottom, image.height()); ++y)
        for (int x = std::max(cell.Left, 0); x < std::min(cell.Right, image.width()); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

QImage Picture(QWidget &window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void Save(const QImage &image, const char *name) {
    QDir().mkpath(QStringLiteral(KYR_TABLES_PICTURES));
    image.save(QStringLiteral(KYR_TABLES_PICTURES "/") + QLatin1String(name));
}

TWindowPlace PlaceOfSize(int width, int height) {
    return {true, 0, 0, width, height, WindowNormal};
}

class TableWindows : public test::TEnglishSuite {
protected:
    static void SetUpTestSuite() {
        TEnglishSuite::SetUpTestSuite();
        // The main window registers the symbol font; without the files Qt falls back.
        for (const char *file : {"KYRS.TTF", "KYRSS.TTF"})
            QFontDatabase::addApplicationFont(QStringLiteral(KYR_PROGRAM_DIR "/") +
                                              QLatin1String(file));
        symbolFont = QFontDatabase::families().contains(TableFontFamily);
    }

    static inline bool symbolFont = false;
};

// A chart filled by hand and left inactive, as while the main window changes several fields.
void FillInactiveChart(THoroscope &h) {
    h.FirstName = "Anna";
    h.LastName = "Berg";
    for (int b = 1; b <= BodyCount; ++b)
        h.Positions[b] = DegToRad(27.5L * b);
    for (int c = 0; c <= 13; ++c)
        h.CuspTable[c] = DegToRad(30.0L * ((c + 11) % 12));
    h.RetrogradeFlags[5] = true;
    h.Aspects[0] = {1, 2, 2, 30};
    h.AspectCount = 1;
}

void SetBirthData(THoroscope &h, Extended date, Extended time, Extended zone, Extended latitude,
                  Extended longitude) {
    h.SetBirthDate(date);
    h.SetBirthTime(time);
    h.SetZoneTime(zone);
    h.SetLatitude(latitude);
    h.SetLongitude(longitude);
    h.SetOptions(OptionAspects);
    for (int point = 1; point <= AspectPointCount; ++point)
        for (int slot : OrbColumnSlots)
            h.SetOrb(slot, point, point <= 2 ? 8 : 5);
}

} // namespace

TEST_F(TableWindows, WithoutAnActiveChartPositionsAndCuspsShowOnlyTheGrid) {
    THoroscope inactive;
    FillInactiveChart(inactive);
    for (const THoroscope *h :
         {static_cast<const THoroscope *>(nullptr), static_cast<const THoroscope *>(&inactive)}) {
        TWindowPlace positionPlace = PlaceOfSize(231, 299);
        TWindowPlace cuspPlace = PlaceOfSize(178, 300);
        TWinppos positions(positionPlace, *language, h);
        TWinCPos cusps(cuspPlace, *language, h);
        positions.Refresh();
        cusps.Refresh();
        if (h) {
            // The rows are kept up to date; only the drawing waits for an active chart.
            EXPECT_EQ(PositionRows(*h, *language), positions.Rows());
            EXPECT_EQ(CuspRows(*h, *language), cusps.Rows());
            EXPECT_EQ("Anna Berg", positions.windowTitle());
        } else {
            EXPECT_TRUE(positions.Rows().empty());
            EXPECT_TRUE(cusps.Rows().empty());
            EXPECT_EQ("Winppos", positions.windowTitle());
            EXPECT_EQ("WinCPos", cusps.windowTitle());
        }
        for (TTableWindow *window :
             {static_cast<TTableWindow *>(&positions), static_cast<TTableWindow *>(&cusps)}) {
            const QImage image = Picture(*window);
            EXPECT_EQ(0, CountPixels(image, {0, 0, image.width(), image.height()}, IsInk))
                << window->objectName().toStdString() << (h ? " inactive" : " without chart");
            // The grid is there: a row line in the button-face colour.
            EXPECT_EQ(QApplication::palette().color(QPalette::Button).rgb(),
                      image.pixel(5, image.height() / 12));
        }
    }
}

TEST_F(TableWindows, AspectGridWithoutAspectsShowsOnlyTheHeaders) {
    THoroscope inactive;
    FillInactiveChart(inactive);
    inactive.AspectCount = 0;
    for (const THoroscope *h :
         {static_cast<const THoroscope *>(nullptr), static_cast<const THoroscope *>(&inactive)}) {
        TWindowPlace place = PlaceOfSize(419, 303);
        TWinAspects aspects(place, *language, h);
        aspects.Refresh();
        const QImage image = Picture(aspects);
        const TAspectLayout layout = AspectLayout(image.width(), image.height());
        int header = 0;
        int body = 0;
        for (int row = 0; row < 15; ++row)
            for (int column = 0; column < 15; ++column) {
                const TCell cell{layout.X[column], layout.Y[row], layout.X[column + 1],
                                 layout.Y[row + 1]};
                (row == 0 || column == 0 ? header : body) += CountPixels(image, cell, IsInk);
            }
        EXPECT_GT(header, 0);
        EXPECT_EQ(0, body);
    }
}

TEST_F(TableWindows, WindowPlaceFollowsTheSubWindow) {
    QMdiArea area;
    area.resize(900, 700);
    area.show();

    // An invalid default place still says where the window first goes.
    TWindowPlace place{false, 80, 20, 260, 320, WindowNormal};
    QPointer<TWinCPos> window = new TWinCPos(place, *language, nullptr);
    QPointer<QMdiSubWindow> sub = area.addSubWindow(window);
    sub->show();
    QApplication::processEvents();
    EXPECT_EQ(QRect(80, 20, 260, 320), sub->geometry());
    EXPECT_EQ((TWindowPlace{true, 80, 20, 260, 320, WindowNormal}), place);

    sub->resize(300, 330);
    QApplication::processEvents();
    EXPECT_EQ((TWindowPlace{true, 80, 20, 300, 330, WindowNormal}), place);

    // Moving alone is kept when the window closes; closing frees form and frame.
    sub->move(50, 60);
    sub->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ((TWindowPlace{true, 50, 60, 300, 330, WindowNormal}), place);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(sub.isNull());
}

TEST_F(TableWindows, MaximisedPlaceKeepsTheNormalBounds) {
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    TWindowPlace place{true, 40, 10, 290, 310, WindowMaximised};
    auto *window = new TWinppos(place, *language, nullptr);
    QMdiSubWindow *sub = area.addSubWindow(window);
    sub->show();
    QApplication::processEvents();
    EXPECT_TRUE(sub->isMaximized());
    area.resize(800, 600);
    QApplication::processEvents();
    sub->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ((TWindowPlace{true, 40, 10, 290, 310, WindowMaximised}), place);
}

TEST_F(TableWindows, AspectMenuSetsTheBackgroundColour) {
    TWindowPlace place = PlaceOfSize(419, 303);
    TWinAspects window(place, *language, nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ("Back&ground Colour...", window.BackgroundColorItem()->text());

    // Only the plain right button opens the menu.
    QTest::mouseClick(&window, Qt::RightButton, Qt::ShiftModifier, QPoint(100, 100));
    EXPECT_FALSE(window.PopupMenu()->isVisible());
    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_FALSE(window.PopupMenu()->isVisible());
    QTest::mouseClick(&window, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_TRUE(window.PopupMenu()->isVisible());
    window.PopupMenu()->hide();

    QColor offered;
    window.ChooseColor = [&offered](QColor &color) {
        offered = color;
        color = Qt::yellow;
        return true;
    };
    window.BackgroundColorItem()->trigger();
    EXPECT_EQ(QColor(Qt::white), offered);
    EXPECT_EQ(QColor(Qt::yellow), window.Color());
    EXPECT_EQ(QColor(Qt::yellow).rgb(), Picture(window).pixel(200, 150));

    window.ChooseColor = [](QColor &color) {
        color = Qt::green;
        return false; // cancelled
    };
    window.BackgroundColorItem()->trigger();
    EXPECT_EQ(QColor(Qt::yellow), window.Color());
    EXPECT_EQ((TWindowPlace{true, 0, 0, 419, 303, WindowNormal}), place); // colour not kept
}

class RealChart : public TableWindows {
protected:
    void SetUp() override {
        TableWindows::SetUp();
        if (!std::filesystem::exists(KYR_PROGRAM_DIR "/KYR.LNG"))
            GTEST_SKIP() << "KYR.LNG not built";
        first.FirstName = "Anna";
        first.LastName = "Berg";
        SetBirthData(first, 1975.0412L, 9.45L, -1, 55.40L, -12.35L);
        partner.FirstName = "Carl";
        SetBirthData(partner, 1978.1103L, 18.20L, 0, 51.30L, -0.07L);
        first.SetActive(true);
        partner.SetActive(true);
        ASSERT_TRUE(first.Active());
    }

    THoroscope first;
    THoroscope partner;
};

TEST_F(RealChart, PositionWindowDrawsEveryRow) {
    TWindowPlace place = PlaceOfSize(231, 299);
    TWinppos window(place, *language, &first);
    EXPECT_EQ("Anna Berg", window.windowTitle());
    EXPECT_EQ(PositionRows(first, *language), window.Rows());
    const QImage image = Picture(window);
    Save(image, "positions.png");

    const TPositionLayout layout = PositionLayout(image.width(), image.height());
    const auto cell = [&layout](int column, int row) {
        return TCell{layout.X[column - 1] + 1, layout.Y[row] + 1, layout.X[column],
                     layout.Y[row + 1]};
    };
    for (int r = 0; r < 12; ++r) {
        EXPECT_GT(CountPixels(image, cell(2, r), IsInk), 0) << "position of row " << r;
        EXPECT_GT(CountPixels(image, cell(5, r), IsInk), 0) << "house of row " << r;
        if (!symbolFont)
            continue;
        EXPECT_GT(CountPixels(image, cell(1, r), IsInk), 0) << "body glyph of row " << r;
        EXPECT_GT(CountPixels(image, cell(3, r), IsInk), 0) << "sign glyph of row " << r;
        EXPECT_EQ(first.Retrograde(r + 1), CountPixels(image, cell(4, r), IsInk) > 0)
            << "retrograde mark of row " << r;
    }
}

TEST_F(RealChart, CuspWindowDrawsEveryRow) {
    TWindowPlace place = PlaceOfSize(178, 300);
    TWinCPos window(place, *language, &first);
    EXPECT_EQ(CuspRows(first, *language), window.Rows());
    const QImage image = Picture(window);
    Save(image, "cusps.png");

    const TCuspLayout layout = CuspLayout(image.width(), image.height());
    for (int r = 0; r < 12; ++r)
        for (int column = 1; column <= 3; ++column) {
            if (column != 2 && !symbolFont)
                continue;
            const TCell cell{layout.X[column - 1] + 1, layout.Y[r] + 1, layout.X[column],
                             layout.Y[r + 1]};
            EXPECT_GT(CountPixels(image, cell, IsInk), 0) << "row " << r << " column " << column;
        }
}

TEST_F(RealChart, AspectGridPutsEachChartInItsTriangleAndColour) {
    TWindowPlace place = PlaceOfSize(419, 303);
    TWinAspects window(place, *language, &first);
    Save(Picture(window), "aspects.png");

    first.SetPartner(&partner);
    partner.SetPartner(&first);
    ASSERT_GT(first.AspectCount, 0);
    ASSERT_GT(partner.AspectCount, 0);
    window.Refresh();
    const QImage image = Picture(window);
    Save(image, "aspects_partner.png");

    const TAspectLayout layout = AspectLayout(image.width(), image.height());
    std::set<std::pair<int, int>> firstCells;
    std::set<std::pair<int, int>> partnerCells;
    for (const TAspectCell &cell : AspectCells(first, *language))
        (cell.Partner ? partnerCells : firstCells).insert({cell.Row, cell.Column});
    for (int row = 1; row < 15; ++row)
        for (int column = 1; column < 15; ++column) {
            const TCell cell{layout.X[column] + 1, layout.Y[row] + 1, layout.X[column + 1],
                             layout.Y[row + 1]};
            const bool blue = CountPixels(image, cell, IsBlue) > 0;
            const bool red = CountPixels(image, cell, IsRed) > 0;
            EXPECT_EQ(firstCells.count({row, column}) > 0, blue) << row << "," << column;
            EXPECT_EQ(partnerCells.count({row, column}) > 0, red) << row << "," << column;
        }
}

TEST_F(RealChart, RefreshFollowsTheChart) {
    TWindowPlace positionPlace = PlaceOfSize(231, 299);
    TWindowPlace cuspPlace = PlaceOfSize(178, 300);
    TWinppos positions(positionPlace, *language, &first);
    TWinCPos cusps(cuspPlace, *language, &first);
    first.OnChange = [&](THoroscope &) {
        positions.Refresh();
        cusps.Refresh();
    };
    const auto before = positions.Rows();
    first.SetBirthTime(21.05L);
    EXPECT_NE(before, positions.Rows());
    EXPECT_EQ(PositionRows(first, *language), positions.Rows());
    EXPECT_EQ(CuspRows(first, *language), cusps.Rows());
}

TEST_F(TableWindows, SymbolWindowNamesEveryCode) {
    TWindowPlace place = PlaceOfSize(191, 306);
    TWinSymbols window(place, *language, nullptr);
    ASSERT_EQ(38u, window.Rows().size());
    QImage image = Picture(window);
    Save(image, "symbols.png");
    // Larger, to look at the glyphs.
    window.resize(300, 760);
    Save(Picture(window), "symbols_large.png");

    const TSymbolLayout layout = SymbolLayout(image.width(), image.height());
    for (int r = 1; r <= 38; ++r) {
        EXPECT_GT(CountPixels(image,
                              {layout.X1 + 1, layout.Y[r - 1] + 1, image.width(), layout.Y[r]},
                              IsInk),
                  0)
            << "name of code " << r - 1;
        if (symbolFont) {
            EXPECT_GT(CountPixels(image, {0, layout.Y[r - 1] + 1, layout.X1, layout.Y[r]}, IsInk),
                      0)
                << "glyph of code " << r - 1;
        }
    }
}

namespace {

// Copy To Clipboard with a table in front: the table's text, or nothing without a chart.
TEST_F(RealChart, EachTableCopiesItsTextToTheClipboard) {
    TWindowPlace positionPlace = PlaceOfSize(231, 299);
    TWindowPlace cuspPlace = PlaceOfSize(178, 300);
    TWindowPlace aspectPlace = PlaceOfSize(419, 303);
    TWinppos positions(positionPlace, *language, &first);
    TWinCPos cusps(cuspPlace, *language, &first);
    TWinAspects aspects(aspectPlace, *language, &first);
    const struct {
        const char *Table;
        const TTableWindow &Window;
        std::string Text;
        const char *Header;
    } cases[] = {
        {"positions", positions, PositionTableText(first, *language), "Body\tPosition\t"},
        {"cusps", cusps, CuspTableText(first, *language), "Cusp\tPosition\tSign\n"},
        {"aspects", aspects, AspectTableText(first, *language), "\tSun\tMoon\t"},
    };
    for (const auto &c : cases) {
        QApplication::clipboard()->clear();
        EXPECT_TRUE(c.Window.CopyToClipboard()) << c.Table;
        const QString copied = QApplication::clipboard()->text();
        EXPECT_EQ(QString::fromStdString(c.Text), copied) << c.Table;
        EXPECT_TRUE(copied.startsWith(QLatin1String(c.Header))) << c.Table;
        EXPECT_EQ(copied.count(QLatin1Char('\n')), c.Table == std::string("aspects") ? 15 : 13)
            << c.Table;
    }
    first.SetActive(false);
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    EXPECT_FALSE(positions.CopyToClipboard());
    EXPECT_EQ(QStringLiteral("kept"), QApplication::clipboard()->text());
}

} // namespace
