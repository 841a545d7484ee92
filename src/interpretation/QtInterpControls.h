// The interpretation's controls on Qt widgets. The interpretation window makes one
// TInterpretationBinding over its widgets and keeps it as long as the widgets live.
#pragma once

#include "InterpControls.h"

#include <QButtonGroup>
#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QTextEdit;
class QWidget;

namespace kyr {

class TInterpretation;

/// A combo box; each item's data is its row. The change event follows user picks only.
class TQtComboBox : public TInterpComboBox {
public:
    explicit TQtComboBox(QComboBox *box);
    ~TQtComboBox() override;
    void Clear() override;
    void Add(const std::string &text, int row) override;
    int Count() const override;
    int ItemIndex() const override;
    void SetItemIndex(int index) override;
    std::string Text(int index) const override;
    int Row(int index) const override;
    void SetOnChange(std::function<void()> handler) override;

private:
    QPointer<QComboBox> FBox;
    QMetaObject::Connection FConnection;
};

/// Radio buttons made inside a container widget (which gets a vertical layout).
class TQtRadioGroup : public TInterpRadioGroup {
public:
    explicit TQtRadioGroup(QWidget *container);
    ~TQtRadioGroup() override;
    void Clear() override;
    int Count() const override;
    std::string Caption(int index) const override;
    void SetCaption(int index, const std::string &text) override;
    void Add(const std::string &text) override;
    void Delete(int index) override;
    int ItemIndex() const override;
    void SetItemIndex(int index) override;
    void SetOnClick(std::function<void()> handler) override;

private:
    QPointer<QWidget> FContainer;
    QPointer<QButtonGroup> FGroup;
    std::vector<QRadioButton *> FButtons;
    std::function<void()> FOnClick;
};

class TQtLabel : public TInterpLabel {
public:
    explicit TQtLabel(QLabel *label) : FLabel(label) {}
    std::string Caption() const override;
    void SetCaption(const std::string &text) override;

private:
    QPointer<QLabel> FLabel;
};

/// A read-only plain or rich text edit, used for plain text.
class TQtMemo : public TInterpMemo {
public:
    explicit TQtMemo(QPlainTextEdit *edit);
    explicit TQtMemo(QTextEdit *edit);
    void Clear() override;
    void AddLine(const std::string &line) override;
    void SetLines(const std::vector<std::string> &lines) override;
    std::vector<std::string> Lines() const override;

private:
    QPointer<QPlainTextEdit> FPlain;
    QPointer<QTextEdit> FRich;
};

class TQtListBox : public TInterpListBox {
public:
    explicit TQtListBox(QListWidget *list) : FList(list) {}
    void Clear() override;
    void Add(const std::string &line) override;

private:
    QPointer<QListWidget> FList;
};

class TQtRadioButton : public TInterpRadioButton {
public:
    explicit TQtRadioButton(QRadioButton *button);
    ~TQtRadioButton() override;
    std::string Caption() const override;
    void SetCaption(const std::string &text) override;
    bool Checked() const override;
    void SetChecked(bool on) override;
    void SetOnClick(std::function<void()> handler) override;

private:
    QPointer<QRadioButton> FButton;
    QMetaObject::Connection FConnection;
};

/// The widgets a window hands to its interpretation; any may be null.
struct TInterpWidgets {
    QComboBox *MainTitles = nullptr;
    QComboBox *SubTitles = nullptr;
    QWidget *BookButtons = nullptr; ///< container for the book radio buttons
    QLabel *Attitude = nullptr;
    QPlainTextEdit *Memo = nullptr;
    QTextEdit *RichMemo = nullptr; ///< used when Memo is null
    QListWidget *DebugList = nullptr;
    QRadioButton *Birth = nullptr;
    QRadioButton *Period = nullptr;
    QRadioButton *Both = nullptr;
};

/// Owns the adapters and assigns them to the interpretation; also routes its information
/// boxes to QMessageBox (parent = the first widget given) and its beep to the application.
/// Unbinds on destruction.
class TInterpretationBinding {
public:
    TInterpretationBinding(TInterpretation &interpretation, const TInterpWidgets &widgets);
    ~TInterpretationBinding();
    TInterpretationBinding(const TInterpretationBinding &) = delete;
    TInterpretationBinding &operator=(const TInterpretationBinding &) = delete;

private:
    TInterpretation &FInterpretation;
    std::unique_ptr<TQtComboBox> FMainTitles;
    std::unique_ptr<TQtComboBox> FSubTitles;
    std::unique_ptr<TQtRadioGroup> FBookButtons;
    std::unique_ptr<TQtLabel> FAttitude;
    std::unique_ptr<TQtMemo> FMemo;
    std::unique_ptr<TQtListBox> FDebugList;
    std::unique_ptr<TQtRadioButton> FBirth;
    std::unique_ptr<TQtRadioButton> FPeriod;
    std::unique_ptr<TQtRadioButton> FBoth;
};

} // namespace kyr
