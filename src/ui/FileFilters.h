#pragma once

#include "drawing/Canvas.h"

#include <QString>
#include <QStringList>

// Every file dialog of the desktop program and what it lists.
enum class FileDialogKind {
    OpenGraph,
    SaveGraph,
    OpenPicture,
    SavePicture,
    SaveWalkthrough,
    ImportGraph,
    ExportGraph
};

// The file dialogs' filters, in Qt's form "Name (*.a *.b)": the graph files' from the catalogue
// of file formats (files/FileFormats), the others from their texts. Qt separates a filter's
// patterns by blanks only, so a pattern list written with semicolons would match no file at all.
namespace FileFilters {

// The filters a dialog offers, the first one chosen when it opens.
QStringList ForDialog(FileDialogKind kind);
// The language files' "name|patterns|name|patterns" form in Qt's: patterns separated by ';' or
// blanks, "*.*" as "*" so that names without an extension are listed too. A name already
// holding its patterns in brackets keeps only the words before them.
QStringList FromStored(const QString& stored);
// The patterns of one filter, as Qt reads them.
QStringList Patterns(const QString& filter);
// The extension of the filter's first pattern that names one ("png" of "PNG (*.png)"); empty
// for "*".
QString FirstExtension(const QString& filter);
// The picture type a filter of the picture dialog stands for; the bitmap when it names none.
PictureType PictureTypeOfFilter(const QString& filter);

} // namespace FileFilters
