#include "MainWindow.h"
#include "ReachablePlaces.h"

#include "AskDlg.h"
#include "AspectWindow.h"
#include "Calendar.h"
#include "ContextHelp.h"
#include "CuspWindow.h"
#include "DataCollection.h"
#include "HereNow.h"
#include "InterpWindow.h"
#include "KeyWordDlg.h"
#include "KyrPrinter.h"
#include "NameDlg.h"
#include "NameLists.h"
#include "NameRecord.h"
#include "OrbSetInUse.h"
#include "PBookDlg.h"
#include "PIntDlg.h"
#include "SearchDlg.h"
#include "WinNames.h"
#include "MainToolBar.h"
#include "ClockMoments.h"
#include "PlaceOffsets.h"
#include "PositionWindow.h"
#include "QuickHelpWin.h"
#include "SelectionPanel.h"
#include "SymbolFonts.h"
#include "SymbolWindow.h"
#include "TableRecovery.h"
#include "Translation.h"
#include "Wheel.h"
#include "WheelWindow.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace kyr {

namespace {

constexpr int CurrentSessionText = 689;
constexpr int EqualFallbackText = 730;
constexpr int SummaryFormatText = 1034;
constexpr int SummerTimeWord = 417;
constexpr int ZoneWord = 419;
constexpr int HousesWord = 718;

QString ToQ(const std::string &text) {
    return QString::fromStdString(text);
}

long long DateNumber(const QDate &d) {
    return d.year() * 10000LL + d.month() * 100 + d.day();
}
long long TimeNumber(const QTime &t) {
    return t.hour() * 10000LL + t.minute() * 100 + t.second();
}

// Shows a new child frame in the state its saved place records.
void ShowInSavedState(QMdiSubWindow *sub, const TWindowPlace &place) {
    if (place.Valid && place.State == WindowMaximised)
        sub->showMaximized();
    else if (place.Valid && place.State == WindowMinimised)
        sub->showMinimized();
    else
        sub->show();
}

int FrameState(const QWidget *w) {
    return w->isMinimized() ? WindowMinimised : w->isMaximized() ? WindowMaximised : WindowNormal;
}

} // namespace

std::string StartUpCountry(TKyrSetup &settings) {
    const std::string code = settings.CurrentCountry();
    return code.size() >= 2 ? code.substr(0, 2) : std::string("UK");
}

TForm_KYR_Main::TForm_KYR_Main(TSetupEnvironment environment, QWidget *parent)
    : QMainWindow(parent), FSettings(std::move(environment)), FMdiArea(new QMdiArea(this)),
      FSummary(new QLabel(this)) {
    setObjectName(QStringLiteral("Form_KYR_Main"));
    setWindowTitle(QStringLiteral("KYR"));
    // Context help for whatever in the window has no help of its own.
    setProperty("HelpContext", HelpContext);
    // The symbol glyphs of the wheel and tables come from the program's own fonts.
    RegisterSymbolFonts();

    OnInformation = [this](const QString &text) {
        QMessageBox::information(this, QApplication::applicationDisplayName(), text);
    };

    // Design-time values: the first chart is a sample until a name or here-and-now replaces it.
    KYR_Horoscope_1.SetFromYear(1999);
    KYR_Horoscope_1.SetToYear(2002);
    KYR_Horoscope_1.SetBirthDate(1941.0806L);
    KYR_Horoscope_1.SetBirthTime(4.16L);
    KYR_Horoscope_1.SetSummerTime(1.0L);
    KYR_Horoscope_1.PlaceName = "New York";
    KYR_Horoscope_1.StateName = "USA";
    KYR_Horoscope_2.SetFromYear(1999);
    KYR_Horoscope_2.SetToYear(2002);
    KYR_Horoscope_2.SetBirthDate(1900.0101L);
    KYR_Horoscope_1.SetOptions(KYR_Horoscope_1.Options() | OptionAspects | OptionTransits);
    KYR_Horoscope_2.SetOptions(KYR_Horoscope_2.Options() | OptionAspects);
    KYR_Horoscope_1.OnChange = [this](THoroscope &) { Horoscope1Changed(); };
    KYR_Horoscope_2.OnChange = [this](THoroscope &) { Horoscope2Changed(); };
    KYR_Language.SetCountry("UK");
    KYR_Language.OnChange = [this](TLanguage &) { LanguageChanged(); };

    setCentralWidget(FMdiArea);
    FMdiArea->setObjectName(QStringLiteral("MdiArea"));
    FMdiArea->viewport()->installEventFilter(this);
    FSummary->setObjectName(QStringLiteral("ChartSummary"));
    // The selection panel under the menu; its last page is the chart summary.
    FSelection = new TSelectionPanel(KYR_Language, KYR_Horoscope_1, FSummary, this);
    FSelection->Wheel = [this]() -> TWheel * { return FWheel; };
    FSelection->Interpretation = [this]() -> TInterpretationTarget * { return FInterp.data(); };
    FSelection->OnShowSummary = [this] { ShowChartSummary(); };
    QToolBar *infoBar = addToolBar(QStringLiteral("Info"));
    infoBar->setObjectName(QStringLiteral("InfoBar"));
    infoBar->setMovable(false);
    infoBar->addWidget(FSelection);
    connect(FMdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        UpdateMenuItems();
        // Another wheel window may have changed the colour meanwhile.
        if (sub && sub == FWheelWindow && FWheelWin)
            FWheelWin->FormActivate();
    });
    CreateMenus();
    CreateCommands();
    UpdateMenuItems();
}

TForm_KYR_Main::~TForm_KYR_Main() {
    // The windows refer to the charts and the language; they go first.
    KYR_Horoscope_1.OnChange = nullptr;
    KYR_Horoscope_2.OnChange = nullptr;
    KYR_Language.OnChange = nullptr;
    FMdiArea->closeAllSubWindows();
    delete FMdiArea;
    FMdiArea = nullptr;
    if (DataCollection() == FData.get())
        SetDataCollection(nullptr);
}

bool TForm_KYR_Main::StartUp() {
    KYR_Language.SetCountry("UK");
    FStarting = true;

    FData = std::make_unique<TDataCollection>();
    SetDataCollection(FData.get());
    KYR_Language.OnGetTokens = [this](TLanguage &, const std::string &newLanguage,
                                      std::string &stream) {
        std::stringstream texts;
        FData->GetLanguageTexts(newLanguage, texts);
        stream = texts.str();
    };

    LoadSettings(false);

    // The settings list languages by their position; the data tables are per language code.
    const std::string country = KYR_Language.Country();
    FSettings.SelectLanguage(FSettings.LanguageIndex(country));
    FData->SetLanguage(country);
    OpenTables(country);
    // An idle program holds no read lock, so kyr-chart and the importer can write meanwhile.
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [] {
            try {
                TKyrTable::EndReads();
            } catch (const EStoreError &) {
                // Ending a read has nothing to lose; the next read reports a broken file.
            }
        });

    KYR_Language.SetActive(true);
    if (!KYR_Language.Active())
        throw std::runtime_error("Invalid KYR-Language reference!");
    TagMenuItems();

    FSettings.ApplyTransitSettings(KYR_Horoscope_1);
    // A set that is gone would leave every orb at 0, and every aspect would disappear.
    if (const auto missing = FallBackFromMissingOrbSet(FSettings, FData->OrbisDefTable);
        missing && !missing->empty())
        OnInformation(ToQ(KYR_Language.GetText(1491)).arg(ToQ(*missing)));
    FSettings.ApplyUserOrbs(FData->OrbisDefTable, KYR_Horoscope_1);
    FSettings.ApplyUserOrbs(FData->OrbisDefTable, KYR_Horoscope_2);

    OpenStartUpChildren();

    if (FSettings.HereAndNow()) {
        KYR_Horoscope_1.SetActive(false);
        KYR_Horoscope_1.SetHouseSystem(FSettings.HouseSystem());
        SetHereAndNow(Clock());
        if (!LanguageIsUK())
            SetChildCaptions(ToQ(KYR_Language.GetText(CurrentSessionText)));
        KYR_Horoscope_1.SetActive(true);
    } else {
        ShowChartSummary();
    }
    FStarting = false;
    return true;
}

void TForm_KYR_Main::OpenTables(const std::string &country) {
    // The window's language is not active yet; the questions read the texts on their own, and
    // only when there is something to ask.
    auto texts = std::make_shared<TLanguage>();
    auto loaded = [texts, country]() -> TLanguage & {
        if (!texts->Active()) {
            texts->SetCountry(country);
            try {
                texts->SetActive(true);
            } catch (const std::exception &) {
                // English words then.
            }
        }
        return *texts;
    };
    TRecoveryDialogs dialogs;
    dialogs.GetText = [loaded](int number) {
        TLanguage &language = loaded();
        return language.Active() ? language.GetText(number) : std::string();
    };
    dialogs.Ask = [this, loaded](const QString &question) {
        TAskDlg ask(loaded(), this);
        return ask.AskYes(question);
    };
    dialogs.Tell = [this](const QString &message) { OnInformation(message); };
    OpenTablesRecovering(*FData, dialogs);
}

void TForm_KYR_Main::PostStartUp() {
    if (!FAskDlg)
        FAskDlg = new TAskDlg(KYR_Language, this);
    ShowLanguageTestNotice();
    if (!FQuickHelp) {
        FQuickHelp = new TQHelpWin(KYR_Language, *FData, FSettings, this);
        FKeyWordDlg = new TKeyWordDlg(KYR_Language, *FData, this);
        FContextHelp = new TContextHelp(this);
        FContextHelp->OnHelp = [this](int helpNo) { ShowQuickHelp(helpNo); };
        ConnectDialogCommands();
        ConnectPrintCommands();
    }
}

void TForm_KYR_Main::LoadSettings(bool standard) {
    if (QScreen *screen = QGuiApplication::primaryScreen())
        FSettings.SetScreenSize(
            {screen->availableGeometry().width(), screen->availableGeometry().height()});
    if (standard)
        FSettings.ReadSettings(FSettings.StandardFileName());
    else
        FSettings.LoadUserSettings();
    KeepPlacesReachable(FSettings.Windows);
    KYR_Language.SetCountry(StartUpCountry(FSettings));
    SetDateOrder(FSettings.System.USDateFormat ? TDateOrder::MonthDayYear
                                               : TDateOrder::DayMonthYear);
    FHereStartItem->setChecked(FSettings.HereAndNow());
    FSaveOnExitItem->setChecked(FSettings.System.SaveOnExit);
    FHideItem->setChecked(FSettings.System.HideAspects);
    SetOrbMarks();
    SetHouseSystemMarks(FSettings.HouseSystem());
    RestoreMainPlace();
    UpdateLanguageItems();
}

void TForm_KYR_Main::SetHereAndNow(const QDateTime &t) {
    std::string state, place;
    if (!FData || !SplitPlaceText(FSettings.Place(), state, place))
        return;
    const std::optional<TAtlasPlace> found = FindAtlasPlace(*FData, state, place);
    if (!found)
        return;
    THoroscope &h = KYR_Horoscope_1;
    h.StateName = TruncateString48(state);
    h.PlaceName = TruncateString48(place);
    h.FirstName =
        LanguageIsUK() ? std::string("Current Session") : KYR_Language.GetText(CurrentSessionText);
    h.LastName.clear();
    // The atlas holds ±(degrees·100 + minutes); the chart takes D.MM.
    h.SetLongitude(found->Longitude / 100.0L);
    h.SetLatitude(found->Latitude / 100.0L);
    if (FSettings.HouseSystemIsTemporary())
        h.SetHouseSystem(FSettings.SavedHouseSystem());
    // The here place's own clock: the moment in universal time through the place's zone and
    // summer-time history, whatever the computer's time zone; a moment set with Define "Now" is
    // a reading of that clock.
    TLocalMoment local;
    if (FFixedNow) {
        local.Clock = *FFixedNow;
        local.Offsets =
            ClockMomentsForPlace(*FData, *found, local.Clock.Date, local.Clock.Time).Earlier;
    } else {
        const QDateTime ut = t.toUTC();
        local = LocalMomentForPlace(*FData, *found,
                                    {DateNumber(ut.date()), TimeNumber(ut.time())});
    }
    h.SetBirthDate(local.Clock.Date / 10000.0L);
    h.SetBirthTime(local.Clock.Time / 10000.0L);
    h.SetGregorianStart(FData->GregorianStartFor(state, place, h.BirthDate()));
    h.SetZoneTime(local.Offsets.ZoneTime);
    h.SetSummerTime(local.Offsets.SummerTime);
}

QDateTime TForm_KYR_Main::HereClock() {
    const QDateTime now = Clock();
    std::string state, place;
    if (!FData || !SplitPlaceText(FSettings.Place(), state, place))
        return now.toLocalTime();
    const std::optional<TAtlasPlace> found = FindAtlasPlace(*FData, state, place);
    if (!found)
        return now.toLocalTime();
    const QDateTime ut = now.toUTC();
    const TLocalMoment local =
        LocalMomentForPlace(*FData, *found, {DateNumber(ut.date()), TimeNumber(ut.time())});
    const auto part = [](long long n, int divisor) { return static_cast<int>(n / divisor % 100); };
    return QDateTime(QDate(static_cast<int>(local.Clock.Date / 10000), part(local.Clock.Date, 100),
                           part(local.Clock.Date, 1)),
                     QTime(part(local.Clock.Time, 10000), part(local.Clock.Time, 100),
                           part(local.Clock.Time, 1)));
}

void TForm_KYR_Main::SetFixedNow(const std::optional<TDateTimeNumbers> &clock) {
    FFixedNow = clock;
}

void TForm_KYR_Main::DefineNow(int result, const QDateTime &moment) {
    if (result == QDialog::Accepted && moment.isValid())
        SetFixedNow(TDateTimeNumbers{DateNumber(moment.date()), TimeNumber(moment.time())});
    else if (result == TSetNowDlg::UseClockResult)
        SetFixedNow(std::nullopt);
    else
        return;
    HereAndNowClick();
}

void TForm_KYR_Main::ShowChartSummary() {
    FSelection->setCurrentIndex(TSelectionPanel::pgStandard);
    const THoroscope &h = KYR_Horoscope_1;
    if (!h.Active()) {
        FSummary->clear();
        return;
    }
    const TLanguage &l = KYR_Language;
    const std::string separator = l.ListSeparator();
    std::string placeText = h.StateName;
    if (!h.StateName.empty() && !h.PlaceName.empty())
        placeText += separator;
    placeText += h.PlaceName;
    const QString dateTime =
        ToQ(l.BirthDateTimeText(h.BirthDate(), h.BirthTime(), h.IsJulian()));
    const QString latitude = ToQ(l.LatitudeText(h.Latitude()));
    const QString longitude = ToQ(l.LongitudeText(h.Longitude()));
    // A person without a place name (an imported one far from every atlas place) is shown by
    // the coordinates instead of an empty field.
    if (placeText.empty())
        placeText = l.LatitudeText(h.Latitude()) + " " + l.LongitudeText(h.Longitude());
    const QString zone = ToQ(l.ZoneText(h.ZoneTime()));
    const QString summer = ToQ(l.TimeText(h.SummerTime()));
    const QString houses = ToQ(l.HouseSystemName(h.HouseSystem()));
    const std::string format = l.GetText(SummaryFormatText);
    // The here-and-now chart at a moment of Define "Now" says so: it does not follow the clock.
    const std::string session =
        LanguageIsUK() ? std::string("Current Session") : l.GetText(CurrentSessionText);
    const QString fixedMark = FFixedNow && h.FirstName == session && h.LastName.empty()
                                  ? ' ' + ToQ(l.GetText(1474))
                                  : QString();
    if (!format.empty()) {
        FSummary->setText(
            ToQ(format).arg(dateTime, ToQ(placeText), latitude, longitude, zone, summer, houses) +
            fixedMark);
        return;
    }
    QString text = dateTime + ' ';
    if (!h.StateName.empty())
        text += ToQ(h.StateName + separator);
    if (!h.PlaceName.empty())
        text += ToQ(h.PlaceName) + ' ';
    const QString sep = ToQ(separator);
    text += latitude + sep + longitude + ' ' + ToQ(l.GetText(ZoneWord)) + ' ' + zone + sep +
            ToQ(l.GetText(SummerTimeWord)) + ' ' + summer + sep + houses + ' ' +
            ToQ(l.GetText(HousesWord));
    FSummary->setText(text + fixedMark);
}

void TForm_KYR_Main::SetChildCaptions(const QString &caption) {
    for (QMdiSubWindow *sub : FMdiArea->subWindowList()) {
        sub->setWindowTitle(caption);
        if (sub->widget())
            sub->widget()->setWindowTitle(caption);
    }
}

void TForm_KYR_Main::UpdateCaptions() {
    const THoroscope &h = KYR_Horoscope_1;
    const THoroscope *partner = h.Partner();
    SetChildCaptions(partner ? ToQ(h.FirstName + " & " + partner->FirstName)
                             : ToQ(h.FirstName + " " + h.LastName));
}

void TForm_KYR_Main::Horoscope1Changed() {
    ShowChartSummary();
    for (TTableWindow *table :
         std::initializer_list<TTableWindow *>{FPositions.data(), FCusps.data(), FAspects.data()})
        if (table)
            table->Refresh();
    THoroscope &h = KYR_Horoscope_1;
    if (h.Active() && h.HouseSystem() != FSettings.SavedHouseSystem() && !FStarting) {
        // A polar place has no Placidus or Koch cusps; the chart fell back to Equal houses.
        OnInformation(
            LanguageIsUK()
                ? QStringLiteral("Note that Horoscope has been changed to Equal House of Systems")
                : ToQ(KYR_Language.GetText(EqualFallbackText)));
        FSettings.SetTemporaryHouseSystem(h.HouseSystem());
    } else if (h.Active() && FSettings.HouseSystemIsTemporary() &&
               h.HouseSystem() == FSettings.SavedHouseSystem()) {
        // The chart is back on the user's system (a corrected latitude): the fall-back ends.
        FSettings.SetHouseSystem(h.HouseSystem());
    }
    SetHouseSystemMarks(h.HouseSystem());
    UpdateCaptions();
    if (FInterp && h.Active())
        FInterp->SetInterptype(itBirthAnalysis);
}

void TForm_KYR_Main::Horoscope2Changed() {
    UpdateCaptions();
    if (FAspects)
        FAspects->Refresh();
}

void TForm_KYR_Main::LanguageChanged() {
    TranslateForm(KYR_Language, this);
    for (QMdiSubWindow *sub : FMdiArea->subWindowList())
        if (sub->widget())
            TranslateForm(KYR_Language, sub->widget());
    ApplyLanguageFont(KYR_Language, FSummary);
    FSelection->Retranslate();
    if (FInterp)
        FInterp->LanguageChanged();
    // Translation puts the design captions back on the child windows.
    if (KYR_Language.Active() && !FLoading)
        UpdateCaptions();
}

void TForm_KYR_Main::OpenStartUpChildren() {
    const TWindowPlaces &w = FSettings.Windows;
    const std::array<std::pair<TChildKind, bool>, 6> marked{{
        {TChildKind::Wheel, w.Wheel.Valid},
        {TChildKind::Interpretation, w.Interpretation.Valid},
        {TChildKind::Positions, w.Planets.Valid},
        {TChildKind::Cusps, w.HouseCusps.Valid},
        {TChildKind::Aspects, w.Aspects.Valid},
        {TChildKind::Symbols, w.Symbols.Valid},
    }};
    // The window is not shown yet, so its client area is measured from its own size.
    const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    const QSize area(width(), std::max(height() - bars, 1));
    FSettings.SplitDefaultPlaces({0, 0, area.width(), area.height()});
    int opened = 0;
    for (const auto &[kind, open] : marked)
        if (open && OpenChild(kind))
            ++opened;
    if (opened == 0) {
        OpenChild(TChildKind::Wheel);
        OpenChild(TChildKind::Interpretation);
    }
}

QWidget *TForm_KYR_Main::OpenChild(TChildKind kind) {
    ++FOpenedCount;
    QWidget *existing = nullptr;
    switch (kind) {
    case TChildKind::Wheel:
        existing = FWheelWindow;
        break;
    case TChildKind::Interpretation:
        existing = FInterp;
        break;
    case TChildKind::Positions:
        existing = FPositions;
        break;
    case TChildKind::Cusps:
        existing = FCusps;
        break;
    case TChildKind::Aspects:
        existing = FAspects;
        break;
    case TChildKind::Symbols:
        existing = FSymbols;
        break;
    case TChildKind::NameList:
        existing = FNames;
        break;
    }
    if (existing) {
        QWidget *frame = existing;
        while (frame && !qobject_cast<QMdiSubWindow *>(frame))
            frame = frame->parentWidget();
        if (auto *sub = qobject_cast<QMdiSubWindow *>(frame)) {
            if (sub->isMinimized())
                sub->showNormal();
            FMdiArea->setActiveSubWindow(sub);
        }
        return existing;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QWidget *created = nullptr;
    try {
        created = CreateChild(kind);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    UpdateMenuItems();
    return created;
}

QWidget *TForm_KYR_Main::CreateChild(TChildKind kind) {
    TWindowPlaces &w = FSettings.Windows;
    const TLanguage &l = KYR_Language;
    const THoroscope *h = &KYR_Horoscope_1;
    TTableWindow *table = nullptr;
    switch (kind) {
    case TChildKind::Wheel:
        return OpenWheelWindow();
    case TChildKind::Interpretation:
        return OpenInterpWindow();
    case TChildKind::Positions:
        table = FPositions = new TWinppos(w.Planets, l, h);
        break;
    case TChildKind::Cusps:
        table = FCusps = new TWinCPos(w.HouseCusps, l, h);
        break;
    case TChildKind::Aspects:
        table = FAspects = new TWinAspects(w.Aspects, l, h);
        break;
    case TChildKind::Symbols:
        table = FSymbols = new TWinSymbols(w.Symbols, l, h);
        break;
    case TChildKind::NameList: {
        auto *names = new TWinNames(*FData, l, w.NameList);
        FNames = names;
        QMdiSubWindow *sub = FMdiArea->addSubWindow(names);
        connect(
            sub, &QObject::destroyed, this, [this] { UpdateMenuItems(); }, Qt::QueuedConnection);
        TranslateForm(KYR_Language, names);
        // Until the user has placed it, the list opens tall and wide enough for full names.
        const TWindowPlace &place = w.NameList;
        if (place.Valid && place.Width > 0 && place.Height > 0)
            sub->setGeometry(place.Left, place.Top, place.Width, place.Height);
        else
            sub->setGeometry(place.Left, place.Top, std::max(place.Width, 260),
                             std::max(place.Height, 420));
        sub->show();
        return names;
    }
    }
    QMdiSubWindow *sub = FMdiArea->addSubWindow(table);
    connect(
        sub, &QObject::destroyed, this, [this] { UpdateMenuItems(); }, Qt::QueuedConnection);
    TranslateForm(KYR_Language, table);
    table->Refresh();
    sub->show();
    return table;
}

QMdiSubWindow *TForm_KYR_Main::OpenWheelWindow() {
    TWheelWin::TContext context;
    context.First = &KYR_Horoscope_1;
    context.Second = &KYR_Horoscope_2;
    context.Setup = &FSettings;
    context.Language = &KYR_Language;
    context.Loading = FLoading;
    // The animations play only while a wheel window is open.
    context.AnimationButton = [this](bool enabled) {
        if (FToolBar && FToolBar->AnimationBtn)
            FToolBar->AnimationBtn->setEnabled(enabled);
    };
    auto *window = new TWheelWin(context);
    window->setObjectName(QStringLiteral("WheelWin"));
    window->setProperty("HelpContext", 540);
    window->Wheel1()->setObjectName(QStringLiteral("Wheel"));
    // A hit tells the selection panel, which tells the interpretation window.
    window->OnShowItem = [this](TWheelHitType kind, int ref) { FSelection->ShowItem(kind, ref); };
    window->OnDestroyed = [this] { FSelection->setCurrentIndex(TSelectionPanel::pgStandard); };
    QMdiSubWindow *sub = FMdiArea->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(QStringLiteral("WheelWindow"));
    const TWindowPlace &place = FSettings.Windows.Wheel;
    if (place.Width > 0 && place.Height > 0)
        sub->setGeometry(place.Left, place.Top, place.Width, place.Height);
    else
        sub->resize(480, 480);
    sub->installEventFilter(this);
    FWheelWin = window;
    // A person dragged from the name list goes into the chart under the drop point.
    window->OnNameDropped = [this](const QString &name, QPoint, THoroscope *target) {
        TPersonName person;
        if (!target || !FindDroppedName(*FData, name.toStdString(), person))
            return;
        target->SetActive(false);
        LoadNameIntoHoroscope(*FData, person.First, person.Last, *target);
        target->SetActive(true);
    };
    FWheel = window->Wheel1();
    FWheelWindow = sub;
    FWheelWindowObject = sub;
    const THoroscope &h = KYR_Horoscope_1;
    sub->setWindowTitle(ToQ(h.FirstName + " " + h.LastName));
    ShowInSavedState(sub, place);
    return sub;
}

QWidget *TForm_KYR_Main::OpenInterpWindow() {
    TInterpWin::TContext context;
    context.First = &KYR_Horoscope_1;
    context.Second = &KYR_Horoscope_2;
    context.Language = &KYR_Language;
    context.Setup = &FSettings;
    context.Data = FData.get();
    context.Loading = [this] { return FLoading; };
    context.OnInformation = [this](const QString &text) { OnInformation(text); };
    auto *frame = new TInterpWin(context);
    frame->Wheel = [this]() -> TWheel * { return FWheel; };
    QMdiSubWindow *sub = FMdiArea->addSubWindow(frame);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(
        sub, &QObject::destroyed, this, [this] { UpdateMenuItems(); }, Qt::QueuedConnection);
    TranslateForm(KYR_Language, frame);
    frame->AttachFrame(sub);
    // The window keeps its own place once the program runs; at start-up it takes the saved
    // one here, or the left half beside the wheel.
    const TWindowPlace &place = FSettings.Windows.Interpretation;
    if (place.Width > 0 && place.Height > 0)
        sub->setGeometry(place.Left, place.Top, place.Width, place.Height);
    else
        sub->setGeometry(0, 0, std::max(400, FMdiArea->width() / 2), std::max(300, FMdiArea->height()));
    FInterp = frame;
    ShowInSavedState(sub, place);
    return frame;
}

bool TForm_KYR_Main::eventFilter(QObject *watched, QEvent *event) {
    // A child frame's own Close carries Ctrl+W too, which took the key from Print Wheel:
    // the frames close with Ctrl+F4 only.
    if (event->type() == QEvent::ChildPolished && watched == FMdiArea->viewport())
        if (auto *sub = qobject_cast<QMdiSubWindow *>(static_cast<QChildEvent *>(event)->child()))
            for (QAction *action : sub->findChildren<QAction *>())
                if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    // Compared as QObject: during its destruction the frame is no longer a QMdiSubWindow.
    if (watched == static_cast<QObject *>(FWheelWindowObject.data())) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Close:
        case QEvent::WindowStateChange:
            StoreWheelPlace();
            break;
        case QEvent::Destroy:
            QMetaObject::invokeMethod(
                this, [this] { UpdateMenuItems(); }, Qt::QueuedConnection);
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm_KYR_Main::StoreWheelPlace() {
    if (!FWheelWindow || !FWheelWindow->isVisible())
        return;
    TWindowPlace &place = FSettings.Windows.Wheel;
    place.Valid = true;
    place.State = FrameState(FWheelWindow);
    if (place.State == WindowNormal) {
        const QRect g = FWheelWindow->geometry();
        place.Left = g.x();
        place.Top = g.y();
        place.Width = g.width();
        place.Height = g.height();
    }
}

void TForm_KYR_Main::RestoreMainPlace() {
    const TWindowPlace &place = FSettings.Windows.Main;
    if (place.Valid && place.Width > 0 && place.Height > 0) {
        setGeometry(place.Left, place.Top, place.Width, place.Height);
        if (place.State == WindowMaximised)
            setWindowState(windowState() | Qt::WindowMaximized);
    } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
        // No place yet: the main window fills the screen.
        setGeometry(screen->availableGeometry());
    }
}

void TForm_KYR_Main::StoreMainPlace() {
    TWindowPlace &place = FSettings.Windows.Main;
    place.Valid = true;
    place.State = FrameState(this);
    const QRect g = place.State == WindowNormal ? geometry() : normalGeometry();
    place.Left = g.x();
    place.Top = g.y();
    place.Width = g.width();
    place.Height = g.height();
}

void TForm_KYR_Main::BringToFront() {
    if (!isVisible())
        return;
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

void TForm_KYR_Main::closeEvent(QCloseEvent *event) {
    const bool full = FSettings.System.SaveOnExit;
    if (full) {
        StoreMainPlace();
        StoreWheelPlace();
        StoreChildPlaces(false);
    }
    // The flag itself is always written, so switching it off is remembered.
    FSettings.WriteSettings(UserSettingsName, full);
    event->accept();
}

void TForm_KYR_Main::ChooseHouseSystem(int n, bool stored) {
    if (stored)
        FSettings.SetHouseSystem(n);
    SetHouseSystemMarks(n);
    KYR_Horoscope_1.SetHouseSystem(n);
}

void TForm_KYR_Main::ChooseOrbs(const std::string &name) {
    FSettings.System.OrbisName = name;
    FSettings.System.ChkStrong = name == "Strong";
    FSettings.System.ChkMedium = name == "Medium";
    FSettings.System.ChkWeak = name == "Weak";
    if (FData && FData->Active()) {
        FSettings.ApplyUserOrbs(FData->OrbisDefTable, KYR_Horoscope_1);
        FSettings.ApplyUserOrbs(FData->OrbisDefTable, KYR_Horoscope_2);
    }
    SetOrbMarks();
    // A new orb set means the aspect lines are wanted again.
    if (FWheel && FSettings.System.HideAspects) {
        FSettings.System.HideAspects = false;
        FHideItem->setChecked(false);
        FWheel->SetShowAspects(true);
    }
}

void TForm_KYR_Main::SetHouseSystemMarks(int n) {
    for (int i = 0; i < static_cast<int>(FHouseItems.size()); ++i)
        FHouseItems[i]->setChecked(i == n);
}

void TForm_KYR_Main::SetOrbMarks() {
    const std::string &name = FSettings.System.OrbisName;
    FStrongItem->setChecked(name == "Strong");
    FMediumItem->setChecked(name == "Medium");
    FWeakItem->setChecked(name == "Weak");
    FUserOrbsItem->setChecked(name != "Strong" && name != "Medium" && name != "Weak");
}

void TForm_KYR_Main::UpdateMenuItems() {
    const bool any = FMdiArea && !FMdiArea->subWindowList().isEmpty();
    for (QAction *item : FChildItems)
        item->setEnabled(any);
    UpdateCommandItems();
}

QString TForm_KYR_Main::Text(int number, const char *english) const {
    const std::string text = KYR_Language.Active() ? KYR_Language.GetText(number) : std::string();
    return text.empty() ? QString::fromUtf8(english) : ToQ(text);
}

QMdiSubWindow *TForm_KYR_Main::WheelWindow() const {
    return FWheelWindow;
}
TWheelWin *TForm_KYR_Main::WheelWin() const {
    return FWheelWin;
}
TWheel *TForm_KYR_Main::Wheel() const {
    return FWheel;
}
TInterpWin *TForm_KYR_Main::InterpWindow() const {
    return FInterp;
}
TWinppos *TForm_KYR_Main::Positions() const {
    return FPositions;
}
TWinCPos *TForm_KYR_Main::Cusps() const {
    return FCusps;
}
TWinAspects *TForm_KYR_Main::Aspects() const {
    return FAspects;
}
TWinSymbols *TForm_KYR_Main::Symbols() const {
    return FSymbols;
}

bool TForm_KYR_Main::LanguageIsUK() const {
    return KYR_Language.Country() == "UK";
}

} // namespace kyr
