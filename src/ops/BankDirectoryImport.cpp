#include "ops/BankDirectoryImport.h"

#include "base/Errors.h"
#include "base/FileAccess.h"
#include "data/DataModule.h"
#include "data/Names.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {
constexpr int kMinimumLength = 168;
constexpr int kNameFrom = 9;
constexpr int kNameLength = 58;
constexpr int kBicFrom = 139;
constexpr int kBicLength = 11;
constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;
constexpr int kListedProblems = 20;
} // namespace

BankDirectoryImport BankDirectoryImport::run(const QString &bundesbankFile, const QString &targetFile)
{
    QFile file(bundesbankFile);
    FileAccess::openForReading(file, kMaxFileSize);
    BankDirectoryImport result;
    Table directory(QStringLiteral("Bankleitzahlen"));
    directory.setFields(TDataModule1::BankFields());
    directory.setOrder(BankDirectory::BLZ, false);
    QSet<QString> seen;
    for (int number = 1; !file.atEnd(); ++number) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QString text = QString::fromLatin1(line);
        const QString code = text.left(8);
        const auto problem = [&](const QString &what) {
            if (result.badLines++ == 0)
                result.firstBadLine = number;
            if (result.problems.size() < kListedProblems)
                result.problems.append(QStringLiteral("Zeile %1: %2").arg(number).arg(what));
        };
        if (text.isEmpty())
            continue;
        if (text.size() < kMinimumLength) {
            problem(QStringLiteral("zu kurz (%1 statt mindestens %2 Zeichen)").arg(text.size()).arg(kMinimumLength));
            continue;
        }
        if (!std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
            problem(QStringLiteral("„%1“ ist keine Bankleitzahl").arg(code));
            continue;
        }
        const QChar flag = text.at(8);
        if (flag != u'1' && flag != u'2') {
            problem(QStringLiteral("unbekanntes Merkmal „%1“").arg(flag));
            continue;
        }
        if (flag != u'1' || seen.contains(code))
            continue;
        seen.insert(code);
        directory.insert();
        directory.setAsString(BankDirectory::BLZ, code);
        directory.setAsString(BankDirectory::Bank, text.mid(kNameFrom, kNameLength).trimmed());
        directory.setAsString(BankDirectory::BIC, text.mid(kBicFrom, kBicLength).trimmed());
        directory.post();
    }
    // An empty directory would replace the banks of the one in use without a word.
    if (directory.recordCount() == 0)
        throw BelvantoError(QStringLiteral("Die Datei „%1“ ist keine Bankleitzahlendatei der Deutschen Bundesbank: sie "
                                           "enthält keine gültige Zeile mit einer Bank%2. „%3“ bleibt unverändert.")
                                .arg(QDir::toNativeSeparators(bundesbankFile),
                                     result.badLines > 0 ? QStringLiteral(" (%1)").arg(result.summary()) : QString(),
                                     QDir::toNativeSeparators(targetFile)));
    directory.saveToFile(targetFile);
    result.banks = directory.recordCount();
    return result;
}

QString BankDirectoryImport::summary() const
{
    if (badLines == 0)
        return {};
    return QStringLiteral("%1 Zeilen passen nicht zum Format der Bankleitzahlendatei, die erste ist Zeile %2")
        .arg(badLines)
        .arg(firstBadLine);
}
