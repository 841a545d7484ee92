// The main window's commands as a user meets them: shortcuts and accelerators, Cascade and the
// help numbers of the menu items, offscreen against the build's program directory.
#include "KyrApplication.h"
#include "MainWindow.h"

#include "ContextHelp.h"
#include "ProgramDirectory.h"
#include "QuickHelpWin.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

using namespace kyr;

namespace {

class MainMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FConfig.isValid());
        SetProgramDirectory(KYR_PROGRAM_DIR "/");
    }
    void TearDown() override {
        FMain.reset();
        SetProgramDirectory("");
    }

    // Started with every child window open.
    TForm_KYR_Main &Start() {
        TSetupEnvironment environment;
        environment.ProgramDirectory = KYR_PROGRAM_DIR "/";
        environment.ConfigDirectory = FConfig.path().toStdString() + "/";
        environment.CanWrite = [](const std::string &) { return false; };
        FMain = std::make_unique<TForm_KYR_Main>(environment);
        FMain->OnInformation = [](const QString &) {};
        EXPECT_TRUE(FMain->StartUp());
        FMain->PostStartUp();
        FMain->SetLoading(false);
        FMain->resize(1200, 800);
        FMain->show();
        for (TChildKind kind : {TChildKind::Wheel, TChildKind::Interpretation,
                                TChildKind::Positions, TChildKind::Cusps, TChildKind::Aspects,
                                TChildKind::Symbols})
            FMain->OpenChild(kind);
        QApplication::processEvents();
        return *FMain;
    }

    QTemporaryDir FConfig;
    std::unique_ptr<TForm_KYR_Main> FMain;
};

// Shortcuts that Qt resolves within the main window.
bool ActsInMainWindow(const QAction *action) {
    return action->shortcutContext() == Qt::WindowShortcut ||
           action->shortcutContext() == Qt::ApplicationShortcut;
}

// The child frame an action belongs to; null for the main window's own.
const QMdiSubWindow *FrameOf(const QObject *o) {
    for (; o; o = o->parent())
        if (auto *sub = qobject_cast<const QMdiSubWindow *>(o))
            return sub;
    return nullptr;
}

// A frame's actions meet the main window's and each other, never another frame's.
TEST_F(MainMenu, NoTwoActionsOfTheMainWindowShareAShortcut) {
    TForm_KYR_Main &main = Start();
    std::map<QString, QString> mainKeys;
    std::map<const QMdiSubWindow *, std::map<QString, QString>> frameKeys;
    const QList<QAction *> actions = main.findChildren<QAction *>();
    auto name = [](const QAction *a) { return a->objectName() + '/' + a->text(); };
    for (QAction *action : actions)
        if (ActsInMainWindow(action) && !FrameOf(action))
            for (const QKeySequence &key : action->shortcuts()) {
                auto [at, added] = mainKeys.emplace(key.toString(), name(action));
                EXPECT_TRUE(added) << key.toString().toStdString() << ": "
                                   << at->second.toStdString() << " and "
                                   << name(action).toStdString();
            }
    for (QAction *action : actions)
        if (ActsInMainWindow(action) && FrameOf(action))
            for (const QKeySequence &key : action->shortcuts()) {
                const QString text = key.toString();
                EXPECT_FALSE(mainKeys.count(text))
                    << text.toStdString() << ": " << mainKeys[text].toStdString() << " and "
                    << name(action).toStdString();
                auto [at, added] = frameKeys[FrameOf(action)].emplace(text, name(action));
                EXPECT_TRUE(added) << text.toStdString() << ": " << at->second.toStdString()
                                   << " and " << name(action).toStdString();
            }
    EXPECT_EQ(mainKeys[QStringLiteral("Ctrl+W")].section('/', 0, 0),
              QStringLiteral("miPrintWheel"));
}

// Every menu, the bar's included, with no accelerator letter twice.
TEST_F(MainMenu, EveryMenuUnderlinesEachLetterOnce) {
    TForm_KYR_Main &main = Start();
    auto check = [](const QString &title, const QList<QAction *> &items) {
        std::map<QChar, QString> letters;
        for (QAction *item : items) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            const QKeySequence mnemonic = QKeySequence::mnemonic(item->text());
            if (mnemonic.isEmpty())
                continue;
            const QChar letter = mnemonic.toString().back().toUpper();
            auto [at, added] = letters.emplace(letter, item->text());
            EXPECT_TRUE(added) << title.toStdString() << ": '" << QString(letter).toStdString()
                               << "' in " << at->second.toStdString() << " and "
                               << item->text().toStdString();
        }
    };
    check(QStringLiteral("menu bar"), main.menuBar()->actions());
    for (QMenu *menu : main.menuBar()->findChildren<QMenu *>())
        check(menu->title(), menu->actions());
    EXPECT_EQ(QKeySequence::mnemonic(main.MenuItem("miSaveAsYourStandard")->text()),
              QKeySequence(Qt::ALT | Qt::Key_S));
}

TEST_F(MainMenu, CascadeAfterTileLeavesUsableWindows) {
    TForm_KYR_Main &main = Start();
    main.MenuItem("miTile")->trigger();
    QApplication::processEvents();
    main.MenuItem("miCascade")->trigger();
    QApplication::processEvents();
    const QRect area = main.MdiArea()->viewport()->rect();
    const QList<QMdiSubWindow *> windows = main.MdiArea()->subWindowList();
    ASSERT_GE(windows.size(), 6);
    for (QMdiSubWindow *sub : windows) {
        EXPECT_TRUE(sub->isVisible());
        EXPECT_GE(sub->width(), area.width() / 2) << sub->windowTitle().toStdString();
        EXPECT_GE(sub->height(), area.height() / 2) << sub->windowTitle().toStdString();
        EXPECT_TRUE(area.contains(sub->geometry())) << sub->windowTitle().toStdString();
    }
    // One title bar apart, not piled on one place.
    EXPECT_NE(windows[0]->pos(), windows[1]->pos());
}

TEST_F(MainMenu, MenuItemsCarryTheNumbersOfTheirHelpTexts) {
    TForm_KYR_Main &main = Start();
    const std::pair<const char *, int> cases[] = {
        {"miFileNew", 100},          {"miCloseName", 104},       {"miPrintWheel", 106},
        {"miImportNames", 111},      {"miExit", 114},            {"smMedium", 123},
        {"smHide", 126},             {"smEqual", 129},           {"smDefineNow", 149},
        {"miSaveAsYourStandard", 153}, {"miSaveOnExit", 154},    {"miAspectGrid", 157},
        {"miCascade", 160},          {"miCloseAllWindows", 166}, {"miUsingHelp", 167},
        {"miAbout", 172},            {"smDefineHere", 188},      {"miLoadKyrStandard", 189},
        {"miEditName", 190},         {"miCopyToClipboard", 191}, {"miDynamicAnalysis", 193},
        {"miSymbolExplanation", 195},
    };
    for (const auto &[name, number] : cases) {
        QAction *item = main.MenuItem(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->property("HelpContext").toInt(), number) << name;
    }
}

// The Save On Exit item keeps its mark: the help came instead of the command.
TEST_F(MainMenu, HelpModeOnAMenuItemShowsItsHelpInsteadOfRunningIt) {
    TForm_KYR_Main &main = Start();
    QAction *item = main.MenuItem("miSaveOnExit");
    QMenu *options = main.MenuItem("mnOptions")->menu();
    const bool before = item->isChecked();
    struct TCase {
        const char *How;
        std::function<void()> Choose;
    };
    const TCase cases[] = {
        {"click",
         [&] {
             QTest::mouseClick(options, Qt::LeftButton, {},
                               options->actionGeometry(item).center());
         }},
        {"Return",
         [&] {
             options->setActiveAction(item);
             QTest::keyClick(options, Qt::Key_Return);
         }},
    };
    for (const TCase &c : cases) {
        main.ContextHelp()->SetHelpMode(true);
        options->popup(main.mapToGlobal(QPoint(20, 20)));
        QApplication::processEvents();
        c.Choose();
        QApplication::processEvents();
        EXPECT_EQ(item->isChecked(), before) << c.How;
        EXPECT_FALSE(options->isVisible()) << c.How;
        EXPECT_FALSE(main.ContextHelp()->HelpMode()) << c.How;
        ASSERT_NE(main.QuickHelp(), nullptr);
        EXPECT_EQ(main.QuickHelp()->HelpNo(), 154) << c.How;
        EXPECT_FALSE(main.QuickHelp()->TextArea()->toPlainText().isEmpty()) << c.How;
    }
}

} // namespace
