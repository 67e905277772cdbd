#include "base/MemoryReuse.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[])
{
    // As the programs run: freed memory kept for the next run.
    KeepFreedMemoryForReuse();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
