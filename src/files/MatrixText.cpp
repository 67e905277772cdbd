#include "files/MatrixText.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "document/UndoHistory.h"

#include <QRandomGenerator>
#include <cmath>
#include <memory>

namespace MatrixText {

bool ParseEntry(const QString& token, double& value)
{
    // Leading blanks are allowed, trailing ones are not; "2.0" and "2e0" read as 2.
    int start = 0;
    while (start < token.size() && token[start] == QLatin1Char(' '))
        ++start;
    const QString number = token.mid(start);
    if (number.isEmpty() || number.back().isSpace())
        return false;
    for (QChar c : number)
        if (!(c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
              c == QLatin1Char('e') || c == QLatin1Char('E')))
            return false;
    bool ok = false;
    const double parsed = number.toDouble(&ok);
    if (!ok || !std::isfinite(parsed) || parsed != std::floor(parsed))
        return false;
    value = parsed;
    return true;
}

bool ParseMatrixText(UserPrompts& host, const QStringList& lines, GraphLimits::VertexMatrix<int>& matrix,
                     int& n)
{
    for (auto& row : matrix)
        row.fill(0);
    int width = 0;
    int rows = 0;
    for (int k = 1; k <= lines.size(); ++k) {
        QString rest = lines[k - 1];
        int j = 0;
        // More vertices than the document holds cannot become a graph.
        if (k > GraphDocument::MaxVertices && !rest.isEmpty()) {
            host.ShowError(Translate("Version_not_support_count"));
            return false;
        }
        while (!rest.isEmpty()) {
            const int comma = rest.indexOf(QLatin1Char(','));
            const QString token = comma > 0 ? rest.left(comma) : rest;
            double value = 0;
            if (!ParseEntry(token, value)) {
                host.ShowError(Translate("Matrix_have_not_correct_value"));
                return false;
            }
            // Compared as read: a fraction or a huge number is refused before it becomes an int.
            if (!(value == 0 || (value >= 1 && value <= GraphDocument::MaxWeight))) {
                host.ShowError(Translate("load_graf_must_be"));
                return false;
            }
            rest = comma > 0 ? rest.mid(comma + 1) : QString();
            ++j;
            if (j > GraphDocument::MaxVertices) {
                host.ShowError(Translate("Version_not_support_count"));
                return false;
            }
            if (j == k && value != 0) {
                host.ShowError(Translate("Enter_not_corret_matrix"));
                return false;
            }
            matrix[j][k] = int(value);
        }
        if (j > 0) {
            if (width == 0)
                width = j;
            else if (j != width) {
                host.ShowError(Translate("Matrix_is_not_sqr"));
                return false;
            }
            ++rows;
        }
    }
    if (rows != width || rows == 0)
        return false;
    n = rows;
    return true;
}

bool ApplyTextMatrix(GraphDocument& g, ProgramHost& host, const QStringList& lines)
{
    int n = 0;
    auto matrix = std::make_unique<GraphLimits::VertexMatrix<int>>();
    if (!ParseMatrixText(host, lines, *matrix, n))
        return false;
    // A matrix the build still refuses leaves the graph exactly as it was.
    const auto before = UndoHistory::TakeSnapshot(g);
    const int width = g.ExtentWidth, height = g.ExtentHeight;
    g.DeleteAllVertices();
    auto random = [](int bound) { return bound > 0 ? int(QRandomGenerator::global()->bounded(bound)) : 0; };
    for (int i = 1; i <= n; ++i) {
        const int number = g.FreeNameNumber();
        QString name = QStringLiteral("A");
        if (g.IsManualNaming())
            name = host.InputBox(Translate("Name_graf"),
                                 Translate("Enter_name_graf") + QLatin1Char(' ') + QString::number(number) +
                                     Translate("Graf_"),
                                 name);
        const QSize canvas = g.CanvasSize(host.DrawingArea());
        const int x = random(canvas.width() - 4 * g.VertexSize) + 2 * g.VertexSize;
        const int y = random(canvas.height() - 4 * g.VertexSize) + 2 * g.VertexSize;
        g.AddVertex(x, y, name, number, g.VertexSize);
    }
    if (!g.BuildFromMatrix(*matrix, n, host)) {
        UndoHistory::Restore(g, *before);
        g.ExtentWidth = width;
        g.ExtentHeight = height;
        host.Redraw();
        return false;
    }
    g.CenterAllArcTexts();
    host.Redraw();
    return true;
}

} // namespace MatrixText
