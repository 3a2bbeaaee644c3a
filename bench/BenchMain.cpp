#include "base/Memory.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>

int main(int argc, char **argv)
{
    Memory::preferLargePages(); // as the programs do
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
