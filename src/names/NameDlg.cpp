// The name dialog's controls and what the user does with them. The record, its pages and the
// offsets are in NameDlgPages.cpp.
#include "NameDlg.h"

#include "DataCollection.h"
#include "DialogFields.h"
#include "KyrSetup.h"
#include "Language.h"
#include "NameSearch.h"
#include "RangeCheck.h"
#include "TextHelpers.h"
#include "Translation.h"
#include "Wheel.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

constexpr int PageTabTexts[TNameDlg::PageCount] = {
    TextNo(377), TextNo(376), TextNo(375), TextNo(373),
    TextNo(372), TextNo(374), TextNo(380), TextNo(381),
};

/// The longest first or last name a record holds.
constexpr int NameLength = 48;

/// A name edit: typing stops at the limit; text pasted or dropped in that is cut there calls
/// onCut, so that the user learns of the lost part.
class TNameEdit : public QLineEdit {
public:
    TNameEdit(QWidget *parent, std::function<void()> onCut) : QLineEdit(parent) {
        setMaxLength(NameLength);
        connect(this, &QLineEdit::inputRejected, this, [this, onCut = std::move(onCut)] {
            if (!FTyping)
                onCut();
        });
    }

protected:
    void keyPressEvent(QKeyEvent *event) override {
        FTyping = !event->matches(QKeySequence::Paste);
        QLineEdit::keyPressEvent(event);
        FTyping = false;
    }

private:
    bool FTyping = false;
};

// A field's caption; the captions of one page share the width of the widest (AlignCaptions).
QLabel *Caption(QWidget *parent, int tag, QWidget *buddy = nullptr) {
    auto *label = new QLabel(parent);
    label->setProperty("FieldCaption", true);
    SetTag(label, tag);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QPushButton *Button(QWidget *parent, const char *name, int tag) {
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    SetTag(button, tag);
    button->setAutoDefault(false);
    return button;
}

// The small "..." button beside an edit that opens a search list; its tag numbers the hint.
QToolButton *SearchButton(QWidget *parent, const char *name) {
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("..."));
    SetTag(button, -1170);
    return button;
}

QGroupBox *Group(QWidget *parent, int tag) {
    auto *group = new QGroupBox(parent);
    SetTag(group, tag);
    return group;
}

// A separator between the parts of a date, time or angle.
QLabel *Unit(QWidget *parent, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The captions of a page in one column width, also where they sit in different boxes.
void AlignCaptions(QWidget *page) {
    QList<QLabel *> captions;
    int width = 0;
    for (QLabel *label : page->findChildren<QLabel *>())
        if (label->property("FieldCaption").toBool()) {
            label->setMinimumWidth(0);
            width = std::max(width, label->sizeHint().width());
            captions << label;
        }
    for (QLabel *label : captions)
        label->setMinimumWidth(width);
}

} // namespace

TNameDlg::TNameDlg(TDataCollection &data, TKyrSetup &setup, const TLanguage &language,
                   QWidget *parent)
    : QDialog(parent), FData(data), FSetup(setup), FLanguage(language) {
    setObjectName(QStringLiteral("NameDlg"));
    SetTag(this, 1169);
    setModal(true);
    Ask = [this](const QString &question, bool withCancel) {
        auto buttons = QMessageBox::Yes | QMessageBox::No;
        if (withCancel)
            buttons |= QMessageBox::Cancel;
        return static_cast<int>(
            QMessageBox::question(this, windowTitle(), question, buttons, QMessageBox::Yes));
    };
    ShowMessage = [this](const QString &message) {
        QMessageBox::information(this, windowTitle(), message);
    };
    Beep = [] { QApplication::beep(); };

    BuildControls();
    Retranslate();
    ClearName();
    FTabs->setCurrentIndex(Basics);
    FPages->setCurrentIndex(Basics);
    FZoneSwitch->setChecked(FSetup.System.ChkZoneTime);
    FSummerSwitch->setChecked(FSetup.System.ChkSummerTime);
    // The state starts empty; SetEditState acts only on a change, so set the buttons once.
    FEditState = TEditState::New;
    SetEditState(TEditState::Empty);
}

TNameDlg::~TNameDlg() {
    // The wheel is a child widget and goes with the dialog; the chart must not refresh it then.
    FHoroscope.SetWheel(nullptr);
    // A dialog destroyed while shown hides itself in the base destructor, and the edit losing
    // the focus then would reach this half-destroyed dialog (or ask about an unknown place).
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        disconnect(edit, nullptr, this, nullptr);
}

void TNameDlg::SetSearch(TNameSearch *search) {
    FSearch = search;
}

QLineEdit *TNameDlg::NumberEdit(const char *name, TNameField field) {
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    const TFieldLimits limits = LimitsOf(field);
    edit->setMaxLength(limits.MaxLength);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(limits.MaxLength, '0')) + 16);
    new TKeyFilter(edit, [this] { Beep(); });
    connect(edit, &QLineEdit::editingFinished, this,
            [this, edit, field] { NumberLeft(edit, field); });
    return edit;
}

QLineEdit *TNameDlg::MarkEdit(const char *name) {
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(1);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("W")) + 16);
    return edit;
}

QLineEdit *TNameDlg::TextEdit(const char *name, int maxLength) {
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    return edit;
}

void TNameDlg::BuildControls() {
    auto *top = new QVBoxLayout(this);

    // The names, above the pages.
    auto *names = new QGridLayout;
    const auto nameEdit = [this](const char *name) {
        auto *edit = new TNameEdit(this, [this] {
            ShowMessage(QString::fromStdString(FLanguage.GetText(1481)));
        });
        edit->setObjectName(QString::fromLatin1(name));
        return edit;
    };
    FFirstName = nameEdit("Edit_FirstName");
    FLastName = nameEdit("Edit_LastName");
    auto *searchFirst = SearchButton(this, "Button_SearchFirstName");
    auto *searchLast = SearchButton(this, "Button_SearchLastName");
    names->addWidget(Caption(this, 1160, FFirstName), 0, 0);
    names->addWidget(FFirstName, 0, 1);
    names->addWidget(searchFirst, 0, 2);
    names->addWidget(Caption(this, 1161, FLastName), 1, 0);
    names->addWidget(FLastName, 1, 1);
    names->addWidget(searchLast, 1, 2);
    names->setColumnStretch(1, 1);
    top->addLayout(names);
    connect(searchFirst, &QToolButton::clicked, this, [this] { SearchName(true); });
    connect(searchLast, &QToolButton::clicked, this, [this] { SearchName(false); });

    FTabs = new QTabBar(this);
    FTabs->setObjectName(QStringLiteral("TabSet1"));
    FTabs->setDrawBase(false);
    FTabs->setExpanding(false);
    // Every tab in sight: the dialog is as wide as the tab strip.
    FTabs->setUsesScrollButtons(false);
    for (int i = 0; i < PageCount; ++i)
        FTabs->addTab(QString());
    FPages = new QStackedWidget(this);
    FPages->setObjectName(QStringLiteral("Notebook1"));
    FPages->setFrameShape(QFrame::StyledPanel);
    FPages->addWidget(BuildBasicsPage());
    FPages->addWidget(BuildDetailsPage());
    FPages->addWidget(BuildAddressPage());
    FPages->addWidget(BuildPicturePage());
    FPages->addWidget(BuildNotesPage());
    FPages->addWidget(BuildGroupsPage());
    auto *network = new QWidget(this);
    network->setObjectName(QStringLiteral("Page_Network"));
    FPages->addWidget(network);
    FPages->addWidget(BuildHoroscopePage());
    top->addSpacing(4);
    top->addWidget(FTabs);
    top->addWidget(FPages, 1);
    connect(FTabs, &QTabBar::currentChanged, this, &TNameDlg::TabChanged);

    auto *buttons = new QHBoxLayout;
    FOk = Button(this, "Button_OK", 506);
    FCancel = Button(this, "Button_Cancel", 507);
    FClear = Button(this, "Button_Clear", 229);
    FSave = Button(this, "Button_Save", 230);
    FHelp = Button(this, "Button_Help", 502);
    FOk->setDefault(true);
    buttons->addWidget(FClear);
    buttons->addWidget(FSave);
    buttons->addStretch(1);
    buttons->addWidget(FOk);
    buttons->addWidget(FCancel);
    buttons->addWidget(FHelp);
    top->addLayout(buttons);
    connect(FOk, &QPushButton::clicked, this, &TNameDlg::OkClicked);
    connect(FCancel, &QPushButton::clicked, this, &TNameDlg::CancelClicked);
    connect(FClear, &QPushButton::clicked, this, &TNameDlg::ClearClicked);
    connect(FSave, &QPushButton::clicked, this, &TNameDlg::SaveClicked);
    connect(FHelp, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });

    // The guessed time of day.
    FTimeMenu = new QMenu(this);
    FTimeMenu->setObjectName(QStringLiteral("PopupMenu_Time"));
    for (const TGuessedTime &guess : GuessedTimes) {
        QAction *action = FTimeMenu->addAction(QString());
        SetTag(action, guess.TextNumber);
        const int hour = guess.Hour;
        connect(action, &QAction::triggered, this, [this, hour] { GuessTime(hour); });
    }
}

QWidget *TNameDlg::BuildBasicsPage() {
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("Page_Basics"));
    auto *layout = new QVBoxLayout(page);

    auto *placeBox = Group(page, 1171);
    auto *place = new QGridLayout(placeBox);
    FCountry = TextEdit("Edit_Country", 48);
    FPlace = TextEdit("Edit_Place", 48);
    auto *searchCountry = SearchButton(page, "Button_SearchCountry");
    auto *searchPlace = SearchButton(page, "Button_SearchPlace");
    place->addWidget(Caption(page, 219, FCountry), 0, 0);
    place->addWidget(FCountry, 0, 1);
    place->addWidget(searchCountry, 0, 2);
    place->addWidget(Caption(page, 606, FPlace), 1, 0);
    place->addWidget(FPlace, 1, 1);
    place->addWidget(searchPlace, 1, 2);
    place->setColumnStretch(1, 1);
    layout->addWidget(placeBox);
    connect(searchCountry, &QToolButton::clicked, this, &TNameDlg::SearchCountry);
    connect(searchPlace, &QToolButton::clicked, this, &TNameDlg::SearchPlace);
    connect(FCountry, &QLineEdit::textEdited, this, &TNameDlg::CountryEdited);
    connect(FPlace, &QLineEdit::textEdited, this, &TNameDlg::PlaceEdited);
    connect(FPlace, &QLineEdit::editingFinished, this, &TNameDlg::PlaceLeft);

    auto *momentBox = Group(page, 1172);
    auto *moment = new QGridLayout(momentBox);
    FYear = NumberEdit("Edit_Year", TNameField::Year);
    FMonth = NumberEdit("Edit_Month", TNameField::Month);
    FDay = NumberEdit("Edit_Day", TNameField::Day);
    FHour = NumberEdit("Edit_Hour", TNameField::Hour);
    FMinute = NumberEdit("Edit_Minute", TNameField::Minute);
    FSecond = NumberEdit("Edit_Second", TNameField::Second);
    // The date fields in the order of the locale's short date, and the tab order with them.
    auto *date = new QHBoxLayout;
    QWidget *previous = FPlace;
    const QString order = LocaleDateOrder();
    for (int i = 0; i < order.size(); ++i) {
        QLineEdit *edit = order[i] == QLatin1Char('Y')   ? FYear
                          : order[i] == QLatin1Char('M') ? FMonth
                                                         : FDay;
        if (i > 0)
            date->addWidget(Unit(page, LocaleDateSeparator()));
        date->addWidget(edit);
        setTabOrder(previous, edit);
        previous = edit;
    }
    date->addStretch(1);
    auto *time = new QHBoxLayout;
    time->addWidget(FHour);
    time->addWidget(Unit(page, QStringLiteral(":")));
    time->addWidget(FMinute);
    time->addWidget(Unit(page, QStringLiteral(":")));
    time->addWidget(FSecond);
    time->addStretch(1);
    setTabOrder(previous, FHour);
    setTabOrder(FHour, FMinute);
    setTabOrder(FMinute, FSecond);
    FTimeUnknown = new QCheckBox(page);
    FTimeUnknown->setObjectName(QStringLiteral("CheckBoxUnknownTime"));
    SetTag(FTimeUnknown, 691);
    FTimeUnknown->installEventFilter(this);
    FCalendarMark = new QLabel(page);
    FCalendarMark->setObjectName(QStringLiteral("Label_Calendar"));
    date->insertWidget(date->count() - 1, FCalendarMark); // before the stretch
    moment->addWidget(Caption(page, 392), 0, 0);
    moment->addLayout(date, 0, 1);
    moment->addWidget(Caption(page, 393, FHour), 1, 0);
    moment->addLayout(time, 1, 1);
    moment->addWidget(FTimeUnknown, 2, 1);
    moment->setColumnStretch(1, 1);
    layout->addWidget(momentBox);
    layout->addStretch(1);
    connect(FTimeUnknown, &QCheckBox::clicked, this, &TNameDlg::TimeUnknownClicked);
    for (QLineEdit *edit : {FYear, FMonth, FDay, FHour, FMinute, FSecond})
        connect(edit, &QLineEdit::textChanged, this, [this] { DateOrOffsetChanged(); });
    for (QLineEdit *edit : {FYear, FMonth, FDay, FCountry, FPlace})
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdateCalendarMark(); });
    return page;
}

QWidget *TNameDlg::BuildDetailsPage() {
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("Page_Details"));
    auto *layout = new QVBoxLayout(page);

    const auto row = [&](std::initializer_list<QWidget *> widgets) {
        auto *line = new QHBoxLayout;
        for (QWidget *w : widgets)
            line->addWidget(w);
        line->addStretch(1);
        return line;
    };

    auto *coordinatesBox = Group(page, 1173);
    auto *coordinates = new QGridLayout(coordinatesBox);
    FLatDeg = NumberEdit("Edit_LatDegrees", TNameField::LatDegrees);
    FLatMin = NumberEdit("Edit_LatMinutes", TNameField::LatMinutes);
    FLatMark = MarkEdit("Edit_LatMark");
    FLonDeg = NumberEdit("Edit_LonDegrees", TNameField::LonDegrees);
    FLonMin = NumberEdit("Edit_LonMinutes", TNameField::LonMinutes);
    FLonMark = MarkEdit("Edit_LonMark");
    coordinates->addWidget(Caption(page, 605, FLatDeg), 0, 0);
    coordinates->addLayout(row({FLatDeg, Unit(page, QStringLiteral("°")), FLatMin,
                                Unit(page, QStringLiteral("'")), FLatMark}),
                           0, 1);
    coordinates->addWidget(Caption(page, 604, FLonDeg), 1, 0);
    coordinates->addLayout(row({FLonDeg, Unit(page, QStringLiteral("°")), FLonMin,
                                Unit(page, QStringLiteral("'")), FLonMark}),
                           1, 1);
    coordinates->setColumnStretch(1, 1);
    layout->addWidget(coordinatesBox);

    auto *offsetsBox = Group(page, 1174);
    auto *offsets = new QGridLayout(offsetsBox);
    FZoneHour = NumberEdit("Edit_ZoneHours", TNameField::ZoneHours);
    FZoneMin = NumberEdit("Edit_ZoneMinutes", TNameField::ZoneMinutes);
    FZoneMark = MarkEdit("Edit_ZoneMark");
    FSummerHour = NumberEdit("Edit_SummerHours", TNameField::SummerHours);
    FSummerMin = NumberEdit("Edit_SummerMinutes", TNameField::SummerMinutes);
    FZoneSwitch = new QCheckBox(page);
    FZoneSwitch->setObjectName(QStringLiteral("CheckBoxZoneTime"));
    SetTag(FZoneSwitch, 649);
    FSummerSwitch = new QCheckBox(page);
    FSummerSwitch->setObjectName(QStringLiteral("CheckBoxSummerTime"));
    SetTag(FSummerSwitch, 650);
    offsets->addWidget(Caption(page, 603, FZoneHour), 0, 0);
    offsets->addLayout(row({FZoneHour, Unit(page, QStringLiteral(":")), FZoneMin, FZoneMark}), 0,
                       1);
    offsets->addWidget(FZoneSwitch, 0, 2);
    offsets->addWidget(Caption(page, 596, FSummerHour), 1, 0);
    offsets->addLayout(row({FSummerHour, Unit(page, QStringLiteral(":")), FSummerMin}), 1, 1);
    offsets->addWidget(FSummerSwitch, 1, 2);
    offsets->setColumnStretch(1, 1);
    layout->addWidget(offsetsBox);
    layout->addStretch(1);

    const auto beep = [this] { Beep(); };
    FLatFilter = new TKeyFilter(FLatMark, QString(), QString(), beep);
    FLonFilter = new TKeyFilter(FLonMark, QString(), QString(), beep);
    FZoneFilter = new TKeyFilter(FZoneMark, QString(), QString(), beep);
    for (QLineEdit *edit : {FLatDeg, FLatMin, FLatMark, FLonDeg, FLonMin, FLonMark})
        connect(edit, &QLineEdit::textChanged, this, [this] { MarkChanged(); });
    for (QLineEdit *edit : {FZoneHour, FZoneMin, FZoneMark, FSummerHour, FSummerMin})
        connect(edit, &QLineEdit::textChanged, this, [this] { DateOrOffsetChanged(); });
    connect(FZoneSwitch, &QCheckBox::clicked, this, [this](bool on) { SwitchClicked(true, on); });
    connect(FSummerSwitch, &QCheckBox::clicked, this,
            [this](bool on) { SwitchClicked(false, on); });
    return page;
}

QWidget *TNameDlg::BuildAddressPage() {
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("Page_Address"));
    auto *grid = new QGridLayout(page);
    static constexpr struct {
        const char *Name;
        int Tag, MaxLength;
    } fields[] = {
        {"Edit_Address1", 1162, 30},
        {"Edit_Address2", 0, 30},
        {"Edit_PostalCode", 1163, 12},
        {"Edit_City", 1164, 30},
        {"Edit_AddressCountry", 1165, 30},
        {"Edit_Phone", 1166, 30},
        {"Edit_Fax", 1167, 30},
        {"Edit_EMail", 1168, 30},
    };
    int row = 0;
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        QLineEdit *edit = TextEdit(fields[i].Name, fields[i].MaxLength);
        FAddress[i] = edit;
        if (fields[i].Tag)
            grid->addWidget(Caption(page, fields[i].Tag, edit), row, 0);
        grid->addWidget(edit, row++, 1);
        connect(edit, &QLineEdit::textChanged, this, [this] { MarkChanged(); });
    }
    FAddress[2]->setMaximumWidth(FAddress[2]->fontMetrics().horizontalAdvance(QString(14, 'M')));
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    return page;
}

QWidget *TNameDlg::BuildPicturePage() {
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("Page_Picture"));
    auto *layout = new QHBoxLayout(page);
    FImage = new QLabel(page);
    FImage->setObjectName(QStringLiteral("Image1"));
    FImage->setFixedSize(PictureWidth, PictureHeight);
    FImage->setFrameShape(QFrame::StyledPanel);
    FImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(FImage, 0, Qt::AlignTop);
    auto *buttons = new QVBoxLayout;
    FInsertPicture = Button(page, "Button_InsertPicture", 430);
    FRemovePicture = Button(page, "Button_RemovePicture", 431);
    buttons->addWidget(FInsertPicture);
    buttons->addWidget(FRemovePicture);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);
    connect(FInsertPicture, &QPushButton::clicked, this, &TNameDlg::InsertPicture);
    connect(FRemovePicture, &QPushButton::clicked, this, &TNameDlg::RemovePicture);
    return page;
}

QWidget *TNameDlg::BuildNotesPage() {
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("Page_Notes"));
    auto *layout = new QVBoxLayout(page);
    FMemo = new QPlainTextEdit(page);
    FMemo->setObjectName(QStringLiteral("Memo1"));
    layout->addWidget(FMemo);
    connect(FMemo, &QPlainTextEdit::textChanged, this, [this] { MarkChanged(); });
    return page;
}

QWidget *TNameDlg::BuildGroupsPage() {
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("Page_Groups"));
    auto *layout = new QGridLayout(page);
    FGroupList = new QListWidget(page);
    FGroupList->setObjectName(QStringLiteral("ListBoxGroups"));
    FAddGroup = Button(page, "Button_AddGroup", 3);
    FRemoveGroup = Button(page, "Button_RemoveGroup", 4);
    layout->addWidget(Caption(page, 1175, FGroupList), 0, 0);
    layout->addWidget(FGroupList, 1, 0, 3, 1);
    layout->addWidget(FAddGroup, 1, 1);
    layout->addWidget(FRemoveGroup, 2, 1);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 1);
    connect(FAddGroup, &QPushButton::clicked, this, &TNameDlg::AddGroup);
    connect(FRemoveGroup, &QPushButton::clicked, this, &TNameDlg::RemoveGroup);
    return page;
}

QWidget *TNameDlg::BuildHoroscopePage() {
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("Page_Horoscop"));
    auto *layout = new QVBoxLayout(page);
    FWheel = new TWheel(page);
    FWheel->setObjectName(QStringLiteral("Wheel1"));
    FWheel->setMinimumSize(280, 280);
    FWheel->SetHoroscope(&FHoroscope);
    layout->addWidget(FWheel, 1);
    return page;
}

void TNameDlg::Retranslate() {
    TranslateForm(FLanguage, this);
    for (int i = 0; i < PageCount; ++i)
        FTabs->setTabText(i, QString::fromStdString(FLanguage.CaptionText(PageTabTexts[i])));
    ApplyLanguageFont(FLanguage, FTabs);
    for (int i = 0; i < FPages->count(); ++i)
        AlignCaptions(FPages->widget(i));
    FInsertPicture->setToolTip(QString::fromStdString(FLanguage.GetText(517)));
    FRemovePicture->setToolTip(QString::fromStdString(FLanguage.GetText(1176)));
    const THemisphereMarks marks = Marks();
    FLatFilter->SetMarks(QString::fromStdString(marks.North), QString::fromStdString(marks.South));
    FLonFilter->SetMarks(QString::fromStdString(marks.West), QString::fromStdString(marks.East));
    FZoneFilter->SetMarks(QString::fromStdString(marks.West), QString::fromStdString(marks.East));
    if (FSetup.Debug.Database)
        setWindowTitle(windowTitle() + QStringLiteral("  ") +
                       QString::fromStdString(EditStateCaption(FEditState)));
}

THemisphereMarks TNameDlg::Marks() const {
    THemisphereMarks marks;
    const auto text = [&](int number, std::string &mark) {
        const std::string t = FLanguage.GetText(number);
        if (!t.empty())
            mark = t;
    };
    text(169, marks.North);
    text(168, marks.South);
    text(170, marks.West);
    text(171, marks.East);
    return marks;
}

int TNameDlg::ShowNameDialog(bool clearFirst, bool searchOnActivate) {
    FSearchOnActivate = searchOnActivate;
    if (clearFirst)
        LoadName({}, {});
    FFirstName->setFocus();
    return exec() == QDialog::Accepted ? 1 : 2;
}

void TNameDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Retranslate();
    FWheel->SetBW(FSetup.WheelDrawing.BW);
    if (FSearchOnActivate) {
        FSearchOnActivate = false;
        // After the dialog is on the screen, so that the list opens above it.
        QTimer::singleShot(0, this, [this] { SearchName(true); });
    }
}

// --- the edit state -------------------------------------------------------------------------

void TNameDlg::SetEditState(TEditState state) {
    if (state == FEditState)
        return;
    FEditState = state;
    const TStateButtons buttons = ButtonsOf(state);
    FOk->setEnabled(buttons.Ok);
    FSave->setEnabled(buttons.Save);
    FAddGroup->setEnabled(buttons.Memberships);
    FRemoveGroup->setEnabled(buttons.Memberships);
    FInsertPicture->setEnabled(buttons.Memberships);
    if (!buttons.KeepGroups)
        FGroupList->clear();
    // Remove puts the shown picture on the clipboard: useful only for a stored person.
    FRemovePicture->setEnabled(buttons.KeepGroups && !FPicture.empty());
    if (FSetup.Debug.Database)
        setWindowTitle(
            QString::fromStdString(FLanguage.GetText(1169) + "  " + EditStateCaption(state)));
}

void TNameDlg::MarkChanged() {
    if (FFilling)
        return;
    SetEditState(StateAfterChange(FEditState));
}

void TNameDlg::UpdateCalendarMark() {
    const bool dated = !FYear->text().trimmed().isEmpty() && FYear->text().toInt() > 0;
    const Extended date = dated ? DialogBirthDate() : 0;
    const bool julian =
        dated && date < FData.GregorianStartFor(StateName(), PlaceName(), date);
    FCalendarMark->setText(julian ? QString::fromStdString(FLanguage.GetText(1277)) : QString());
}

void TNameDlg::DateOrOffsetChanged() {
    if (FFilling)
        return;
    FOffsetsStale = true;
    if (FEditState != TEditState::Empty)
        FSave->setEnabled(true);
}

// --- buttons ----------------------------------------------------------------------------------

void TNameDlg::OkClicked() {
    // A chart needs someone to be called; what was typed stays for the name to be added.
    if (FirstName().empty() && LastName().empty()) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(1480)));
        FFirstName->setFocus();
        return;
    }
    if (!BirthDataAccepted())
        return;
    if (FEditState == TEditState::Changed || FEditState == TEditState::New) {
        // No casts the chart without saving and keeps the form as typed; Cancel goes back to it.
        switch (Ask(SaveQuestionText(), true)) {
        case QMessageBox::Yes:
            if (!SaveShown())
                return;
            break;
        case QMessageBox::No:
            break;
        default:
            return;
        }
    }
    QDialog::accept();
}

void TNameDlg::CancelClicked() {
    if (ConfirmSave(false))
        QDialog::reject();
}

void TNameDlg::ClearClicked() {
    if (!ConfirmSave(false))
        return;
    LoadName({}, {});
    FFirstName->setFocus();
}

void TNameDlg::SaveClicked() {
    if (BirthDataAccepted())
        ConfirmSave(true);
}

bool TNameDlg::SaveShown() {
    if (!BirthDataAccepted())
        return false;
    const std::string first = FirstName(), last = LastName();
    SaveName();
    LoadName(first, last);
    return true;
}

QString TNameDlg::SaveQuestionText() const {
    return QString::fromStdString(
        SaveQuestion(FLanguage.GetText(1033), FLanguage.GetText(465), FirstName(), LastName()));
}

bool TNameDlg::ConfirmSave(bool force) {
    const std::string first = FirstName(), last = LastName();
    const auto save = [this] { return SaveShown(); };
    switch (PlanConfirmSave(FEditState, force, first.empty() && last.empty())) {
    case TConfirmStep::GoOn:
        return true;
    case TConfirmStep::SaveAndReload:
        return save();
    case TConfirmStep::ClearAndGoOn:
        // Save with neither name has nothing to save under; what was typed stays.
        if (force) {
            Beep();
            return false;
        }
        LoadName({}, {});
        return true;
    case TConfirmStep::Ask:
        break;
    }
    switch (Ask(SaveQuestionText(), true)) {
    case QMessageBox::Yes:
        return save();
    case QMessageBox::No:
        if (FEditState == TEditState::Changed)
            LoadName(first, last); // the stored record comes back
        else
            LoadName({}, {});
        return true;
    default:
        return false;
    }
}

void TNameDlg::reject() {
    CancelClicked();
}

// --- searches ---------------------------------------------------------------------------------

void TNameDlg::SearchName(bool firstFirst) {
    // Another person replaces the shown one: unsaved changes are settled first, as Cancel does.
    if (!ConfirmSave(false))
        return;
    if (!FSearch) {
        FOwnSearch = std::make_unique<TTableSearch>(FData, this);
        FSearch = FOwnSearch.get();
    }
    std::string first, last;
    const bool chosen = FSearch->PickName(
        firstFirst, [this](const std::string &f, const std::string &l) { PreviewName(f, l); },
        first, last);
    if (chosen)
        LoadName(first, last);
    else
        LoadName(FirstName(), LastName());
    if (FOk->isEnabled())
        FOk->setFocus();
}

void TNameDlg::SearchCountry() {
    if (!FSearch) {
        FOwnSearch = std::make_unique<TTableSearch>(FData, this);
        FSearch = FOwnSearch.get();
    }
    std::string state;
    if (!FSearch->PickState(state) || state == StateName())
        return;
    FCountry->setText(QString::fromStdString(state));
    FPlace->clear();
    FZoneRef.clear();
    FSummerRef.clear();
    CountryEdited(FCountry->text());
}

void TNameDlg::SearchPlace() {
    if (StateName().empty()) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(456)));
        return;
    }
    if (!FSearch) {
        FOwnSearch = std::make_unique<TTableSearch>(FData, this);
        FSearch = FOwnSearch.get();
    }
    TAtlasPlace picked;
    if (!FSearch->PickPlace(StateName(), picked))
        return;
    FPlace->setText(QString::fromStdString(picked.PlaceName));
    TNameFields fields = Fields();
    if (const auto place = FindAtlasPlace(FData, StateName(), picked.PlaceName)) {
        ShowLatitude(fields, place->Latitude, Marks());
        ShowLongitude(fields, place->Longitude, Marks());
        FZoneRef = place->ZoneRef;
        FSummerRef = place->SummerRef;
    } else {
        ShowLatitude(fields, 0, Marks());
        ShowLongitude(fields, 0, Marks());
        FZoneRef.clear();
        FSummerRef.clear();
    }
    ShowFields(fields, Details);
    RecalcOffsets();
}

void TNameDlg::CountryEdited(const QString &text) {
    const std::string typed = text.toStdString();
    if (typed.empty() || !FData.StatesTable.Active())
        return;
    // Complete from the states; the added tail stays selected so typing goes on over it.
    TKyrTable &states = FData.StatesTable;
    const std::string previous = states.IndexName();
    states.SetIndexName("");
    states.FindNearest({typed});
    std::string found;
    if (!states.IsEmpty()) {
        const std::string name = states.FieldByName("StateName").AsString();
        if (QString::fromStdString(name).startsWith(text, Qt::CaseInsensitive))
            found = name;
    }
    states.SetIndexName(previous);
    if (!found.empty() && found.size() > typed.size() && FCountry->hasFocus() &&
        FCountry->cursorPosition() == text.size()) {
        FCountry->setText(QString::fromStdString(found));
        FCountry->setSelection(static_cast<int>(text.size()), FCountry->text().size());
    }
}

void TNameDlg::PlaceEdited(const QString &text) {
    if (text.isEmpty() || StateName().empty() || FPlace->cursorPosition() != text.size())
        return;
    const auto places = FindPlacesByPrefix(FData, StateName(), text.toStdString(), 1);
    if (places.empty() || QString::fromStdString(places.front().StateName)
                                  .compare(FCountry->text(), Qt::CaseInsensitive) != 0)
        return;
    const QString found = QString::fromStdString(places.front().PlaceName);
    if (found.size() > text.size()) {
        FPlace->setText(found);
        FPlace->setSelection(static_cast<int>(text.size()), found.size());
    }
}

void TNameDlg::PlaceLeft() {
    const std::string typed = PlaceName();
    if (typed.empty() || FFilling)
        return;
    bool stateKnown = false;
    if (!StateName().empty() && FData.StatesTable.Active()) {
        TKyrTable &states = FData.StatesTable;
        const std::string previous = states.IndexName();
        states.SetIndexName("");
        stateKnown = states.FindKey({StateName()});
        states.SetIndexName(previous);
    }
    if (!stateKnown) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(456)));
        FPlace->clear();
        FCountry->setFocus();
        return;
    }
    // The place as typed, else the first whose name begins with it.
    std::optional<TAtlasPlace> place = FindAtlasPlace(FData, StateName(), typed);
    if (!place) {
        std::string trimmed = typed;
        while (!trimmed.empty() && trimmed.back() == ' ')
            trimmed.pop_back();
        const auto candidates = FindPlacesByPrefix(FData, StateName(), trimmed, 1);
        if (!candidates.empty() && QString::fromStdString(candidates.front().StateName)
                                           .compare(FCountry->text(), Qt::CaseInsensitive) == 0)
            place = candidates.front();
    }
    if (place) {
        ++FFilling;
        FPlace->setText(QString::fromStdString(place->PlaceName));
        --FFilling;
        TNameFields fields = Fields();
        ShowLatitude(fields, place->Latitude, Marks());
        ShowLongitude(fields, place->Longitude, Marks());
        ShowFields(fields, Details);
        WantCoordinates(false);
        FZoneRef = place->ZoneRef;
        FSummerRef = place->SummerRef;
        RecalcOffsets();
        return;
    }
    const bool add =
        Ask(QString::fromStdString(FLanguage.GetText(454)), false) == QMessageBox::Yes;
    if (add && OnSavePlace)
        OnSavePlace(StateName(), typed);
    // A place saved just now fills the coordinates and offsets at once: the edit has not
    // changed, so leaving it again would not look it up.
    if (add && FindAtlasPlace(FData, StateName(), PlaceName()))
        PlaceLeft();
    else
        WantCoordinates(true); // the previous place's coordinates are not this one's
    if (add && FPage == Basics)
        FPlace->setFocus();
}

void TNameDlg::WantCoordinates(bool wanted) {
    FCoordinatesWanted = wanted;
    const QString mark = wanted ? QStringLiteral("?") : QString();
    ++FFilling;
    for (QLineEdit *edit : {FLatDeg, FLatMin, FLatMark, FLonDeg, FLonMin, FLonMark}) {
        if (wanted)
            edit->clear();
        edit->setPlaceholderText(mark);
    }
    --FFilling;
    if (wanted) {
        FZoneRef.clear();
        FSummerRef.clear();
    }
}

bool TNameDlg::CoordinatesGiven() {
    if (!FCoordinatesWanted)
        return true;
    const TNameFields f = Fields();
    if (!f.LatDegrees.empty() && !f.LonDegrees.empty() && !f.LatMark.empty() &&
        !f.LonMark.empty())
        return true;
    ShowMessage(QString::fromStdString(FLanguage.GetText(1471)));
    return false;
}

// --- fields -----------------------------------------------------------------------------------

void TNameDlg::NumberLeft(QLineEdit *edit, TNameField field) {
    if (FFilling)
        return;
    const TFieldLimits limits = LimitsOf(field);
    // A time of day out of range stays as typed, so that it is refused when saved instead of
    // being quietly bent to a limit; the other fields are held to theirs.
    const bool time = field == TNameField::Hour || field == TNameField::Minute ||
                      field == TNameField::Second;
    bool inRange = false;
    if (time) {
        inRange = CheckRange(edit->text().toStdString(), limits.Min, limits.Max).InRange;
        if (!inRange && !edit->text().trimmed().isEmpty())
            Beep();
    } else {
        inRange = CheckEditRange(edit, limits.Min, limits.Max, Beep);
    }
    if (field == TNameField::Year && !inRange) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(443))
                        .arg(FirstBirthYear)
                        .arg(LastBirthYear));
        return;
    }
    const bool moment = field == TNameField::Year || field == TNameField::Month ||
                        field == TNameField::Day || field == TNameField::Hour ||
                        field == TNameField::Minute || field == TNameField::Second;
    if (inRange && moment && FOffsetsStale)
        RecalcOffsets();
}

bool TNameDlg::eventFilter(QObject *watched, QEvent *event) {
    // Where the mouse went down on the check box: the guessed-time menu opens there.
    if (watched == FTimeUnknown && event->type() == QEvent::MouseButtonPress)
        FPopupPoint = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
    return QDialog::eventFilter(watched, event);
}

void TNameDlg::TimeUnknownClicked(bool checked) {
    if (!checked)
        return;
    const QPoint at = FPopupPoint.isNull()
                          ? FTimeUnknown->mapToGlobal(QPoint(0, FTimeUnknown->height()))
                          : FPopupPoint;
    FPopupPoint = {};
    FTimeMenu->popup(at);
}

void TNameDlg::GuessTime(int hour) {
    FHour->setText(QString::fromStdString(TwoDigits(hour)));
    FMinute->setText(QStringLiteral("00"));
    FSecond->setText(QStringLiteral("00"));
    RecalcOffsets();
}

void TNameDlg::SwitchClicked(bool zone, bool checked) {
    (zone ? FSetup.System.ChkZoneTime : FSetup.System.ChkSummerTime) = checked;
    if (checked)
        RecalcOffsets();
}

// --- picture and groups -----------------------------------------------------------------------

void TNameDlg::InsertPicture() {
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    if (!mime || !mime->hasImage())
        return;
    QImage image = qvariant_cast<QImage>(mime->imageData());
    if (image.isNull())
        return;
    // Larger than the area: its top-left part that fits.
    if (image.width() > PictureWidth || image.height() > PictureHeight)
        image = image.copy(0, 0, std::min(PictureWidth, image.width()),
                           std::min(PictureHeight, image.height()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    ShowPicture(TBytes(bytes.begin(), bytes.end()));
    MarkChanged();
}

void TNameDlg::RemovePicture() {
    if (FPicture.empty())
        return;
    QApplication::clipboard()->setImage(FImage->pixmap().toImage());
    ShowPicture({});
    MarkChanged();
}

void TNameDlg::AddGroup() {
    if (!FSearch) {
        FOwnSearch = std::make_unique<TTableSearch>(FData, this);
        FSearch = FOwnSearch.get();
    }
    std::string group;
    if (!FSearch->PickGroup(group))
        return;
    const QString name = QString::fromStdString(group);
    if (!FGroupList->findItems(name, Qt::MatchFixedString).isEmpty())
        return;
    AddMembership(FData, FirstName(), LastName(), group);
    FGroupList->addItem(name);
}

void TNameDlg::RemoveGroup() {
    const int row = FGroupList->currentRow();
    if (row < 0)
        return;
    RemoveMembership(FData, FirstName(), LastName(), FGroupList->item(row)->text().toStdString());
    delete FGroupList->takeItem(row);
    if (FGroupList->count() > 0)
        FGroupList->setCurrentRow(std::min(row, FGroupList->count() - 1));
}

// --- pages ------------------------------------------------------------------------------------

bool TNameDlg::SelectPage(int page) {
    FTabs->setCurrentIndex(page);
    return FPage == page;
}

void TNameDlg::TabChanged(int tab) {
    if (FFilling || tab == FPage)
        return;
    if (FPage == Horoscop)
        FHoroscope.SetActive(false);
    bool allowed = true;
    if (tab == Details && FOffsetsStale)
        RecalcOffsets();
    if (tab == Horoscop) {
        allowed = BirthDataAccepted() && PreviewFromFields();
    }
    if (!allowed) {
        ++FFilling;
        FTabs->setCurrentIndex(FPage);
        --FFilling;
        return;
    }
    FPage = tab;
    FPages->setCurrentIndex(tab);
}

} // namespace kyr
