// The print dialogs' tests run on the offscreen platform unless another is named (a look at the
// dialogs under a virtual X server sets QT_QPA_PLATFORM=xcb).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
