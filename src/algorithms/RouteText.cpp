#include "algorithms/RouteText.h"

#include "document/GraphDocument.h"

QString RouteLine(const GraphDocument& g, std::span<const int> route)
{
    QString line;
    for (std::size_t k = 0; k < route.size(); ++k) {
        if (k > 0)
            line += QStringLiteral(" - ");
        line += g.VertexName(route[k]);
    }
    return line;
}
