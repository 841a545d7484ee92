// The main of the widget and painting tests: a QApplication on the offscreen platform (also when
// a display is at hand, unless QT_QPA_PLATFORM names another, as a look under a virtual X server
// does), drawing with the installed fonts.
#include "TestFonts.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    kyr::test::UseInstalledFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
