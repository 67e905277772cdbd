#pragma once

#include <QHash>
#include <QList>
#include <QString>

// A place on a page: the page's index (0 first) and a height from the page's top, in the
// units the book is laid out in (96 to the inch).
struct PdfPlace {
    int page = 0;
    qreal top = 0;
};

// One bookmark of the outline; level 1 items hold the level 2 items that follow them.
struct PdfOutlineItem {
    int level = 1;
    QString title;
    PdfPlace place;
};

// Adds the outline (shown when the book opens) to a PDF as an incremental update, and turns the
// links the text layout wrote to "#NAME" into jumps to the places `targets` gives for them: the
// pages' own objects stay as written, new and replaced objects follow them. False, with the
// reason, when the file is not a PDF this can read.
bool AddPdfNavigation(const QString& fileName, const QList<PdfOutlineItem>& outline,
                      const QHash<QString, PdfPlace>& targets, QString& problem);
