#include "entry/AccountWarning.h"

#include "ops/AccountCheck.h"

#include <algorithm>
#include <QHBoxLayout>
#include <QLineEdit>

namespace {
struct Note {
    QString text;
    QString hint;
    const char *colour;
};

Note noteFor(AccountCheck::Result result)
{
    const QString stillSaved = QStringLiteral(" Speichern ist trotzdem möglich.");
    switch (result) {
    case AccountCheck::Result::Failed:
        return {QStringLiteral("Prüfziffer passt nicht zur BLZ"),
                QStringLiteral("Die Kontonummer besteht die Prüfziffernprüfung der Bank mit dieser Bankleitzahl "
                               "nicht. Bitte Kontonummer und BLZ prüfen.")
                    + stillSaved,
                "#b3261e"};
    case AccountCheck::Result::IbanFailed:
        return {QStringLiteral("IBAN-Prüfziffer stimmt nicht"),
                QStringLiteral("Die Prüfziffer der IBAN passt nicht zu ihren übrigen Stellen. Bitte die IBAN prüfen.")
                    + stillSaved,
                "#b3261e"};
    case AccountCheck::Result::BankUnknown:
        // Mild: the bank data may simply not know a bank that exists; the person is told, not warned.
        return {QStringLiteral("Konto nicht prüfbar"),
                QStringLiteral("Diese Bankleitzahl steht nicht in den Prüfdaten der Banken; die Kontonummer wurde "
                               "nicht geprüft."),
                "#6b6b6b"};
    default: return {QString(), QString(), "black"};
    }
}
} // namespace

AccountWarning::AccountWarning(QLineEdit &kontonummer, QLineEdit &blz)
    : m_kontonummer(kontonummer)
    , m_blz(blz)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    for (QLineEdit *edit : {&kontonummer, &blz})
        connect(edit, &QLineEdit::textChanged, this, [this] { refresh(); });
}

QWidget *AccountWarning::besideAccount()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&m_kontonummer, 1);
    layout->addWidget(this);
    return row;
}

QSize AccountWarning::sizeHint() const
{
    // Room for the longest note in the window's font, whether one shows or not.
    int width = 0;
    for (auto result :
         {AccountCheck::Result::Failed, AccountCheck::Result::IbanFailed, AccountCheck::Result::BankUnknown})
        width = std::max(width, fontMetrics().horizontalAdvance(noteFor(result).text));
    return {width + 4, fontMetrics().height()};
}

void AccountWarning::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    refresh();
}

void AccountWarning::refresh()
{
    // While the window is closed the boxes follow the records unseen; the check waits for the window,
    // so the bank data is read only when an editor opens.
    if (!isVisible())
        return;
    const Note note = noteFor(AccountCheck::shared().check(m_kontonummer.text(), m_blz.text()));
    setText(note.text);
    setToolTip(note.hint);
    setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(note.colour)));
}
