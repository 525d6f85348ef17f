// GoogleTest's main for the tests of the windows: a Qt application that can show them.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
