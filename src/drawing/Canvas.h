#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QPainter;

class GraphDocument;

// Weight of an arc drawn in map mode between centres `distance` pixels apart: ZoomMap units per
// 10 pixels, rounded, kept within 1..50000.
int MapModeWeight(double distance, int zoomMap);

// The picture command: saves in BMP under the chosen name with ".bmp" appended, whatever the name
// already ends in. False with a reason in `error` when the file cannot be written.
bool SaveCanvasBitmap(const QImage& picture, const QString& chosenName, QString* error);

// The picture in an image format ("PNG", "BMP") in memory; false with the encoder's reason.
bool EncodeImage(const QImage& picture, const char* format, QByteArray* bytes, QString* error);

// Saves a picture under its name as given, as PNG for a ".png" name, JPEG for ".jpg" and
// ".jpeg", and BMP otherwise.
bool SaveCanvasImage(const QImage& picture, const QString& fileName, QString* error);

// The types the picture command saves in.
enum class PictureType { Bitmap, Png, Jpeg, Svg };
// The type a name's extension stands for (any letter case); nullopt for a name with none of them.
std::optional<PictureType> PictureTypeOfName(const QString& fileName);
// The extension a type's files get, with its dot: ".bmp", ".png", ".jpg", ".svg".
QString PictureExtension(PictureType type);
// The name the picture command writes: a name that ends in a picture extension is kept and
// saved in that extension's type (a typed name says what the user wants more precisely than
// the filter); any other name gets the chosen type's extension.
QString PictureFileName(const QString& chosenName, PictureType chosen);

// What draw paints, as an SVG document of the given size at 96 dots per inch. Every SVG the
// programs write comes from here: control characters of names and labels, which XML cannot
// hold, are left out.
QByteArray SvgDrawing(QSize size, const std::function<void(QPainter&)>& draw);

// The whole document drawn as vectors into an SVG file of the canvas size.
bool SaveDocumentSvg(GraphDocument& graf, QSize canvas, const QString& fileName, QString* error);
// The same drawing as a one-page vector PDF of the canvas size.
bool SaveDocumentPdf(GraphDocument& graf, QSize canvas, const QString& fileName, QString* error);
