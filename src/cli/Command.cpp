#include "cli/Command.h"

#include "data/FormatSettings.h"

#include <algorithm>
#include <QCoreApplication>

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

namespace {
const QString kHelpOption = QStringLiteral("help");

QString optionCall(const QCommandLineOption &option)
{
    QString call = QStringLiteral("--") + option.names().constFirst();
    if (!option.valueName().isEmpty())
        call += u' ' + option.valueName();
    return call;
}
} // namespace

Command::Command(Description description)
    : m_description(std::move(description))
{ }

QStringList Command::requiredGroup(const QString &option) const
{
    for (const QString &group : m_description.required) {
        const QStringList names = group.split(u'|');
        if (names.contains(option))
            return names;
    }
    return {};
}

QString Command::usage() const
{
    return usageParts().join(u' ');
}

QStringList Command::usageParts() const
{
    QStringList parts {m_description.name};
    parts += m_description.arguments;
    for (const QCommandLineOption &option : m_description.options) {
        const QString name = option.names().constFirst();
        const QStringList group = requiredGroup(name);
        if (group.isEmpty())
            parts.append(u'[' + optionCall(option) + u']');
        else if (group.size() == 1)
            parts.append(optionCall(option));
        else if (group.constFirst() == name)
            parts.append(QStringLiteral("--") + group.join(QStringLiteral("|--")));
    }
    return parts;
}

QString Command::wrapped(const QStringList &words, int indent)
{
    constexpr qsizetype kWidth = 100;
    QString result;
    qsizetype lineStart = 0;
    for (const QString &word : words) {
        if (result.size() > lineStart && result.size() - lineStart + 1 + word.size() > kWidth) {
            result += u'\n' + QString(indent, u' ');
            lineStart = result.size() - indent;
        } else if (!result.isEmpty()) {
            result += u' ';
        }
        result += word;
    }
    return result;
}

QString Command::help() const
{
    QString text;
    QTextStream stream(&text);
    stream << wrapped(QStringList {QStringLiteral("Aufruf: belvanto-cli")} + usageParts(), 8) << "\n\n"
           << m_description.summary << '\n';
    if (!m_description.details.isEmpty())
        stream << '\n' << m_description.details << '\n';
    if (!m_description.options.isEmpty()) {
        stream << "\nOptionen:\n";
        for (const QCommandLineOption &option : m_description.options) {
            const QString call = optionCall(option);
            stream << "  " << call.leftJustified(24);
            if (call.size() >= 24)
                stream << "\n  " << QString(24, u' ');
            stream << ' ' << option.description() << '\n';
        }
    }
    return text;
}

int Command::usageError(const QString &reason) const
{
    err() << reason << '\n'
          << wrapped(QStringList {QStringLiteral("Aufruf: belvanto-cli")} + usageParts(), 8)
          << "\n(Hilfe: belvanto-cli " << m_description.name << " --help)" << Qt::endl;
    return 2;
}

// QCommandLineParser words its errors in English; the user gets them in German.
QString Command::parseError(const QCommandLineParser &parser, const QStringList &args) const
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        const bool shortForm = name.size() == 1 && !args.contains(QStringLiteral("--") + name);
        return QStringLiteral("Unbekannte Option „%1%2“.")
            .arg(shortForm ? QStringLiteral("-") : QStringLiteral("--"), name);
    }
    if (!args.isEmpty() && args.constLast().startsWith(u'-'))
        return QStringLiteral("Zu „%1“ fehlt der Wert.").arg(args.constLast());
    return QStringLiteral("Die Angaben sind nicht vollständig.");
}

int Command::execute(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOptions(m_description.options);
    parser.addOption(QCommandLineOption(kHelpOption, QStringLiteral("diese Hilfe")));
    if (!parser.parse(QStringList {QCoreApplication::applicationFilePath()} + args))
        return usageError(parseError(parser, args));
    if (parser.isSet(kHelpOption)) {
        out() << help() << Qt::flush;
        return 0;
    }
    const qsizetype given = parser.positionalArguments().size();
    if (given != m_description.arguments.size()) {
        return usageError(given < m_description.arguments.size()
                              ? QStringLiteral("Es fehlt %1.").arg(m_description.arguments.at(given))
                              : QStringLiteral("Zu viele Angaben: „%1“.")
                                    .arg(parser.positionalArguments().at(m_description.arguments.size())));
    }
    if (const QString problem = checkOptions(parser); !problem.isEmpty())
        return usageError(problem);
    return run(parser);
}

const QCommandLineOption *Command::option(const QString &name) const
{
    for (const QCommandLineOption &candidate : m_description.options) {
        if (candidate.names().contains(name))
            return &candidate;
    }
    return nullptr;
}

// A value option given twice would silently lose one value; an empty value counts as not given.
QString Command::checkOptions(const QCommandLineParser &parser) const
{
    for (const QCommandLineOption &candidate : m_description.options) {
        const QString name = candidate.names().constFirst();
        if (!candidate.valueName().isEmpty() && parser.values(name).size() > 1
            && !m_description.repeatable.contains(name))
            return QStringLiteral("Die Option --%1 ist mehrfach angegeben.").arg(name);
    }
    const auto given = [&](const QString &name) {
        const QCommandLineOption *described = option(name);
        return parser.isSet(name) && (!described || described->valueName().isEmpty() || !parser.value(name).isEmpty());
    };
    for (const QString &group : m_description.required) {
        const QStringList names = group.split(u'|');
        const auto set = std::count_if(names.begin(), names.end(), given);
        if (names.size() == 1 && set == 0)
            return QStringLiteral("Es fehlt die Option --%1.").arg(group);
        if (set != 1)
            return QStringLiteral("Bitte genau eine der Optionen --%1 angeben.")
                .arg(names.join(QStringLiteral(", --")));
    }
    return {};
}

QDate Command::dateArgument(const QString &text)
{
    const QDate iso = QDate::fromString(text, Qt::ISODate);
    return iso.isValid() ? iso : FormatSettings::strToDate(text);
}
