#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

// One language's manual: its chapters in file-name order and the pictures they show.
struct ManualBook {
    QString title;                   // on the first page
    QString contentsTitle;           // heading of the list of chapters
    QStringList chapters;            // Markdown, one string per chapter
    QHash<QString, QImage> pictures; // by the name the chapters use, "NAME.png"
};

// The chapter files (*.md) of a folder in file-name order.
QStringList ReadChapters(const QString& folder, QStringList& errors);

// The pictures the chapters refer to as ![caption](NAME.png), without duplicates.
QStringList PicturesUsed(const QStringList& chapters);

// Lays the book out on A4 pages (a title page with the chapters listed, every chapter on a
// new page, each picture's caption under it) and writes it as PDF. False when the file
// cannot be written.
bool WriteManualPdf(const ManualBook& book, const QString& fileName);
