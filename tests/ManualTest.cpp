#include "algorithms/RunAlgorithm.h"
#include "base/TranslationManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

#ifdef NODELOOM_MANUAL_FOLDER
// The manual as plain text, laid out the way poppler reads it; blanks and line breaks
// collapsed so that a caption wrapped over two lines still reads as one.
QString ManualText(const QString& file, int& pages)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    info.waitForFinished(60000);
    const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)"),
                                       QRegularExpression::MultilineOption);
    pages = pagesLine.match(QString::fromUtf8(info.readAllStandardOutput())).captured(1).toInt();

    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    text.waitForFinished(60000);
    // Compatibility forms undo the ligatures the layout set ("ﬂ" in "flow").
    return QString::fromUtf8(text.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .simplified();
}

// The pages of a book as poppler reads them, one string each.
QStringList PageTexts(const QString& file)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    text.waitForFinished(60000);
    // Compatibility forms undo the ligatures the layout set ("ﬁ" in "first").
    return QString::fromUtf8(text.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .split(QLatin1Char('\f'));
}

QString Caption(const char* key)
{
    return Translate(QLatin1String(key)).remove(QLatin1Char('&')).simplified();
}
#endif

} // namespace

TEST(Manual, BothLanguagesAreBuiltWithPagesAndNameEveryAlgorithmByItsMenuCaption)
{
#ifndef NODELOOM_MANUAL_FOLDER
    GTEST_SKIP() << "configured without the manual (NODELOOM_MANUAL=OFF)";
#else
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    struct Book {
        const char* file;
        const char* language; // empty: built in
    };
    for (const Book& book : {Book{"help.pdf", ""}, Book{"help-en.pdf", "grafEnglish.lang"}}) {
        const QString file = QStringLiteral(NODELOOM_MANUAL_FOLDER "/") + QLatin1String(book.file);
        ASSERT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
        if (*book.language)
            TranslateManager().LoadLanguage(QLatin1String(book.language));
        else
            TranslateManager().UseBuiltIn();
        int pages = 0;
        const QString text = ManualText(file, pages);
        EXPECT_GE(pages, 20) << book.file;
        EXPECT_TRUE(text.contains(Translate("manual_title"))) << book.file;
        for (const AlgorithmInfo& info : Algorithms())
            EXPECT_TRUE(text.contains(Caption(info.captionKey)))
                << book.file << " does not mention " << Caption(info.captionKey).toStdString();
    }
    TranslateManager().UseBuiltIn();
#endif
}

TEST(Manual, TheContentsAndTheOutlineLeadToThePagesWhereChaptersAndSectionsStart)
{
#ifndef NODELOOM_MANUAL_FOLDER
    GTEST_SKIP() << "configured without the manual (NODELOOM_MANUAL=OFF)";
#else
    if (QStandardPaths::findExecutable(QStringLiteral("pdftohtml")).isEmpty())
        GTEST_SKIP() << "pdftohtml (poppler-utils) is not installed";
    for (const char* name : {"help.pdf", "help-en.pdf"}) {
        const QString file = QStringLiteral(NODELOOM_MANUAL_FOLDER "/") + QLatin1String(name);
        const QStringList pages = PageTexts(file);
        ASSERT_GT(pages.size(), 20) << name;
        // Where a heading really stands: the page with a line that is the title, or its first
        // part when it wraps.
        const auto headingOn = [&pages](int page, const QString& title) {
            if (page < 1 || page > pages.size())
                return false;
            const QString whole = title.simplified();
            for (const QString& line : pages[page - 1].split(QLatin1Char('\n'))) {
                const QString part = line.simplified();
                if (part == whole || (part.size() >= 10 && whole.startsWith(part + QLatin1Char(' '))))
                    return true;
            }
            return false;
        };

        // The outline as poppler reads it: every chapter, each with its sections inside.
        QProcess outline;
        outline.start(QStringLiteral("pdftohtml"),
                      {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-stdout"),
                       QStringLiteral("-q"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                       QStringLiteral("1"), file});
        outline.waitForFinished(60000);
        const QString xml = QString::fromUtf8(outline.readAllStandardOutput());
        static const QRegularExpression item(QStringLiteral("<item page=\"(\\d+)\">([^<]*)</item>"));
        QList<std::pair<int, QString>> items;
        for (auto it = item.globalMatch(xml); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            items.append(
                {match.captured(1).toInt(), match.captured(2)
                                                .replace(QStringLiteral("&#34;"), QStringLiteral("\""))
                                                .replace(QStringLiteral("&amp;"), QStringLiteral("&"))});
        }
        const QDir chapters(
            QStringLiteral(NODELOOM_SOURCE_DIR "/docs/manual/") +
            (QLatin1String(name) == QLatin1String("help.pdf") ? QStringLiteral("ru") : QStringLiteral("en")));
        const int chapterCount = int(chapters.entryList({QStringLiteral("*.md")}, QDir::Files).size());
        EXPECT_GT(items.size(), 2 * chapterCount) << name << ": chapters and their sections";
        // Every chapter but the one-page summary holds sections.
        EXPECT_EQ(xml.count(QStringLiteral("<outline>")), 1 + chapterCount - 1) << name;
        int previous = 0;
        for (const auto& [page, title] : items) {
            EXPECT_TRUE(headingOn(page, title))
                << name << ": \"" << title.toStdString() << "\" not on page " << page;
            EXPECT_GE(page, previous) << name << ": " << title.toStdString();
            previous = page;
        }

        // The contents, laid out as printed: "N. Chapter .... page" and "N.M Section .... page".
        QProcess layout;
        layout.start(QStringLiteral("pdftotext"),
                     {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                      QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                      QString::number(items.value(0).first - 1), file, QStringLiteral("-")});
        layout.waitForFinished(60000);
        static const QRegularExpression entry(
            QStringLiteral("^\\s*(\\d+)(?:\\.|\\.\\d+) (.+?)\\s{2,}(\\d+)\\s*$"),
            QRegularExpression::MultilineOption);
        int chaptersListed = 0, entries = 0;
        for (auto it = entry.globalMatch(QString::fromUtf8(layout.readAllStandardOutput())); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            ++entries;
            chaptersListed +=
                match.captured(0).trimmed().startsWith(match.captured(1) + QStringLiteral(". "));
            EXPECT_TRUE(headingOn(match.captured(3).toInt(),
                                  match.captured(2).normalized(QString::NormalizationForm_KC)))
                << name << ": the contents put \"" << match.captured(2).toStdString() << "\" on page "
                << match.captured(3).toStdString();
        }
        EXPECT_EQ(chaptersListed, chapterCount) << name;
        EXPECT_EQ(entries, items.size()) << name << ": the contents list what the outline lists";
    }
#endif
}
