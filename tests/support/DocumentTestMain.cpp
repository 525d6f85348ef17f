// GoogleTest's main for the tests of pictures and documents: a Qt GUI application, for its
// fonts, and no widgets.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
