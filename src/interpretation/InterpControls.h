// The controls that TInterpretation fills, as small interfaces, so that the row building and
// the text assembly run without a window toolkit. The window binds its widgets through the Qt
// adapters (QtInterpControls.h); tests and the print path use the plain models below.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kyr {

/// A drop-down list whose items carry a row position of the sub-title table.
class TInterpComboBox {
public:
    virtual ~TInterpComboBox() = default;
    virtual void Clear() = 0;
    virtual void Add(const std::string &text, int row) = 0;
    virtual int Count() const = 0;
    /// −1 when no item is current.
    virtual int ItemIndex() const = 0;
    /// An index outside 0..Count−1 makes no item current.
    virtual void SetItemIndex(int index) = 0;
    virtual std::string Text(int index) const = 0;
    /// The row attached to item index; −1 outside the list.
    virtual int Row(int index) const = 0;
    /// Raised when the user picks an item (not when the program sets the index).
    virtual void SetOnChange(std::function<void()> handler) = 0;
};

/// A group of radio buttons, one per book of the current sub-title.
class TInterpRadioGroup {
public:
    virtual ~TInterpRadioGroup() = default;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    virtual std::string Caption(int index) const = 0;
    virtual void SetCaption(int index, const std::string &text) = 0;
    virtual void Add(const std::string &text) = 0;
    virtual void Delete(int index) = 0;
    virtual int ItemIndex() const = 0;
    /// −1 (or any index outside the buttons) checks none.
    virtual void SetItemIndex(int index) = 0;
    /// Raised when the user clicks a button.
    virtual void SetOnClick(std::function<void()> handler) = 0;
};

class TInterpLabel {
public:
    virtual ~TInterpLabel() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string &text) = 0;
};

/// A read-only multi-line text.
class TInterpMemo {
public:
    virtual ~TInterpMemo() = default;
    virtual void Clear() = 0;
    virtual void AddLine(const std::string &line) = 0;
    /// Replaces the lines.
    virtual void SetLines(const std::vector<std::string> &lines) = 0;
    virtual std::vector<std::string> Lines() const = 0;
};

class TInterpListBox {
public:
    virtual ~TInterpListBox() = default;
    virtual void Clear() = 0;
    virtual void Add(const std::string &line) = 0;
};

class TInterpRadioButton {
public:
    virtual ~TInterpRadioButton() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string &text) = 0;
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool on) = 0;
    /// Raised when the user clicks the button.
    virtual void SetOnClick(std::function<void()> handler) = 0;
};

// Plain models: they hold what a widget would show. Tests "click" them through the
// User... methods, which raise the hooked events as a user action would.

class TComboBoxModel : public TInterpComboBox {
public:
    void Clear() override;
    void Add(const std::string &text, int row) override;
    int Count() const override { return static_cast<int>(FItems.size()); }
    int ItemIndex() const override { return FIndex; }
    void SetItemIndex(int index) override;
    std::string Text(int index) const override;
    int Row(int index) const override;
    void SetOnChange(std::function<void()> handler) override { FOnChange = std::move(handler); }
    /// The user picks item index.
    void UserSelect(int index);

private:
    std::vector<std::pair<std::string, int>> FItems;
    int FIndex = -1;
    std::function<void()> FOnChange;
};

class TRadioGroupModel : public TInterpRadioGroup {
public:
    void Clear() override;
    int Count() const override { return static_cast<int>(FCaptions.size()); }
    std::string Caption(int index) const override;
    void SetCaption(int index, const std::string &text) override;
    void Add(const std::string &text) override { FCaptions.push_back(text); }
    void Delete(int index) override;
    int ItemIndex() const override { return FIndex; }
    void SetItemIndex(int index) override;
    void SetOnClick(std::function<void()> handler) override { FOnClick = std::move(handler); }
    void UserClick(int index);
    /// How often an existing caption was replaced since the model was made.
    int CaptionWrites = 0;

private:
    std::vector<std::string> FCaptions;
    int FIndex = -1;
    std::function<void()> FOnClick;
};

class TLabelModel : public TInterpLabel {
public:
    std::string Caption() const override { return FCaption; }
    void SetCaption(const std::string &text) override { FCaption = text; }

private:
    std::string FCaption;
};

class TMemoModel : public TInterpMemo {
public:
    void Clear() override { FLines.clear(); }
    void AddLine(const std::string &line) override { FLines.push_back(line); }
    void SetLines(const std::vector<std::string> &lines) override { FLines = lines; }
    std::vector<std::string> Lines() const override { return FLines; }

private:
    std::vector<std::string> FLines;
};

class TListBoxModel : public TInterpListBox {
public:
    void Clear() override { Lines.clear(); }
    void Add(const std::string &line) override { Lines.push_back(line); }
    std::vector<std::string> Lines;
};

class TRadioButtonModel : public TInterpRadioButton {
public:
    std::string Caption() const override { return FCaption; }
    void SetCaption(const std::string &text) override { FCaption = text; }
    bool Checked() const override { return FChecked; }
    void SetChecked(bool on) override { FChecked = on; }
    void SetOnClick(std::function<void()> handler) override { FOnClick = std::move(handler); }
    void UserClick();

private:
    std::string FCaption;
    bool FChecked = false;
    std::function<void()> FOnClick;
};

/// Splits a text of CR, CR LF or LF separated lines; a final line break adds no empty line.
std::vector<std::string> SplitTextLines(const std::string &text);

} // namespace kyr
