// The bookings list of 100,000 bookings (3,334 pages) printed to a PDF file, and a run aborted.
#include "base/Memory.h"
#include "bench/BenchData.h"
#include "print/ListPrintout.h"
#include "print/PJDBGrid.h"
#include "print/Printer.h"

#include <benchmark/benchmark.h>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

struct BookingsList {
    explicit BookingsList(int count)
        : data({dir.path(), dir.path()})
    {
        data.ClientDataSet1->afterInsert = nullptr;
        data.ClientDataSet1->beforePost = nullptr;
        fillBookings(*data.ClientDataSet1, count);
        Printer::install(std::make_unique<PdfPrinter>(dir.filePath(QStringLiteral("liste.pdf"))));
        setUpListJob(job, ListPrintout::Bookings, data);
    }
    ~BookingsList() { Printer::install(nullptr); }
    QTemporaryDir dir;
    TDataModule1 data;
    TDBGridPrintJob job;
};

void BM_PrintBookingsToPdf(benchmark::State &state)
{
    BookingsList list(int(state.range(0)));
    for (auto _ : state) {
        double heapAtPage100 = 0;
        double heapPeak = 0;
        int progressCalls = 0;
        list.job.OnPrintProgress = [&](TCustomPrintJob &, int pos, int, int) {
            ++progressCalls;
            heapPeak = std::max(heapPeak, heapMegabytes());
            if (pos == 100)
                heapAtPage100 = heapMegabytes();
        };
        QElapsedTimer timer;
        timer.start();
        list.job.Print();
        state.counters["seconds"] = timer.elapsed() / 1000.0;
        state.counters["pages"] = list.job.PageCount();
        state.counters["progress_calls"] = progressCalls;
        state.counters["heap_at_page_100_MB"] = heapAtPage100;
        state.counters["heap_peak_MB"] = heapPeak;
        state.counters["pdf_MB"] = QFileInfo(list.dir.filePath(QStringLiteral("liste.pdf"))).size() / 1048576.0;
    }
}
BENCHMARK(BM_PrintBookingsToPdf)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Abort at page 1,000: how long until the run has ended.
void BM_AbortPrint(benchmark::State &state)
{
    BookingsList list(int(state.range(0)));
    for (auto _ : state) {
        QElapsedTimer sinceAbort;
        int printed = 0;
        list.job.OnPrintProgress = [&](TCustomPrintJob &job, int pos, int, int) {
            printed = pos;
            if (pos == 1000) {
                job.AbortPrint();
                sinceAbort.start();
            }
        };
        list.job.Print();
        state.counters["pages_printed"] = printed;
        state.counters["abort_to_end_ms"] = double(sinceAbort.elapsed());
    }
}
BENCHMARK(BM_AbortPrint)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    Memory::preferLargePages(); // as the programs do
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
