#include "files/GrafaFile.h"

#include "base/IniFile.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"

#include <QStringList>
#include <algorithm>
#include <memory>

namespace GrafaFile {

namespace {

const QString Main = QStringLiteral("Main");
const QString Matrix = QStringLiteral("Matrix");
const QString Position = QStringLiteral("GrafPosition");
const QString Labels = QStringLiteral("Labels");
const QString Title = QStringLiteral("GrafTitle");

// The keys "From i To j" of a matrix of n vertices, made of halves built once: a complete graph
// has 65,025 of them, and building each from numbers cost a third of reading its file.
class MatrixKeys {
  public:
    explicit MatrixKeys(int n)
    {
        from.reserve(n + 1);
        to.reserve(n + 1);
        for (int i = 0; i <= n; ++i) {
            from.append(QStringLiteral("From") + QString::number(i));
            to.append(QStringLiteral("To") + QString::number(i));
        }
    }
    QString operator()(int i, int j) const { return from[i] + to[j]; }

  private:
    QStringList from, to;
};

QString NumberedKey(const char* prefix, int i)
{
    return QLatin1String(prefix) + QString::number(i);
}

int Coordinate(const IniFile& file, const QString& section, const QString& key)
{
    return std::clamp(file.ReadInteger(section, key, 0), -MaxCoordinate, MaxCoordinate);
}

} // namespace

bool SaveGrafa(const GraphDocument& g, const QString& fileName, QString* error)
{
    IniFile file(fileName);
    const int n = g.VertexCount;
    file.WriteInteger(Main, QStringLiteral("IsOrint"), g.Directed ? 1 : 0);
    file.WriteInteger(Main, QStringLiteral("IsHaveCost"), g.Weighted ? 1 : 0);
    file.WriteInteger(Main, QStringLiteral("PointCount"), n);
    file.WriteInteger(Main, QStringLiteral("GrafTitleType"), g.Naming().GetKind());
    file.WriteInteger(Main, QStringLiteral("Version"), 1);
    file.WriteInteger(Main, QStringLiteral("CountLabel"), g.LabelCount);

    // The weight matrix from the out-lists, [tail][head].
    auto weights = std::make_unique<GraphDocument::VertexMatrix<int>>();
    const MatrixKeys matrixKey(n);
    for (int a = 1; a <= n; ++a)
        for (int k = 0; k < g.OutCount(a); ++k)
            (*weights)[a][g.OutArcs(a)[k]] = g.Weighted ? g.OutRecords(a)[std::size_t(k)].Weight : 1;
    for (int i = 1; i <= n; ++i) {
        // "From i To j" holds the arc whose tail is j and whose head is i.
        for (int j = 1; j <= n; ++j)
            file.WriteInteger(Matrix, matrixKey(i, j), (*weights)[j][i]);
        file.WriteInteger(Position, NumberedKey("X", i), g.Vertices[i].X);
        file.WriteInteger(Position, NumberedKey("Y", i), g.Vertices[i].Y);
    }
    for (int k = 1; k <= g.LabelCount; ++k) {
        file.WriteString(Labels, NumberedKey("LabelText", k), g.Labels[k].Text);
        file.WriteInteger(Labels, NumberedKey("X", k), g.Labels[k].X);
        file.WriteInteger(Labels, NumberedKey("Y", k), g.Labels[k].Y);
    }
    const VertexNaming& naming = g.Naming();
    switch (naming.GetKind()) {
    case VertexNaming::Numbers:
        file.WriteInteger(Title, QStringLiteral("BeginNumber"), naming.FirstNumber());
        break;
    case VertexNaming::Letters:
        file.WriteInteger(Title, QStringLiteral("BeginLetter"), naming.FirstLetter());
        file.WriteInteger(Title, QStringLiteral("IsBig"), naming.CapitalLetters() ? 1 : 0);
        break;
    case VertexNaming::Manual:
        for (int i = 1; i <= n; ++i)
            file.WriteString(Title, NumberedKey("Title", i), g.VertexName(i));
        break;
    }
    return file.UpdateFile(error);
}

int FileVersion(const IniFile& file)
{
    return file.ReadInteger(Main, QStringLiteral("Version"), 0);
}

bool ReadGrafa(GraphDocument& g, ProgramHost& host, const IniFile& file, FileError& error)
{
    if (FileVersion(file) != 1)
        return false;
    const int n = std::max(0, file.ReadInteger(Main, QStringLiteral("PointCount"), 0));
    if (n > GraphDocument::MaxVertices) {
        error = FileError::Message(QStringLiteral("Version_not_support_count")).InFile(file.FileName());
        return false;
    }

    // The whole matrix is read and checked before the document changes.
    auto matrix = std::make_unique<GraphLimits::VertexMatrix<int>>();
    const MatrixKeys matrixKey(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const int value = file.ReadInteger(Matrix, matrixKey(i, j), 0);
            if (!GraphDocument::IsMatrixEntry(value)) {
                error = FileError::Message(QStringLiteral("load_graf_must_be")).InFile(file.FileName());
                return false;
            }
            if (i != j)
                (*matrix)[i][j] = value;
        }

    g.DeleteAllLabels();
    g.DeleteAllVertices();
    g.Directed = file.ReadInteger(Main, QStringLiteral("IsOrint"), 0) >= 1;
    g.Weighted = file.ReadInteger(Main, QStringLiteral("IsHaveCost"), 0) > 0;
    g.ExtentWidth = 0;
    g.ExtentHeight = 0;

    VertexNaming& naming = g.Naming();
    int kind = file.ReadInteger(Main, QStringLiteral("GrafTitleType"), 0);
    if (kind != VertexNaming::Letters && kind != VertexNaming::Manual)
        kind = VertexNaming::Numbers; // an unknown scheme would leave vertices without names
    naming.SetKind(quint8(kind));
    if (kind == VertexNaming::Numbers)
        naming.SetNumbers(file.ReadInteger(Title, QStringLiteral("BeginNumber"), 0));
    else if (kind == VertexNaming::Letters)
        naming.SetLetters(file.ReadInteger(Title, QStringLiteral("BeginLetter"), 65),
                          file.ReadInteger(Title, QStringLiteral("IsBig"), 0) > 0);

    bool nameCut = false;
    for (int i = 1; i <= n; ++i) {
        const QString name =
            kind == VertexNaming::Manual
                ? GraphDocument::CutName(file.ReadString(Title, NumberedKey("Title", i), QString()), nameCut)
                : QString();
        g.AddVertex(Coordinate(file, Position, NumberedKey("X", i)),
                    Coordinate(file, Position, NumberedKey("Y", i)), name, g.FreeNameNumber(), g.VertexSize);
    }
    if (!g.BuildFromMatrix(*matrix, n, host)) {
        g.DeleteAllVertices();
        return false;
    }

    // Labels past the document's capacity would be dropped anyway; do not read them at all.
    const int labels =
        std::min(file.ReadInteger(Main, QStringLiteral("CountLabel"), 0), int(GraphDocument::MaxLabels));
    bool cut = false;
    for (int k = 1; k <= labels; ++k)
        g.AddLabel(GraphDocument::LabelTextFromFile(
                       file.ReadString(Labels, NumberedKey("LabelText", k), QString()), cut),
                   Coordinate(file, Labels, NumberedKey("X", k)),
                   Coordinate(file, Labels, NumberedKey("Y", k)));
    if (cut)
        host.ShowMessage(ProgramHost::MessageKind::Warning, Translate(QStringLiteral("Label_text_cut")));
    if (nameCut)
        host.ShowMessage(ProgramHost::MessageKind::Warning, Translate(QStringLiteral("Name_text_cut")));
    g.CenterAllArcTexts();
    host.Redraw();
    return true;
}

bool LoadGrafa(GraphDocument& g, ProgramHost& host, const IniFile& file)
{
    FileError error;
    const bool read = ReadGrafa(g, host, file, error);
    if (error.IsError())
        host.ShowError(error.Text());
    return read;
}

bool LoadGrafa(GraphDocument& g, ProgramHost& host, const QString& fileName)
{
    const IniFile file(fileName);
    return LoadGrafa(g, host, file);
}

} // namespace GrafaFile
