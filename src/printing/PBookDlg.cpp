#include "PBookDlg.h"

#include "BusyCursor.h"
#include "DataCollection.h"
#include "IndexScope.h"
#include "KyrPrinter.h"
#include "KyrTranslation.h"
#include "Language.h"
#include "PrintProgress.h"
#include "Translation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kyr {

std::vector<TBookExcerpt> ListableExcerpts(TDataCollection &data, const TLanguage &language) {
    std::vector<TBookExcerpt> list;
    TKyrTable &books = data.BookTable;
    if (!books.Active())
        return list;
    TBusyScope busy;
    const TKyrTranslation translation(language);
    TIndexScope scope(books, "");
    for (books.First(); !books.IsEmpty() && !books.Eof(); books.Next()) {
        const std::string key =
            books.FieldByName("Book").AsString() + books.FieldByName("Chapter").AsString() + " " +
            books.FieldByName("Code3").AsString() + books.FieldByName("Code4").AsString();
        TBookKey k;
        if (!TKyrTranslation::ParseKey(key, k))
            continue;
        if (k.Chapter < 1 || k.Chapter > 15 || (k.Chapter == 2 && k.Code3 != 1))
            continue;
        try {
            list.push_back({translation.ChapterTitle(k.Book, k.Chapter, k.Code3, k.Code4), key});
        } catch (const ETitleRangeError &) {
            // A record whose codes name nothing cannot be offered by title; the rest still can.
        }
    }
    // Sorted by title as the user reads it; equal titles keep the table's order.
    std::stable_sort(list.begin(), list.end(), [](const TBookExcerpt &a, const TBookExcerpt &b) {
        return QString::fromStdString(a.Title).compare(QString::fromStdString(b.Title),
                                                       Qt::CaseInsensitive) < 0;
    });
    return list;
}

TPBookDlg::TPBookDlg(TKyrPrinter &printer, TKyrSetup &setup, TDataCollection &data,
                     TLanguage &language, QWidget *parent)
    : QDialog(parent), FPrinter(printer), FSetup(setup), FData(data), FLanguage(language) {
    setObjectName(QStringLiteral("PBookDlg"));
    setProperty("HelpContext", HelpContext);
    SetTag(this, 488);

    auto *countCaption = new QLabel(this);
    SetTag(countCaption, 494);
    FCount = new QLabel(this);
    FCount->setObjectName(QStringLiteral("CountLabel"));
    SetTag(FCount, FirstUntranslatedTag);
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("ListBox1"));
    FList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FList->setMinimumSize(420, 360);
    countCaption->setBuddy(FList);

    const auto button = [this](int tag, const char *name) { return TaggedButton(this, tag, name); };
    FPrint = button(493, "PrintBtn");
    FPrint->setDefault(true);
    FCancel = button(492, "CancelBtn");
    FHelp = button(490, "HelpBtn");
    FShow = button(489, "ShowBtn");
    FLayout = button(491, "LayoutBtn");

    auto *countRow = new QHBoxLayout;
    countRow->addWidget(countCaption);
    countRow->addWidget(FCount);
    countRow->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addLayout(countRow);
    left->addWidget(FList, 1);
    auto *buttons = new QVBoxLayout;
    for (auto *b : {FPrint, FCancel, FHelp})
        buttons->addWidget(b);
    buttons->addSpacing(12);
    buttons->addWidget(FShow);
    buttons->addWidget(FLayout);
    buttons->addStretch(1);
    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(FList, &QListWidget::itemSelectionChanged, this,
            [this] { FPrint->setEnabled(!FLoading && !FList->selectedItems().isEmpty()); });
    connect(FList, &QListWidget::itemDoubleClicked, this, &TPBookDlg::ShowClicked);
    connect(FPrint, &QPushButton::clicked, this, &TPBookDlg::PrintClicked);
    connect(FCancel, &QPushButton::clicked, this, &TPBookDlg::reject);
    connect(FHelp, &QPushButton::clicked, this, [this] { emit HelpRequested(HelpContext); });
    connect(FShow, &QPushButton::clicked, this, &TPBookDlg::ShowClicked);
    connect(FLayout, &QPushButton::clicked, this, [this] {
        if (OnPageLayout)
            OnPageLayout();
        else
            ShowPageLayout(FSetup, FPrinter, FLanguage, this,
                           [this](int context) { emit HelpRequested(context); });
    });

    FProgress = new TPrintProgress(printer, setup, data, language, this);
    Retranslate();
}

void TPBookDlg::Retranslate() {
    TranslateForm(FLanguage, this);
}

void TPBookDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Activate();
}

void TPBookDlg::Activate() {
    if (FLoaded) {
        FList->setFocus();
        return;
    }
    if (FLoading)
        return;
    FLoading = true;
    FList->clear();
    FCount->clear();
    SetButtonsEnabled(false);
    FPrint->setEnabled(false);
    // The walk over the book table starts once the dialog is on the screen.
    QTimer::singleShot(0, this, [this] {
        if (FLoading)
            LoadList();
    });
}

void TPBookDlg::LoadList() {
    FLoading = true;
    FList->clear();
    std::vector<TBookExcerpt> list;
    try {
        list = ListableExcerpts(FData, FLanguage);
    } catch (...) {
        FLoading = false;
        SetButtonsEnabled(true);
        throw;
    }
    for (const TBookExcerpt &entry : list) {
        auto *item = new QListWidgetItem(QString::fromStdString(entry.Title), FList);
        item->setData(KeyRole, QString::fromStdString(entry.Key));
    }
    FCount->setText(QString::number(FList->count()));
    FLoaded = true;
    FLoading = false;
    SetButtonsEnabled(true);
    FPrint->setEnabled(false);
    FList->setFocus();
}

void TPBookDlg::LanguageChanged() {
    FLoaded = false;
    Retranslate();
}

void TPBookDlg::SetButtonsEnabled(bool enabled) {
    for (auto *b : {FCancel, FHelp, FShow, FLayout})
        b->setEnabled(enabled);
}

std::vector<TBookExcerpt> TPBookDlg::SelectedExcerpts() const {
    std::vector<TBookExcerpt> list;
    for (int row = 0; row < FList->count(); ++row)
        if (const QListWidgetItem *item = FList->item(row); item->isSelected())
            list.push_back(
                {item->text().toStdString(), item->data(KeyRole).toString().toStdString()});
    return list;
}

void TPBookDlg::ShowClicked() {
    const QListWidgetItem *item = FList->currentItem();
    if (!item || !OnShowPassage) {
        Beep();
        return;
    }
    OnShowPassage(item->text(), item->data(KeyRole).toString().toStdString());
}

void TPBookDlg::PrintClicked() {
    const std::vector<TBookExcerpt> list = SelectedExcerpts();
    if (list.empty()) {
        Beep();
        return;
    }
    int fromPage = 0;
    int toPage = DefaultToPage;
    if (!RunPrintDialog(fromPage, toPage))
        return;
    FPrinter.FromPage = fromPage;
    FPrinter.ToPage = toPage;
    FPrinter.PageLabel = FLanguage.GetText(100);
    FPrinter.DocumentTitle = FLanguage.GetText(498);
    FPrinter.Language = &FLanguage;
    FPrinter.Data = &FData;
    const int result = OnRunJob ? OnRunJob(list) : FProgress->RunBookExcerpts(list);
    if (const QString message = JobOutcomeText(FLanguage, result); !message.isEmpty()) {
        if (OnInformation)
            OnInformation(message);
        else
            QMessageBox::information(this, windowTitle(), message);
    }
    accept();
}

bool TPBookDlg::RunPrintDialog(int &fromPage, int &toPage) {
    if (OnPrintDialog)
        return OnPrintDialog(fromPage, toPage);
    return ChoosePrintRange(FPrinter.Printer(), this, fromPage, toPage);
}

void TPBookDlg::reject() {
    if (!FLoading)
        QDialog::reject();
}

void TPBookDlg::closeEvent(QCloseEvent *event) {
    if (FLoading)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TPBookDlg::Beep() {
    if (OnBeep)
        OnBeep();
    else
        QApplication::beep();
}

} // namespace kyr
