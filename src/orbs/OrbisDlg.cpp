#include "OrbisDlg.h"

#include "DataCollection.h"
#include "Horoscope.h"
#include "IndexScope.h"
#include "KyrSetup.h"
#include "Language.h"
#include "OrbSetInUse.h"
#include "OrbSets.h"
#include "Translation.h"

#include <algorithm>

#include <QApplication>
#include <QMessageBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

namespace kyr {

namespace {

constexpr int GridColumns = 1 + OrbColumnCount;
constexpr int GridRows = 1 + AspectPointCount;
constexpr const char *OrbFields[OrbColumnCount] = {"D_0",   "D_30",  "D_45",  "D_60", "D_90",
                                                   "D_120", "D_135", "D_150", "D_180"};
constexpr int ColumnAngles[OrbColumnCount] = {0, 30, 45, 60, 90, 120, 135, 150, 180};

// Orbs are whole degrees up to half a circle: the orb table takes nothing else, and a wider
// value would stop the set from loading into a chart.
class TOrbValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        if (input.isEmpty())
            return Intermediate;
        for (const QChar c : input)
            if (!c.isDigit())
                return Invalid;
        return input.size() <= 3 && input.toInt() <= MaxOrbDegrees ? Acceptable : Invalid;
    }
};

class TOrbDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override {
        auto *edit = new QLineEdit(parent);
        edit->setValidator(new TOrbValidator(edit));
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return edit;
    }
    // An emptied cell is no orb at all.
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override {
        if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
            const QString text = edit->text().trimmed();
            model->setData(index, text.isEmpty() ? QStringLiteral("0") : text);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

QString ToQ(const std::string &text) {
    return QString::fromStdString(text);
}

} // namespace

TOrbisDlg::TOrbisDlg(TDataCollection &data, const TKyrSetup &setup, const TLanguage &language,
                     QWidget *parent)
    : QDialog(parent), FData(data), FSetup(setup), FLanguage(language) {
    SetTag(this, 471);
    ShowMessage = [this](const QString &message) {
        QMessageBox::information(this, windowTitle(), message);
    };
    auto *layout = new QHBoxLayout(this);

    StringGrid1 = new QTableWidget(GridRows, GridColumns, this);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setItemDelegate(new TOrbDelegate(StringGrid1));
    StringGrid1->setMouseTracking(true);
    StringGrid1->viewport()->installEventFilter(this);
    const int cellHeight = std::max(20, fontMetrics().height() + 6);
    const int cellWidth = std::max(34, fontMetrics().horizontalAdvance(QStringLiteral("1800")));
    for (int c = 0; c < GridColumns; ++c)
        StringGrid1->setColumnWidth(c, cellWidth);
    for (int r = 0; r < GridRows; ++r)
        StringGrid1->setRowHeight(r, cellHeight);
    const int frame = 2 * StringGrid1->frameWidth();
    StringGrid1->setFixedSize(GridColumns * cellWidth + frame + 2,
                              GridRows * cellHeight + frame + 2);
    for (int r = 0; r < GridRows; ++r)
        for (int c = 0; c < GridColumns; ++c) {
            auto *item = new QTableWidgetItem;
            if (r == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setTextAlignment(Qt::AlignCenter);
                item->setBackground(palette().brush(QPalette::Button));
            } else {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            StringGrid1->setItem(r, c, item);
        }
    StringGrid1->setCurrentCell(1, 1);
    layout->addWidget(StringGrid1, 0, Qt::AlignTop);

    auto *side = new QVBoxLayout;
    ListBox1 = new QListWidget(this);
    ListBox1->setMinimumWidth(150);
    side->addWidget(ListBox1, 1);
    auto *nameLabel = new QLabel(this);
    SetTag(nameLabel, 478);
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(MaxNameLength);
    nameLabel->setBuddy(Edit2);
    side->addWidget(nameLabel);
    side->addWidget(Edit2);
    auto *setButtons = new QHBoxLayout;
    Button1 = new QPushButton(this);
    Button2 = new QPushButton(this);
    SetTag(Button1, 476);
    SetTag(Button2, 473);
    setButtons->addWidget(Button1);
    setButtons->addWidget(Button2);
    side->addLayout(setButtons);
    side->addSpacing(8);
    auto *dialogButtons = new QHBoxLayout;
    Button3 = new QPushButton(this);
    Button4 = new QPushButton(this);
    Button5 = new QPushButton(this);
    SetTag(Button3, 506);
    SetTag(Button4, 507);
    SetTag(Button5, 502);
    for (QPushButton *button : {Button1, Button2, Button4, Button5})
        button->setAutoDefault(false);
    Button3->setDefault(true);
    dialogButtons->addWidget(Button3);
    dialogButtons->addWidget(Button4);
    dialogButtons->addWidget(Button5);
    side->addLayout(dialogButtons);
    layout->addLayout(side, 1);

    connect(Button1, &QPushButton::clicked, this, &TOrbisDlg::Save);
    connect(Button2, &QPushButton::clicked, this, &TOrbisDlg::Delete);
    connect(Button3, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button5, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });
    connect(ListBox1, &QListWidget::itemClicked, this, &TOrbisDlg::ListClicked);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            ListClicked();
    });
    connect(Edit2, &QLineEdit::textChanged, this, &TOrbisDlg::NameChanged);

    Retranslate();
    FillHeaders();
    FillZeros();
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    SetGridEditable(false);
}

void TOrbisDlg::Retranslate() {
    TranslateForm(FLanguage, this);
    FillHeaders();
}

void TOrbisDlg::FillHeaders() {
    QFont symbols(QStringLiteral("KYR Sans Serif"));
    symbols.setPointSize(font().pointSize() + 2);
    for (int c = 1; c < GridColumns; ++c) {
        QTableWidgetItem *item = StringGrid1->item(0, c);
        item->setText(ToQ(FLanguage.AspectGlyph(OrbColumnSlots[c - 1] - 1)));
        item->setFont(symbols);
    }
    for (int r = 1; r < GridRows; ++r) {
        QTableWidgetItem *item = StringGrid1->item(r, 0);
        item->setText(ToQ(FLanguage.PointGlyph(r)));
        item->setFont(symbols);
    }
}

void TOrbisDlg::FillZeros() {
    for (int r = 1; r < GridRows; ++r)
        for (int c = 1; c < GridColumns; ++c)
            StringGrid1->item(r, c)->setText(QStringLiteral("0"));
}

QString TOrbisDlg::Cell(int point, int column) const {
    return StringGrid1->item(point, column)->text();
}

void TOrbisDlg::SetCell(int point, int column, const QString &text) {
    StringGrid1->item(point, column)->setText(text);
}

bool TOrbisDlg::GridEditable() const {
    return StringGrid1->editTriggers() != QAbstractItemView::NoEditTriggers;
}

void TOrbisDlg::SetGridEditable(bool editable) {
    StringGrid1->setEditTriggers(
        editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                 : QAbstractItemView::NoEditTriggers);
}

int TOrbisDlg::Execute(const std::string &name) {
    FCurrentName = name;
    Activate();
    return exec();
}

void TOrbisDlg::Activate() {
    ListSets(FCurrentName);
    if (ListBox1->currentRow() < 0)
        FillZeros();
    else
        ShowSet(FCurrentName);
}

std::string TOrbisDlg::SelectedName() const {
    const QListWidgetItem *item = ListBox1->currentItem();
    return item && item->isSelected() ? item->text().toStdString() : std::string();
}

bool TOrbisDlg::IsSystemSet(const std::string &name) const {
    TKyrTable &sets = FData.OrbisTable;
    TIndexScope scope(sets, "");
    return !name.empty() && sets.FindKey({name}) && sets.FieldByName("SystemOrbis").AsBoolean();
}

void TOrbisDlg::ListSets(const std::string &name) {
    const QSignalBlocker blocker(ListBox1);
    ListBox1->clear();
    FSystem.clear();
    TKyrTable &sets = FData.OrbisTable;
    TIndexScope scope(sets, "");
    int selected = -1;
    for (sets.First(); !sets.Eof(); sets.Next()) {
        const std::string setName = sets.FieldByName("OrbisName").AsString();
        if (IsDeleted(setName))
            continue;
        ListBox1->addItem(ToQ(setName));
        FSystem.push_back(sets.FieldByName("SystemOrbis").AsBoolean());
        if (setName == name)
            selected = ListBox1->count() - 1;
    }
    ListBox1->setCurrentRow(selected);
    if (selected >= 0) {
        const bool user = !FSystem[selected];
        Button1->setEnabled(user);
        Button2->setEnabled(user);
        if (!FSetup.Debug.Database)
            SetGridEditable(user);
    }
}

void TOrbisDlg::ShowSet(const std::string &name) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool present[GridRows] = {};
    TKyrTable &orbs = FData.OrbisDefTable;
    TIndexScope scope(orbs, "");
    if (!name.empty()) {
        orbs.FindNearest({name});
        if (!(orbs.Bof() && orbs.Eof()))
            for (; !orbs.Eof() && orbs.FieldByName("OrbisName").AsString() == name; orbs.Next()) {
                const long long point = orbs.FieldByName("OrbisPlanetOrCusp").AsInteger();
                if (point < 1 || point > AspectPointCount)
                    continue;
                present[point] = true;
                for (int c = 0; c < OrbColumnCount; ++c)
                    SetCell(static_cast<int>(point), c + 1,
                            ToQ(orbs.FieldByName(OrbFields[c]).AsString()));
            }
    }
    for (int r = 1; r < GridRows; ++r)
        if (!present[r])
            for (int c = 1; c < GridColumns; ++c)
                SetCell(r, c, QStringLiteral("0"));
    FCurrentName = name;
    QApplication::restoreOverrideCursor();
}

void TOrbisDlg::ListClicked() {
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= static_cast<int>(FSystem.size()))
        return;
    const bool editable = !FSystem[row] || FSetup.Debug.Database;
    Button1->setEnabled(editable);
    Button2->setEnabled(editable);
    SetGridEditable(editable);
    ShowSet(ListBox1->item(row)->text().toStdString());
}

void TOrbisDlg::NameChanged(const QString &text) {
    if (!text.isEmpty()) {
        SetGridEditable(true);
        Button1->setEnabled(true);
        // Delete works on a selected set, and typing a name clears the selection.
        Button2->setEnabled(false);
        const QSignalBlocker blocker(ListBox1);
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
        ListBox1->setEnabled(false);
    } else {
        ListBox1->setEnabled(true);
        Button1->setEnabled(false);
    }
}

void TOrbisDlg::Save() {
    // An edit still open in the grid counts.
    if (QWidget *editor = StringGrid1->focusWidget(); editor && editor != StringGrid1)
        StringGrid1->setFocus();
    std::string name = SelectedName();
    if (name.empty())
        name = Edit2->text().toStdString();
    if (name.empty())
        return;
    // Names compare without regard to case, as the table's keys do: a set typed in another
    // case is the stored one, under its stored name.
    {
        TKyrTable &sets = FData.OrbisTable;
        TIndexScope scope(sets, "");
        if (sets.FindKey({name}))
            name = sets.FieldByName("OrbisName").AsString();
    }
    // The system sets are the program's own; only the data maintainer changes them.
    if (IsSystemSet(name) && !FSetup.Debug.Database) {
        QApplication::beep();
        return;
    }
    Edit2->clear();
    TKyrTable &orbs = FData.OrbisDefTable;
    {
        TIndexScope scope(orbs, "");
        for (int point = 1; point <= AspectPointCount; ++point) {
            std::vector<TFieldValue> values = {name, static_cast<long long>(point)};
            for (int c = 1; c < GridColumns; ++c) {
                bool ok = false;
                const long long degrees = Cell(point, c).trimmed().toLongLong(&ok);
                values.emplace_back(ok ? degrees : 0LL);
            }
            if (orbs.FindKey({name, static_cast<long long>(point)})) {
                orbs.Edit();
                orbs.SetFields(values);
                orbs.Post();
            } else {
                orbs.InsertRecord(values);
            }
        }
    }
    {
        TKyrTable &sets = FData.OrbisTable;
        TIndexScope scope(sets, "");
        if (!sets.FindKey({name}))
            sets.InsertRecord({name, false});
    }
    // Saved again under its name, a set taken off the list stays.
    std::erase_if(FDeleted, [&](const std::string &gone) { return SameOrbSetName(gone, name); });
    ListSets(name);
    FCurrentName = name;
}

void TOrbisDlg::Delete() {
    const int row = ListBox1->currentRow();
    const std::string name = SelectedName();
    if (row < 0 || name.empty())
        return;
    if (FSystem[row] && !FSetup.Debug.Database) {
        QApplication::beep();
        return;
    }
    // Without its set the charts would have no orbs, and no aspects, from the next start on.
    if (SameOrbSetName(name, FSetup.System.OrbisName)) {
        ShowMessage(ToQ(FLanguage.GetText(1492)).arg(ToQ(name)));
        return;
    }
    std::string next;
    if (row + 1 < ListBox1->count())
        next = ListBox1->item(row + 1)->text().toStdString();
    else if (row > 0)
        next = ListBox1->item(row - 1)->text().toStdString();
    FDeleted.push_back(name);
    ListSets(next);
    if (ListBox1->currentRow() >= 0) {
        ShowSet(next);
    } else {
        FillZeros();
        Button1->setEnabled(!Edit2->text().isEmpty());
        Button2->setEnabled(false);
    }
}

bool TOrbisDlg::IsDeleted(const std::string &name) const {
    return std::any_of(FDeleted.begin(), FDeleted.end(),
                       [&](const std::string &gone) { return SameOrbSetName(gone, name); });
}

void TOrbisDlg::accept() {
    for (const std::string &name : FDeleted) {
        {
            TKyrTable &orbs = FData.OrbisDefTable;
            TIndexScope scope(orbs, "");
            for (int point = 1; point <= AspectPointCount; ++point)
                if (orbs.FindKey({name, static_cast<long long>(point)}))
                    orbs.Delete();
        }
        TKyrTable &sets = FData.OrbisTable;
        TIndexScope scope(sets, "");
        if (sets.FindKey({name}))
            sets.Delete();
    }
    FDeleted.clear();
    QDialog::accept();
}

QString TOrbisDlg::HintFor(int row, int column) const {
    if (row == 0 && column >= 1 && column < GridColumns)
        return QString::number(ColumnAngles[column - 1]) + QChar(0x00B0);
    if (column == 0 && row >= 1 && row < GridRows)
        return ToQ(FLanguage.PointName(row));
    return {};
}

bool TOrbisDlg::eventFilter(QObject *watched, QEvent *event) {
    if (watched == StringGrid1->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            FHoverRow = StringGrid1->rowAt(pos.y());
            FHoverColumn = StringGrid1->columnAt(pos.x());
        } else if (event->type() == QEvent::ToolTip) {
            const auto *help = static_cast<QHelpEvent *>(event);
            FHoverRow = StringGrid1->rowAt(help->pos().y());
            FHoverColumn = StringGrid1->columnAt(help->pos().x());
            const QString hint = HintFor(FHoverRow, FHoverColumn);
            if (hint.isEmpty() || (FHoverRow == 0) == (FHoverColumn == 0)) {
                QToolTip::hideText();
                event->ignore();
                return true;
            }
            const QRect cell =
                StringGrid1->visualRect(StringGrid1->model()->index(FHoverRow, FHoverColumn));
            // Just below the cell, at its left edge, so that it hides no other header.
            const QPoint at(FHoverRow == 0 ? cell.left() : help->pos().x(), cell.bottom() + 3);
            QToolTip::showText(StringGrid1->viewport()->mapToGlobal(at), hint,
                               StringGrid1->viewport(), cell);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ApplyChosenOrbs(const TOrbisDlg &dialog, TKyrSetup &setup, TDataCollection &data,
                     const std::vector<THoroscope *> &charts) {
    setup.System.OrbisName = dialog.SelectedName();
    for (THoroscope *chart : charts) {
        TIndexScope scope(data.OrbisDefTable, "");
        setup.ApplyUserOrbs(data.OrbisDefTable, *chart);
    }
}

bool ChooseUserOrbs(TKyrSetup &setup, TDataCollection &data, const TLanguage &language,
                    const std::vector<THoroscope *> &charts, QWidget *parent,
                    const std::function<void(int)> &helpRequested) {
    TOrbisDlg dialog(data, setup, language, parent);
    if (helpRequested)
        QObject::connect(&dialog, &TOrbisDlg::HelpRequested, &dialog, helpRequested);
    if (dialog.Execute(setup.System.OrbisName) != QDialog::Accepted)
        return false;
    ApplyChosenOrbs(dialog, setup, data, charts);
    return true;
}

} // namespace kyr
