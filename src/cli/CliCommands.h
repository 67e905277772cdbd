#pragma once

#include <QStringList>

// The commands of nodeloom-cli; each returns the process exit status.
namespace CliCommands {

enum ExitCode { Ok = 0, FileUnreadable = 1, BadArguments = 2, Refused = 3 };

// arguments without the program name.
int Run(const QStringList& arguments);

QString Usage();

} // namespace CliCommands
