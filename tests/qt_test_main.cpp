// GoogleTest main for tests that need a Qt application: headless on the offscreen platform
// unless a platform is chosen explicitly.
#include <cstdlib>
#include <gtest/gtest.h>

#ifdef OHMBRA_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    TestApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
