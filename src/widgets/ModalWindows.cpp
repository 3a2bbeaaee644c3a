#include "widgets/ModalWindows.h"

#include <QDialog>

namespace {
std::function<int(QDialog &)> g_modalHandler;
} // namespace

int ModalWindows::exec(QDialog &dialog)
{
    return g_modalHandler ? g_modalHandler(dialog) : dialog.exec();
}

void ModalWindows::setHandler(std::function<int(QDialog &)> handler)
{
    g_modalHandler = std::move(handler);
}
