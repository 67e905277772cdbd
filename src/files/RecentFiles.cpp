#include "files/RecentFiles.h"

namespace RecentFiles {

void AddRecentFile(QStringList& list, const QString& fileName)
{
    if (!list.contains(fileName, Qt::CaseSensitive))
        list.prepend(fileName);
    while (list.size() > MaxEntries)
        list.removeLast();
}

QString MenuCaption(const QString& fileName)
{
    if (fileName.size() < 33)
        return fileName;
    return fileName.left(16) + QStringLiteral("..") + fileName.right(16);
}

} // namespace RecentFiles
