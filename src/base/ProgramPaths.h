#pragma once

#include <QString>

// Where the program keeps and finds its files.
namespace ProgramPaths {

// Folder for "setting.ini" and "reportTemp.html": the executable's folder when it
// is writable (a build tree, a portable copy), otherwise the user's data folder,
// created when missing.
QString ProgramFolder();

// Folder of the language files: "local" beside the executable, else the installed
// data folders; the first that exists. When none exists, the one beside the
// executable, so that a missing file is simply not found there.
QString LanguageFolder();

// Full path of a manual ("help.pdf", "help-en.pdf", ...), looked up beside the program, then
// in the installed data folders. Only the bare file name of fileName counts.
QString HelpFile(const QString& fileName = QStringLiteral("help.pdf"));

// Empty restores the normal look-up. The program folder override also moves the
// help file look-up.
void SetProgramFolderOverride(const QString& folder);
void SetLanguageFolderOverride(const QString& folder);

} // namespace ProgramPaths
