// The rendering tests paint with Qt: a QApplication on the offscreen platform first.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    // Also when the test is listed for discovery, which runs without CTest's environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
