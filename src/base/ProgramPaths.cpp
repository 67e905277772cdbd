#include "base/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace {

QString& ProgramFolderOverride()
{
    static QString folder;
    return folder;
}

QString& ThreadProgramFolderOverride()
{
    thread_local QString folder;
    return folder;
}

QString ActiveProgramFolderOverride()
{
    if (!ThreadProgramFolderOverride().isEmpty())
        return ThreadProgramFolderOverride();
    return ProgramFolderOverride();
}

QString& LanguageFolderOverride()
{
    static QString folder;
    return folder;
}

QString ExecutableFolder()
{
    if (QCoreApplication::instance() == nullptr)
        return QDir::currentPath();
    return QCoreApplication::applicationDirPath();
}

// The executable's folder when the program may keep its files there.
bool UsesExecutableFolder(const QString& executable)
{
    return QFileInfo(executable).isWritable() && !ProgramPaths::IsInstalledLayout(executable);
}

// Installed data folders, most specific first. The one beside the executable's "bin"
// comes first, so that a copy installed under any prefix finds its own files.
QStringList DataFolders()
{
    QStringList folders{QDir::cleanPath(ExecutableFolder() + QStringLiteral("/../share/nodeloom"))};
    folders.append(QStandardPaths::standardLocations(QStandardPaths::AppDataLocation));
    folders.append(QStringLiteral("/usr/local/share/nodeloom"));
    folders.append(QStringLiteral("/usr/share/nodeloom"));
    folders.removeDuplicates();
    return folders;
}

} // namespace

namespace ProgramPaths {

QString ProgramFolder()
{
    if (const QString folder = ActiveProgramFolderOverride(); !folder.isEmpty())
        return folder;
    const QString executable = ExecutableFolder();
    if (UsesExecutableFolder(executable))
        return executable;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty())
        return executable;
    QDir().mkpath(data);
    return data;
}

bool IsInstalledLayout(const QString& executableFolder)
{
    const QFileInfo folder(executableFolder);
    return folder.fileName() == QLatin1String("bin") &&
           QFileInfo(executableFolder + QStringLiteral("/../share/nodeloom")).isDir();
}

QString ReportFolder()
{
    if (const QString folder = ActiveProgramFolderOverride(); !folder.isEmpty())
        return folder;
    const QString executable = ExecutableFolder();
    if (UsesExecutableFolder(executable))
        return executable;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        return ProgramFolder();
    QDir().mkpath(cache);
    return cache;
}

QString LanguageFolder()
{
    if (!LanguageFolderOverride().isEmpty())
        return LanguageFolderOverride();
    const QString beside = ExecutableFolder() + QStringLiteral("/local");
    if (QFileInfo(beside).isDir())
        return beside;
    for (const QString& data : DataFolders()) {
        const QString folder = data + QStringLiteral("/local");
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return beside;
}

QString ExamplesFolder()
{
    const QString beside = ExecutableFolder() + QStringLiteral("/examples");
    if (QFileInfo(beside).isDir())
        return beside;
    for (const QString& data : DataFolders()) {
        const QString folder = data + QStringLiteral("/examples");
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return beside;
}

QString HelpFile(const QString& fileName)
{
    // A language file names its manual; it cannot point outside the folders looked in.
    QString bare = QFileInfo(fileName).fileName();
    if (bare.isEmpty() || bare == QLatin1String("..") || bare == QLatin1String("."))
        bare = QStringLiteral("help.pdf");
    const QString name = QLatin1Char('/') + bare;
    QStringList candidates;
    if (!ProgramFolderOverride().isEmpty())
        candidates.append(ProgramFolderOverride() + name);
    candidates.append(ExecutableFolder() + name);
    for (const QString& data : DataFolders())
        candidates.append(data + name);
    candidates.append(QStringLiteral("/usr/share/doc/nodeloom") + name);
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return candidates.front();
}

void SetProgramFolderOverride(const QString& folder)
{
    ProgramFolderOverride() = folder;
}

void SetLanguageFolderOverride(const QString& folder)
{
    LanguageFolderOverride() = folder;
}

void SetThreadProgramFolderOverride(const QString& folder)
{
    ThreadProgramFolderOverride() = folder;
}

} // namespace ProgramPaths
