// TAtlasPickDlg: a list of the atlas's states, a state's places, or the time-zone or summer-time
// definitions, with a search field; the atlas dialogs choose names through it unless their owner
// hands them the program's search dialog.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;

namespace kyr {

class TDataCollection;
class TLanguage;

class TAtlasPickDlg : public QDialog {
    Q_OBJECT
public:
    enum TMode { States, Places, Zones, Summers };

    /// The data and the language must outlive the dialog.
    TAtlasPickDlg(TDataCollection &data, const TLanguage &language, QWidget *parent = nullptr);

    /// Fills the list for the mode (Places: the places of state) and shows it modally; the
    /// chosen name, or none on Cancel.
    std::optional<std::string> Pick(TMode mode, const std::string &state = {});

    /// Fills the list without showing the dialog (Pick does it first).
    void Fill(TMode mode, const std::string &state = {});
    QLineEdit *SearchEdit() const { return FSearch; }
    QListWidget *List() const { return FList; }

private:
    /// Selects the first entry that begins with the typed text, in either case.
    void FindTyped(const QString &text);

    TDataCollection &FData;
    const TLanguage &FLanguage;
    QLineEdit *FSearch;
    QListWidget *FList;
    QLabel *FCount;
};

} // namespace kyr
