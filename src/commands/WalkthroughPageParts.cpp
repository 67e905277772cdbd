#include "commands/WalkthroughPageParts.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "report/HTMLReport.h"

#include <utility>

namespace WalkthroughParts {

QString Esc(const QString& text)
{
    return HTMLReportManager::Escape(text);
}

QString Number(double value)
{
    return QString::number(value, 'f', 1);
}

QString Tr(const char* key)
{
    return Translate(QLatin1String(key));
}

TableKind TableOf(const QString& name)
{
    if (name == QLatin1String("FindTraceDekctri") || name == QLatin1String("FindTraceFordBellama"))
        return TableKind::Distances;
    if (name == QLatin1String("FindTraceFloid"))
        return TableKind::Matrix;
    if (name == QLatin1String("FindStreamMax") || name == QLatin1String("FindStreamMaxSuper"))
        return TableKind::Flows;
    if (name == QLatin1String("FindColors") || name == QLatin1String("FindColorsAlternativ"))
        return TableKind::Colours;
    return TableKind::None;
}

bool IsEdge(const GraphDocument& g, int a, int b)
{
    return !g.Directed && g.HasArc(b, a);
}

QString ArcId(const GraphDocument& g, int a, int b)
{
    if (IsEdge(g, a, b) && b < a)
        std::swap(a, b);
    return QStringLiteral("%1_%2").arg(a).arg(b);
}

QString WebColour(int fill)
{
    return QStringLiteral("#%1%2%3")
        .arg(fill & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((fill >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((fill >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

QString InkOn(int fill)
{
    const double luminance =
        0.299 * (fill & 0xFF) + 0.587 * ((fill >> 8) & 0xFF) + 0.114 * ((fill >> 16) & 0xFF);
    return luminance < 140 ? QStringLiteral("#fff") : QStringLiteral("#000");
}

QString Cell(int row, int column)
{
    return QStringLiteral("t%1_%2").arg(row).arg(column);
}

QString DistanceText(int value)
{
    return value >= GraphDocument::Infinity ? QStringLiteral("∞") : QString::number(value);
}

QString FlowText(int flow, int capacity)
{
    return QStringLiteral("%1/%2").arg(flow).arg(capacity);
}

} // namespace WalkthroughParts
