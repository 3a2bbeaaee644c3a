#include "BankDirectoryImport.h"

#include "DataModule.h"
#include "Errors.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {
constexpr int kMinimumLength = 168;
constexpr int kNameFrom = 9;
constexpr int kNameLength = 58;
} // namespace

BankDirectoryImport BankDirectoryImport::run(const QString &bundesbankFile, const QString &targetFile)
{
    QFile file(bundesbankFile);
    if (!file.open(QIODevice::ReadOnly))
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2.")
                                .arg(QDir::toNativeSeparators(bundesbankFile), file.errorString()));
    BankDirectoryImport result;
    Table directory(QStringLiteral("Bankleitzahlen"));
    directory.setFields(TDataModule1::BankFields());
    directory.setOrder(QStringLiteral("BLZ"), false);
    QSet<QString> seen;
    for (int number = 1; !file.atEnd(); ++number) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QString text = QString::fromLatin1(line);
        const QString code = text.left(8);
        const auto problem = [&](const QString &what) {
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
        directory.setAsString(QStringLiteral("BLZ"), code);
        directory.setAsString(QStringLiteral("Bank"), text.mid(kNameFrom, kNameLength).trimmed());
        directory.post();
    }
    directory.saveToFile(targetFile);
    result.banks = directory.recordCount();
    return result;
}
