#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class GraphDocument;

// The adjacency matrix as the grid of the matrix window: cells[row][column], columns are
// tails and rows are heads. The window only shows these texts; the rules live here so that
// they work the same without a window.
namespace MatrixGrid {

// VertexCount + 1 rows of VertexCount + 1 cells. With vertices, row 0 and column 0 hold the
// vertex names (the corner stays empty) and cell [b][a] the entry of the arc a -> b.
void MatrixToGrid(const GraphDocument& graf, QList<QStringList>& cells);

// Whether the cell editor lets a typed character through: digits and control characters.
bool IsAcceptedKey(QChar typed);

// The text of cell (column, row) was edited to text: applies the cell rules (diagonal 0, any
// non-zero entry of an unweighted graph is 1, an undirected graph stays symmetric) to cells
// and then the whole grid to the document. True when the document took the grid. The
// caller records the state before and redraws after.
bool EditCell(GraphDocument& graf, QList<QStringList>& cells, int column, int row, const QString& text);

} // namespace MatrixGrid
