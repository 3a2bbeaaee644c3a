// Delimited-text import of 100,000 payers: reading the file and adding the records with their rules.
#include "data/DataModule.h"
#include "ops/DelimitedText.h"
#include "ops/TextImport.h"

#include <benchmark/benchmark.h>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

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
        QTemporaryDir dir;
        TDataModule1 data({dir.path(), dir.path()});
        QElapsedTimer timer;
        timer.start();
        const DelimitedText::Table table = DelimitedText::parse(DelimitedText::decode(file,
                                                                                      DelimitedText::Encoding::Auto),
                                                                {u';', {}, DelimitedText::Encoding::Auto});
        state.counters["read_ms"] = double(timer.elapsed());
        TextImport::Settings settings;
        settings.columnOfField = {0, 1, 2, 3, 4, 5, 6, -1, -1, -1, -1, -1, -1};
        settings.titleRow = true;
        const int added = TextImport::Run(data, table, settings).added;
        state.counters["total_ms"] = double(timer.elapsed());
        state.counters["payers"] = added;
    }
}
BENCHMARK(BM_ImportPayers)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
