#include "CliProcess.h"
#include "base/TranslationManager.h"
#include "drawing/StepPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct Cli : CliProcess {
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
    EXPECT_EQ(out, Translate("Algor_dejkstry") + "\n" + Translate("Graf__") + "3 " + Translate("reach") +
                       "1" + Translate("_over_") + "9\n" + Translate("reach_graf") +
                       "1\n| 1 | 2 | 3 |\n|  0|  4|  9|\n");
    EXPECT_TRUE(
        QRegularExpression("^time_ms: \\d+\\.\\d{3}\nwrite_ms: \\d+\\.\\d{3}\n$").match(err).hasMatch())
        << err.toStdString();

    const QByteArray report = Read("r.html");
    EXPECT_TRUE(report.startsWith(("<b>" + Translate("Algor_dejkstry") + "</b><br>").toUtf8()));
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
    EXPECT_EQ(err, "message: " + Translate("Not_load_graph") + "\n");
    const QJsonObject json = QJsonDocument::fromJson(Read("r.json")).object();
    EXPECT_EQ(json["exit"].toInt(), 3);
    EXPECT_EQ(json["messages"].toArray(), QJsonArray{Translate("Not_load_graph")});
    EXPECT_EQ(json["report"].toString(), "");
}

TEST_F(Cli, ExitCodesForFilesAndArguments)
{
    const QString file = WorkedExample();
    EXPECT_EQ(Run({"run", "FindTraceDekctri", dir.filePath("none.grafa")}), 1);
    EXPECT_EQ(err, dir.filePath("none.grafa") + ": файл не найден\n");
    // A usage error is its reason and one line pointing to the usage.
    EXPECT_EQ(Run({"run", "NoSuchName", file}), 2);
    EXPECT_EQ(err, "unknown algorithm NoSuchName\nКак вызывать команды: nodeloom-cli --help\n");
    EXPECT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "one"}), 2);
    EXPECT_EQ(Run({"run", "FindTraceDekctri"}), 2);
    EXPECT_EQ(Run({"frobnicate"}), 2);
    EXPECT_EQ(Run({}), 2);
    // A path search without its vertices names the missing one and the valid range.
    EXPECT_EQ(Run({"run", "FindTraceDekctri", file}), 2);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(err, "0: вершины 0 нет: вершины графа пронумерованы от 1 до 3\n");
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
    EXPECT_EQ(Run({"from-matrix", "0,1\n0,0", "bad.grafa"}), 3);
    EXPECT_EQ(err, "message: " + Translate("Matrix_must_be_simertic") + "\n");
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

    // Every command speaks it: the list's captions and rules, a generator's refusal.
    const QString english = QStringLiteral(NODELOOM_SOURCE_DIR "/local/grafEnglish.lang");
    ASSERT_EQ(Run({"list", "--lang", english}), 0);
    EXPECT_EQ(out.split('\n', Qt::SkipEmptyParts).value(3),
              "FindTraceDekctri\tfrom,to\tThis algorithm is for weighted graphs\tDijkstra's algorithm\tPath "
              "search\tdijkstra");
    ASSERT_EQ(Run({"generate", "--lang", english, "cycle", "2", dir.filePath("c.grafa")}), 3);
    EXPECT_TRUE(err.contains("from 3 to 255")) << err.toStdString();
    EXPECT_EQ(Run({"list", "--lang", dir.filePath("none.lang")}), 2);
    EXPECT_EQ(Run({"list", "--lang"}), 2);
}

TEST_F(Cli, TextsFollowTheLocaleUnlessALanguageIsGiven)
{
    const QString file = WorkedExample();
    const auto heading = [&](std::initializer_list<std::pair<const char*, const char*>> variables,
                             QStringList extra = {}) {
        locale = {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", ""}};
        for (const auto& [name, value] : variables)
            locale[name] = value;
        EXPECT_EQ(Run(QStringList{"run", "FindTraceDekctri", file, "--from", "1", "--to", "3"} + extra), 0)
            << err.toStdString();
        return out.section('\n', 0, 0);
    };
    const QString russian = Translate("Algor_dejkstry"), english = "Dijkstra's algorithm:";
    EXPECT_EQ(heading({{"LANG", "en_US.UTF-8"}}), english);
    EXPECT_EQ(heading({{"LANG", "en"}}), english);
    EXPECT_EQ(heading({{"LANG", "ru_RU.UTF-8"}}), russian);
    EXPECT_EQ(heading({{"LANG", "de_DE.UTF-8"}}), russian) << "a language without texts keeps the built-in";
    EXPECT_EQ(heading({{"LANG", "C.UTF-8"}}), russian);
    EXPECT_EQ(heading({}), russian);
    // The messages category outranks LANG, and LC_ALL outranks both.
    EXPECT_EQ(heading({{"LANG", "ru_RU.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}), english);
    EXPECT_EQ(heading({{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ru_RU.UTF-8"}}), russian);
    EXPECT_EQ(heading({{"LC_MESSAGES", "en_GB.UTF-8"}, {"LC_ALL", "ru_RU.UTF-8"}}), russian);
    // --lang wins over the locale, by file or by the short names.
    EXPECT_EQ(heading({{"LANG", "en_US.UTF-8"}}, {"--lang", "ru"}), russian);
    EXPECT_EQ(heading({{"LANG", "ru_RU.UTF-8"}}, {"--lang", "en"}), english);
    EXPECT_EQ(heading({{"LANG", "ru_RU.UTF-8"}}, {"--lang", NODELOOM_SOURCE_DIR "/local/grafEnglish.lang"}),
              english);

    // Refusals and the list speak it too.
    locale = {{"LANG", "en_US.UTF-8"}};
    ASSERT_EQ(Run({"generate", "cycle", "2", dir.filePath("c.grafa")}), 3);
    EXPECT_TRUE(err.contains("from 3 to 255")) << err.toStdString();
    ASSERT_EQ(Run({"list"}), 0);
    EXPECT_EQ(out.split('\n').value(5), "FindElersLoop\tnone\tany\tFind cycle\tEuler routes\teuler-cycle");
    EXPECT_EQ(Run({"list", "--lang", "fr"}), 2);
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
    EXPECT_EQ(rows[3], "FindTraceDekctri\tfrom,to\t" + Translate("Not_load_graph") + "\t" +
                           TranslatePlain("AlgoritmDejkstri") + "\t" + TranslatePlain("FindTrace") +
                           "\tdijkstra");
    // Rows of one caption (the Euler and the Hamiltonian cycle) are told apart by their menu.
    QSet<QString> seen;
    for (const QString& row : rows) {
        const QString captionAndMenu = row.section('\t', 3, 4);
        EXPECT_FALSE(seen.contains(captionAndMenu)) << row.toStdString();
        seen.insert(captionAndMenu);
    }
    EXPECT_EQ(rows[5].section('\t', 3, 4), TranslatePlain("FindLoop") + "\t" + TranslatePlain("ElerTrace"));
    EXPECT_EQ(rows[7].section('\t', 3, 4),
              TranslatePlain("FindLoop") + "\t" + TranslatePlain("GameltonTrace"));
    const QString file = WorkedExample();
    for (const QString& row : rows) {
        if (!row.endsWith("(not built yet)"))
            continue;
        const QString name = row.section('\t', 0, 0);
        EXPECT_EQ(Run({"run", name, file}), 2) << name.toStdString();
        EXPECT_TRUE(err.startsWith(name + ": not built yet")) << err.toStdString();
    }
}

// Each row's alias, the last column of list, runs the row exactly as its name does: the same
// status, Text pane, messages and JSON, which names the run by the dispatcher name.
TEST_F(Cli, RunTakesTheAliasAsTheName)
{
    const QString file = WorkedExample();
    ASSERT_EQ(Run({"list"}), 0);
    const QStringList rows = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 22);
    for (const QString& row : rows) {
        const QString name = row.section('\t', 0, 0), alias = row.section('\t', -1);
        const int byName = Run({"run", name, file, "--from", "1", "--to", "3", "--json", "name.json"});
        const QString nameOut = out, nameErr = err;
        const int byAlias = Run({"run", alias, file, "--from", "1", "--to", "3", "--json", "alias.json"});
        EXPECT_EQ(byAlias, byName) << alias.toStdString();
        EXPECT_EQ(out, nameOut) << alias.toStdString();
        EXPECT_EQ(err, nameErr) << alias.toStdString();
        EXPECT_EQ(Read("alias.json"), Read("name.json")) << alias.toStdString();
        EXPECT_TRUE(Read("alias.json").contains("\"" + name.toUtf8() + "\"")) << alias.toStdString();
    }
    EXPECT_EQ(Run({"run", "Dijkstra", file}), 2);
}

TEST_F(Cli, StepsAreRecordedOnlyWhenAskedAndWrittenThreeWays)
{
    const QString file = WorkedExample();
    ASSERT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "3", "--json", "plain.json"}), 0);
    EXPECT_TRUE(QJsonDocument::fromJson(Read("plain.json")).object()["steps"].toArray().isEmpty());

    ASSERT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "3", "--steps", "s.json",
                   "--frames", "frames", "--walkthrough", "walk.html", "--json", "r.json"}),
              0)
        << err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(Read("s.json")).object();
    EXPECT_EQ(json["name"].toString(), "FindTraceDekctri");
    EXPECT_FALSE(json["cut"].toBool());
    const QJsonArray steps = json["frames"].toArray();
    ASSERT_EQ(steps.size(), 6);
    EXPECT_EQ(QJsonDocument::fromJson(Read("r.json")).object()["steps"].toArray(), steps);
    const QJsonObject first = steps[0].toObject();
    EXPECT_EQ(first["narration"].toString(), "Начинаем с вершины 1: расстояние до неё 0, до остальных ∞");
    // QJsonValue makes each expectation an array holding one array with every compiler.
    EXPECT_EQ(first["vertices"].toArray(), QJsonArray{QJsonValue(QJsonArray({1, "current"}))});
    // Each frame lists what changed since the one before: the first arc relaxed here.
    const QJsonObject second = steps[1].toObject();
    EXPECT_EQ(second["arcs"].toArray(), QJsonArray{QJsonValue(QJsonArray({1, 2, "chosen"}))});
    EXPECT_EQ(second["captions"].toArray(), QJsonArray{QJsonValue(QJsonArray({2, "4"}))});

    // One picture a frame; the relaxed arc is drawn in the chosen colour in the second.
    const QStringList pictures = QDir(dir.filePath("frames")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(pictures, QStringList({"frame-0001.png", "frame-0002.png", "frame-0003.png", "frame-0004.png",
                                     "frame-0005.png", "frame-0006.png"}));

    // The page carries the graph, every narration and its controls, and nothing from outside.
    const QString page = QString::fromUtf8(Read("walk.html"));
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(page.contains("id=\"v3\""));
    EXPECT_TRUE(page.contains("id=\"a1_2\""));
    EXPECT_TRUE(page.contains("Кратчайший путь до вершины 3 найден, его длина 9"));
    EXPECT_TRUE(page.contains("ArrowRight"));
    EXPECT_TRUE(page.contains("' — '")) << "the script keeps its own text whole";
    EXPECT_FALSE(page.contains("src=\"http"));
}

TEST_F(Cli, TheWalkThroughPageGrowsLinearlyWithTheFrames)
{
    // A path of n vertices: about 2n frames; the page's bytes per frame stay about the same.
    auto pageSize = [this](int n) {
        QStringList rows;
        for (int i = 1; i <= n; ++i) {
            QStringList row;
            for (int j = 1; j <= n; ++j)
                row.append(j == i + 1 || j == i - 1 ? "3" : "0");
            rows.append(row.join(','));
        }
        EXPECT_EQ(Run({"from-matrix", rows.join('\n'), "p.grafa", "--weighted"}), 0);
        EXPECT_EQ(Run({"run", "FindTraceDekctri", dir.filePath("p.grafa"), "--from", "1", "--to",
                       QString::number(n), "--walkthrough", "p.html"}),
                  0);
        return double(Read("p.html").size());
    };
    const double small = pageSize(20), large = pageSize(200);
    EXPECT_LT(large, small * 10 * 1.5);
}

// Every command against every cause of failure: the status, and a line on standard error that
// names the cause.
TEST_F(Cli, OneRuleForExitStatuses)
{
    const QString good = WorkedExample();
    const QString text = Write("text.txt", "hello, this is not a graph\n");
    const QString empty = Write("empty.grafa", "");
    const QString future = Write("future.grafa", "[Main]\nVersion=2\nPointCount=1\n");
    const QString tooMany = Write("many.grafa", "[Main]\nVersion=1\nPointCount=300\n");
    const QString blocked = dir.filePath("no-such-folder/out");
    struct Case {
        QStringList arguments;
        int status;
        QString inError; // a text standard error must hold
    };
    const QList<Case> cases = {
        // done
        {{"run", "FindTraceDekctri", good, "--from", "1", "--to", "3"}, 0, ""},
        {{"matrix", good}, 0, ""},
        {{"convert", good, "copy.grafa"}, 0, ""},
        {{"from-matrix", "0,1\n1,0", "two.grafa"}, 0, ""},
        {{"list"}, 0, ""},
        // unreadable input
        {{"run", "FindTraceDekctri", dir.filePath("gone.grafa"), "--from", "1", "--to", "2"},
         1,
         "файл не найден"},
        {{"matrix", empty}, 1, "файл пуст"},
        {{"matrix", future}, 1, "версия файла 2 не поддерживается"},
        {{"convert", dir.path(), "x.grafa"}, 1, "это не файл графа"},
        // a ".txt" that is no matrix is read as an edge list, and this is none either
        {{"matrix", text}, 1, "Файл не прочитан"},
        // usage
        {{"run", "FindTraceDekctri", good, "--from", "1", "--to", "7"}, 2, "вершины 7 нет"},
        {{"run", "FindTraceDekctri", good, "--from", "-2", "--to", "1"}, 2, "от 1 до 3"},
        {{"matrix"}, 2, "matrix needs FILE\n"},
        {{"convert", good, "out.xyz"}, 2, "convert writes"},
        {{"from-matrix", "0"}, 2, "from-matrix needs"},
        {{"list", "extra"}, 2, "list takes no arguments\n"},
        {{"run", "FindTraceDekctri", good, "--frobnicate"}, 2, "frobnicate"},
        // read, then refused by a rule
        {{"run", "FindTraceDekctri", good, "--from", "2", "--to", "2"}, 3, "разными"},
        {{"run", "IsThree", good}, 3, "не для орграфов"},
        {{"matrix", tooMany}, 3, "в файле 300 вершин, а программа работает не больше чем с 255"},
        {{"from-matrix", "0,1\n1,0\n0,0", "x.grafa"},
         3,
         "матрица не квадратная: строк 3, чисел в первой строке 2"},
        {{"from-matrix", "", "x.grafa"}, 3, "текст не содержит матрицы"},
        {{"from-matrix", "0,1\n0,0", "x.grafa"}, 3, "симметричной"},
        // an output that cannot be written
        {{"convert", good, blocked + ".grafa"}, 4, blocked},
        {{"convert", good, blocked + ".png"}, 4, blocked},
        {{"from-matrix", "0,1\n1,0", blocked + ".grafa"}, 4, blocked},
        {{"run", "FindTraceDekctri", good, "--from", "1", "--to", "3", "--image", blocked + ".png"},
         4,
         blocked},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.arguments), c.status) << c.arguments.join(' ').toStdString() << "\n"
                                              << err.toStdString();
        if (c.inError.isEmpty())
            EXPECT_TRUE(err.isEmpty()) << c.arguments.join(' ').toStdString() << "\n" << err.toStdString();
        else
            EXPECT_TRUE(err.contains(c.inError)) << c.arguments.join(' ').toStdString() << "\n"
                                                 << err.toStdString();
    }
}

TEST_F(Cli, EveryOutputThatCanBeWrittenIsWritten)
{
    const QString good = WorkedExample();
    EXPECT_EQ(Run({"run", "FindTraceDekctri", good, "--from", "1", "--to", "3", "--report", "r.html",
                   "--image", dir.filePath("no-such-folder/x.png"), "--json", "j.json"}),
              4);
    EXPECT_FALSE(Read("r.html").isEmpty());
    const QJsonObject json = QJsonDocument::fromJson(Read("j.json")).object();
    EXPECT_EQ(json["exit"].toInt(), 4);
    EXPECT_EQ(json["resultValue"].toInt(), 9);
}

TEST_F(Cli, FarAwayVerticesNeverAskForAHugePicture)
{
    // A vertex at (100000, 100000) is read at the edge of the coordinate range; the commands
    // that draw nothing never make a picture, and a picture too large to make is refused.
    const QString far =
        Write("far.grafa", "[Main]\nVersion=1\nPointCount=1\n[GrafPosition]\nX1=100000\nY1=100000\n");
    ASSERT_EQ(Run({"matrix", far}), 0);
    EXPECT_EQ(out, "0\n");
    ASSERT_EQ(Run({"run", "MonolitIs", far}), 0) << err.toStdString();
    ASSERT_EQ(Run({"convert", far, "far.svg"}), 0) << err.toStdString();
    QXmlStreamReader svg(Read("far.svg"));
    ASSERT_TRUE(svg.readNextStartElement());
    EXPECT_LE(svg.attributes().value("width").toString().remove("mm").toDouble(), 8192 * 25.4 / 96 + 1);
}

TEST_F(Cli, LongLabelsAreCutWithAMessage)
{
    QByteArray file =
        "[Main]\nVersion=1\nPointCount=1\nCountLabel=1\n[GrafPosition]\nX1=50\nY1=50\n[Labels]\nLabelText1=";
    file += QByteArray(20000, 'a');
    file += "\nX1=10\nY1=10\n";
    const QString name = Write("labels.grafa", file);
    ASSERT_EQ(Run({"convert", name, "cut.grafa"}), 0);
    EXPECT_EQ(err, "message: Текст надписи длиннее 10000 знаков обрезан\n");
    EXPECT_TRUE(Read("cut.grafa").contains("LabelText1=" + QByteArray(10000, 'a') + "\n"));
}

// Every SVG the tool writes, the converted graph and each frame of a run, holds no control
// character that XML refuses.
TEST_F(Cli, SvgStaysWellFormedWithControlCharactersInNames)
{
    QByteArray file =
        "[Main]\nVersion=1\nPointCount=2\nIsOrint=1\nIsHaveCost=1\nGrafTitleType=2\nCountLabel=1\n"
        "[Matrix]\nFrom2To1=3\n[GrafPosition]\nX1=50\nY1=50\nX2=150\nY2=50\n"
        "[GrafTitle]\nTitle1=a\x01<b>&\nTitle2=c\x1b[31md\n[Labels]\nLabelText1=x\x02y\nX1=10\nY1=10\n";
    const QString name = Write("ctl.grafa", file);
    auto wellFormed = [](const QByteArray& svg) {
        QXmlStreamReader xml(svg);
        while (!xml.atEnd())
            xml.readNext();
        return xml.hasError() ? xml.errorString().toStdString() : std::string();
    };
    ASSERT_EQ(Run({"convert", name, "ctl.svg"}), 0) << err.toStdString();
    EXPECT_EQ(wellFormed(Read("ctl.svg")), "");
    ASSERT_EQ(Run({"run", "FindTraceDekctri", name, "--from", "1", "--to", "2", "--frames", "frames",
                   "--frames-format", "svg"}),
              0)
        << err.toStdString();
    const QStringList frames = QDir(dir.filePath("frames")).entryList(QDir::Files, QDir::Name);
    ASSERT_GE(frames.size(), 3);
    for (const QString& frame : frames)
        EXPECT_EQ(wellFormed(Read("frames/" + frame)), "") << frame.toStdString();
}

TEST_F(Cli, ConvertGoesThroughTheExchangeFormatsByExtensionOrByName)
{
    const QString file = WorkedExample();
    ASSERT_EQ(Run({"convert", file, "a.dot"}), 0) << err.toStdString();
    ASSERT_EQ(Run({"convert", dir.filePath("a.dot"), "back.grafa"}), 0) << err.toStdString();
    ASSERT_EQ(Run({"matrix", dir.filePath("back.grafa")}), 0);
    const QString matrix = out;
    ASSERT_EQ(Run({"matrix", file}), 0);
    EXPECT_EQ(matrix, out);
    EXPECT_EQ(Read("example.grafa").contains("PointCount=3"), Read("back.grafa").contains("PointCount=3"));

    // The options name the formats whatever the extensions say.
    ASSERT_EQ(Run({"convert", file, "graph.xml", "--to-format", "graphml"}), 0) << err.toStdString();
    EXPECT_TRUE(Read("graph.xml").contains("<graphml"));
    ASSERT_EQ(Run({"convert", dir.filePath("graph.xml"), "m.csv", "--from-format", "graphml"}), 0)
        << err.toStdString();
    EXPECT_EQ(Read("m.csv"), ",1,2,3\n1,0,4,0\n2,0,0,5\n3,0,0,0\n");
    ASSERT_EQ(Run({"convert", file, "a.pdf"}), 0) << err.toStdString();
    EXPECT_TRUE(Read("a.pdf").startsWith("%PDF-"));

    EXPECT_EQ(Run({"convert", file, "x.out", "--to-format", "yaml"}), 2);
    EXPECT_EQ(Run({"convert", Write("bad.dot", "digraph { a -> ; }"), "x.grafa"}), 1);
    EXPECT_TRUE(err.contains("syntax error")) << err.toStdString();
    EXPECT_EQ(Run({"convert", Write("w.txt", "a b 0.1\n"), "x.grafa"}), 3);
    EXPECT_TRUE(err.contains("50000")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("x.grafa")));
}

// Frame pictures have a bound on their number and their estimated bytes, checked on both
// sides; beyond it nothing is written and the reason names the estimate. A folder that
// cannot be made says so.
TEST_F(Cli, FramePicturesStayWithinTheirBound)
{
    EXPECT_TRUE(FramePicturesAllowed(0, 0));
    EXPECT_TRUE(FramePicturesAllowed(10000, 1000));
    EXPECT_FALSE(FramePicturesAllowed(10001, 1));
    const qint64 share = 2048LL * 1024 * 1024 / 1000;
    EXPECT_TRUE(FramePicturesAllowed(1000, share));
    EXPECT_FALSE(FramePicturesAllowed(1000, share + 1));

    ASSERT_EQ(Run({"generate", "complete", "120", "k.grafa", "--weights", "1..9"}), 0) << err.toStdString();
    const QString k = dir.filePath("k.grafa");
    ASSERT_EQ(Run({"run", "FindTraceDekctri", k, "--from", "1", "--to", "2", "--steps", "s.json"}), 0);
    const qsizetype frames = QJsonDocument::fromJson(Read("s.json")).object()["frames"].toArray().size();
    ASSERT_GT(frames, 10000);
    EXPECT_EQ(Run({"run", "FindTraceDekctri", k, "--from", "1", "--to", "2", "--frames", "f"}), 4);
    const QRegularExpression reason(
        QStringLiteral("^f: %1 кадров, всего около (\\d+) МБ: .* не больше 10000 .* не больше 2048 МБ\n$")
            .arg(frames));
    const QRegularExpressionMatch match = reason.match(err);
    ASSERT_TRUE(match.hasMatch()) << err.toStdString();
    EXPECT_GT(match.captured(1).toInt(), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("f")));

    const QString file = WorkedExample();
    EXPECT_EQ(Run({"run", "FindTraceDekctri", file, "--from", "1", "--to", "3", "--frames",
                   dir.filePath("example.grafa/frames")}),
              4);
    EXPECT_TRUE(err.startsWith(dir.filePath("example.grafa/frames") + ": папку не удаётся создать: "))
        << err.toStdString();
}

// A damaged graph file is one line naming the file and what is wrong: random bytes are no
// graph file, too many vertices name the limit (255 still opens), a file cut short says so.
TEST_F(Cli, DamagedGraphFilesSayWhatIsWrongInOneLine)
{
    const QString noise = Write("noise.grafa", QByteArray("\x8f\x00\xff\x13PK\x03\x04 [Main\x01", 16));
    EXPECT_EQ(Run({"matrix", noise}), 1);
    EXPECT_EQ(err, noise + ": это не файл графа\n");

    const QString most = Write("most.grafa", "[Main]\nVersion=1\nPointCount=255\n");
    EXPECT_EQ(Run({"matrix", most}), 0) << err.toStdString();
    EXPECT_EQ(out.count('\n'), 255);
    for (const char* count : {"256", "99999"}) {
        const QString many = Write("many.grafa", QByteArray("[Main]\nVersion=1\nPointCount=") + count + "\n");
        EXPECT_EQ(Run({"matrix", many}), 3);
        EXPECT_EQ(err, many + ": в файле " + count + " вершин, а программа работает не больше чем с 255\n");
    }

    // Cut anywhere before its last line, a saved file never opens as if it were whole.
    ASSERT_EQ(Run({"generate", "cycle", "4", "whole.grafa", "--naming", "manual"}), 0) << err.toStdString();
    const QByteArray whole = Read("whole.grafa");
    const qsizetype lastLine = whole.lastIndexOf('\n', whole.size() - 2);
    ASSERT_GT(lastLine, 0);
    int truncated = 0;
    for (qsizetype size = 1; size <= lastLine; size += 5) {
        if (whole[size - 1] == '\n')
            continue;
        const QString cut = Write("cut.grafa", whole.left(size));
        EXPECT_EQ(Run({"matrix", cut}), 1) << size;
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
        EXPECT_TRUE(err.startsWith(cut + ": это не файл графа") ||
                    err.startsWith(cut + ": файл обрезан: нет ключа "))
            << size << ": " << err.toStdString();
        truncated += err.contains("обрезан") ? 1 : 0;
    }
    EXPECT_GT(truncated, 5);
    // A whole file whose last line end was lost in editing still opens.
    const QString edited = Write("edited.grafa", whole.trimmed());
    EXPECT_EQ(Run({"matrix", edited}), 0) << err.toStdString();
}

TEST_F(Cli, UnknownFormatsExitOneAndConvertMayLeaveGraphvizWeightsOut)
{
    // Read as the older text form, these were refused for reasons they do not have.
    for (const char* name : {"g.gexf", "g.adjlist", "g.gv.gz"}) {
        const QString file = Write(name, "<gexf/>\n");
        EXPECT_EQ(Run({"run", "MonolitIs", file, "--lang", NODELOOM_SOURCE_DIR "/local/grafEnglish.lang"}), 1)
            << name;
        EXPECT_EQ(err, file + ": Unknown file format: ." + QFileInfo(file).suffix() + "\n");
    }
    // Named outright, any name is a graph file.
    const QString matrix = Write("m.xyz", "0,1\n1,0\n");
    EXPECT_EQ(Run({"convert", matrix, "m.csv", "--from-format", "grafa"}), 0) << err.toStdString();
    EXPECT_EQ(Read("m.csv"), ",1,2\n1,0,1\n2,1,0\n");

    // Graphviz's weight=0 is a layout hint: named with its line, or left out on request.
    const QString dot = Write("hint.gv", "digraph {\n a -> b [weight=0];\n b -> c [weight=3];\n}\n");
    EXPECT_EQ(Run({"convert", dot, "x.csv", "--lang", NODELOOM_SOURCE_DIR "/local/grafEnglish.lang"}), 3);
    EXPECT_TRUE(err.contains("the first being a → b (weight 0, line 2)")) << err.toStdString();
    EXPECT_EQ(Run({"convert", dot, "x.csv", "--no-weights"}), 0) << err.toStdString();
    EXPECT_EQ(Read("x.csv"), ",a,b,c\na,0,1,0\nb,0,0,1\nc,0,0,0\n");
    ASSERT_EQ(Run({"--help"}), 0);
    EXPECT_TRUE(out.contains("[--no-weights]"));
}
