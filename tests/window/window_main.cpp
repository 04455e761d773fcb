// The window tests share one QApplication, as the program does.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Headless unless told otherwise, also when ctest only lists the tests.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
