// The manual's window over the manual the build delivers, offscreen: it opens the start page of
// the program directory with its pictures, follows links inside the manual with history, hands
// web addresses and the page to the desktop's browser and reports when that fails.
#include "HelpViewer.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <fstream>

using namespace kyr;

namespace {

const QString ManualFile = QStringLiteral(KYR_PROGRAM_DIR "/Manual/Manual.htm");

class HelpViewer : public ::testing::Test {
protected:
    void SetUp() override {
        FViewer = std::make_unique<THelpViewer>(FLanguage, ManualFile);
        FViewer->OnMessage = [this](const QString &text) { FMessages.push_back(text); };
        FViewer->OnOpenUrl = [this](const QUrl &url) {
            FOpened.push_back(url);
            return FBrowserStarts;
        };
    }

    QPushButton *Button(const char *name) const {
        return FViewer->findChild<QPushButton *>(QLatin1String(name));
    }

    // Clicks the first link whose address is href, where the page shows it.
    void ClickLink(const QString &href) {
        QTextBrowser *browser = FViewer->Browser();
        QTextDocument *document = browser->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.charFormat().anchorHref() != href)
                    continue;
                QTextCursor cursor(document);
                cursor.setPosition(fragment.position() + fragment.length() / 2);
                browser->ensureCursorVisible();
                browser->setTextCursor(cursor);
                browser->ensureCursorVisible();
                const QPoint at = browser->cursorRect(cursor).center();
                QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
                QApplication::processEvents();
                return;
            }
        ADD_FAILURE() << "no link to " << href.toStdString();
    }

    TLanguage FLanguage;
    std::unique_ptr<THelpViewer> FViewer;
    std::vector<QString> FMessages;
    std::vector<QUrl> FOpened;
    bool FBrowserStarts = true;
};

TEST_F(HelpViewer, OpensTheManualOfTheProgramDirectoryWithItsPictures) {
    ASSERT_TRUE(QFileInfo::exists(ManualFile));
    FViewer->ShowManual();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FViewer.get()));
    QTextBrowser *browser = FViewer->Browser();
    EXPECT_EQ(QUrl::fromLocalFile(QFileInfo(ManualFile).absoluteFilePath()), browser->source());
    EXPECT_EQ(QStringLiteral("KYR – User Manual"), browser->documentTitle());
    // Every picture the page names is loaded from the manual's folder.
    int pictures = 0;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                const QVariant image =
                    browser->loadResource(QTextDocument::ImageResource, QUrl(name));
                EXPECT_TRUE(image.isValid()) << name.toStdString();
                ++pictures;
            }
    EXPECT_GT(pictures, 0);
    EXPECT_TRUE(FMessages.empty());
}

TEST_F(HelpViewer, FollowsALinkInsideTheManualAndGoesBackAndHome) {
    FViewer->ShowManual();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FViewer.get()));
    QTextBrowser *browser = FViewer->Browser();
    EXPECT_FALSE(Button("BackBtn")->isEnabled());
    ClickLink(QStringLiteral("#persons"));
    EXPECT_EQ(QStringLiteral("persons"), browser->source().fragment());
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(FOpened.empty()) << "a page of the manual went to the browser";
    ASSERT_TRUE(Button("BackBtn")->isEnabled());
    QTest::mouseClick(Button("BackBtn"), Qt::LeftButton);
    EXPECT_TRUE(browser->source().fragment().isEmpty());
    EXPECT_TRUE(Button("ForwardBtn")->isEnabled());
    QTest::mouseClick(Button("ForwardBtn"), Qt::LeftButton);
    EXPECT_EQ(QStringLiteral("persons"), browser->source().fragment());
    QTest::mouseClick(Button("HomeBtn"), Qt::LeftButton);
    EXPECT_TRUE(browser->source().fragment().isEmpty());
    EXPECT_EQ(0, browser->verticalScrollBar()->value());
}

TEST_F(HelpViewer, OpensAtTheContents) {
    FViewer->ShowManual(QLatin1String(THelpViewer::ContentsAnchor));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FViewer.get()));
    EXPECT_EQ(QStringLiteral("contents"), FViewer->Browser()->source().fragment());
    // The anchor exists: the page scrolled to it.
    EXPECT_GT(FViewer->Browser()->verticalScrollBar()->value(), 0);
}

TEST_F(HelpViewer, HandsThePageToTheBrowserAndSaysWhenTheBrowserFails) {
    FViewer->ShowManual();
    QTest::mouseClick(Button("OpenInBrowserBtn"), Qt::LeftButton);
    ASSERT_EQ(1u, FOpened.size());
    EXPECT_EQ(QFileInfo(ManualFile).absoluteFilePath(), FOpened[0].toLocalFile());
    EXPECT_TRUE(FMessages.empty());

    FBrowserStarts = false;
    QTest::mouseClick(Button("OpenInBrowserBtn"), Qt::LeftButton);
    ASSERT_EQ(1u, FMessages.size());
    EXPECT_TRUE(FMessages[0].contains(QFileInfo(ManualFile).absoluteFilePath()))
        << FMessages[0].toStdString();
}

TEST_F(HelpViewer, AWebLinkGoesToTheBrowserAndTheManualStays) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString page = folder.filePath("Manual.htm");
    std::ofstream(page.toStdString())
        << "<html><body><p><a href=\"https://example.org/kyr\">site</a></p></body></html>";
    THelpViewer viewer(FLanguage, page);
    viewer.OnMessage = FViewer->OnMessage;
    viewer.OnOpenUrl = FViewer->OnOpenUrl;
    FBrowserStarts = false;
    viewer.ShowManual();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    // Click the only link of the page.
    QTextBrowser *browser = viewer.Browser();
    QTextCursor cursor(browser->document());
    cursor.setPosition(2);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
    QApplication::processEvents();
    ASSERT_EQ(1u, FOpened.size());
    EXPECT_EQ(QUrl(QStringLiteral("https://example.org/kyr")), FOpened[0]);
    EXPECT_EQ(QUrl::fromLocalFile(page), browser->source());
    ASSERT_EQ(1u, FMessages.size());
    EXPECT_TRUE(FMessages[0].contains(QStringLiteral("https://example.org/kyr")));
}

TEST_F(HelpViewer, AMissingManualIsNamedInTheWindow) {
    THelpViewer viewer(FLanguage, QStringLiteral("/nowhere/Manual/Manual.htm"));
    viewer.ShowManual();
    EXPECT_TRUE(viewer.Browser()->toPlainText().contains(QStringLiteral("/nowhere/Manual/Manual.htm")));
}

TEST_F(HelpViewer, FindGoesThroughThePageAndAroundToTheTop) {
    FViewer->ShowManual();
    FViewer->FindField()->setText(QStringLiteral("Troubleshooting"));
    ASSERT_TRUE(FViewer->FindNext());
    const int first = FViewer->Browser()->textCursor().position();
    ASSERT_TRUE(FViewer->FindNext());
    EXPECT_GT(FViewer->Browser()->textCursor().position(), first);
    // After the last one it starts again from the top.
    int guard = 0;
    while (FViewer->Browser()->textCursor().position() > first && ++guard < 50)
        ASSERT_TRUE(FViewer->FindNext());
    EXPECT_EQ(first, FViewer->Browser()->textCursor().position());
    EXPECT_TRUE(FMessages.empty());
    FViewer->FindField()->setText(QStringLiteral("no such words in the manual"));
    EXPECT_FALSE(FViewer->FindNext());
    EXPECT_EQ(1u, FMessages.size());
}

} // namespace
