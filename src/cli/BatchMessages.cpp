#include "cli/BatchMessages.h"

#include "cli/Command.h"

BatchMessages::BatchMessages(QString yesOption, bool yes)
    : m_yesOption(std::move(yesOption))
    , m_yes(yes)
{
    MessageService::install(this);
}

BatchMessages::~BatchMessages()
{
    MessageService::install(nullptr);
}

void BatchMessages::error(const QString &text)
{
    err() << forTerminal(text) << Qt::endl;
}

MessageService::Answer BatchMessages::ask(const QString &text, Buttons buttons)
{
    if (buttons == Buttons::OkCancel)
        return Answer::Ok;
    if (m_yes) {
        error(text + QStringLiteral(" Ja (%1)").arg(m_yesOption));
        return Answer::Yes;
    }
    error(m_yesOption.isEmpty() ? text + QStringLiteral(" Nein")
                                : text + QStringLiteral(" Nein (Ja mit %1)").arg(m_yesOption));
    return Answer::No;
}

QString BatchMessages::forTerminal(const QString &text)
{
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}
