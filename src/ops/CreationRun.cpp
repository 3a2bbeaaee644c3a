#include "ops/CreationRun.h"

#include "base/Errors.h"
#include "base/FileAccess.h"
#include "base/MessageService.h"
#include "base/Windows1252.h"
#include "data/DataFolder.h"
#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "data/Names.h"
#include "dtaus/DTAUSLayout.h"
#include "dtaus/QuennDTA.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
bool originatorCheck(const std::function<bool()> &check, const QString &message)
{
    try {
        if (check())
            return true;
    } catch (const BelvantoError &) { }
    MessageService::current().error(message);
    return false;
}

// One booking into the file; a refusal names the booking, so that the user can find and mend it.
void addBooking(TQuennDTA &engine, const Table &bookings)
{
    const QString name = bookings.asString(Bookings::Name);
    try {
        const QString kontonummer = bookings.asString(Bookings::Kontonummer);
        const auto account = FormatSettings::tryStrToInt64(kontonummer);
        if (!account)
            throw BelvantoError(QStringLiteral("Die Kontonummer „%1“ ist keine Zahl.").arg(kontonummer));
        QStringList lines = CreationRun::PurposeLines(bookings.asString(Bookings::Verwendungszweck));
        engine.AddBuchung(name, *account, bookings.asInteger(Bookings::BLZ), bookings.asFloat(Bookings::Betrag), lines);
    } catch (const BelvantoError &error) {
        throw BelvantoError(
            QStringLiteral("Der Buchungssatz %1 (%2) kann nicht in die DTAUS-Datei geschrieben werden:\r\n%3")
                .arg(bookings.asString(Bookings::ID), name, error.message()));
    }
}

// The file content of the run, up to the engine's Finish; false when an originator check refused
// the run. In create mode the engine writes nothing: the run puts the file in place itself, once the
// user has seen the result.
bool buildFile(TDataModule1 &data, TQuennDTA &engine, const CreationRun::Input &input, CreationRun::Result &result)
{
    const TDataModule1::FrozenViews frozen(data);
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
        return false;
    engine.SetAuftraggeberName(name);
    engine.SetAuftraggeberBLZ(qint32(*blz));
    engine.SetAuftraggeberKontoNr(*konto);
    engine.SetAusfuehrungsdatum(input.ausfuehrungsdatum); // a date without time of day

    Table &bookings = *data.ClientDataSet1;
    const QString fileName = engine.FileName; // it chose the encoding of the texts at Start
    engine.Start();
    try {
        bookings.setFilter(
            CreationRun::SelectionFilter(input.gutschriften, input.dueFrom, input.dueTo, input.offen, input.gesperrt));
        bookings.setFiltered(true);
        engine.ReserveBuchungen(bookings.recordCount());
        for (bookings.first(); !bookings.eof(); bookings.next()) {
            addBooking(engine, bookings);
            result.writtenIds.append(bookings.asInteger(Bookings::ID));
        }
        if (!input.preview)
            engine.FileName.clear();
        engine.Finish();
    } catch (...) {
        // Leave the engine ready for the next run: finish without a file.
        engine.FileName.clear();
        try {
            engine.Finish();
        } catch (...) { }
        engine.FileName = fileName;
        throw;
    }
    engine.FileName = fileName;
    return true;
}

} // namespace

bool CreationRun::MayReplace(const QString &file)
{
    return MessageService::current().ask(
               QStringLiteral("Die Datei „%1“ existiert bereits. Ersetzen?").arg(QDir::toNativeSeparators(file)),
               MessageService::Buttons::YesNoDefaultNo)
        == MessageService::Answer::Yes;
}

void CreationRun::PutInPlace(Result &result, const QByteArray &content, const QString &kindName)
{
    if (result.count == 0) {
        MessageService::current().information(
            QStringLiteral("Es wurden keine Datensätze in die %1-Datei geschrieben.").arg(kindName));
        return;
    }
    FileAccess::PendingFile pending(result.file, content);
    const QString text = QStringLiteral("Insgesamt wurden ") + QString::number(result.count)
        + QStringLiteral(" Datensätze mit einer Gesamtsumme von ") + result.total + QStringLiteral("\r")
        + QStringLiteral("in die Datei \"") + QDir::toNativeSeparators(result.file) + QStringLiteral("\" geschrieben.");
    if (MessageService::current().ask(text, MessageService::Buttons::OkCancel) == MessageService::Answer::Ok) {
        pending.commit();
        result.confirmed = true;
    }
}

void CreationRun::TakeOriginator(Input &input, const Table &clients)
{
    input.auftraggeberName = clients.asString(Clients::Name);
    input.glaeubigerID = clients.asString(Clients::GlaeubigerID);
    const int account = clients.asInteger(Clients::AktivesKonto);
    if (account < 1 || account > 3)
        return;
    input.auftraggeberKontonummer = clients.displayText(Clients::Kontonummer(account));
    input.auftraggeberBLZ = clients.displayText(Clients::BLZ(account));
}

void CreationRun::MarkDone(TDataModule1 &data, const QList<qint32> &ids)
{
    Table &bookings = *data.ClientDataSet1;
    const TDataModule1::FrozenViews frozen(data);
    bookings.setFiltered(false); // a later selection must not hide a written booking
    for (const qint32 id : ids) {
        if (!bookings.locate(Bookings::ID, QString::number(id)))
            continue; // deleted since
        bookings.edit();
        bookings.setAsString(Bookings::Status, Status::Erledigt);
        bookings.post();
    }
}

QStringList CreationRun::ResultLines(const Result &result)
{
    return {QStringLiteral("Kontrollsumme Kontonr: ") + QString::number(result.sumKontonummern),
            QStringLiteral("Kontrollsumme BLZ: ") + QString::number(result.sumBankleitzahlen),
            QStringLiteral("Satzanzahl: ") + QString::number(result.count),
            QStringLiteral("Gesamtsumme: ") + FormatSettings::formatCurrency(result.totalAmount)};
}

QStringList CreationRun::PurposeLines(const QString &text)
{
    QStringList lines;
    const auto addLine = [&](QStringView line) {
        for (qsizetype at = 0; at == 0 || at < line.size(); at += DTAUSLayout::kTextLength)
            lines.append(line.mid(at, DTAUSLayout::kTextLength).toString());
    };
    // A line ends at CR LF, CR or LF.
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c != u'\r' && c != u'\n')
            continue;
        addLine(QStringView(text).mid(start, at - start));
        if (c == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n')
            ++at;
        start = at + 1;
    }
    if (start == 0)
        return {text}; // one line stays whole, however long
    addLine(QStringView(text).mid(start));
    return lines;
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
#ifdef Q_OS_WIN
        path = QStringLiteral("\\");
#else
        path = full.left(full.lastIndexOf(u'\\') + 1); // the folder plays the drive's part
#endif
    }
    return {path, full.mid(path.size())};
}

CreationRun::Result CreationRun::DTAUSLauf(TDataModule1 &data, TQuennDTA &engine, const Input &input,
                                           const ResultDisplay &display)
{
    Result result;
    const auto [path, fileName] = SplitTarget(input.target);
    engine.SetPath(path);
    engine.FileName = fileName;
    const QString file = engine.TargetFile();
    DataFolder::refuseAsTarget(file, data.DataDirectory());
    if (!input.preview && QFileInfo::exists(file) && !MayReplace(file)) {
        result.targetKept = true;
        return result;
    }
    if (!buildFile(data, engine, input, result))
        return result;
    result.reachedEnd = true;
    result.file = file;
    result.count = engine.AnzahlDatensaetze();
    result.sumKontonummern = engine.SummeKontonummern();
    result.sumBankleitzahlen = engine.SummeBankleitzahlen();
    result.totalAmount = engine.SummeBetraege();
    result.total = FormatSettings::formatFixed(result.totalAmount, 2);
    if (display)
        display(result); // count and sum are in view when the user answers
    if (input.preview)
        return result;

    PutInPlace(result, engine.Content(), QStringLiteral("DTAUS"));
    return result;
}
