#pragma once

#include <QString>
#include <QStringList>

// The list of recently opened or saved graph files, newest first.
namespace RecentFiles {

constexpr int MaxEntries = 6;
// Entries 0..MenuEntries-1 get a menu item; the sixth is kept and saved but not shown.
constexpr int MenuEntries = 5;

// A new name goes to the front; a name already listed keeps its place. At most six remain.
void AddRecentFile(QStringList& list, const QString& fileName);
// The menu caption: the full name when shorter than 33 characters, else its first 16
// characters, "..", and its last 16.
QString MenuCaption(const QString& fileName);

} // namespace RecentFiles
