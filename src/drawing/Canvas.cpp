#include "drawing/Canvas.h"

#include "base/TranslationManager.h"
#include "base/WholeFile.h"
#include "document/GraphDocument.h"
#include "drawing/CurveFrame.h"
#include "drawing/DocumentDrawing.h"
#include "drawing/Surface.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <algorithm>

int MapModeWeight(double distance, int zoomMap)
{
    const int weight = RoundHalfEven(distance / 10 * zoomMap);
    return std::clamp(weight, 1, GraphDocument::MaxWeight);
}

namespace {

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Encoded in memory first: the encoder never meets a failing file (libpng would print its own
// line about it), and the file is written whole or not at all.
bool WriteImage(const QImage& picture, const QString& fileName, const char* format, QString* error)
{
    QByteArray bytes;
    return EncodeImage(picture, format, &bytes, error) && WriteWholeFile(fileName, bytes, error);
}

} // namespace

bool EncodeImage(const QImage& picture, const char* format, QByteArray* bytes, QString* error)
{
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture))
        return Fail(error, writer.errorString());
    return true;
}

bool SaveCanvasBitmap(const QImage& picture, const QString& chosenName, QString* error)
{
    return WriteImage(picture, chosenName + QStringLiteral(".bmp"), "BMP", error);
}

bool SaveCanvasImage(const QImage& picture, const QString& fileName, QString* error)
{
    const std::optional<PictureType> type = PictureTypeOfName(fileName);
    const char* format = type == PictureType::Png ? "PNG" : type == PictureType::Jpeg ? "JPEG" : "BMP";
    return WriteImage(picture, fileName, format, error);
}

std::optional<PictureType> PictureTypeOfName(const QString& fileName)
{
    static const struct {
        const char* extension;
        PictureType type;
    } known[] = {{".bmp", PictureType::Bitmap},
                 {".png", PictureType::Png},
                 {".jpg", PictureType::Jpeg},
                 {".jpeg", PictureType::Jpeg},
                 {".svg", PictureType::Svg}};
    for (const auto& k : known) {
        if (fileName.endsWith(QLatin1String(k.extension), Qt::CaseInsensitive))
            return k.type;
    }
    return std::nullopt;
}

QString PictureExtension(PictureType type)
{
    switch (type) {
    case PictureType::Png:
        return QStringLiteral(".png");
    case PictureType::Jpeg:
        return QStringLiteral(".jpg");
    case PictureType::Svg:
        return QStringLiteral(".svg");
    case PictureType::Bitmap:
        break;
    }
    return QStringLiteral(".bmp");
}

QString PictureFileName(const QString& chosenName, PictureType chosen)
{
    // ".bmp" alone is not a name: the file would be hidden and nameless.
    if (PictureTypeOfName(chosenName) && !QFileInfo(chosenName).completeBaseName().isEmpty())
        return chosenName;
    return chosenName + PictureExtension(chosen);
}

namespace {

// XML 1.0 holds no control characters but tab and the line ends, neither raw nor as character
// references; a name or label holding one would make the file unreadable, so they are dropped.
QByteArray WithoutControlCharacters(const QByteArray& svg)
{
    static const QRegularExpression reference(QStringLiteral("&#(x[0-9A-Fa-f]+|[0-9]+);"));
    QString text = QString::fromUtf8(svg);
    text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r'; });
    QString cleaned;
    cleaned.reserve(text.size());
    qsizetype from = 0;
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString digits = match.captured(1);
        bool ok = false;
        const uint code =
            digits.startsWith(QLatin1Char('x')) ? digits.mid(1).toUInt(&ok, 16) : digits.toUInt(&ok);
        const bool allowed = ok && (code >= 0x20 || code == 0x9 || code == 0xA || code == 0xD);
        cleaned += QStringView(text).mid(from, match.capturedStart() - from);
        if (allowed)
            cleaned += match.captured(0);
        from = match.capturedEnd();
    }
    cleaned += QStringView(text).mid(from);
    return cleaned.toUtf8();
}

} // namespace

QByteArray SvgDrawing(QSize size, const std::function<void(QPainter&)>& draw)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    // The resolution of a bitmap surface, so fonts keep the size they have on the canvas.
    generator.setResolution(96);
    QPainter painter;
    BeginSurface(painter, &generator);
    draw(painter);
    painter.end();
    return WithoutControlCharacters(buffer.data());
}

bool SaveDocumentSvg(GraphDocument& graf, QSize size, const QString& fileName, QString* error)
{
    if (size.isEmpty())
        return Fail(error, Translate(QStringLiteral("Happend_error")));
    return WriteWholeFile(fileName, SvgDrawing(size, [&graf](QPainter& painter) { DrawAll(graf, painter); }),
                          error);
}

bool SaveDocumentPdf(GraphDocument& graf, QSize size, const QString& fileName, QString* error)
{
    if (size.isEmpty())
        return Fail(error, Translate(QStringLiteral("Happend_error")));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        // One page the size of the canvas at the screen's 96 dots per inch, so a pixel of the
        // drawing is a pixel of the page and fonts keep their size.
        writer.setResolution(96);
        writer.setPageSize(
            QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Nodeloom"));
        QPainter painter;
        BeginSurface(painter, &writer);
        DrawAll(graf, painter);
        painter.end();
    }
    if (buffer.data().isEmpty())
        return Fail(error, Translate(QStringLiteral("Happend_error")));
    return WriteWholeFile(fileName, buffer.data(), error);
}
