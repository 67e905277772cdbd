#include "files/OldGrafFile.h"

#include "base/IniFile.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"
#include "files/GrafaFile.h"
#include "files/MatrixText.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace OldGrafFile {

namespace {

const QString PositionMarker = QStringLiteral("XYposition");
const QString TypeMarker = QStringLiteral("GrafType");
const QString LabelsMarker = QStringLiteral("Labels");
const QString EndLabelMarker = QStringLiteral("EndLabel");

// The file as a line reader with the text-file reading of integers: blanks and line breaks
// before a number are skipped, then the rest of the number's line is skipped.
class LineReader {
  public:
    explicit LineReader(QStringList lines) : lines(std::move(lines)) {}

    bool AtEnd() const { return line >= lines.size(); }
    QString ReadLine() { return AtEnd() ? QString() : lines[line++]; }

    // The next integer, then the rest of its line. Nothing at the end of the file reads as 0;
    // empty optional when the next word is not an integer.
    std::optional<int> ReadIntegerLine()
    {
        while (!AtEnd()) {
            const QString& text = lines[line];
            const int start = int(
                std::find_if(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); }) - text.begin());
            if (start == text.size()) {
                ++line;
                continue;
            }
            int end = start;
            while (end < text.size() && !text[end].isSpace())
                ++end;
            bool ok = false;
            const int value = text.mid(start, end - start).toInt(&ok);
            ++line;
            if (!ok)
                return std::nullopt;
            return value;
        }
        return 0;
    }

    // Two integers on a line (or across lines), then the rest of the second one's line.
    bool ReadPair(int& x, int& y)
    {
        while (!AtEnd() && lines[line].trimmed().isEmpty())
            ++line;
        if (AtEnd())
            return true;
        const QStringList words =
            lines[line].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        bool ok = false;
        x = words[0].toInt(&ok);
        if (!ok)
            return false;
        if (words.size() >= 2) {
            ++line;
            y = words[1].toInt(&ok);
            return ok;
        }
        ++line;
        const std::optional<int> second = ReadIntegerLine();
        if (!second)
            return false;
        y = *second;
        return true;
    }

  private:
    QStringList lines;
    int line = 0;
};

QStringList SplitLines(const QString& text)
{
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    // The break after the last line does not start another one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int ClampCoordinate(int value)
{
    return std::clamp(value, -GrafaFile::MaxCoordinate, GrafaFile::MaxCoordinate);
}

void ReportBadNumber(UserPrompts& prompts)
{
    prompts.ShowError(Translate(QStringLiteral("Happend_error")));
}

} // namespace

bool ParseGrafType(const QString& line, bool& directed, bool& weighted)
{
    if (line.size() != 9 || !line.startsWith(QLatin1String("Graf1.0")))
        return false;
    auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (!isDigit(line[7]) || !isDigit(line[8]))
        return false;
    directed = line[7] == QLatin1Char('1');
    weighted = line[8] == QLatin1Char('1');
    return true;
}

bool LoadOldGraf(GraphDocument& g, ProgramHost& host, const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        host.ShowError(Translate(QStringLiteral("Happend_error")) + QLatin1Char('\r') + fileName +
                       QStringLiteral(": ") + file.errorString());
        return false;
    }
    QString text = IniFile::DecodeText(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    LineReader reader(SplitLines(text));

    QStringList matrix;
    QString marker;
    while (!reader.AtEnd()) {
        const QString line = reader.ReadLine();
        if (line == PositionMarker || line == TypeMarker) {
            marker = line;
            break;
        }
        matrix.append(line);
    }
    // More lines than the document has vertices: refused whole, before anything changes.
    if (matrix.size() > GraphDocument::MaxVertices) {
        host.ShowError(Translate(QStringLiteral("Version_not_support_count")));
        return false;
    }

    struct Position {
        int x = 0, y = 0;
    };
    QList<Position> positions;
    if (marker == PositionMarker) {
        for (int i = 0; i < matrix.size() && !reader.AtEnd(); ++i) {
            Position p;
            if (!reader.ReadPair(p.x, p.y)) {
                // Nothing has changed yet, and nothing will.
                ReportBadNumber(host);
                return false;
            }
            positions.append(p);
        }
    }

    bool typed = false;
    bool directed = false, weighted = false;
    // The marker that ended the matrix does not count: the type needs a marker of its own.
    bool typeFound = false;
    while (!typeFound && !reader.AtEnd())
        typeFound = reader.ReadLine() == TypeMarker;
    if (typeFound)
        typed = ParseGrafType(reader.ReadLine(), directed, weighted);
    if (typed) {
        g.StartNewGraph(directed, weighted);
        host.UpdateMenus();
        host.RefreshMatrixWindow();
    }

    const bool accepted = MatrixText::ApplyTextMatrix(g, host, matrix);
    for (int i = 0; i < positions.size() && i < g.VertexCount; ++i) {
        g.Vertices[i + 1].X = ClampCoordinate(positions[i].x);
        g.Vertices[i + 1].Y = ClampCoordinate(positions[i].y);
        g.GrowExtent(g.Vertices[i + 1].X + g.Vertices[i + 1].Size,
                     g.Vertices[i + 1].Y + g.Vertices[i + 1].Size);
    }

    bool readable = true;
    bool cut = false;
    {
        bool found = false;
        while (!found && !reader.AtEnd())
            found = reader.ReadLine() == LabelsMarker;
        while (found && !reader.AtEnd()) {
            const QString label = reader.ReadLine();
            if (label == EndLabelMarker)
                break;
            const std::optional<int> x = reader.ReadIntegerLine();
            const std::optional<int> y = x ? reader.ReadIntegerLine() : std::nullopt;
            if (!x || !y) {
                readable = false;
                break;
            }
            g.AddLabel(GraphDocument::LabelTextFromFile(label, cut), ClampCoordinate(*x),
                       ClampCoordinate(*y));
        }
    }
    if (!readable)
        ReportBadNumber(host);
    if (cut)
        host.ShowMessage(ProgramHost::MessageKind::Warning, Translate(QStringLiteral("Label_text_cut")));
    g.CenterAllArcTexts();
    return accepted;
}

} // namespace OldGrafFile
