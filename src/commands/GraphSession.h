#pragma once

#include "commands/GestureState.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"
#include "document/UndoHistory.h"
#include "report/ResultPanes.h"

#include <map>
#include <memory>

// The editing commands around the document's operations: the checks, the questions and
// input boxes by key, the undo snapshots and the refreshes. The windows and nodeloom-cli
// only wire their menus, mouse and options to it.
class GraphSession {
  public:
    explicit GraphSession(ProgramHost& host);
    ~GraphSession();

    ProgramHost& Host() const { return host; }
    GraphDocument* Document() const { return document.get(); }
    bool HasDocument() const { return document != nullptr; }
    // Destroys the current document and creates a fresh one that uses the shared naming and
    // drawing style. The caller runs StartNewGraph on it.
    GraphDocument& CreateDocument();
    UndoHistory& History() { return history; }
    TextPane& Outp() { return panes.Text; }
    ResultPanes& Panes() { return panes; }
    // The files last opened or saved, newest first, as the File menu lists them.
    QStringList& RecentFiles() { return recentFiles; }
    // The mouse gesture under way on the drawing.
    GestureState& Gestures() { return gestures; }
    // The one naming object that documents refer to (the new-graph dialog configures it).
    VertexNaming& Naming() { return naming; }
    // The look every document of the session is drawn in, kept from graph to graph.
    DrawingStyle& Style() { return drawingStyle; }

    // Shows "First_need_create" and returns false when no document exists yet.
    bool RequireDocument() const;
    // The document's state with the graph's origin (its file and saved state), for the history.
    std::unique_ptr<HistoryState> Snapshot() const;
    // Records the document's state before a change.
    void RecordState();
    void Undo();
    void Redo();

    // Adding a vertex at a canvas point (double click, free-space popup).
    bool AddVertexAt(int x, int y);
    // Adding a vertex at a random point of the visible part of the canvas (toolbar, menu).
    bool AddVertexRandom();
    // The delete command: the selected vertex, else arc, else label.
    void DeleteSelected();
    void RenameSelectedVertex();
    void EditSelectedWeight();

    enum class Conversion { ToUndirected, ToDirected, ToWeighted, ToUnweighted };
    void Convert(Conversion conversion);

    // Parses a weight typed by the user: the weight, or 0 after the message for a bad one.
    int AskWeight(const QString& proposed) const;
    static int ParseWeight(const QString& text, bool& isNumber);

    // Redraw, matrix window and menus after a command.
    void Refresh() const;

    // Unsaved work: the graph as it was when it was last created, opened or saved, and the
    // file it was opened from or saved to (empty for a new graph).
    void MarkSaved(const QString& fileName);
    void MarkSaved() { MarkSaved(fileName); }
    // A graph that exists in no file yet (generated, imported): unsaved until saved.
    void MarkUnsaved();
    // True when what a graph file holds (kind, vertices and their names and places, arcs,
    // labels) differs from the saved state; selection and highlighting do not count.
    bool HasUnsavedChanges() const;
    const QString& FileName() const { return fileName; }

  private:
    bool AddVertex(int x, int y);

    ProgramHost& host;
    std::unique_ptr<GraphDocument> document;
    UndoHistory history;
    ResultPanes panes;
    VertexNaming naming;
    DrawingStyle drawingStyle;
    GestureState gestures;
    QStringList recentFiles;
    void RestoreState(const HistoryState& state);
    const HistoryState* SavedState() const;

    // The graph's file (empty when it has none), the state a graph without a file was created
    // in (none when it was generated or imported), and what each file held when last read or
    // written: undo may bring back a graph of any of them.
    QString fileName;
    std::shared_ptr<const HistoryState> unnamedBaseline;
    std::map<QString, std::shared_ptr<const HistoryState>> savedFiles;
};
