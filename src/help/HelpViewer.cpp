#include "HelpViewer.h"

#include "Translation.h"

#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>

namespace kyr {

namespace {

constexpr int MissingManualText = TextNo(1468);
constexpr int NotFoundText = TextNo(1469);

bool IsManualAddress(const QUrl &url) {
    return url.isRelative() || url.isLocalFile() || url.scheme() == QLatin1String("qrc");
}

} // namespace

THelpViewer::THelpViewer(const TLanguage &language, QString manualFile, QWidget *parent)
    : QWidget(parent, Qt::Window), FLanguage(language), FManualFile(std::move(manualFile)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("KYR Manual"));
    SetTag(this, 1460);

    FBack = TaggedButton(this, 1461, "BackBtn");
    FBack->setText(QStringLiteral("&Back"));
    FForward = TaggedButton(this, 1462, "ForwardBtn");
    FForward->setText(QStringLiteral("&Forward"));
    FHome = TaggedButton(this, 1463, "HomeBtn");
    FHome->setText(QStringLiteral("&Home"));
    FFindLabel = new QLabel(QStringLiteral("F&ind:"), this);
    SetTag(FFindLabel, 1464);
    FFind = new QLineEdit(this);
    FFind->setObjectName(QStringLiteral("FindEdit"));
    FFindLabel->setBuddy(FFind);
    FFindNext = TaggedButton(this, 1465, "FindNextBtn");
    FFindNext->setText(QStringLiteral("Find &Next"));
    FOpenInBrowser = TaggedButton(this, 1466, "OpenInBrowserBtn");
    FOpenInBrowser->setText(QStringLiteral("Open in B&rowser"));

    FBrowser = new QTextBrowser(this);
    FBrowser->setObjectName(QStringLiteral("ManualText"));
    // Links are followed here: pages of the manual in this window, web addresses in the browser.
    FBrowser->setOpenLinks(false);
    FBrowser->setSearchPaths({QFileInfo(FManualFile).absolutePath()});

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(FBack);
    buttons->addWidget(FForward);
    buttons->addWidget(FHome);
    buttons->addSpacing(12);
    buttons->addWidget(FFindLabel);
    buttons->addWidget(FFind, 1);
    buttons->addWidget(FFindNext);
    buttons->addSpacing(12);
    buttons->addWidget(FOpenInBrowser);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(FBrowser, 1);

    connect(FBack, &QPushButton::clicked, FBrowser, &QTextBrowser::backward);
    connect(FForward, &QPushButton::clicked, FBrowser, &QTextBrowser::forward);
    connect(FHome, &QPushButton::clicked, this, [this] { ShowManual(); });
    connect(FFindNext, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(FFind, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    connect(FOpenInBrowser, &QPushButton::clicked, this, [this] { OpenInBrowser(); });
    connect(FBrowser, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) { FollowLink(url); });
    connect(FBrowser, &QTextBrowser::historyChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();

    // Wide enough for the manual's pictures, never wider than the screen.
    QSize size(900, 760);
    if (const QScreen *screen = QApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
    if (FLanguage.Active())
        TranslateForm(FLanguage, this);
}

void THelpViewer::ShowManual(const QString &anchor) {
    if (QFileInfo::exists(FManualFile)) {
        QUrl url = QUrl::fromLocalFile(QFileInfo(FManualFile).absoluteFilePath());
        if (!anchor.isEmpty())
            url.setFragment(anchor);
        FBrowser->setSource(url);
    } else {
        FBrowser->setHtml(QStringLiteral("<p>%1</p>")
                              .arg(Text(MissingManualText,
                                        "The manual %1 is missing. Please install the program "
                                        "again.")
                                       .arg(FManualFile)
                                       .toHtmlEscaped()));
    }
    UpdateButtons();
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void THelpViewer::OpenInBrowser() {
    QUrl url = FBrowser->source();
    if (url.isEmpty())
        url = QUrl::fromLocalFile(QFileInfo(FManualFile).absoluteFilePath());
    if (!OpenInSystemBrowser(url, OnOpenUrl))
        Message(BrowserFailedMessage(FLanguage, url));
}

bool THelpViewer::FindNext() {
    const QString text = FFind->text();
    if (text.isEmpty())
        return false;
    if (FBrowser->find(text))
        return true;
    // Past the last occurrence: once more from the top.
    QTextCursor cursor = FBrowser->textCursor();
    cursor.movePosition(QTextCursor::Start);
    FBrowser->setTextCursor(cursor);
    if (FBrowser->find(text))
        return true;
    Message(Text(NotFoundText, "\"%1\" is not on this page.").arg(text));
    return false;
}

void THelpViewer::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LanguageChange && FLanguage.Active())
        TranslateForm(FLanguage, this);
    QWidget::changeEvent(event);
}

QString THelpViewer::Text(int number, const char *english) const {
    const std::string text = FLanguage.Active() ? FLanguage.GetText(number) : std::string();
    return text.empty() ? QString::fromUtf8(english) : QString::fromStdString(text);
}

void THelpViewer::FollowLink(const QUrl &url) {
    if (!IsManualAddress(url)) {
        if (!OpenInSystemBrowser(url, OnOpenUrl))
            Message(BrowserFailedMessage(FLanguage, url));
        return;
    }
    // A link within the page shown scrolls there and goes into the history like any other.
    FBrowser->setSource(FBrowser->source().resolved(url));
}

void THelpViewer::Message(const QString &text) {
    if (OnMessage)
        OnMessage(text);
    else
        QMessageBox::warning(this, windowTitle(), text);
}

void THelpViewer::UpdateButtons() {
    FBack->setEnabled(FBrowser->isBackwardAvailable());
    FForward->setEnabled(FBrowser->isForwardAvailable());
}

} // namespace kyr
