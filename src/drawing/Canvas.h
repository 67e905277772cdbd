#pragma once

#include <QImage>
#include <QString>

class TAllGraf;

// Weight of an arc drawn in map mode between centres `distance` pixels apart: ZoomMap units per
// 10 pixels, rounded, kept within 1..50000.
int MapModeWeight(double distance, int zoomMap);

// The picture command: saves in BMP under the chosen name with ".bmp" appended, whatever the name
// already ends in. False with a reason in `error` when the file cannot be written.
bool SaveCanvasBitmap(const QImage& picture, const QString& chosenName, QString* error);

// Saves a picture under its name as given, as PNG for a ".png" name and BMP otherwise.
bool SaveCanvasImage(const QImage& picture, const QString& fileName, QString* error);

// The whole document drawn as vectors into an SVG file of the canvas size.
bool SaveDocumentSvg(TAllGraf& graf, const QString& fileName, QString* error);
// The same drawing as a one-page vector PDF of the canvas size.
bool SaveDocumentPdf(TAllGraf& graf, const QString& fileName, QString* error);
