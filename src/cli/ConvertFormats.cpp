#include "cli/ConvertFormats.h"

#include "files/FileFormats.h"

#include <QFileInfo>
#include <QStringList>

namespace ConvertFormats {
namespace {

// "a, b or c".
QString Listed(const QStringList& items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + items.last();
}

// Words filled into lines of at most width characters after the indent, as the usage text
// lays out its notes.
QString Wrapped(const QString& text, int indent, int width)
{
    const QString margin(indent, QLatin1Char(' '));
    QString lines, line = margin;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (line.size() > indent && line.size() + 1 + word.size() > width) {
            lines += line + QLatin1Char('\n');
            line = margin;
        }
        line += (line.size() > indent ? QStringLiteral(" ") : QString()) + word;
    }
    return lines + line + QLatin1Char('\n');
}

} // namespace

QString UsageLines()
{
    // Named formats: the convert name, and the other extensions that stand for it.
    QStringList named;
    for (FileKind kind : {FileKind::Graph, FileKind::Exchange})
        for (const FileFormat* row : FileFormats::OfKind(kind)) {
            if (!row->cliName)
                continue;
            QStringList others;
            for (const QString& extension : row->extensions)
                if (extension != QLatin1String(row->cliName))
                    others.append(QLatin1Char('.') + extension);
            named.append(QLatin1String(row->cliName) +
                         (others.isEmpty()
                              ? QString()
                              : QStringLiteral(" (") + others.join(QStringLiteral(", ")) + QLatin1Char(')')));
        }
    QStringList pictures;
    for (const FileFormat* row : FileFormats::OfKind(FileKind::Picture))
        pictures.append(QLatin1Char('.') + row->extensions.first());
    return Wrapped(QStringLiteral("formats by extension or named: ") + named.join(QStringLiteral(", ")) +
                       QStringLiteral("; OUT may also be ") + Listed(pictures) +
                       QStringLiteral("; --no-weights imports FILE without its weights"),
                   19, 84);
}

QString WrittenExtensions()
{
    QStringList extensions;
    for (FileKind kind : {FileKind::Graph, FileKind::Picture, FileKind::Exchange})
        for (const FileFormat* row : FileFormats::OfKind(kind))
            if (row->saves || row->kind != FileKind::Graph)
                for (const QString& extension : row->extensions)
                    extensions.append(QLatin1Char('.') + extension);
    return QStringLiteral("convert writes ") + Listed(extensions) + QStringLiteral(" files");
}

bool NamesOwnGraph(const QString& name)
{
    for (const FileFormat* row : FileFormats::OfKind(FileKind::Graph))
        if (row->saves && row->cliName && name == QLatin1String(row->cliName))
            return true;
    return false;
}

bool IsOwnGraphName(const QString& fileName)
{
    const FileFormat* row =
        FileFormats::WithExtension(FileKind::Graph, QFileInfo(fileName).suffix().toLower());
    return row && row->saves;
}

} // namespace ConvertFormats
