// The main of the tests that run the program's own application object: offscreen, on a screen of
// a desktop's size rather than the offscreen default of 800 x 800, which is narrower than the main
// window can be (window places are held to the screen), drawing with the installed fonts.
#include "../language/TestFonts.h"
#include "KyrApplication.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    QTemporaryDir screenDir;
    const QString screenFile = screenDir.filePath(QStringLiteral("screen.json"));
    QFile screen(screenFile);
    if (screen.open(QIODevice::WriteOnly))
        screen.write(R"({"screens": [{"name": "desk", "x": 0, "y": 0, "width": 1600,
                         "height": 1000, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screen.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screenFile).toLocal8Bit());
    kyr::TKyrApplication application(argc, argv);
    kyr::test::UseInstalledFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
