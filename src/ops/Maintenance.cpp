#include "ops/Maintenance.h"

#include "base/Errors.h"
#include "data/DataFolder.h"
#include "data/DataModule.h"
#include "data/DataPacket.h"
#include "data/DTAConst.h"
#include "data/FormatSettings.h"

#include <QDir>
#include <QFileInfo>

namespace Maintenance {
namespace {
const QStringList kFiles {DTAConst::kBookingsFile, DTAConst::kPayersFile, DTAConst::kClientsFile};

QList<Table *> dataTables(TDataModule1 &data)
{
    return {data.ClientDataSet1, data.ClientDataSet2, data.ClientDataSet3};
}

bool isDataFolder(const TDataModule1 &data, const QString &folder)
{
    const QString chosen = QFileInfo(folder).canonicalFilePath();
    return !chosen.isEmpty() && chosen == QFileInfo(data.DataDirectory()).canonicalFilePath();
}
} // namespace

QString CompleteFolder(const QString &folder)
{
    if (folder.endsWith(u'\\') || folder.endsWith(u'/'))
        return folder;
    return folder + QDir::separator();
}

void Backup(TDataModule1 &data, const QString &folder)
{
    const QString complete = CompleteFolder(folder);
    if (!QFileInfo(complete).isDir())
        throw BelvantoError(QStringLiteral("Der Ordner „%1“ existiert nicht. Es wurde nichts gesichert.")
                                .arg(QDir::toNativeSeparators(complete)));
    if (isDataFolder(data, complete))
        throw BelvantoError(QStringLiteral("In den Datenordner selbst kann nicht gesichert werden. Bitte wählen Sie "
                                           "einen anderen Ordner."));
    // A backup file linked to a data file would replace that data file.
    for (const QString &file : kFiles)
        DataFolder::refuseAsTarget(QDir::fromNativeSeparators(complete) + file, data.DataDirectory());
    const QList<Table *> tables = dataTables(data);
    for (int i = 0; i < tables.size(); ++i)
        tables.at(i)->saveToFile(QDir::fromNativeSeparators(complete) + kFiles.at(i));
}

void Restore(TDataModule1 &data, const QString &folder)
{
    const QString complete = QDir::fromNativeSeparators(CompleteFolder(folder));
    const QList<Table *> tables = dataTables(data);
    std::vector<std::vector<std::unique_ptr<TableRow>>> read;
    for (int i = 0; i < tables.size(); ++i) {
        const QString file = complete + kFiles.at(i);
        if (!QFileInfo(file).isFile())
            throw BelvantoError(QStringLiteral("Die Sicherung ist unvollständig: „%1“ fehlt. Es wurde nichts "
                                               "zurückgelesen.")
                                    .arg(QDir::toNativeSeparators(file)));
        try {
            read.push_back(DataPacket::read(file, tables.at(i)->fields()));
        } catch (const BelvantoError &error) {
            throw BelvantoError(error.message() + QStringLiteral("\r\n\r\nEs wurde nichts zurückgelesen."));
        }
    }
    for (int i = 0; i < tables.size(); ++i) {
        tables.at(i)->replaceRows(std::move(read.at(i)));
        tables.at(i)->setProtected(false); // what it holds now is meant for its own file
        tables.at(i)->saveToFile();
    }
}

void ShowRange(TDataModule1 &data, const QString &from, const QString &to)
{
    // Whole numbers only: anything else could not be compared, nor change what the filter says.
    const qint32 first = FormatSettings::strToInt(from);
    const qint32 last = FormatSettings::strToInt(to);
    Table &bookings = *data.ClientDataSet1;
    bookings.setFilterCaseInsensitive(true);
    bookings.setFilter(QStringLiteral("ID >= '%1' and ID <= '%2'").arg(first).arg(last));
    bookings.setFiltered(true);
}

int DeleteShown(TDataModule1 &data)
{
    Table &bookings = *data.ClientDataSet1;
    const TDataModule1::FrozenViews frozen(data);
    bookings.first();
    return bookings.deleteShown();
}

} // namespace Maintenance
