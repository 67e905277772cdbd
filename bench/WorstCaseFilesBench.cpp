// The hostile files a small .grafa can be: the tool's "matrix" command on each, in process:
// read, check, answer. Resident memory of the real command is measured with /usr/bin/time.
#include "base/IniFile.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"
#include "files/GrafaFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    QFile file(dir.filePath(QLatin1String(name)));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

void AnswerMatrix(benchmark::State& state, const QString& fileName)
{
    for (auto _ : state) {
        auto g = std::make_unique<GraphDocument>();
        g->StartNewGraph(false, false);
        g->MeasuresLabels = false; // as nodeloom-cli reads files
        SilentProgramHost silent;
        GrafaFile::LoadGrafa(*g, silent, fileName);
        benchmark::DoNotOptimize(g->MatrixToMemo());
    }
}

// 1,024 labels of 10,000 characters each.
void BM_MatrixOfLongLabels(benchmark::State& state)
{
    QTemporaryDir dir;
    QByteArray bytes =
        "[Main]\nVersion=1\nPointCount=1\nCountLabel=1024\n[GrafPosition]\nX1=10\nY1=10\n[Labels]\n";
    for (int k = 1; k <= 1024; ++k)
        bytes += "LabelText" + QByteArray::number(k) + "=" + QByteArray(10000, 'x') + "\nX" +
                 QByteArray::number(k) + "=5\nY" + QByteArray::number(k) + "=5\n";
    AnswerMatrix(state, WriteFile(dir, "labels.grafa", bytes));
}
BENCHMARK(BM_MatrixOfLongLabels)->Unit(benchmark::kMillisecond);

// One vertex as far out as a file can put it.
void BM_MatrixOfAFarVertex(benchmark::State& state)
{
    QTemporaryDir dir;
    AnswerMatrix(state, WriteFile(dir, "far.grafa",
                                  "[Main]\nVersion=1\nPointCount=1\n[GrafPosition]\nX1=100000\nY1=100000\n"));
}
BENCHMARK(BM_MatrixOfAFarVertex)->Unit(benchmark::kMillisecond);

// The complete weighted graph on 255 vertices: 64,770 matrix keys.
void BM_MatrixOfTheCompleteGraph(benchmark::State& state)
{
    QTemporaryDir dir;
    QByteArray bytes = "[Main]\nVersion=1\nIsOrint=0\nIsHaveCost=1\nPointCount=255\n[Matrix]\n";
    for (int i = 1; i <= 255; ++i)
        for (int j = 1; j <= 255; ++j)
            if (i != j)
                bytes += "From" + QByteArray::number(i) + "To" + QByteArray::number(j) + "=" +
                         QByteArray::number(1 + (std::min(i, j) * 7919 + std::max(i, j) * 104729) % 50000) +
                         "\n";
    AnswerMatrix(state, WriteFile(dir, "complete.grafa", bytes));
}
BENCHMARK(BM_MatrixOfTheCompleteGraph)->Unit(benchmark::kMillisecond);

} // namespace
