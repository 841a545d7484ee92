// The wheel window: its three modes, the menu's switches and settings, what wheel clicks
// tell the main window, the sign picture of a double-click and dropped names.
#include "WheelWindow.h"
#include "WheelRenderHelpers.h"

#include "KyrSetup.h"
#include "Language.h"
#include "Translation.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <filesystem>
#include <memory>
#include <tuple>

using namespace kyr;
using namespace kyr::test;

namespace {

using H = TWheelHitType;

class TQuietWheelWin : public TWheelWin {
public:
    using TWheelWin::TWheelWin;
    int Beeps = 0;

protected:
    void Beep() override { ++Beeps; }
};

class WheelWindow : public WheelRendering {
protected:
    void SetUp() override {
        WheelRendering::SetUp();
        MakeChart(First);
        MakeChart(Second, 100);
        First.FirstName = "Ada";
        First.LastName = "Lovelace";
        Setup =
            std::make_unique<TKyrSetup>(TSetupEnvironment{Directory.string() + "/", {}, {}, {}});
        Setup->System.HideAspects = false;
    }
    void TearDown() override {
        Window.reset();
        WheelRendering::TearDown();
    }

    TQuietWheelWin &Open(const TLanguage *language = nullptr, THoroscope *second = nullptr) {
        Window = std::make_unique<TQuietWheelWin>(
            TWheelWin::TContext{&First, second ? second : &Second, Setup.get(), language, false,
                                [this](bool on) { Animation.push_back(on); }});
        Window->setAttribute(Qt::WA_DeleteOnClose, false);
        Window->OnShowItem = [this](H kind, int ref) { Shown.push_back({kind, ref}); };
        Window->show();
        // The test points are read from the geometry of the shown size.
        for (TWheel *wheel : {Window->Wheel1(), Window->Wheel2()})
            wheel->LayoutFor(ToRectI(wheel->rect()));
        return *Window;
    }
    /// Lays both wheels out for their present sizes, as a paint would.
    void LayOut() {
        for (TWheel *wheel : {Window->Wheel1(), Window->Wheel2()})
            wheel->LayoutFor(ToRectI(wheel->rect()));
    }
    static QPoint BodyAt(const TWheel &wheel, int body) {
        const TPointI c = wheel.Geometry().Bodies[body].Centre;
        return {c.X, c.Y};
    }
    static QPoint At(const TWheel &wheel, double degrees, double r) {
        return PolarPixel(wheel.Geometry(), degrees, r);
    }

    THoroscope First, Second;
    std::unique_ptr<TKyrSetup> Setup;
    std::unique_ptr<TQuietWheelWin> Window;
    std::vector<TWheelHit> Shown;
    std::vector<bool> Animation;
};

TEST_F(WheelWindow, StartsWithTheFirstChartAlone) {
    TWheelWin &w = Open();
    EXPECT_EQ(w.WheelMode(), 1);
    EXPECT_EQ(w.windowTitle(), "Ada Lovelace");
    EXPECT_EQ(w.size(), QSize(432, 372));
    EXPECT_EQ(w.Wheel1()->Horoscope(), &First);
    EXPECT_EQ(w.Wheel1()->geometry(), w.rect());
    EXPECT_TRUE(w.Wheel1()->ShowAspects());
    EXPECT_TRUE(w.Wheel2()->isHidden());
    EXPECT_FALSE(w.miBiWheel->isEnabled());
    EXPECT_FALSE(w.miSwitchNames->isVisible());
    EXPECT_FALSE(w.miRemovePicture->isVisible());
    EXPECT_EQ(Tag(w.miWheelType), 905);
    EXPECT_EQ(Tag(w.miColorMode), 258);
    EXPECT_TRUE(w.miUseMemory->isChecked());
    EXPECT_EQ(Animation, std::vector<bool>{true});
    bool destroyed = false;
    w.OnDestroyed = [&] { destroyed = true; };
    Window.reset();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Animation, (std::vector<bool>{true, false}));
}

TEST_F(WheelWindow, ModesLinkTheWheelsAndTheHoroscopes) {
    TWheelWin &w = Open();
    w.miWheelTypeClick();
    EXPECT_EQ(w.WheelMode(), 2);
    EXPECT_TRUE(w.Wheel1()->DualMode());
    EXPECT_EQ(w.Wheel1()->RelationWheel(), w.Wheel2());
    EXPECT_EQ(w.Wheel2()->RelationWheel(), w.Wheel1());
    EXPECT_EQ(w.Wheel2()->Horoscope(), &Second);
    EXPECT_TRUE(w.Wheel2()->isHidden());
    EXPECT_EQ(First.Partner(), &Second);
    EXPECT_EQ(Second.Partner(), &First);
    EXPECT_TRUE(w.miBiWheel->isChecked() && w.miBiWheel->isEnabled());
    EXPECT_EQ(Tag(w.miWheelType), 904);

    w.miBiWheelClick();
    EXPECT_EQ(w.WheelMode(), 3);
    EXPECT_FALSE(w.Wheel1()->DualMode());
    EXPECT_FALSE(w.Wheel2()->isHidden());
    EXPECT_FALSE(w.miBiWheel->isChecked());
    EXPECT_EQ(w.Wheel1()->geometry(), QRect(0, 0, 216, 372));
    EXPECT_EQ(w.Wheel2()->geometry(), QRect(216, 0, 216, 372));
    w.resize(300, 501);
    EXPECT_EQ(w.Wheel1()->geometry(), QRect(0, 0, 300, 250));
    EXPECT_EQ(w.Wheel2()->geometry(), QRect(0, 250, 300, 250));
    EXPECT_EQ(Setup->Windows.Wheel.Height, 501);

    w.miBiWheelClick();
    EXPECT_EQ(w.WheelMode(), 2);
    EXPECT_EQ(w.Wheel1()->geometry(), w.rect());

    w.miWheelTypeClick();
    EXPECT_EQ(w.WheelMode(), 1);
    EXPECT_EQ(w.Wheel2()->Horoscope(), nullptr);
    EXPECT_EQ(w.Wheel1()->RelationWheel(), nullptr);
    EXPECT_EQ(First.Partner(), nullptr);
    // The bi-wheel switch means nothing to a single chart.
    w.miBiWheelClick();
    EXPECT_EQ(w.WheelMode(), 1);
}

TEST_F(WheelWindow, MenuSwitchesFollowTheSettings) {
    TQuietWheelWin &w = Open();
    w.miWheelTypeClick();
    w.miColorModeClick();
    EXPECT_TRUE(Setup->WheelDrawing.BW);
    EXPECT_TRUE(w.Wheel1()->BW() && w.Wheel2()->BW());
    EXPECT_EQ(Tag(w.miColorMode), 257);
    w.miColorModeClick();
    EXPECT_FALSE(Setup->WheelDrawing.BW || w.Wheel1()->BW() || w.Wheel2()->BW());
    EXPECT_EQ(Tag(w.miColorMode), 258);

    w.miUseMemory->trigger();
    EXPECT_TRUE(w.Wheel1()->OffScreen());
    EXPECT_TRUE(Setup->WheelDrawing.UseMemory);
    EXPECT_FALSE(w.miUseMemory->isChecked());
    w.miUseMemory->trigger();
    EXPECT_FALSE(w.Wheel1()->OffScreen() || Setup->WheelDrawing.UseMemory);

    w.OnChooseColour = [](QColor &c) {
        c = QColor(10, 20, 30);
        return true;
    };
    w.miBackColorClick();
    EXPECT_EQ(w.WindowColour(), QColor(10, 20, 30));
    EXPECT_EQ(Setup->WheelDrawing.BackgroundColor, 10 | 20 << 8 | 30 << 16);
    Setup->WheelDrawing.BackgroundColor = 0x0000FF;
    w.FormActivate();
    EXPECT_EQ(w.WindowColour(), QColor(255, 0, 0));

    w.miSwitchNamesClick();
    EXPECT_EQ(w.Beeps, 1);
    w.OnChoosePicture = [] { return QString("/nonexistent/picture.bmp"); };
    w.miInsertPictureClick();
    EXPECT_EQ(w.Beeps, 2);
    EXPECT_TRUE(w.miRemovePicture->isVisible());
    w.miRemovePictureClick();
    EXPECT_TRUE(Setup->WheelDrawing.PictureFile.empty());
    EXPECT_FALSE(w.miRemovePicture->isVisible());
}

TEST_F(WheelWindow, MenuCaptionsComeFromTheirTextNumbers) {
    TLanguage language;
    language.SetCountry("ZZ");
    language.OnGetTokens = [](TLanguage &, const std::string &, std::string &out) {
        for (const int n : {903, 904, 905, 906, 461, 462, 263, 257, 258, 260})
            out += std::to_string(n) + "=\"T" + std::to_string(n) + "\"\n";
    };
    language.SetActive(true);
    ASSERT_TRUE(language.Active());
    TWheelWin &w = Open(&language);
    EXPECT_EQ(w.miInsertPicture->text(), "T461");
    EXPECT_EQ(w.miUseMemory->text(), "T260");
    w.miWheelTypeClick();
    w.miColorModeClick();
    w.WheelPopupMenuPopup();
    EXPECT_EQ(w.miWheelType->text(), "T904");
    EXPECT_EQ(w.miColorMode->text(), "T257");
    w.miWheelTypeClick();
    w.miColorModeClick();
    w.WheelPopupMenuPopup();
    EXPECT_EQ(w.miWheelType->text(), "T905");
    EXPECT_EQ(w.miColorMode->text(), "T258");
}

TEST_F(WheelWindow, WheelClicksTellTheMainWindow) {
    TWheelWin &w = Open();
    TWheel &wheel = *w.Wheel1();
    const TPointI sun = wheel.Geometry().Bodies[1].Centre;
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, QPoint(sun.X, sun.Y));
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, At(wheel, FixedSignStart(4) + 15, 0.89));
    // The Midheaven axis outside the wheel stands for cusp 10.
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, At(wheel, 90, 0.98));
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, At(wheel, 45, 0.98));
    EXPECT_EQ(Shown, (std::vector<TWheelHit>{
                         {H::htBody, 1}, {H::htSign, 4}, {H::htHouseCusp, 10}, {H::htNothing, 0}}));

    // The Aries point turns the wheel.
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, At(wheel, FixedSignStart(1) + 1, 0.89));
    EXPECT_TRUE(wheel.AriesAtLeft());

    QTest::mouseClick(&wheel, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_TRUE(w.WheelPopupMenu()->isVisible());
    w.WheelPopupMenu()->hide();
}

TEST_F(WheelWindow, DoubleClickShowsTheSignPictureWhenThereIsOne) {
    TWheelWin &w = Open();
    TWheel &wheel = *w.Wheel1();
    const QPoint cancer = At(wheel, FixedSignStart(4) + 15, 0.89);

    // Nothing hit yet, then a sign without its picture: the wheel stays.
    QTest::mouseDClick(&wheel, Qt::LeftButton, {}, QPoint(w.width() / 2, 5));
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, cancer);
    QTest::mouseDClick(&wheel, Qt::LeftButton, {}, cancer);
    EXPECT_FALSE(wheel.isHidden());

    const std::string file = SignPictureFile(Setup->ArtDirectory(), 4, false);
    EXPECT_EQ(std::filesystem::path(file).filename(), "SIGN04.BMP");
    EXPECT_EQ(std::filesystem::path(SignPictureFile("", 12, true)).filename(), "SIGN12x.BMP");
    std::filesystem::create_directories(Setup->ArtDirectory());
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "BMP"));

    QTest::mouseClick(&wheel, Qt::LeftButton, {}, cancer);
    QTest::mouseDClick(&wheel, Qt::LeftButton, {}, cancer);
    EXPECT_TRUE(wheel.isHidden());
    EXPECT_FALSE(wheel.Blinking());
    EXPECT_EQ(w.BackgroundImage()->geometry(), w.rect());
    EXPECT_FALSE(w.BackgroundImage()->pixmap().isNull());

    // A click on the picture brings the wheel back over the cleared background.
    QTest::mouseClick(w.BackgroundImage(), Qt::LeftButton);
    EXPECT_FALSE(wheel.isHidden());
    EXPECT_TRUE(w.BackgroundImage()->pixmap().isNull());
    std::filesystem::remove_all(Setup->ArtDirectory());
}

TEST_F(WheelWindow, DoubleClickShowsThePictureOfTheSignOfWhatWasHit) {
    // The Ascendant in Cancer: cusp j lies in sign j + 3, the bodies keep their longitudes
    // (Moon 205 Libra, Jupiter 145 Leo), so no hit's Ref equals its sign.
    MakeChart(First, 100);
    const auto signStart = [](int i) { return 180.0 - 100 + 30 * (i - 1); };
    std::filesystem::create_directories(Setup->ArtDirectory());
    const auto colourOf = [](int sign) { return QColor(20 * sign, 255 - 20 * sign, 7); };
    for (int sign = 1; sign <= 12; ++sign) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(colourOf(sign));
        ASSERT_TRUE(picture.save(
            QString::fromStdString(SignPictureFile(Setup->ArtDirectory(), sign, false)), "BMP"));
    }
    TWheelWin &w = Open();
    TWheel &wheel = *w.Wheel1();
    const TWheelLine &cusp2 = wheel.Geometry().CuspLines[2];
    const struct {
        const char *Target;
        QPoint At;
        int Sign; ///< 0: no picture
    } cases[] = {
        {"sign Scorpio", At(wheel, signStart(8) + 15, 0.89), 8},
        {"Moon in Libra", BodyAt(wheel, 2), 7},
        {"Jupiter in Leo", BodyAt(wheel, 6), 5},
        {"cusp 2 in Leo", QPoint((cusp2.X1 + cusp2.X2) / 2, (cusp2.Y1 + cusp2.Y2) / 2), 5},
        {"Midheaven axis, cusp 10 in Aries", At(wheel, 90, 0.98), 1},
        {"house 3, its cusp in Virgo", At(wheel, 255, 0.43), 6},
        {"Sun-Moon aspect chord", At(wheel, 0, 0), 0},
        {"nothing", At(wheel, 45, 0.98), 0},
    };
    for (const auto &c : cases) {
        QTest::mouseClick(&wheel, Qt::LeftButton, {}, c.At);
        QTest::mouseDClick(&wheel, Qt::LeftButton, {}, c.At);
        if (c.Sign == 0) {
            EXPECT_FALSE(wheel.isHidden()) << c.Target;
            continue;
        }
        ASSERT_TRUE(wheel.isHidden()) << c.Target;
        EXPECT_EQ(w.BackgroundImage()->pixmap().toImage().pixelColor(0, 0).name(),
                  colourOf(c.Sign).name())
            << c.Target;
        QTest::mouseClick(w.BackgroundImage(), Qt::LeftButton);
        ASSERT_FALSE(wheel.isHidden());
    }
    std::filesystem::remove_all(Setup->ArtDirectory());
}

TEST_F(WheelWindow, BodyClickInTheTwoChartModesShowsThatBodyOnBothWheels) {
    TWheelWin &w = Open();
    w.miWheelTypeClick();
    w.miBiWheelClick();
    ASSERT_EQ(w.WheelMode(), 3);
    LayOut();
    QTest::mouseClick(w.Wheel1(), Qt::LeftButton, {}, BodyAt(*w.Wheel1(), 2));
    EXPECT_EQ(w.Wheel2()->Selection().Bodies, std::vector<int>{2});
    EXPECT_TRUE(w.Wheel2()->Blinking());
    QTest::mouseClick(w.Wheel2(), Qt::LeftButton, {}, BodyAt(*w.Wheel2(), 6));
    EXPECT_EQ(w.Wheel1()->Selection().Bodies, std::vector<int>{6});

    // The bi-wheel: the own body of the dual wheel.
    w.miBiWheelClick();
    ASSERT_EQ(w.WheelMode(), 2);
    LayOut();
    QTest::mouseClick(w.Wheel1(), Qt::LeftButton, {}, BodyAt(*w.Wheel1(), 9));
    EXPECT_EQ(w.Wheel1()->Selection().Bodies, std::vector<int>{9});
    EXPECT_EQ(Shown, (std::vector<TWheelHit>{{H::htBody, 2}, {H::htBody, 6}, {H::htBody, 9}}));
}

TEST_F(WheelWindow, RelationshipWithoutPartnerShowsNoPhantomChart) {
    using TAspectList = std::vector<std::tuple<int, int, int, Extended>>;
    const auto aspects = [](const THoroscope &h) {
        TAspectList list;
        for (int n = 0; n < h.AspectCount; ++n)
            list.emplace_back(h.Aspects[n].Point1, h.Aspects[n].Point2, h.Aspects[n].AspectNumber,
                              h.Aspects[n].Deviation);
        return list;
    };
    // The chart's own aspects, as computed without a partner.
    THoroscope absent;
    First.SetPartner(&absent);
    First.SetPartner(nullptr);
    const TAspectList own = aspects(First);

    TWheelWin &w = Open(nullptr, &absent);
    w.miWheelTypeClick();
    ASSERT_EQ(w.WheelMode(), 2);
    EXPECT_EQ(First.Partner(), nullptr);
    EXPECT_EQ(absent.Partner(), nullptr);
    EXPECT_EQ(aspects(First), own);
    TWheel &wheel = *w.Wheel1();
    const auto partnerRing = [&] {
        const QImage image = ScreenImage(wheel, 300);
        return image.pixel(PolarPixel(wheel.Geometry(), 180 + 8, 0.35));
    };
    const QRgb blank = partnerRing();
    EXPECT_TRUE(SameColour(blank, 255, 255, 255)) << Describe(blank);

    // A partner that becomes ready links up and is drawn.
    MakeChart(absent, 100);
    EXPECT_EQ(First.Partner(), &absent);
    EXPECT_EQ(absent.Partner(), &First);
    const QRgb ring = partnerRing();
    EXPECT_TRUE(SameColour(ring, 255, 255, 240)) << Describe(ring);
    // And one taken away unlinks again.
    absent.SetActive(false);
    EXPECT_EQ(First.Partner(), nullptr);
    EXPECT_EQ(aspects(First), own);
    Window.reset();
}

TEST_F(WheelWindow, DroppedNameGoesToTheChartUnderIt) {
    TWheelWin &w = Open();
    w.miWheelTypeClick();
    struct TDrop {
        QString Name;
        QPoint At;
        THoroscope *Target;
    };
    std::vector<TDrop> drops;
    w.OnNameDropped = [&](const QString &name, QPoint at, THoroscope *target) {
        drops.push_back({name, at, target});
    };
    TWheel &wheel = *w.Wheel1();
    const auto drop = [&](QPoint at, const char *mime) {
        QMimeData data;
        data.setData(mime, "Grace Hopper");
        return w.WheelDragDrop(wheel, data, at);
    };
    const QPoint inner = At(wheel, 30, 0.3);
    const QPoint outer = At(wheel, 30, 0.7);
    EXPECT_TRUE(drop(inner, NameMimeType));
    EXPECT_TRUE(drop(outer, NameMimeType));
    EXPECT_FALSE(drop(outer, "text/plain"));
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_EQ(drops[0].Name, "Grace Hopper");
    EXPECT_EQ(drops[0].At, inner);
    EXPECT_EQ(drops[0].Target, &Second);
    EXPECT_EQ(drops[1].Target, &First);
}

} // namespace
