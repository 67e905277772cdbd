// The manual's tables and the command-line summary it quotes follow the catalogues they
// describe, in both languages.
#include "CliProcess.h"
#include "algorithms/RunAlgorithm.h"
#include "files/FileFormats.h"

#include <QRegularExpression>

namespace {

QString Chapter(const QString& language, const QString& name)
{
    QFile file(QStringLiteral(NODELOOM_SOURCE_DIR "/docs/manual/") + language + QLatin1Char('/') + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return QString::fromUtf8(file.readAll());
}

// The cells of the table that follows the header line starting with header.
QList<QStringList> Table(const QString& text, const QString& header)
{
    QList<QStringList> rows;
    const QStringList lines = text.split(QLatin1Char('\n'));
    qsizetype at = 0;
    while (at < lines.size() && !lines[at].startsWith(header))
        ++at;
    EXPECT_LT(at, lines.size()) << header.toStdString();
    for (at += 2; at < lines.size() && lines[at].startsWith(QLatin1Char('|')); ++at) {
        QStringList cells = lines[at].split(QLatin1Char('|'));
        cells = cells.mid(1, cells.size() - 2);
        for (QString& cell : cells)
            cell = cell.trimmed();
        rows.append(cells);
    }
    return rows;
}

const QStringList kLanguages{QStringLiteral("en"), QStringLiteral("ru")};

} // namespace

TEST(ManualTables, TheTableOfFormatsListsEveryRowImportedOrExported)
{
    // Extensions, then whether Import and Export take them.
    QStringList expected;
    for (FileKind kind : {FileKind::Exchange, FileKind::Picture})
        for (const FileFormat* row : FileFormats::OfKind(kind))
            if (row->imports || row->exports)
                expected.append(QStringLiteral("`.") + row->extensions.join(QStringLiteral("`, `.")) +
                                QStringLiteral("` ") + QString::number(row->imports) +
                                QString::number(row->exports));
    const QStringList headers{QStringLiteral("| Format |"), QStringLiteral("| Формат |")};
    for (int i = 0; i < kLanguages.size(); ++i) {
        const QString yes = i == 0 ? QStringLiteral("yes") : QStringLiteral("да");
        QStringList listed;
        for (const QStringList& cells :
             Table(Chapter(kLanguages[i], QStringLiteral("06-files.md")), headers[i]))
            listed.append(cells.value(1) + QLatin1Char(' ') + QString::number(cells.value(2) == yes) +
                          QString::number(cells.value(3) == yes));
        EXPECT_EQ(listed, expected) << kLanguages[i].toStdString();
    }
}

TEST(ManualTables, TheTableOfAlgorithmsGivesEveryNameAndAlias)
{
    QStringList expected;
    for (const AlgorithmInfo& info : Algorithms())
        expected.append(QStringLiteral("`%1` `%2`").arg(QLatin1String(info.name), QLatin1String(info.alias)));
    const QStringList headers{QStringLiteral("| Name | Alias |"), QStringLiteral("| Имя | Псевдоним |")};
    for (int i = 0; i < kLanguages.size(); ++i) {
        QStringList listed;
        for (const QStringList& cells :
             Table(Chapter(kLanguages[i], QStringLiteral("15-command-line.md")), headers[i]))
            listed.append(cells.value(0) + QLatin1Char(' ') + cells.value(1));
        EXPECT_EQ(listed, expected) << kLanguages[i].toStdString();
    }
}

struct ManualSummary : CliProcess {};

TEST_F(ManualSummary, TheCommandLineChapterQuotesTheUsageTextAsPrinted)
{
    ASSERT_EQ(Run({"--help"}), 0);
    static const QRegularExpression block(QStringLiteral("```\\n(usage:\\n.*?)```"),
                                          QRegularExpression::DotMatchesEverythingOption);
    for (const QString& language : kLanguages) {
        const QRegularExpressionMatch match =
            block.match(Chapter(language, QStringLiteral("15-command-line.md")));
        ASSERT_TRUE(match.hasMatch()) << language.toStdString();
        EXPECT_EQ(match.captured(1), out) << language.toStdString();
    }
}
