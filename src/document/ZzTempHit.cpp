#include "document/AllGrafUnit.h"
bool TAllGraf::FindDugaAt(int x, int y, int& tail, int& head) const
{
    for (int a = 1; a <= PointCount; ++a)
        for (int k = 0; k < DugaCount[a]; ++k) {
            const int b = DugaList(a)[k];
            if (std::abs(Dugi[a][b].X - x) <= 5 && std::abs(Dugi[a][b].Y - y) <= 5) {
                tail = a;
                head = b;
                return true;
            }
        }
    return false;
}
