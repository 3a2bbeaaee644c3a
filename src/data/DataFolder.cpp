#include "data/DataFolder.h"

#include "base/Errors.h"
#include "data/DTAConst.h"

#include <filesystem>
#include <QDir>

namespace DataFolder {

namespace {
std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(QDir::cleanPath(QDir::fromNativeSeparators(path)).toStdU16String());
}

bool sameFile(const std::filesystem::path &a, const std::filesystem::path &b)
{
    std::error_code error;
    if (std::filesystem::exists(a, error) && std::filesystem::exists(b, error))
        return std::filesystem::equivalent(a, b, error);
    // Not both there yet: the same place once every link on the way is followed.
    const auto resolvedA = std::filesystem::weakly_canonical(std::filesystem::absolute(a, error), error);
    const auto resolvedB = std::filesystem::weakly_canonical(std::filesystem::absolute(b, error), error);
#ifdef Q_OS_WIN
    return QString::fromStdU16String(resolvedA.u16string())
               .compare(QString::fromStdU16String(resolvedB.u16string()), Qt::CaseInsensitive)
        == 0;
#else
    return resolvedA == resolvedB;
#endif
}
} // namespace

bool isProtectedFile(const QString &target, const QString &dataDirectory)
{
    if (target.isEmpty() || dataDirectory.isEmpty())
        return false;
    const std::filesystem::path written = fsPath(target);
    const QDir folder(dataDirectory);
    for (const QString &name : {DTAConst::kBookingsFile, DTAConst::kPayersFile, DTAConst::kClientsFile,
                                DTAConst::kBankFile, DTAConst::kLockFile}) {
        if (sameFile(written, fsPath(folder.filePath(name))))
            return true;
    }
    return false;
}

void refuseAsTarget(const QString &target, const QString &dataDirectory)
{
    if (isProtectedFile(target, dataDirectory))
        throw BelvantoError(QStringLiteral("„%1“ ist eine Datei des Datenordners „%2“ und darf nicht überschrieben "
                                           "werden. Bitte wählen Sie eine andere Zieldatei.")
                                .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(dataDirectory)));
}

} // namespace DataFolder
