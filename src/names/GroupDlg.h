// TGroupDlg: collects the persons of a printout. Persons come from every stored name or from
// one group; the chosen ones stay in the printout list between uses.
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kyr {

class TDataCollection;
class TLanguage;

class TGroupDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 400;

    /// The data and the language must outlive the dialog.
    TGroupDlg(TDataCollection &data, const TLanguage &language, QWidget *parent = nullptr);

    /// The persons of the printout list; names are empty for i outside 0..count - 1.
    int SelectedCount() const;
    QString SelectedFirstName(int i) const;
    QString SelectedLastName(int i) const;

    /// Every person, or the members of the group chosen in the filter.
    void FillSource();
    /// The filter: every name, then each group; the chosen group stays chosen when it still
    /// exists.
    void FillFilter();
    /// Add: the selected persons go to the printout list.
    void AddClicked();
    /// Remove: the selected person leaves the printout list.
    void RemoveClicked();

    QComboBox *GroupFilter() const { return FFilter; }
    QListWidget *SourceList() const { return FSource; }
    QListWidget *PrintList() const { return FPrint; }
    QPushButton *AddButton() const { return FAdd; }
    QPushButton *RemoveButton() const { return FRemove; }
    QPushButton *OkButton() const { return FOk; }

    void Retranslate();

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;

private:
    static QListWidgetItem *PersonItem(const QString &first, const QString &last);
    void UpdateRemove();

    TDataCollection &FData;
    const TLanguage &FLanguage;
    QComboBox *FFilter = nullptr;
    QListWidget *FSource = nullptr;
    QListWidget *FPrint = nullptr;
    QPushButton *FAdd = nullptr, *FRemove = nullptr, *FOk = nullptr, *FCancel = nullptr,
                *FHelp = nullptr;
};

} // namespace kyr
