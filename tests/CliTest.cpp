#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Cli : ::testing::Test {
    QTemporaryDir dir;
    QString out, err;

    int Run(const QStringList& arguments)
    {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(NODELOOM_CLI_PATH), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        out = QString::fromUtf8(process.readAllStandardOutput());
        err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return dir.filePath(name);
    }
    QByteArray Read(const QString& name)
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString WorkedExample()
    {
        EXPECT_EQ(Run({"from-matrix", "0,4,0\n0,0,5\n0,0,0", "example.grafa", "--directed", "--weighted"}), 0)
            << err.toStdString();
        return dir.filePath("example.grafa");
    }
};

} // namespace

TEST_F(Cli, WorkedExamplePrintsTheFiveLines)
{
    const QString file = WorkedExample();
    ASSERT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "3", "--json", "r.json",
                   "--report", "r.html", "--time"}),
              0);
    EXPECT_EQ(out, QString("Алгоритм Дейкстры :\nВершины 3 достижима из вершины 1 за 9\n"
                           "Достижимость вершин из вершины 1\n| 1 | 2 | 3 |\n|  0|  4|  9|\n"));
    EXPECT_TRUE(
        QRegularExpression("^time_ms: \\d+\\.\\d{3}\nwrite_ms: \\d+\\.\\d{3}\n$").match(err).hasMatch())
        << err.toStdString();

    const QByteArray report = Read("r.html");
    EXPECT_TRUE(report.startsWith(QString("<b>Алгоритм Дейкстры :</b><br>").toUtf8()));
    EXPECT_TRUE(report.endsWith("</table>\r\n"));

    const QJsonObject json = QJsonDocument::fromJson(Read("r.json")).object();
    EXPECT_EQ(json["name"].toString(), "FindTraceDekctri");
    EXPECT_EQ(json["exit"].toInt(), 0);
    EXPECT_EQ(json["resultCount"].toInt(), 3);
    EXPECT_EQ(json["resultValue"].toInt(), 9);
    EXPECT_EQ(json["path"].toArray(), QJsonArray({1, 2, 3}));
    EXPECT_EQ(json["activeVertices"].toArray(), QJsonArray({1, 2, 3}));
    EXPECT_EQ(json["activeArcs"].toArray(), QJsonArray({QJsonArray{1, 2, 1}, QJsonArray{2, 3, 1}}));
    EXPECT_EQ(json["outp"].toArray().size(), 5);
    EXPECT_TRUE(json["messages"].toArray().isEmpty());
    EXPECT_EQ(json["report"].toString().toUtf8(), report);
}

TEST_F(Cli, RefusalExitsThreeWithTheMessageOnStderr)
{
    const QString file = Write("plain.txt", "0,1\n1,0\n");
    ASSERT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "2", "--json", "r.json"}), 3);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(err, "message: Этот алгоритм для нагруженого графа\n");
    const QJsonObject json = QJsonDocument::fromJson(Read("r.json")).object();
    EXPECT_EQ(json["exit"].toInt(), 3);
    EXPECT_EQ(json["messages"].toArray(), QJsonArray{"Этот алгоритм для нагруженого графа"});
    EXPECT_EQ(json["report"].toString(), "");
}

TEST_F(Cli, ExitCodesForFilesAndArguments)
{
    const QString file = WorkedExample();
    EXPECT_EQ(Run({"run", "FindTraceDekctri", dir.filePath("none.grafa")}), 1);
    EXPECT_TRUE(err.startsWith("message: ")) << err.toStdString();
    EXPECT_EQ(Run({"run", "NoSuchName", file}), 2);
    EXPECT_TRUE(err.contains("usage"));
    EXPECT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "one"}), 2);
    EXPECT_EQ(Run({"run", "FindTraceDekctri"}), 2);
    EXPECT_EQ(Run({"frobnicate"}), 2);
    EXPECT_EQ(Run({}), 2);
    // A run that finds nothing to do is not a refusal.
    EXPECT_EQ(Run({"run", "FindTraceDekctri", file}), 0);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
}

TEST_F(Cli, MatrixConvertAndFromMatrix)
{
    const QString file = WorkedExample();
    ASSERT_EQ(Run({"matrix", file}), 0);
    EXPECT_EQ(out, "0,4,0\n0,0,5\n0,0,0\n");

    const QString old = Write("old.txt", "0,2\n2,0\nGrafType\nGrafType\nGraf1.001\n");
    ASSERT_EQ(Run({"convert", old, "old.grafa"}), 0);
    ASSERT_EQ(Run({"matrix", dir.filePath("old.grafa")}), 0);
    EXPECT_EQ(out, "0,2\n2,0\n");

    // A refused matrix writes nothing and says why.
    EXPECT_EQ(Run({"from-matrix", "0,1\n0,0", "bad.grafa"}), 1);
    EXPECT_EQ(err, "message: У не орграфа матрица смежностей должна быть симметричная\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("bad.grafa")));
    Write("m.txt", "0,3\r\n3,0\r\n");
    EXPECT_EQ(Run({"from-matrix", dir.filePath("m.txt"), "m.grafa", "--weighted"}), 0);
    ASSERT_EQ(Run({"matrix", dir.filePath("m.grafa")}), 0);
    EXPECT_EQ(out, "0,3\n3,0\n");
}

TEST_F(Cli, LanguageFileByPath)
{
    const QString file = WorkedExample();
    const QString lang =
        Write("test.lang", "[Main]\nLanguageTitle=Test\n[Translate]\nAlgor_dejkstry=Dijkstra:\n"
                           "Not_load_graph=Needs weights\n");
    ASSERT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "2", "--lang", lang}), 0);
    EXPECT_TRUE(out.startsWith("Dijkstra:\n"));
    EXPECT_EQ(Run({"run", "FindTraceDekctri", file, "--lang", dir.filePath("none.lang")}), 2);
}

TEST_F(Cli, PicturesShowTheHighlightedRunAndTheConvertedGraph)
{
    // Vertices at known places: vertex 1 at (100,100), vertex 2 at (300,100).
    const QString file = Write("two.grafa", "[Main]\nIsOrint=1\nIsHaveCost=1\nPointCount=2\nGrafTitleType=0\n"
                                            "Version=1\nCountLabel=0\n[Matrix]\nFrom2To1=7\n"
                                            "[GrafPosition]\nX1=100\nY1=100\nX2=300\nY2=100\n"
                                            "[GrafTitle]\nBeginNumber=1\n");
    ASSERT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "2", "--image", "run.png"}), 0)
        << err.toStdString();
    QImage run(dir.filePath("run.png"));
    ASSERT_FALSE(run.isNull());
    EXPECT_GE(run.width(), 310);
    EXPECT_EQ(run.pixelColor(93, 100), QColor(Qt::red)); // the path's start drawn highlighted

    ASSERT_EQ(Run({"convert", file, "plain.bmp"}), 0) << err.toStdString();
    QImage plain(dir.filePath("plain.bmp"));
    ASSERT_FALSE(plain.isNull());
    EXPECT_EQ(plain.pixelColor(93, 100), QColor(Qt::white)); // no run, no highlight
    EXPECT_EQ(plain.pixelColor(200, 300), QColor(Qt::white));
    // arcs in the program's default grey, not the built-in black of a bare document
    const QColor grey(0x80, 0x80, 0x80);
    EXPECT_TRUE(plain.pixelColor(150, 100) == grey || plain.pixelColor(150, 99) == grey)
        << plain.pixelColor(150, 100).name().toStdString();

    ASSERT_EQ(Run({"convert", file, "vector.svg"}), 0) << err.toStdString();
    EXPECT_TRUE(Read("vector.svg").contains("<svg"));
    EXPECT_EQ(Run({"convert", file, "picture.gif"}), 2);
}

TEST_F(Cli, ListPrintsEveryRowAndRunRefusesTheUnbuiltOnesAsUsage)
{
    ASSERT_EQ(Run({"list"}), 0);
    const QStringList rows = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 22);
    EXPECT_EQ(rows[3], "FindTraceDekctri\tfrom,to\tЭтот алгоритм для нагруженого графа\tАлгоритм Дейкстры");
    const QString file = WorkedExample();
    for (const QString& row : rows) {
        if (!row.endsWith("(not built yet)"))
            continue;
        const QString name = row.section('\t', 0, 0);
        EXPECT_EQ(Run({"run", name, file}), 2) << name.toStdString();
        EXPECT_TRUE(err.startsWith(name + ": not built yet")) << err.toStdString();
    }
}

TEST_F(Cli, StepsGoToTheJsonOnlyWhenAsked)
{
    const QString file = WorkedExample();
    ASSERT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "3", "--json", "plain.json"}), 0);
    EXPECT_TRUE(QJsonDocument::fromJson(Read("plain.json")).object()["steps"].toArray().isEmpty());

    ASSERT_EQ(
        Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "3", "--json", "s.json", "--steps"}), 0);
    const QJsonObject json = QJsonDocument::fromJson(Read("s.json")).object();
    EXPECT_EQ(json["route"].toArray(), QJsonArray({1, 2, 3}));
    const QJsonArray steps = json["steps"].toArray();
    ASSERT_EQ(steps.size(), 6);
    const QJsonObject first = steps[0].toObject();
    EXPECT_EQ(first["narration"].toString(), "Начинаем с вершины 1: расстояние до неё 0, до остальных ∞");
    // QJsonValue makes each expectation an array holding one array with every compiler.
    EXPECT_EQ(first["vertices"].toArray(), QJsonArray{QJsonValue(QJsonArray({1, "current"}))});
    // Each frame lists what changed since the one before: the first arc relaxed here.
    const QJsonObject second = steps[1].toObject();
    EXPECT_EQ(second["arcs"].toArray(), QJsonArray{QJsonValue(QJsonArray({1, 2, "chosen"}))});
    EXPECT_EQ(second["captions"].toArray(), QJsonArray{QJsonValue(QJsonArray({2, "4"}))});
}
