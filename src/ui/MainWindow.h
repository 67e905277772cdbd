#pragma once

#include "commands/GraphSession.h"
#include "commands/MouseGestures.h"
#include "commands/NewGraphCommands.h"
#include "ui/AboutBox.h"
#include "ui/CommandWindow.h"
#include "ui/FileFilters.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMouseEvent;
class QKeyEvent;
class QWheelEvent;
class QPlainTextEdit;
class QScrollBar;
class QSplitter;
class QTabWidget;
class QTextBrowser;
class QTimer;
class QToolBar;
class NewGraphDialog;
class FeedbackWindow;
class HelpCommands;
class FileCommands;
class AlgorithmCommands;
class PrintCommands;
class EditCommands;
class ViewCommands;
class QUrl;
class GenerateGraphDialog;
class DrawingArea;
class VertexChoiceDialog;
class MapScaleDialog;
class WindowHost;
class MatrixGridWindow;
class MatrixTextWindow;
class ViewSettingsDialog;
class PlaybackBar;
class ProgramSettings;
class QtTranslations;

// The main window: menus, toolbar, the drawing area with its scroll bars and the result
// panes. It composes the controllers that carry out the commands (files, editing,
// algorithms and playback, printing, view and settings, help), lending them its CommandWindow
// side; what is its own (layout, menus, gestures, zoom, scroll) lives in MainWindow_*.cpp.
class MainWindow : public QMainWindow,
                   private GestureView,
                   private NewGraphEnvironment,
                   private CommandWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    GraphSession& Session() { return *session; }
    GraphDocument* Document() const { return session->Document(); }
    DrawingArea* DrawingPane() const { return area; }
    NewGraphDialog* NewGraphForm() const { return newGraphDialog; }
    VertexChoiceDialog* VertexDialog() const { return vertexDialog; }
    QScrollBar* HorizontalBar() const { return hBar; }
    QScrollBar* VerticalBar() const { return vBar; }
    QPlainTextEdit* TextPane() const { return outp; }
    MatrixGridWindow* MatrixWindow() const { return matrixForm; }
    MatrixTextWindow* TextMatrixWindow() const { return textMatrix; }
    QTextBrowser* HtmlPane() const { return webBrowser; }
    // Menu items by their object name, for the menus' own wiring and for tests.
    QAction* Action(const QString& objectName) const override;
    QMenu* VertexPopup() const { return vertexPopup; }
    QMenu* FreeSpacePopup() const { return freeSpacePopup; }
    QMenu* RecentMenu() const { return recentMenu; }

    // Replaces the message boxes, questions, input boxes and the vertex choice (tests);
    // nullptr restores the real dialogs.
    void SetDialogHost(ProgramHost* host);
    ProgramHost& Host() const override;

    // The controllers, by the menu they serve.
    FileCommands& Files() const { return *fileCommands; }
    AlgorithmCommands& AlgorithmRuns() const { return *algorithmCommands; }
    PrintCommands& Printing() const { return *printCommands; }
    EditCommands& Edits() const { return *editCommands; }
    ViewCommands& Views() const { return *viewCommands; }

    // Seams the tests replace: the tick count of the 25 ms rule, popup menus, file dialogs.
    std::function<qint64()> Clock;
    std::function<void(QMenu& menu, const QPoint& globalPos)> ExecPopup;
    using FileDialog = FileDialogKind;
    // The dialog itself, opening in DialogFolder() with FileFilters::ForDialog(kind).
    std::function<QString(FileDialog kind)> AskFileName;
    // The filter the user chose in the last file dialog (its text), which decides a picture's
    // or an export's type when the name has none.
    QString ChosenFilter;
    // Where a file dialog opens: the current graph file's folder, else the folder last chosen
    // in one (kept in the settings), else the user's home.
    QString DialogFolder() const;
    // The question before unsaved work would be lost.
    using SaveAnswer = ProgramHost::SaveAnswer;
    std::function<SaveAnswer(const QString& question)> AskSaveChanges;
    // Opens a file or web address with the system's default program.
    std::function<bool(const QUrl& address)> OpenExternal;

    // --- start-up -------------------------------------------------------------------------
    // Runs "Create..." once, without the dialog's cancel button; closing the dialog gives an
    // empty undirected graph.
    void EnsureFirstGraph();
    // What the window does once it is first shown: opens the start file, and after a start
    // file that cannot be read, or without one, asks for the first graph.
    void StartUp();

    // --- files from outside ---------------------------------------------------------------
    // The graph file named on the command line: opened when the window is first shown,
    // instead of asking what kind of graph to create.
    void SetStartFile(const QString& fileName) { startFile = fileName; }

    // --- commands -------------------------------------------------------------------------
    // The popup's commands at the place the mouse was pressed.
    void AddVertexAtPressCommand();
    void AddTextCommand();
    void DeleteObjectCommand();
    void SetMouseMode(int mode);
    void DrawArcCommand();
    FeedbackWindow* FeedbackDialog() const { return feedbackWindow; }
    AboutBox* AboutDialog() const { return aboutBox; }
    // The dialog of ready-made graphs, created when first used.
    GenerateGraphDialog* GenerateDialog();

    // --- view -----------------------------------------------------------------------------
    void EnterTextMode();
    void LeaveTextMode() override;
    bool TextMode() const override { return textMode; }
    void Redraw() override;
    void PresentCanvas(const QImage& surface, bool force) override;
    void UpdateScrollBars() override;
    void ScrollToX(int position) override;
    void ScrollToY(int position) override;
    int HorizontalPosition() const override;
    int VerticalPosition() const override;
    // The scroll bars' positions: the canvas point at the drawing area's top-left corner.
    QPoint ScrollPosition() const;
    // Both bars back to the start without a redraw, for a document just created.
    void ResetScroll();
    // The mouse mode the menu chose: 0 constructor, 1 path search.
    int MenuEditMode() const;
    // The map-mode radio items show the document's MapMode (a new graph starts with it off,
    // undo and redo restore it).
    void ShowMapModeCheck();
    void ShowViewValues() override;
    void UpdateMenus() override;
    // The title: the file's name, the program's name and the unsaved-work mark.
    void UpdateTitle();
    // Asks about unsaved work: true when the window may close (saved or discarded).
    bool MayDiscardWork() override;
    void ApplyCaptions();
    void RefreshRecentMenu() override;
    void RefreshTextPane() override;
    // A new or opened graph starts without the previous graph's results.
    void ClearResultPanes() override;
    void ShowReportFile(const QString& path);
    void RefreshMatrixWindow();
    // The visible part of the drawing in canvas units: the area's pixels over the zoom.
    int DrawingAreaWidth() const;
    int DrawingAreaHeight() const;
    // The document's canvas as this window shows it (empty without a document).
    QSize CanvasSize() const override;
    // The surface sized to the drawing area (device pixels for a sharp picture): the
    // visible part of the canvas is all that is drawn.
    void PrepareCanvas() override;
    // The surface the mouse gestures draw the document on before it is shown.
    const QImage& CanvasSurface() const { return canvasSurface; }
    // The drawing area's size in canvas units, at least one each way: the size of every surface
    // drawn.
    QSize ViewSize() const override;
    // Screen pixels to a canvas unit: the zoom on this screen.
    qreal ViewPixelRatio() const override { return devicePixelRatioF() * zoom; }

    // --- zoom: a view of the drawing, never a change of the document ----------------------
    static constexpr double MinZoom = 0.25, MaxZoom = 4.0;
    double Zoom() const { return zoom; }
    // Sets the zoom (clamped) keeping the canvas point under `anchor` (area pixels) in place.
    void SetZoom(double factor, QPointF anchor);
    // One step in or out, keeping the canvas point under `anchor` in place.
    void ZoomAround(bool in, QPointF anchor);
    void ZoomInCommand();
    void ZoomOutCommand();
    void ZoomActualCommand();
    // The whole drawing in the area, within the zoom's limits.
    void ZoomFitCommand();
    // An area position (pixels) as canvas units from the view's corner.
    QPoint AreaToView(QPointF areaPosition) const;

    // --- events from the drawing area -----------------------------------------------------
    void AreaMousePress(QMouseEvent* event);
    void AreaMouseMove(QMouseEvent* event);
    void AreaMouseRelease(QMouseEvent* event);
    void AreaDoubleClick(QMouseEvent* event);
    void AreaKeyPress(QKeyEvent* event);
    // The wheel scrolls the drawing (Shift: sideways); a touchpad scrolls by its pixels.
    void AreaWheel(QWheelEvent* event);

    PlaybackBar* PlaybackControls() const { return playback; }
    // What the drawing area shows: the last copy of the canvas.
    int PresentCount() const { return presentCount; }

  signals:
    void languageApplied();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // GestureView
    void OpenVertexPopup() override;
    void OpenFreeSpacePopup() override;
    void DrawDocument(QImage& surface) override;
    // CommandWindow
    QWidget* DialogParent() override { return this; }
    QString ChooseFile(FileDialog kind) override;
    QString ChosenFileFilter() const override { return ChosenFilter; }
    QImage ShownDrawing() const override;
    // NewGraphEnvironment
    void LoadSettings(GraphDocument& graf, bool withLanguage) override;
    void SaveSettings(GraphDocument& graf) override;
    void LoadWindowPlacement() override;
    void DocumentCreated(GraphDocument& graf) override;

    void BuildLayout();
    void BuildMenus();
    void BuildToolBar();
    void BuildPopups();
    QAction* MakeAction(const QString& objectName, const QString& key, const QString& icon,
                        const QKeySequence& shortcut, std::function<void()> run);
    QMenu* MakeMenu(QMenu* parent, const QString& objectName, const QString& key,
                    const QString& icon = QString());
    void Caption(QAction* action, const QString& key);
    // The first graph of a run from a file; its messages name the file. True when it was read.
    bool OpenStartFile(const QString& fileName);
    void ShowPendingInvitation();
    void UpdateScaleCaption();
    void ShowPopup(QMenu& menu);
    bool InHandledRect(const QPoint& p) const;
    void AfterCommand();
    bool MatrixWindowVisible() const;
    void IncrementRunCounter();

    std::unique_ptr<WindowHost> host;
    std::unique_ptr<GraphSession> session;
    QString startFile;

    DrawingArea* area = nullptr;
    QScrollBar* hBar = nullptr;
    QScrollBar* vBar = nullptr;
    QSplitter* splitter = nullptr;
    QLabel* resultCaption = nullptr;
    QTabWidget* pageControl = nullptr;
    QTextBrowser* webBrowser = nullptr;
    QPlainTextEdit* outp = nullptr;
    QPlainTextEdit* detailMemo = nullptr;
    QLabel* statusText = nullptr;
    QToolBar* toolBar = nullptr;
    QMenu* recentMenu = nullptr;
    QMenu* vertexPopup = nullptr;
    QMenu* freeSpacePopup = nullptr;
    QList<QAction*> recentActions;
    QActionGroup* mapModeGroup = nullptr;
    QActionGroup* mouseModeGroup = nullptr;

    struct CaptionedAction {
        QPointer<QAction> action;
        QString key;
    };
    QList<CaptionedAction> captions;
    QHash<QString, QAction*> actions;
    // Algorithm items (main menu and vertex popup) by the algorithm name they run.
    QList<QPair<QAction*, QString>> algorithmActions;
    // Items disabled while no graph exists, enabled again with the first one.
    QList<QPointer<QAction>> waitingForDocument;

    NewGraphDialog* newGraphDialog = nullptr;
    AboutBox* aboutBox = nullptr;
    FeedbackWindow* feedbackWindow = nullptr;
    std::unique_ptr<HelpCommands> helpCommands;
    std::unique_ptr<FileCommands> fileCommands;
    std::unique_ptr<AlgorithmCommands> algorithmCommands;
    std::unique_ptr<PrintCommands> printCommands;
    std::unique_ptr<EditCommands> editCommands;
    std::unique_ptr<ViewCommands> viewCommands;
    VertexChoiceDialog* vertexDialog = nullptr;
    MapScaleDialog* scaleDialog = nullptr;
    MatrixGridWindow* matrixForm = nullptr;
    MatrixTextWindow* textMatrix = nullptr;
    ViewSettingsDialog* viewSettings = nullptr;
    PlaybackBar* playback = nullptr;
    GenerateGraphDialog* generateDialog = nullptr;
    std::unique_ptr<ProgramSettings> config;
    QtTranslations* qtTranslations = nullptr;

    QElapsedTimer tickSource;
    qint64 lastPresentTick = 0;
    bool presentedOnce = false;
    int presentCount = 0;
    QTimer* catchUpTimer = nullptr;
    bool textMode = false;
    QPoint pressPos;
    bool windowReady = false;
    bool firstGraphDone = false;
    bool matrixWindowAtStart = false;
    bool firstShow = true;
    bool startingUp = false;
    // The third run's invitation, shown once start-up is done.
    bool invitationPending = false;
    double zoom = 1.0;
    QImage canvasSurface;
    // Wheel turns with Ctrl held, in eighths of a degree, not yet a whole zoom step.
    int zoomWheelRest = 0;
    QLabel* zoomText = nullptr;
    void ShowZoom();
    // The user already chose Save or Discard for a log-out whose windows now close.
    bool answeredForClose = false;
};
