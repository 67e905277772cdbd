#include "document/ElementStyles.h"

#include <QFont>

QFont TextStyle::Font() const
{
    QFont font(Face);
    font.setPointSize(Size > 0 ? Size : 1);
    font.setBold(Style & Bold);
    font.setItalic(Style & Italic);
    font.setUnderline(Style & Underline);
    font.setStrikeOut(Style & StrikeOut);
    return font;
}

bool VertexStyle::HitTest(int x, int y) const
{
    const double dx = double(x) - X;
    const double dy = double(y) - Y;
    const double reach = double(Size) + PenSize;
    return dx * dx + dy * dy <= reach * reach;
}
