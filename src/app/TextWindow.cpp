#include "app/TextWindow.h"

#include "widgets/GradientPanel.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QLabel>
#include <QVBoxLayout>

TextWindow::TextWindow(const QString &caption, const QString &text, QWidget *parent)
    : QDialog(parent)
    , LText(new QLabel(text))
    , BSchliessen(TSRColorButton::DialogButton(QStringLiteral("&Schließen"), 80))
{
    setWindowTitle(caption);
    WindowLook::applyToWindow(*this, true);
    LText->setWordWrap(true);
    LText->setTextFormat(Qt::PlainText);
    LText->setMinimumWidth(600);
    LText->setContentsMargins(16, 16, 16, 16);

    auto *bar = TGradientPanel::DialogBar({BSchliessen});
    connect(BSchliessen, &TSRColorButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LText);
    layout->addWidget(bar);
    setFixedSize(sizeHint());
}
