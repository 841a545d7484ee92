#include "SelectionPanel.h"

#include "Angles.h"
#include "Calendar.h"
#include "Horoscope.h"
#include "InterpretationTarget.h"
#include "Language.h"
#include "Translation.h"
#include "Wheel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <cmath>
#include <cstdio>

namespace kyr {

namespace {

constexpr int AngleCusps[] = {1, 4, 7, 10};

QString ToQ(const std::string &text) {
    return QString::fromStdString(text);
}

// A D.MM value as the panel writes it.
QString Degrees(Extended x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2Lf", x);
    return QString::fromLatin1(text).left(30);
}

bool IsAngleCusp(int c) {
    return c == 1 || c == 4 || c == 7 || c == 10;
}

int BodyCountOf(TPlanetSet set) {
    int n = 0;
    for (int i = 0; i < BodyCount; ++i)
        n += (set >> i) & 1;
    return n;
}

QString DateText(int ymd) {
    return ToQ(YmdToDateString(ymd));
}

} // namespace

TSelectionPanel::TSelectionPanel(const TLanguage &language, THoroscope &horoscope, QWidget *summary,
                                 QWidget *parent)
    : QStackedWidget(parent), FLanguage(language), FHoroscope(horoscope), FDropDown(this) {
    setObjectName(QStringLiteral("InfoPanel"));
    setProperty("HelpContext", HelpContext);
    FButtons.assign(19, nullptr);
    FLabels.assign(5, nullptr);
    const char *pageNames[] = {"Signs", "Houses", "HouseCusps", "Planets", "Aspects"};
    const std::vector<int> pageItems[] = {
        {1, 2}, {4, 5, 7, -1}, {9, -3, 10, 18}, {12, -4, 13, 14, 15, 16}, {17}};
    for (int p = 0; p < 5; ++p) {
        auto *page = new QWidget(this);
        page->setObjectName(QLatin1String(pageNames[p]));
        auto *layout = new QHBoxLayout(page);
        layout->setContentsMargins(2, 1, 2, 1);
        layout->setSpacing(3);
        // Positive numbers are buttons, negative ones labels.
        for (const int n : pageItems[p]) {
            if (n > 0)
                AddButton(page, n);
            else
                AddLabel(page, -n);
        }
        layout->addStretch(1);
        addWidget(page);
    }
    summary->setParent(this);
    addWidget(summary);
    setCurrentIndex(pgStandard);
    FButtons[18]->setVisible(false);
    FDropDown.OnClick = [this](TDropDownMenu &, int item) { DropDownClick(item); };
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QToolButton *TSelectionPanel::AddButton(QWidget *page, int n) {
    auto *button = new QToolButton(page);
    button->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
    button->setAutoRaise(true);
    // Captions here are data (names and counts); the language never overwrites them.
    SetTag(button, 2000);
    page->layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, n] { ButtonClick(n); });
    FButtons[n] = button;
    return button;
}

QLabel *TSelectionPanel::AddLabel(QWidget *page, int n) {
    auto *label = new QLabel(page);
    label->setObjectName(QStringLiteral("Label%1").arg(n));
    SetTag(label, 2000);
    page->layout()->addWidget(label);
    FLabels[n] = label;
    return label;
}

QToolButton *TSelectionPanel::Button(int n) const {
    return n >= 0 && n < static_cast<int>(FButtons.size()) ? FButtons[n] : nullptr;
}

QLabel *TSelectionPanel::Label(int n) const {
    return n >= 0 && n < static_cast<int>(FLabels.size()) ? FLabels[n] : nullptr;
}

QString TSelectionPanel::Text(int number) const {
    return ToQ(FLanguage.GetText(number));
}

QString TSelectionPanel::Format(int number, const QStringList &arguments,
                                const QString &fallback) const {
    QString format = Text(number);
    if (format.isEmpty())
        return fallback;
    // One argument at a time, so that a "%2" inside a name is never taken for a placeholder.
    QString result;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' &&
            format[i + 1] <= '9') {
            const int k = format[i + 1].digitValue() - 1;
            if (k < arguments.size())
                result += arguments[k];
            ++i;
            continue;
        }
        result += format[i];
    }
    return result;
}

THoroscope *TSelectionPanel::WheelHoroscope() const {
    TWheel *wheel = Wheel ? Wheel() : nullptr;
    return wheel ? wheel->Horoscope() : nullptr;
}

// Hits of the wheel window.

void TSelectionPanel::ShowItem(TWheelHitType kind, int ref) {
    switch (kind) {
    case TWheelHitType::htBody:
        ShowBodyPanel(ref - 1);
        break;
    case TWheelHitType::htSign:
        ShowSignPanel(ref - 1);
        break;
    case TWheelHitType::htHouse:
        ShowHousePanel(ref);
        break;
    case TWheelHitType::htHouseCusp:
        ShowCuspPanel(ref);
        break;
    case TWheelHitType::htAxis:
        if (ref >= 1 && ref <= 4)
            ShowCuspPanel(AngleCusps[ref - 1]);
        break;
    case TWheelHitType::htAspect:
        ShowAspectPanel(ref);
        break;
    case TWheelHitType::htNothing:
        if (OnShowSummary)
            OnShowSummary();
        else
            setCurrentIndex(pgStandard);
        break;
    default:
        break;
    }
}

void TSelectionPanel::ShowSignPanel(int sign) {
    setCurrentIndex(pgSigns);
    FSignContext = true;
    SetSign(sign);
    SetPlanets(FHoroscope.BodiesInSign(sign));
    if (TInterpretationTarget *interp = Interpretation ? Interpretation() : nullptr)
        interp->ShowSign(sign + 1);
}

void TSelectionPanel::ShowHousePanel(int house) {
    setCurrentIndex(pgHouses);
    FSignContext = false;
    SetHouse(house);
    SetPlanets(FHoroscope.BodiesInHouse(house));
    int sign1 = 0, sign2 = 0;
    Extended degrees1 = 0, degrees2 = 0;
    SplitSign(FHoroscope.CuspDeg(house), sign1, degrees1);
    SplitSign(FHoroscope.CuspDeg(house + 1), sign2, degrees2);
    SetHouseExtent(degrees1, sign1, degrees2, sign2);
    if (TInterpretationTarget *interp = Interpretation ? Interpretation() : nullptr)
        interp->ShowHouse(house);
}

void TSelectionPanel::ShowBodyPanel(int planet) {
    setCurrentIndex(pgPlanets);
    SetPlanet(planet);
    int sign = 0;
    Extended degrees = 0;
    SplitSign(FHoroscope.PositionDeg(planet + 1), sign, degrees);
    SetSign(sign);
    SetFromPos(degrees);
    SetHouse(FHoroscope.HouseOfBody(planet));
    if (TInterpretationTarget *interp = Interpretation ? Interpretation() : nullptr)
        interp->ShowBody(planet + 1);
}

void TSelectionPanel::ShowCuspPanel(int cusp) {
    setCurrentIndex(pgHouseCusps);
    SetHouseCusp(cusp);
    SetHouse(FHoroscope.HouseOfBody(FPlanet));
    int sign = 0;
    Extended degrees = 0;
    SplitSign(FHoroscope.CuspDeg(cusp), sign, degrees);
    SetSign(sign);
    SetFromPos(degrees);
    if (TInterpretationTarget *interp = Interpretation ? Interpretation() : nullptr)
        interp->ShowCusp(cusp);
}

void TSelectionPanel::ShowAspectPanel(int aspect) {
    setCurrentIndex(pgAspects);
    DescribeAspect(aspect);
    if (TInterpretationTarget *interp = Interpretation ? Interpretation() : nullptr)
        interp->ShowAspect(aspect);
}

// Properties.

void TSelectionPanel::SetCountButton(QToolButton *button, int format, const QString &fallback,
                                     int count) {
    button->setText(Format(format, {QString::number(count)}, fallback + QString::number(count)));
    button->setEnabled(count > 0);
}

void TSelectionPanel::SetPlanets(TPlanetSet set) {
    FPlanets = set;
    for (QToolButton *button : {FButtons[2], FButtons[5]})
        SetCountButton(button, TextNo(1023), Text(TextNo(680)), BodyCountOf(set));
}

void TSelectionPanel::SetSign(int sign) {
    FSign = sign;
    const QString name = ToQ(FLanguage.SignName(sign));
    FButtons[1]->setText(name);
    const QString inSign = Format(TextNo(1027), {name}, Text(TextNo(335)) + ' ' + name);
    FButtons[10]->setText(inSign);
    FButtons[13]->setText(inSign);
}

void TSelectionPanel::SetHouse(int house) {
    FHouse = house;
    const QString name = ToQ(FLanguage.OrdinalText(house)) + Text(TextNo(708));
    FButtons[4]->setText(name);
    FButtons[14]->setText(Format(TextNo(1032), {name}, Text(TextNo(335)) + ' ' + name));
    if (currentIndex() == pgHouses)
        FillHousePeriods(house);
}

void TSelectionPanel::SetHouseCusp(int cusp) {
    FHouseCusp = cusp;
    QString name;
    switch (cusp) {
    case 1:
        name = Text(TextNo(71));
        break;
    case 4:
        name = Text(TextNo(74));
        break;
    case 7:
        name = Text(TextNo(75));
        break;
    case 10:
        name = Text(TextNo(72));
        break;
    default:
        name = ToQ(FLanguage.OrdinalText(cusp)) + Text(TextNo(73));
        break;
    }
    FButtons[9]->setText(name);
    QToolButton *transits = FButtons[18];
    transits->setVisible(IsAngleCusp(cusp));
    if (!IsAngleCusp(cusp))
        return;
    FTransits.clear();
    for (int n = 1; n <= FHoroscope.TransitCount; ++n)
        if (FHoroscope.Transits[n - 1].NatalPoint == 100 + cusp)
            FTransits.push_back(n);
    SetCountButton(transits, TextNo(1024), Text(TextNo(747)) + QStringLiteral(": "),
                   static_cast<int>(FTransits.size()));
}

void TSelectionPanel::SetPlanet(int planet) {
    FPlanet = planet;
    FButtons[12]->setText(ToQ(FLanguage.BodyName(planet)));
    if (const THoroscope *h = WheelHoroscope()) {
        // Every aspect and transit of the body is kept; the drop-down grows with them.
        FAspects.clear();
        for (int n = 1; n <= h->AspectCount; ++n) {
            const TAspectRecord &a = h->Aspects[n - 1];
            if (a.Point1 == planet + 1 || a.Point2 == planet + 1)
                FAspects.push_back(n);
        }
        FTransits.clear();
        for (int n = 1; n <= h->TransitCount; ++n)
            if (h->Transits[n - 1].NatalPoint == planet + 1)
                FTransits.push_back(n);
    }
    SetCountButton(FButtons[15], TextNo(1025), Text(TextNo(679)),
                   static_cast<int>(FAspects.size()));
    SetCountButton(FButtons[16], TextNo(1024), Text(TextNo(747)) + QStringLiteral(": "),
                   static_cast<int>(FTransits.size()));
}

void TSelectionPanel::SetFromPos(Extended degrees) {
    FFromPos = degrees;
    FLabels[3]->setText(Degrees(degrees));
    FLabels[4]->setText(Degrees(degrees));
}

void TSelectionPanel::SetHouseExtent(Extended degrees1, int sign1, Extended degrees2, int sign2) {
    const QString d1 = Degrees(degrees1), d2 = Degrees(degrees2);
    const QString s1 = ToQ(FLanguage.SignName(sign1)), s2 = ToQ(FLanguage.SignName(sign2));
    FLabels[1]->setText(
        Format(TextNo(1029), {d1, s1, d2, s2},
               Text(TextNo(709)) + d1 + ' ' + s1 + Text(TextNo(710)) + d2 + ' ' + s2));
}

void TSelectionPanel::FillHousePeriods(int house) {
    FPeriods = HousePeriods(FHoroscope, house);
    FPeriodLines.clear();
    const QString ordinal = ToQ(FLanguage.OrdinalText(house));
    for (const THousePeriod &p : FPeriods) {
        const QString start = DateText(p.StartYmd), end = DateText(p.EndYmd);
        // Body codes 1 and 2 are Jupiter and Saturn.
        const QString body = ToQ(FLanguage.BodyName(plJupiter + p.Body - 1));
        FPeriodLines << Format(TextNo(1030), {start, end, body, ordinal},
                               start + QStringLiteral(" -> ") + end + ' ' + body + ' ' +
                                   Text(TextNo(675)) + ' ' + ordinal + Text(TextNo(17)));
    }
    SetCountButton(FButtons[7], TextNo(1024), Text(TextNo(747)) + QStringLiteral(": "),
                   static_cast<int>(FPeriods.size()));
}

QString TSelectionPanel::AspectText(int aspect, int firstPoint) const {
    int point1 = 0, point2 = 0, number = 0;
    Extended deviation = 0;
    if (!FHoroscope.GetAspect(aspect, point1, point2, number, deviation))
        return {};
    if (firstPoint != 0 && point2 == firstPoint)
        std::swap(point1, point2);
    // The orb in minutes of arc becomes D.MM.
    const Extended degrees = std::trunc(deviation / 60);
    const Extended orb = degrees + (deviation - 60 * degrees) / 100;
    char text[32];
    std::snprintf(text, sizeof text, "%.2Lf", orb);
    const QString name1 = ToQ(FLanguage.PointName(point1));
    const QString name2 = ToQ(FLanguage.PointName(point2));
    const QString aspectName = ToQ(FLanguage.AspectName(number));
    return Format(TextNo(1028), {name1, aspectName, name2, QString::fromLatin1(text)},
                  name1 + ' ' + aspectName + ' ' + name2 + Text(TextNo(10)) + ' ' +
                      QString::fromLatin1(text));
}

void TSelectionPanel::DescribeAspect(int aspect) {
    const QString text = AspectText(aspect, 0);
    if (!text.isEmpty())
        FButtons[17]->setText(text);
}

// Buttons and the drop-down list.

QStringList TSelectionPanel::BodyLines(const QString &place) const {
    QStringList lines;
    for (int i = 0; i < BodyCount; ++i)
        if (FPlanets & (1u << i)) {
            const QString body = ToQ(FLanguage.BodyName(i));
            lines << Format(TextNo(1031), {body, place},
                            body + ' ' + Text(TextNo(335)) + ' ' + place);
        }
    return lines;
}

QStringList TSelectionPanel::AspectLines() const {
    QStringList lines;
    for (const int n : FAspects)
        lines << AspectText(n, FPlanet + 1);
    return lines;
}

QStringList TSelectionPanel::TransitLines() const {
    QStringList lines;
    for (const int n : FTransits) {
        int body = 0, aspect = 0, point = 0, start = 0, end = 0;
        if (!FHoroscope.GetTransit(n, body, aspect, point, start, end))
            continue;
        lines << DateText(start) + QStringLiteral(" -> ") + DateText(end) + ' ' +
                     ToQ(FLanguage.PointName(body + 5)) + ' ' + ToQ(FLanguage.AspectName(aspect)) +
                     ' ' + ToQ(FLanguage.PointName(point));
    }
    return lines;
}

void TSelectionPanel::ShowDropDown(QToolButton *button, TDropDownMode mode,
                                   const QStringList &lines) {
    // A count button is disabled when it has nothing to list; the list never opens empty.
    if (lines.isEmpty())
        return;
    FMode = mode;
    FDropDown.SetItems(lines);
    const QPoint at = button->mapToGlobal(QPoint(0, button->height() - 1));
    FDropDown.Popup(at.x(), at.y());
}

void TSelectionPanel::ButtonClick(int n) {
    TWheel *wheel = Wheel ? Wheel() : nullptr;
    TInterpretationTarget *interp = Interpretation ? Interpretation() : nullptr;
    const auto select = [wheel](bool clear, TWheelHitType kind, int ref) {
        if (wheel)
            wheel->SelectItem(clear, kind, ref);
    };
    switch (n) {
    case 1:
        select(true, TWheelHitType::htSign, FSign + 1);
        if (interp)
            interp->ShowSign(FSign + 1);
        break;
    case 2:
        ShowDropDown(FButtons[2], ddBodies, BodyLines(FButtons[1]->text()));
        break;
    case 5:
        ShowDropDown(FButtons[5], ddBodies, BodyLines(FButtons[4]->text()));
        break;
    case 4:
    case 14:
        select(n == 4, TWheelHitType::htHouse, FHouse);
        if (interp && n == 4)
            interp->ShowHouse(FHouse);
        else if (interp)
            interp->ShowBodyInHouse(FPlanet + 1, FHouse);
        break;
    case 7:
        ShowDropDown(FButtons[7], ddHousePeriods, FPeriodLines);
        break;
    case 9:
        if (IsAngleCusp(FHouseCusp))
            select(true, TWheelHitType::htAxis, FHouseCusp / 3 + 1);
        else
            select(true, TWheelHitType::htHouseCusp, FHouseCusp);
        if (interp)
            interp->ShowCusp(FHouseCusp);
        break;
    case 10:
    case 13:
        select(false, TWheelHitType::htSign, FSign + 1);
        if (interp && n == 10)
            interp->ShowCuspInSign(FHouseCusp, FSign + 1);
        else if (interp)
            interp->ShowBodyInSign(FPlanet + 1, FSign + 1);
        break;
    case 12:
        select(true, TWheelHitType::htBody, FPlanet + 1);
        if (interp)
            interp->ShowBody(FPlanet + 1);
        break;
    case 15:
        ShowDropDown(FButtons[15], ddAspects, AspectLines());
        break;
    case 16:
    case 18:
        ShowDropDown(FButtons[n], ddTransits, TransitLines());
        break;
    default:
        break;
    }
}

void TSelectionPanel::DropDownClick(int item) {
    TWheel *wheel = Wheel ? Wheel() : nullptr;
    if (!wheel || item < 0)
        return;
    TInterpretationTarget *interp = Interpretation ? Interpretation() : nullptr;
    switch (FMode) {
    case ddBodies: {
        // The (item + 1)-th member of the set, counted upward from the Sun.
        int b = 0;
        for (int i = 0, seen = -1; i < BodyCount && b == 0; ++i)
            if ((FPlanets & (1u << i)) && ++seen == item)
                b = i + 1;
        if (b == 0)
            return;
        wheel->SelectItem(false, TWheelHitType::htBody, b);
        if (interp && FSignContext)
            interp->ShowBodyInSign(b, FSign + 1);
        else if (interp)
            interp->ShowBodyInHouse(b, FHouse);
        break;
    }
    case ddAspects:
        if (item < static_cast<int>(FAspects.size())) {
            wheel->SelectItem(true, TWheelHitType::htAspect, FAspects[item]);
            if (interp)
                interp->ShowAspect(FAspects[item]);
        }
        break;
    case ddTransits:
        if (interp && item < static_cast<int>(FTransits.size()))
            interp->ShowTransit(FTransits[item]);
        break;
    case ddHousePeriods:
        if (interp && item < static_cast<int>(FPeriods.size()))
            interp->SelectHousePeriod(FPeriods[item].StartYmd, FHouse);
        break;
    }
}

void TSelectionPanel::Retranslate() {
    for (QToolButton *button : FButtons)
        if (button)
            ApplyLanguageFont(FLanguage, button);
    for (QLabel *label : FLabels)
        if (label)
            ApplyLanguageFont(FLanguage, label);
    const int page = currentIndex();
    SetSign(FSign);
    SetPlanets(FPlanets);
    SetPlanet(FPlanet);
    SetHouseCusp(FHouseCusp);
    SetHouse(FHouse);
    SetFromPos(FFromPos);
    setCurrentIndex(page);
}

} // namespace kyr
