#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

class TAllGraf;

// Weight of an arc drawn in map mode between centres `distance` pixels apart: ZoomMap units per
// 10 pixels, rounded, kept within 1..50000.
int MapModeWeight(double distance, int zoomMap);

// The picture command: saves in BMP under the chosen name with ".bmp" appended, whatever the name
// already ends in. False with a reason in `error` when the file cannot be written.
bool SaveCanvasBitmap(const QImage& picture, const QString& chosenName, QString* error);

// The picture in an image format ("PNG", "BMP") in memory; false with the encoder's reason.
bool EncodeImage(const QImage& picture, const char* format, QByteArray* bytes, QString* error);

// Saves a picture under its name as given, as PNG for a ".png" name and BMP otherwise.
bool SaveCanvasImage(const QImage& picture, const QString& fileName, QString* error);

// What draw paints, as an SVG document of the given size at 96 dots per inch. Every SVG the
// programs write comes from here: control characters of names and labels, which XML cannot
// hold, are left out.
QByteArray SvgDrawing(QSize size, const std::function<void(QPainter&)>& draw);

// The whole document drawn as vectors into an SVG file of the canvas size.
bool SaveDocumentSvg(TAllGraf& graf, const QString& fileName, QString* error);
// The same drawing as a one-page vector PDF of the canvas size.
bool SaveDocumentPdf(TAllGraf& graf, const QString& fileName, QString* error);
