#pragma once

#include "document/GraphDocument.h"
#include "document/ProgramHost.h"

#include <QStringList>

// The adjacency matrix as text: one comma-separated line per tail vertex.
namespace MatrixText {

// Fills matrix[head][tail] from the lines and validates them; a bad line is refused with a
// message. n is the number of vertices on success.
bool ParseMatrixText(UserPrompts& prompts, const QStringList& lines, GraphLimits::VertexMatrix<int>& matrix,
                     int& n);
// Replaces the graph by the typed one (same kind), asking for names when they are typed by
// hand and redrawing; false when refused.
bool ApplyTextMatrix(GraphDocument& graf, ProgramHost& host, const QStringList& lines);
// One entry: a decimal number with a whole value; leading blanks and a sign allowed.
bool ParseEntry(const QString& token, double& value);

} // namespace MatrixText
