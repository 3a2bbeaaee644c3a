// A SEPA file of 100,000 direct debits: the whole run as "sepa create" does it (selection, payer
// mandates, bank directory, writing, putting the file in place), the writer alone, and the check.
#include "base/Clock.h"
#include "base/MessageService.h"
#include "data/DataModule.h"
#include "data/Names.h"
#include "ops/CreationRun.h"
#include "ops/Sepa.h"
#include "ops/SepaVerifier.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

namespace {
constexpr int kCount = 100000;

// Confirms every file, as the command line does.
class Confirming : public MessageService
{
public:
    void error(const QString &) override { }
    void warning(const QString &) override { }
    void information(const QString &) override { }
    Answer ask(const QString &, Buttons) override { return Answer::Ok; }
};

// A row of a table with the given values by field name.
std::unique_ptr<TableRow> row(const Table &table, const std::initializer_list<std::pair<QString, FieldValue>> &values)
{
    auto made = std::make_unique<TableRow>(TableRow {std::vector<FieldValue>(table.fields().size())});
    for (const auto &[field, value] : values)
        made->values[table.fieldIndex(field)] = value;
    return made;
}

// 100,000 open direct debits, each payer with a mandate, 3,500 banks with their BICs.
struct Club {
    QTemporaryDir dir;
    TDataModule1 data {{dir.path(), dir.path()}};
    Club()
    {
        std::vector<std::unique_ptr<TableRow>> bookings, payers, banks;
        for (int bank = 0; bank < 3500; ++bank)
            banks.push_back(
                row(*data.ClientDataSet4,
                    {{BankDirectory::BLZ, QString::number(10000000 + bank * 25700)},
                     {BankDirectory::Bank, QStringLiteral("Bank %1").arg(bank)},
                     {BankDirectory::BIC, QStringLiteral("BANKDEFF%1").arg(bank % 1000, 3, 10, QChar(u'0'))}}));
        for (int id = 1; id <= kCount; ++id) {
            const QString konto = QString::number(1000000 + id * 7);
            const qint32 blz = 10000000 + (id % 3500) * 25700;
            const QString name = QStringLiteral("Müller-Weiß, Jürgen %1").arg(id);
            bookings.push_back(row(*data.ClientDataSet1,
                                   {{Bookings::ID, id},
                                    {Bookings::Name, name},
                                    {Bookings::Kontonummer, konto},
                                    {Bookings::BLZ, blz},
                                    {Bookings::Verwendungszweck,
                                     QStringLiteral("Mitgliedsbeitrag 2026\r\nMitglied Nr. %1 & Familie").arg(id)},
                                    {Bookings::Betrag, 12.5 + id % 100},
                                    {Bookings::Status, QStringLiteral("offen")},
                                    {Bookings::Zahlungsart, QStringLiteral("LS_Einzug")},
                                    {Bookings::Faelligkeit, QDate(2026, 12, 9)}}));
            payers.push_back(row(*data.ClientDataSet2,
                                 {{Payers::ID, id},
                                  {Payers::Name, name},
                                  {Payers::Kontonummer(1), konto},
                                  {Payers::BLZ(1), blz},
                                  {Payers::AktivesKonto, 1},
                                  {Payers::Mandatsreferenz, QStringLiteral("MITGLIED-%1").arg(id)},
                                  {Payers::Mandatsdatum, QDate(2024, 1, 1)}}));
        }
        data.ClientDataSet4->replaceRows(std::move(banks));
        data.ClientDataSet1->replaceRows(std::move(bookings));
        data.ClientDataSet2->replaceRows(std::move(payers));
    }

    CreationRun::Input input() const
    {
        CreationRun::Input in;
        in.auftraggeberName = QStringLiteral("Sportverein Grün-Weiß e.V.");
        in.auftraggeberBLZ = QStringLiteral("37040044");
        in.auftraggeberKontonummer = QStringLiteral("532013000");
        in.glaeubigerID = QStringLiteral("DE98ZZZ09999999999");
        in.dueFrom = QDate(2026, 12, 1);
        in.dueTo = QDate(2026, 12, 31);
        in.ausfuehrungsdatum = QDate(2026, 12, 10);
        in.target = dir.filePath(QStringLiteral("SEPA-Lastschriften.xml"));
        return in;
    }
};

Club &club()
{
    static Club instance;
    return instance;
}

void BM_SepaRun100k(benchmark::State &state)
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    Confirming confirming;
    MessageService::install(&confirming);
    Club &c = club();
    for (auto _ : state) {
        const CreationRun::Result result = CreationRun::SEPALauf(c.data, c.input());
        if (result.count != kCount || !result.confirmed)
            state.SkipWithError("not every transaction was written");
    }
    MessageService::install(nullptr);
}
BENCHMARK(BM_SepaRun100k)->Unit(benchmark::kMillisecond);

Sepa::Document document()
{
    Sepa::Document d;
    d.messageId = Sepa::newMessageId(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    d.created = QDateTime(QDate(2026, 12, 9), QTime(10, 0));
    d.executionDate = QDate(2026, 12, 10);
    d.name = QStringLiteral("Sportverein Grün-Weiß e.V.");
    d.iban = QStringLiteral("DE89370400440532013000");
    d.creditorId = QStringLiteral("DE98ZZZ09999999999");
    for (int id = 1; id <= kCount; ++id)
        d.transactions.push_back({QString::number(id), QStringLiteral("Müller-Weiß, Jürgen %1").arg(id),
                                  *Sepa::iban(QString::number(1000000 + id), QStringLiteral("10020030")),
                                  QStringLiteral("BANKDEFFXXX"), 1250 + id % 100, QStringLiteral("MITGLIED-%1").arg(id),
                                  QDate(2024, 1, 1), QStringLiteral("Mitgliedsbeitrag 2026 Mitglied Nr. %1").arg(id)});
    return d;
}

void BM_SepaWrite100k(benchmark::State &state)
{
    const Sepa::Document d = document();
    for (auto _ : state)
        benchmark::DoNotOptimize(Sepa::write(d));
}
BENCHMARK(BM_SepaWrite100k)->Unit(benchmark::kMillisecond);

void BM_SepaVerify100k(benchmark::State &state)
{
    const QByteArray file = Sepa::write(document());
    state.counters["MB"] = double(file.size()) / 1e6;
    for (auto _ : state) {
        if (!SepaVerifier::verify(file, QDate(2026, 12, 9)).problems.isEmpty())
            state.SkipWithError("the file does not verify");
    }
}
BENCHMARK(BM_SepaVerify100k)->Unit(benchmark::kMillisecond);
} // namespace
