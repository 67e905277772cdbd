#include "files/EdgeListHeader.h"

#include <QHash>

bool EdgeListHeader::ReadComment(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('#'))
        return false;
    const QString comment = QString::fromUtf8(trimmed.mid(1)).trimmed();
    if (comment.compare(QStringLiteral("directed"), Qt::CaseInsensitive) == 0)
        Directed = true;
    else if (comment.startsWith(QStringLiteral("vertices:"), Qt::CaseInsensitive))
        Vertices = comment.mid(9).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return true;
}

void EdgeListHeader::PutInListedOrder(ExchangeGraph& graph) const
{
    if (Vertices.isEmpty())
        return;
    QStringList names;
    QHash<QString, int> index;
    for (const QString& name : Vertices + graph.Names)
        if (!index.contains(name)) {
            index.insert(name, int(names.size()));
            names.append(name);
        }
    for (auto& e : graph.Edges) {
        e.From = index.value(graph.Names.value(e.From));
        e.To = index.value(graph.Names.value(e.To));
    }
    graph.Names = names;
}
