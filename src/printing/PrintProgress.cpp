#include "PrintProgress.h"

#include "KyrPrinter.h"
#include "KyrSetup.h"
#include "Language.h"
#include "PageDlg.h"
#include "Translation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace kyr {

bool ChoosePrintRange(QPrinter *printer, QWidget *parent, int &fromPage, int &toPage) {
    if (!printer)
        return false;
    printer->setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer->printRange() == QPrinter::PageRange) {
        fromPage = printer->fromPage();
        toPage = printer->toPage();
    }
    return true;
}

void ShowPrinterOptions(QPrinter *printer, QWidget *parent) {
    if (!printer)
        return;
    QPrintDialog dialog(printer, parent);
    dialog.exec();
}

void ShowPageLayout(TKyrSetup &setup, TKyrPrinter &printer, const TLanguage &language,
                    QWidget *parent, const std::function<void(int)> &help) {
    TPageDlg dialog(setup, printer, language, parent);
    if (help)
        QObject::connect(&dialog, &TPageDlg::HelpRequested, parent, help);
    dialog.Execute();
}

TPrintProgress::TPrintProgress(TKyrPrinter &printer, const TKyrSetup &setup, TDataCollection &data,
                               const TLanguage &language, QWidget *parent)
    : QDialog(parent), FPrinter(printer), FSetup(setup), FData(data), FLanguage(language) {
    setObjectName(QStringLiteral("PrintProgress"));
    setProperty("HelpContext", HelpContext);
    SetTag(this, 102);
    setWindowFlag(Qt::WindowCloseButtonHint, false);

    FMessage = new QLabel(this);
    FMessage->setObjectName(QStringLiteral("MessageLabel"));
    FMessage->setMinimumWidth(300);
    FPrinterLabel = new QLabel(this);
    FPrinterLabel->setObjectName(QStringLiteral("PrinterLabel"));
    // Tags 2000 and above keep the texts the dialog writes into the labels.
    SetTag(FMessage, FirstUntranslatedTag);
    SetTag(FPrinterLabel, FirstUntranslatedTag);
    FCancelButton = new QPushButton(this);
    FCancelButton->setObjectName(QStringLiteral("CancelBtn"));
    SetTag(FCancelButton, 507);
    FCancelButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(FCancelButton);
    buttons->addStretch(1);
    auto *top = new QVBoxLayout(this);
    top->addWidget(FPrinterLabel);
    top->addWidget(FMessage);
    top->addSpacing(8);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(FCancelButton, &QPushButton::clicked, this, &TPrintProgress::CancelClicked);
    Retranslate();
}

TPrintProgress::~TPrintProgress() {
    // The printer outlives the dialog: it must not call into it afterwards.
    FPrinter.Feedback = {};
}

void TPrintProgress::Retranslate() {
    TranslateForm(FLanguage, this);
}

int TPrintProgress::RunInterpretation() {
    // The wheel page as the user laid it out, with the orb set in use.
    const TWheelPageSettings wheelPage{FSetup.PrintOptions, FSetup.System.OrbisName};
    return Run([this, wheelPage] { return PrintInterpretationJob(FPrinter, FData, wheelPage); });
}

QString JobOutcomeText(const TLanguage &language, int result) {
    if (result == TPrintProgress::mrOk)
        return QString::fromStdString(language.GetText(694));
    if (result == TPrintProgress::mrFailed)
        return QString::fromStdString(language.GetText(1338));
    return {};
}

int TPrintProgress::RunBookExcerpts(const std::vector<TBookExcerpt> &list) {
    return Run([this, list] { return PrintBookExcerpts(FPrinter, FData, list); });
}

int TPrintProgress::Run(std::function<bool()> job) {
    FJob = std::move(job);
    SetTag(this, 102);
    Retranslate();
    return exec();
}

void TPrintProgress::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous() || !FJob)
        return;
    FPending = true;
    FRunning = true;
    FCancelled = false;
    setWindowTitle(QString::fromStdString(FLanguage.GetText(102)));
    FCancelButton->setEnabled(true);
    FMessage->clear();
    std::string name;
    FPrinter.PrinterName(name);
    FPrinterLabel->setText(QString::fromStdString(FLanguage.GetText(710) + name));
    // The job starts once the dialog is on the screen and the event loop is idle.
    QTimer::singleShot(0, this, &TPrintProgress::StartJob);
}

void TPrintProgress::ConnectFeedback() {
    FPrinter.Feedback.ShowStatus = [this](const QString &text) { FMessage->setText(text); };
    FPrinter.Feedback.ShowPage = [this](const QString &text) { FMessage->setText(text); };
    FPrinter.Feedback.Cancelled = [this] { return FCancelled; };
}

void TPrintProgress::StartJob() {
    if (!FPending)
        return;
    // The page range is the starting dialog's choice; the page settings come from the settings.
    const int fromPage = FPrinter.FromPage;
    const int toPage = FPrinter.ToPage;
    FPrinter.LoadSettings(FSetup);
    FPrinter.FromPage = fromPage;
    FPrinter.ToPage = toPage;
    ConnectFeedback();
    bool finished = false;
    QString error;
    try {
        finished = FJob();
    } catch (const std::exception &e) {
        error = QString::fromStdString(e.what());
    }
    FPrinter.Feedback = {};
    FRunning = false;
    FPending = false;
    FJob = nullptr;
    if (!error.isEmpty()) {
        if (OnError)
            OnError(error);
        else
            QMessageBox::warning(this, windowTitle(), error);
    }
    done(FCancelled ? mrCancel : finished ? mrOk : mrFailed);
}

void TPrintProgress::CancelClicked() {
    if (!FRunning) {
        done(mrCancel);
        return;
    }
    if (FCancelled)
        return;
    FMessage->setText(QString::fromStdString(FLanguage.GetText(371)));
    if (OnBeep)
        OnBeep();
    else
        QApplication::beep();
    FCancelButton->setEnabled(false);
    FCancelled = true;
}

void TPrintProgress::reject() {
    // Escape must not end the dialog under a running job; it asks the job to stop instead.
    if (FRunning)
        CancelClicked();
    else
        done(mrCancel);
}

void TPrintProgress::closeEvent(QCloseEvent *event) {
    if (FRunning)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace kyr
