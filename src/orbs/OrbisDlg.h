// TOrbisDlg: the named orb sets. Lists the sets, shows the chosen one as a grid of the fourteen
// aspect points by the nine aspects, saves the grid under a new or an existing user set's name,
// and deletes user sets; the three system sets are shown read-only.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kyr {

class TDataCollection;
class THoroscope;
class TKyrSetup;
class TLanguage;

class TOrbisDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 300;
    /// Longest name of a new set.
    static constexpr int MaxNameLength = 10;

    /// ORBIS and ORBISDEF of the data must be open; data, settings and language outlive the
    /// dialog. The settings' Debug flag "Database" makes the system sets editable.
    TOrbisDlg(TDataCollection &data, const TKyrSetup &setup, const TLanguage &language,
              QWidget *parent = nullptr);

    /// Shows the set name (or zeros when there is none) and runs the dialog modally.
    int Execute(const std::string &name);
    /// The selected set, or empty.
    std::string SelectedName() const;

    /// Lists the sets and shows the current one; what Execute does before showing.
    void Activate();
    /// Fills the list from ORBIS, selecting the set name when it is there.
    void ListSets(const std::string &name);
    /// The set's orbs into the grid; points without a row show zeros.
    void ShowSet(const std::string &name);
    /// The grid as the selected set, or as the set named in the name field.
    void Save();
    /// Takes the selected user set off the list and selects its neighbour; the set is deleted
    /// from the tables on OK, so that Cancel keeps it. The set the charts use is refused with
    /// a message.
    void Delete();
    /// OK: deletes the sets taken off the list, then closes.
    void accept() override;
    /// Shows a message; a message box unless replaced (tests catch it).
    std::function<void(const QString &message)> ShowMessage;
    void Retranslate();

    QTableWidget *Grid() const { return StringGrid1; }
    QListWidget *List() const { return ListBox1; }
    QLineEdit *NameEdit() const { return Edit2; }
    QPushButton *SaveButton() const { return Button1; }
    QPushButton *DeleteButton() const { return Button2; }
    /// Whether the grid takes input now.
    bool GridEditable() const;
    /// The orb of the grid's row point (1..14) and column (1..9) as shown.
    QString Cell(int point, int column) const;
    void SetCell(int point, int column, const QString &text);

signals:
    void HelpRequested(int helpContext);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillHeaders();
    void FillZeros();
    void ListClicked();
    void NameChanged(const QString &text);
    void SetGridEditable(bool editable);
    bool IsSystemSet(const std::string &name) const;
    bool IsDeleted(const std::string &name) const;
    QString HintFor(int row, int column) const;

    TDataCollection &FData;
    const TKyrSetup &FSetup;
    const TLanguage &FLanguage;
    std::string FCurrentName;
    std::vector<bool> FSystem; ///< per list entry
    std::vector<std::string> FDeleted; ///< taken off the list, deleted on OK
    int FHoverColumn = -1;
    int FHoverRow = -1;

    QTableWidget *StringGrid1 = nullptr;
    QPushButton *Button1 = nullptr; ///< save
    QPushButton *Button2 = nullptr; ///< delete
    QPushButton *Button3 = nullptr; ///< OK
    QPushButton *Button4 = nullptr; ///< Cancel
    QPushButton *Button5 = nullptr; ///< Help
    QLineEdit *Edit2 = nullptr;
    QListWidget *ListBox1 = nullptr;
};

/// The "User Defined Orbs" command: the dialog on the settings' orb set; on OK the selected
/// set becomes the settings' OrbisName and goes into every chart given. True on OK. helpRequested,
/// when set, receives the dialog's Help button.
bool ChooseUserOrbs(TKyrSetup &setup, TDataCollection &data, const TLanguage &language,
                    const std::vector<THoroscope *> &charts, QWidget *parent = nullptr,
                    const std::function<void(int)> &helpRequested = {});
/// What ChooseUserOrbs does after OK: OrbisName := the dialog's selection, applied to the
/// charts.
void ApplyChosenOrbs(const TOrbisDlg &dialog, TKyrSetup &setup, TDataCollection &data,
                     const std::vector<THoroscope *> &charts);

} // namespace kyr
