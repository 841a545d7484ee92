#include "AtlasPickDlg.h"

#include "AtlasFields.h"
#include "DataCollection.h"
#include "IndexScope.h"
#include "Language.h"
#include "Translation.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

TAtlasPickDlg::TAtlasPickDlg(TDataCollection &data, const TLanguage &language, QWidget *parent)
    : QDialog(parent), FData(data), FLanguage(language) {
    auto *layout = new QVBoxLayout(this);
    auto *searchLabel = new QLabel(this);
    SetTag(searchLabel, 509);
    FSearch = new QLineEdit(this);
    searchLabel->setBuddy(FSearch);
    FList = new QListWidget(this);
    FList->setMinimumSize(280, 320);
    FCount = new QLabel(this);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    SetTag(ok, 506);
    SetTag(cancel, 507);
    ok->setDefault(true);
    layout->addWidget(searchLabel);
    layout->addWidget(FSearch);
    layout->addWidget(FList, 1);
    layout->addWidget(FCount);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        // Without a choice the dialog stays open.
        if (FList->currentItem())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FSearch, &QLineEdit::textEdited, this, &TAtlasPickDlg::FindTyped);
    connect(FList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    TranslateForm(FLanguage, this);
}

void TAtlasPickDlg::Fill(TMode mode, const std::string &state) {
    static constexpr int Captions[] = {TextNo(237), TextNo(470), TextNo(518), TextNo(519)};
    static constexpr int Counts[] = {TextNo(520), TextNo(523), TextNo(522), TextNo(521)};
    setWindowTitle(ToQText(FLanguage.GetText(Captions[mode])));
    FList->clear();
    FSearch->clear();
    QStringList names;
    const auto collect = [&names](TKyrTable &table, const char *index, const char *field) {
        TIndexScope scope(table, index);
        for (table.First(); !table.Eof(); table.Next())
            names << ToQText(table.FieldByName(field).AsString());
    };
    switch (mode) {
    case States:
        collect(FData.StatesTable, "", "StateName");
        break;
    case Zones:
        collect(FData.ZoneIdTable, "Zone", "ZoneName");
        break;
    case Summers:
        collect(FData.SummerIdTable, "Summer", "SummerName");
        break;
    case Places: {
        std::string stateId = "0000";
        {
            TIndexScope scope(FData.StatesTable, "");
            if (FData.StatesTable.FindKey({state}))
                stateId = FData.StatesTable.FieldByName("StateID").AsString();
        }
        TKyrTable &places = FData.PlacesTable;
        TIndexScope scope(places, "");
        places.FindNearest({stateId});
        if (!(places.Bof() && places.Eof()))
            for (; !places.Eof() && places.FieldByName("StateID").AsString() == stateId;
                 places.Next())
                names << ToQText(places.FieldByName("PlaceName").AsString());
        break;
    }
    }
    FList->addItems(names);
    if (FList->count() > 0)
        FList->setCurrentRow(0);
    FCount->setText(QString::number(FList->count()) + ToQText(FLanguage.GetText(Counts[mode])));
}

std::optional<std::string> TAtlasPickDlg::Pick(TMode mode, const std::string &state) {
    Fill(mode, state);
    FSearch->setFocus();
    if (exec() != QDialog::Accepted || !FList->currentItem())
        return std::nullopt;
    return FromQText(FList->currentItem()->text());
}

void TAtlasPickDlg::FindTyped(const QString &text) {
    if (text.isEmpty())
        return;
    for (int i = 0; i < FList->count(); ++i)
        if (FList->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            FList->setCurrentRow(i);
            FList->scrollToItem(FList->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
}

} // namespace kyr
