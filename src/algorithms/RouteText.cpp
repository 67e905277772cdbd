#include "algorithms/RouteText.h"

#include "document/AllGrafUnit.h"

QString RouteLine(const TAllGraf& g, std::span<const int> route)
{
    QString line;
    for (std::size_t k = 0; k < route.size(); ++k) {
        if (k > 0)
            line += QStringLiteral(" - ");
        line += g.PointTitle(route[k]);
    }
    return line;
}
