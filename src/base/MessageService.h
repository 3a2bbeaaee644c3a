#pragma once

#include <QString>

// How the engine, the data layer and the operations reach a person: the windows install message
// boxes, the command line the terminal, tests a recorder that answers as planned.
class MessageService
{
public:
    enum class Answer { Yes, No, Cancel, Ok };
    // YesNoDefaultNo: for questions whose "Ja" gives up data; Enter answers "Nein".
    enum class Buttons { YesNo, YesNoCancel, OkCancel, YesNoDefaultNo };

    virtual ~MessageService() = default;
    virtual void error(const QString &text) = 0;
    virtual void warning(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    virtual Answer ask(const QString &text, Buttons buttons) = 0;

    // The service in force; without an installed one, messages go to standard error and questions
    // are answered "Nein" or "Abbrechen".
    static MessageService &current();
    static void install(MessageService *service);
};
