#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// A term of the index and the words that mention it.
struct IndexTerm {
    QString term;
    QRegularExpression pattern;
};

// One language's manual: its chapters in file-name order and the pictures they show.
struct ManualBook {
    QString title;                   // on the first page
    QString contentsTitle;           // heading of the list of chapters
    QStringList chapters;            // Markdown, one string per chapter
    QHash<QString, QImage> pictures; // by the name the chapters use, "NAME.png"
    // A chapter's paragraph that is exactly {{index}} becomes the index of these terms: each with
    // the pages, before that chapter, where it is mentioned.
    QList<IndexTerm> indexTerms;
};

// The index terms file: "term = stem | stem ..." a line, "#" starting a comment. A stem matches
// the start of a word, any case.
QList<IndexTerm> ReadIndexTerms(const QString& fileName, QStringList& errors);

// The chapter files (*.md) of a folder in file-name order.
QStringList ReadChapters(const QString& folder, QStringList& errors);

// The pictures the chapters refer to as ![caption](NAME.png), without duplicates.
QStringList PicturesUsed(const QStringList& chapters);

// Lays the book out on A4 pages and writes it as PDF: a title page with the contents (chapters
// and sections with their pages), every chapter on a new page, each picture's caption under it,
// headings kept with what follows and tables, listings and pictures whole, numbered pages, an
// outline of chapters and sections, and links from the contents, from mentions of a chapter
// and from the index. False, with the reason, when the file cannot be written.
bool WriteManualPdf(const ManualBook& book, const QString& fileName, QString& problem);
