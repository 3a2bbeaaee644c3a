#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDate>
#include <QStringList>
#include <QTextStream>

// Standard output and error of the command-line program, UTF-8.
QTextStream &out();
QTextStream &err();

// One command of belvanto-cli: its name ("dtaus write"), arguments, options and help in one place.
// `execute` parses the arguments with QCommandLineParser, answers --help, refuses what does not fit
// with a German usage message (exit code 2) and runs the command. A command reports failures by
// throwing BelvantoError (exit code 1 with the message) or by returning its own exit code.
class Command
{
public:
    struct Description {
        QString name; // "dtaus write"
        QStringList arguments; // positional arguments, all required: {"EINGABE.json", "ZIEL"}
        QString summary; // one line for the program's help
        QString details; // the rest of the command's own help, may be empty
        QList<QCommandLineOption> options;
        QStringList required; // options that must be given; "a|b": exactly one of them
        QStringList repeatable = {}; // options that may be given more than once
        bool paints = false; // draws pages (PDF): needs fonts, so the program starts with Qt Gui
    };

    explicit Command(Description description);
    virtual ~Command() = default;
    Command(const Command &) = delete;
    Command &operator=(const Command &) = delete;

    const QString &name() const { return m_description.name; }
    // The call as the program's help lists it: name, arguments and options.
    QString usage() const;
    const QString &summary() const { return m_description.summary; }
    // Whether this call draws pages; a command may decide by its options.
    virtual bool paints(const QStringList &args) const
    {
        Q_UNUSED(args);
        return m_description.paints;
    }

    int execute(const QStringList &args);

    QStringList usageParts() const;

    // A date given as 2026-12-24 or 24.12.2026; throws the conversion message.
    static QDate dateArgument(const QString &text);

    // Words joined into lines of at most 100 characters, the following lines indented.
    static QString wrapped(const QStringList &words, int indent);

protected:
    virtual int run(const QCommandLineParser &parser) = 0;
    // "Aufruf: …" after the reason, on standard error; returns the exit code 2.
    int usageError(const QString &reason) const;

private:
    QString help() const;
    QStringList requiredGroup(const QString &option) const;
    const QCommandLineOption *option(const QString &name) const;
    QString checkOptions(const QCommandLineParser &parser) const;
    QString parseError(const QCommandLineParser &parser, const QStringList &args) const;

    Description m_description;
};
