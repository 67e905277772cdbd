#include "ManualPictures.h"

#include "base/TranslationManager.h"
#include "commands/GraphGenerators.h"
#include "commands/GraphLayouts.h"
#include "document/ProgramHost.h"
#include "files/MatrixText.h"
#include "ui/AboutBox.h"
#include "ui/AlgorithmCommands.h"
#include "ui/DrawingArea.h"
#include "ui/FeedbackWindow.h"
#include "ui/GenerateGraphDialog.h"
#include "ui/MainWindow.h"
#include "ui/MatrixGridWindow.h"
#include "ui/MatrixTextWindow.h"
#include "ui/NewGraphDialog.h"
#include "ui/VertexChoiceDialog.h"
#include "ui/ViewCommands.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPainter>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <cmath>
#include <deque>
#include <optional>

namespace {

// Answers as a user preparing the example would: Yes to questions, the example's names to
// the naming prompts; messages are kept for the tool's report.
class ExampleHost : public ProgramHost {
  public:
    std::deque<QString> names;
    QStringList messages;

    void ShowMessage(MessageKind, const QString& text) override { messages.append(text); }
    bool AskYesNo(const QString&) override { return true; }
    bool InputQuery(const QString&, const QString&, QString& value) override
    {
        if (names.empty())
            return false;
        value = names.front();
        names.pop_front();
        return true;
    }
    bool ChooseVertex(const QString&, const QStringList&, int&) override { return false; }
};

// Long enough for the window's rate-limited redraw to catch up.
void Settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// A modal dialog opened by open() is grabbed as soon as it shows, then closed.
QImage GrabModal(const std::function<void()>& open)
{
    QImage shot;
    QTimer::singleShot(0, [&shot] {
        Settle();
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shot = modal->grab().toImage();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        }
    });
    open();
    return shot;
}

QImage GrabShown(QWidget* window)
{
    window->show();
    Settle();
    QImage shot = window->grab().toImage();
    window->hide();
    return shot;
}

// The window whose drawing area has the picture's size.
void SizeDrawingArea(MainWindow& w, int width, int height)
{
    w.resize(width + 200, height + 400);
    Settle();
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QSize area = w.DrawingPane()->size();
        w.resize(w.width() + width - area.width(), w.height() + height - area.height());
        Settle();
    }
}

bool BuildGraph(MainWindow& w, ExampleHost& host, const ManualPicture& p)
{
    GraphDocument& g = *w.Document();
    if (p.naming.startsWith(QLatin1String("hand:"))) {
        for (const QString& name : p.naming.mid(5).split(QLatin1Char(',')))
            host.names.push_back(name.trimmed());
    }
    QStringList lines;
    for (const QString& row : p.rows)
        lines.append(row.trimmed());
    if (!MatrixText::ApplyTextMatrix(g, w.Host(), lines))
        return false;
    const int n = g.VertexCount;
    const QSize area = w.DrawingPane()->size();
    for (int i = 1; i <= n; ++i) {
        QPoint at;
        if (!p.positions.isEmpty()) {
            at = p.positions[i - 1];
        } else {
            // A circle from the top, clockwise, inside the picture.
            const double radius = std::min(area.width(), area.height()) / 2.0 - 3 * g.VertexSize;
            const double angle = -M_PI / 2 + 2 * M_PI * (i - 1) / std::max(1, n);
            at = QPoint(int(std::lround(area.width() / 2.0 + radius * std::cos(angle))),
                        int(std::lround(area.height() / 2.0 + radius * std::sin(angle))));
        }
        g.Vertices[i].X = at.x();
        g.Vertices[i].Y = at.y();
    }
    g.CenterAllArcTexts();
    w.Session().Refresh();
    Settle();
    return true;
}

// The parameters of a ready-made graph as nodeloom-cli generate takes them: "KIND P1 P2 P".
std::optional<GraphGenerators::Params> ReadyMadeParams(const ManualPicture& p, QStringList& problems)
{
    const QString where = QLatin1Char('[') + p.name + QStringLiteral("] ");
    QStringList words = p.generate.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const GraphGenerators::FamilyInfo* info =
        words.isEmpty() ? nullptr : GraphGenerators::FamilyNamed(words.takeFirst());
    if (!info) {
        problems.append(where + QStringLiteral("unknown kind of ready-made graph"));
        return std::nullopt;
    }
    GraphGenerators::Params params;
    params.family = info->family;
    params.first = info->firstDefault;
    params.second = info->secondDefault;
    params.directed = p.directed;
    params.seed = p.seed;
    bool ok = true;
    if (info->first != GraphGenerators::Param::None && !words.isEmpty())
        params.first = words.takeFirst().toInt(&ok);
    if (ok && info->second != GraphGenerators::Param::None && !words.isEmpty())
        params.second = words.takeFirst().toInt(&ok);
    if (ok && info->probability && !words.isEmpty())
        params.probability = words.takeFirst().toDouble(&ok);
    if (!ok || !words.isEmpty()) {
        problems.append(where + QStringLiteral("bad parameters of the ready-made graph"));
        return std::nullopt;
    }
    if (p.maxWeight > 0) {
        params.minWeight = p.minWeight;
        params.maxWeight = p.maxWeight;
        params.weights = p.minWeight == p.maxWeight ? GraphGenerators::Weights::Constant
                                                    : GraphGenerators::Weights::Random;
    }
    params.namingKind = p.naming == QLatin1String("letters") ? 1 : 0;
    params.namingStart = params.namingKind == 1 ? QStringLiteral("A") : QStringLiteral("1");
    return params;
}

bool GenerateGraph(MainWindow& w, const ManualPicture& p, QStringList& problems)
{
    const std::optional<GraphGenerators::Params> params = ReadyMadeParams(p, problems);
    if (!params)
        return false;
    if (!GraphGenerators::GenerateCommand(w.Session(), *params)) {
        problems.append(QLatin1Char('[') + p.name + QStringLiteral("] the ready-made graph was refused"));
        return false;
    }
    Settle();
    return true;
}

bool ApplyLayout(MainWindow& w, const ManualPicture& p, QStringList& problems)
{
    const std::optional<GraphLayouts::Kind> kind = GraphLayouts::KindNamed(p.layout);
    GraphLayouts::Options options;
    options.seed = p.seed;
    if (!kind || !GraphLayouts::LayoutCommand(w.Session(), *kind, options)) {
        problems.append(QLatin1Char('[') + p.name + QStringLiteral("] the layout ") + p.layout +
                        QStringLiteral(" failed"));
        return false;
    }
    Settle();
    return true;
}

// The first part of a kind shown in the main window itself, not in one of its dialogs.
template <class Part> QWidget* ShownPart(MainWindow& w)
{
    for (Part* part : w.findChildren<Part*>())
        if (part->isVisible() && part->window() == &w)
            return part;
    return nullptr;
}

// The main window's screenshot with a numbered circle on each part the chapter lists, in order.
QImage WithCallouts(MainWindow& w, QImage shot, const QStringList& parts, QStringList& problems)
{
    QPainter painter(&shot);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    int number = 0;
    for (const QString& part : parts) {
        ++number;
        QWidget* widget = part == QLatin1String("menubar")    ? static_cast<QWidget*>(w.menuBar())
                          : part == QLatin1String("toolbar")  ? ShownPart<QToolBar>(w)
                          : part == QLatin1String("drawing")  ? w.DrawingPane()
                          : part == QLatin1String("splitter") ? ShownPart<QSplitter>(w)
                          : part == QLatin1String("results")  ? ShownPart<QTabWidget>(w)
                          : part == QLatin1String("status")   ? w.statusBar()
                                                              : nullptr;
        if (!widget || !widget->isVisible()) {
            problems.append(QStringLiteral("no visible part ") + part + QStringLiteral(" for a callout"));
            continue;
        }
        QRect area(widget->mapTo(&w, QPoint(0, 0)), widget->size());
        if (auto* splitter = qobject_cast<QSplitter*>(widget); splitter && splitter->count() > 1) {
            const QWidget* handle = splitter->handle(1);
            area = QRect(handle->mapTo(&w, QPoint(0, 0)), handle->size());
        }
        // Bars get theirs at the right, where no item stands; the drawing in its middle.
        const QPoint centre = part == QLatin1String("drawing")
                                  ? area.center()
                                  : QPoint(area.right() - 40 - 30 * (number % 2), area.center().y());
        const QRectF circle(centre.x() - 11, centre.y() - 11, 22, 22);
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(QColor(0xc0, 0x1c, 0x28));
        painter.drawEllipse(circle);
        painter.setPen(Qt::white);
        painter.drawText(circle, Qt::AlignCenter, QString::number(number));
    }
    return shot;
}

QImage WindowShot(MainWindow& w, const ManualPicture& p, QStringList& problems)
{
    const QString& name = p.window;
    if (name == QLatin1String("main"))
        return p.callouts.isEmpty() ? w.grab().toImage()
                                    : WithCallouts(w, w.grab().toImage(), p.callouts, problems);
    if (name == QLatin1String("new-graph"))
        return GrabShown(w.NewGraphForm());
    if (name == QLatin1String("matrix"))
        return GrabShown(w.MatrixWindow());
    if (name == QLatin1String("text-matrix")) {
        w.TextMatrixWindow()->Prepare();
        return GrabShown(w.TextMatrixWindow());
    }
    if (name == QLatin1String("generate")) {
        // The dialog showing the picture's ready-made graph, when it names one.
        QStringList ignored;
        if (!p.generate.isEmpty())
            if (const auto params = ReadyMadeParams(p, ignored))
                w.GenerateDialog()->SetChosen(*params);
        w.GenerateDialog()->ApplyCaptions();
        return GrabShown(w.GenerateDialog());
    }
    if (name == QLatin1String("feedback"))
        return GrabShown(w.FeedbackDialog());
    if (name == QLatin1String("about") || name == QLatin1String("about-contact")) {
        w.AboutDialog()->ShowPanel(name == QLatin1String("about") ? AboutBox::Panel::Information
                                                                  : AboutBox::Panel::Contact);
        return GrabShown(w.AboutDialog());
    }
    if (name == QLatin1String("view-settings"))
        return GrabModal([&w] { w.Views().ViewSettings(); });
    if (name == QLatin1String("map-scale"))
        return GrabModal([&w] { w.Views().Scale(); });
    if (name == QLatin1String("select-vertex")) {
        QStringList names;
        for (int v = 1; v <= w.Document()->VertexCount; ++v)
            names.append(w.Document()->VertexName(v));
        return GrabModal([&w, &names] {
            int index = 0;
            w.VertexDialog()->Choose(Translate("Select_first_point"), names, index);
        });
    }
    return QImage();
}

} // namespace

QImage MakeManualPicture(const ManualPicture& p, const QString& languageFile, QStringList& problems)
{
    ExampleHost host;
    MainWindow w;
    w.SetDialogHost(&host);
    w.OpenExternal = [](const QUrl&) { return true; };
    w.NewGraphForm()->Exec = [&p](NewGraphDialog& dialog) {
        dialog.SetDirected(p.directed);
        dialog.SetWeighted(p.weighted);
        dialog.SetKind(p.naming == QLatin1String("letters")          ? 1
                       : p.naming.startsWith(QLatin1String("hand:")) ? 2
                                                                     : 0);
        dialog.Confirm();
        return int(QDialog::Accepted);
    };
    w.EnsureFirstGraph();
    // After the first graph, whose settings may pick a language of their own.
    if (languageFile.isEmpty())
        TranslateManager().UseBuiltIn();
    else
        TranslateManager().LoadLanguage(languageFile);
    w.show();
    if (p.kind == QLatin1String("window") && p.window == QLatin1String("main")) {
        w.resize(p.sized ? p.width : 1000, p.sized ? p.height : 720);
        Settle();
    } else {
        SizeDrawingArea(w, p.width, p.height);
    }

    const QString where = QLatin1Char('[') + p.name + QStringLiteral("] ");
    if (!p.rows.isEmpty() && !BuildGraph(w, host, p))
        problems.append(where + QStringLiteral("the matrix was refused"));
    // The generate window shows its parameters instead of building them.
    if (!p.generate.isEmpty() && p.window != QLatin1String("generate"))
        GenerateGraph(w, p, problems);
    if (!p.layout.isEmpty())
        ApplyLayout(w, p, problems);
    if (!p.algorithm.isEmpty()) {
        w.AlgorithmRuns().Run(p.algorithm, p.from, p.to);
        Settle();
        // The playback bar that opened took its height from the drawing.
        if (p.kind != QLatin1String("window"))
            SizeDrawingArea(w, p.width, p.height);
        if (p.frame > 0) {
            auto* slider = w.findChild<QSlider*>(QStringLiteral("playbackSlider"));
            if (!slider || p.frame - 1 > slider->maximum()) {
                problems.append(where + QStringLiteral("the run has no frame %1").arg(p.frame));
            } else {
                slider->setValue(p.frame - 1);
                Settle();
            }
        }
    }
    // A refusal may be the very thing a picture shows; it is noted, not an error.
    for (const QString& message : std::as_const(host.messages))
        qInfo("%s", qPrintable(where + QStringLiteral("note: the program said: ") + message));

    QImage shot =
        p.kind == QLatin1String("window") ? WindowShot(w, p, problems) : w.DrawingPane()->grab().toImage();
    if (shot.isNull())
        problems.append(where + QStringLiteral("no picture was made"));
    w.SetDialogHost(nullptr);
    return shot;
}
