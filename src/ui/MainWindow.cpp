#include "ui/MainWindow.h"

#include "algorithms/RunAlgorithm.h"
#include "base/TranslationManager.h"
#include "commands/ProgramSettings.h"
#include "online/Feedback.h"
#include "online/ServerEndpoint.h"
#include "ui/AlgorithmCommands.h"
#include "ui/DocumentPainter.h"
#include "ui/DrawingArea.h"
#include "ui/EditCommands.h"
#include "ui/FeedbackWindow.h"
#include "ui/FileCommands.h"
#include "ui/GenerateGraphDialog.h"
#include "ui/HelpCommands.h"
#include "ui/MapScaleDialog.h"
#include "ui/MatrixGridWindow.h"
#include "ui/MatrixTextWindow.h"
#include "ui/NewGraphDialog.h"
#include "ui/PlaybackBar.h"
#include "ui/PrintCommands.h"
#include "ui/QtTranslations.h"
#include "ui/VertexChoiceDialog.h"
#include "ui/ViewCommands.h"
#include "ui/ViewSettingsDialog.h"
#include "ui/WindowHost.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSessionManager>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

// The icons live in the static UI library, whose resources must be registered by hand.
static void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    InitIconResources();
    setObjectName(QStringLiteral("MainWindow"));
    // Graph files dropped from a file manager open like File › Open.
    setAcceptDrops(true);
    tickSource.start();
    Clock = [this] { return tickSource.elapsed(); };
    ExecPopup = [](QMenu& menu, const QPoint& pos) { menu.exec(pos); };
    AskFileName = [this](FileDialog kind) {
        const QString filters = FileFilters::ForDialog(kind).join(QStringLiteral(";;"));
        ChosenFilter.clear();
        const bool opens = kind == FileDialog::OpenGraph || kind == FileDialog::OpenPicture ||
                           kind == FileDialog::ImportGraph;
        return opens ? QFileDialog::getOpenFileName(this, QString(), DialogFolder(), filters, &ChosenFilter)
                     : QFileDialog::getSaveFileName(this, QString(), DialogFolder(), filters, &ChosenFilter);
    };

    OpenExternal = [](const QUrl& address) { return QDesktopServices::openUrl(address); };
    AskSaveChanges = [this](const QString& question) {
        QMessageBox box(QMessageBox::Warning, Translate("ProgramTitle"), question,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        box.button(QMessageBox::Save)->setText(Translate("Save_changes"));
        box.button(QMessageBox::Discard)->setText(Translate("Discard_changes"));
        box.button(QMessageBox::Cancel)->setText(Translate("Cancel"));
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        const int answer = box.exec();
        return answer == QMessageBox::Save      ? SaveAnswer::Save
               : answer == QMessageBox::Discard ? SaveAnswer::Discard
                                                : SaveAnswer::Cancel;
    };

    // The program's icon, for this window and every dialog it opens.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/nodeloom.svg")));
    host = std::make_unique<WindowHost>(*this);
    session = std::make_unique<GraphSession>(*host);

    catchUpTimer = new QTimer(this);
    catchUpTimer->setSingleShot(true);
    catchUpTimer->setInterval(30);
    connect(catchUpTimer, &QTimer::timeout, this, &MainWindow::Redraw);

    BuildLayout();
    CommandWindow& commandSide = *this;
    NewGraphEnvironment& environment = *this;
    fileCommands = std::make_unique<FileCommands>(*session, commandSide, environment);
    algorithmCommands = std::make_unique<AlgorithmCommands>(*session, commandSide, *playback);
    playback->Present = [this](int frame) { algorithmCommands->PresentFrame(frame); };
    printCommands = std::make_unique<PrintCommands>(*session, commandSide, *algorithmCommands, *outp,
                                                    *webBrowser->document());
    ShowZoom();
    BuildMenus();
    BuildToolBar();
    BuildPopups();

    config = std::make_unique<ProgramSettings>(TranslateManager());
    // Before the first dialog, so Qt's own buttons speak the program's language from the start.
    qtTranslations = new QtTranslations(this);
    config->DefaultFontFace = font().family();
    config->LoadLastFolder();

    // Windows created at start-up, in their order.
    newGraphDialog = new NewGraphDialog(*session, this);
    aboutBox = new AboutBox(this);
    matrixForm = new MatrixGridWindow(*session, TranslateManager(), this);
    matrixForm->hide(); // shown with the first graph when the settings say so, not with this window
    textMatrix = new MatrixTextWindow(*session, TranslateManager(), this);
    feedbackWindow = new FeedbackWindow(*host, this);
    feedbackWindow->Server = [] { return ReadServerEndpoint(ProgramSettings::FileName()); };
    helpCommands = std::make_unique<HelpCommands>(*host, OpenExternal, *feedbackWindow, *aboutBox);
    aboutBox->OpenFeedback = [this] { helpCommands->Feedback(); };
    scaleDialog = new MapScaleDialog(this);
    viewSettings = new ViewSettingsDialog(TranslateManager(), this);
    vertexDialog = new VertexChoiceDialog(this);
    editCommands =
        std::make_unique<EditCommands>(*session, commandSide, *newGraphDialog, environment, *textMatrix,
                                       [this]() -> GenerateGraphDialog& { return *GenerateDialog(); });
    viewCommands = std::make_unique<ViewCommands>(*session, commandSide, environment, *viewSettings,
                                                  *scaleDialog, *matrixForm);
    connect(matrixForm, &MatrixGridWindow::visibilityChanged, this, [this](bool visible) {
        Action(QStringLiteral("actShowMatrix"))->setText(Translate(visible ? "Hide_matrix" : "Show_matrix"));
    });

    setMinimumSize(300, 300);
    // Where the user left the window, from the start, so it does not jump when the first
    // graph loads the placement again.
    LoadWindowPlacement();
    ApplyCaptions();
    connect(&TranslateManager(), &TranslationManager::languageChanged, this, &MainWindow::ApplyCaptions);
#ifndef QT_NO_SESSIONMANAGER
    // Logging out asks about unsaved work as closing the window does; Cancel stops the log-out.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (manager.allowsInteraction()) {
            if (MayDiscardWork())
                answeredForClose = true; // the windows close next: not asked twice
            else
                manager.cancel();
            manager.release();
        }
    });
#endif
    UpdateMenus();
    windowReady = true;
}

MainWindow::~MainWindow()
{
    windowReady = false;
    if (session->HasDocument())
        SaveSettings(*session->Document());
}

void MainWindow::SetDialogHost(ProgramHost* dialogHost)
{
    host->SetDialogHost(dialogHost);
}
ProgramHost& MainWindow::Host() const
{
    return *host;
}

QAction* MainWindow::Action(const QString& objectName) const
{
    return actions.value(objectName, nullptr);
}

void MainWindow::BuildLayout()
{
    // Sky blue, Arial 13 px in navy, as the window always looked.
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, QColor(0xA6, 0xCA, 0xF0));
    windowPalette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    setPalette(windowPalette);
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPixelSize(13);
    setFont(windowFont);

    auto* central = new QWidget(this);
    auto* drawingPanel = new QWidget(central);
    area = new DrawingArea(*this, drawingPanel);
    area->setObjectName(QStringLiteral("DrawingArea"));
    hBar = new QScrollBar(Qt::Horizontal, drawingPanel);
    vBar = new QScrollBar(Qt::Vertical, drawingPanel);
    for (QScrollBar* bar : {hBar, vBar}) {
        bar->setRange(0, 0);
        bar->setEnabled(false);
    }
    for (QScrollBar* bar : {hBar, vBar})
        connect(bar, &QScrollBar::valueChanged, this, [this] { Redraw(); });
    auto* grid = new QGridLayout(drawingPanel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(area, 0, 0);
    grid->addWidget(vBar, 0, 1);
    grid->addWidget(hBar, 1, 0);
    playback = new PlaybackBar(this);
    grid->addWidget(playback, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);

    auto* results = new QWidget(central);
    resultCaption = new QLabel(results);
    pageControl = new QTabWidget(results);
    webBrowser = new QTextBrowser(pageControl);
    webBrowser->setOpenExternalLinks(true);
    outp = new QPlainTextEdit(pageControl);
    outp->setObjectName(QStringLiteral("outp"));
    detailMemo = new QPlainTextEdit(pageControl);
    for (QPlainTextEdit* memo : {outp, detailMemo}) {
        memo->setReadOnly(true);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    QFont fixed(QStringLiteral("Lucida Console"));
    if (!QFontInfo(fixed).fixedPitch())
        fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    outp->setFont(fixed);
    pageControl->addTab(webBrowser, QString());
    pageControl->addTab(outp, QString());
    pageControl->addTab(detailMemo, QString());
    auto* resultLayout = new QVBoxLayout(results);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    resultLayout->setSpacing(2);
    resultLayout->addWidget(resultCaption);
    resultLayout->addWidget(pageControl, 1);

    splitter = new QSplitter(Qt::Vertical, central);
    splitter->setHandleWidth(8);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(drawingPanel);
    splitter->addWidget(results);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({300, 300});
    connect(splitter, &QSplitter::splitterMoved, this, [this] {
        UpdateScrollBars();
        Redraw();
    });

    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->addWidget(splitter);
    setCentralWidget(central);

    statusText = new QLabel(this);
    statusBar()->addWidget(statusText, 1);
    zoomText = new QLabel(this);
    zoomText->setObjectName(QStringLiteral("ZoomText"));
    statusBar()->addPermanentWidget(zoomText);
}

void MainWindow::UpdateTitle()
{
    // The file's name and a mark while there is work to save; Qt puts the mark at [*].
    const QString file = QFileInfo(session->FileName()).fileName();
    const QString program = Translate("ProgramTitle");
    setWindowTitle(file.isEmpty() ? program + QStringLiteral("[*]")
                                  : file + QStringLiteral("[*] \u2014 ") + program);
    setWindowModified(session->HasUnsavedChanges());
}

void MainWindow::ApplyCaptions()
{
    UpdateTitle();
    for (const CaptionedAction& item : captions)
        if (item.action) {
            item.action->setText(Translate(item.key));
            item.action->setToolTip(TranslatePlain(item.key));
        }
    // The matrix item names what it will do, also after a change of language.
    if (MatrixWindowVisible())
        Action(QStringLiteral("actShowMatrix"))->setText(Translate("Hide_matrix"));
    resultCaption->setText(Translate("ResultOfAlgoritm"));
    playback->ApplyCaptions();
    pageControl->setTabText(0, Translate("HTMLReport"));
    pageControl->setTabText(1, Translate("TXTReport"));
    pageControl->setTabText(2, Translate("DetailInfo"));
    statusText->setText(Translate("ProgramTitle"));
    if (newGraphDialog)
        newGraphDialog->ApplyCaptions();
    if (vertexDialog)
        vertexDialog->ApplyCaptions();
    if (scaleDialog)
        scaleDialog->ApplyCaptions();
    if (aboutBox)
        aboutBox->ApplyCaptions();
    if (feedbackWindow)
        feedbackWindow->ApplyCaptions();
    UpdateScaleCaption();
    RefreshRecentMenu();
    emit languageApplied();
}

void MainWindow::UpdateMenus()
{
    answeredForClose = false;
    UpdateTitle();
    algorithmCommands->EndStalePlayback();
    const GraphDocument* g = Document();
    if (!g) {
        // Before the first graph only creating one, leaving, help and the mode switches work;
        // the rest looks as disabled as it is until a graph exists.
        static const QStringList stayEnabled = {"actCreate",      "actExit",        "actHelpLocal",
                                                "actHelpOnline",  "actSiteProgram", "actMindProgram",
                                                "actCheckUpdate", "actFeedBack",    "actAboutProgram",
                                                "actConstruct",   "actFindPath"};
        auto park = [this](QAction* item) {
            if (item->isEnabled()) {
                item->setEnabled(false);
                waitingForDocument.append(item);
            }
        };
        for (auto it = actions.cbegin(); it != actions.cend(); ++it)
            if (!stayEnabled.contains(it.key()))
                park(it.value());
        for (const auto& [item, name] : algorithmActions)
            park(item);
        return;
    }
    for (const QPointer<QAction>& item : std::exchange(waitingForDocument, {}))
        if (item)
            item->setEnabled(true);
    Action("actEditNameGraf")->setEnabled(g->ActiveVertex > 0 && g->IsManualNaming());
    Action("actEditLoadDuga")->setEnabled(g->ActiveArcTail > 0 && g->ActiveArcHead > 0 && g->Weighted);
    Action("actEditText")->setEnabled(g->ActiveLabel > 0);
    Action("actUndo")->setEnabled(session->History().CanUndo());
    Action("actRedo")->setEnabled(session->History().CanRedo());
    for (const auto& [item, name] : algorithmActions)
        item->setEnabled(IsAlgorithmApplicable(*g, name));
    // A submenu none of whose items can run is disabled itself, so it does not open empty-handed.
    for (const char* name : {"PathMenuItem", "EulerMenuItem", "HamiltonMenuItem"}) {
        QAction* submenu = Action(QLatin1String(name));
        const QList<QAction*> items = submenu->menu()->actions();
        submenu->setEnabled(
            std::any_of(items.cbegin(), items.cend(), [](const QAction* item) { return item->isEnabled(); }));
    }
}

void MainWindow::AfterCommand()
{
    UpdateMenus();
}

int MainWindow::DrawingAreaWidth() const
{
    return area ? int(std::ceil(area->width() / zoom)) : 0;
}
int MainWindow::DrawingAreaHeight() const
{
    return area ? int(std::ceil(area->height() / zoom)) : 0;
}

QSize MainWindow::CanvasSize() const
{
    const GraphDocument* g = Document();
    return g ? g->CanvasSize(QSize(DrawingAreaWidth(), DrawingAreaHeight())) : QSize();
}

namespace {

// The first dialog of a run: closing it (Esc, the close button) still gives a graph, an empty
// undirected one named by numbers from 1, so that a user who started the program by mistake
// can simply quit.
class FirstGraphPrompt : public NewGraphPrompt {
  public:
    FirstGraphPrompt(NewGraphPrompt& dialog, VertexNaming& naming) : dialog(dialog), naming(naming) {}
    bool Run(const QString& confirmKey) override
    {
        confirmed = dialog.Run(confirmKey);
        if (!confirmed) {
            naming.SetKind(VertexNaming::Numbers);
            naming.SetNumbers(1);
        }
        return true;
    }
    bool Directed() const override { return confirmed && dialog.Directed(); }
    bool Weighted() const override { return confirmed && dialog.Weighted(); }

  private:
    NewGraphPrompt& dialog;
    VertexNaming& naming;
    bool confirmed = false;
};

} // namespace

void MainWindow::StartUp()
{
    if (session->HasDocument())
        return;
    // The opinion window waits until the start file's error or the first dialog is done with.
    startingUp = true;
    if (startFile.isEmpty()) {
        EnsureFirstGraph();
    } else {
        const QString file = std::exchange(startFile, QString());
        if (!OpenStartFile(file)) {
            // The graph the file was to replace was never the user's: the dialog of a start
            // without a file follows, and its graph starts the history.
            newGraphDialog->SetCancelVisible(false);
            FirstGraphPrompt prompt(*newGraphDialog, session->Naming());
            ::NewGraphCommand(*session, prompt, *this);
            newGraphDialog->SetCancelVisible(true);
            session->History() = UndoHistory();
            UpdateMenus();
        }
    }
    startingUp = false;
    ShowPendingInvitation();
}

void MainWindow::ShowPendingInvitation()
{
    if (startingUp || !invitationPending)
        return;
    invitationPending = false;
    helpCommands->Feedback();
}

void MainWindow::EnsureFirstGraph()
{
    if (session->HasDocument())
        return;
    LeaveTextMode();
    newGraphDialog->SetCancelVisible(false);
    FirstGraphPrompt prompt(*newGraphDialog, session->Naming());
    ::NewGraphCommand(*session, prompt, *this);
    newGraphDialog->SetCancelVisible(true);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (firstShow) {
        firstShow = false;
        // After the window is on screen, so the dialog opens over it.
        QTimer::singleShot(0, this, [this] { StartUp(); });
    }
}

bool MainWindow::MayDiscardWork()
{
    if (answeredForClose || !session->HasUnsavedChanges())
        return true;
    const QString file = QFileInfo(session->FileName()).fileName();
    switch (AskSaveChanges(Translate("Unsaved_changes") +
                           (file.isEmpty() ? QString() : QStringLiteral("\n\n") + file))) {
    case SaveAnswer::Save:
        return fileCommands->Save();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!MayDiscardWork()) {
        event->ignore();
        return;
    }
    if (GraphDocument* g = Document())
        g->ShowMatrixWindow = MatrixWindowVisible() ? 1 : 0;
    IncrementRunCounter();
    QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Redraw();
    else if (event->type() == QEvent::WindowStateChange && !(windowState() & Qt::WindowMinimized))
        Redraw();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (windowReady)
        Redraw();
}

// --- the environment of the new-graph command ------------------------------------------------

int MainWindow::MenuEditMode() const
{
    return Action("actFindPath")->isChecked() ? 1 : 0;
}

void MainWindow::DocumentCreated(GraphDocument&)
{
    if (!firstGraphDone)
        matrixWindowAtStart ? matrixForm->show() : matrixForm->hide();
    firstGraphDone = true;
    ClearResultPanes();
    // The third run invites the user's opinion once, when its graph is there to see.
    if (TakeFeedbackInvitation(config->CountRun)) {
        invitationPending = true;
        QTimer::singleShot(0, this, [this] { ShowPendingInvitation(); });
    }
    RefreshRecentMenu();
    RefreshMatrixWindow();
    UpdateScaleCaption();
    ShowMapModeCheck();
    PrepareCanvas();
    UpdateScrollBars();
    const QSize view = ViewSize();
    QImage surface = MakeSurface(view.width(), view.height(), ViewPixelRatio());
    DrawDocument(surface);
    PresentCanvas(surface, true);
}

GenerateGraphDialog* MainWindow::GenerateDialog()
{
    if (!generateDialog) {
        generateDialog = new GenerateGraphDialog(*session, this);
        connect(this, &MainWindow::languageApplied, generateDialog, &GenerateGraphDialog::ApplyCaptions);
    }
    return generateDialog;
}
