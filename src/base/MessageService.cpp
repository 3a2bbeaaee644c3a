#include "base/MessageService.h"

#include <QTextStream>

namespace {
class ConsoleMessages : public MessageService
{
public:
    void error(const QString &text) override { print(QStringLiteral("Fehler"), text); }
    void warning(const QString &text) override { print(QStringLiteral("Warnung"), text); }
    void information(const QString &text) override { print(QStringLiteral("Information"), text); }
    Answer ask(const QString &text, Buttons buttons) override
    {
        print(QStringLiteral("Frage"), text);
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo ? Answer::No : Answer::Cancel;
    }

private:
    static void print(const QString &caption, const QString &text)
    {
        QTextStream(stderr) << caption << ": " << QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                            << Qt::endl;
    }
};

MessageService *g_installed = nullptr;
} // namespace

MessageService &MessageService::current()
{
    static ConsoleMessages console;
    return g_installed ? *g_installed : console;
}

void MessageService::install(MessageService *service)
{
    g_installed = service;
}
