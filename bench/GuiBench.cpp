// From start-up to the first painted main window, with 100,000 bookings in the data files.
#include "BenchData.h"
#include "CreationRun.h"
#include "DBGrid.h"
#include "MainNeu.h"
#include "QuennDTA.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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
BENCHMARK(BM_StartToFirstPaint)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
