#include "widgets/WindowLook.h"

#include <QWidget>

void WindowLook::applyToWindow(QWidget &window, bool dialog)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kWindowColor);
    palette.setColor(QPalette::Button, kWindowColor);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    if (dialog) {
        window.setWindowFlags((window.windowFlags() | Qt::Tool | Qt::MSWindowsFixedSizeDialogHint)
                              & ~Qt::WindowMaximizeButtonHint);
    }
}
