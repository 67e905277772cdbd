#pragma once

#include <QString>

// Where the program keeps and finds its files.
namespace ProgramPaths {

// Folder for "setting.ini": the executable's folder when it is writable and not an
// installed one (a build tree, a portable copy), otherwise the user's data folder,
// created when missing.
QString ProgramFolder();

// An installed program: its executable sits in a "bin" folder beside
// "share/nodeloom". Such a folder is never written, even by a user who could.
bool IsInstalledLayout(const QString& executableFolder);

// Folder of the language files: "local" beside the executable, else the installed
// data folders; the first that exists. When none exists, the one beside the
// executable, so that a missing file is simply not found there.
QString LanguageFolder();

// Folder of the example graphs the manual uses: "examples" beside the executable, else the
// installed data folders; the first that exists, else the one beside the executable.
QString ExamplesFolder();

// Full path of a manual ("help.pdf", "help-en.pdf", ...), looked up beside the program, then
// in the installed data folders. Only the bare file name of fileName counts.
QString HelpFile(const QString& fileName = QStringLiteral("help.pdf"));

// Folder for "reportTemp.html": the program folder when it is the executable's own or
// an override; otherwise the user's cache folder, created when missing, since the
// report is a scratch file that nobody needs to keep.
QString ReportFolder();

// Empty restores the normal look-up. The program folder override also moves the
// help file look-up.
void SetProgramFolderOverride(const QString& folder);
void SetLanguageFolderOverride(const QString& folder);
// An override for the calling thread alone, ahead of the one above: runs on several
// threads at once each keep their report and settings apart.
void SetThreadProgramFolderOverride(const QString& folder);

} // namespace ProgramPaths
