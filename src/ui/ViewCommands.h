#pragma once

class CommandWindow;
class GraphSession;
class MapScaleDialog;
class MatrixGridWindow;
class NewGraphEnvironment;
class ViewSettingsDialog;

// The view menu and the settings: the look of the drawing, its background picture, the map
// mode and its scale, the matrix window and the language. The main window owns one and wires
// the menus to it; the zoom and the scroll bars stay the window's own.
class ViewCommands {
  public:
    ViewCommands(GraphSession& session, CommandWindow& window, NewGraphEnvironment& environment,
                 ViewSettingsDialog& viewSettings, MapScaleDialog& scaleDialog,
                 MatrixGridWindow& matrixWindow);

    void ViewSettings();
    // The background picture; the settings keep it for the next run.
    void LoadBackground();
    void ClearBackground();
    // Map mode on or off, one undo step; only a weighted graph has a map.
    void MapMode(bool on);
    void Scale();
    void ShowMatrix();
    void UseBuiltInLanguage();
    void UseEnglishLanguage();

  private:
    GraphSession& session;
    CommandWindow& window;
    NewGraphEnvironment& environment;
    ViewSettingsDialog& viewSettings;
    MapScaleDialog& scaleDialog;
    MatrixGridWindow& matrixWindow;
};
