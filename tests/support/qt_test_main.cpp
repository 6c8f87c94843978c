// GoogleTest entry for widget tests: one QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
