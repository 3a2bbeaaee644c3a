#include "widgets/MessageBoxes.h"

#include "dtaus/QuennDTA.h"
#include "widgets/ModalWindows.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
// The program's name as the caption of its boxes. It is not the application's display name, which the
// window system would append to the caption of every window.
const QString kCaption = QStringLiteral("Belvanto");

QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString &caption, const QString &text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    QMessageBox box(icon, caption, QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")), buttons,
                    QApplication::activeWindow());
    const std::pair<QMessageBox::StandardButton, const char *> germanTexts[] = {{QMessageBox::Yes, "Ja"},
                                                                                {QMessageBox::No, "Nein"},
                                                                                {QMessageBox::Cancel, "Abbrechen"},
                                                                                {QMessageBox::Ok, "OK"}};
    for (const auto &[button, label] : germanTexts) {
        if (QAbstractButton *b = box.button(button))
            b->setText(QString::fromUtf8(label));
    }
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(ModalWindows::exec(box));
}
} // namespace

void MessageBoxes::error(const QString &text)
{
    show(QMessageBox::Critical, kCaption, text, QMessageBox::Ok);
}

void MessageBoxes::warning(const QString &text)
{
    show(QMessageBox::Warning, kCaption, text, QMessageBox::Ok);
}

void MessageBoxes::information(const QString &text)
{
    show(QMessageBox::Information, kCaption, text, QMessageBox::Ok);
}

MessageService::Answer MessageBoxes::ask(const QString &text, Buttons buttons)
{
    QMessageBox::StandardButtons choice = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo)
        choice = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == Buttons::YesNoCancel)
        choice = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    const auto defaultButton = buttons == Buttons::YesNoDefaultNo ? QMessageBox::No : QMessageBox::NoButton;
    switch (show(QMessageBox::Question, kCaption, text, choice, defaultButton)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return Answer::Cancel;
    }
}

void MessageBoxes::installForProgram()
{
    static MessageBoxes boxes;
    MessageService::install(&boxes);
    // The engine's own boxes carry its captions "Fehler" and "Warnung".
    TQuennBaseDTA::SetMessagePresenter([](const QString &caption, const QString &text) {
        show(QMessageBox::Warning, caption, text, QMessageBox::Ok);
    });
}
