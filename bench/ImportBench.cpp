// Batch operations on the data module: delimited-text import of payers, DTAUS import of bookings with
// their payers and clients, marking written bookings done, and deleting a range of bookings.
#include "bench/BenchData.h"
#include "data/DataModule.h"
#include "data/INI.h"
#include "dtaus/QuennDTA.h"
#include "ops/CreationRun.h"
#include "ops/DelimitedText.h"
#include "ops/DTAUSImportHandler.h"
#include "ops/Maintenance.h"
#include "ops/TextImport.h"

#include <benchmark/benchmark.h>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// A data module in a fresh folder, with the settings kept there too, and the booking checks set up.
struct Module {
    QTemporaryDir dir;
    TQuennDTA checks;
    TDataModule1 data {{dir.path(), dir.path()}};
    Module()
    {
        SettingsStore::setLocation(dir.filePath(QStringLiteral("settings.conf")));
        data.SetQuennDTA(&checks);
    }
};

// Bookings without the rules of a person's entry (IDs, checks), as a loaded file has them.
void fillPlainBookings(TDataModule1 &data, int count)
{
    Table &bookings = *data.ClientDataSet1;
    const auto afterInsert = std::exchange(bookings.afterInsert, nullptr);
    const auto beforePost = std::exchange(bookings.beforePost, nullptr);
    fillBookings(bookings, count);
    bookings.afterInsert = afterInsert;
    bookings.beforePost = beforePost;
    data.LastBuchungID = count;
}

QByteArray payerFile(int lines)
{
    QByteArray text = "Name;Konto;BLZ;Zweck;Straße;PLZ;Ort\n";
    for (int i = 0; i < lines; ++i)
        text += "M\xC3\xBCller " + QByteArray::number(i) + ";" + QByteArray::number(1000000 + i)
            + ";10020030;Mitgliedsbeitrag 2026 f\xC3\xBCr das ganze Jahr;Hauptstra\xC3\x9F"
              "e "
            + QByteArray::number(i % 200) + ";12345;Musterstadt\n";
    return text;
}

void BM_ImportPayers(benchmark::State &state)
{
    const QByteArray file = payerFile(int(state.range(0)));
    for (auto _ : state) {
        Module module;
        QElapsedTimer timer;
        timer.start();
        const DelimitedText::Table table = DelimitedText::parse(DelimitedText::decode(file,
                                                                                      DelimitedText::Encoding::Auto),
                                                                {u';', {}, DelimitedText::Encoding::Auto});
        state.counters["read_ms"] = double(timer.elapsed());
        TextImport::Settings settings;
        settings.columnOfField = {0, 1, 2, 3, 4, 5, 6, -1, -1, -1, -1, -1, -1};
        settings.titleRow = true;
        const int added = TextImport::Run(module.data, table, settings).added;
        state.counters["total_ms"] = double(timer.elapsed());
        state.counters["payers"] = added;
    }
}
BENCHMARK(BM_ImportPayers)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A debit file whose transactions all have distinct payer names, from one originator.
QString dtausFile(int count)
{
    const QString file = folder().filePath(QStringLiteral("dtaus-%1.txt").arg(count));
    if (!QFile::exists(file)) {
        TQuennDTA engine;
        engine.SetPath(folder().path());
        engine.FileName = QFileInfo(file).fileName();
        engine.SetLastschriften(true);
        engine.SetAuftraggeberName(QStringLiteral("Sportverein Grün-Weiß e.V."));
        engine.SetAuftraggeberBLZ(37050198);
        engine.SetAuftraggeberKontoNr(1234567890);
        engine.Start();
        for (int i = 0; i < count; ++i)
            engine.AddBuchung(QStringLiteral("Mitglied %1").arg(i), 1000000 + i, 10020030 + i % 1000, 12.5 + i % 100,
                              QStringLiteral("Mitgliedsbeitrag 2026"), QStringLiteral("Nr. %1").arg(i), {});
        engine.Finish();
    }
    return file;
}

void BM_ImportDtaus(benchmark::State &state)
{
    const QString file = dtausFile(int(state.range(0)));
    for (auto _ : state) {
        Module module;
        TQuennDTA reader;
        const auto result = DTAUSImportHandler(module.data, {}).run(reader, file);
        state.counters["bookings"] = result.bookings;
        state.counters["payers"] = result.payers;
    }
}
BENCHMARK(BM_ImportDtaus)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Marking every second booking done, as a creation run over half the bookings does.
void BM_MarkDone(benchmark::State &state)
{
    const int count = int(state.range(0));
    QList<qint32> written;
    for (qint32 id = count; id > 0; id -= 2)
        written.append(id);
    for (auto _ : state) {
        state.PauseTiming();
        Module module;
        fillPlainBookings(module.data, count);
        state.ResumeTiming();
        CreationRun::MarkDone(module.data, written);
    }
}
BENCHMARK(BM_MarkDone)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Deleting the middle half of the bookings by their IDs, as the maintenance window does.
void BM_DeleteRange(benchmark::State &state)
{
    const int count = int(state.range(0));
    int deleted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Module module;
        fillPlainBookings(module.data, count);
        state.ResumeTiming();
        Maintenance::ShowRange(module.data, QString::number(count / 4), QString::number(count * 3 / 4));
        deleted = Maintenance::DeleteShown(module.data);
    }
    state.counters["deleted"] = deleted;
}
BENCHMARK(BM_DeleteRange)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
