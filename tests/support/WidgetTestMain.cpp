#include "support/TestProcess.h"
#include "widgets/ModalWindows.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>

int main(int argc, char **argv)
{
    fixTestSurroundings(); // also when the build lists the tests: windows are never drawn on a screen
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Belvanto"));
    // No test may wait for a person: a modal window a test did not plan for is closed at once.
    ModalWindows::setHandler([](QDialog &dialog) {
        ADD_FAILURE() << "unexpected modal window " << dialog.windowTitle().toStdString();
        return int(QDialog::Rejected);
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
