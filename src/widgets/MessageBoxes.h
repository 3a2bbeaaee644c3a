#pragma once

#include "base/MessageService.h"

#include <functional>
#include <QString>

class QDialog;
class QWidget;

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

// Every modal window is shown through here, so that tests can work it without a person.
namespace ModalWindows {
int exec(QDialog &dialog);
// Tests install a handler that fills and closes the dialog and returns its result.
void setHandler(std::function<int(QDialog &)> handler);
} // namespace ModalWindows

// The file dialogs of the program; tests give the name a person would choose.
namespace FileDialogs {
QString getOpenFileName(QWidget *parent, const QString &directory = {});
QString getSaveFileName(QWidget *parent, const QString &fileName, const QString &filter);
void setNextFileName(std::function<QString()> chooser);
} // namespace FileDialogs
