// TImpDlg: imports persons from a name file into the NAME table, optionally into a group.
// Created for each use; the work is ImportNames (NameImport.h).
#pragma once

#include "NameImport.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kyr {

class TDataCollection;
class TLanguage;

class TImpDlg : public QDialog {
    Q_OBJECT
public:
    /// Quick-help context of the dialog.
    static constexpr int HelpContext = 14;

    /// Language and collection must outlive the dialog; the collection must be active when OK
    /// is pressed.
    TImpDlg(const TLanguage &language, TDataCollection &data, QWidget *parent = nullptr);

    /// The file to import; OK is enabled exactly while it is not empty.
    QString FileName() const;
    void SetFileName(const QString &fileName);
    /// Where the browse button starts when the file name names no directory.
    QString Directory() const { return FDirectory; }
    void SetDirectory(const QString &directory) { FDirectory = directory; }
    QString GroupName() const;
    void SetGroupName(const QString &groupName);
    bool Overwrite() const;
    void SetOverwrite(bool overwrite);

    /// The outcome of the last import run by OK (Count 0 before any).
    const TImportResult &LastResult() const { return FResult; }

    /// Captions from the language.
    void Retranslate();

    /// Runs the import as OK does: progress with Cancel, then the messages; the dialog closes
    /// with OK when at least one person was written. Returns the number written.
    int Import();

    /// Picks a group (the search dialog's group mode); true with the name on OK. Unset: the
    /// pick button is disabled.
    std::function<bool(QString &groupName)> PickGroup;
    /// Asks for the file to import; empty when the user cancels. A file dialog unless replaced.
    std::function<QString(const QString &title, const QString &directory, const QString &filter)>
        ChooseFile;
    /// Why the import ended early; a warning box unless replaced.
    std::function<void(const QString &message)> ShowStop;
    /// The count of imported names; an information box unless replaced.
    std::function<void(const QString &message)> ShowInfo;

    // The parts, for tests.
    QLineEdit *FileEdit() const { return FFileEdit; }
    QLineEdit *GroupEdit() const { return FGroupEdit; }
    QCheckBox *OverwriteBox() const { return FOverwrite; }
    QPushButton *OkButton() const { return FOk; }
    QPushButton *BrowseButton() const { return FBrowse; }
    QPushButton *PickButton() const { return FPick; }

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Browse();
    void Pick();
    void UpdateButtons();

    const TLanguage &FLanguage;
    TDataCollection &FData;
    QString FDirectory;
    TImportResult FResult;
    QLineEdit *FFileEdit;
    QLineEdit *FGroupEdit;
    QCheckBox *FOverwrite;
    QPushButton *FBrowse;
    QPushButton *FPick;
    QPushButton *FOk;
    QPushButton *FCancel;
    QPushButton *FHelp;
};

} // namespace kyr
