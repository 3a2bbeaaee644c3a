#pragma once

#include "base/MessageService.h"

#include <QString>

// Message boxes with German buttons for the program's messages, and the engine's messages too.
class MessageBoxes : public MessageService
{
public:
    void error(const QString &text) override;
    void warning(const QString &text) override;
    void information(const QString &text) override;
    Answer ask(const QString &text, Buttons buttons) override;

    // Installs the boxes for the data layer and the DTAUS engine.
    static void installForProgram();
};
