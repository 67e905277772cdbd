#pragma once

#include "PictureManifest.h"

#include <QImage>
#include <QString>

// Makes a picture of the manual with the program itself, in the language in use: the graph
// in a real main window (after the algorithm, when one is named), or a real window.
// Messages the program showed on the way go to problems.
QImage MakeManualPicture(const ManualPicture& picture, const QString& languageFile, QStringList& problems);
