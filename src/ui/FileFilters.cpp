#include "ui/FileFilters.h"

#include "base/TranslationManager.h"
#include "files/FileFormats.h"

#include <QRegularExpression>

namespace FileFilters {

namespace {

// The catalogue's rows of a kind that a dialog takes, as its filters.
QStringList CatalogueFilters(FileKind kind, bool FileFormat::*taken)
{
    QStringList filters;
    for (const FileFormat* row : FileFormats::OfKind(kind))
        if (row->*taken)
            filters.append(FileFormats::Filter(*row));
    return filters;
}

// The stored filters of the program's own graph files.
QStringList GraphFilters(bool FileFormat::*taken)
{
    for (const FileFormat* row : FileFormats::OfKind(FileKind::Graph))
        if (row->*taken && row->filterKey)
            return FromStored(Translate(QLatin1String(row->filterKey)));
    return {};
}

const QRegularExpression& FilterForm()
{
    // What Qt's dialogs take as "name (patterns)".
    static const QRegularExpression form(QStringLiteral("^(.*)\\(([^()]*)\\)\\s*$"));
    return form;
}

} // namespace

QStringList FromStored(const QString& stored)
{
    const QStringList parts = stored.split(QLatin1Char('|'));
    if (parts.size() < 2)
        return {stored};
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const QRegularExpressionMatch inBrackets = FilterForm().match(name);
        if (inBrackets.hasMatch())
            name = inBrackets.captured(1);
        QStringList patterns = parts[i + 1].split(separators, Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters.append(name.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return filters;
}

QStringList ForDialog(FileDialogKind kind)
{
    switch (kind) {
    case FileDialogKind::OpenGraph:
        return GraphFilters(&FileFormat::opens);
    case FileDialogKind::SaveGraph:
        return GraphFilters(&FileFormat::saves);
    case FileDialogKind::OpenPicture:
        return FromStored(Translate("Bitmaps"));
    case FileDialogKind::SavePicture:
        return FromStored(Translate("Bitmaps"))
               << QStringLiteral("PNG (*.png)") << QStringLiteral("JPEG (*.jpg *.jpeg)")
               << QStringLiteral("SVG (*.svg)");
    case FileDialogKind::SaveWalkthrough:
        return FromStored(Translate("WalkthroughFilter"));
    case FileDialogKind::ImportGraph:
        return CatalogueFilters(FileKind::Exchange, &FileFormat::imports);
    case FileDialogKind::ExportGraph:
        return CatalogueFilters(FileKind::Exchange, &FileFormat::exports) +
               CatalogueFilters(FileKind::Picture, &FileFormat::exports);
    }
    return {};
}

QStringList Patterns(const QString& filter)
{
    const QRegularExpressionMatch match = FilterForm().match(filter);
    const QString patterns = match.hasMatch() ? match.captured(2) : filter;
    return patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString FirstExtension(const QString& filter)
{
    for (const QString& pattern : Patterns(filter)) {
        if (pattern.startsWith(QLatin1String("*.")) && pattern.size() > 2 &&
            pattern.indexOf(QLatin1Char('*'), 1) < 0)
            return pattern.mid(2);
    }
    return QString();
}

PictureType PictureTypeOfFilter(const QString& filter)
{
    const QString extension = FirstExtension(filter);
    return extension.isEmpty()
               ? PictureType::Bitmap
               : PictureTypeOfName(QLatin1Char('.') + extension).value_or(PictureType::Bitmap);
}

} // namespace FileFilters
