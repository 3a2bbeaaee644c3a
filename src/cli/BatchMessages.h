#pragma once

#include "base/MessageService.h"

// Batch use: messages go to standard error with plain line feeds. A run's confirmation (OK or
// Abbrechen) is answered OK; a yes/no question is answered "Ja" only when the option that allows it
// was given, and the answer is printed with the question.
class BatchMessages : public MessageService
{
public:
    explicit BatchMessages(QString yesOption = {}, bool yes = false);
    ~BatchMessages() override;
    void error(const QString &text) override;
    void warning(const QString &text) override { error(text); }
    void information(const QString &text) override { error(text); }
    Answer ask(const QString &text, Buttons buttons) override;

    // A message text as a terminal shows it: CR LF of the message boxes become line feeds.
    static QString forTerminal(const QString &text);

private:
    QString m_yesOption;
    bool m_yes;
};
