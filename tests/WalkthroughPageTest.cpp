#include "commands/WalkthroughPage.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "algorithms/RunAlgorithm.h"
#include "report/HTMLReport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

// Parses each page given with a real HTML5 parser and prints, for each, its script elements
// (id, type, text), the names shown on the vertices and the page's title, as one JSON line.
const char* ParsePages = R"(
import json, sys, html5lib
for path in sys.argv[1:]:
    with open(path, 'rb') as f:
        tree = html5lib.parse(f.read(), namespaceHTMLElements=False)
    local = lambda e: e.tag.split('}')[-1] if isinstance(e.tag, str) else ''
    scripts = [[e.get('id', ''), e.get('type', ''), e.text or '']
               for e in tree.iter() if local(e) == 'script']
    names = []
    for e in tree.iter():
        if local(e) == 'g' and e.get('class') == 'vertex':
            texts = [t for t in e if local(t) == 'text']
            names.append(texts[0].text or '' if texts else None)
    title = [e.text or '' for e in tree.iter() if local(e) == 'title'][:1]
    print(json.dumps({'scripts': scripts, 'names': names, 'title': title}))
)";

// The Debian interpreter first: that is where python3-html5lib installs.
QString PythonWithHtml5lib()
{
    for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import html5lib")});
        if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit &&
            probe.exitCode() == 0)
            return python;
    }
    return QString();
}

using WalkthroughPageFixture = AlgorithmFixture;

} // namespace

// Names full of markup never end the page's data early, open a comment or add a script: an
// HTML5 parser finds exactly the page's three scripts, the data reads back as the run's own
// narration, the player is the same code as on a page of plain names, and each vertex shows
// its name as given.
TEST_F(WalkthroughPageFixture, NamesWithMarkupLeaveThePageAndItsPlayerWhole)
{
    const QString python = PythonWithHtml5lib();
    if (python.isEmpty())
        GTEST_SKIP() << "python3 with html5lib is missing (Debian package python3-html5lib)";

    const QStringList pieces{"a<!--",   "<script>b", "</script>", "-->",       "<!--", "&amp;", "&",
                             "\u2028",  "\u2029",    "]]>",       "<svg>",     "<",    ">",     "'",
                             "\"",      "\\",        "/",         "<![CDATA[", "Ж",    " ",     "</SCRIPT ",
                             "<style>", "<\\/",      "x",         "</title>",  "&#0;"};
    QRandomGenerator random(11);
    auto randomName = [&] {
        QString name;
        const int parts = 1 + int(random.bounded(4));
        for (int i = 0; i < parts; ++i)
            name += pieces[int(random.bounded(pieces.size()))];
        return name;
    };

    struct Page {
        QStringList names;
        QString title;
        QStringList narrations;
    };
    std::vector<Page> pages;
    QStringList files;
    // Plain names first: its player is the one every other page must carry.
    for (int p = 0; p < 41; ++p) {
        Page page;
        const int n = 3 + int(random.bounded(5));
        g = MakeGraf(true, true);
        g->Naming().SetKind(VertexNaming::Manual);
        for (int v = 1; v <= n; ++v) {
            page.names.append(p == 0 ? QString::number(v) : randomName());
            g->AddVertex(40 + 60 * v, 60 + 30 * (v % 2), page.names.back(), g->FreeNameNumber(),
                         g->VertexSize);
        }
        for (int v = 1; v < n; ++v)
            g->AddArc(v, v + 1, 1 + int(random.bounded(9)));
        AlgorithmRun run;
        RunAlgorithm(*g, host, host.panes, QStringLiteral("FindTraceDekctri"), 1, n, &run,
                     {.recordSteps = true});
        ASSERT_TRUE(run.ran);
        const StepTrace& trace = run.result.steps;
        ASSERT_FALSE(trace.Cut());
        for (int i = 0; i < trace.FrameCount(); ++i)
            page.narrations.append(
                StepTrace::Narration(trace.NarrationOf(i), [this](int v) { return g->VertexName(v); }));
        page.title = p == 0 ? QStringLiteral("plain") : randomName();
        const QString file = dir.filePath(QStringLiteral("page%1.html").arg(p));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        WalkthroughTask task;
        task.name = QStringLiteral("FindTraceDekctri");
        task.title = page.title;
        task.first = 1;
        task.second = n;
        out.write(WalkthroughPage(*g, run.result, task));
        files.append(file);
        pages.push_back(page);
    }

    QProcess parser;
    parser.start(python, QStringList{QStringLiteral("-c"), QString::fromUtf8(ParsePages)} + files);
    ASSERT_TRUE(parser.waitForFinished(120000));
    ASSERT_EQ(parser.exitCode(), 0) << parser.readAllStandardError().toStdString();
    const QList<QByteArray> lines = parser.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(lines.size(), qsizetype(pages.size()));

    QString player;
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(pages[p].names.join(QStringLiteral(" | ")).toStdString());
        const QJsonObject parsed = QJsonDocument::fromJson(lines[qsizetype(p)]).object();
        const QJsonArray scripts = parsed["scripts"].toArray();
        ASSERT_EQ(scripts.size(), 3);
        EXPECT_EQ(scripts[0].toArray()[0].toString(), "frames");
        EXPECT_EQ(scripts[0].toArray()[1].toString(), "application/json");
        EXPECT_EQ(scripts[1].toArray()[0].toString(), "texts");
        EXPECT_EQ(scripts[2].toArray()[0].toString(), "");
        if (p == 0)
            player = scripts[2].toArray()[2].toString();
        EXPECT_EQ(scripts[2].toArray()[2].toString(), player);

        QJsonParseError error{};
        const QJsonDocument frames =
            QJsonDocument::fromJson(scripts[0].toArray()[2].toString().toUtf8(), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        QStringList narrations;
        for (const QJsonValue frame : frames.array())
            narrations.append(frame.toArray()[0].toString());
        EXPECT_EQ(narrations, pages[p].narrations);

        QStringList names;
        for (const QJsonValue name : parsed["names"].toArray())
            names.append(name.toString());
        EXPECT_EQ(names, pages[p].names);
        EXPECT_EQ(parsed["title"].toArray(), QJsonArray{pages[p].title});
    }
}

namespace {

// The page as a student sees it after stepping to each frame: the states of the drawn vertices
// and arcs, the captions, the arc labels and the table cells, replayed from the page's own data.
struct PageState {
    std::map<QString, int> arcs; // "a_b" -> state
    std::map<int, int> vertices;
    std::map<int, QString> fills;
    std::map<QString, QString> labels; // "a_b" -> text
    std::map<QString, QString> cells;  // "r_c" -> text
};

struct ParsedPage {
    QString html;
    QJsonArray frames;
    std::vector<PageState> states; // after each frame
    QStringList narrations;
};

// On an undirected graph the page has one element per edge, found from either end.
ParsedPage Parse(const QByteArray& bytes, bool undirected = false)
{
    ParsedPage page;
    page.html = QString::fromUtf8(bytes);
    const QString open = QStringLiteral("<script id=\"frames\" type=\"application/json\">");
    const qsizetype begin = page.html.indexOf(open) + open.size();
    const qsizetype end = page.html.indexOf(QStringLiteral("</script>"), begin);
    page.frames = QJsonDocument::fromJson(page.html.mid(begin, end - begin).toUtf8()).array();
    PageState state;
    for (const QJsonValue frame : page.frames) {
        page.narrations.append(frame[0].toString());
        for (const QJsonValue change : frame[1].toArray()) {
            const QJsonArray c = change.toArray();
            const int a = c[1].toInt(), b = c[2].toInt();
            const bool edge = undirected && (c[0].toInt() == 1 || c[0].toInt() == 3);
            const QString key =
                QStringLiteral("%1_%2").arg(edge ? std::min(a, b) : a).arg(edge ? std::max(a, b) : b);
            switch (c[0].toInt()) {
            case 0:
                state.vertices[c[1].toInt()] = c[3].toInt();
                break;
            case 1:
                state.arcs[key] = c[3].toInt();
                break;
            case 3:
                state.labels[key] = c[3].toString();
                break;
            case 4:
                state.fills[c[1].toInt()] = c[3].toString().section(QLatin1Char(' '), 0, 0);
                break;
            case 5:
                state.cells[key] = c[3].toString();
                break;
            }
        }
        page.states.push_back(state);
    }
    return page;
}

constexpr int Chosen = int(StepArcState::Chosen);
constexpr int Rejected = int(StepArcState::Rejected);

} // namespace

// Dijkstra on an undirected graph looks back along each tree edge when it fixes the far end: that
// look changes nothing and says the vertex is already fixed, so the tree stays drawn. Worked
// example: 1–2 (1), 2–3 (1), 1–3 (5) from 1 to 3; each vertex looks along its edges in the order
// they were drawn.
TEST_F(WalkthroughPageFixture, DijkstraKeepsItsUndirectedTreeThroughTheLookBack)
{
    g = MakeGraf(false, true, 3);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 3, 1);
    g->AddArc(1, 3, 5);
    AlgorithmRun run;
    RunAlgorithm(*g, host, host.panes, QStringLiteral("FindTraceDekctri"), 1, 3, &run, {.recordSteps = true});
    ASSERT_TRUE(run.ran);
    const ParsedPage page =
        Parse(WalkthroughPage(*g, run.result, {.name = "FindTraceDekctri", .first = 1, .second = 3}), true);
    EXPECT_EQ(page.narrations.join('\n').toStdString(),
              (QStringList{"Начинаем с вершины 1: расстояние до неё 0, до остальных ∞",
                           "Дуга 1 → 2: путь через 1 короче, расстояние до 2 теперь 1",
                           "Дуга 1 → 3: путь через 1 короче, расстояние до 3 теперь 5",
                           "Ближайшая незакреплённая вершина 2 закреплена с расстоянием 1",
                           "Дуга 2 → 1: вершина 1 уже закреплена, её расстояние 0 не меняется",
                           "Дуга 2 → 3: путь через 2 короче, расстояние до 3 теперь 2",
                           "Ближайшая незакреплённая вершина 3 закреплена с расстоянием 2",
                           "Дуга 3 → 2: вершина 2 уже закреплена, её расстояние 1 не меняется",
                           "Дуга 3 → 1: вершина 1 уже закреплена, её расстояние 0 не меняется",
                           "Кратчайший путь до вершины 3 найден, его длина 2"})
                  .join('\n')
                  .toStdString());
    const PageState& last = page.states.back();
    EXPECT_EQ(last.arcs.at("1_2"), Chosen);
    EXPECT_EQ(last.arcs.at("2_3"), Chosen);
    EXPECT_EQ(last.arcs.at("1_3"), Rejected) << "replaced by the way through 2";
    // The distance table ends on the distances, the last change marked in its frame.
    EXPECT_EQ(last.cells, (std::map<QString, QString>{{"1_1", "0"}, {"2_1", "1"}, {"3_1", "2"}}));
}

// On many random undirected graphs: an edge drawn chosen once both its ends are fixed stays chosen
// to the last frame, and a look along an arc is narrated as "already fixed" exactly when its far
// end is fixed.
TEST_F(WalkthroughPageFixture, FixedTreeEdgesStayChosenOnRandomGraphs)
{
    QRandomGenerator random(5);
    for (int round = 0; round < 60; ++round) {
        const int n = 3 + int(random.bounded(8));
        g = MakeGraf(false, true, n);
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b)
                if (random.bounded(100) < 45)
                    g->AddArc(a, b, 1 + int(random.bounded(9)));
        AlgorithmRun run;
        RunAlgorithm(*g, host, host.panes, QStringLiteral("FindTraceDekctri"), 1, n, &run,
                     {.recordSteps = true});
        ASSERT_TRUE(run.ran);
        const ParsedPage page = Parse(
            WalkthroughPage(*g, run.result, {.name = "FindTraceDekctri", .first = 1, .second = n}), true);
        const StepTrace& trace = run.result.steps;
        ASSERT_EQ(page.frames.size(), trace.FrameCount());
        std::set<QString> settled;
        std::set<int> fixed;
        for (int i = 0; i < trace.FrameCount(); ++i) {
            const StepTrace::Frame frame = trace.NarrationOf(i);
            if (frame.key == QLatin1String("step_dijkstra_start") ||
                frame.key == QLatin1String("step_dijkstra_fix"))
                fixed.insert(frame.arguments[0].value);
            if (frame.key == QLatin1String("step_dijkstra_keep")) {
                EXPECT_FALSE(fixed.contains(frame.arguments[1].value)) << round << " frame " << i;
            }
            if (frame.key == QLatin1String("step_dijkstra_fixed")) {
                EXPECT_TRUE(fixed.contains(frame.arguments[1].value)) << round << " frame " << i;
            }
            for (const auto& [arc, state] : page.states[std::size_t(i)].arcs) {
                const int a = arc.section('_', 0, 0).toInt(), b = arc.section('_', 1, 1).toInt();
                if (settled.contains(arc)) {
                    EXPECT_EQ(state, Chosen) << round << " frame " << i << " edge " << arc.toStdString();
                }
                if (state == Chosen && fixed.contains(a) && fixed.contains(b))
                    settled.insert(arc);
            }
        }
    }
}

// A run that finds no answer still writes the frame of its answer, with the reason, under a title
// that names the walk; a result without any trace gets one frame with its text.
TEST_F(WalkthroughPageFixture, ANoAnswerStillHasItsAnswerFrame)
{
    g = MakeGraf(false, false, 3);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 3, 1);
    AlgorithmRun run;
    RunAlgorithm(*g, host, host.panes, QStringLiteral("FindElersLoop"), 0, 0, &run, {.recordSteps = true});
    ASSERT_TRUE(run.ran);
    const QString title = WalkthroughTitle(QStringLiteral("FindElersLoop"));
    EXPECT_TRUE(title.contains(TranslatePlain(QStringLiteral("ElerTrace")))) << title.toStdString();
    EXPECT_TRUE(title.endsWith(TranslatePlain(QStringLiteral("FindLoop")))) << title.toStdString();
    const ParsedPage page = Parse(WalkthroughPage(*g, run.result, {.name = "FindElersLoop", .title = title}));
    ASSERT_EQ(page.narrations, QStringList{"Вершина 1 имеет нечётную степень 1: эйлерова цикла нет"});
    EXPECT_TRUE(page.html.contains("<title>" + title + "</title>"));
    EXPECT_TRUE(page.html.contains(HTMLReportManager::Escape(run.result.PaneLines().join('\n'))))
        << "the answer box holds the run's text";

    AlgorithmResult silent;
    silent.Heading(QStringLiteral("Граф связный"));
    const ParsedPage plain = Parse(WalkthroughPage(*g, silent, {.name = "MonolitIs"}));
    EXPECT_EQ(plain.narrations, QStringList{"Результат: Граф связный"});
}

// The player and the styles travel inside the page, whole and unchanged, so that it opens
// offline as a single file.
TEST_F(WalkthroughPageFixture, ThePageCarriesItsPlayerAndStylesInline)
{
    auto source = [](const char* name) {
        QFile file(QStringLiteral(NODELOOM_SOURCE_DIR "/src/commands/page/") + QLatin1String(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    };
    const QByteArray script = source("walkthrough.js"), style = source("walkthrough.css");
    ASSERT_TRUE(script.contains("function show(") && style.contains("@media print"));
    g = MakeGraf(false, false, 2);
    AlgorithmResult result;
    result.Heading(QStringLiteral("Граф несвязный"));
    const QByteArray page = WalkthroughPage(*g, result, {.name = "MonolitIs"});
    EXPECT_TRUE(page.contains("<style>\n" + style + "</style></head>"));
    EXPECT_TRUE(page.endsWith("<script>\n" + script + "</script></body></html>\n"));
    EXPECT_FALSE(page.contains(" src=")) << "nothing is fetched from outside the page";
}

// Every edge left out of the minimum spanning tree ends in the same style, tree edges chosen.
TEST_F(WalkthroughPageFixture, SpanningTreeEndsWithOneStyleForEveryEdgeLeftOut)
{
    QRandomGenerator random(8);
    for (int round = 0; round < 30; ++round) {
        const int n = 3 + int(random.bounded(8));
        g = MakeGraf(false, true, n);
        for (int v = 2; v <= n; ++v) // connected: each vertex joins an earlier one
            g->AddArc(1 + int(random.bounded(v - 1)), v, 1 + int(random.bounded(9)));
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b)
                if (!g->HasArc(a, b) && random.bounded(100) < 40)
                    g->AddArc(a, b, 1 + int(random.bounded(9)));
        AlgorithmRun run;
        RunAlgorithm(*g, host, host.panes, QStringLiteral("FindMinBasic"), 0, 0, &run, {.recordSteps = true});
        ASSERT_TRUE(run.ran);
        const ParsedPage page = Parse(WalkthroughPage(*g, run.result, {.name = "FindMinBasic"}), true);
        const PageState& last = page.states.back();
        int chosen = 0, weight = 0;
        for (int a = 1; a <= n; ++a)
            for (int b : g->OutArcs(a)) {
                if (b < a)
                    continue;
                const QString arc = QStringLiteral("%1_%2").arg(a).arg(b);
                ASSERT_TRUE(last.arcs.contains(arc)) << round << " edge " << arc.toStdString();
                ASSERT_TRUE(last.arcs.at(arc) == Chosen || last.arcs.at(arc) == Rejected)
                    << arc.toStdString();
                if (last.arcs.at(arc) == Chosen) {
                    ++chosen;
                    weight += g->Arc(a, b).Weight;
                }
            }
        EXPECT_EQ(chosen, n - 1) << round;
        EXPECT_EQ(weight, run.result.resultValue) << round;
    }
}

// The matrix beside the Floyd–Warshall drawing ends on the distances an independent search finds,
// and the flow page's arc captions end on a flow that is conserved at every inner vertex and
// within every capacity, of the value the run reports.
TEST_F(WalkthroughPageFixture, MatrixAndFlowCaptionsAgreeWithIndependentChecks)
{
    QRandomGenerator random(13);
    for (int round = 0; round < 20; ++round) {
        const int n = 3 + int(random.bounded(7));
        g = MakeGraf(true, true, n);
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                if (a != b && !g->HasArc(b, a) && random.bounded(100) < 35)
                    g->AddArc(a, b, 1 + int(random.bounded(9)));
        AlgorithmRun run;
        RunAlgorithm(*g, host, host.panes, QStringLiteral("FindTraceFloid"), 1, n, &run,
                     {.recordSteps = true});
        ASSERT_TRUE(run.ran);
        const QByteArray bytes =
            WalkthroughPage(*g, run.result, {.name = "FindTraceFloid", .first = 1, .second = n});
        const ParsedPage page = Parse(bytes);
        // Breadth of relaxations from every vertex (Bellman–Ford), not Floyd–Warshall.
        for (int s = 1; s <= n; ++s) {
            std::vector<int> d(std::size_t(n) + 1, GraphDocument::Infinity);
            d[std::size_t(s)] = 0;
            for (int pass = 0; pass < n; ++pass)
                for (int a = 1; a <= n; ++a)
                    for (int b : g->OutArcs(a))
                        if (d[std::size_t(a)] != GraphDocument::Infinity)
                            d[std::size_t(b)] =
                                std::min(d[std::size_t(b)], d[std::size_t(a)] + g->Arc(a, b).Weight);
            for (int t = 1; t <= n; ++t) {
                if (t == s)
                    continue;
                const QString id = QStringLiteral("t%1_%2").arg(s).arg(t);
                const QString key = QStringLiteral("%1_%2").arg(s).arg(t);
                QString shown =
                    page.states.back().cells.contains(key) ? page.states.back().cells.at(key) : QString();
                if (shown.isEmpty()) { // unchanged since the matrix was filled
                    const qsizetype at = page.html.indexOf("id=\"" + id + "\">");
                    ASSERT_GE(at, 0) << id.toStdString();
                    const qsizetype from = at + id.size() + 6;
                    shown = page.html.mid(from, page.html.indexOf('<', from) - from);
                }
                EXPECT_EQ(shown, d[std::size_t(t)] == GraphDocument::Infinity
                                     ? QStringLiteral("∞")
                                     : QString::number(d[std::size_t(t)]))
                    << round << " " << id.toStdString();
            }
        }
    }
    for (int round = 0; round < 20; ++round) {
        // A network from 1 to n: forward arcs only, every inner vertex entered and left.
        const int n = 4 + int(random.bounded(6));
        g = MakeGraf(true, true, n);
        for (int v = 2; v < n; ++v) {
            g->AddArc(1 + int(random.bounded(v - 1)), v, 1 + int(random.bounded(20)));
            g->AddArc(v, v + 1 + int(random.bounded(n - v)), 1 + int(random.bounded(20)));
        }
        for (int a = 1; a < n; ++a)
            for (int b = a + 1; b <= n; ++b)
                if (!g->HasArc(a, b) && random.bounded(100) < 25)
                    g->AddArc(a, b, 1 + int(random.bounded(20)));
        AlgorithmRun flow;
        RunAlgorithm(*g, host, host.panes, QStringLiteral("FindStreamMax"), 0, 0, &flow,
                     {.recordSteps = true});
        ASSERT_TRUE(flow.ran && !flow.result.refused) << round;
        const ParsedPage page = Parse(WalkthroughPage(*g, flow.result, {.name = "FindStreamMax"}));
        EXPECT_TRUE(page.html.contains(QStringLiteral("от вершины 1 до вершины %1").arg(n)))
            << "the task names the network's source and sink";
        const PageState& last = page.states.back();
        std::vector<int> balance(std::size_t(n) + 1, 0);
        for (int a = 1; a <= n; ++a)
            for (int b : g->OutArcs(a)) {
                const QString key = QStringLiteral("%1_%2").arg(a).arg(b);
                const int capacity = g->Arc(a, b).Weight;
                // An arc no path used keeps the caption it was drawn with.
                const QString label =
                    last.labels.contains(key) ? last.labels.at(key) : QStringLiteral("0/%1").arg(capacity);
                EXPECT_TRUE(page.html.contains(QStringLiteral("id=\"w%1\"").arg(key) + QStringLiteral(" ")))
                    << key.toStdString();
                const int value = label.section('/', 0, 0).toInt();
                EXPECT_EQ(label.section('/', 1, 1).toInt(), capacity);
                EXPECT_GE(value, 0);
                EXPECT_LE(value, capacity);
                balance[std::size_t(a)] -= value;
                balance[std::size_t(b)] += value;
            }
        for (int v = 2; v < n; ++v)
            EXPECT_EQ(balance[std::size_t(v)], 0) << round << " vertex " << v;
        const StepTrace::Frame done = flow.result.steps.NarrationOf(flow.result.steps.FrameCount() - 1);
        ASSERT_EQ(done.key, QStringLiteral("step_flow_done"));
        EXPECT_EQ(balance[std::size_t(n)], done.arguments[0].value) << round;
        EXPECT_EQ(-balance[1], done.arguments[0].value) << round;
    }
}
