// TAskDlg: the one yes/no(/cancel) question of the name, atlas and search dialogs.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace kyr {

class TLanguage;

class TAskDlg : public QDialog {
    Q_OBJECT
public:
    /// The language must outlive the dialog.
    explicit TAskDlg(const TLanguage &language, QWidget *parent = nullptr);

    /// Shows text modally under caption (language text 26 when empty); Cancel is offered only
    /// with withCancel. Returns Yes, No or Cancel (QDialogButtonBox::StandardButton values).
    int Ask(const QString &caption, const QString &text, bool withCancel);
    /// Ask without caption and cancel; true exactly for yes.
    bool AskYes(const QString &text);

    // The parts, for tests that answer the dialog.
    QPushButton *YesButton() const { return FYes; }
    QPushButton *NoButton() const { return FNo; }
    QPushButton *CancelButton() const { return FCancel; }
    QLabel *TextLabel() const { return FLabel; }

private:
    const TLanguage &FLanguage;
    QLabel *FLabel;
    QPushButton *FYes;
    QPushButton *FNo;
    QPushButton *FCancel;
};

} // namespace kyr
