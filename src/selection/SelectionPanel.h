// TSelectionPanel: the strip under the main menu that tells about the factor last clicked in
// the wheel (a sign, a house, a cusp, a body or an aspect), counts what lies in it on its
// buttons, drops those down as lists and mirrors choices back into the wheel and the
// interpretation window. Its last page holds the chart summary.
#pragma once

#include "ChartTypes.h"
#include "DropDownMenu.h"
#include "HousePeriods.h"
#include "WheelHitTest.h"

#include <QStackedWidget>

#include <functional>
#include <vector>

class QLabel;
class QToolButton;

namespace kyr {

class THoroscope;
class TInterpretationTarget;
class TLanguage;
class TWheel;

class TSelectionPanel : public QStackedWidget {
public:
    /// Context help of the panel.
    static constexpr int HelpContext = 2002;
    enum TPage { pgSigns, pgHouses, pgHouseCusps, pgPlanets, pgAspects, pgStandard };
    /// What the drop-down list shows.
    enum TDropDownMode { ddBodies, ddAspects, ddTransits, ddHousePeriods };

    /// horoscope is the main chart; summary becomes the last page.
    TSelectionPanel(const TLanguage &language, THoroscope &horoscope, QWidget *summary,
                    QWidget *parent = nullptr);

    /// The wheel of the wheel window; null while that window is closed.
    std::function<TWheel *()> Wheel;
    /// The interpretation window; null while it is closed.
    std::function<TInterpretationTarget *()> Interpretation;
    /// A click that hit nothing: the main window shows its chart summary.
    std::function<void()> OnShowSummary;

    /// A hit in the wheel window: the page of the item, or the summary for htNothing.
    void ShowItem(TWheelHitType kind, int ref);
    /// Body, sign as ordinals 0..11; house, cusp 1..12; aspect by its 1-based number.
    void ShowBodyPanel(int planet);
    void ShowSignPanel(int sign);
    void ShowHousePanel(int house);
    void ShowCuspPanel(int cusp);
    void ShowAspectPanel(int aspect);

    // The panel's properties; each setter updates its buttons.
    TPlanetSet Planets() const { return FPlanets; }
    void SetPlanets(TPlanetSet set);
    int Sign() const { return FSign; }
    void SetSign(int sign);
    int House() const { return FHouse; }
    void SetHouse(int house);
    int Planet() const { return FPlanet; }
    void SetPlanet(int planet);
    int HouseCusp() const { return FHouseCusp; }
    void SetHouseCusp(int cusp);
    Extended FromPos() const { return FFromPos; }
    void SetFromPos(Extended degrees);
    /// The house runs from degrees1 of sign1 to degrees2 of sign2 (D.MM, ordinals).
    void SetHouseExtent(Extended degrees1, int sign1, Extended degrees2, int sign2);
    void FillHousePeriods(int house);
    void DescribeAspect(int aspect);

    /// The body list belongs to the sign page (else to the house page).
    bool SignContext() const { return FSignContext; }
    const std::vector<int> &AspectList() const { return FAspects; }
    const std::vector<int> &TransitList() const { return FTransits; }
    const std::vector<THousePeriod> &HousePeriodList() const { return FPeriods; }
    const QStringList &HousePeriodLines() const { return FPeriodLines; }
    TDropDownMode DropDownMode() const { return FMode; }
    TDropDownMenu &DropDown() { return FDropDown; }

    /// SpeedButtonN and LabelN by their form numbers; null for numbers the panel lacks.
    QToolButton *Button(int n) const;
    QLabel *Label(int n) const;

    /// Texts and fonts again, after a language change.
    void Retranslate();

private:
    QToolButton *AddButton(QWidget *page, int n);
    QLabel *AddLabel(QWidget *page, int n);
    void ButtonClick(int n);
    void DropDownClick(int item);
    void ShowDropDown(QToolButton *button, TDropDownMode mode, const QStringList &lines);
    QStringList BodyLines(const QString &place) const;
    QStringList AspectLines() const;
    QStringList TransitLines() const;
    QString AspectText(int aspect, int firstPoint) const;
    void SetCountButton(QToolButton *button, int format, const QString &fallback, int count);
    QString Format(int number, const QStringList &arguments, const QString &fallback) const;
    QString Text(int number) const;
    THoroscope *WheelHoroscope() const;

    const TLanguage &FLanguage;
    THoroscope &FHoroscope;
    TDropDownMenu FDropDown;

    TPlanetSet FPlanets = 0;
    int FSign = siAries;
    int FHouse = 1;
    int FPlanet = plSun;
    int FHouseCusp = 1;
    Extended FFromPos = 0;
    bool FSignContext = false;
    std::vector<int> FAspects;
    std::vector<int> FTransits;
    std::vector<THousePeriod> FPeriods;
    QStringList FPeriodLines;
    TDropDownMode FMode = ddBodies;

    std::vector<QToolButton *> FButtons; ///< by form number, null where none
    std::vector<QLabel *> FLabels;
};

} // namespace kyr
