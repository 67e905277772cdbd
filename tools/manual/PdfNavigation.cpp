#include "PdfNavigation.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

// The body of the latest definition of object `number`, between "obj" and "endobj".
QByteArray ObjectBody(const QByteArray& pdf, int number)
{
    const QByteArray head = QByteArray::number(number) + " 0 obj";
    qsizetype at = pdf.size();
    while ((at = pdf.lastIndexOf(head, at - 1)) > 0)
        if (pdf[at - 1] == '\n' || pdf[at - 1] == '\r')
            break;
    if (at <= 0)
        return {};
    const qsizetype start = at + head.size();
    const qsizetype end = pdf.indexOf("endobj", start);
    return end < 0 ? QByteArray() : pdf.mid(start, end - start).trimmed();
}

int Reference(const QByteArray& dictionary, const char* key)
{
    const QRegularExpression pattern(QLatin1Char('/') + QLatin1String(key) +
                                     QStringLiteral("\\s+(\\d+)\\s+0\\s+R"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// Text strings as UTF-16 with its byte order mark, written in hexadecimal: any title is safe.
QByteArray TextString(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

QByteArray Number(qreal value)
{
    return QByteArray::number(value, 'f', 2);
}

// The dictionary with `entries` added before its closing brackets.
QByteArray WithEntries(const QByteArray& dictionary, const QByteArray& entries)
{
    const qsizetype close = dictionary.lastIndexOf(">>");
    return dictionary.left(close) + entries + '\n' + dictionary.mid(close);
}

} // namespace

bool AddPdfNavigation(const QString& fileName, const QList<PdfOutlineItem>& outline,
                      const QHash<QString, PdfPlace>& targets, QString& problem)
{
    QFile in(fileName);
    if (!in.open(QIODevice::ReadOnly)) {
        problem = in.errorString();
        return false;
    }
    QByteArray pdf = in.readAll();
    in.close();

    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    const qsizetype startAt = pdf.lastIndexOf("startxref");
    if (trailerAt < 0 || startAt < trailerAt) {
        problem = QStringLiteral("no cross-reference table");
        return false;
    }
    const QByteArray trailer = pdf.mid(trailerAt, startAt - trailerAt);
    const qint64 previous = pdf.mid(startAt + 9).trimmed().split('\n').value(0).trimmed().toLongLong();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("/Size\\s+(\\d+)")).match(QString::fromLatin1(trailer));
    const int root = Reference(trailer, "Root"), info = Reference(trailer, "Info");
    const QByteArray catalog = ObjectBody(pdf, root);
    const int pagesObject = Reference(catalog, "Pages");
    const QByteArray pagesTree = ObjectBody(pdf, pagesObject);
    const QRegularExpressionMatch kids =
        QRegularExpression(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]")).match(QString::fromLatin1(pagesTree));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[([^\\]]*)\\]")).match(QString::fromLatin1(pdf));
    if (!size.hasMatch() || root == 0 || catalog.isEmpty() || !kids.hasMatch() || !box.hasMatch()) {
        problem = QStringLiteral("no catalogue, page tree or page size");
        return false;
    }
    QList<int> pages;
    for (auto it = QRegularExpression(QStringLiteral("(\\d+)\\s+0\\s+R")).globalMatch(kids.captured(1));
         it.hasNext();)
        pages.append(it.next().captured(1).toInt());
    const QStringList boxNumbers = box.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const qreal pageHeight = boxNumbers.value(3).toDouble();
    // Layout units are 96 to the inch, PDF points 72, measured from the page's foot.
    constexpr qreal points = 72.0 / 96.0;
    auto destination = [&](const PdfPlace& place) {
        const int page = pages.value(std::clamp(place.page, 0, int(pages.size()) - 1));
        return '[' + QByteArray::number(page) + " 0 R /XYZ null " + Number(pageHeight - place.top * points) +
               " null]";
    };

    QMap<int, QByteArray> objects;
    int next = size.captured(1).toInt();

    // The links to a place in the book, written as addresses: jumps to their places instead.
    static const QRegularExpression link(QStringLiteral(
        "(?:^|\\n)(\\d+) 0 obj\\s*<<\\s*/Type /Annot\\s*/Subtype /Link\\s*(/Rect \\[[^\\]]*\\])"
        "[^>]*/URI \\(#([^)]*)\\)\\s*>>\\s*>>\\s*endobj"));
    for (auto it = link.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const auto target = targets.constFind(match.captured(3));
        if (target == targets.cend())
            continue;
        objects[match.captured(1).toInt()] = "<<\n/Type /Annot\n/Subtype /Link\n" +
                                             match.captured(2).toLatin1() + "\n/Border [0 0 0]\n/Dest " +
                                             destination(*target) + "\n>>";
    }

    // The outline: chapters at the top, each holding its sections, closed.
    QByteArray catalogEntries = "/PageMode /UseOutlines";
    if (!outline.isEmpty()) {
        const int top = next++;
        struct Node {
            int number;
            int parent;
            QList<int> children;
        };
        QList<Node> nodes;
        QList<int> chapters;
        for (const PdfOutlineItem& item : outline) {
            const bool child = item.level > 1 && !chapters.isEmpty();
            const int parent = child ? nodes[chapters.last()].number : top;
            nodes.append(Node{next++, parent, {}});
            if (child)
                nodes[chapters.last()].children.append(int(nodes.size()) - 1);
            else
                chapters.append(int(nodes.size()) - 1);
        }
        auto write = [&](const QList<int>& siblings) {
            for (qsizetype k = 0; k < siblings.size(); ++k) {
                const Node& node = nodes[siblings[k]];
                const PdfOutlineItem& item = outline[siblings[k]];
                QByteArray body = "<<\n/Title " + TextString(item.title) + "\n/Parent " +
                                  QByteArray::number(node.parent) + " 0 R\n/Dest " + destination(item.place) +
                                  '\n';
                if (k > 0)
                    body += "/Prev " + QByteArray::number(nodes[siblings[k - 1]].number) + " 0 R\n";
                if (k + 1 < siblings.size())
                    body += "/Next " + QByteArray::number(nodes[siblings[k + 1]].number) + " 0 R\n";
                if (!node.children.isEmpty())
                    body += "/First " + QByteArray::number(nodes[node.children.first()].number) +
                            " 0 R\n/Last " + QByteArray::number(nodes[node.children.last()].number) +
                            " 0 R\n/Count -" + QByteArray::number(node.children.size()) + '\n';
                objects[node.number] = body + ">>";
            }
        };
        write(chapters);
        for (int chapter : chapters)
            write(nodes[chapter].children);
        objects[top] = "<<\n/Type /Outlines\n/First " + QByteArray::number(nodes[chapters.first()].number) +
                       " 0 R\n/Last " + QByteArray::number(nodes[chapters.last()].number) + " 0 R\n/Count " +
                       QByteArray::number(chapters.size()) + "\n>>";
        catalogEntries += "\n/Outlines " + QByteArray::number(top) + " 0 R";
    }
    objects[root] = WithEntries(catalog, catalogEntries);

    // The update: the objects, a cross-reference section of runs of numbers, the trailer.
    if (!pdf.endsWith('\n'))
        pdf += '\n';
    QMap<int, qint64> offsets;
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        offsets[it.key()] = pdf.size();
        pdf += QByteArray::number(it.key()) + " 0 obj\n" + it.value() + "\nendobj\n";
    }
    const qint64 xref = pdf.size();
    pdf += "xref\n";
    for (auto it = offsets.begin(); it != offsets.end();) {
        auto end = it;
        int count = 0;
        while (end != offsets.end() && end.key() == it.key() + count) {
            ++end;
            ++count;
        }
        pdf += QByteArray::number(it.key()) + ' ' + QByteArray::number(count) + '\n';
        for (; it != end; ++it)
            pdf += QByteArray::number(it.value()).rightJustified(10, '0') + " 00000 n \n";
    }
    pdf += "trailer\n<<\n/Size " + QByteArray::number(std::max(next, size.captured(1).toInt())) + "\n/Root " +
           QByteArray::number(root) + " 0 R\n";
    if (info != 0)
        pdf += "/Info " + QByteArray::number(info) + " 0 R\n";
    pdf += "/Prev " + QByteArray::number(previous) + "\n>>\nstartxref\n" + QByteArray::number(xref) +
           "\n%%EOF\n";

    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size() || !out.commit()) {
        problem = out.errorString();
        return false;
    }
    return true;
}
