#include "ManualBook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

namespace {

const QRegularExpression& ImageLine()
{
    static const QRegularExpression line(
        QStringLiteral("^[ \\t]*!\\[([^\\]]*)\\]\\(([^)\\s]+\\.png)\\)[ \\t]*$"),
        QRegularExpression::MultilineOption);
    return line;
}

QString FirstHeading(const QString& chapter)
{
    static const QRegularExpression heading(QStringLiteral("^#\\s+(.+)$"),
                                            QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = heading.match(chapter);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

// A picture alone on its line gets its caption under it in italics.
QString WithCaptions(QString chapter)
{
    return chapter.replace(ImageLine(), QStringLiteral("![\\1](\\2)\n\n*\\1*"));
}

// Pictures as wide as they were drawn, never wider than the text.
void FitImages(QTextDocument& document, qreal textWidth)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image =
                document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
            if (image.isNull())
                continue;
            const qreal scale = std::min<qreal>(1.0, textWidth / image.width());
            format.setWidth(image.width() * scale);
            format.setHeight(image.height() * scale);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

// Every chapter from the second on starts a page; pictures and their captions centred.
void ShapeBlocks(QTextDocument& document)
{
    int chapters = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        bool changed = false;
        if (format.headingLevel() == 1 && chapters++ > 0) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            changed = true;
        }
        const QString text = block.text();
        if (text.size() == 1 && text.at(0) == QChar::ObjectReplacementCharacter) {
            format.setAlignment(Qt::AlignHCenter);
            QTextBlock caption = block.next();
            if (caption.isValid()) {
                QTextBlockFormat captionFormat = caption.blockFormat();
                captionFormat.setAlignment(Qt::AlignHCenter);
                QTextCursor(caption).setBlockFormat(captionFormat);
            }
            changed = true;
        }
        if (changed)
            QTextCursor(block).setBlockFormat(format);
    }
}

} // namespace

QStringList ReadChapters(const QString& folder, QStringList& errors)
{
    QStringList chapters;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        errors.append(folder + QStringLiteral(": no chapters (*.md)"));
    for (const QFileInfo& info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            errors.append(info.filePath() + QStringLiteral(": cannot be read"));
            continue;
        }
        chapters.append(QString::fromUtf8(file.readAll()));
    }
    return chapters;
}

QStringList PicturesUsed(const QStringList& chapters)
{
    static const QRegularExpression image(QStringLiteral("!\\[[^\\]]*\\]\\(([^)\\s]+)\\.png\\)"));
    QStringList names;
    for (const QString& chapter : chapters) {
        for (auto it = image.globalMatch(chapter); it.hasNext();) {
            const QString name = it.next().captured(1);
            if (!names.contains(name))
                names.append(name);
        }
    }
    return names;
}

bool WriteManualPdf(const ManualBook& book, const QString& fileName)
{
    QString markdown = QStringLiteral("# ") + book.title + QStringLiteral("\n\n## ") + book.contentsTitle +
                       QStringLiteral("\n\n");
    int number = 0;
    for (const QString& chapter : book.chapters)
        markdown +=
            QString::number(++number) + QStringLiteral(". ") + FirstHeading(chapter) + QLatin1Char('\n');
    for (const QString& chapter : book.chapters)
        markdown += QStringLiteral("\n\n") + WithCaptions(chapter);

    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::A4));
    // Printing a document without pages of its own adds margins of 2 cm and the page numbers.
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setTitle(book.title);
    writer.setCreator(QStringLiteral("Nodeloom"));

    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    // After the text: reading Markdown clears the document's resources.
    document.setMarkdown(markdown);
    for (auto it = book.pictures.begin(); it != book.pictures.end(); ++it)
        document.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
    // The text width in the units of a picture's size, 96 to the inch: the page less those margins.
    const qreal textWidth = (writer.pageLayout().paintRect(QPageLayout::Inch).width() - 2 * 2 / 2.54) * 96.0;
    FitImages(document, textWidth);
    ShapeBlocks(document);
    document.print(&writer);
    return QFileInfo(fileName).size() > 0;
}
