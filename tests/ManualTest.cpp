#include "algorithms/RunAlgorithm.h"
#include "base/TranslateManager.h"

#include <QCoreApplication>
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
