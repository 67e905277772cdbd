// The main menu, the toolbar bound to its items, and the two popup menus of the drawing.
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "commands/GraphLayouts.h"
#include "ui/AlgorithmCommands.h"
#include "ui/EditCommands.h"
#include "ui/FileCommands.h"
#include "ui/HelpCommands.h"
#include "ui/MainWindow.h"
#include "ui/PrintCommands.h"
#include "ui/ViewCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <map>

namespace {

// A theme icon where the desktop has one, else our own picture, so no item is ever blank.
QIcon ItemIcon(const QString& name)
{
    if (name.isEmpty())
        return QIcon();
    const QString own = QStringLiteral(":/icons/%1.svg").arg(name.section(QLatin1Char('|'), -1));
    const QString themed = name.contains(QLatin1Char('|')) ? name.section(QLatin1Char('|'), 0, 0) : QString();
    return themed.isEmpty() ? QIcon(own) : QIcon::fromTheme(themed, QIcon(own));
}

QKeySequence AlgorithmShortcut(const AlgorithmInfo& info)
{
    return info.shortcut ? QKeySequence(QLatin1String(info.shortcut), QKeySequence::PortableText)
                         : QKeySequence();
}

} // namespace

void MainWindow::Caption(QAction* action, const QString& key)
{
    captions.append({action, key});
}

QAction* MainWindow::MakeAction(const QString& objectName, const QString& key, const QString& icon,
                                const QKeySequence& shortcut, std::function<void()> run)
{
    auto* action = new QAction(ItemIcon(icon), key, this);
    action->setObjectName(objectName);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    // Every command ends text-placing mode first; "Add text" starts it again itself.
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        LeaveTextMode();
        run();
    });
    Caption(action, key);
    actions.insert(objectName, action);
    addAction(action); // shortcuts work even while the menu bar is hidden
    return action;
}

QMenu* MainWindow::MakeMenu(QMenu* parent, const QString& objectName, const QString& key, const QString& icon)
{
    QMenu* menu = parent ? parent->addMenu(ItemIcon(icon), key) : menuBar()->addMenu(key);
    menu->setObjectName(objectName);
    menu->menuAction()->setObjectName(objectName + QStringLiteral("Item"));
    Caption(menu->menuAction(), key);
    actions.insert(objectName + QStringLiteral("Item"), menu->menuAction());
    return menu;
}

void MainWindow::BuildMenus()
{
    using C = GraphSession::Conversion;

    QMenu* file = MakeMenu(nullptr, QStringLiteral("FileMenu"), QStringLiteral("File"));
    file->addAction(MakeAction("actLoadGraf", "LoadGraf", "document-open|graph-open",
                               QKeySequence(Qt::CTRL | Qt::Key_O), [this] { fileCommands->Load(); }));
    file->addAction(MakeAction("actSaveGraf", "SaveGraf", "document-save|graph-save",
                               QKeySequence(Qt::CTRL | Qt::Key_S), [this] { fileCommands->Save(); }));
    file->addAction(MakeAction("actSaveGrafAs", "SaveGrafAs", "document-save-as|graph-save",
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                               [this] { fileCommands->SaveAs(); }));
    recentMenu = MakeMenu(file, QStringLiteral("RecentMenu"), QStringLiteral("LastFiles"),
                          QStringLiteral("document-open-recent|graph-open"));
    for (int i = 0; i < 5; ++i) {
        auto* item = recentMenu->addAction(QStringLiteral("&%1").arg(i + 1));
        item->setObjectName(QStringLiteral("actRecent%1").arg(i + 1));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i] { fileCommands->OpenRecent(i); });
        recentActions.append(item);
    }
    recentMenu->menuAction()->setVisible(false);
    file->addAction(
        MakeAction("actSaveImage", "SaveImage", "image-save", {}, [this] { fileCommands->SaveImage(); }));
    file->addAction(
        MakeAction("actImport", "ImportGraph", "graph-open", {}, [this] { fileCommands->Import(); }));
    file->addAction(
        MakeAction("actExport", "ExportGraph", "graph-save", {}, [this] { fileCommands->Export(); }));
    file->addAction(MakeAction("actSaveWalkthrough", "SaveWalkthrough", "image-save", {},
                               [this] { algorithmCommands->SaveWalkthrough(); }));
    file->addSeparator();
    file->addAction(MakeAction("actPrint", "Print__", {}, QKeySequence(Qt::CTRL | Qt::Key_P),
                               [this] { printCommands->Print(); }));
    file->addAction(
        MakeAction("actPrintPreview", "Print_preview", {}, {}, [this] { printCommands->Preview(); }));
    file->addAction(
        MakeAction("actPrintReport", "Print_report", {}, {}, [this] { printCommands->PrintReport(); }));
    file->addAction(MakeAction("actPrintReportPreview", "Print_report_preview", {}, {},
                               [this] { printCommands->PreviewReport(); }));
    file->addSeparator();
    file->addAction(MakeAction("actExit", "Exit", "application-exit|exit", QKeySequence(Qt::CTRL | Qt::Key_Q),
                               [this] { close(); }));

    QMenu* graph = MakeMenu(nullptr, QStringLiteral("GraphMenu"), QStringLiteral("GrafMenu"));
    graph->addAction(MakeAction("actCreate", "Create__", "document-new|graph-new",
                                QKeySequence(Qt::CTRL | Qt::Key_N), [this] { editCommands->NewGraph(); }));
    graph->addAction(MakeAction("actAddGraf", "AddGraf", "vertex-add", QKeySequence(Qt::Key_F3),
                                [this] { editCommands->AddVertex(); }));
    graph->addAction(MakeAction("actAddDuga", "AddDuga", "arc-add", QKeySequence(Qt::Key_F4),
                                [this] { editCommands->AddArc(); }));
    graph->addAction(MakeAction("actAddText", "AddText", "text-add", QKeySequence(Qt::Key_F5),
                                [this] { AddTextCommand(); }));
    graph->addAction(MakeAction("actDeleteObject", "DeleteObject", "edit-delete|object-delete",
                                QKeySequence(Qt::Key_Delete), [this] { DeleteObjectCommand(); }));
    QMenu* convert = MakeMenu(graph, QStringLiteral("ConvertMenu"), QStringLiteral("ConvertGraf"),
                              QStringLiteral("settings"));
    convert->addAction(MakeAction("actToUndirected", "__notorgarf", {}, {},
                                  [this] { editCommands->Convert(C::ToUndirected); }));
    convert->addAction(
        MakeAction("actToDirected", "__orgraf", {}, {}, [this] { editCommands->Convert(C::ToDirected); }));
    convert->addAction(
        MakeAction("actToWeighted", "__load", {}, {}, [this] { editCommands->Convert(C::ToWeighted); }));
    convert->addAction(MakeAction("actToUnweighted", "__notload", {}, {},
                                  [this] { editCommands->Convert(C::ToUnweighted); }));
    graph->addAction(
        MakeAction("actEditMatrix", "EditMatrix", "matrix", {}, [this] { editCommands->EditMatrix(); }));
    graph->addAction(MakeAction("actPropGraf", "PropGraf", "document-properties|settings", {},
                                [this] { editCommands->Properties(); }));
    graph->addSeparator();
    graph->addAction(
        MakeAction("actGenerate", "Generate__", "graph-new", {}, [this] { editCommands->Generate(); }));
    QMenu* layouts = MakeMenu(graph, QStringLiteral("LayoutMenu"), QStringLiteral("Layout_menu"),
                              QStringLiteral("settings"));
    for (const GraphLayouts::KindInfo& info : GraphLayouts::Kinds())
        layouts->addAction(MakeAction(QStringLiteral("actLayout_") + QLatin1String(info.name),
                                      QLatin1String(info.captionKey), {}, {},
                                      [this, kind = info.kind] { editCommands->Layout(kind); }));

    QMenu* edit = MakeMenu(nullptr, QStringLiteral("EditMenu"), QStringLiteral("Edit"));
    edit->addAction(MakeAction("actUndo", "Undo", "edit-undo|history-undo",
                               QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { editCommands->Undo(); }));
    QAction* redo = MakeAction("actRedo", "Redo", "edit-redo|history-redo",
                               QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { editCommands->Redo(); });
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(redo);
    edit->addAction(MakeAction("actEditNameGraf", "EditNameGraf", "edit-rename",
                               QKeySequence(Qt::CTRL | Qt::Key_R), [this] { editCommands->RenameVertex(); }));
    edit->addAction(MakeAction("actEditLoadDuga", "EditLoadDuga", "arc-add",
                               QKeySequence(Qt::CTRL | Qt::Key_W), [this] { editCommands->EditWeight(); }));
    edit->addAction(MakeAction("actEditText", "EditText", "text-add", QKeySequence(Qt::CTRL | Qt::Key_T),
                               [this] { editCommands->EditLabel(); }));

    QMenu* view = MakeMenu(nullptr, QStringLiteral("ViewMenu"), QStringLiteral("View"));
    view->addAction(
        MakeAction("actShowMatrix", "ShowMatrix", "matrix", {}, [this] { viewCommands->ShowMatrix(); }));
    QAction* showPlayback = MakeAction("actShowPlayback", "ShowPlayback", {}, {},
                                       [this] { algorithmCommands->TogglePlayback(); });
    showPlayback->setCheckable(true);
    view->addAction(showPlayback);
    view->addAction(
        MakeAction("actLoadFon", "LoadFon", "background", {}, [this] { viewCommands->LoadBackground(); }));
    view->addAction(MakeAction("actClearFon", "ClearFon", "edit-clear|object-delete", {},
                               [this] { viewCommands->ClearBackground(); }));
    view->addAction(MakeAction("actSettings", "Settings...", "preferences-system|settings", {},
                               [this] { viewCommands->ViewSettings(); }));
    view->addSeparator();
    QAction* zoomIn = MakeAction("actZoomIn", "Zoom_in", {}, QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                 [this] { ZoomInCommand(); });
    // Ctrl and "=" is the plus key without Shift on many keyboards.
    zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    view->addAction(zoomIn);
    view->addAction(MakeAction("actZoomOut", "Zoom_out", {}, QKeySequence(Qt::CTRL | Qt::Key_Minus),
                               [this] { ZoomOutCommand(); }));
    view->addAction(MakeAction("actZoomActual", "Zoom_actual", {}, QKeySequence(Qt::CTRL | Qt::Key_0),
                               [this] { ZoomActualCommand(); }));
    view->addAction(MakeAction("actZoomFit", "Zoom_fit", {}, {}, [this] { ZoomFitCommand(); }));

    QMenu* modes = MakeMenu(nullptr, QStringLiteral("WorkModeMenu"), QStringLiteral("WorkMode"));
    QMenu* map =
        MakeMenu(modes, QStringLiteral("MapModeMenu"), QStringLiteral("MapMode"), QStringLiteral("map-mode"));
    mapModeGroup = new QActionGroup(this);
    QAction* mapOn = MakeAction("actMapOn", "On", {}, {}, [this] { viewCommands->MapMode(true); });
    QAction* mapOff = MakeAction("actMapOff", "Off", {}, {}, [this] { viewCommands->MapMode(false); });
    for (QAction* item : {mapOn, mapOff}) {
        item->setCheckable(true);
        mapModeGroup->addAction(item);
        map->addAction(item);
    }
    mapOff->setChecked(true);
    map->addSeparator();
    map->addAction(
        MakeAction("actScaleSettings", "ScaleSettings", {}, {}, [this] { viewCommands->Scale(); }));
    QMenu* mouse = MakeMenu(modes, QStringLiteral("MouseModeMenu"), QStringLiteral("ModeWorkMouse"),
                            QStringLiteral("mouse-mode"));
    mouseModeGroup = new QActionGroup(this);
    QAction* construct = MakeAction("actConstruct", "Construct", {}, {}, [this] { SetMouseMode(0); });
    QAction* findPath = MakeAction("actFindPath", "FindPath", {}, {}, [this] { SetMouseMode(1); });
    for (QAction* item : {construct, findPath}) {
        item->setCheckable(true);
        mouseModeGroup->addAction(item);
        mouse->addAction(item);
    }
    findPath->setChecked(true);

    QMenu* algorithms = MakeMenu(nullptr, QStringLiteral("AlgorithmMenu"), QStringLiteral("Algoritm"));
    QMenu* paths = MakeMenu(algorithms, QStringLiteral("PathMenu"), QStringLiteral("FindTrace"),
                            QStringLiteral("path-find"));
    QMenu* euler = MakeMenu(algorithms, QStringLiteral("EulerMenu"), QStringLiteral("ElerTrace"));
    QMenu* hamilton = MakeMenu(algorithms, QStringLiteral("HamiltonMenu"), QStringLiteral("GameltonTrace"));
    QMenu* advanced = MakeMenu(nullptr, QStringLiteral("AdvancedMenu"), QStringLiteral("AdvanceAlgoritm"));
    const std::map<AlgorithmMenu, QMenu*> menus = {{AlgorithmMenu::PathSearch, paths},
                                                   {AlgorithmMenu::Euler, euler},
                                                   {AlgorithmMenu::Hamilton, hamilton},
                                                   {AlgorithmMenu::Algorithms, algorithms},
                                                   {AlgorithmMenu::Special, advanced}};
    for (const AlgorithmInfo& info : Algorithms()) {
        const QString name = QLatin1String(info.name);
        std::function<void()> command;
        switch (info.vertices) {
        case AlgorithmInfo::Vertices::StartAndFinish:
            command = [this, name] { algorithmCommands->PathAlgorithm(name); };
            break;
        case AlgorithmInfo::Vertices::One:
            command = [this, name] {
                algorithmCommands->Run(name, Document() ? Document()->ActiveVertex : 0, 0);
            };
            break;
        case AlgorithmInfo::Vertices::None:
            command = [this, name] { algorithmCommands->Run(name, 0, 0); };
            break;
        }
        QAction* item = MakeAction(QLatin1String(info.action), QLatin1String(info.captionKey),
                                   info.icon ? QLatin1String(info.icon) : QString(), AlgorithmShortcut(info),
                                   std::move(command));
        menus.at(info.menu)->addAction(item);
        algorithmActions.append({item, name});
    }

    QMenu* help = MakeMenu(nullptr, QStringLiteral("HelpMenu"), QStringLiteral("Help"));
    help->addAction(MakeAction("actHelpLocal", "HelpLocal", "help-contents|help-pdf",
                               QKeySequence(Qt::Key_F1), [this] { helpCommands->OpenHelpFile(); }));
    help->addAction(
        MakeAction("actHelpOnline", "HelpOnline", "web", {}, [this] { helpCommands->OpenOnlineHelp(); }));
    help->addAction(
        MakeAction("actSiteProgram", "SiteProgram", "web", {}, [this] { helpCommands->OpenWebSite(); }));
    // The manual's example graphs: a lesson starts in one click.
    QMenu* examples = MakeMenu(help, QStringLiteral("ExamplesMenu"), QStringLiteral("Help_examples"));
    const QFileInfoList exampleFiles =
        QDir(ProgramPaths::ExamplesFolder())
            .entryInfoList({QStringLiteral("*.grafa")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : exampleFiles) {
        const QString name = file.completeBaseName();
        const QString key =
            QStringLiteral("Example_") + QString(name).replace(QLatin1Char('-'), QLatin1Char('_'));
        auto open = [this, path = file.absoluteFilePath()] { fileCommands->OpenExample(path); };
        if (TranslateManager().Keys().contains(key)) {
            examples->addAction(
                MakeAction(QStringLiteral("actExample_") + name, key, {}, {}, std::move(open)));
        } else {
            // A file added by hand goes by its own name.
            QAction* item = examples->addAction(name);
            item->setObjectName(QStringLiteral("actExample_") + name);
            connect(item, &QAction::triggered, this, [this, open] {
                LeaveTextMode();
                open();
            });
        }
    }
    examples->menuAction()->setEnabled(!exampleFiles.isEmpty());
    help->addSeparator();
    help->addAction(
        MakeAction("actMindProgram", "MindProgram", {}, {}, [this] { helpCommands->Feedback(); }));
    help->addAction(
        MakeAction("actCheckUpdate", "CheckUpdate", {}, {}, [this] { helpCommands->CheckUpdate(); }));
    help->addSeparator();
    help->addAction(MakeAction("actFeedBack", "FeedBack", {}, {},
                               [this] { helpCommands->About(AboutBox::Panel::Contact); }));
    help->addAction(MakeAction("actAboutProgram", "AboutProgram", "help-about|about", {},
                               [this] { helpCommands->About(AboutBox::Panel::Information); }));

    // The two language items sit on the menu bar itself.
    QAction* russian = new QAction(QStringLiteral("&Rus"), this);
    russian->setObjectName(QStringLiteral("actRus"));
    connect(russian, &QAction::triggered, this, [this] { viewCommands->UseBuiltInLanguage(); });
    QAction* english = new QAction(QStringLiteral("&En"), this);
    english->setObjectName(QStringLiteral("actEn"));
    connect(english, &QAction::triggered, this, [this] { viewCommands->UseEnglishLanguage(); });
    actions.insert(russian->objectName(), russian);
    actions.insert(english->objectName(), english);
    menuBar()->addAction(russian);
    menuBar()->addAction(english);

    // F10 takes the keyboard to the menu bar, as on other desktops.
    auto* toMenuBar = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(toMenuBar, &QShortcut::activated, this, [this] {
        const QList<QAction*> items = menuBar()->actions();
        if (!items.isEmpty())
            menuBar()->setActiveAction(items.first());
    });
}

void MainWindow::BuildToolBar()
{
    toolBar = addToolBar(QStringLiteral("Main"));
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(24, 24));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const char* const buttons[] = {
        "|",          "actCreate",       "actLoadGraf", "actSaveGraf", "|",       "actAddGraf", "actAddDuga",
        "actAddText", "actDeleteObject", "|",           "actUndo",     "actRedo", "|"};
    for (const char* name : buttons) {
        if (name[0] == '|')
            toolBar->addSeparator();
        else
            toolBar->addAction(Action(QLatin1String(name)));
    }
    std::map<int, const AlgorithmInfo*> algorithmButtons;
    for (const AlgorithmInfo& info : Algorithms())
        if (info.toolbarPosition > 0)
            algorithmButtons[info.toolbarPosition] = &info;
    for (const auto& [position, info] : algorithmButtons)
        toolBar->addAction(Action(QLatin1String(info->action)));
    toolBar->addSeparator();
    toolBar->addAction(Action(QStringLiteral("actHelpLocal")));
}

void MainWindow::BuildPopups()
{
    vertexPopup = new QMenu(this);
    vertexPopup->setObjectName(QStringLiteral("VertexPopup"));
    QAction* drawArc = MakeAction("actDrawDuga", "DrawDuga", "arc-add", {}, [this] { DrawArcCommand(); });
    removeAction(drawArc);
    vertexPopup->addAction(drawArc);
    vertexPopup->addSeparator();
    for (const AlgorithmInfo& info : Algorithms()) {
        if (!info.popup)
            continue;
        const QString name = QLatin1String(info.name);
        QAction* action = MakeAction(QStringLiteral("popup") + QLatin1String(info.action).mid(3),
                                     QLatin1String(info.captionKey), "path-find", {},
                                     [this, name] { algorithmCommands->PopupAlgorithm(name); });
        removeAction(action);
        vertexPopup->addAction(action);
        algorithmActions.append({action, name});
    }

    freeSpacePopup = new QMenu(this);
    freeSpacePopup->setObjectName(QStringLiteral("FreeSpacePopup"));
    QAction* addHere =
        MakeAction("popupAddGraf", "AddGraf", "vertex-add", {}, [this] { AddVertexAtPressCommand(); });
    removeAction(addHere);
    freeSpacePopup->addAction(addHere);
    freeSpacePopup->addAction(Action("actAddDuga"));
    freeSpacePopup->addAction(Action("actAddText"));
}

void MainWindow::ShowPopup(QMenu& menu)
{
    ExecPopup(menu, QCursor::pos() - QPoint(4, 4));
}

void MainWindow::OpenVertexPopup()
{
    ShowPopup(*vertexPopup);
}
void MainWindow::OpenFreeSpacePopup()
{
    ShowPopup(*freeSpacePopup);
}
