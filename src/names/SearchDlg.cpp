#include "SearchDlg.h"

#include "CountText.h"
#include "DataCollection.h"
#include "IndexScope.h"
#include "Language.h"
#include "PlaceOffsets.h"
#include "TitleWidth.h"
#include "Translation.h"

#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace kyr {

namespace {

QString ToQ(const std::string &text) { return QString::fromStdString(text); }

/// A caption text without its accelerator mark, for labels that show a count.
QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

} // namespace

TSearchDlg::TSearchDlg(TDataCollection &data, const TLanguage &language, QWidget *parent)
    : QDialog(parent), FData(data), FLanguage(language) {
    setObjectName(QStringLiteral("SearchDlg"));
    setWindowTitle(QStringLiteral("Search Name"));
    FIdle.setInterval(0);
    connect(&FIdle, &QTimer::timeout, this, [this] { IdleUpdate(); });
    BuildControls();
    FFilterLabel->hide();
    FFilter->hide();
    FDelete->hide();
    FSwapButton->hide();
    Retranslate();
}

TSearchDlg::~TSearchDlg() = default;

void TSearchDlg::BuildControls() {
    FFilterLabel = new QLabel(this);
    SetTag(FFilterLabel, 510);
    FFilter = new QComboBox(this);
    FFilter->setObjectName(QStringLiteral("ComboBox1"));
    FFilterLabel->setBuddy(FFilter);
    FEditLabel = new QLabel(this);
    FEdit = new QLineEdit(this);
    FEdit->setObjectName(QStringLiteral("Edit1"));
    FEditLabel->setBuddy(FEdit);
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("ListBox1"));
    FList->setUniformItemSizes(true);
    FList->setMinimumSize(300, 280);
    FCount = new QLabel(this);
    FCount->setObjectName(QStringLiteral("CountLabel"));

    const auto button = [this](int tag, const char *name) { return TaggedButton(this, tag, name); };
    FOk = button(506, "OkBtn");
    FOk->setDefault(true);
    FCancel = button(507, "CancelBtn");
    FHelp = button(502, "HelpBtn");
    FDelete = button(505, "DeleteBtn");
    FSwapButton = button(503, "SwapBtn");

    auto *fields = new QGridLayout;
    fields->addWidget(FFilterLabel, 0, 0);
    fields->addWidget(FFilter, 0, 1);
    fields->addWidget(FEditLabel, 1, 0);
    fields->addWidget(FEdit, 1, 1);
    fields->setColumnStretch(1, 1);

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(FList, 1);
    auto *below = new QHBoxLayout;
    below->addWidget(FCount, 1);
    below->addWidget(FSwapButton);
    left->addLayout(below);

    auto *buttons = new QVBoxLayout;
    for (auto *b : {FOk, FCancel, FHelp})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    buttons->addWidget(FDelete);
    buttons->addStretch(1);

    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    FEdit->installEventFilter(this);
    connect(FEdit, &QLineEdit::textEdited, this, &TSearchDlg::SearchEdited);
    connect(FEdit, &QLineEdit::returnPressed, this, &TSearchDlg::OkClicked);
    connect(FList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *) { PreviewEntry(SelectedEntry()); });
    connect(FList, &QListWidget::itemDoubleClicked, this, [this] { OkClicked(); });
    connect(FFilter, &QComboBox::activated, this, &TSearchDlg::FilterChosen);
    connect(FOk, &QPushButton::clicked, this, &TSearchDlg::OkClicked);
    connect(FCancel, &QPushButton::clicked, this, &TSearchDlg::reject);
    connect(FHelp, &QPushButton::clicked, this, [this] { emit HelpRequested(FHelpContext); });
    connect(FDelete, &QPushButton::clicked, this, &TSearchDlg::DeleteClicked);
    connect(FSwapButton, &QPushButton::clicked, this, &TSearchDlg::SwapClicked);
}

QString TSearchDlg::Text(int number) const { return ToQ(FLanguage.GetText(number)); }

void TSearchDlg::DoBeep() {
    if (Beep)
        Beep();
    else
        QApplication::beep();
}

void TSearchDlg::Retranslate() {
    TranslateForm(FLanguage, this);
    FEditLabel->setText(Text(FMode == Groups ? 25 : 509));
    static constexpr int Captions[] = {0, 237, 470, 518, 519, 466, 511};
    if (FMode != NoMode)
        setWindowTitle(Text(Captions[FMode]).trimmed());
    if (FMode == Names && FFilter->count() > 0)
        FFilter->setItemText(0, Text(172));
    KeepTitleVisible(this);
}

// --- entry operations ---------------------------------------------------------------------------

int TSearchDlg::RunModal() {
    const int result = exec() == QDialog::Accepted ? ResultOk : ResultCancel;
    FIdle.stop();
    FWalk.reset();
    FBusy = false;
    return result;
}

int TSearchDlg::PickState() {
    StartMode(States);
    return RunModal();
}

int TSearchDlg::PickPlace(const std::string &state) {
    StartMode(Places, state);
    return RunModal();
}

int TSearchDlg::PickZone() {
    StartMode(Zones);
    return RunModal();
}

int TSearchDlg::PickSummer() {
    StartMode(Summers);
    return RunModal();
}

int TSearchDlg::PickGroup() {
    StartMode(Groups);
    return RunModal();
}

int TSearchDlg::PickName(bool firstFirst) {
    FSwap = firstFirst;
    StartMode(Names);
    return RunModal();
}

bool TSearchDlg::PickName(
    bool firstFirst, const std::function<void(const std::string &, const std::string &)> &preview,
    std::string &first, std::string &last) {
    FCallPreview = preview;
    const int result = PickName(firstFirst);
    FCallPreview = nullptr;
    if (result != ResultOk)
        return false;
    first = FFirstName;
    last = FLastName;
    return true;
}

bool TSearchDlg::PickState(std::string &state) {
    if (PickState() != ResultOk)
        return false;
    state = FResultText;
    return true;
}

bool TSearchDlg::PickPlace(const std::string &state, TAtlasPlace &place) {
    if (PickPlace(state) != ResultOk)
        return false;
    if (const auto found = FindAtlasPlace(FData, state, FResultText)) {
        place = *found;
        return true;
    }
    return false;
}

bool TSearchDlg::PickGroup(std::string &group) {
    if (PickGroup() != ResultOk)
        return false;
    group = FResultText;
    return true;
}

TAtlasPicks TSearchDlg::AtlasPicks() {
    const auto result = [this](int modal) -> std::optional<std::string> {
        if (modal != ResultOk)
            return std::nullopt;
        return FResultText;
    };
    TAtlasPicks picks;
    picks.PickState = [this, result] { return result(PickState()); };
    picks.PickPlace = [this, result](const std::string &state) {
        return result(PickPlace(state));
    };
    picks.PickZone = [this, result] { return result(PickZone()); };
    picks.PickSummer = [this, result] { return result(PickSummer()); };
    return picks;
}

// --- modes and fills ----------------------------------------------------------------------------

void TSearchDlg::StartMode(TMode mode, const std::string &state) {
    FMode = mode;
    FBusy = true;
    FPlaceState = state;
    FList->clear();
    FEntries.clear();
    FPersons.clear();
    FCount->setText(Text(516));
    const bool names = mode == Names;
    FFilterLabel->setVisible(names);
    FFilter->setVisible(names);
    FOk->setEnabled(false);
    FHelp->setEnabled(false);
    // Cancel stays available: it stops a long fill.
    FCancel->setEnabled(true);
    FDelete->setVisible(names || mode == Groups);
    FSwapButton->setVisible(names);
    FDelete->setEnabled(false);
    FSwapButton->setEnabled(false);
    if (mode == Places) {
        // The chosen StateID is known before the list is filled.
        FStateId = "0000";
        FPlaceStateFound = false;
        TKyrTable &states = FData.StatesTable;
        if (states.Active()) {
            TIndexScope scope(states, "");
            if (states.FindKey({state})) {
                FStateId = states.FieldByName("StateID").AsString();
                FPlaceStateFound = true;
            }
        }
    }
    if (names) {
        if (NameDialogNames)
            FRemembered = NameDialogNames();
        // The group filter: every name, then each group.
        FFilter->clear();
        FFilter->addItem(Text(172));
        TTableWalk groups({&FData.GroupsTable, "", {}, {}}, [this](TKyrTable &t) {
            FFilter->addItem(ToQ(t.FieldByName("GroupName").AsString()));
        });
        while (!groups.Step(1000)) {
        }
        FFilter->setCurrentIndex(0);
    }
    Retranslate();
    StartFill();
}

void TSearchDlg::StartFill() {
    FBusy = true;
    FList->clear();
    FEntries.clear();
    FPersons.clear();
    FCount->setText(Text(516));
    FOk->setEnabled(false);
    FHelp->setEnabled(false);
    FDelete->setEnabled(false);
    FSwapButton->setEnabled(false);
    setCursor(Qt::BusyCursor);

    const auto column = [this](const char *field, const char *idField) {
        return [this, field, idField](TKyrTable &t) {
            TEntry entry{ToQ(t.FieldByName(field).AsString()), {}, -1};
            if (idField)
                entry.Id = t.FieldByName(idField).AsString();
            FEntries.push_back(std::move(entry));
        };
    };
    const auto person = [this](TKyrTable &t) {
        FPersons.push_back(
            {t.FieldByName("FirstName").AsString(), t.FieldByName("LastName").AsString()});
    };
    TTableWalk::TSource source;
    TTableWalk::TTake take;
    switch (FMode) {
    case States:
        source = {&FData.StatesTable, "", {}, {}};
        take = column("StateName", nullptr);
        break;
    case Places:
        source = {&FData.PlacesTable, "", {FStateId}, {"StateID"}};
        take = column("PlaceName", nullptr);
        break;
    case Zones:
        source = {&FData.ZoneIdTable, "", {}, {}};
        take = column("ZoneName", "ZoneID");
        break;
    case Summers:
        source = {&FData.SummerIdTable, "", {}, {}};
        take = column("SummerName", "SummerID");
        break;
    case Groups:
        source = {&FData.GroupsTable, "", {}, {}};
        take = column("GroupName", nullptr);
        break;
    case Names:
        if (FFilter->currentIndex() > 0)
            source = {&FData.NameGroupsTable, "Group", {FFilter->currentText().toStdString()},
                    {"GroupName"}};
        else
            source = {&FData.NameTable, "", {}, {}};
        take = person;
        break;
    case NoMode:
        break;
    }
    FWalk.reset();
    // A place of a state that STATES lacks: no StateID, so no places.
    if (!source.Table || (FMode == Places && !FPlaceStateFound)) {
        FinishFill();
        return;
    }
    FWalk = std::make_unique<TTableWalk>(source, take);
    FIdle.start();
}

bool TSearchDlg::IdleUpdate() {
    if (!FWalk) {
        FIdle.stop();
        return false;
    }
    bool done = true;
    try {
        done = FWalk->Step(FillUnit);
    } catch (const std::exception &error) {
        // A broken table ends the fill with what was read; the user hears why.
        if (ShowError)
            ShowError(QString::fromUtf8(error.what()));
        else
            QMessageBox::warning(this, windowTitle(), QString::fromUtf8(error.what()));
    }
    if (!done)
        return true;
    FIdle.stop();
    FWalk.reset();
    FinishFill();
    return false;
}

void TSearchDlg::FillNow() {
    while (IdleUpdate()) {
    }
}

void TSearchDlg::FinishFill() {
    FBusy = false;
    unsetCursor();
    if (FMode == Names) {
        FEntries.clear();
        FEntries.reserve(FPersons.size());
        for (std::size_t i = 0; i < FPersons.size(); ++i)
            FEntries.push_back({PersonText(FPersons[i]), {}, static_cast<int>(i)});
    }
    ShowEntries();
    const auto size = static_cast<long long>(FEntries.size());
    const auto count = QString::number(size);
    const auto counted = [&](TCountTexts texts) { return ToQ(CountText(FLanguage, size, texts)); };
    switch (FMode) {
    case States: FCount->setText(counted(StateCount)); break;
    case Places: FCount->setText(counted(PlaceCount)); break;
    case Zones: FCount->setText(counted(ZoneCount)); break;
    case Summers: FCount->setText(counted(SummerCount)); break;
    case Groups: FCount->setText(count + " " + Plain(Text(374))); break;
    case Names: FCount->setText(counted(NameCount)); break;
    case NoMode: break;
    }
    static constexpr int Contexts[] = {0, 420, 420, 0, 0, 221, 400};
    FHelpContext = Contexts[FMode];
    setProperty("HelpContext", FHelpContext);
    FOk->setEnabled(FMode != Names || !FEntries.empty());
    FCancel->setEnabled(true);
    FHelp->setEnabled(true);
    FDelete->setEnabled((FMode == Names || FMode == Groups) && !FEntries.empty());
    FSwapButton->setEnabled(FMode == Names);
}

QString TSearchDlg::PersonText(const TPersonName &person) const {
    const QString first = ToQ(person.First), last = ToQ(person.Last);
    return FSwap ? first + " " + last : last + " " + first;
}

void TSearchDlg::ShowEntries() {
    // The list is sorted as the user's language sorts, without regard to case ("Dänemark"
    // beside "Denmark"); equal texts keep the order they were read in.
    // Without a language of its own (the C locale) the system compares code points only.
    const QLocale system = QLocale::system();
    QCollator collator(system.language() == QLocale::C ? QLocale(QLocale::English) : system);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(FEntries.size());
    for (const TEntry &entry : FEntries)
        keys.push_back(collator.sortKey(entry.Text));
    std::vector<int> order(FEntries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    FList->setUpdatesEnabled(false);
    FList->clear();
    for (const int i : order) {
        auto *item = new QListWidgetItem(FEntries[i].Text);
        item->setData(Qt::UserRole, i);
        FList->addItem(item);
    }
    FList->setUpdatesEnabled(true);
    if (FMode == Names && FList->count() > 0)
        FList->setCurrentRow(0);
}

const TSearchDlg::TEntry *TSearchDlg::SelectedEntry() const {
    const QListWidgetItem *item = FList->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    const int at = item->data(Qt::UserRole).toInt();
    if (at < 0 || at >= static_cast<int>(FEntries.size()))
        return nullptr;
    return &FEntries[at];
}

// --- typing, moving and previewing --------------------------------------------------------------

void TSearchDlg::SearchEdited(const QString &text) {
    if (text.isEmpty())
        return;
    const QString typed = text.toUpper();
    for (int row = 0; row < FList->count(); ++row) {
        if (FList->item(row)->text().left(typed.size()).toUpper() == typed) {
            FList->setCurrentRow(row);
            FList->scrollToItem(FList->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void TSearchDlg::MoveSelection(int step, bool preview) {
    const int row = FList->currentRow() + step;
    if (FList->currentRow() < 0 && FList->count() > 0 && step > 0) {
        FList->setCurrentRow(0);
    } else if (row < 0 || row >= FList->count()) {
        DoBeep();
        return;
    } else {
        FList->setCurrentRow(row);
    }
    if (preview)
        PreviewEntry(SelectedEntry());
}

void TSearchDlg::PreviewEntry(const TEntry *entry) {
    if (FMode != Names || !entry || entry->Person < 0)
        return;
    const TPersonName &person = FPersons[static_cast<std::size_t>(entry->Person)];
    if (FCallPreview)
        FCallPreview(person.First, person.Last);
    else if (PreviewName)
        PreviewName(person.First, person.Last);
}

bool TSearchDlg::eventFilter(QObject *watched, QEvent *event) {
    if (watched == FEdit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            MoveSelection(key->key() == Qt::Key_Up ? -1 : 1,
                          key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSearchDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    FEdit->clear();
    FEdit->setFocus();
}

// --- buttons ------------------------------------------------------------------------------------

void TSearchDlg::ResetResults() {
    FResultText.clear();
    FFirstName.clear();
    FLastName.clear();
    FZoneRef.clear();
    FSummerRef.clear();
    FDefinitionId.clear();
    FLatitude = FLongitude = 0;
    // The place mode's StateID was chosen when the mode started.
    if (FMode != Places)
        FStateId = "0000";
}

bool TSearchDlg::Choose() {
    if (FBusy)
        return false;
    ResetResults();
    const TEntry *entry = SelectedEntry();
    switch (FMode) {
    case States: {
        if (!entry)
            return false;
        TKyrTable &states = FData.StatesTable;
        TIndexScope scope(states, "");
        if (!states.FindKey({entry->Text.toStdString()}))
            return false;
        FResultText = states.FieldByName("StateName").AsString();
        FStateId = states.FieldByName("StateID").AsString();
        break;
    }
    case Places: {
        if (!entry)
            return false;
        TKyrTable &places = FData.PlacesTable;
        TIndexScope scope(places, "");
        if (!places.FindKey({FStateId, entry->Text.toStdString()}))
            return false;
        FResultText = places.FieldByName("PlaceName").AsString();
        FLatitude = static_cast<Extended>(places.FieldByName("Latitude").AsInteger()) / 100;
        FLongitude = static_cast<Extended>(places.FieldByName("Longitude").AsInteger()) / 100;
        FZoneRef = places.FieldByName("ZoneRef").AsString();
        FSummerRef = places.FieldByName("SummerRef").AsString();
        break;
    }
    case Zones:
    case Summers:
        if (!entry)
            return false;
        FResultText = entry->Text.toStdString();
        FDefinitionId = IdentifierText(entry->Id);
        break;
    case Groups:
        if (!FEdit->text().trimmed().isEmpty())
            FResultText = FindOrCreateGroup(FData, FEdit->text().toStdString());
        else if (entry)
            FResultText = entry->Text.toStdString();
        if (FResultText.empty())
            return false;
        break;
    case Names: {
        if (!entry || entry->Person < 0)
            return false;
        const TPersonName &person = FPersons[static_cast<std::size_t>(entry->Person)];
        FFirstName = person.First;
        FLastName = person.Last;
        FResultText = FFirstName + " " + FLastName;
        FPersons.clear();
        break;
    }
    case NoMode:
        return false;
    }
    FEntries.clear();
    FList->clear();
    return true;
}

void TSearchDlg::OkClicked() {
    if (Choose())
        accept();
}

void TSearchDlg::reject() {
    FIdle.stop();
    FWalk.reset();
    FBusy = false;
    unsetCursor();
    FList->clear();
    FEntries.clear();
    QDialog::reject();
}

void TSearchDlg::FilterChosen(int) {
    if (FMode == Names)
        StartFill();
}

void TSearchDlg::SwapClicked() {
    if (FMode != Names || FBusy)
        return;
    FSwap = !FSwap;
    const TEntry *selected = SelectedEntry();
    const int person = selected ? selected->Person : -1;
    for (TEntry &entry : FEntries)
        entry.Text = PersonText(FPersons[static_cast<std::size_t>(entry.Person)]);
    ShowEntries();
    // The same person stays chosen.
    for (int row = 0; row < FList->count() && person >= 0; ++row)
        if (FEntries[FList->item(row)->data(Qt::UserRole).toInt()].Person == person) {
            FList->setCurrentRow(row);
            break;
        }
}

void TSearchDlg::DeleteClicked() {
    if (FBusy)
        return;
    const TEntry *entry = SelectedEntry();
    if (!entry)
        return;
    const auto ask = [this](const QString &caption, const QString &question) {
        if (AskYes)
            return AskYes(caption, question);
        return QMessageBox::question(this, caption, question) == QMessageBox::Yes;
    };
    if (FMode == Names) {
        const TPersonName person = FPersons[static_cast<std::size_t>(entry->Person)];
        const std::string question =
            DeleteNameQuestion(FLanguage.GetText(1000), FLanguage.GetText(432),
                               FLanguage.GetText(14), FLanguage.GetText(486),
                               person.First + " " + person.Last);
        DoBeep();
        if (!ask(Text(432), ToQ(question)))
            return;
        DeleteName(FData, person.First, person.Last);
        StartFill();
        if (ReloadName)
            ReloadName(FRemembered.First, FRemembered.Last);
    } else if (FMode == Groups) {
        // A group may hold many memberships; they are not removed without a question.
        const std::string group = entry->Text.toStdString();
        QString question = Text(1313);
        question.replace(QLatin1String("%1"), ToQ(group));
        if (!ask(Text(432), question))
            return;
        DeleteGroup(FData, group);
        StartFill();
        if (GroupsChanged)
            GroupsChanged();
    }
}

} // namespace kyr
