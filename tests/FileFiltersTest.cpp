// What the file dialogs list: every filter in the form Qt's dialogs read, in both languages.
#include "ui/FileFilters.h"
#include "base/TranslationManager.h"
#include "files/ExchangeFormats.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The files of a folder a Qt file dialog shows under a filter, read as Qt reads a filter: the
// words in the last brackets, split at blanks, each a wildcard over the whole name.
QStringList Listed(const QString& folder, const QString& filter)
{
    static const QRegularExpression form(
        QStringLiteral("^(.*)\\(([a-zA-Z0-9_.,*? +;#\\-\\[\\]@\\{\\}/!<>\\$%&=^~:\\|]*)\\)$"));
    const QRegularExpressionMatch match = form.match(filter);
    const QStringList patterns =
        (match.hasMatch() ? match.captured(2) : filter).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList listed;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        for (const QString& pattern : patterns) {
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                    .match(name)
                    .hasMatch()) {
                listed.append(name);
                break;
            }
        }
    }
    return listed;
}

struct FileFiltersTest : ::testing::Test {
    QTemporaryDir dir;
    void SetUp() override
    {
        for (const char* name : {"lesson.grafa", "old.txt", "map.bmp", "shot.png", "README", "net.graphml",
                                 "roads.gv", "table.csv"}) {
            QFile file(dir.filePath(QLatin1String(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    void TearDown() override { TranslateManager().UseBuiltIn(); }
};

} // namespace

TEST_F(FileFiltersTest, GraphAndPictureDialogsListTheirFilesInBothLanguages)
{
    for (bool english : {false, true}) {
        if (english) {
            TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
            ASSERT_EQ(TranslateManager().CurrentLanguageFile(), QStringLiteral("grafEnglish.lang"));
        }
        for (FileDialogKind kind : {FileDialogKind::OpenGraph, FileDialogKind::SaveGraph}) {
            const QStringList filters = FileFilters::ForDialog(kind);
            ASSERT_EQ(filters.size(), 2);
            EXPECT_EQ(Listed(dir.path(), filters[0]), (QStringList{"lesson.grafa", "old.txt"}))
                << filters[0].toStdString();
            // "All files" lists names without an extension too.
            EXPECT_EQ(Listed(dir.path(), filters[1]).size(), 8) << filters[1].toStdString();
            EXPECT_FALSE(filters[0].contains(QLatin1Char('|')));
        }
        EXPECT_EQ(Listed(dir.path(), FileFilters::ForDialog(FileDialogKind::OpenPicture).value(0)),
                  QStringList{"map.bmp"});
        EXPECT_EQ(Listed(dir.path(), FileFilters::ForDialog(FileDialogKind::SavePicture).value(1)),
                  QStringList{"shot.png"});
    }
}

TEST_F(FileFiltersTest, StoredFiltersBecomeQtFilters)
{
    EXPECT_EQ(FileFilters::FromStored(
                  QStringLiteral("Файлы графа(*.txt;*.grafa)|*.txt;*.grafa|Все файлы(*.*)|*.*")),
              (QStringList{"Файлы графа (*.txt *.grafa)", "Все файлы (*)"}));
    EXPECT_EQ(FileFilters::FromStored(QStringLiteral("Web page|*.html; *.htm")),
              QStringList{"Web page (*.html *.htm)"});
    // A language file's text that is not in the stored form is offered as it is.
    EXPECT_EQ(FileFilters::FromStored(QStringLiteral("Pictures (*.bmp)")), QStringList{"Pictures (*.bmp)"});
}

TEST_F(FileFiltersTest, EveryExchangeFilterNamesFilesImportAndExportRead)
{
    // Each pattern of the import and export filters stands for a format the commands know.
    for (FileDialogKind kind : {FileDialogKind::ImportGraph, FileDialogKind::ExportGraph}) {
        for (const QString& filter : FileFilters::ForDialog(kind)) {
            for (const QString& pattern : FileFilters::Patterns(filter)) {
                const QString name = QStringLiteral("graph") + pattern.mid(1);
                EXPECT_TRUE(ExchangeFormats::FormatOfFile(name) != ExchangeFormats::Format::Unknown ||
                            name.endsWith(QLatin1String(".pdf")))
                    << name.toStdString();
            }
        }
    }
    QStringList imported;
    for (const QString& filter : FileFilters::ForDialog(FileDialogKind::ImportGraph))
        imported += Listed(dir.path(), filter);
    imported.sort();
    EXPECT_EQ(imported, (QStringList{"net.graphml", "old.txt", "roads.gv", "table.csv"}));
    EXPECT_EQ(FileFilters::FirstExtension(QStringLiteral("DOT (*.dot *.gv)")), QStringLiteral("dot"));
    EXPECT_EQ(FileFilters::FirstExtension(QStringLiteral("All (*)")), QString());
    EXPECT_EQ(FileFilters::PictureTypeOfFilter(QStringLiteral("JPEG (*.jpg *.jpeg)")), PictureType::Jpeg);
}
