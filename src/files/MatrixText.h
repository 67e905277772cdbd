#pragma once

#include "document/GraphDocument.h"

#include <QStringList>

// The adjacency matrix as text: one comma-separated line per tail vertex.
namespace MatrixText {

// Fills matrix[head][tail] from the lines and validates them; messages through the
// document's host. n is the number of vertices on success.
bool ParseMatrixText(GraphDocument& graf, const QStringList& lines, GraphLimits::VertexMatrix<int>& matrix,
                     int& n);
// Replaces the graph by the typed one (same kind); false when refused.
bool ApplyTextMatrix(GraphDocument& graf, const QStringList& lines);
// One entry: a decimal number with a whole value; leading blanks and a sign allowed.
bool ParseEntry(const QString& token, double& value);

} // namespace MatrixText
