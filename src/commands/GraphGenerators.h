#pragma once

#include "commands/GraphLayouts.h"

#include <QString>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class GraphSession;
class ProgramHost;
class VertexNaming;
class GraphDocument;

// Ready-made graphs: the classic families and random models, built into the document as a new
// graph would be.
namespace GraphGenerators {

enum class Family {
    Complete,            // K(n)
    Cycle,               // C(n)
    Path,                // P(n): n vertices
    Star,                // n vertices: a centre and n - 1 leaves
    Wheel,               // n vertices: a hub and a cycle of n - 1
    CompleteBipartite,   // K(m, n)
    Grid,                // m rows by n columns
    Hypercube,           // Q(d)
    Petersen,            // GP(5, 2)
    GeneralizedPetersen, // GP(n, k)
    RandomGnp,           // n vertices, each pair joined with probability p
    RandomGnm,           // n vertices, m arcs (edges) chosen uniformly
    RandomTree,          // n vertices, uniformly among the labelled trees
    RandomDag,           // n vertices, each pair i < j joined i -> j with probability p
    FlowNetwork,         // a source, m layers of n vertices, a sink; capacities in a range
};

// What a parameter means to the user; its text comes by key.
enum class Param { None, N, K, D, P, Rows, Columns, PartM, PartN, Arcs, Layers, LayerWidth, Ring };
// Its letter on the command line and in the family's name: n, m, k, d or p.
QString ParamLetter(Param param);

struct FamilyInfo {
    Family family;
    const char* name;       // the command-line name
    const char* captionKey; // the dialog's text
    // The whole-number parameters in the order the command line takes them.
    Param first = Param::None, second = Param::None;
    int firstDefault = 0, secondDefault = 0;
    bool probability = false; // takes p
    bool random = false;      // uses the seed
    bool alwaysDirected = false;
    bool alwaysWeighted = false; // capacities
};
std::span<const FamilyInfo> Families();
const FamilyInfo& InfoOf(Family family);
const FamilyInfo* FamilyNamed(const QString& name);
// The text of a parameter in messages and the dialog.
QString ParamText(Param param);

enum class Weights { None, Constant, Random };

struct Params {
    Family family = Family::Complete;
    // The whole-number parameters as FamilyInfo names them.
    int first = 5, second = 0;
    double probability = 0.3;
    bool directed = false;
    Weights weights = Weights::None;
    int constantWeight = 1;
    int minWeight = 1, maxWeight = 10;
    unsigned seed = 1;
    // Vertex naming as in the new-graph dialog: 0 numbers (from the start text), 1 letters (the
    // start text's letter), 2 typed by hand (the numbers, to be renamed).
    int namingKind = 0;
    QString namingStart = QStringLiteral("1");
    // The layout of the new graph; none: the one that suits the family.
    std::optional<GraphLayouts::Kind> layout;
};

// The number of vertices the parameters ask for (may exceed the document's capacity).
long long VertexCount(const Params& params);

// Why the parameters cannot be built, in the user's words: more vertices than the program
// holds (its usual message), or a parameter out of its range (the range named). Nothing when
// they can.
std::optional<QString> Check(const Params& params);

// The graph the parameters describe, before it meets the document: arcs on vertices 0..n-1
// (each edge once when undirected), their weights (empty when unweighted) and, for the layered
// families, every vertex's layer. Random families draw from the seed.
struct Built {
    int vertices = 0;
    bool directed = false, weighted = false;
    std::vector<std::pair<int, int>> arcs;
    std::vector<int> weights;
    std::vector<int> layers;
    bool ok = false; // false when the library failed
};
Built Build(const Params& params);

// Replaces the document's graph and labels by the generated one, named and laid out, keeping
// its drawing styles. Checks first: a refusal shows its message and changes nothing. Records
// no history. Laid out in the host's drawing area, which is then redrawn. True when the graph
// was replaced.
bool Generate(GraphDocument& graf, ProgramHost& host, const Params& params);

// Graph > Generate after its dialog: Generate as one undo step, then the graph counts as a new
// one (no file, nothing unsaved). A refusal changes nothing and records nothing.
bool GenerateCommand(GraphSession& session, const Params& params);

// Applies a naming choice of the new-graph dialog to a naming object: numbers from the start
// text (1 when it is not a number), letters from its first letter, or typed by hand.
void ApplyNamingChoice(VertexNaming& naming, int kind, const QString& start);

} // namespace GraphGenerators
