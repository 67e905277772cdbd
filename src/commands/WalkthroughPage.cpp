#include "commands/WalkthroughPage.h"

#include "algorithms/AlgorithmResult.h"
#include "algorithms/RunAlgorithm.h"
#include "base/TranslationManager.h"
#include "commands/WalkthroughPageParts.h"
#include "document/GraphDocument.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <vector>

using namespace WalkthroughParts;

namespace {

// The player and the page's styles are compiled in and copied into every page, which must open
// offline as one file.
QString PageResource(const QString& name)
{
    QFile file(QStringLiteral(":/walkthrough/") + name);
    const bool opened = file.open(QIODevice::ReadOnly);
    Q_ASSERT_X(opened, "WalkthroughPage", "the page's script and styles are built into the library");
    return opened ? QString::fromUtf8(file.readAll()) : QString();
}

const QString& PageScript()
{
    static const QString script = PageResource(QStringLiteral("walkthrough.js"));
    return script;
}

const QString& PageStyle()
{
    static const QString style = PageResource(QStringLiteral("walkthrough.css"));
    return style;
}

// A network's one source and one sink are the ends of its task, marked like a path's.
WalkthroughTask WithNetworkEnds(const GraphDocument& g, WalkthroughTask task)
{
    if (TableOf(task.name) != TableKind::Flows || task.first != 0 || task.second != 0)
        return task;
    std::vector<int> into(std::size_t(g.VertexCount) + 1, 0);
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int b : g.OutArcs(a))
            ++into[std::size_t(b)];
    int sources = 0, sinks = 0, source = 0, sink = 0;
    for (int v = 1; v <= g.VertexCount; ++v) {
        if (into[std::size_t(v)] == 0 && g.OutCount(v) > 0)
            ++sources, source = v;
        if (into[std::size_t(v)] > 0 && g.OutCount(v) == 0)
            ++sinks, sink = v;
    }
    if (sources == 1 && sinks == 1) {
        task.first = source;
        task.second = sink;
    }
    return task;
}

// A button's picture: drawn, so no font has to hold a media symbol.
QString Button(const char* id, const char* key, const char* path)
{
    const QString label = Esc(Tr(key));
    return QStringLiteral("<button id=\"%1\" type=\"button\" title=\"%2\"><svg viewBox=\"0 0 16 16\" "
                          "aria-hidden=\"true\" focusable=\"false\"><path d=\"%3\"/></svg>"
                          "<span class=\"sr\">%2</span></button>")
        .arg(QLatin1String(id), label, QLatin1String(path));
}

} // namespace

QString WalkthroughTitle(const QString& name)
{
    const AlgorithmInfo* info = FindAlgorithm(name);
    if (!info || !info->captionKey)
        return name;
    QString title = TranslatePlain(QLatin1String(info->captionKey));
    // The Euler and Hamilton rows share their captions; their menu says which walk is meant.
    if (info->menu == AlgorithmMenu::Euler)
        title = TranslatePlain(QStringLiteral("ElerTrace")) + QStringLiteral(": ") + title;
    else if (info->menu == AlgorithmMenu::Hamilton)
        title = TranslatePlain(QStringLiteral("GameltonTrace")) + QStringLiteral(": ") + title;
    return title;
}

QByteArray WalkthroughPage(const GraphDocument& g, const AlgorithmResult& result,
                           const WalkthroughTask& asked)
{
    const WalkthroughTask task = WithNetworkEnds(g, asked);
    QStringList answer = result.PaneLines();
    if (answer.isEmpty())
        answer = result.Messages();
    if (answer.isEmpty())
        answer = task.messages;

    PagePlan plan;
    PlanTable(g, result, task, plan);
    const QJsonArray frames = WriteFrames(g, result, plan, answer);

    QJsonObject texts;
    texts.insert(QStringLiteral("frame"), Tr("Playback_frame"));
    texts.insert(QStringLiteral("panel"), Tr("Page_frame_panel"));
    const QString title = task.title.isEmpty() ? task.name : task.title;
    const QString taskLine = TaskLine(g, task);
    QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                                  "<title>%1</title><style>\n%2</style></head><body>")
                       .arg(Esc(title), PageStyle());
    // The arrowhead lives outside the drawing so that the handout's copies can use it; it keeps
    // one size whatever the width of the line it ends.
    page += QStringLiteral(
        "<svg width=\"0\" height=\"0\" style=\"position:absolute\" aria-hidden=\"true\"><defs>"
        "<marker id=\"head\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerUnits=\"userSpaceOnUse\" "
        "markerWidth=\"12\" markerHeight=\"12\" orient=\"auto-start-reverse\"><path d=\"M0 0 L10 5 L0 10 z\" "
        "fill=\"#333\"/></marker></defs></svg>");
    page += QStringLiteral("<header><h1>%1</h1><p id=\"task\"><b>%2:</b> %3</p></header>")
                .arg(Esc(title), Esc(Tr("Page_task")), Esc(taskLine));
    const QString table = TableHtml(g, task, plan);
    page += QStringLiteral("<main id=\"stage\"><figure id=\"drawing\">") +
            GraphSvg(g, task, plan, title + QStringLiteral(" — ") + taskLine) + QStringLiteral("</figure>");
    page += QStringLiteral("<aside id=\"side\"%1>%2")
                .arg(plan.table == TableKind::Matrix ? QStringLiteral(" class=\"wide\"") : QString(), table);
    page += LegendHtml(task, plan);
    page += QStringLiteral("<section id=\"answer\"><h2>%1</h2><pre>%2</pre></section></aside></main>")
                .arg(Esc(Tr("Page_answer")), Esc(answer.join(QLatin1Char('\n'))));
    page += QStringLiteral(
        "<footer><div id=\"narration\" role=\"status\" aria-live=\"polite\"></div><div id=\"bar\">");
    page += Button("first", "Playback_first", "M2 2h2v12H2zM14 2v12L5 8z");
    page += Button("back", "Playback_back", "M12 2v12L3 8z");
    page += Button("play", "Playback_play", "M1 2v12l7-6zM10 2h2v12h-2zM13.5 2h2v12h-2z");
    page += Button("forward", "Playback_forward", "M4 2v12l9-6z");
    page += Button("last", "Playback_last", "M12 2h2v12h-2zM2 2v12l9-6z");
    page += QStringLiteral("<input id=\"slider\" type=\"range\" min=\"0\" value=\"0\" aria-label=\"%1\">"
                           "<label>%2 <select id=\"speed\"><option value=\"1500\">0.5×</option>"
                           "<option value=\"800\" selected>1×</option><option value=\"400\">2×</option>"
                           "<option value=\"150\">5×</option></select></label></div></footer>")
                .arg(Esc(Tr("Playback_frame").arg(QStringLiteral("…"), QString::number(frames.size()))),
                     Esc(Tr("Playback_speed")));
    page += QStringLiteral("<section id=\"handout\"></section>");
    // JSON inside a script element: "<" and ">" could open a comment or a tag that swallows the
    // rest of the page, "&" starts nothing today but costs nothing to hide, and the line and
    // paragraph separators end a line in older script engines. They only ever stand inside
    // JSON strings, where their escapes mean the same.
    auto scriptJson = [](const QJsonDocument& json) {
        QString text = QString::fromUtf8(json.toJson(QJsonDocument::Compact));
        for (const char16_t c : {u'<', u'>', u'&', u'\u2028', u'\u2029'})
            text.replace(QChar(c), QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0')));
        return text;
    };
    page += QStringLiteral("<script id=\"frames\" type=\"application/json\">") +
            scriptJson(QJsonDocument(frames)) + QStringLiteral("</script>");
    page += QStringLiteral("<script id=\"texts\" type=\"application/json\">") +
            scriptJson(QJsonDocument(texts)) + QStringLiteral("</script>");
    page += QStringLiteral("<script>\n") + PageScript() + QStringLiteral("</script></body></html>\n");
    return page.toUtf8();
}
