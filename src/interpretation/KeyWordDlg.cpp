#include "KeyWordDlg.h"

#include "DataCollection.h"
#include "IndexScope.h"
#include "KeyWordWindow.h"
#include "Language.h"
#include "QuickHelpWin.h"
#include "Translation.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include <sstream>

namespace kyr {

TKeyWordDlg::TKeyWordDlg(const TLanguage &language, TDataCollection &data, QWidget *parent)
    : QDialog(parent), FLanguage(language), FData(data), FList(new QListWidget(this)),
      FLabel(new QLabel(this)), FPopup(new TKeyWordWindow(this)) {
    setObjectName(QStringLiteral("KeyWordDlg"));
    SetTag(this, CaptionText);
    setWindowTitle(QStringLiteral("Search For Help On..."));
    setProperty("HelpContext", OwnHelpContext);
    setFixedSize(253, 331);

    FList->setObjectName(QStringLiteral("ListBox1"));
    FList->setProperty("HelpContext", ListHelpContext);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FLabel->setObjectName(QStringLiteral("Label1"));
    FLabel->setAlignment(Qt::AlignCenter);
    FLabel->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FList, 1);
    layout->addWidget(FLabel);

    // A click, or the arrow keys moving the selection.
    connect(FList, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    connect(FList, &QListWidget::currentRowChanged, this, [this] {
        if (!FFilling && FList->hasFocus() && !(QApplication::mouseButtons() & Qt::LeftButton))
            ListBox1Click();
    });

    FPopup->PopupWidth = 250;
    TranslateForm(FLanguage, this);
}

TKeyWordDlg::~TKeyWordDlg() {
    FPopup->HideWhenApplicationInactive(false);
    FPopup->HidePopup();
}

void TKeyWordDlg::FillList() {
    FFilling = true;
    FList->clear();
    FHelpNos.clear();
    TKyrTable &keywords = FData.KeywordTable;
    if (keywords.Active()) {
        const TIndexScope primary(keywords, "");
        for (keywords.First(); !keywords.Eof(); keywords.Next()) {
            FList->addItem(QString::fromStdString(keywords.FieldByName("KeyWord").AsString()));
            FHelpNos.push_back(static_cast<int>(keywords.FieldByName("HelpNo").AsInteger()));
        }
    }
    FLabel->setText(QString::fromStdString(FLanguage.GetText(CountText)) +
                    QString::number(FList->count()));
    FList->setCurrentRow(-1);
    FList->clearSelection();
    FFilling = false;
}

void TKeyWordDlg::ListBox1Click() {
    const QList<QListWidgetItem *> selected = FList->selectedItems();
    if (selected.isEmpty())
        return;
    const int line = FList->row(selected.first());
    if (line < 0 || line >= static_cast<int>(FHelpNos.size()))
        return;
    std::string text;
    if (!FindHelpText(FData, FHelpNos[line], text)) {
        FPopup->HidePopup();
        return;
    }
    // The note shows plain text only: a rich text's words, not its markup.
    if (IsRichHelpText(text))
        text = QTextDocumentFragment::fromHtml(QString::fromStdString(text))
                   .toPlainText()
                   .toStdString();
    FPopup->PopupX = FList->mapToGlobal(QPoint(FList->width(), 0)).x() - 10;
    FPopup->PopupY = QCursor::pos().y() - 10;
    const std::stringstream stream(text);
    FPopup->ShowStream(&stream);
}

void TKeyWordDlg::showEvent(QShowEvent *event) {
    FillList();
    QDialog::showEvent(event);
    // Centred on the screen.
    if (QScreen *s = screen())
        move(s->geometry().center() - rect().center());
}

void TKeyWordDlg::changeEvent(QEvent *event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            FPopup->HideWhenApplicationInactive(true);
        } else {
            FPopup->HideWhenApplicationInactive(false);
            FPopup->HidePopup();
        }
    }
    QDialog::changeEvent(event);
}

} // namespace kyr
