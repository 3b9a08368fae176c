// The main of the GUI test programs: one Qt application for all tests, offscreen unless a
// platform is set.
#include <cstdlib>

#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
