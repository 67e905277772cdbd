#pragma once

#include <QColor>

// Styles and the settings file keep colours as 0x00BBGGRR integers; only the painter sees QColor.
QColor ColorFromInt(int color);
int ColorToInt(const QColor& color);
