// THelpViewer: the user manual inside the program, so that it can be read without a browser.
// A window over Manual/Manual.htm with its pictures and links, back, forward, home, find in
// the page, and the same page offered to the desktop's browser.
#pragma once

#include "Language.h"
#include "SystemBrowser.h"

#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace kyr {

class THelpViewer : public QWidget {
public:
    /// Language text of the caption.
    static constexpr int CaptionText = TextNo(1460);
    /// The anchor of the manual's table of contents.
    static constexpr const char *ContentsAnchor = "contents";

    /// manualFile: the manual's start page, normally Manual/Manual.htm of the program directory.
    THelpViewer(const TLanguage &language, QString manualFile, QWidget *parent = nullptr);

    /// Shows the start page at an anchor (empty: its top), shows the window and raises it. A
    /// missing manual shows a page that says so.
    void ShowManual(const QString &anchor = QString());
    /// Hands the page shown to the desktop's browser; a failure is reported through OnMessage.
    void OpenInBrowser();
    /// Finds the next occurrence of the find field's text, from the top again after the last.
    bool FindNext();

    const QString &ManualFile() const { return FManualFile; }
    QTextBrowser *Browser() const { return FBrowser; }
    QLineEdit *FindField() const { return FFind; }

    /// Opens addresses outside the manual; unset: the desktop's browser.
    TUrlOpener OnOpenUrl;
    /// Shows a warning; unset: a message box.
    std::function<void(const QString &text)> OnMessage;

protected:
    void changeEvent(QEvent *event) override;

private:
    QString Text(int number, const char *english) const;
    void FollowLink(const QUrl &url);
    void Message(const QString &text);
    void UpdateButtons();

    const TLanguage &FLanguage;
    QString FManualFile;
    QTextBrowser *FBrowser;
    QPushButton *FBack;
    QPushButton *FForward;
    QPushButton *FHome;
    QLabel *FFindLabel;
    QLineEdit *FFind;
    QPushButton *FFindNext;
    QPushButton *FOpenInBrowser;
};

} // namespace kyr
