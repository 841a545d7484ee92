#include "DynaDlg.h"

#include "Horoscope.h"
#include "KyrSetup.h"
#include "Language.h"
#include "Translation.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kyr {

namespace {

constexpr int FirstYear = 1501;
constexpr int LastYear = 2099;
constexpr int FirstTransitBody = 6;

struct TBoxRow {
    const char *Name;
    int Tag;
    int Index; ///< trend 1..2, body 6..10 or transit aspect 0..8
};

constexpr TBoxRow TrendRows[] = {
    {"CheckBox1", TextNo(726), 1},
    {"CheckBox2", TextNo(727), 2},
};

// Slowest body first, as the list is read from the outside in.
constexpr TBoxRow PlanetRows[] = {
    {"CheckBox3", TextNo(135), 10}, {"CheckBox4", TextNo(134), 9}, {"CheckBox5", TextNo(133), 8},
    {"CheckBox6", TextNo(132), 7},  {"CheckBox7", TextNo(131), 6},
};

constexpr TBoxRow HardAspectRows[] = {
    {"CheckBox8", TextNo(750), 0},  {"CheckBox9", TextNo(751), 2},  {"CheckBox10", TextNo(752), 4},
    {"CheckBox11", TextNo(753), 6}, {"CheckBox12", TextNo(754), 7}, {"CheckBox13", TextNo(755), 8},
};

constexpr TBoxRow SoftAspectRows[] = {
    {"CheckBox14", TextNo(756), 1},
    {"CheckBox15", TextNo(757), 3},
    {"CheckBox16", TextNo(758), 5},
};

QGroupBox *Group(QWidget *parent, const char *name, int tag) {
    auto *group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    SetTag(group, tag);
    return group;
}

int YearValue(const QLineEdit *edit) {
    bool ok = false;
    const int value = edit->text().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

TDynaDlg::TDynaDlg(TKyrSetup &setup, const TLanguage &language, QWidget *parent)
    : QDialog(parent), FSetup(setup), FLanguage(language) {
    setObjectName(QStringLiteral("DynaDlg"));
    setWindowTitle(QStringLiteral("Dynamic Analysis"));
    SetTag(this, 734);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    ShowMessage = [this](const QString &message) {
        QMessageBox::critical(this, windowTitle(), message);
    };
    BuildControls();
    Retranslate();
}

void TDynaDlg::BuildControls() {
    const auto markChanged = [this] { FChanged = true; };
    const auto addBoxes = [&](QGroupBox *group, auto &rows, auto &boxes, int firstIndex) {
        auto *column = new QVBoxLayout(group);
        for (const TBoxRow &row : rows) {
            auto *box = new QCheckBox(group);
            box->setObjectName(QString::fromLatin1(row.Name));
            SetTag(box, row.Tag);
            column->addWidget(box);
            boxes[static_cast<std::size_t>(row.Index - firstIndex)] = box;
            connect(box, &QCheckBox::toggled, this, markChanged);
        }
        column->addStretch();
    };

    auto *period = Group(this, "GroupBox1", TextNo(732));
    auto *periodGrid = new QGridLayout(period);
    const auto addYear = [&](int row, const char *labelName, int tag, const char *editName) {
        auto *label = new QLabel(period);
        label->setObjectName(QString::fromLatin1(labelName));
        SetTag(label, tag);
        auto *edit = new QLineEdit(period);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->installEventFilter(this);
        label->setBuddy(edit);
        periodGrid->addWidget(label, row, 0);
        periodGrid->addWidget(edit, row, 1);
        connect(edit, &QLineEdit::textChanged, this, markChanged);
        return edit;
    };
    FFromEdit = addYear(0, "Edit1", TextNo(400), "Edit2");
    FToEdit = addYear(1, "Edit3", TextNo(401), "Edit4");

    auto *trends = Group(this, "GroupBox2", TextNo(731));
    addBoxes(trends, TrendRows, FTrendBoxes, 1);
    auto *planets = Group(this, "GroupBox3", TextNo(749));
    addBoxes(planets, PlanetRows, FPlanetBoxes, FirstTransitBody);
    auto *hard = Group(this, "GroupBox4", TextNo(724));
    addBoxes(hard, HardAspectRows, FAspectBoxes, 0);
    auto *soft = Group(this, "GroupBox5", TextNo(725));
    addBoxes(soft, SoftAspectRows, FAspectBoxes, 0);

    auto *ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("Button1"));
    SetTag(ok, 506);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TDynaDlg::Confirm);
    auto *cancel = new QPushButton(this);
    cancel->setObjectName(QStringLiteral("Button2"));
    SetTag(cancel, 507);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *help = new QPushButton(this);
    help->setObjectName(QStringLiteral("Button3"));
    SetTag(help, 502);
    connect(help, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });

    auto *left = new QVBoxLayout;
    left->addWidget(period);
    left->addWidget(trends, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(hard, 2);
    right->addWidget(soft, 1);
    auto *groups = new QHBoxLayout;
    groups->addLayout(left);
    groups->addWidget(planets);
    groups->addLayout(right);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto *all = new QVBoxLayout(this);
    all->addLayout(groups);
    all->addLayout(buttons);
}

void TDynaDlg::Retranslate() {
    TranslateForm(FLanguage, this);
}

bool TDynaDlg::Execute(THoroscope *horoscope) {
    if (exec() != QDialog::Accepted)
        return false;
    if (horoscope)
        FSetup.ApplyTransitSettings(*horoscope);
    return true;
}

void TDynaDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Activate();
    // A fixed size that still fits longer captions of another language.
    setFixedSize(sizeHint().expandedTo(QSize(427, 245)));
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TDynaDlg::Activate() {
    FFromEdit->setText(QString::number(FSetup.FromYear));
    FToEdit->setText(QString::number(FSetup.ToYear));
    for (std::size_t i = 0; i < FPlanetBoxes.size(); ++i)
        FPlanetBoxes[i]->setChecked(FSetup.TransitBodyFlag(FirstTransitBody + static_cast<int>(i)));
    for (std::size_t i = 0; i < FTrendBoxes.size(); ++i)
        FTrendBoxes[i]->setChecked(FSetup.TrendFlag(1 + static_cast<int>(i)));
    for (std::size_t i = 0; i < FAspectBoxes.size(); ++i)
        FAspectBoxes[i]->setChecked(FSetup.TransitAspectFlag(static_cast<int>(i)));
    FChanged = false;
}

bool TDynaDlg::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusOut && (watched == FFromEdit || watched == FToEdit)) {
        // Switching to another window is not leaving the edit.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CorrectYear(static_cast<QLineEdit *>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

bool TDynaDlg::CorrectYear(QLineEdit *edit) {
    const int year = YearValue(edit);
    if (year >= FirstYear && year <= LastYear)
        return false;
    edit->setText(QString::number(year < FirstYear ? FirstYear : LastYear));
    edit->setFocus();
    QApplication::beep();
    return true;
}

void TDynaDlg::Confirm() {
    if (!FChanged) {
        reject();
        return;
    }
    // OK by the Enter key never leaves the edit, so its year is checked here too.
    if (CorrectYear(FFromEdit) || CorrectYear(FToEdit))
        return;
    const int from = YearValue(FFromEdit);
    const int to = YearValue(FToEdit);
    if (from >= to) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(736)));
        return;
    }
    if (from + 3 < to) {
        ShowMessage(QString::fromStdString(FLanguage.GetText(737)));
        return;
    }
    FSetup.FromYear = from;
    FSetup.ToYear = to;
    for (std::size_t i = 0; i < FPlanetBoxes.size(); ++i)
        FSetup.SetTransitBodyFlag(FirstTransitBody + static_cast<int>(i),
                                  FPlanetBoxes[i]->isChecked());
    // Trends 3 and 4 have no box and keep their setting.
    for (std::size_t i = 0; i < FTrendBoxes.size(); ++i)
        FSetup.SetTrendFlag(1 + static_cast<int>(i), FTrendBoxes[i]->isChecked());
    for (std::size_t i = 0; i < FAspectBoxes.size(); ++i)
        FSetup.SetTransitAspectFlag(static_cast<int>(i), FAspectBoxes[i]->isChecked());
    accept();
}

} // namespace kyr
