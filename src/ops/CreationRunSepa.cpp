#include "base/Clock.h"
#include "base/Errors.h"
#include "data/DataFolder.h"
#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "data/Names.h"
#include "dtaus/DTAUSLayout.h"
#include "ops/CreationRun.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {
// A Kontonummer as it is compared: without blanks, upper case, and without leading zeros when it
// is a plain account number.
QString accountKey(const QString &kontonummer, const QString &blz)
{
    QString key = kontonummer;
    key.remove(u' ');
    key = key.toUpper();
    if (!key.isEmpty() && std::all_of(key.begin(), key.end(), [](QChar c) { return c.isDigit(); })) {
        while (key.size() > 1 && key.startsWith(u'0'))
            key.remove(0, 1);
    }
    return key + u'|' + blz.trimmed();
}

struct Mandate {
    QString payer; // the payer's name
    QString reference;
    QDate signed_;
    bool complete() const { return !reference.isEmpty() && signed_.isValid(); }
};

QDate dateValue(const Table &table, const TableRow &row, const QString &field)
{
    const auto *value = std::get_if<QDate>(&row.values.at(table.fieldIndex(field)));
    return value ? *value : QDate();
}

// The payers by their active account, with their mandates: looked up once per run, not once per booking.
QHash<QString, QList<Mandate>> mandatesByAccount(const Table &payers)
{
    QHash<QString, QList<Mandate>> mandates;
    for (int i = 0; i < payers.recordCount(); ++i) {
        const TableRow &row = payers.rowAt(i);
        const QString active = payers.rowText(row, Payers::AktivesKonto);
        if (active != u'1' && active != u'2' && active != u'3')
            continue;
        const QString key = accountKey(payers.rowText(row, Payers::Kontonummer(active.toInt())),
                                       payers.rowText(row, Payers::BLZ(active.toInt())));
        mandates[key].append({payers.rowText(row, Payers::Name).trimmed(),
                              payers.rowText(row, Payers::Mandatsreferenz).trimmed(),
                              dateValue(payers, row, Payers::Mandatsdatum)});
    }
    return mandates;
}

// The mandate a booking is collected under: that of the payer on the booking's account who bears the
// booking's name, or of the only payer on that account. Payers who share an account (a family, a
// firm's staff) never lend each other their mandates. Returns why there is none, or nothing.
QString findMandate(const QList<Mandate> &onAccount, const QString &name, Mandate &found)
{
    QList<Mandate> named;
    for (const Mandate &mandate : onAccount) {
        if (mandate.payer.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            named.append(mandate);
    }
    if (named.isEmpty() && onAccount.size() > 1)
        return QStringLiteral("mehrere Zahlungspflichtige haben dieses Konto, aber keiner den Namen der Buchung");
    const QList<Mandate> &candidates = named.isEmpty() ? onAccount : named;
    const auto complete = std::find_if(candidates.begin(), candidates.end(),
                                       [](const Mandate &m) { return m.complete(); });
    if (complete != candidates.end()) {
        found = *complete;
        return {};
    }
    if (candidates.isEmpty())
        return QStringLiteral("kein Zahlungspflichtiger mit Mandatsreferenz und Mandatsdatum für dieses Konto");
    return QStringLiteral("der Zahlungspflichtige „%1“ hat keine Mandatsreferenz oder kein Mandatsdatum")
        .arg(candidates.first().payer);
}

QHash<QString, QString> bicsByBlz(const Table &directory)
{
    QHash<QString, QString> bics;
    for (int i = 0; i < directory.recordCount(); ++i) {
        const TableRow &row = directory.rowAt(i);
        const QString bic = directory.rowText(row, BankDirectory::BIC).trimmed();
        if (Sepa::isValidBic(bic))
            bics.insert(directory.rowText(row, BankDirectory::BLZ).trimmed(), bic);
    }
    return bics;
}

// Collects what the file would carry and every reason why a booking cannot go into it.
class SepaBuilder
{
public:
    SepaBuilder(TDataModule1 &data, const CreationRun::Input &input)
        : m_input(input)
        , m_debits(!input.gutschriften)
        , m_bics(bicsByBlz(*data.ClientDataSet4))
    {
        if (m_debits)
            m_mandates = mandatesByAccount(*data.ClientDataSet2);
        m_document.kind = m_debits ? Sepa::Kind::Lastschriften : Sepa::Kind::Gutschriften;
        m_document.version = input.sepaVersion;
        m_document.scheme = input.sepaScheme;
        m_document.sequence = input.sepaSequence;
        m_document.created = Clock::now();
        m_document.messageId = Sepa::newMessageId(m_document.created);
        m_document.executionDate = input.ausfuehrungsdatum;
        takeOriginator();
    }

    void add(const Table &bookings)
    {
        const QString id = bookings.asString(Bookings::ID);
        const QString name = bookings.asString(Bookings::Name);
        const auto refuse = [&](const QString &why) {
            m_problems.append(QStringLiteral("Buchungssatz %1 (%2): %3").arg(id, name, why));
        };
        Sepa::Transaction t;
        t.endToEndId = id;
        t.name = name;
        const QString kontonummer = bookings.asString(Bookings::Kontonummer);
        const QString blz = bookings.asString(Bookings::BLZ);
        const auto iban = Sepa::iban(kontonummer, blz);
        if (!iban)
            return refuse(
                QStringLiteral("aus Kontonummer „%1“ und BLZ „%2“ ergibt sich keine IBAN").arg(kontonummer, blz));
        t.iban = *iban;
        t.bic = bic(t.iban);
        const auto cents = DTAUSLayout::roundToCents(bookings.asFloat(Bookings::Betrag));
        if (!cents || *cents < 1 || *cents > kMaxCents)
            return refuse(QStringLiteral("der Betrag muss zwischen 0,01 und 999.999.999,99 liegen"));
        t.cents = *cents;
        if (m_debits) {
            Mandate mandate;
            if (const QString why = findMandate(m_mandates.value(accountKey(kontonummer, blz)), name, mandate);
                !why.isEmpty())
                return refuse(why);
            t.mandateId = mandate.reference;
            t.mandateDate = mandate.signed_;
        }
        t.remittance = CreationRun::PurposeLines(bookings.asString(Bookings::Verwendungszweck)).join(u' ');
        m_document.transactions.push_back(std::move(t));
        m_ids.append(bookings.asInteger(Bookings::ID));
    }

    void reserve(int count)
    {
        m_document.transactions.reserve(size_t(count));
        m_ids.reserve(count);
    }

    const QStringList &problems() const { return m_problems; }
    const Sepa::Document &document() const { return m_document; }
    const QList<qint32> &ids() const { return m_ids; }

private:
    static constexpr qint64 kMaxCents = 99999999999;

    void takeOriginator()
    {
        const QString client = QStringLiteral("Mandant „%1“: ").arg(m_input.auftraggeberName);
        m_document.name = m_input.auftraggeberName;
        if (m_input.auftraggeberName.trimmed().isEmpty())
            m_problems.append(client + QStringLiteral("kein Kontoinhaber"));
        const auto iban = Sepa::iban(m_input.auftraggeberKontonummer, m_input.auftraggeberBLZ);
        if (iban) {
            m_document.iban = *iban;
            m_document.bic = bic(*iban);
        } else {
            m_problems.append(client
                              + QStringLiteral("aus Kontonummer „%1“ und BLZ „%2“ ergibt sich keine IBAN")
                                    .arg(m_input.auftraggeberKontonummer, m_input.auftraggeberBLZ));
        }
        QString creditorId = m_input.glaeubigerID;
        creditorId.remove(u' ');
        m_document.creditorId = creditorId.toUpper();
        if (m_debits && !Sepa::isValidCreditorId(creditorId))
            m_problems.append(client
                              + (creditorId.isEmpty()
                                     ? QStringLiteral("keine Gläubiger-ID")
                                     : QStringLiteral("die Gläubiger-ID „%1“ ist ungültig").arg(creditorId)));
    }

    QString bic(const QString &iban) const { return m_bics.value(Sepa::blzOfIban(iban)); }

    const CreationRun::Input &m_input;
    const bool m_debits;
    QHash<QString, QString> m_bics;
    QHash<QString, QList<Mandate>> m_mandates;
    Sepa::Document m_document;
    QStringList m_problems;
    QList<qint32> m_ids;
};

// The booking list of a refused run: the first lines, and how many more there are.
constexpr int kListedProblems = 30;

[[noreturn]] void refuse(const QStringList &problems)
{
    QStringList lines = problems.mid(0, kListedProblems);
    if (problems.size() > kListedProblems)
        lines.append(QStringLiteral("… und %1 weitere").arg(problems.size() - kListedProblems));
    throw BelvantoError(QStringLiteral("Die SEPA-Datei wird nicht geschrieben, denn diese Buchungssätze können nicht "
                                       "hinein:\r\n")
                        + lines.join(QStringLiteral("\r\n")));
}
} // namespace

QString CreationRun::SepaSelectionFilter(const Input &input)
{
    QString filter = SelectionFilter(input.gutschriften, input.dueFrom, input.dueTo, input.offen, input.gesperrt);
    if (input.gutschriften)
        return filter;
    return filter
        + (input.sepaScheme == QLatin1String("B2B") ? QStringLiteral(" and Zahlungsart = '%1'")
                                                    : QStringLiteral(" and Zahlungsart <> '%1'"))
              .arg(Zahlungsart::LS_Abbuchung);
}

QDate CreationRun::ValidExecutionDate(const QDate &day, const QDate &today)
{
    return Sepa::businessDayFrom(std::max(day, Sepa::earliestExecutionDate(today)));
}

void CreationRun::CheckExecutionDate(const QDate &day, const QDate &today)
{
    if (day == ValidExecutionDate(day, today))
        return;
    const QString reason = day < Sepa::earliestExecutionDate(today)
        ? QStringLiteral("liegt vor dem nächsten Geschäftstag")
        : QStringLiteral("ist kein TARGET2-Geschäftstag");
    throw BelvantoError(
        QStringLiteral("Das Ausführungsdatum %1 %2. Der nächste mögliche Tag ist der %3.")
            .arg(FormatSettings::dateToStr(day), reason, FormatSettings::dateToStr(ValidExecutionDate(day, today))));
}

CreationRun::Result CreationRun::SEPALauf(TDataModule1 &data, const Input &input, const ResultDisplay &display)
{
    Result result;
    const QString file = QFileInfo(input.target).absoluteFilePath();
    DataFolder::refuseAsTarget(file, data.DataDirectory());
    if (!input.preview)
        CheckExecutionDate(input.ausfuehrungsdatum, Clock::today());
    if (!input.preview && QFileInfo::exists(file) && !MayReplace(file)) {
        result.targetKept = true;
        return result;
    }

    QByteArray content;
    {
        const TDataModule1::FrozenViews frozen(data);
        SepaBuilder builder(data, input);
        Table &bookings = *data.ClientDataSet1;
        bookings.setFilter(SepaSelectionFilter(input));
        bookings.setFiltered(true);
        builder.reserve(bookings.recordCount());
        for (bookings.first(); !bookings.eof(); bookings.next())
            builder.add(bookings);
        if (!builder.problems().isEmpty() && !input.preview)
            refuse(builder.problems());
        result.problems = builder.problems();
        result.writtenIds = builder.ids();
        result.count = int(builder.document().transactions.size());
        result.totalCents = builder.document().sumCents();
        if (!input.preview && result.count > 0)
            content = Sepa::write(builder.document());
    }
    result.reachedEnd = true;
    result.file = file;
    result.totalAmount = double(result.totalCents) / 100.0;
    result.total =
        QString::fromLatin1(Sepa::amount(result.totalCents)).replace(u'.', FormatSettings::current().decimalSeparator);
    if (display)
        display(result);
    if (!input.preview)
        PutInPlace(result, content, QStringLiteral("SEPA"));
    return result;
}
