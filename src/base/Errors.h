#pragma once

#include <exception>
#include <QString>

// The one error type of the engine and the data layer. It carries the German text that the
// default error box shows to the user.
class BelvantoError : public std::exception
{
public:
    explicit BelvantoError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    { }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Abandons the current action without a further message (the message, if any, was shown already).
class SilentAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "abgebrochen"; }
};
