#include "QtInterpControls.h"

#include "Interpretation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kyr {

namespace {

QString Q(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString &text) {
    return text.toUtf8().toStdString();
}

} // namespace

// ---- combo box ----

TQtComboBox::TQtComboBox(QComboBox *box) : FBox(box) {}

TQtComboBox::~TQtComboBox() {
    QObject::disconnect(FConnection);
}

void TQtComboBox::Clear() {
    if (FBox)
        FBox->clear();
}

void TQtComboBox::Add(const std::string &text, int row) {
    if (FBox)
        FBox->addItem(Q(text), row);
}

int TQtComboBox::Count() const {
    return FBox ? FBox->count() : 0;
}

int TQtComboBox::ItemIndex() const {
    return FBox ? FBox->currentIndex() : -1;
}

void TQtComboBox::SetItemIndex(int index) {
    if (FBox)
        FBox->setCurrentIndex(index >= 0 && index < FBox->count() ? index : -1);
}

std::string TQtComboBox::Text(int index) const {
    return FBox && index >= 0 && index < FBox->count() ? S(FBox->itemText(index)) : std::string();
}

int TQtComboBox::Row(int index) const {
    if (!FBox || index < 0 || index >= FBox->count())
        return -1;
    bool ok = false;
    const int row = FBox->itemData(index).toInt(&ok);
    return ok ? row : -1;
}

void TQtComboBox::SetOnChange(std::function<void()> handler) {
    QObject::disconnect(FConnection);
    if (FBox && handler)
        // activated: a pick by the user, never an index set by the program.
        FConnection =
            QObject::connect(FBox, &QComboBox::activated, FBox, [handler](int) { handler(); });
}

// ---- radio group ----

TQtRadioGroup::TQtRadioGroup(QWidget *container)
    : FContainer(container), FGroup(new QButtonGroup(container)) {
    if (container && !container->layout())
        new QVBoxLayout(container);
    QObject::connect(FGroup, &QButtonGroup::buttonClicked, FGroup, [this](QAbstractButton *) {
        if (FOnClick)
            FOnClick();
    });
}

TQtRadioGroup::~TQtRadioGroup() {
    // The buttons are the container's children: once it is gone, so are they.
    if (FContainer)
        Clear();
    delete FGroup;
}

void TQtRadioGroup::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

int TQtRadioGroup::Count() const {
    // The buttons die with their container.
    return FContainer ? static_cast<int>(FButtons.size()) : 0;
}

std::string TQtRadioGroup::Caption(int index) const {
    return index >= 0 && index < Count() ? S(FButtons[index]->text()) : std::string();
}

void TQtRadioGroup::SetCaption(int index, const std::string &text) {
    if (index >= 0 && index < Count())
        FButtons[index]->setText(Q(text));
}

void TQtRadioGroup::Add(const std::string &text) {
    if (!FContainer)
        return;
    auto *button = new QRadioButton(Q(text), FContainer);
    if (FGroup)
        FGroup->addButton(button, Count());
    if (FContainer->layout())
        FContainer->layout()->addWidget(button);
    FButtons.push_back(button);
}

void TQtRadioGroup::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    QRadioButton *button = FButtons[index];
    if (FGroup)
        FGroup->removeButton(button);
    delete button;
    FButtons.erase(FButtons.begin() + index);
    for (int i = index; FGroup && i < Count(); ++i)
        FGroup->setId(FButtons[i], i);
}

int TQtRadioGroup::ItemIndex() const {
    for (int i = 0; i < Count(); ++i)
        if (FButtons[i]->isChecked())
            return i;
    return -1;
}

void TQtRadioGroup::SetItemIndex(int index) {
    // An exclusive group cannot uncheck its checked button.
    if (FGroup)
        FGroup->setExclusive(false);
    for (int i = 0; i < Count(); ++i)
        FButtons[i]->setChecked(i == index);
    if (FGroup)
        FGroup->setExclusive(true);
}

void TQtRadioGroup::SetOnClick(std::function<void()> handler) {
    FOnClick = std::move(handler);
}

// ---- label, memo, list ----

std::string TQtLabel::Caption() const {
    return FLabel ? S(FLabel->text()) : std::string();
}

void TQtLabel::SetCaption(const std::string &text) {
    if (FLabel)
        FLabel->setText(Q(text));
}

TQtMemo::TQtMemo(QPlainTextEdit *edit) : FPlain(edit) {}
TQtMemo::TQtMemo(QTextEdit *edit) : FRich(edit) {}

void TQtMemo::Clear() {
    if (FPlain)
        FPlain->clear();
    if (FRich)
        FRich->clear();
}

void TQtMemo::AddLine(const std::string &line) {
    if (FPlain)
        FPlain->appendPlainText(Q(line));
    if (FRich)
        FRich->append(Q(line).toHtmlEscaped());
}

void TQtMemo::SetLines(const std::vector<std::string> &lines) {
    QStringList list;
    for (const std::string &line : lines)
        list << Q(line);
    const QString text = list.join(QLatin1Char('\n'));
    if (FPlain)
        FPlain->setPlainText(text);
    if (FRich)
        FRich->setPlainText(text);
}

std::vector<std::string> TQtMemo::Lines() const {
    QString text;
    if (FPlain)
        text = FPlain->toPlainText();
    else if (FRich)
        text = FRich->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty())
        return lines;
    for (const QString &line : text.split(QLatin1Char('\n')))
        lines.push_back(S(line));
    return lines;
}

void TQtListBox::Clear() {
    if (FList)
        FList->clear();
}

void TQtListBox::Add(const std::string &line) {
    if (FList)
        FList->addItem(Q(line));
}

// ---- radio button ----

TQtRadioButton::TQtRadioButton(QRadioButton *button) : FButton(button) {}

TQtRadioButton::~TQtRadioButton() {
    QObject::disconnect(FConnection);
}

std::string TQtRadioButton::Caption() const {
    return FButton ? S(FButton->text()) : std::string();
}

void TQtRadioButton::SetCaption(const std::string &text) {
    if (FButton)
        FButton->setText(Q(text));
}

bool TQtRadioButton::Checked() const {
    return FButton && FButton->isChecked();
}

void TQtRadioButton::SetChecked(bool on) {
    if (FButton)
        FButton->setChecked(on);
}

void TQtRadioButton::SetOnClick(std::function<void()> handler) {
    QObject::disconnect(FConnection);
    if (FButton && handler)
        FConnection = QObject::connect(FButton, &QAbstractButton::clicked, FButton,
                                       [handler](bool) { handler(); });
}

// ---- binding ----

TInterpretationBinding::TInterpretationBinding(TInterpretation &interpretation,
                                               const TInterpWidgets &w)
    : FInterpretation(interpretation) {
    TInterpretation &i = interpretation;
    if (w.MainTitles) {
        FMainTitles = std::make_unique<TQtComboBox>(w.MainTitles);
        i.SetMainTitleBox(FMainTitles.get());
    }
    if (w.SubTitles) {
        FSubTitles = std::make_unique<TQtComboBox>(w.SubTitles);
        i.SetSubTitleBox(FSubTitles.get());
    }
    if (w.BookButtons) {
        FBookButtons = std::make_unique<TQtRadioGroup>(w.BookButtons);
        i.SetBookButtons(FBookButtons.get());
    }
    if (w.Attitude) {
        FAttitude = std::make_unique<TQtLabel>(w.Attitude);
        i.SetAttitudeLabel(FAttitude.get());
    }
    if (w.Memo)
        FMemo = std::make_unique<TQtMemo>(w.Memo);
    else if (w.RichMemo)
        FMemo = std::make_unique<TQtMemo>(w.RichMemo);
    if (FMemo)
        i.SetInterpMemo(FMemo.get());
    if (w.DebugList) {
        FDebugList = std::make_unique<TQtListBox>(w.DebugList);
        i.SetDebugListBox(FDebugList.get());
    }
    if (w.Birth) {
        FBirth = std::make_unique<TQtRadioButton>(w.Birth);
        i.SetBirthButton(FBirth.get());
    }
    if (w.Period) {
        FPeriod = std::make_unique<TQtRadioButton>(w.Period);
        i.SetPeriodButton(FPeriod.get());
    }
    if (w.Both) {
        FBoth = std::make_unique<TQtRadioButton>(w.Both);
        i.SetBothButton(FBoth.get());
    }
    QWidget *parent = w.MainTitles ? static_cast<QWidget *>(w.MainTitles) : w.SubTitles;
    QPointer<QWidget> owner(parent);
    i.OnInformation = [owner](const std::string &message) {
        QMessageBox::information(owner, QString(), Q(message), QMessageBox::Ok);
    };
    i.OnBeep = [] { QApplication::beep(); };
}

TInterpretationBinding::~TInterpretationBinding() {
    TInterpretation &i = FInterpretation;
    if (FMainTitles && i.MainTitleBox() == FMainTitles.get())
        i.SetMainTitleBox(nullptr);
    if (FSubTitles && i.SubTitleBox() == FSubTitles.get())
        i.SetSubTitleBox(nullptr);
    if (FBookButtons && i.BookButtons() == FBookButtons.get())
        i.SetBookButtons(nullptr);
    if (FAttitude && i.AttitudeLabel() == FAttitude.get())
        i.SetAttitudeLabel(nullptr);
    if (FMemo && i.InterpMemo() == FMemo.get())
        i.SetInterpMemo(nullptr);
    if (FDebugList && i.DebugListBox() == FDebugList.get())
        i.SetDebugListBox(nullptr);
    if (FBirth && i.BirthButton() == FBirth.get())
        i.SetBirthButton(nullptr);
    if (FPeriod && i.PeriodButton() == FPeriod.get())
        i.SetPeriodButton(nullptr);
    if (FBoth && i.BothButton() == FBoth.get())
        i.SetBothButton(nullptr);
    i.OnInformation = nullptr;
    i.OnBeep = nullptr;
}

} // namespace kyr
