#include "CliProcess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

namespace {

struct CliBatch : CliProcess {

    // A class's work: random directed graphs, most weighted (Dijkstra runs), some not (it
    // refuses), one without a path from 1 to 2, and a damaged file among them.
    QStringList MakeClassFolder(int count)
    {
        QDir(dir.path()).mkpath(QStringLiteral("class"));
        QRandomGenerator random(20);
        for (int i = 0; i < count; ++i) {
            const int n = 3 + int(random.bounded(7));
            const bool weighted = i % 4 != 3;
            QString matrix;
            for (int r = 0; r < n; ++r) {
                QStringList row;
                for (int c = 0; c < n; ++c)
                    row.append(r != c && random.bounded(3) == 0
                                   ? QString::number(weighted ? 1 + random.bounded(20) : 1)
                                   : QStringLiteral("0"));
                matrix += row.join(QLatin1Char(',')) + QLatin1Char('\n');
            }
            QStringList arguments{QStringLiteral("from-matrix"), matrix,
                                  QStringLiteral("class/g%1.grafa").arg(i, 2, 10, QLatin1Char('0')),
                                  QStringLiteral("--directed")};
            if (weighted)
                arguments.append(QStringLiteral("--weighted"));
            EXPECT_EQ(Run(arguments), 0) << err.toStdString();
        }
        Write(QStringLiteral("class/broken.grafa"), QByteArray("\x01\x02\x03 not a graph\xff", 17));
        // Only the folder's graph files are taken.
        Write(QStringLiteral("class/notes.txt"), "0,1\n1,0\n");
        QStringList files{dir.filePath(QStringLiteral("class/broken.grafa"))};
        for (int i = 0; i < count; ++i)
            files.append(dir.filePath(QStringLiteral("class/g%1.grafa").arg(i, 2, 10, QLatin1Char('0'))));
        return files;
    }
};

const QStringList kDijkstra{QStringLiteral("run"), QStringLiteral("FindTraceDekctri")};
const QStringList kEnds{QStringLiteral("--from"), QStringLiteral("1"), QStringLiteral("--to"),
                        QStringLiteral("2")};

} // namespace

// Every file's section is what a run of that file alone prints, in the order given, however
// many runs go at once; a damaged file is reported and the others still run.
TEST_F(CliBatch, ManyFilesPrintInTheOrderGivenLikeSingleRuns)
{
    const QStringList folderFiles = MakeClassFolder(12);
    const QString first = Write(QStringLiteral("first.grafa"), Read(QStringLiteral("class/g05.grafa")));
    const QString missing = dir.filePath(QStringLiteral("missing.grafa"));
    const QStringList order = QStringList{first, missing} + folderFiles;

    QString expectedOut, expectedErr;
    int worst = 0;
    for (const QString& file : order) {
        const int status = Run(kDijkstra + QStringList{file} + kEnds);
        worst = std::max(worst, status);
        expectedOut += QStringLiteral("== ") + file + QStringLiteral(" ==\n") + out;
        // A single run's lines, each naming its file (the reason for an unreadable one does).
        for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            expectedErr +=
                (line.startsWith(file + QStringLiteral(": ")) ? line : file + QStringLiteral(": ") + line) +
                QLatin1Char('\n');
    }
    EXPECT_TRUE(expectedErr.contains(QStringLiteral(": message: "))) << "a refusal's message names its file";
    // The set holds every kind of ending: a result, a refusal, an unreadable file.
    EXPECT_EQ(worst, 3);
    EXPECT_TRUE(expectedErr.contains(missing)) << expectedErr.toStdString();

    for (const QString& jobs : {QStringLiteral("1"), QStringLiteral("4")}) {
        SCOPED_TRACE(jobs.toStdString());
        EXPECT_EQ(Run(kDijkstra + QStringList{first, missing, dir.filePath(QStringLiteral("class"))} + kEnds +
                      QStringList{QStringLiteral("--jobs"), jobs}),
                  worst);
        EXPECT_EQ(out.toStdString(), expectedOut.toStdString());
        EXPECT_EQ(err.toStdString(), expectedErr.toStdString());
    }
}

// One JSON line per file, in order: a run's own --json record with its "file", and for a
// file that could not be run, how it ended.
TEST_F(CliBatch, JsonLinesAreTheSingleRecordsWithTheirFile)
{
    const QStringList files = MakeClassFolder(6);
    QList<QJsonObject> expected;
    for (const QString& file : files) {
        const int status =
            Run(kDijkstra + QStringList{file, QStringLiteral("--json"), QStringLiteral("one.json")} + kEnds);
        QJsonObject record = QJsonDocument::fromJson(Read(QStringLiteral("one.json"))).object();
        QFile::remove(dir.filePath(QStringLiteral("one.json")));
        if (record.isEmpty()) {
            // A file that was never run writes no record of its own: its line says how it
            // ended and with which messages.
            QJsonArray messages;
            for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                if (line.startsWith(QStringLiteral("message: ")))
                    messages.append(line.mid(9));
            record = {{"name", "FindTraceDekctri"}, {"exit", status}, {"messages", messages}};
        }
        record.insert(QStringLiteral("file"), file);
        expected.append(record);
    }
    // The damaged file is the one that never ran.
    EXPECT_TRUE(expected.front().value(QStringLiteral("outp")).isUndefined());
    EXPECT_NE(expected.front().value(QStringLiteral("exit")).toInt(), 0);

    ASSERT_EQ(Run(kDijkstra +
                  QStringList{dir.filePath(QStringLiteral("class")), QStringLiteral("--jsonl"),
                              QStringLiteral("all.jsonl"), QStringLiteral("--jobs"), QStringLiteral("3")} +
                  kEnds),
              3);
    EXPECT_TRUE(out.isEmpty());
    const QList<QByteArray> lines = Read(QStringLiteral("all.jsonl")).split('\n');
    ASSERT_EQ(lines.size(), files.size() + 1);
    EXPECT_TRUE(lines.last().isEmpty());
    for (qsizetype i = 0; i < files.size(); ++i)
        EXPECT_EQ(QJsonDocument::fromJson(lines[i]).object(), expected[i]) << lines[i].toStdString();
    // "-" writes the same lines to stdout.
    Run(kDijkstra +
        QStringList{dir.filePath(QStringLiteral("class")), QStringLiteral("--jsonl"), QStringLiteral("-")} +
        kEnds);
    EXPECT_EQ(out.toUtf8(), Read(QStringLiteral("all.jsonl")));
}

TEST_F(CliBatch, HelpVersionAndUsageErrors)
{
    ASSERT_EQ(Run({QStringLiteral("--version")}), 0);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^nodeloom-cli \\d+\\.\\d+(\\.\\d+)?\n$")).match(out).hasMatch())
        << out.toStdString();
    EXPECT_TRUE(err.isEmpty());
    const QString version = out;
    EXPECT_EQ(Run({QStringLiteral("-v")}), 0);
    EXPECT_EQ(out, version);
    for (const QStringList& help : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"run", "--help"}}) {
        EXPECT_EQ(Run(help), 0);
        EXPECT_TRUE(out.startsWith(QStringLiteral("usage:"))) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("--jsonl")));
        EXPECT_TRUE(err.isEmpty());
    }

    const QStringList files = MakeClassFolder(2);
    // Outputs of one run cannot take many files; --jobs counts runs.
    EXPECT_EQ(Run(kDijkstra +
                  QStringList{files[1], files[2], QStringLiteral("--json"), QStringLiteral("x.json")} +
                  kEnds),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("--jsonl")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.json"))));
    EXPECT_EQ(Run(kDijkstra + QStringList{files[1], QStringLiteral("--jobs"), QStringLiteral("0")}), 2);
    EXPECT_EQ(Run(kDijkstra + QStringList{files[1], QStringLiteral("--jobs"), QStringLiteral("many")}), 2);
    // A folder without graph files is reported like a file that is not one.
    QDir(dir.path()).mkpath(QStringLiteral("empty"));
    EXPECT_EQ(Run(kDijkstra + QStringList{dir.filePath(QStringLiteral("empty"))} + kEnds), 1);
    EXPECT_EQ(out, QStringLiteral("== ") + dir.filePath(QStringLiteral("empty")) + QStringLiteral(" ==\n"));
    EXPECT_TRUE(err.startsWith(dir.filePath(QStringLiteral("empty")) + QStringLiteral(": ")));
    // The jsonl file that cannot be written makes the status 4, the runs still done.
    EXPECT_EQ(Run(kDijkstra +
                  QStringList{files[1], QStringLiteral("--jsonl"),
                              dir.filePath(QStringLiteral("no/such/folder.jsonl"))} +
                  kEnds),
              4);
}

// Every entry of a folder named like a graph file has its section and its error line and
// counts in the status: a broken link, a folder so named, a file that cannot be read. A
// folder of only such entries reports each of them, not itself.
TEST_F(CliBatch, EntriesThatCannotBeReadAreReportedAndCount)
{
    const QStringList good = MakeClassFolder(1);
    const QString folder = dir.filePath(QStringLiteral("class"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere.grafa")), folder + "/gone.grafa"));
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("folder.grafa")));
    const bool root = ::geteuid() == 0;
    const QString locked =
        Write(QStringLiteral("class/locked.grafa"), Read(QStringLiteral("class/g00.grafa")));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));

    EXPECT_EQ(Run(kDijkstra + QStringList{folder} + kEnds + QStringList{QStringLiteral("--jobs"), "2"}), 1);
    QStringList sections;
    for (const QString& line : out.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("== ")))
            sections.append(line);
    QStringList expected;
    for (const char* name : {"broken", "folder", "g00", "gone", "locked"})
        expected.append(QStringLiteral("== %1/%2.grafa ==").arg(folder, QLatin1String(name)));
    EXPECT_EQ(sections, expected);
    EXPECT_TRUE(err.contains(folder + "/gone.grafa: файл не найден\n")) << err.toStdString();
    EXPECT_TRUE(err.contains(folder + "/folder.grafa: это не файл графа\n")) << err.toStdString();
    if (!root) {
        EXPECT_TRUE(err.contains(locked + ": файл не удаётся прочитать\n")) << err.toStdString();
    }
    EXPECT_FALSE(err.contains(folder + ": ")) << err.toStdString();

    // Only a broken link: its own line, not "not a graph file" for the folder.
    const QString lonely = dir.filePath(QStringLiteral("lonely"));
    ASSERT_TRUE(QDir().mkpath(lonely));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere.grafa")), lonely + "/only.grafa"));
    EXPECT_EQ(Run(kDijkstra + QStringList{lonely} + kEnds), 1);
    EXPECT_EQ(err, lonely + "/only.grafa: файл не найден\n");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// A line end or an escape sequence in a file name never splits a line or reaches the
// terminal: such names are quoted with their control characters written out; plain names
// stay as they are.
TEST_F(CliBatch, NamesWithControlCharactersAreQuotedOnOneLine)
{
    MakeClassFolder(1);
    const QString folder = dir.filePath(QStringLiteral("class"));
    const QString odd = Write(QStringLiteral("class/two\nlines\x1b[31m.grafa"), "not a graph \x01\x02");
    const QString shown = QStringLiteral("\"%1/two\\nlines\\x1b[31m.grafa\"").arg(folder);

    EXPECT_EQ(Run({QStringLiteral("matrix"), odd}), 1);
    EXPECT_EQ(err, shown + QStringLiteral(": это не файл графа\n"));
    EXPECT_EQ(Run({QStringLiteral("matrix"), QStringLiteral("\"quoted\\.grafa")}), 1);
    EXPECT_EQ(err, QStringLiteral("\"\\\"quoted\\\\.grafa\": файл не найден\n"));

    EXPECT_EQ(Run(kDijkstra + QStringList{folder} + kEnds), 1);
    EXPECT_TRUE(out.contains(QStringLiteral("== ") + shown + QStringLiteral(" ==\n"))) << out.toStdString();
    EXPECT_FALSE(out.contains(QChar(0x1b)));
    EXPECT_FALSE(err.contains(QChar(0x1b)));
    // Every line on standard error still begins with the name of its file.
    for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        EXPECT_TRUE(line.startsWith(folder + "/broken.grafa: ") || line.startsWith(shown + ": "))
            << line.toStdString();
    EXPECT_EQ(Run({QStringLiteral("run"), QStringLiteral("No\x1b[2JSuch"), odd}), 2);
    EXPECT_TRUE(err.startsWith(QStringLiteral("unknown algorithm \"No\\x1b[2JSuch\"\n")))
        << err.toStdString();
}
