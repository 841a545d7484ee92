#include "GroupDlg.h"

#include "DataCollection.h"
#include "Language.h"
#include "NameLists.h"
#include "Translation.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kyr {

namespace {

/// The length of the entry's first name.
constexpr int FirstLengthRole = Qt::UserRole;

} // namespace

TGroupDlg::TGroupDlg(TDataCollection &data, const TLanguage &language, QWidget *parent)
    : QDialog(parent), FData(data), FLanguage(language) {
    setObjectName(QStringLiteral("GroupDlg"));
    setProperty("HelpContext", HelpContext);
    SetTag(this, 1312);

    auto *filterLabel = new QLabel(this);
    SetTag(filterLabel, 25);
    FFilter = new QComboBox(this);
    FFilter->setObjectName(QStringLiteral("ComboBox1"));
    FFilter->setMinimumWidth(180);
    filterLabel->setBuddy(FFilter);
    auto *sourceLabel = new QLabel(this);
    SetTag(sourceLabel, 5);
    FSource = new QListWidget(this);
    FSource->setObjectName(QStringLiteral("ListBox1"));
    FSource->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sourceLabel->setBuddy(FSource);
    auto *printLabel = new QLabel(this);
    SetTag(printLabel, 508);
    FPrint = new QListWidget(this);
    FPrint->setObjectName(QStringLiteral("ListBox2"));
    printLabel->setBuddy(FPrint);
    for (auto *list : {FSource, FPrint})
        list->setMinimumSize(200, 260);

    const auto button = [this](int tag, const char *name) { return TaggedButton(this, tag, name); };
    FAdd = button(3, "AddBtn");
    FRemove = button(4, "RemoveBtn");
    FOk = button(506, "OkBtn");
    FOk->setDefault(true);
    FCancel = button(507, "CancelBtn");
    FHelp = button(502, "HelpBtn");

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(FFilter);
    filterRow->addStretch(1);

    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(FAdd);
    middle->addWidget(FRemove);
    middle->addStretch(1);

    auto *lists = new QGridLayout;
    lists->addWidget(sourceLabel, 0, 0);
    lists->addWidget(FSource, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(printLabel, 0, 2);
    lists->addWidget(FPrint, 1, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (auto *b : {FOk, FCancel, FHelp})
        buttons->addWidget(b);

    auto *top = new QVBoxLayout(this);
    top->addLayout(filterRow);
    top->addLayout(lists, 1);
    top->addLayout(buttons);

    connect(FFilter, &QComboBox::activated, this, [this] { FillSource(); });
    connect(FAdd, &QPushButton::clicked, this, &TGroupDlg::AddClicked);
    connect(FRemove, &QPushButton::clicked, this, &TGroupDlg::RemoveClicked);
    connect(FSource, &QListWidget::itemDoubleClicked, this, &TGroupDlg::AddClicked);
    connect(FPrint, &QListWidget::itemSelectionChanged, this, &TGroupDlg::UpdateRemove);
    connect(FOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FHelp, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });

    Retranslate();
    FAdd->setEnabled(false);
    FRemove->setEnabled(false);
    FillFilter();
    FillSource();
}

void TGroupDlg::Retranslate() { TranslateForm(FLanguage, this); }

QListWidgetItem *TGroupDlg::PersonItem(const QString &first, const QString &last) {
    auto *item = new QListWidgetItem(first + " " + last);
    item->setData(FirstLengthRole, static_cast<int>(first.size()));
    return item;
}

void TGroupDlg::FillFilter() {
    const QString chosen = FFilter->currentIndex() > 0 ? FFilter->currentText() : QString();
    FFilter->clear();
    FFilter->addItem(QString::fromStdString(FLanguage.GetText(172)));
    TTableWalk groups({&FData.GroupsTable, "", {}, {}}, [this](TKyrTable &t) {
        FFilter->addItem(QString::fromStdString(t.FieldByName("GroupName").AsString()));
    });
    while (!groups.Step(1000)) {
    }
    const int at = chosen.isEmpty() ? 0 : FFilter->findText(chosen, Qt::MatchFixedString);
    FFilter->setCurrentIndex(std::max(at, 0));
}

void TGroupDlg::FillSource() {
    FSource->clear();
    const std::vector<TPersonName> persons =
        FFilter->currentIndex() > 0 ? MembersOfGroup(FData, FFilter->currentText().toStdString())
                                    : AllNames(FData);
    for (const TPersonName &person : persons)
        FSource->addItem(PersonItem(QString::fromStdString(person.First),
                                    QString::fromStdString(person.Last)));
    FAdd->setEnabled(FSource->count() > 0);
    if (FSource->count() > 0)
        FSource->setCurrentRow(0);
}

void TGroupDlg::showEvent(QShowEvent *event) {
    // Names and groups may have changed since the last use; the printout list stays.
    FillFilter();
    FillSource();
    QDialog::showEvent(event);
}

void TGroupDlg::AddClicked() {
    QList<QListWidgetItem *> selected = FSource->selectedItems();
    std::sort(selected.begin(), selected.end(), [this](auto *a, auto *b) {
        return FSource->row(a) < FSource->row(b);
    });
    for (QListWidgetItem *item : selected) {
        // Equal texts may be different persons ("Mary Ann" "Smith", "Mary" "Ann Smith").
        const auto listed = FPrint->findItems(item->text(), Qt::MatchExactly);
        if (std::any_of(listed.begin(), listed.end(), [item](const QListWidgetItem *p) {
                return p->data(FirstLengthRole) == item->data(FirstLengthRole);
            }))
            continue;
        auto *copy = item->clone();
        FPrint->addItem(copy);
        FPrint->setCurrentItem(copy);
    }
    // One entry at a time walks down the source list.
    if (selected.size() == 1) {
        const int row = FSource->row(selected.first());
        if (row + 1 < FSource->count())
            FSource->setCurrentRow(row + 1);
    }
    UpdateRemove();
}

void TGroupDlg::RemoveClicked() {
    const int row = FPrint->currentRow();
    if (row < 0 || !FPrint->currentItem()->isSelected())
        return;
    delete FPrint->takeItem(row);
    if (FPrint->count() > 0)
        FPrint->setCurrentRow(std::min(row, FPrint->count() - 1));
    UpdateRemove();
}

void TGroupDlg::UpdateRemove() {
    FRemove->setEnabled(!FPrint->selectedItems().isEmpty());
}

int TGroupDlg::SelectedCount() const { return FPrint->count(); }

QString TGroupDlg::SelectedFirstName(int i) const {
    if (i < 0 || i >= FPrint->count())
        return {};
    const QListWidgetItem *item = FPrint->item(i);
    return item->text().left(item->data(FirstLengthRole).toInt());
}

QString TGroupDlg::SelectedLastName(int i) const {
    if (i < 0 || i >= FPrint->count())
        return {};
    const QListWidgetItem *item = FPrint->item(i);
    return item->text().mid(item->data(FirstLengthRole).toInt() + 1);
}

} // namespace kyr
