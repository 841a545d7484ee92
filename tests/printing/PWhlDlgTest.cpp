// The wheel-page editor offscreen on an A4 page without margins (210 x 297 mm): where the shapes
// go, selecting, dragging and editing a box, the range check of the edits, and what OK, Save and
// Cancel leave in the settings and the settings file.

#include "PWhlDlg.h"

#include "PrintDialogsTestSupport.h"
#include "WheelPageEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSize>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace kyr::test {
namespace {

class PWhlDlgTest : public PrintDialogFixture {
protected:
    PWhlDlgTest() : Dlg(Setup, Language, Printer) {
        Pdf.setFullPage(true);
        Pdf.setPageSize(QPageSize(QPageSize::A4));
        Pdf.setPageOrientation(QPageLayout::Portrait);
        Dlg.OnBeep = [this] { ++Beeps; };
    }

    /// A mouse event as the preview receives it, with the buttons held.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), Dlg.Preview()->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(Dlg.Preview(), &event);
    }

    /// Types a text into an edit as the user would and leaves the edit.
    void Type(QLineEdit *edit, const QString &text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        emit edit->editingFinished();
    }

    TPWhlDlg Dlg;
};

TEST_F(PWhlDlgTest, ShapesSitAtTheirBoxesOnTheScaledPage) {
    Dlg.show();
    Grab(Dlg, "PWhlDlg-layout");
    EXPECT_EQ("Wheel Page Layout", Dlg.windowTitle());
    EXPECT_EQ(210, Dlg.PageWidthMm());
    EXPECT_EQ(297, Dlg.PageHeightMm());
    EXPECT_EQ(QSize(240, 340), Dlg.Preview()->size());
    // Scale 240/210 across and 340/297 down; the 10 mm margins put the origin at (11, 11).
    EXPECT_EQ(QRect(56, 41, 160, 160), Dlg.Preview()->Shape(pbWheel));
    EXPECT_EQ(QRect(11 + 160, 11 + 202, 42, 80), Dlg.Preview()->Shape(pbPlanets));
    EXPECT_EQ(QRect(11, 11, 205, 24), Dlg.Preview()->Shape(pbInformation));
    for (int box = 0; box < PageBoxCount; ++box)
        EXPECT_TRUE(Dlg.BoxCheck(box)->isChecked());
    EXPECT_TRUE(Dlg.ColourButton()->isChecked());
    EXPECT_EQ("Wheel Drawing", Dlg.BoxCheck(pbWheel)->text());
    EXPECT_EQ("B/W", Dlg.BWButton()->text());
    EXPECT_EQ("&Save", Dlg.SaveButton()->text());
}

TEST_F(PWhlDlgTest, TheLandscapePageTurnsThePreview) {
    Pdf.setPageOrientation(QPageLayout::Landscape);
    Dlg.show();
    EXPECT_EQ(QSize(340, 240), Dlg.Preview()->size());
    EXPECT_EQ(297, Dlg.PageWidthMm());
    Grab(Dlg, "PWhlDlg-landscape");
    Dlg.hide();
    Pdf.setPageOrientation(QPageLayout::Portrait);
    Dlg.show();
    EXPECT_EQ(QSize(240, 340), Dlg.Preview()->size());
}

TEST_F(PWhlDlgTest, SelectingABoxShowsItsValues) {
    Dlg.show();
    // A press on the planet table's shape.
    Mouse(QEvent::MouseButtonPress, Dlg.Preview()->Shape(pbPlanets).center(), Qt::LeftButton,
          Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, Dlg.Preview()->Shape(pbPlanets).center(), Qt::LeftButton,
          Qt::NoButton);
    EXPECT_EQ(pbPlanets, Dlg.SelectedBox());
    EXPECT_EQ(pbPlanets, Dlg.Preview()->Selected());
    EXPECT_EQ((QStringList{"140", "177", "37", "70"}),
              (QStringList{Dlg.EditX()->text(), Dlg.EditY()->text(), Dlg.EditW()->text(),
                           Dlg.EditH()->text()}));
    // A check box entered, and a box switched off: its shape goes and its edits are locked.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(Dlg.BoxCheck(pbHouses), &focus);
    EXPECT_EQ(pbHouses, Dlg.SelectedBox());
    EXPECT_TRUE(Dlg.Legend(pbHouses)->Selected());
    EXPECT_FALSE(Dlg.Legend(pbPlanets)->Selected());
    Dlg.BoxCheck(pbSymbol)->click();
    EXPECT_EQ(pbSymbol, Dlg.SelectedBox());
    EXPECT_FALSE(Dlg.Preview()->ShapeVisible(pbSymbol));
    EXPECT_FALSE(Dlg.Boxes().Symbol.Enabled);
    EXPECT_FALSE(Dlg.EditX()->isEnabled());
    Dlg.BoxCheck(pbSymbol)->click();
    EXPECT_TRUE(Dlg.EditX()->isEnabled());
}

TEST_F(PWhlDlgTest, DraggingAShapeMovesItsBox) {
    Dlg.show();
    const QPoint grip = Dlg.Preview()->Shape(pbWheel).center();
    Mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, grip + QPoint(23, 12), Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, grip + QPoint(23, 12), Qt::LeftButton, Qt::NoButton);
    // The corner moved from (56, 41) to (79, 53): Trunc(68 · 210/240) and Trunc(42 · 297/340).
    EXPECT_EQ(QRect(79, 53, 160, 160), Dlg.Preview()->Shape(pbWheel));
    EXPECT_EQ("59", Dlg.EditX()->text());
    EXPECT_EQ("36", Dlg.EditY()->text());
    EXPECT_EQ(59, Dlg.Boxes().Wheel.Left);
    EXPECT_EQ(36, Dlg.Boxes().Wheel.Top);
    // Dragged past the page's corner, the box stays on the page.
    Mouse(QEvent::MouseButtonPress, QPoint(80, 54), Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, QPoint(-200, -200), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(0, Dlg.Boxes().Wheel.Left);
    EXPECT_EQ(0, Dlg.Boxes().Wheel.Top);
    // The settings have not moved.
    EXPECT_EQ(40, Setup.PrintOptions.Wheel.Left);
}

TEST_F(PWhlDlgTest, EditsMoveAndResizeTheBoxWithinThePage) {
    Dlg.show();
    Dlg.SelectBox(pbAspects);
    struct TCase {
        QLineEdit *Edit;
        QString Typed;
        QString Shown; ///< after leaving the edit
        bool Beep;
    };
    const TCase cases[] = {
        {Dlg.EditX(), "50", "50", false},  {Dlg.EditY(), "300", "297", true},
        {Dlg.EditW(), "5", "10", true},    {Dlg.EditH(), "1000", "297", true},
        {Dlg.EditW(), "999", "210", true}, {Dlg.EditH(), "12", "12", false},
        {Dlg.EditX(), "4a", "4", true},    {Dlg.EditW(), "9 ", "10", true},
    };
    for (const TCase &c : cases) {
        const int before = Beeps;
        Type(c.Edit, c.Typed);
        EXPECT_EQ(c.Shown, c.Edit->text()) << c.Typed.toStdString();
        EXPECT_EQ(c.Beep, Beeps > before) << c.Typed.toStdString();
    }
    const TPrintBox &box = Dlg.Boxes().Aspects;
    EXPECT_EQ((TPrintBox{true, 4, 297, 10, 12}), box);
    // The shape follows the box.
    EXPECT_EQ(TPreviewScale::For({240, 340}, 210, 297, 10, 10).ShapeOf(box),
              Dlg.Preview()->Shape(pbAspects));
}

TEST_F(PWhlDlgTest, SaveWritesTheSettingsFileAndCancelLosesNothing) {
    const TPrintOptions before = Setup.PrintOptions;
    Dlg.show();
    Dlg.SelectBox(pbWheel);
    Type(Dlg.EditX(), "12");
    Dlg.BWButton()->click();
    Dlg.BoxCheck(pbHouses)->click();
    Dlg.CancelButton()->click();
    EXPECT_EQ(before.Wheel, Setup.PrintOptions.Wheel);
    EXPECT_EQ(before.Houses, Setup.PrintOptions.Houses);
    EXPECT_FALSE(Setup.PrintOptions.BW);
    // Shown again, the dialog shows the settings, not the abandoned edits.
    Dlg.show();
    Dlg.SelectBox(pbWheel);
    EXPECT_EQ("40", Dlg.EditX()->text());
    EXPECT_TRUE(Dlg.BoxCheck(pbHouses)->isChecked());
    EXPECT_TRUE(Dlg.ColourButton()->isChecked());

    // OK keeps the edits in the settings without writing the file.
    Type(Dlg.EditY(), "30");
    Dlg.OkButton()->click();
    EXPECT_EQ(30, Setup.PrintOptions.Wheel.Top);
    EXPECT_FALSE(std::filesystem::exists(Setup.SettingsFileName()));

    // Save writes them; a fresh read of the file gives the same boxes.
    Dlg.show();
    Type(Dlg.EditW(), "120");
    Dlg.BWButton()->click();
    Dlg.BoxCheck(pbSymbol)->click();
    Dlg.SaveButton()->click();
    EXPECT_TRUE(Dlg.SaveButton()->isEnabled());
    EXPECT_TRUE(Dlg.isVisible());
    TKyrSetup reread(MakeEnvironment(Program));
    reread.ReadSettings(Setup.SettingsFileName());
    for (int box = 0; box < PageBoxCount; ++box)
        EXPECT_EQ(PageBox(Setup.PrintOptions, box), PageBox(reread.PrintOptions, box)) << box;
    EXPECT_EQ((TPrintBox{true, 40, 30, 120, 140}), reread.PrintOptions.Wheel);
    EXPECT_FALSE(reread.PrintOptions.Symbol.Enabled);
    EXPECT_TRUE(reread.PrintOptions.BW);
}

TEST_F(PWhlDlgTest, PageLayoutAndPrinterOptionsReplaceTheShapesAndKeepTheEdits) {
    Dlg.show();
    Dlg.SelectBox(pbWheel);
    Type(Dlg.EditX(), "20");
    Dlg.OnPageLayout = [this] { Setup.PrintLayout.LeftMargin = 30; };
    Dlg.PageLayoutButton()->click();
    // A 30 mm margin puts the origin at Trunc(30/210 · 240) = 34.
    EXPECT_EQ(34 + 22, Dlg.Preview()->Shape(pbWheel).left());
    EXPECT_EQ(20, Dlg.Boxes().Wheel.Left);
    Dlg.OnPrinterOptions = [this] { Pdf.setPageOrientation(QPageLayout::Landscape); };
    Dlg.PrinterOptionsButton()->click();
    EXPECT_EQ(QSize(340, 240), Dlg.Preview()->size());
    EXPECT_EQ(20, Dlg.Boxes().Wheel.Left);
}

} // namespace
} // namespace kyr::test
