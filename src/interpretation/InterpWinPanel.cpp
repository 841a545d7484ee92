// TInterpWin: the factor panel, the selections of the interpretation and what the wheel is told.
#include "InterpWindow.h"

#include "Angles.h"
#include "AspectMeter.h"
#include "Horoscope.h"
#include "Language.h"
#include "MeterColors.h"
#include "SignSectors.h"
#include "TransitMeter.h"
#include "Transits.h"
#include "Wheel.h"

#include <QLabel>
#include <QStackedWidget>

#include <array>

namespace kyr {

namespace {

QString Q(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetGlyph(QLabel *label, const std::string &glyph, const QColor &colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    label->setText(Q(glyph));
}

// A transit's natal point: a body 1..12, or 100 + the cusp of an angle.
void TransitTarget(int target, TWheelHitType &kind, int &ref) {
    if (target > 12) {
        kind = TWheelHitType::htAxis;
        ref = (target - 100) / 3 + 1;
    } else {
        kind = TWheelHitType::htBody;
        ref = target;
    }
}

} // namespace

// ---- operations ----

// The operations come from a click in the wheel or the selection panel, which highlight the
// wheel themselves; the engine's selection of the first sub-title when a request switches the
// analysis must not move that highlight. The panel is filled after the selection, as that
// switch fills it too.
void TInterpWin::Select(const std::function<void()> &select) {
    const bool outer = FSelecting;
    FSelecting = true;
    try {
        select();
    } catch (...) {
        FSelecting = outer;
        throw;
    }
    FSelecting = outer;
}

void TInterpWin::ShowBody(int body) {
    FLastBody = body;
    Select([&] { FInterp.SelectBody(body); });
    ShowSymbol(BodyGlyph(body), BodyColour());
}

void TInterpWin::ShowSign(int sign) {
    FLastSign = sign;
    Select([&] { FInterp.SelectSign(sign); });
    ShowSymbol(SignGlyph(sign), SignColour(sign));
}

void TInterpWin::ShowHouse(int house) {
    FLastHouse = house;
    Select([&] { FInterp.SelectHouse(house); });
    ShowSymbol(std::to_string(house), HouseColour());
}

void TInterpWin::ShowCusp(int house) {
    FLastCusp = house;
    Select([&] { FInterp.SelectHouse(house); });
    ShowSymbol(CuspMark(house), house % 3 == 1 ? BodyColour() : HouseColour());
}

void TInterpWin::ShowAspect(int aspect) {
    Select([&] { FInterp.SelectAspect(aspect); });
    ShowAspectPanel(aspect);
}

void TInterpWin::ShowTransit(int transit) {
    int code = -1;
    Select([&] { code = FInterp.SelectTransit(transit); });
    FTransitIndex = transit;
    ShowTransitPanel(transit);
    if (code >= 0)
        HighlightTransitTarget(transit);
}

void TInterpWin::ShowBodyInSign(int body, int sign) {
    Select([&] { FInterp.SelectBodyInSign(body, sign); });
    ShowRelation(BodyGlyph(body), BodyColour(), SignGlyph(sign), SignColour(sign));
}

void TInterpWin::ShowBodyInHouse(int body, int house) {
    Select([&] { FInterp.SelectBodyInHouse(body, house); });
    ShowRelation(BodyGlyph(body), BodyColour(), std::to_string(house), HouseColour());
}

void TInterpWin::ShowCuspInSign(int house, int sign) {
    Select([&] { FInterp.SelectCuspInSign(house, sign); });
    ShowRelation(CuspMark(house), house % 3 == 1 ? BodyColour() : HouseColour(), SignGlyph(sign),
                 SignColour(sign));
}

void TInterpWin::SelectHousePeriod(int startYmd, int house) {
    Select([&] { FInterp.SelectHousePeriod(startYmd, house); });
    // A house period has no factor of its own to show.
    ShowPage(ppEmpty);
}

// ---- selections made in the window ----

void TInterpWin::InterpSelection(TSelectType selType, int ref) {
    const int a = ref / 256;
    const int b = ref % 256;
    switch (selType) {
    case stTransit:
        FTransitIndex = ref;
        ShowTransitPanel(ref);
        HighlightTransitTarget(ref);
        break;
    case stAspect:
        ShowAspectPanel(ref);
        WheelSelect(true, TWheelHitType::htAspect, ref);
        break;
    case stBodyInSign:
        ShowRelation(BodyGlyph(a), BodyColour(), SignGlyph(b), SignColour(b));
        WheelSelect(true, TWheelHitType::htSign, b);
        WheelSelect(false, TWheelHitType::htBody, a);
        break;
    case stBodyInHouse:
        ShowRelation(BodyGlyph(a), BodyColour(), std::to_string(b), HouseColour());
        WheelSelect(true, TWheelHitType::htHouse, b);
        WheelSelect(false, TWheelHitType::htBody, a);
        break;
    case stBody:
        ShowSymbol(BodyGlyph(b), BodyColour());
        WheelSelect(true, TWheelHitType::htBody, b);
        break;
    case stSign:
        ShowSymbol(SignGlyph(b), SignColour(b));
        WheelSelect(true, TWheelHitType::htSign, b);
        break;
    case stHouse:
        ShowSymbol(std::to_string(b), HouseColour());
        WheelSelect(true, TWheelHitType::htHouse, b);
        break;
    case stCusp:
        ShowSymbol(CuspMark(b), b % 3 == 1 ? BodyColour() : HouseColour());
        WheelSelect(true, TWheelHitType::htHouseCusp, b);
        break;
    case stCuspInSign:
        ShowRelation(CuspMark(a), a % 3 == 1 ? BodyColour() : HouseColour(), SignGlyph(b),
                     SignColour(b));
        WheelSelect(true, TWheelHitType::htSign, b);
        if (a == 1 || a == 4 || a == 7 || a == 10)
            WheelSelect(false, TWheelHitType::htAxis, a / 3 + 1);
        else
            WheelSelect(false, TWheelHitType::htHouseCusp, a);
        break;
    default:
        ShowPage(ppEmpty);
        // Whatever blinks in the wheel belongs to the row left behind.
        if (TWheel *wheel = FSelecting ? nullptr : Wheel ? Wheel() : FFixedWheel.data())
            wheel->SetBlinking(false);
        break;
    }
}

// ---- the panel ----

TInterpWin::TPanelPage TInterpWin::PanelPage() const {
    return static_cast<TPanelPage>(Notebook->currentIndex());
}

void TInterpWin::ShowPage(TPanelPage page) {
    Notebook->setCurrentIndex(page);
}

void TInterpWin::ShowSymbol(const std::string &glyph, const QColor &colour) {
    SetGlyph(Label8, glyph, colour);
    ShowPage(ppSymbol);
}

void TInterpWin::ShowRelation(const std::string &first, const QColor &firstColour,
                              const std::string &second, const QColor &secondColour) {
    SetGlyph(Label4, first, firstColour);
    SetGlyph(Label9, second, secondColour);
    ShowPage(ppRelation);
}

void TInterpWin::ShowAspectPanel(int aspect) {
    int p1 = 0, p2 = 0, e = 0;
    Extended deviation = 0;
    const TLanguage *language = FContext.Language;
    if (FContext.First && language && FContext.First->GetAspect(aspect, p1, p2, e, deviation) &&
        e >= 0 && e < static_cast<int>(MaxOrbTable.size())) {
        SetGlyph(Label10, language->PointGlyph(p1), BodyColour());
        SetGlyph(Label11, language->PointGlyph(p2), BodyColour());
        SetGlyph(Label12, language->AspectGlyph(e), AspectColour());
        // Deviation in minutes of arc, as a percentage of the aspect's largest orb.
        AspectMeter1->SetProgress(
            100 -
            static_cast<int>(Trunc(deviation / 0.6L / static_cast<Extended>(MaxOrbTable[e]))));
    } else {
        for (QLabel *label : {Label10, Label11, Label12})
            label->clear();
        AspectMeter1->SetProgress(0);
    }
    ShowPage(ppAspect);
}

void TInterpWin::ShowTransitPanel(int transit) {
    const int w = TransitMeter1->AreaWidth();
    std::array<Extended, MaxTransitCurveLength + 1> values{};
    if (ChartUsable() && transit >= 0 && w >= 1 && w <= MaxTransitCurveLength &&
        FContext.First->GetTransitCurve(transit, w, values.data())) {
        TransitMeter1->SetActive(false);
        for (int i = 0; i < w; ++i)
            TransitMeter1->SetValue(i, values[i]);
        TransitMeter1->SetActive(true);
        ShowPage(ppTransit);
    } else {
        ShowPage(ppEmpty);
    }
}

std::string TInterpWin::CuspMark(int house) const {
    return FContext.Language ? FContext.Language->CuspGlyph(house) : std::to_string(house);
}

std::string TInterpWin::BodyGlyph(int body) const {
    return FContext.Language && body >= 1 && body <= 12 ? FContext.Language->BodyGlyph(body - 1)
                                                        : std::string();
}

std::string TInterpWin::SignGlyph(int sign) const {
    return FContext.Language && sign >= 1 && sign <= 12 ? FContext.Language->SignGlyph(sign - 1)
                                                        : std::string();
}

bool TInterpWin::ColourGlyphs() const {
    const TWheel *wheel = Wheel ? Wheel() : FFixedWheel.data();
    return wheel && !wheel->BW();
}

QColor TInterpWin::BodyColour() const {
    return ColourGlyphs() ? QColor(0, 0, 255) : ButtonShadowColor(palette());
}

QColor TInterpWin::HouseColour() const {
    return ColourGlyphs() ? QColor(0, 128, 0) : ButtonShadowColor(palette());
}

QColor TInterpWin::AspectColour() const {
    return ColourGlyphs() ? QColor(0, 0, 128) : ButtonShadowColor(palette());
}

QColor TInterpWin::SignColour(int sign) const {
    if (!ColourGlyphs() || sign < 1 || sign > 12)
        return ButtonShadowColor(palette());
    const TRgb &c = SignColours[sign - 1];
    return QColor(c.R, c.G, c.B);
}

// ---- the wheel ----

TWheel *TInterpWin::UsableWheel() const {
    TWheel *wheel = Wheel ? Wheel() : FFixedWheel.data();
    if (!wheel)
        return nullptr;
    const THoroscope *chart = wheel->Horoscope();
    return chart && chart->Active() && chart->FileAvailable() ? wheel : nullptr;
}

void TInterpWin::WheelSelect(bool clear, TWheelHitType kind, int ref) {
    if (FSelecting)
        return;
    if (TWheel *wheel = UsableWheel())
        wheel->SelectItem(clear, kind, ref);
}

void TInterpWin::HighlightTransitTarget(int transit) {
    int body = 0, aspect = 0, target = 0, from = 0, to = 0;
    if (!FContext.First || !FContext.First->GetTransit(transit, body, aspect, target, from, to))
        return;
    TWheelHitType kind = TWheelHitType::htBody;
    int ref = 0;
    TransitTarget(target, kind, ref);
    WheelSelect(true, kind, ref);
}

} // namespace kyr
