#include "files/CsvMatrix.h"

#include <QRegularExpression>
#include <QStringList>

namespace CsvMatrix {
namespace {

QStringList SplitRow(const QString& line, QChar separator)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == separator) {
            cells.append(cell.trimmed());
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.append(cell.trimmed());
    return cells;
}

// Whether a cell is meant as a number, parsed or not ("1e400", a digit followed by a NUL):
// such a cell never makes its row a header.
bool LooksNumeric(const QString& cell)
{
    static const QRegularExpression start(QStringLiteral("^[+-]?\\.?\\d"));
    return start.match(cell).hasMatch();
}

// The cell as a message may show it: control characters (a NUL) would break the line.
QString Shown(const QString& cell)
{
    QString out = cell;
    for (QChar& c : out)
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    return out;
}

QString Quoted(const QString& name)
{
    if (!name.contains(QLatin1Char(',')) && !name.contains(QLatin1Char(';')) &&
        !name.contains(QLatin1Char('"')) && name.trimmed() == name && !name.isEmpty())
        return name;
    QString out = name;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

} // namespace

bool Read(const QByteArray& data, ExchangeGraph& out, FileError& error)
{
    QList<QPair<int, QString>> lines; // line number, text
    const QStringList all = QString::fromUtf8(data).split(QLatin1Char('\n'));
    for (int i = 0; i < all.size(); ++i) {
        QString line = all[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            lines.append({i + 1, line});
    }
    if (lines.isEmpty()) {
        error = FileError::Message(QStringLiteral("Exchange_csv_empty"));
        return false;
    }
    // Semicolons outside quoted names mark a semicolon-separated file.
    QString unquoted = lines[0].second;
    unquoted.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"")));
    const QChar separator = unquoted.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    const QStringList first = SplitRow(lines[0].second, separator);
    // A header row: an empty corner before the column names (what the program writes, whose
    // names may be numbers), or entries none of which is meant as a number.
    bool header = first[0].isEmpty();
    if (!header) {
        header = true;
        for (const QString& cell : first)
            header = header && !LooksNumeric(cell);
    }
    out = ExchangeGraph();
    if (header)
        out.Names = first.mid(1);
    const int n = header ? int(out.Names.size()) : int(first.size());
    const int rows = int(lines.size()) - (header ? 1 : 0);
    if (rows != n) {
        error = FileError::Message(QStringLiteral("Exchange_csv_not_square"),
                                   {QString::number(rows), QString::number(n)});
        return false;
    }
    std::vector<std::vector<double>> matrix(std::size_t(n), std::vector<double>(std::size_t(n), 0.0));
    std::vector<int> rowLine(std::size_t(n), 0);
    for (int r = 0; r < n; ++r) {
        const auto& [number, text] = lines[r + (header ? 1 : 0)];
        rowLine[std::size_t(r)] = number;
        QStringList cells = SplitRow(text, separator);
        if (header)
            cells.removeFirst();
        if (cells.size() != n) {
            error = FileError::Message(
                        QStringLiteral("Exchange_csv_row_length"),
                        {QString::number(number), QString::number(cells.size()), QString::number(n)})
                        .AtLine(number);
            return false;
        }
        for (int c = 0; c < n; ++c) {
            if (cells[c].isEmpty())
                continue;
            bool ok = false;
            matrix[std::size_t(r)][std::size_t(c)] = cells[c].toDouble(&ok);
            if (!ok) {
                error = FileError::Message(
                            QStringLiteral("Exchange_csv_bad_number"),
                            {QString::number(number), QString::number(c + (header ? 2 : 1)), Shown(cells[c])})
                            .AtLine(number);
                return false;
            }
        }
    }
    if (!header)
        for (int i = 0; i < n; ++i)
            out.Names.append(QString::number(i + 1));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double w = matrix[std::size_t(i)][std::size_t(j)];
            out.Directed = out.Directed || w != matrix[std::size_t(j)][std::size_t(i)];
            out.Weighted = out.Weighted || (w != 0 && w != 1);
        }
    for (int i = 0; i < n; ++i)
        for (int j = out.Directed ? 0 : i; j < n; ++j)
            if (matrix[std::size_t(i)][std::size_t(j)] != 0)
                out.Edges.push_back(
                    {i, j, matrix[std::size_t(i)][std::size_t(j)], false, rowLine[std::size_t(i)]});
    return true;
}

QByteArray Write(const ExchangeGraph& graph)
{
    const int n = graph.VertexCount();
    std::vector<std::vector<double>> matrix(std::size_t(n), std::vector<double>(std::size_t(n), 0.0));
    for (const auto& e : graph.Edges) {
        matrix[std::size_t(e.From)][std::size_t(e.To)] = graph.Weighted ? e.Weight : 1;
        if (!graph.Directed || e.BothWays)
            matrix[std::size_t(e.To)][std::size_t(e.From)] = graph.Weighted ? e.Weight : 1;
    }
    QString text;
    for (const QString& name : graph.Names)
        text += QLatin1Char(',') + Quoted(name);
    text += QLatin1Char('\n');
    for (int i = 0; i < n; ++i) {
        text += Quoted(graph.Names[i]);
        for (int j = 0; j < n; ++j)
            text += QLatin1Char(',') + QString::number(matrix[std::size_t(i)][std::size_t(j)], 'g', 17);
        text += QLatin1Char('\n');
    }
    return text.toUtf8();
}

} // namespace CsvMatrix
