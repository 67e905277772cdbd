#include "commands/WalkthroughPage.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "algorithms/RunAlgorithm.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Parses each page given with a real HTML5 parser and prints, for each, its script elements
// (id, type, text), the names shown on the vertices and the title, as one JSON line.
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
    title = [e.text or '' for e in tree.iter() if local(e) == 'title']
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
        g->AttachHost(&host);
        g->Naming().SetKind(CTitleGraf::Manual);
        for (int v = 1; v <= n; ++v) {
            page.names.append(p == 0 ? QString::number(v) : randomName());
            g->AddPoint(40 + 60 * v, 60 + 30 * (v % 2), page.names.back(), g->FreeTitleNumber(), g->SizeGraf);
        }
        for (int v = 1; v < n; ++v)
            g->AddDuga(v, v + 1, 1 + int(random.bounded(9)));
        AlgorithmRun run;
        RunAlgorithm(*g, QStringLiteral("FindTraceDekctri"), 1, n, &run, {.recordSteps = true});
        ASSERT_TRUE(run.ran);
        const StepTrace& trace = run.result.steps;
        ASSERT_FALSE(trace.Cut());
        for (int i = 0; i < trace.FrameCount(); ++i)
            page.narrations.append(
                StepTrace::Narration(trace.NarrationOf(i), [this](int v) { return g->PointTitle(v); }));
        page.title = p == 0 ? QStringLiteral("plain") : randomName();
        const QString file = dir.filePath(QStringLiteral("page%1.html").arg(p));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(WalkthroughPage(*g, run.result, page.title));
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
