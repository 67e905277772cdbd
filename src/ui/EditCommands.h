#pragma once

#include "commands/GraphSession.h"

#include <functional>

class CommandWindow;
class GenerateGraphDialog;
class MatrixTextWindow;
class NewGraphEnvironment;
class NewGraphPrompt;
namespace GraphLayouts {
enum class Kind;
}

// The graph and edit menus: creating, properties, ready-made graphs and layouts, adding and
// renaming, the kind conversions, the matrix as text, undo and redo. The main window owns one
// and wires the menus to it; the gestures on the drawing stay the window's own.
class EditCommands {
  public:
    // generateDialog gives the dialog of ready-made graphs, made when first asked for.
    EditCommands(GraphSession& session, CommandWindow& window, NewGraphPrompt& newGraphDialog,
                 NewGraphEnvironment& environment, MatrixTextWindow& matrixText,
                 std::function<GenerateGraphDialog&()> generateDialog);

    void NewGraph();
    void Properties();
    // A ready-made graph in place of this one, asking first about unsaved work.
    void Generate();
    void Layout(GraphLayouts::Kind kind);
    // A vertex at a random place of the visible part.
    void AddVertex();
    // An arc between two vertices chosen by name, with a typed weight when weighted.
    void AddArc();
    void Convert(GraphSession::Conversion conversion);
    void EditMatrix();
    void Undo();
    void Redo();
    void RenameVertex();
    void EditWeight();
    void EditLabel();

  private:
    GraphSession& session;
    CommandWindow& window;
    NewGraphPrompt& newGraphDialog;
    NewGraphEnvironment& environment;
    MatrixTextWindow& matrixText;
    std::function<GenerateGraphDialog&()> generateDialog;
};
