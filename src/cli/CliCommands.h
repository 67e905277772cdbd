#pragma once

#include <QStringList>

// The commands of nodeloom-cli; each returns the process exit status.
namespace CliCommands {

// arguments without the program name.
int Run(const QStringList& arguments);

QString Usage();

} // namespace CliCommands
