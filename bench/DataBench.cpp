// Loading, saving and filtering the bookings table at the sizes a large association reaches.
#include "bench/BenchData.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString bookingsFile(int count)
{
    const QString file = folder().filePath(QStringLiteral("db1-%1.xml").arg(count));
    if (!QFile::exists(file)) {
        Table bookings(QStringLiteral("b"));
        bookings.setFields(TDataModule1::BookingFields());
        bookings.setOrder(QStringLiteral("ID"), true);
        fillBookings(bookings, count);
        bookings.saveToFile(file);
    }
    return file;
}

void BM_LoadBookings(benchmark::State &state)
{
    const QString file = bookingsFile(int(state.range(0)));
    for (auto _ : state) {
        Table bookings(QStringLiteral("b"));
        bookings.setFields(TDataModule1::BookingFields());
        bookings.setOrder(QStringLiteral("ID"), true);
        bookings.loadFromFile(file);
        benchmark::DoNotOptimize(bookings.recordCount());
    }
    state.counters["file_MB"] = double(QFileInfo(file).size()) / 1e6;
}
BENCHMARK(BM_LoadBookings)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SaveBookings(benchmark::State &state)
{
    Table bookings(QStringLiteral("b"));
    bookings.setFields(TDataModule1::BookingFields());
    bookings.setOrder(QStringLiteral("ID"), true);
    bookings.loadFromFile(bookingsFile(int(state.range(0))));
    const QString target = folder().filePath(QStringLiteral("saved.xml"));
    for (auto _ : state)
        bookings.saveToFile(target);
}
BENCHMARK(BM_SaveBookings)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MemoryOfBookings(benchmark::State &state)
{
    const QString file = bookingsFile(int(state.range(0)));
    double used = 0;
    for (auto _ : state) {
        const double before = heapMegabytes();
        auto bookings = std::make_unique<Table>(QStringLiteral("b"));
        bookings->setFields(TDataModule1::BookingFields());
        bookings->setOrder(QStringLiteral("ID"), true);
        bookings->loadFromFile(file);
        used = heapMegabytes() - before;
    }
    state.counters["MB"] = used;
}
BENCHMARK(BM_MemoryOfBookings)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_WalkFilteredSelection(benchmark::State &state)
{
    Table bookings(QStringLiteral("b"));
    bookings.setFields(TDataModule1::BookingFields());
    bookings.setOrder(QStringLiteral("ID"), true);
    fillBookings(bookings, int(state.range(0)));
    const QString selection = QStringLiteral(
        "Zahlungsart <> 'GS_Ueberweisung' and Faelligkeit >= '01.03.2026' and Faelligkeit <= '30.09.2026' and "
        "(  Status = 'offen' or Status = 'gesperrt' )");
    int selected = 0;
    for (auto _ : state) {
        bookings.setFilter(selection);
        bookings.setFiltered(true);
        selected = 0;
        for (bookings.first(); !bookings.eof(); bookings.next())
            ++selected;
        bookings.setFiltered(false);
    }
    state.counters["selected"] = selected;
}
BENCHMARK(BM_WalkFilteredSelection)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Every cell of every booking as a grid or a printout reads it, with and without the bank names
// that the calculated field looks up in a directory of 3,500 banks.
void BM_ReadBookingCells(benchmark::State &state)
{
    const bool withBankNames = state.range(0) != 0;
    QTemporaryDir scratch;
    TDataModule1 module({scratch.path(), scratch.path()});
    Table &banks = *module.ClientDataSet4;
    for (int i = 0; i < 3500; ++i) {
        banks.insert();
        banks.setAsString(QStringLiteral("BLZ"), QString::number(10000000 + i * 25700));
        banks.setAsString(QStringLiteral("Bank"), QStringLiteral("Sparkasse Nummer %1").arg(i));
        banks.post();
    }
    Table &bookings = *module.ClientDataSet1;
    bookings.afterInsert = nullptr;
    bookings.beforePost = nullptr;
    bookings.afterPost = nullptr;
    fillBookings(bookings, 100000);
    if (!withBankNames)
        bookings.onCalcFields = nullptr;
    qint64 characters = 0;
    for (auto _ : state) {
        characters = 0;
        for (int row = 0; row < bookings.recordCount(); ++row) {
            for (int field = 0; field < bookings.fields().size(); ++field)
                characters += bookings.displayTextAt(row, field).size();
        }
    }
    state.counters["chars"] = double(characters);
}
BENCHMARK(BM_ReadBookingCells)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
