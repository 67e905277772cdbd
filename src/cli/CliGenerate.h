#pragma once

#include <QStringList>

// nodeloom-cli generate and layout: ready-made graphs and automatic layouts for worksheets.
namespace CliGenerate {

// generate KIND [PARAMS] OUT [--directed] [--weights MIN..MAX] [--seed S] [--layout NAME]
//          [--naming numbers|letters|manual[:START]]
int GenerateCommand(const QStringList& arguments);
// layout NAME IN.grafa OUT.grafa [--root N] [--seed S]
int LayoutCommand(const QStringList& arguments);

QString Usage();

} // namespace CliGenerate
