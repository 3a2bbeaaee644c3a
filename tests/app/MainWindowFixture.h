#pragma once

#include "app/MainNeu.h"
#include "support/TestEnvironment.h"
#include "widgets/FileDialogs.h"
#include "widgets/ModalWindows.h"

#include <memory>

// The program's main window on the test's data files, opened as at a start; the modal-window and
// file-choice plans of a test end with it.
class MainWindowFixture : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        module->OpenDataFiles();
        window = std::make_unique<TMainform1>(*module);
        window->show();
    }

    void TearDown() override
    {
        ModalWindows::setHandler({});
        FileDialogs::setNextFileName({});
        window.reset();
        ModuleTest::TearDown();
    }

    std::unique_ptr<TMainform1> window;
    ScriptedMessages messages;
};
