#include "support/TestProcess.h"

#include <gtest/gtest.h>
#include <QGuiApplication>

// Tests that draw pages: fonts need Qt Gui, on the offscreen platform.
int main(int argc, char **argv)
{
    fixTestSurroundings();
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
