#include "ScriptedHost.h"
#include "commands/GraphFileCommands.h"
#include "commands/GraphSession.h"
#include "files/ExchangeFormats.h"
#include "files/GrafaFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

// Graph files as users and other programs write them, opened and saved again: every one
// reopens as the same graph, with the same names, naming scheme and naming start.
namespace {

// Everything a graph file can say about a graph, read back from an open document.
struct Shape {
    bool directed = false, weighted = false;
    int namingKind = 0, beginNumber = 0, beginLetter = 0;
    bool capital = false;
    QStringList names;
    std::vector<std::pair<int, int>> positions;
    std::vector<std::vector<int>> matrix;
    QStringList labels;
    bool operator==(const Shape&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shape& s)
{
    return out << "directed " << s.directed << " weighted " << s.weighted << " kind " << s.namingKind
               << " begin " << s.beginNumber << " letter " << s.beginLetter << " capital " << s.capital
               << " names [" << s.names.join(QStringLiteral("|")).toStdString() << "] labels ["
               << s.labels.join(QStringLiteral("|")).toStdString() << "]";
}

Shape ShapeOf(const GraphDocument& g)
{
    Shape s;
    s.directed = g.Directed;
    s.weighted = g.Weighted;
    const VertexNaming& naming = g.Naming();
    s.namingKind = naming.GetKind();
    // The start that does not name the graph's vertices is not part of it.
    if (s.namingKind == VertexNaming::Numbers)
        s.beginNumber = naming.FirstNumber();
    if (s.namingKind == VertexNaming::Letters) {
        s.beginLetter = naming.FirstLetter();
        s.capital = naming.CapitalLetters();
    }
    for (int v = 1; v <= g.VertexCount; ++v) {
        s.names.append(g.VertexName(v));
        s.positions.emplace_back(g.Vertices[v].X, g.Vertices[v].Y);
        std::vector<int> row;
        for (int w = 1; w <= g.VertexCount; ++w)
            row.push_back(g.MatrixEntry(v, w));
        s.matrix.push_back(row);
    }
    for (int k = 1; k <= g.LabelCount; ++k)
        s.labels.append(
            QStringLiteral("%1@%2,%3").arg(g.Labels[k].Text).arg(g.Labels[k].X).arg(g.Labels[k].Y));
    return s;
}

struct RoundTrip : ::testing::Test {
    QTemporaryDir dir;
    std::mt19937 rng{20261207};

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool Chance(int inverse) { return Pick(1, inverse) == 1; }
    QString Path(const QString& name) const { return dir.filePath(name); }

    void Write(const QString& name, const QString& text, bool crlf)
    {
        QString body = text;
        if (crlf)
            body.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(body.toUtf8());
    }
    QByteArray Bytes(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A session as the programs have it: a graph numbered from 1 is open when the file is.
    struct Opened {
        ScriptedHost host;
        GraphSession session{host};
        Opened()
        {
            session.Naming().SetKind(VertexNaming::Numbers);
            session.Naming().SetNumbers(1);
            session.CreateDocument().StartNewGraph(false, false);
        }
    };
    Shape OpenShape(Opened& opened, const QString& name)
    {
        EXPECT_TRUE(GraphFileCommands::OpenGraphFile(opened.session, Path(name)))
            << name.toStdString() << " "
            << opened.host.MessageTexts().join(QStringLiteral("; ")).toStdString();
        return ShapeOf(*opened.session.Document());
    }

    // A name a user may type: markup, entities, blanks, signs the file's own syntax uses.
    QString RandomName()
    {
        static const QStringList pieces = {"a",  "Б", "<b>", "&amp;", "=",   ";", "[x]", " ",
                                           "\"", "'", "é",   "10",    "\\n", "#", "→",   "%1"};
        QString name;
        for (int k = Pick(0, 4); k > 0; --k)
            name += pieces[Pick(0, int(pieces.size()) - 1)];
        return name;
    }
    int RandomCoordinate()
    {
        switch (Pick(0, 5)) {
        case 0:
            return GrafaFile::MaxCoordinate;
        case 1:
            return -GrafaFile::MaxCoordinate;
        case 2:
            return Pick(-20000, 20000); // beyond the limits: held at them
        default:
            return Pick(0, 900);
        }
    }
};

} // namespace

TEST_F(RoundTrip, GraphFilesOpenedAndSavedReopenAsTheSameGraph)
{
    for (int round = 0; round < 300; ++round) {
        const bool directed = Chance(2), weighted = Chance(2);
        const int n = Pick(0, 12);
        const int kind = Pick(0, 2);
        const int beginNumber = Pick(0, 3) == 0 ? 1 : Pick(-1000, 100000);
        const bool capital = Chance(2);
        const int beginLetter = (capital ? 'A' : 'a') + Pick(0, 25);

        QString text = QStringLiteral("[Main]\nIsOrint=%1\nIsHaveCost=%2\nPointCount=%3\nGrafTitleType=%4\n"
                                      "Version=1\n")
                           .arg(directed)
                           .arg(weighted)
                           .arg(n)
                           .arg(kind);
        const int labelCount = Pick(0, 3);
        text += QStringLiteral("CountLabel=%1\n[Matrix]\n").arg(labelCount);
        std::vector<std::vector<int>> weight(n + 1, std::vector<int>(n + 1, 0));
        for (int a = 1; a <= n; ++a)
            for (int b = directed ? 1 : a + 1; b <= n; ++b)
                if (a != b && Chance(3))
                    weight[a][b] = weighted ? Pick(1, 50000) : 1;
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b) {
                const int w = directed ? weight[a][b] : weight[std::min(a, b)][std::max(a, b)];
                // "From i To j" holds the arc from j to i; zeros may be left out.
                if (w != 0 || Chance(2))
                    text += QStringLiteral("From%1To%2=%3\n").arg(b).arg(a).arg(w);
            }
        text += QStringLiteral("[GrafPosition]\n");
        for (int v = 1; v <= n; ++v)
            text += QStringLiteral("X%1=%2\nY%1=%3\n").arg(v).arg(RandomCoordinate()).arg(RandomCoordinate());
        text += QStringLiteral("[Labels]\n");
        for (int k = 1; k <= labelCount; ++k)
            text += QStringLiteral("LabelText%1=%2\nX%1=%3\nY%1=%4\n")
                        .arg(k)
                        .arg(RandomName() + QStringLiteral("x"))
                        .arg(RandomCoordinate())
                        .arg(RandomCoordinate());
        text += QStringLiteral("[GrafTitle]\n");
        QStringList names;
        if (kind == VertexNaming::Numbers) {
            text += QStringLiteral("BeginNumber=%1\n").arg(beginNumber);
            for (int v = 1; v <= n; ++v)
                names.append(QString::number(beginNumber + v - 1));
        } else if (kind == VertexNaming::Letters) {
            text += QStringLiteral("BeginLetter=%1\nIsBig=%2\n").arg(beginLetter).arg(capital ? 1 : 0);
            for (int v = 1; v <= n; ++v)
                names.append(VertexNaming::LetterName(v - 1 + beginLetter - (capital ? 'A' : 'a'), capital));
        } else {
            for (int v = 1; v <= n; ++v) {
                names.append(RandomName());
                text += QStringLiteral("Title%1=%2\n").arg(v).arg(names.last());
            }
        }
        Write(QStringLiteral("a.grafa"), text, Chance(2));
        SCOPED_TRACE(text.toStdString());

        Opened first;
        const Shape read = OpenShape(first, QStringLiteral("a.grafa"));
        EXPECT_EQ(read.names, names) << "the vertices are named as the file says";
        ASSERT_TRUE(GraphFileCommands::SaveGraphFile(first.session, Path(QStringLiteral("b.grafa"))));

        Opened second;
        const Shape reread = OpenShape(second, QStringLiteral("b.grafa"));
        ASSERT_EQ(reread, read);
        ASSERT_TRUE(GraphFileCommands::SaveGraphFile(second.session, Path(QStringLiteral("c.grafa"))));
        ASSERT_EQ(Bytes(QStringLiteral("c.grafa")), Bytes(QStringLiteral("b.grafa")))
            << "a saved file is saved again unchanged";
    }
}

TEST_F(RoundTrip, OlderTextFilesOpenedAndSavedReopenAsTheSameGraph)
{
    for (int round = 0; round < 200; ++round) {
        const bool directed = Chance(2), weighted = Chance(2), typed = Pick(0, 3) > 0;
        const int n = Pick(1, 10);
        std::vector<std::vector<int>> weight(n + 1, std::vector<int>(n + 1, 0));
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                if (a != b && Chance(3))
                    weight[a][b] = weighted && typed ? Pick(1, 50000) : 1;
        if (!directed || !typed)
            for (int a = 1; a <= n; ++a)
                for (int b = 1; b < a; ++b)
                    weight[a][b] = weight[b][a];
        QString text;
        for (int row = 1; row <= n; ++row) {
            QStringList entries;
            for (int column = 1; column <= n; ++column)
                entries.append(QString::number(weight[row][column]));
            text += entries.join(QLatin1Char(',')) + QLatin1Char('\n');
        }
        // The type is read only after the positions, as the older program wrote them.
        const bool placed = typed || Chance(2);
        if (placed) {
            text += QStringLiteral("XYposition\n");
            for (int v = 1; v <= n; ++v)
                text += QStringLiteral("%1 %2\n").arg(RandomCoordinate()).arg(RandomCoordinate());
        }
        if (typed)
            text += QStringLiteral("GrafType\nGraf1.0%1%2\n").arg(directed).arg(weighted);
        if (placed && Chance(2)) { // labels follow the marked parts
            text += QStringLiteral("Labels\n");
            for (int k = Pick(1, 3); k > 0; --k)
                text += RandomName() +
                        QStringLiteral("y\n%1\n%2\n").arg(RandomCoordinate()).arg(RandomCoordinate());
            text += QStringLiteral("EndLabel\n");
        }
        Write(QStringLiteral("old.txt"), text, Chance(2));
        SCOPED_TRACE(text.toStdString());
        ASSERT_EQ(ExchangeFormats::ImportFormatOfFile(Path(QStringLiteral("old.txt"))),
                  ExchangeFormats::Format::Unknown)
            << "read as the program's own file, not as an edge list";

        Opened first;
        const Shape read = OpenShape(first, QStringLiteral("old.txt"));
        ASSERT_EQ(first.session.Document()->VertexCount, n);
        ASSERT_TRUE(GraphFileCommands::SaveGraphFile(first.session, Path(QStringLiteral("old.grafa"))));
        Opened second;
        EXPECT_EQ(OpenShape(second, QStringLiteral("old.grafa")), read);
    }
}

TEST_F(RoundTrip, ATxtFileIsReadAsWhatItHolds)
{
    using ExchangeFormats::Format;
    struct Case {
        const char* text;
        Format format;
    };
    const Case cases[] = {
        {"[Main]\nVersion=1\nPointCount=1\n", Format::Unknown}, // a graph file saved as .txt
        {"\xEF\xBB\xBF[Main]\r\nVersion=1\r\n", Format::Unknown},
        {"0\nXYposition\n100 120\n", Format::Unknown}, // the older format, one vertex
        {"0,1\n1,0\n", Format::Unknown},
        {"0\n", Format::Unknown},
        {"1 2\n2 3\n", Format::EdgeList},
        {"# comment\n1 2 5\n", Format::EdgeList},
        {"a b\n", Format::EdgeList},
        {"", Format::EdgeList},
    };
    for (const Case& c : cases) {
        Write(QStringLiteral("t.txt"), QString::fromUtf8(c.text), false);
        EXPECT_EQ(ExchangeFormats::ImportFormatOfFile(Path(QStringLiteral("t.txt"))), c.format) << c.text;
    }

    // Open reads an edge list as Import does, and it keeps no file name to save over.
    Write(QStringLiteral("edges.txt"), QStringLiteral("1 2\n2 3\n"), false);
    Opened opened;
    ASSERT_TRUE(GraphFileCommands::OpenGraphFile(opened.session, Path(QStringLiteral("edges.txt"))));
    EXPECT_EQ(opened.session.Document()->VertexCount, 3);
    EXPECT_TRUE(opened.session.FileName().isEmpty());
    EXPECT_TRUE(opened.session.HasUnsavedChanges());
}

TEST_F(RoundTrip, ExchangeFormatsCarryTheGraphBothWays)
{
    using ExchangeFormats::Format;
    const std::pair<Format, QString> formats[] = {
        {Format::GraphML, "x.graphml"}, {Format::Gml, "x.gml"}, {Format::Dot, "x.dot"},
        {Format::Pajek, "x.net"},       {Format::Csv, "x.csv"}, {Format::EdgeList, "x.edgelist"}};
    for (int round = 0; round < 40; ++round) {
        Opened source;
        GraphDocument& g = *source.session.Document();
        const bool directed = Chance(2), weighted = Chance(2);
        g.StartNewGraph(directed, weighted);
        const int n = Pick(2, 12);
        for (int v = 1; v <= n; ++v) {
            const int x = Pick(20, 700), y = Pick(20, 500); // in this order with every compiler
            g.AddVertex(x, y, QString(), g.FreeNameNumber(), g.VertexSize);
        }
        for (int k = Pick(1, 2 * n); k > 0; --k) {
            const int a = Pick(1, n), b = Pick(1, n);
            if (a != b && !g.HasArc(a, b) && !g.HasArc(b, a))
                g.AddArc(a, b, weighted ? Pick(1, 50000) : 1);
        }
        const Shape written = ShapeOf(g);
        for (const auto& [format, name] : formats) {
            SCOPED_TRACE(name.toStdString());
            FileError error;
            ASSERT_TRUE(ExchangeFormats::ExportGraph(g, Path(name), format, &error))
                << error.Text().toStdString();
            Opened target;
            ASSERT_TRUE(GraphFileCommands::ImportGraphFile(target.session, Path(name), format))
                << target.host.MessageTexts().join(QStringLiteral("; ")).toStdString();
            const Shape read = ShapeOf(*target.session.Document());
            EXPECT_EQ(read.directed, written.directed);
            EXPECT_EQ(read.matrix, written.matrix);
            EXPECT_EQ(read.names, written.names);
            // Formats that hold positions give the arrangement back, fitted into the drawing:
            // no two vertices change sides, though scaling down may bring close ones level.
            if (format == Format::GraphML || format == Format::Gml || format == Format::Dot) {
                const auto order = [](int a, int b) { return (a > b) - (a < b); };
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < n; ++j) {
                        const int x = order(read.positions[i].first, read.positions[j].first);
                        const int y = order(read.positions[i].second, read.positions[j].second);
                        EXPECT_TRUE(x == 0 ||
                                    x == order(written.positions[i].first, written.positions[j].first));
                        EXPECT_TRUE(y == 0 ||
                                    y == order(written.positions[i].second, written.positions[j].second));
                    }
            }
        }
    }
}
