// From start-up to the first painted main window, with 100,000 bookings in the data files.
#include "BenchData.h"
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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
