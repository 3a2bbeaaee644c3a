// From start-up to the first painted main window, with 100,000 bookings in the data files.
#include "app/MainNeu.h"
#include "base/Memory.h"
#include "bench/BenchData.h"
#include "dtaus/QuennDTA.h"
#include "ops/CreationRun.h"
#include "widgets/DBGrid.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

void BM_StartToFirstPaint(benchmark::State &state)
{
    QTemporaryDir dir;
    {
        TDataModule1 data({dir.path(), dir.path()});
        data.ClientDataSet1->afterInsert = nullptr;
        data.ClientDataSet1->beforePost = nullptr;
        fillBookings(*data.ClientDataSet1, int(state.range(0)));
        data.ClientDataSet1->saveToFile();
        data.ClientDataSet2->saveToFile();
        data.ClientDataSet3->saveToFile();
    }
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        TDataModule1 data({dir.path(), dir.path()});
        TQuennDTA engine;
        data.SetQuennDTA(&engine);
        TMainform1 window(data);
        window.show();
        const QImage painted = window.grab().toImage(); // a full paint of the window with its grid
        benchmark::DoNotOptimize(painted.width());
        state.counters["start_to_paint_ms"] = double(timer.elapsed());
        // scrolling: the grid's last page
        QElapsedTimer scroll;
        scroll.start();
        window.DBGrid1->scrollToBottom();
        benchmark::DoNotOptimize(window.grab().toImage().width());
        state.counters["scroll_to_end_ms"] = double(scroll.elapsed());
    }
}
BENCHMARK(BM_StartToFirstPaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A preview of the payment-file dialog over 100,000 bookings, with the grid showing the selection.
void BM_PreviewWithGrid(benchmark::State &state)
{
    QTemporaryDir dir;
    TDataModule1 data({dir.path(), dir.path()});
    TQuennDTA engine;
    data.SetQuennDTA(&engine);
    data.ClientDataSet1->afterInsert = nullptr;
    data.ClientDataSet1->beforePost = nullptr;
    fillBookings(*data.ClientDataSet1, int(state.range(0)));
    DBGrid grid(*data.ClientDataSet1);
    grid.resize(900, 400);
    grid.show();
    CreationRun::Input input;
    input.auftraggeberName = QStringLiteral("Verein");
    input.auftraggeberBLZ = QStringLiteral("12345678");
    input.auftraggeberKontonummer = QStringLiteral("1234567890");
    input.dueFrom = QDate(2026, 1, 1);
    input.dueTo = QDate(2026, 12, 31);
    input.gesperrt = true; // with "offen": two of three states, two of three kinds
    input.target = dir.filePath(QStringLiteral("preview.tmp"));
    input.preview = true;
    int selected = 0;
    for (auto _ : state) {
        selected = CreationRun::DTAUSLauf(data, engine, input).count;
        benchmark::DoNotOptimize(grid.grab().toImage().width());
    }
    state.counters["selected"] = selected;
}
BENCHMARK(BM_PreviewWithGrid)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Saving one booking as the editor does, with the grid attached: a change in place, one that moves the
// booking out of a filtered view, and a new booking, over 100,000 bookings.
void BM_PostWithGrid(benchmark::State &state)
{
    QTemporaryDir dir;
    TDataModule1 data({dir.path(), dir.path()});
    Table &bookings = *data.ClientDataSet1;
    bookings.afterInsert = nullptr;
    bookings.beforePost = nullptr;
    bookings.afterPost = nullptr;
    fillBookings(bookings, int(state.range(0)));
    DBGrid grid(bookings);
    grid.resize(900, 400);
    grid.show();
    bookings.setFilter(QStringLiteral("Status <> 'erledigt'"));
    bookings.setFiltered(true);
    bookings.setRecNo(bookings.recordCount() / 2);
    qint32 nextId = int(state.range(0));
    double inPlace = 0, leaving = 0, inserting = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        bookings.edit();
        bookings.setAsFloat(QStringLiteral("Betrag"), 1.5);
        bookings.post();
        inPlace += timer.nsecsElapsed() / 1e3;
        timer.start();
        bookings.edit();
        bookings.setAsString(QStringLiteral("Status"), QStringLiteral("erledigt"));
        bookings.post();
        leaving += timer.nsecsElapsed() / 1e3;
        timer.start();
        bookings.insert();
        bookings.setAsInteger(QStringLiteral("ID"), ++nextId);
        bookings.setAsString(QStringLiteral("Status"), QStringLiteral("offen"));
        bookings.post();
        inserting += timer.nsecsElapsed() / 1e3;
        bookings.setRecNo(bookings.recordCount() / 2);
    }
    const double n = double(state.iterations());
    state.counters["in_place_us"] = inPlace / n;
    state.counters["leaving_view_us"] = leaving / n;
    state.counters["insert_us"] = inserting / n;
}
BENCHMARK(BM_PostWithGrid)->Arg(100000)->Unit(benchmark::kMicrosecond)->Iterations(200);

} // namespace

int main(int argc, char **argv)
{
    Memory::preferLargePages(); // as the programs do
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
