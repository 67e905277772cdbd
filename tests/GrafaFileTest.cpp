#include "files/GrafaFile.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "base/IniFile.h"
#include "base/TranslationManager.h"
#include "commands/GraphFileCommands.h"
#include "commands/GraphSession.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using V = std::vector<int>;

namespace {

struct GrafaFiles : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    GraphSession session{host};
    GraphDocument* g = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Fresh(false, false);
    }
    void Fresh(bool directed, bool weighted)
    {
        session.Naming().SetKind(VertexNaming::Numbers);
        session.Naming().SetNumbers(1);
        g = &session.CreateDocument();
        g->StartNewGraph(directed, weighted);
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Add(int n)
    {
        for (int i = 1; i <= n; ++i)
            g->AddVertex(30 * i, 20 + 7 * i, QStringLiteral("v%1").arg(i), g->FreeNameNumber(),
                         g->VertexSize);
    }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString Save(const QString& name)
    {
        QString error;
        EXPECT_TRUE(GrafaFile::SaveGrafa(*g, Path(name), &error)) << error.toStdString();
        return Path(name);
    }
    // Everything a file carries, for comparing a document before and after a round trip.
    struct Shape {
        quint8 directed, weighted;
        QStringList matrix, names;
        std::vector<std::pair<int, int>> positions;
        QStringList labels;
        bool operator==(const Shape&) const = default;
    };
    Shape ShapeOf(const GraphDocument& d) const
    {
        Shape s{d.Directed, d.Weighted, d.MatrixToMemo(), {}, {}, {}};
        for (int v = 1; v <= d.VertexCount; ++v) {
            s.names.append(d.VertexName(v));
            s.positions.emplace_back(d.Vertices[v].X, d.Vertices[v].Y);
        }
        for (int k = 1; k <= d.LabelCount; ++k)
            s.labels.append(
                QStringLiteral("%1@%2,%3").arg(d.Labels[k].Text).arg(d.Labels[k].X).arg(d.Labels[k].Y));
        return s;
    }
    void RoundTrip()
    {
        const Shape before = ShapeOf(*g);
        const QString file = Save(QStringLiteral("trip.grafa"));
        Fresh(false, false);
        session.Naming().SetKind(VertexNaming::Letters); // the file must set the scheme itself
        session.Naming().SetLetters('A', true);
        ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, file));
        EXPECT_EQ(ShapeOf(*g), before);
        EXPECT_TRUE(host.messages.empty()) << host.MessageTexts().join('|').toStdString();
    }
};

} // namespace

TEST_F(GrafaFiles, RoundTripsEveryKindAndNamingScheme)
{
    for (bool directed : {false, true})
        for (bool weighted : {false, true}) {
            SCOPED_TRACE(testing::Message() << "directed " << directed << " weighted " << weighted);
            Fresh(directed, weighted);
            Add(4);
            g->AddArc(1, 2, weighted ? 7 : 1);
            g->AddArc(3, 1, weighted ? 50000 : 1);
            g->AddArc(2, 4, 1);
            g->AddLabel(QStringLiteral("a note; with = signs"), 5, 6);
            g->AddLabel(QStringLiteral("второй"), -3, 400);
            RoundTrip();
        }

    Fresh(true, true);
    session.Naming().SetNumbers(5);
    Add(3);
    RoundTrip();
    EXPECT_EQ(g->VertexName(1), "5");

    Fresh(false, true);
    session.Naming().SetKind(VertexNaming::Letters);
    session.Naming().SetLetters('c', false);
    Add(3);
    RoundTrip();
    EXPECT_EQ(g->VertexName(3), "e");
}

TEST_F(GrafaFiles, ManualNamesAreSavedInVertexOrderAndComeBackNumbered)
{
    session.Naming().SetKind(VertexNaming::Manual);
    Add(3);
    g->DeleteVertex(1); // names stay with their vertices: v2, v3 with name numbers 2, 3
    g->AddVertex(5, 5, QStringLiteral("new"), g->FreeNameNumber(), 10); // takes number 1
    const QString file = Save(QStringLiteral("manual.grafa"));
    const IniFile ini(file);
    EXPECT_EQ(ini.ReadString("GrafTitle", "Title1", ""), "v2");
    EXPECT_EQ(ini.ReadString("GrafTitle", "Title3", ""), "new");
    RoundTrip();
    for (int v = 1; v <= 3; ++v)
        EXPECT_EQ(g->Vertices[v].NameNumber, v);
}

TEST_F(GrafaFiles, KeysCarryTheArcFromToIntoFrom)
{
    Fresh(true, true);
    Add(2);
    g->AddArc(1, 2, 7);
    const IniFile ini(Save(QStringLiteral("dir.grafa")));
    EXPECT_EQ(ini.ReadInteger("Matrix", "From2To1", -1), 7);
    EXPECT_EQ(ini.ReadInteger("Matrix", "From1To2", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Main", "IsOrint", -1), 1);
    EXPECT_EQ(ini.Sections(), QStringList({"Main", "Matrix", "GrafPosition", "GrafTitle"}));
    EXPECT_EQ(ini.Keys("Main"),
              QStringList({"IsOrint", "IsHaveCost", "PointCount", "GrafTitleType", "Version", "CountLabel"}));
    EXPECT_EQ(ini.Keys("Matrix"), QStringList({"From1To1", "From1To2", "From2To1", "From2To2"}));
    EXPECT_EQ(ini.Keys("GrafPosition"), QStringList({"X1", "Y1", "X2", "Y2"}));

    // A file written by hand with the same orientation loads as 1 -> 2.
    Write("hand.grafa", "[Main]\nVersion=1\nIsOrint=1\nIsHaveCost=1\nPointCount=2\n[Matrix]\nFrom2To1=7\n");
    Fresh(false, false);
    ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, Path("hand.grafa")));
    EXPECT_EQ(OutList(*g, 1), (V{2}));
    EXPECT_EQ(g->OutCount(2), 0);
    EXPECT_EQ(g->Arc(1, 2).Weight, 7);
    EXPECT_EQ(g->Arc(1, 2).X(), (g->Vertices[1].X + g->Vertices[2].X) / 2);
}

TEST_F(GrafaFiles, UnweightedArcsAreWrittenAsOne)
{
    Fresh(true, false);
    Add(2);
    g->AddArc(2, 1, 1);
    g->ArcRef(2, 1).Weight = 9; // whatever the cell holds
    const IniFile ini(Save(QStringLiteral("u.grafa")));
    EXPECT_EQ(ini.ReadInteger("Matrix", "From1To2", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Matrix", "From2To1", -1), 0);
}

TEST_F(GrafaFiles, ShorterGraphLeavesStaleKeysThatLoadingIgnores)
{
    Fresh(true, true);
    Add(5);
    g->AddArc(5, 4, 3);
    g->AddLabel(QStringLiteral("x"), 1, 1);
    const QString file = Save(QStringLiteral("over.grafa"));
    Fresh(true, true);
    Add(3);
    g->AddArc(1, 3, 2);
    Save(QStringLiteral("over.grafa"));

    const IniFile ini(file);
    EXPECT_TRUE(ini.ValueExists("Matrix", "From5To5"));
    EXPECT_EQ(ini.ReadInteger("Matrix", "From4To5", 0), 3);
    EXPECT_EQ(ini.ReadString("Labels", "LabelText1", ""), "x");
    ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, file));
    EXPECT_EQ(g->VertexCount, 3);
    EXPECT_EQ(g->LabelCount, 0);
    EXPECT_EQ(g->MatrixToMemo(), QStringList({"0,0,2", "0,0,0", "0,0,0"}));
}

TEST_F(GrafaFiles, AsymmetricUndirectedFileIsRefusedAndTheGraphStays)
{
    Add(2);
    const int kind = session.Naming().GetKind();
    Write("asym.grafa", "[Main]\nVersion=1\nIsOrint=0\nIsHaveCost=1\nPointCount=2\nGrafTitleType=1\n"
                        "[Matrix]\nFrom1To2=3\nFrom2To1=4\n[GrafTitle]\nBeginLetter=66\nIsBig=1\n");
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, Path("asym.grafa")));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Matrix_must_be_simertic")});
    EXPECT_EQ(g->VertexCount, 2);
    EXPECT_EQ(session.Naming().GetKind(), kind);
    EXPECT_FALSE(session.History().CanUndo());
}

TEST_F(GrafaFiles, HandEditedValuesAreRefusedOrMadeSafe)
{
    Add(2);
    g->AddArc(1, 2, 1);
    const QStringList before = g->MatrixToMemo();

    // Out of range: refused before anything changes.
    for (const char* text :
         {"[Main]\nVersion=1\nPointCount=256\n",
          "[Main]\nVersion=1\nIsHaveCost=1\nPointCount=2\n[Matrix]\nFrom1To2=-3\nFrom2To1=-3\n",
          "[Main]\nVersion=1\nIsHaveCost=1\nIsOrint=1\nPointCount=2\n[Matrix]\nFrom1To2=50001\n"}) {
        host.messages.clear();
        Write("bad.grafa", text);
        EXPECT_FALSE(GrafaFile::LoadGrafa(*g, host, Path("bad.grafa"))) << text;
        EXPECT_EQ(host.messages.size(), 1u) << text;
        EXPECT_EQ(g->MatrixToMemo(), before) << text;
    }
    EXPECT_EQ(host.messages[0].text, Translate("load_graf_must_be"));

    // A diagonal entry would be a loop: ignored. Coordinates beyond reason are clamped, an
    // unknown naming scheme falls back to numbers, non-integers read as their default, and
    // an absurd label count reads only what the document can hold.
    host.messages.clear();
    Write("odd.grafa", "[Main]\nVersion=1\nIsOrint=5\nIsHaveCost=1\nPointCount=2\nGrafTitleType=9\n"
                       "CountLabel=2000000000\n[Matrix]\nFrom1To1=5\nFrom2To1=x\nFrom1To2=4\n"
                       "[GrafPosition]\nX1=2147483647\nY1=-2147483648\nX2=abc\n"
                       "[Labels]\nLabelText1=t\nX1=99999999\n");
    ASSERT_TRUE(GrafaFile::LoadGrafa(*g, host, Path("odd.grafa")));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(g->Directed);
    EXPECT_EQ(g->MatrixToMemo(), QStringList({"0,0", "4,0"}));
    EXPECT_EQ(g->Vertices[1].X, GrafaFile::MaxCoordinate);
    EXPECT_EQ(g->Vertices[1].Y, -GrafaFile::MaxCoordinate);
    EXPECT_EQ(g->Vertices[2].X, 0);
    EXPECT_EQ(g->VertexName(2), "1"); // numbers from the default start 0
    EXPECT_EQ(g->LabelCount, GraphDocument::MaxLabels);
    EXPECT_EQ(g->Labels[1].X, GrafaFile::MaxCoordinate);

    // Negative counts are no vertices; versions other than 1 change nothing.
    Write("neg.grafa", "[Main]\nVersion=1\nPointCount=-4\nCountLabel=-1\n");
    ASSERT_TRUE(GrafaFile::LoadGrafa(*g, host, Path("neg.grafa")));
    EXPECT_EQ(g->VertexCount, 0);
    EXPECT_EQ(g->LabelCount, 0);
    Add(1);
    Write("v2.grafa", "[Main]\nVersion=2\nPointCount=0\n");
    EXPECT_FALSE(GrafaFile::LoadGrafa(*g, host, Path("v2.grafa")));
    EXPECT_EQ(g->VertexCount, 1);
}

TEST_F(GrafaFiles, RandomBytesNeverBreakTheDocument)
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 40; ++round) {
        QByteArray bytes(int(random.bounded(1, 3000)), Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random.bounded(256));
        if (round % 2) // a plausible header makes the bytes reach the .grafa reader
            bytes.prepend("[Main]\nVersion=1\nPointCount=3\nIsOrint=0\n[Matrix]\nFrom1To2=1\n");
        Write("noise.grafa", bytes);
        GraphFileCommands::OpenGraphFile(session, Path("noise.grafa"));
        ASSERT_GE(g->VertexCount, 0);
        ASSERT_LE(g->VertexCount, GraphDocument::MaxVertices);
        for (int a = 1; a <= g->VertexCount; ++a)
            for (int k = 0; k < g->OutCount(a); ++k) {
                const int b = g->OutArcs(a)[k];
                ASSERT_NE(a, b);
                ASSERT_TRUE(b >= 1 && b <= g->VertexCount);
                ASSERT_TRUE(g->Arc(a, b).Weight >= 1 && g->Arc(a, b).Weight <= GraphDocument::MaxWeight);
                if (!g->Directed) {
                    ASSERT_TRUE(g->HasArc(b, a));
                }
            }
    }
}

TEST_F(GrafaFiles, SaveCommandAddsTheExtensionCaseSensitively)
{
    EXPECT_EQ(GraphFileCommands::GrafaFileName("graph.GRAFA"), "graph.GRAFA.grafa");
    EXPECT_EQ(GraphFileCommands::GrafaFileName("graph.grafa"), "graph.grafa");
    EXPECT_EQ(GraphFileCommands::GrafaFileName("graph.txt"), "graph.txt.grafa");
    Add(1);
    ASSERT_TRUE(GraphFileCommands::SaveGraphFile(session, Path("g")));
    EXPECT_TRUE(QFile::exists(Path("g.grafa")));
    EXPECT_EQ(session.RecentFiles(), QStringList{Path("g.grafa")});

    // A folder that is not there cannot be written: the system's reason, nothing listed.
    EXPECT_FALSE(GraphFileCommands::SaveGraphFile(session, Path("missing/g.grafa")));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith(Translate("Happend_error") + "\r"));
    EXPECT_EQ(session.RecentFiles().size(), 1);
}
