#include "base/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The largest matrix a graph file holds: 255 × 255 keys in one section.
void WriteMatrix(IniFile& ini)
{
    for (int i = 1; i <= 255; ++i)
        for (int j = 1; j <= 255; ++j)
            ini.WriteInteger(QStringLiteral("Matrix"), QStringLiteral("From%1To%2").arg(i).arg(j),
                             (i + j) % 50000);
}

void BM_IniWriteAndUpdateFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("matrix.grafa"));
    for (auto _ : state) {
        IniFile ini(path + QStringLiteral(".new")); // absent: starts empty every time
        WriteMatrix(ini);
        if (!ini.UpdateFile())
            state.SkipWithError("UpdateFile failed");
        state.PauseTiming();
        QFile::remove(path + QStringLiteral(".new"));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_IniWriteAndUpdateFile)->Unit(benchmark::kMillisecond);

void BM_IniLoadAndRead(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("matrix.grafa"));
    {
        IniFile ini(path);
        WriteMatrix(ini);
        ini.UpdateFile();
    }
    for (auto _ : state) {
        const IniFile ini(path);
        long long sum = 0;
        for (int i = 1; i <= 255; ++i)
            for (int j = 1; j <= 255; ++j)
                sum +=
                    ini.ReadInteger(QStringLiteral("Matrix"), QStringLiteral("From%1To%2").arg(i).arg(j), 0);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_IniLoadAndRead)->Unit(benchmark::kMillisecond);

// Formatting the keys alone, which both benchmarks above include: the INI cost
// is the difference.
void BM_MatrixKeyFormattingBaseline(benchmark::State& state)
{
    for (auto _ : state) {
        qsizetype length = 0;
        for (int i = 1; i <= 255; ++i)
            for (int j = 1; j <= 255; ++j)
                length += QStringLiteral("From%1To%2").arg(i).arg(j).size();
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_MatrixKeyFormattingBaseline)->Unit(benchmark::kMillisecond);

} // namespace
