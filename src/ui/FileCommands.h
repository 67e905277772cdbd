#pragma once

#include <QString>

class CommandWindow;
class GraphSession;
class NewGraphEnvironment;

// The file menu: graph files, the recent-file list, import and export, and the picture of the
// drawing. The main window owns one and wires the menu, drops and start-up to it.
class FileCommands {
  public:
    FileCommands(GraphSession& session, CommandWindow& window, NewGraphEnvironment& environment);

    // Open: asks about unsaved work, then for the file.
    void Load();
    // Reads the file as Open does, without asking first.
    void OpenFile(const QString& fileName);
    // One of the manual's example graphs, asking first about unsaved work.
    void OpenExample(const QString& fileName);
    // A graph file from outside (the command line, a drop): as the first graph when there is
    // none yet, otherwise after asking about unsaved work, as Open does.
    void OpenOutsideFile(const QString& fileName);
    // The first graph of a run that opens a file: created as the new-graph dialog would leave
    // it when confirmed at once, since the file then sets its kind and names.
    void StartFirstGraph();
    // Saves under the graph's file name without asking; asks when it has none. True when saved.
    bool Save();
    bool SaveAs();
    void OpenRecent(int index);
    void SaveImage();
    // Import and Export: GraphML, GML, DOT, Pajek, edge lists, CSV matrices; PDF out.
    void Import();
    void Export();

  private:
    // The refreshes after a graph was read, or refused.
    void AfterReading(bool read);

    GraphSession& session;
    CommandWindow& window;
    NewGraphEnvironment& environment;
};
