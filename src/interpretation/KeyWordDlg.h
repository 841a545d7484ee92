// TKeyWordDlg: "Search For Help On..." without a platform help file. Lists every keyword of
// the language's keyword index; a click shows the keyword's help text in a yellow note.
#pragma once

#include "Language.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;

namespace kyr {

class TDataCollection;
class TKeyWordWindow;

class TKeyWordDlg : public QDialog {
public:
    /// Language text of the caption.
    static constexpr int CaptionText = TextNo(684);
    /// Language text before the number of keywords.
    static constexpr int CountText = TextNo(458);
    static constexpr int OwnHelpContext = 703;
    static constexpr int ListHelpContext = 704;

    TKeyWordDlg(const TLanguage &language, TDataCollection &data, QWidget *parent = nullptr);
    ~TKeyWordDlg() override;

    /// Fills the list from the keyword index in index order (done whenever the dialog shows).
    void FillList();
    /// Shows the help text of the selected keyword in the note; hides the note when its help
    /// number has no text. Nothing without a selection.
    void ListBox1Click();

    QListWidget *ListBox1() const { return FList; }
    QLabel *Label1() const { return FLabel; }
    TKeyWordWindow *Popup() const { return FPopup; }
    /// The help number of each list line.
    const std::vector<int> &HelpNos() const { return FHelpNos; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    const TLanguage &FLanguage;
    TDataCollection &FData;
    QListWidget *FList;
    QLabel *FLabel;
    TKeyWordWindow *FPopup;
    std::vector<int> FHelpNos;
    bool FFilling = false;
};

} // namespace kyr
