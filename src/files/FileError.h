#pragma once

#include <QString>
#include <QStringList>

// Why a file could not be read or written, as a value that travels from the reader or writer
// to the message the user reads: a message key with its arguments, or a library's or the
// system's own words, and the file and line when they are known. Empty when nothing failed.
struct FileError {
    QString key;           // the translation key; empty for words shown as they are
    QStringList arguments; // for the key's %1, %2, ...; the words themselves without a key
    QString fileName;      // the file it is about, when known
    int line = 0;          // 1-based; 0 when unknown

    // A message of the translation table.
    static FileError Message(const QString& key, const QStringList& arguments = {});
    // Words of a library or of the system, which no translation table holds.
    static FileError Verbatim(const QString& text);

    FileError& InFile(const QString& name);
    FileError& AtLine(int number);

    bool IsError() const { return !key.isEmpty() || !arguments.isEmpty(); }
    // The message in the current language, each argument put in as the message's own code
    // always did: one after the other.
    QString Text() const;
};
