#pragma once

#include <QString>

class VertexNaming;
class GraphSession;
class GraphDocument;

// The new-graph dialog as the commands see it.
class NewGraphPrompt {
  public:
    virtual ~NewGraphPrompt() = default;
    // Shows the dialog with its confirm button captioned by the text of the key; true when
    // confirmed, after which the session's naming object holds the chosen scheme.
    virtual bool Run(const QString& confirmKey) = 0;
    virtual bool Directed() const = 0;
    virtual bool Weighted() const = 0;
    // Before "Graph properties": the dialog shows the current graph's kind and naming, so
    // that confirming it unchanged changes nothing.
    virtual void ShowGraph(bool directed, bool weighted, const VertexNaming& naming)
    {
        (void)directed;
        (void)weighted;
        (void)naming;
    }
};

// What the program does around a new document: settings, window placement and refreshes.
class NewGraphEnvironment {
  public:
    virtual ~NewGraphEnvironment() = default;
    virtual void LoadSettings(GraphDocument& graf, bool withLanguage)
    {
        (void)graf;
        (void)withLanguage;
    }
    virtual void SaveSettings(GraphDocument& graf) { (void)graf; }
    virtual void LoadWindowPlacement() {}
    // Unsaved work may be replaced: asked (save, discard, cancel) only when there is some;
    // false when the user keeps it.
    virtual bool MayDiscardWork() { return true; }
    // The fresh document is ready: enable commands, refresh the windows, draw it.
    virtual void DocumentCreated(GraphDocument& graf) { (void)graf; }
};

// "Create...": offers to save unsaved work before replacing a graph, shows the dialog and builds the new
// document. True when a new document was created.
bool NewGraphCommand(GraphSession& session, NewGraphPrompt& prompt, NewGraphEnvironment& environment);

// "Graph properties": the dialog's kind and naming applied to the current document as one undo
// step. A conversion first offers to save (save, go on, cancel); cancel changes nothing.
bool PropertiesCommand(GraphSession& session, NewGraphPrompt& prompt);
