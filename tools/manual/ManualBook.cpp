#include "ManualBook.h"

#include "PdfNavigation.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <algorithm>

namespace {

const QRegularExpression& ImageLine()
{
    static const QRegularExpression line(
        QStringLiteral("^[ \\t]*!\\[([^\\]]*)\\]\\(([^)\\s]+\\.png)\\)[ \\t]*$"),
        QRegularExpression::MultilineOption);
    return line;
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
            // Pictures drawn at print resolution keep the size they have on the screen.
            const QSizeF size = image.deviceIndependentSize();
            const qreal scale = std::min<qreal>(1.0, textWidth / size.width());
            format.setWidth(size.width() * scale);
            format.setHeight(size.height() * scale);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

bool IsPicture(const QTextBlock& block)
{
    const QString text = block.text();
    return text.size() == 1 && text.at(0) == QChar::ObjectReplacementCharacter;
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
        if (IsPicture(block)) {
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

// A4 in layout units, 96 to the inch, and the text's place on it.
const qreal kPageWidth = 210 / 25.4 * 96;
const qreal kPageHeight = 297 / 25.4 * 96;
const qreal kSideMargin = 2 / 2.54 * 96;
const qreal kTopMargin = 2 / 2.54 * 96;
const qreal kBottomMargin = 2.5 / 2.54 * 96; // the page number stands in it
const qreal kBodyHeight = kPageHeight - kTopMargin - kBottomMargin;

const QString kContentsMarker = QStringLiteral("{{contents}}");
const QString kIndexMarker = QStringLiteral("{{index}}");

int PageAt(qreal y)
{
    return std::max(0, int(y / kPageHeight));
}

// Where a line of a block lies in the document.
QRectF LineRect(const QTextDocument& document, const QTextBlock& block, const QTextLine& line)
{
    const QRectF blockRect = document.documentLayout()->blockBoundingRect(block);
    const QRectF own = block.layout()->boundingRect();
    return QRectF(blockRect.left() - own.left() + line.x(), blockRect.top() - own.top() + line.y(),
                  line.width(), line.height());
}

qreal BlockTop(const QTextDocument& document, const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    if (layout && layout->lineCount() > 0)
        return LineRect(document, block, layout->lineAt(0)).top();
    return document.documentLayout()->blockBoundingRect(block).top();
}

qreal BlockBottom(const QTextDocument& document, const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    if (layout && layout->lineCount() > 0)
        return LineRect(document, block, layout->lineAt(layout->lineCount() - 1)).bottom();
    return document.documentLayout()->blockBoundingRect(block).bottom();
}

// The page a line is drawn on: one reaching into the foot margin goes to the next page.
int DrawnPage(const QRectF& line)
{
    const int page = PageAt(line.top());
    return line.bottom() > page * kPageHeight + kPageHeight - kBottomMargin ? page + 1 : page;
}

int FirstLinePage(const QTextDocument& document, const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    if (layout && layout->lineCount() > 0)
        return DrawnPage(LineRect(document, block, layout->lineAt(0)));
    return PageAt(document.documentLayout()->blockBoundingRect(block).top());
}

int LastLinePage(const QTextDocument& document, const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    if (layout && layout->lineCount() > 0)
        return DrawnPage(LineRect(document, block, layout->lineAt(layout->lineCount() - 1)));
    return PageAt(document.documentLayout()->blockBoundingRect(block).bottom());
}

bool IsCode(const QTextBlock& block)
{
    return block.isValid() && block.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
}

bool StartsPage(const QTextBlock& block)
{
    return block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

bool BreakBefore(QTextBlock block)
{
    if (StartsPage(block))
        return false;
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).setBlockFormat(format);
    return true;
}

// The first place where the layout splits what belongs together, moved to the next page: a
// heading left at the foot of a page, a picture parted from its caption, a listing or a table
// across a page break (when it fits on one page). False when nothing is split.
bool KeepTogetherOnce(QTextDocument& document)
{
    // The layout goes on in steps while the program waits for events; the whole of it first.
    document.pageCount();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (QTextTable* table = QTextCursor(block).currentTable()) {
            const QTextBlock first = table->firstCursorPosition().block();
            if (block != first)
                continue;
            const QTextBlock last = table->lastCursorPosition().block();
            const qreal top = BlockTop(document, first), bottom = BlockBottom(document, last);
            if (FirstLinePage(document, first) != LastLinePage(document, last) &&
                bottom - top < kBodyHeight) {
                QTextTableFormat format = table->format();
                if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                    continue;
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                table->setFormat(format);
                return true;
            }
            continue;
        }
        if (!next.isValid())
            break;
        const qreal top = BlockTop(document, block);
        if (block.blockFormat().headingLevel() > 0) {
            // With the first line of what follows, a table's included.
            if (FirstLinePage(document, block) != FirstLinePage(document, next) && BreakBefore(block))
                return true;
        } else if (IsPicture(block)) {
            if (FirstLinePage(document, block) != LastLinePage(document, next) && BreakBefore(block))
                return true;
        } else if (IsCode(block) && !IsCode(block.previous())) {
            QTextBlock last = block;
            while (IsCode(last.next()))
                last = last.next();
            const qreal bottom = BlockBottom(document, last);
            if (FirstLinePage(document, block) != LastLinePage(document, last) &&
                bottom - top < kBodyHeight && BreakBefore(block))
                return true;
        }
    }
    return false;
}

struct Heading {
    QTextBlock block;
    int level;
    QString text;
};

// Digits of a page number padded to the placeholder's width with figure spaces, which are as
// wide as a digit: filling it in moves no line.
QString PaddedPage(int page)
{
    return QString::number(page).rightJustified(3, QChar(0x2007));
}

QTextCharFormat LinkFormat(const QString& target, bool coloured)
{
    QTextCharFormat format;
    format.setAnchor(true);
    format.setAnchorHref(target);
    if (coloured)
        format.setForeground(QColor(0x1a, 0x4f, 0x9c));
    return format;
}

// The entries of the contents: a line per chapter and an indented one per section, the page
// at the right margin, a placeholder until the pages are known.
QList<QTextCursor> WriteContents(QTextDocument& document, const QTextBlock& marker,
                                 const QList<Heading>& headings)
{
    QList<QTextCursor> placeholders;
    QTextCursor cursor(marker);
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    const qreal width = kPageWidth - 2 * kSideMargin;
    int chapter = 0, section = 0;
    for (qsizetype i = 0; i < headings.size(); ++i) {
        const Heading& heading = headings[i];
        QTextBlockFormat format = marker.blockFormat();
        // Tab positions count from the block's own left edge.
        const qreal indent = heading.level == 1 ? 0 : 24;
        format.setTabPositions({QTextOption::Tab(width - indent - 4, QTextOption::RightTab)});
        format.setTopMargin(heading.level == 1 ? 4 : 0);
        format.setBottomMargin(0);
        format.setLeftMargin(indent);
        if (i > 0)
            cursor.insertBlock(format, QTextCharFormat());
        else
            cursor.setBlockFormat(format);
        const QString number = heading.level == 1 ? QString::number(++chapter) + QStringLiteral(". ")
                                                  : QString::number(chapter) + QLatin1Char('.') +
                                                        QString::number(++section) + QLatin1Char(' ');
        if (heading.level == 1)
            section = 0;
        QTextCharFormat text = LinkFormat(QStringLiteral("#h") + QString::number(i), false);
        if (heading.level == 1)
            text.setFontWeight(QFont::Bold);
        cursor.insertText(number + heading.text, text);
        cursor.insertText(QStringLiteral("\t"), text);
        const int at = cursor.position();
        cursor.insertText(QStringLiteral("000"), text);
        QTextCursor placeholder(&document);
        placeholder.setPosition(at);
        placeholder.setPosition(at + 3, QTextCursor::KeepAnchor);
        // Text inserted right after the placeholder must not join its selection.
        placeholder.setKeepPositionOnInsert(true);
        placeholders.append(placeholder);
    }
    return placeholders;
}

// Mentions of a chapter by its name ("глава «Файлы»", chapter "Files") lead to it; a name may be
// the part of the title before its colon.
void LinkChapterMentions(QTextDocument& document, const QList<Heading>& headings)
{
    static const QRegularExpression mention(
        QStringLiteral("(?:глав\\w*|[Cc]hapters?)\\s+[«\"“]([^»\"”]+)[»\"”]"),
        QRegularExpression::UseUnicodePropertiesOption);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            continue;
        const QString text = block.text();
        for (auto it = mention.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            const QString name = match.captured(1);
            for (qsizetype i = 0; i < headings.size(); ++i) {
                const QString& title = headings[i].text;
                if (headings[i].level != 1 || (title != name && !title.startsWith(name + QLatin1Char(':'))))
                    continue;
                QTextCursor cursor(&document);
                cursor.setPosition(block.position() + int(match.capturedStart(1)));
                cursor.setPosition(block.position() + int(match.capturedEnd(1)), QTextCursor::KeepAnchor);
                cursor.mergeCharFormat(LinkFormat(QStringLiteral("#h") + QString::number(i), true));
                break;
            }
        }
    }
}

// Each term with the pages of the chapters, from `begin` to before `end`, whose text mentions it.
QList<std::pair<QString, QList<int>>> IndexPages(const QTextDocument& document, const QList<IndexTerm>& terms,
                                                 int begin, int end)
{
    QList<std::pair<QString, QList<int>>> index;
    for (const IndexTerm& term : terms) {
        QList<int> pages;
        for (QTextBlock block = document.findBlock(begin); block.isValid() && block.position() < end;
             block = block.next()) {
            const QTextLayout* layout = block.layout();
            for (auto it = term.pattern.globalMatch(block.text()); it.hasNext();) {
                const QRegularExpressionMatch match = it.next();
                const QTextLine line = layout->lineForTextPosition(int(match.capturedStart()));
                if (!line.isValid())
                    continue;
                const int page = DrawnPage(LineRect(document, block, line)) + 1;
                if (!pages.contains(page))
                    pages.append(page);
            }
        }
        std::sort(pages.begin(), pages.end());
        if (!pages.isEmpty())
            index.append({term.term, pages});
    }
    std::sort(index.begin(), index.end(),
              [](const auto& a, const auto& b) { return a.first.compare(b.first, Qt::CaseInsensitive) < 0; });
    return index;
}

void WriteIndex(const QTextBlock& marker, const QList<std::pair<QString, QList<int>>>& index)
{
    QTextCursor cursor(marker);
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    QTextBlockFormat format = marker.blockFormat();
    format.setTopMargin(0);
    format.setBottomMargin(0);
    for (qsizetype i = 0; i < index.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(format, QTextCharFormat());
        else
            cursor.setBlockFormat(format);
        cursor.insertText(index[i].first + QStringLiteral(" — "), QTextCharFormat());
        const QList<int>& pages = index[i].second;
        for (qsizetype k = 0; k < pages.size(); ++k) {
            if (k > 0)
                cursor.insertText(QStringLiteral(", "), QTextCharFormat());
            cursor.insertText(QString::number(pages[k]),
                              LinkFormat(QStringLiteral("#p") + QString::number(pages[k]), true));
        }
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

QList<IndexTerm> ReadIndexTerms(const QString& fileName, QStringList& errors)
{
    QList<IndexTerm> terms;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        errors.append(fileName + QStringLiteral(": cannot be read"));
        return terms;
    }
    int number = 0;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        ++number;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        QStringList stems;
        for (const QString& stem : line.mid(equals + 1).split(QLatin1Char('|'), Qt::SkipEmptyParts))
            if (!stem.trimmed().isEmpty())
                stems.append(QRegularExpression::escape(stem.trimmed()));
        if (equals <= 0 || stems.isEmpty()) {
            errors.append(fileName + QLatin1Char(':') + QString::number(number) +
                          QStringLiteral(": not term = stems"));
            continue;
        }
        // At the start of a word: no letter just before the stem.
        terms.append(IndexTerm{
            line.left(equals).trimmed(),
            QRegularExpression(
                QStringLiteral("(?<!\\w)(?:") + stems.join(QLatin1Char('|')) + QLatin1Char(')'),
                QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption)});
    }
    return terms;
}

bool WriteManualPdf(const ManualBook& book, const QString& fileName, QString& problem)
{
    QString markdown = QStringLiteral("# ") + book.title + QStringLiteral("\n\n## ") + book.contentsTitle +
                       QStringLiteral("\n\n") + kContentsMarker + QLatin1Char('\n');
    for (const QString& chapter : book.chapters)
        markdown += QStringLiteral("\n\n") + WithCaptions(chapter);

    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    // After the text: reading Markdown clears the document's resources.
    document.setMarkdown(markdown);
    for (auto it = book.pictures.begin(); it != book.pictures.end(); ++it)
        document.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());

    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setResolution(96);
    writer.setTitle(book.title);
    writer.setCreator(QStringLiteral("Nodeloom"));
    document.setPageSize(QSizeF(kPageWidth, kPageHeight));
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setLeftMargin(kSideMargin);
    frame.setRightMargin(kSideMargin);
    frame.setTopMargin(kTopMargin);
    frame.setBottomMargin(kBottomMargin);
    document.rootFrame()->setFrameFormat(frame);

    FitImages(document, kPageWidth - 2 * kSideMargin);
    ShapeBlocks(document);

    // The headings of the chapters, after the title page's own two.
    QList<Heading> headings;
    QTextBlock contentsMarker, indexMarker;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (block.text() == kContentsMarker)
            contentsMarker = block;
        else if (block.text() == kIndexMarker)
            indexMarker = block;
        else if (contentsMarker.isValid() && (level == 1 || level == 2))
            headings.append(Heading{block, level, block.text().trimmed()});
    }
    const QList<QTextCursor> placeholders = WriteContents(document, contentsMarker, headings);
    LinkChapterMentions(document, headings);
    // The index is written last: what it lists is where it stands before it is written.
    const int indexChapterStart = [&] {
        for (qsizetype i = headings.size() - 1; i >= 0; --i)
            if (headings[i].level == 1 && indexMarker.isValid() &&
                headings[i].block.position() < indexMarker.position())
                return headings[i].block.position();
        return document.characterCount();
    }();

    for (int moves = 0; moves < 1000 && KeepTogetherOnce(document); ++moves) {
    }
    if (indexMarker.isValid()) {
        WriteIndex(indexMarker,
                   IndexPages(document, book.indexTerms,
                              headings.isEmpty() ? 0 : headings.first().block.position(), indexChapterStart));
        for (int moves = 0; moves < 1000 && KeepTogetherOnce(document); ++moves) {
        }
    }
    document.pageCount();
    QList<PdfPlace> places;
    for (const Heading& heading : headings) {
        const int page = FirstLinePage(document, heading.block);
        const qreal top = std::max(kTopMargin, BlockTop(document, heading.block) - page * kPageHeight);
        places.append(PdfPlace{page, top});
    }
    for (qsizetype i = 0; i < placeholders.size(); ++i) {
        QTextCursor cursor = placeholders[i];
        cursor.insertText(PaddedPage(places[i].page + 1));
    }

    document.pageCount();
    QPainter painter;
    if (!painter.begin(&writer)) {
        problem = QStringLiteral("cannot be written");
        return false;
    }
    // Pictures and screenshots as drawn, not recompressed with losses.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const int pages = document.pageCount();
    QFont footer = font;
    footer.setPointSizeF(9);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page * kPageHeight);
        document.drawContents(&painter, QRectF(0, page * kPageHeight, kPageWidth, kPageHeight));
        painter.restore();
        if (page > 0) {
            painter.setFont(footer);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, kPageHeight - kBottomMargin / 2 - 10, kPageWidth, 20), Qt::AlignCenter,
                             QString::number(page + 1));
        }
    }
    if (!painter.end()) {
        problem = QStringLiteral("cannot be written");
        return false;
    }

    QList<PdfOutlineItem> outline;
    for (qsizetype i = 0; i < headings.size(); ++i)
        outline.append(PdfOutlineItem{headings[i].level, headings[i].text, places[i]});
    QHash<QString, PdfPlace> targets;
    for (qsizetype i = 0; i < places.size(); ++i)
        targets.insert(QStringLiteral("h") + QString::number(i), places[i]);
    for (int page = 1; page <= pages; ++page)
        targets.insert(QStringLiteral("p") + QString::number(page), PdfPlace{page - 1, 0});
    return AddPdfNavigation(fileName, outline, targets, problem);
}
