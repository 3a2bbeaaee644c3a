#include "ops/CreationRun.h"

#include "base/Errors.h"
#include "base/MessageService.h"
#include "base/Windows1252.h"
#include "data/DataFolder.h"
#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "dtaus/QuennDTA.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {
// The views of the three tables stay frozen while the run walks the bookings, on every way out.
struct FrozenViews {
    explicit FrozenViews(TDataModule1 &data)
        : m_data(data)
    {
        m_data.DisconnectDB();
    }
    ~FrozenViews() { m_data.ConnectDB(); }
    TDataModule1 &m_data;
};

bool originatorCheck(const std::function<bool()> &check, const QString &message)
{
    try {
        if (check())
            return true;
    } catch (const BelvantoError &) { }
    MessageService::current().error(message);
    return false;
}

void deleteFile(const QString &file)
{
    QFile::remove(file);
}
} // namespace

void CreationRun::TakeOriginator(Input &input, const Table &clients)
{
    input.auftraggeberName = clients.asString(QStringLiteral("Name"));
    const int account = clients.asInteger(QStringLiteral("Aktives Konto"));
    if (account < 1 || account > 3)
        return;
    input.auftraggeberKontonummer = clients.displayText(QStringLiteral("Kontonummer%1").arg(account));
    input.auftraggeberBLZ = clients.displayText(QStringLiteral("BLZ%1").arg(account));
}

void CreationRun::MarkDone(TDataModule1 &data, const QList<qint32> &ids)
{
    Table &bookings = *data.ClientDataSet1;
    FrozenViews frozen(data);
    for (const qint32 id : ids) {
        if (!bookings.locate(QStringLiteral("ID"), QString::number(id)))
            continue; // filtered out or deleted since
        bookings.edit();
        bookings.setAsString(QStringLiteral("Status"), QStringLiteral("erledigt"));
        bookings.post();
    }
}

QString CreationRun::SelectionFilter(bool gutschriften, const QDate &from, const QDate &to, bool offen, bool gesperrt)
{
    QString filter = gutschriften ? QStringLiteral("Zahlungsart = 'GS_Ueberweisung'")
                                  : QStringLiteral("Zahlungsart <> 'GS_Ueberweisung'");
    filter += QStringLiteral(" and Faelligkeit >= '") + FormatSettings::dateToStr(from)
        + QStringLiteral("' and Faelligkeit <= '") + FormatSettings::dateToStr(to) + QStringLiteral("' and ( ");
    if (offen)
        filter += QStringLiteral(" Status = 'offen'");
    if (gesperrt)
        filter += offen ? QStringLiteral(" or Status = 'gesperrt'") : QStringLiteral(" Status = 'gesperrt'");
    return filter + QStringLiteral(" )");
}

std::pair<QString, QString> CreationRun::SplitTarget(const QString &target)
{
    QString full = target;
    const bool hasDrive = QRegularExpression(QStringLiteral("^[A-Za-z]:[\\\\/]")).match(full).hasMatch()
        || full.startsWith(QLatin1String("\\\\"));
    if (!hasDrive && !QDir::isAbsolutePath(QString(full).replace(u'\\', u'/')))
        full = QDir::homePath() + u'/' + full; // never the root folder of a drive by accident
    full.replace(u'/', u'\\');
    QString path;
    if (full.startsWith(QLatin1String("\\\\"))) { // \\server\share\...
        const qsizetype share = full.indexOf(u'\\', full.indexOf(u'\\', 2) + 1);
        path = (share < 0 ? full : full.left(share)) + u'\\';
    } else if (full.size() >= 2 && full.at(1) == u':') {
        path = full.left(2) + u'\\';
    } else {
        path = QStringLiteral("\\");
    }
    return {path, full.mid(path.size())};
}

CreationRun::Result CreationRun::DTAUSLauf(TDataModule1 &data, TQuennDTA &engine, const Input &input)
{
    Result result;
    FrozenViews frozen(data);
    const auto [path, fileName] = SplitTarget(input.target);
    engine.SetPath(path);
    engine.FileName = fileName;
    DataFolder::refuseAsTarget(engine.TargetFile(), data.DataDirectory());
    engine.SetLastschriften(!input.gutschriften);

    const QString name = Windows1252::restrict(input.auftraggeberName);
    const auto blz = FormatSettings::tryStrToInt64(input.auftraggeberBLZ);
    const auto konto = FormatSettings::tryStrToInt64(input.auftraggeberKontonummer);
    if (!originatorCheck([&] { return engine.CheckEmpfaenger(name); },
                         QStringLiteral("Auftraggeber-Kontoinhaber nicht angeben"))
        || !originatorCheck([&] { return blz && engine.CheckBankleitzahl(*blz); },
                            QStringLiteral("Auftraggeber-BLZ fehlerhaft"))
        || !originatorCheck([&] { return konto && engine.CheckKontonummer(*konto); },
                            QStringLiteral("Auftraggeber-Kontonummer fehlerhaft")))
        return result;
    engine.SetAuftraggeberName(name);
    engine.SetAuftraggeberBLZ(qint32(*blz));
    engine.SetAuftraggeberKontoNr(*konto);
    engine.SetAusfuehrungsdatum(input.ausfuehrungsdatum); // a date without time of day

    Table &bookings = *data.ClientDataSet1;
    engine.Start();
    try {
        bookings.setFilter(
            SelectionFilter(input.gutschriften, input.dueFrom, input.dueTo, input.offen, input.gesperrt));
        bookings.setFiltered(true);
        for (bookings.first(); !bookings.eof(); bookings.next()) {
            const qint64 account = FormatSettings::tryStrToInt64(bookings.asString(QStringLiteral("Kontonummer")))
                                       .value_or(std::numeric_limits<qint64>::min());
            if (account == std::numeric_limits<qint64>::min())
                throw BelvantoError(QStringLiteral("'%1' ist kein gültiger Integerwert.")
                                        .arg(bookings.asString(QStringLiteral("Kontonummer"))));
            engine.AddBuchung(bookings.asString(QStringLiteral("Name")), account,
                              bookings.asInteger(QStringLiteral("BLZ")), bookings.asFloat(QStringLiteral("Betrag")),
                              bookings.asString(QStringLiteral("Verwendungszweck")), QString(), QString());
            result.writtenIds.append(bookings.asInteger(QStringLiteral("ID")));
        }
        engine.Finish();
    } catch (...) {
        // Leave the engine ready for the next run: finish without a file.
        engine.FileName.clear();
        try {
            engine.Finish();
        } catch (...) { }
        throw;
    }
    result.reachedEnd = true;
    result.file = engine.TargetFile();
    result.count = engine.AnzahlDatensaetze();
    result.sumKontonummern = engine.SummeKontonummern();
    result.sumBankleitzahlen = engine.SummeBankleitzahlen();
    result.totalAmount = engine.SummeBetraege();
    result.total = FormatSettings::formatFixed(result.totalAmount, 2);
    if (input.preview)
        return result;

    if (result.count == 0) {
        MessageService::current().information(
            QStringLiteral("Es wurden keine Datensätze in die DTAUS-Datei geschrieben."));
        deleteFile(result.file);
        return result;
    }
    const QString text = QStringLiteral("Insgesamt wurden ") + QString::number(result.count)
        + QStringLiteral(" Datensätze mit einer Gesamtsumme von ") + result.total + QStringLiteral("\r")
        + QStringLiteral("in die Datei \"") + QDir::toNativeSeparators(result.file) + QStringLiteral("\" geschrieben.");
    result.confirmed = MessageService::current().ask(text, MessageService::Buttons::OkCancel)
        == MessageService::Answer::Ok;
    if (!result.confirmed)
        deleteFile(result.file);
    return result;
}
