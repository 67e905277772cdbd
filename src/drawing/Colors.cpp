#include "drawing/Colors.h"

#include <algorithm>
#include <array>
#include <cmath>

QColor ColorFromInt(int color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int ColorToInt(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

double Luminance(const QColor& color)
{
    // Linear light of every 8-bit channel value, computed once.
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> table{};
        for (std::size_t i = 0; i < table.size(); ++i) {
            const double c = double(i) / 255.0;
            table[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return 0.2126 * linear[std::size_t(color.red())] + 0.7152 * linear[std::size_t(color.green())] +
           0.0722 * linear[std::size_t(color.blue())];
}

double Contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

int ReadableTextColor(int textColor, int fillColor)
{
    const double fill = Luminance(ColorFromInt(fillColor));
    if (Contrast(Luminance(ColorFromInt(textColor)), fill) >= 3.0)
        return textColor;
    return Contrast(0.0, fill) >= Contrast(1.0, fill) ? 0x000000 : 0xFFFFFF;
}
