#include <gtest/gtest.h>

#ifdef KIV_TEST_GUI
#include <QApplication>
using App = QApplication;
#else
#include <QCoreApplication>
using App = QCoreApplication;
#endif

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
#ifdef KIV_TEST_GUI
    // Widget tests draw offscreen unless told otherwise (tests of real windows set a display).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    App app(argc, argv);
    return RUN_ALL_TESTS();
}
