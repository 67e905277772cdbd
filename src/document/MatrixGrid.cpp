#include "document/MatrixGrid.h"

#include "document/GraphDocument.h"

namespace MatrixGrid {

void MatrixToGrid(const GraphDocument& graf, QList<QStringList>& cells)
{
    const int n = graf.VertexCount;
    cells.clear();
    cells.reserve(n + 1);
    for (int row = 0; row <= n; ++row) {
        QStringList line;
        line.reserve(n + 1);
        for (int column = 0; column <= n; ++column) {
            if (row == 0 && column == 0)
                line.append(QString());
            else if (row == 0)
                line.append(graf.VertexName(column));
            else if (column == 0)
                line.append(graf.VertexName(row));
            else
                line.append(QString::number(graf.MatrixEntry(column, row)));
        }
        cells.append(line);
    }
}

bool IsAcceptedKey(QChar typed)
{
    return (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed.unicode() <= 16;
}

bool EditCell(GraphDocument& graf, QList<QStringList>& cells, int column, int row, const QString& text)
{
    const int n = int(cells.size()) - 1;
    if (column < 1 || row < 1 || column > n || row > n)
        return false;
    if (cells[row].size() <= column || cells[column].size() <= row)
        return false;
    QString typed = text;
    cells[row][column] = typed;
    if (column == row)
        cells[row][column] = QStringLiteral("0");
    bool isNumber = false;
    int value = typed.toInt(&isNumber);
    if (!isNumber)
        value = 0;
    if (!graf.Weighted && value != 0 && column != row) {
        typed = QStringLiteral("1");
        cells[row][column] = typed;
    }
    if (column != row && !graf.Directed && cells[column][row] != typed)
        cells[column][row] = typed;
    return graf.ApplyGridMatrix(cells);
}

} // namespace MatrixGrid
