// TQHelpWin: the quick-help window. A stay-on-top window that shows one help text of the
// current language by its help number, or one book passage by its key.
#pragma once

#include "Language.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <string>

class QTextEdit;

namespace kyr {

class TDataCollection;
class TKeyWordWindow;
class TKyrSetup;

/// Set while the quick-help window exists; the main window offers quick help only then.
bool QuickHelpAvailable();

/// Loads a help text into a text view: as rich text when it is in rich-text form (HTML that
/// starts with a tag), otherwise as plain text.
void LoadHelpText(QTextEdit *view, const std::string &text);
/// Whether a text is in rich-text form.
bool IsRichHelpText(const std::string &text);
/// The text of a help number from the help table of the data collection's language; false
/// when there is none (also while the table is closed).
bool FindHelpText(TDataCollection &data, int helpNo, std::string &text);

class TQHelpWin : public QWidget {
public:
    /// Language text of the caption.
    static constexpr int CaptionText = TextNo(167);
    /// Help context of the window itself.
    static constexpr int OwnHelpContext = 706;

    TQHelpWin(const TLanguage &language, TDataCollection &data, const TKyrSetup &settings,
              QWidget *parent = nullptr);
    ~TQHelpWin() override;

    /// Shows help text helpNo of the current language. 0 or below, or a number without a text
    /// (unless the settings' DebugHelp is on): a beep and nothing shown. The same number in
    /// the same language is not loaded again.
    void ShowHelp(int helpNo);
    /// Shows the book passage of a key "BBCC 3344" (book, chapter, blank, code 3, code 4);
    /// "Book Text Not Found!" when there is none. The caller sets the caption first.
    void ShowBookPassage(const std::string &key);
    /// Hides the popup note.
    void HidePopup();

    /// The help number shown; -1 at creation and after a missing number, -2 while a book
    /// passage is shown.
    int HelpNo() const { return FHelpNo; }
    /// The language code of the text shown.
    const std::string &HelpCountry() const { return FHelpCountry; }
    QTextEdit *TextArea() const { return FText; }
    TKeyWordWindow *Popup() const { return FPopup; }

    /// Set while the language has a platform help file: ShowHelp hands the context to it.
    std::function<void(int context)> OnHelpFile;
    /// Replaces the system beep (tests).
    std::function<void()> OnBeep;

    /// The program's web page, offered in the link bands of the text area; empty: no link.
    QUrl WebAddress;
    /// Opens the web page; unset: the desktop's browser.
    std::function<void(const QUrl &)> OnOpenUrl;
    /// Whether a row of the text area's client pixels lies in a band of the web link.
    static bool InWebBand(int y);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend class THelpTextArea;
    void Beep();
    void ApplyLook();
    bool WebLinkAt(int y) const;
    void OpenWebPage();

    const TLanguage &FLanguage;
    TDataCollection &FData;
    const TKyrSetup &FSettings;
    QTextEdit *FText;
    TKeyWordWindow *FPopup;
    int FHelpNo = -1;
    std::string FHelpCountry;
};

} // namespace kyr
