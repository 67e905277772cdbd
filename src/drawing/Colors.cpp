#include "drawing/Colors.h"

QColor ColorFromInt(int color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int ColorToInt(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
