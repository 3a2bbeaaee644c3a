// Writing, reading and verifying a DTAUS file of 100,000 transactions with three purpose lines each.
#include "dtaus/DTAUSVerifier.h"
#include "dtaus/QuennDTA.h"

#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The names and purposes a creation run hands over from the bookings table.
struct Transactions {
    QStringList names;
    QStringList members;
    explicit Transactions(int count)
    {
        for (int i = 0; i < count; ++i) {
            names.append(QStringLiteral("Müller, Hans %1").arg(i % 1000));
            members.append(QStringLiteral("Mitglied %1").arg(i));
        }
    }
};

void writeFile(TQuennDTA &engine, const Transactions &transactions)
{
    const int count = int(transactions.names.size());
    const QString purpose = QStringLiteral("Mitgliedsbeitrag 2026");
    const QString thanks = QStringLiteral("Danke für Ihre Treue");
    engine.SetPath(folder().path());
    engine.FileName = QStringLiteral("DTAUS0.TXT");
    engine.SetLastschriften(true);
    engine.SetAuftraggeberName(QStringLiteral("Sportverein Grün-Weiß e.V."));
    engine.SetAuftraggeberBLZ(37050198);
    engine.SetAuftraggeberKontoNr(1234567890);
    engine.Start();
    engine.ReserveBuchungen(count);
    for (int i = 0; i < count; ++i) {
        engine.AddBuchung(transactions.names.at(i), 1000000 + i, 10020030 + i % 1000, 12.5 + i % 100, purpose,
                          transactions.members.at(i), thanks);
    }
    engine.Finish();
}

QString sampleFile(int count)
{
    const QString file = folder().filePath(QStringLiteral("sample-%1.txt").arg(count));
    if (!QFile::exists(file)) {
        TQuennDTA engine;
        writeFile(engine, Transactions(count));
        QFile::rename(engine.TargetFile(), file);
    }
    return file;
}

void BM_WriteDtaus(benchmark::State &state)
{
    const Transactions transactions(int(state.range(0)));
    for (auto _ : state) {
        TQuennDTA engine;
        writeFile(engine, transactions);
        benchmark::DoNotOptimize(engine.SummeBetraege());
    }
}
BENCHMARK(BM_WriteDtaus)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadDtaus(benchmark::State &state)
{
    const QString file = sampleFile(int(state.range(0)));
    qint64 events = 0;
    for (auto _ : state) {
        TQuennDTA engine;
        events = 0;
        engine.OnExtendedDTAImport = [&](const QString &, qint64, qint64, double, const QString &, qint64, qint64,
                                         const QStringList &, bool, const QString &) { ++events; };
        engine.ImportDTA(file);
    }
    state.counters["transactions"] = double(events);
}
BENCHMARK(BM_ReadDtaus)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_VerifyDtaus(benchmark::State &state)
{
    const QString file = sampleFile(int(state.range(0)));
    for (auto _ : state) {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        DTAUSVerifier verifier;
        verifier.verify(in);
        if (!verifier.isValid())
            state.SkipWithError("file does not verify");
    }
}
BENCHMARK(BM_VerifyDtaus)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
