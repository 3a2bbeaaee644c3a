// Loading, saving and filtering the bookings table at the sizes a large association reaches.
#include "BenchData.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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
BENCHMARK(BM_LoadBookings)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

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
BENCHMARK(BM_SaveBookings)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

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
BENCHMARK(BM_WalkFilteredSelection)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
