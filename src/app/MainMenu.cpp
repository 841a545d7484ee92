// The main window's menu: items, their text numbers and the commands they hand work to.
#include "MainWindow.h"

#include "Language.h"
#include "PlaceOffsets.h"
#include "Translation.h"
#include "Wheel.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>

#include <algorithm>

namespace kyr {

namespace {

// Text numbers of the captions. A number the language has no text for keeps the English
// design caption, so a missing text never leaves a blank item.
struct TMenuText {
    const char *Name;
    int Number;
};
constexpr TMenuText MenuTexts[] = {
    {"mnFile", TextNo(1053)},
    {"miExit", TextNo(1054)},
    {"mnOptions", TextNo(1055)},
    {"mnOrbs", TextNo(1056)},
    {"smStrong", TextNo(1057)},
    {"smMedium", TextNo(1058)},
    {"smWeak", TextNo(1059)},
    {"smUserDefinedOrbs", TextNo(1060)},
    {"smHide", TextNo(1061)},
    {"mnHouseSystem", TextNo(1062)},
    {"smPlacidus", TextNo(1063)},
    {"smKoch", TextNo(1064)},
    {"smEqual", TextNo(1065)},
    {"smHoroscopeforHere", TextNo(1066)},
    {"miSaveOnExit", TextNo(1067)},
    {"mnView", TextNo(1068)},
    {"miWheelDrawing", TextNo(1069)},
    {"miInterpretation", TextNo(1070)},
    {"miPlanetPositionGrid", TextNo(1071)},
    {"miHouseCuspPositionGrid", TextNo(1072)},
    {"miAspectGrid", TextNo(1073)},
    {"miSymbolExplanation", TextNo(1074)},
    {"miNameList", TextNo(1314)},
    {"mnWindow", TextNo(1075)},
    {"miCascade", TextNo(1076)},
    {"miTile", TextNo(1077)},
    {"miArrangeIcon", TextNo(1078)},
    {"miMinimizeAllWindows", TextNo(1079)},
    {"miRestoreAllWindows", TextNo(1080)},
    {"miCloseAllWindows", TextNo(1081)},
    {"mnHelp", TextNo(1082)},
    {"miAbout", TextNo(1083)},
};

// Help numbers of the menu items: in help mode a click or a key on an item shows its help.
constexpr TMenuText MenuHelp[] = {
    {"miFileNew", 100},          {"miOpenName", 101},
    {"miCloseName", 104},        {"miPrintWheel", 106},
    {"miPrintInterpretation", 107}, {"miPrintBook", 108},
    {"miPrintSetup", 109},       {"miImportNames", 111},
    {"miExit", 114},             {"smStrong", 122},
    {"smMedium", 123},           {"smWeak", 124},
    {"smUserDefinedOrbs", 125},  {"smHide", 126},
    {"smPlacidus", 127},         {"smKoch", 128},
    {"smEqual", 129},            {"smDefineNow", 149},
    {"miLoadYourStandard", 151}, {"miSaveAsYourStandard", 153},
    {"miSaveOnExit", 154},       {"miWheelDrawing", 155},
    {"miInterpretation", 156},   {"miAspectGrid", 157},
    {"miCascade", 160},          {"miTile", 161},
    {"miArrangeIcon", 163},      {"miMinimizeAllWindows", 164},
    {"miRestoreAllWindows", 165}, {"miCloseAllWindows", 166},
    {"miUsingHelp", 167},        {"miUsingtheKeyboard", 168},
    {"miSearchForHelpOn", 169},  {"miAbout", 172},
    {"smDefineHere", 188},       {"miLoadKyrStandard", 189},
    {"miEditName", 190},         {"miCopyToClipboard", 191},
    {"miPlanetPositionGrid", 192}, {"miDynamicAnalysis", 193},
    {"miHouseCuspPositionGrid", 194}, {"miSymbolExplanation", 195},
    {"miHereAndNow", 2004},
};

// What the program is and whose data it carries; the atlas licences require the attribution.
QString AboutText() {
    return QString::fromUtf8(
               "<p><b>KYR</b> %1 &mdash; horoscopes, chart wheels, transits and interpretation."
               "</p><p>Free software under the GNU General Public License, version 3 or later."
               "</p><p>Positions come from an ephemeris file made with the Swiss Ephemeris. "
               "The symbol font KYR Sans Serif is a renamed, modified DejaVu Sans.</p><p>")
               .arg(QStringLiteral(KYR_VERSION)) +
           QString::fromUtf8(AtlasAttribution).toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace

void TForm_KYR_Main::CreateMenus() {
    auto item = [this](QMenu *menu, const char *name, const char *caption, auto command,
                       bool checkable = false) {
        QAction *action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    auto submenu = [](QMenu *parent, const char *name, const char *caption) {
        QMenu *menu = parent->addMenu(QString::fromUtf8(caption));
        menu->menuAction()->setObjectName(QLatin1String(name));
        return menu;
    };
    auto topMenu = [this](const char *name, const char *caption) {
        QMenu *menu = menuBar()->addMenu(QString::fromUtf8(caption));
        menu->menuAction()->setObjectName(QLatin1String(name));
        return menu;
    };

    QMenu *file = topMenu("mnFile", "&File");
    item(file, "miExit", "E&xit", [this] { close(); });

    QMenu *options = topMenu("mnOptions", "&Options");
    QMenu *orbs = submenu(options, "mnOrbs", "&Orbs");
    FStrongItem = item(
        orbs, "smStrong", "&Strong", [this] { ChooseOrbs("Strong"); }, true);
    FMediumItem = item(
        orbs, "smMedium", "&Medium + Strong", [this] { ChooseOrbs("Medium"); }, true);
    FWeakItem = item(
        orbs, "smWeak", "&Weak + Medium + Strong", [this] { ChooseOrbs("Weak"); }, true);
    FUserOrbsItem = item(
        orbs, "smUserDefinedOrbs", "User Defined &Orbs...", [] {}, true);
    FUserOrbsItem->setEnabled(false); // the orb dialog is not built yet
    orbs->addSeparator();
    FHideItem = item(
        orbs, "smHide", "&Hide",
        [this](bool checked) {
            FSettings.System.HideAspects = checked;
            if (FWheel)
                FWheel->SetShowAspects(!checked);
        },
        true);

    QMenu *houses = submenu(options, "mnHouseSystem", "Ho&use System");
    const char *houseNames[] = {"smPlacidus", "smKoch", "smEqual"};
    const char *houseCaptions[] = {"&Placidus", "&Koch", "&Equal"};
    for (int n = 0; n < 3; ++n)
        FHouseItems[n] = item(
            houses, houseNames[n], houseCaptions[n], [this, n] { ChooseHouseSystem(n, true); },
            true);

    options->addSeparator();
    FHereStartItem = item(
        options, "smHoroscopeforHere", "Horoscope for \"Here\" and \"Now\" on S&tartup",
        [this](bool checked) { FSettings.SetHereAndNowFlag(checked); }, true);
    FSaveOnExitItem = item(
        options, "miSaveOnExit", "Save On &Exit",
        [this](bool checked) { FSettings.System.SaveOnExit = checked; }, true);

    QMenu *view = topMenu("mnView", "&View");
    item(view, "miWheelDrawing", "&Wheel Drawing", [this] { OpenChild(TChildKind::Wheel); });
    item(view, "miInterpretation", "&Interpretation",
         [this] { OpenChild(TChildKind::Interpretation); });
    item(view, "miPlanetPositionGrid", "&Planet Position Grid",
         [this] { OpenChild(TChildKind::Positions); });
    item(view, "miHouseCuspPositionGrid", "&House Cusp Position Grid",
         [this] { OpenChild(TChildKind::Cusps); });
    item(view, "miAspectGrid", "&Aspect Grid", [this] { OpenChild(TChildKind::Aspects); });
    item(view, "miSymbolExplanation", "&Symbol Explanation",
         [this] { OpenChild(TChildKind::Symbols); });
    item(view, "miNameList", "&Name List", [this] { OpenChild(TChildKind::NameList); });

    QMenu *window = topMenu("mnWindow", "&Window");
    FChildItems = {
        item(window, "miCascade", "&Cascade", [this] { CascadeChildren(); }),
        item(window, "miTile", "&Tile", [this] { FMdiArea->tileSubWindows(); }),
        item(window, "miArrangeIcon", "Arrange &Icon",
             [this] {
                 // Minimised frames line up along the bottom edge.
                 int x = 0;
                 for (QMdiSubWindow *sub : FMdiArea->subWindowList())
                     if (sub->isMinimized()) {
                         sub->move(x, FMdiArea->viewport()->height() - sub->height());
                         x += sub->width();
                     }
             }),
        item(window, "miMinimizeAllWindows", "&Minimize All Windows",
             [this] {
                 for (QMdiSubWindow *sub : FMdiArea->subWindowList())
                     sub->showMinimized();
             }),
        item(window, "miRestoreAllWindows", "&Restore All Windows",
             [this] {
                 for (QMdiSubWindow *sub : FMdiArea->subWindowList())
                     if (sub->isMinimized())
                         sub->showNormal();
             }),
        item(window, "miCloseAllWindows", "C&lose All Windows",
             [this] { FMdiArea->closeAllSubWindows(); }),
    };

    QMenu *help = topMenu("mnHelp", "&Help");
    item(help, "miAbout", "&About...", [this] {
        QMessageBox::about(this, windowTitle(), AboutText());
    });
}

void TForm_KYR_Main::TagMenuItems() {
    for (const TMenuText &t : MenuTexts)
        if (QAction *action = MenuItem(t.Name))
            SetTag(action,
                   KYR_Language.GetText(t.Number).empty() ? FirstUntranslatedTag : t.Number);
    TagCommandItems();
    for (const TMenuText &t : MenuHelp)
        if (QAction *action = MenuItem(t.Name))
            action->setProperty("HelpContext", t.Number);
}

void TForm_KYR_Main::CascadeChildren() {
    // QMdiArea's own cascade sizes the frames from their size hints, which after Tile leaves
    // bare title bars; each window here gets two thirds of the area, one title bar apart.
    const QSize area = FMdiArea->viewport()->size();
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *sub : FMdiArea->subWindowList(QMdiArea::StackingOrder))
        if (sub->isVisible() && !sub->isMinimized())
            windows.append(sub);
    if (windows.isEmpty())
        return;
    const int step =
        std::max(16, FMdiArea->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first()));
    const int width = std::max(area.width() * 2 / 3, 200);
    const int height = std::max(area.height() * 2 / 3, 150);
    int x = 0, y = 0;
    for (QMdiSubWindow *sub : windows) {
        if (sub->isMaximized())
            sub->showNormal();
        if (x + width > area.width() || y + height > area.height())
            x = y = 0;
        sub->setGeometry(x, y, std::min(width, area.width()), std::min(height, area.height()));
        sub->raise();
        x += step;
        y += step;
    }
    FMdiArea->setActiveSubWindow(windows.last());
}

QAction *TForm_KYR_Main::MenuItem(const char *name) const {
    for (QAction *action : menuBar()->findChildren<QAction *>(QLatin1String(name)))
        return action;
    // Items added with QMenu::addAction belong to their menu.
    for (QMenu *menu : menuBar()->findChildren<QMenu *>())
        for (QAction *action : menu->actions())
            if (action->objectName() == QLatin1String(name))
                return action;
    return nullptr;
}

} // namespace kyr
