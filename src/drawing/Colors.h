#pragma once

#include <QColor>

// Styles and the settings file keep colours as 0x00BBGGRR integers; only the painter sees QColor.
QColor ColorFromInt(int color);
int ColorToInt(const QColor& color);

// WCAG relative luminance (0 black .. 1 white) and the contrast ratio of two luminances: what
// decides whether text stays readable on a fill.
double Luminance(const QColor& color);
double Contrast(double a, double b);

// The text colour itself when it stands out on the fill (contrast at least 3:1, enough for a
// vertex name), otherwise black or white, whichever stands out more.
int ReadableTextColor(int textColor, int fillColor);
