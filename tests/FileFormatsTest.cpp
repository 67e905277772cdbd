// The catalogue of file formats: every row reads back what it writes, the names and
// extensions lead to one row each, the dialogs list the rows, and a reader's error reaches the
// user's message with its file and line.
#include "files/FileFormats.h"
#include "ScriptedHost.h"
#include "base/IniFile.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "files/ExchangeFormats.h"
#include "files/GrafaFile.h"
#include "ui/FileFilters.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using ExchangeFormats::Format;

namespace {

// A directed weighted graph whose names need quoting in some format or other.
ExchangeGraph Sample()
{
    ExchangeGraph graph;
    graph.Directed = true;
    graph.Weighted = true;
    graph.Names = {QStringLiteral("Alpha"), QStringLiteral("Гамма"), QStringLiteral("c\"q"),
                   QStringLiteral("4")};
    graph.Positions = {{10, 20}, {110, 20}, {60, 90}, {200, 150}};
    graph.Edges = {{0, 1, 5}, {1, 2, 12}, {2, 0, 7}, {0, 3, 50000}, {3, 1, 1}, {1, 0, 9}};
    return graph;
}

// The arcs by their ends' names, with weights: what every format must carry.
QStringList Arcs(const ExchangeGraph& graph)
{
    QStringList arcs;
    for (const auto& edge : graph.Edges)
        arcs.append(graph.Names[edge.From] + QStringLiteral(">") + graph.Names[edge.To] + QLatin1Char(':') +
                    QString::number(edge.Weight));
    arcs.sort();
    return arcs;
}

} // namespace

TEST(FileFormats, EveryExchangeRowReadsBackWhatItWritesAndEveryNameLeadsToItsRow)
{
    QSet<QString> cliNames;
    for (const FileFormat& row : FileFormats::All()) {
        SCOPED_TRACE(row.name);
        ASSERT_FALSE(row.extensions.isEmpty());
        for (const QString& extension : row.extensions)
            EXPECT_EQ(FileFormats::WithExtension(row.kind, extension), &row) << extension.toStdString();
        if (row.cliName) {
            EXPECT_FALSE(cliNames.contains(QLatin1String(row.cliName)));
            cliNames.insert(QLatin1String(row.cliName));
        }
        if (row.kind != FileKind::Exchange) {
            EXPECT_TRUE(!row.read && !row.write && row.format == Format::Unknown);
            continue;
        }
        ASSERT_TRUE(row.read && row.write && row.cliName);
        EXPECT_EQ(FileFormats::Of(row.format), &row);
        EXPECT_EQ(ExchangeFormats::FormatNamed(QLatin1String(row.cliName)), row.format);
        for (const QString& extension : row.extensions) {
            EXPECT_EQ(ExchangeFormats::FormatOfFile(QStringLiteral("g.") + extension.toUpper()), row.format);
            EXPECT_EQ(ExchangeFormats::FormatNamed(extension), row.format);
        }

        const ExchangeGraph sample = Sample();
        QByteArray bytes;
        FileError error;
        ASSERT_TRUE(row.write(sample, bytes, error)) << error.Text().toStdString();
        ExchangeGraph back;
        ASSERT_TRUE(row.read(bytes, back, error)) << error.Text().toStdString() << bytes.toStdString();
        EXPECT_EQ(back.Directed, sample.Directed);
        EXPECT_EQ(back.Weighted, sample.Weighted);
        EXPECT_EQ(Arcs(back), Arcs(sample)) << bytes.toStdString();
    }
    EXPECT_EQ(FileFormats::Of(Format::Unknown), nullptr);
    EXPECT_TRUE(ExchangeFormats::IsProgramGraphName(QStringLiteral("a.GRAFA")));
    EXPECT_TRUE(ExchangeFormats::IsProgramGraphName(QStringLiteral("old.txt")));
    EXPECT_FALSE(ExchangeFormats::IsProgramGraphName(QStringLiteral("a.gexf")));
}

TEST(FileFormats, TheExchangeDialogsListTheRowsInBothLanguages)
{
    for (bool english : {false, true}) {
        if (english)
            TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
        const QString edgeList = english ? QStringLiteral("Edge list") : QStringLiteral("Список рёбер");
        const QStringList imported{"GraphML (*.graphml)",
                                   "GML (*.gml)",
                                   "DOT (*.dot *.gv)",
                                   "Pajek (*.net)",
                                   edgeList + " (*.edgelist *.txt)",
                                   "CSV (*.csv)"};
        EXPECT_EQ(FileFilters::ForDialog(FileDialogKind::ImportGraph), imported);
        EXPECT_EQ(FileFilters::ForDialog(FileDialogKind::ExportGraph), imported + QStringList{"PDF (*.pdf)"});
    }
    TranslateManager().UseBuiltIn();
}

// A reader's error travels as a value: the key, its arguments and the line, which the import
// then puts into its message with the file's name.
TEST(FileFormats, AReadersErrorReachesTheMessageWithItsFileAndLine)
{
    TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
    const QByteArray csv = ",a,b,c\na,0,1,0\nb,1,0\nc,0,0,0\n";
    ExchangeGraph out;
    FileError error;
    ASSERT_FALSE(FileFormats::Of(Format::Csv)->read(csv, out, error));
    EXPECT_EQ(error.key, QStringLiteral("Exchange_csv_row_length"));
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(error.Text(), QStringLiteral("line 3: 2 values where 3 are expected"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rows.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(csv);
    file.close();
    ScriptedHost host;
    GraphDocument graf;
    graf.StartNewGraph(false, false);
    EXPECT_EQ(ExchangeFormats::ImportGraph(graf, host, path, Format::Csv),
              ExchangeFormats::ImportResult::Unreadable);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              QStringLiteral("The file could not be read: rows.csv: line 3: 2 values where 3 are expected"));

    // The graph file's reader gives its refusal the same way, naming the file; the caller shows it.
    for (const int count : {255, 256}) {
        const QString grafa = dir.filePath(QStringLiteral("big.grafa"));
        QFile big(grafa);
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        big.write("[Main]\nVersion=1\nPointCount=" + QByteArray::number(count) + "\n");
        big.close();
        FileError refusal;
        EXPECT_EQ(GrafaFile::ReadGrafa(graf, host, IniFile(grafa), refusal), count == 255);
        EXPECT_EQ(graf.VertexCount, 255);
        EXPECT_EQ(refusal.key, count == 255 ? QString() : QStringLiteral("Version_not_support_count"));
        EXPECT_EQ(refusal.fileName, count == 255 ? QString() : grafa);
    }
    // A library's own words are shown as they are, whatever the language.
    EXPECT_EQ(FileError::Verbatim(QStringLiteral("syntax error")).Text(), QStringLiteral("syntax error"));
    EXPECT_FALSE(FileError().IsError());
    TranslateManager().UseBuiltIn();
}
