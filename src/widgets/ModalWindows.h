#pragma once

#include <functional>

class QDialog;

// Every modal window is shown through here, so that tests can work it without a person.
namespace ModalWindows {
int exec(QDialog &dialog);
// Tests install a handler that fills and closes the dialog and returns its result.
void setHandler(std::function<int(QDialog &)> handler);
} // namespace ModalWindows
