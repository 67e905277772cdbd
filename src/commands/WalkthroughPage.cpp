#include "commands/WalkthroughPage.h"

#include "algorithms/AlgorithmResult.h"
#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"
#include "report/HTMLReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString Esc(const QString& text)
{
    return HTMLReportManager::Escape(text);
}

QString Number(double value)
{
    return QString::number(value, 'f', 1);
}

// The arc as the program draws it: the parabola through tail, text point and head is the
// quadratic curve whose control point lies twice as far from the chord's middle as the text point.
QString ArcPath(const TAllGraf& g, int a, int b)
{
    const TPointRec& tail = g.Points[a];
    const TPointRec& head = g.Points[b];
    const TDugaRec& cell = g.Dugi[a][b];
    const double cx = 2.0 * cell.X - (tail.X + head.X) / 2.0;
    const double cy = 2.0 * cell.Y - (tail.Y + head.Y) / 2.0;
    // The head end stops at the rim of the head vertex, where the arrowhead sits.
    double ex = head.X, ey = head.Y;
    const double dx = head.X - cx, dy = head.Y - cy;
    const double length = std::hypot(dx, dy);
    if (g.IsOrint == 2 && length > head.Size) {
        ex -= dx / length * head.Size;
        ey -= dy / length * head.Size;
    }
    return QStringLiteral("M%1 %2 Q%3 %4 %5 %6")
        .arg(tail.X)
        .arg(tail.Y)
        .arg(Number(cx), Number(cy), Number(ex), Number(ey));
}

QString GraphSvg(const TAllGraf& g)
{
    QString svg =
        QStringLiteral("<svg id=\"graph\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %1 %2\">")
            .arg(std::max(g.CanvasWidth(), 1))
            .arg(std::max(g.CanvasHeight(), 1));
    svg += QStringLiteral(
        "<defs><marker id=\"head\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerWidth=\"7\" "
        "markerHeight=\"7\" orient=\"auto-start-reverse\"><path d=\"M0 0 L10 5 L0 10 z\"/></marker>"
        "</defs>");
    for (int a = 1; a <= g.PointCount; ++a)
        for (int b : g.OutArcs(a)) {
            // An undirected edge is one curve for both of its cells.
            if (g.IsOrint == 0 && b < a)
                continue;
            svg += QStringLiteral("<path class=\"arc\" id=\"a%1_%2\" d=\"%3\"%4/>")
                       .arg(a)
                       .arg(b)
                       .arg(ArcPath(g, a, b),
                            g.IsOrint == 2 ? QStringLiteral(" marker-end=\"url(#head)\"") : QString());
            if (g.IsHaveCost)
                svg += QStringLiteral("<text class=\"weight\" x=\"%1\" y=\"%2\">%3</text>")
                           .arg(g.Dugi[a][b].X)
                           .arg(g.Dugi[a][b].Y)
                           .arg(g.Dugi[a][b].Cost);
        }
    for (int v = 1; v <= g.PointCount; ++v) {
        const TPointRec& p = g.Points[v];
        svg += QStringLiteral("<g class=\"vertex\" id=\"v%1\"><circle cx=\"%2\" cy=\"%3\" r=\"%4\"/>"
                              "<text x=\"%2\" y=\"%3\">%5</text>"
                              "<text class=\"caption\" id=\"c%1\" x=\"%6\" y=\"%7\"></text></g>")
                   .arg(v)
                   .arg(p.X)
                   .arg(p.Y)
                   .arg(p.Size)
                   .arg(Esc(g.PointTitle(v)))
                   .arg(p.X + p.Size + 2)
                   .arg(p.Y - p.Size);
    }
    svg += QStringLiteral("</svg>");
    return svg;
}

// Each frame: its narration and its changes as [kind, a, b, value], kind 0 a vertex state,
// 1 an arc state, 2 a caption (value a string).
QJsonArray Frames(const TAllGraf& g, const AlgorithmResult& result)
{
    using Kind = StepTrace::ChangeKind;
    const StepTrace& trace = result.steps;
    QJsonArray frames;
    for (int i = 0; i < trace.FrameCount(); ++i) {
        QJsonArray changes;
        for (const StepTrace::ChangeRecord& c : trace.ChangesOf(i)) {
            switch (c.kind) {
            case Kind::Vertex:
                changes.append(QJsonArray{0, c.a, 0, c.value});
                break;
            case Kind::Arc:
                changes.append(QJsonArray{1, c.a, c.b, c.value});
                break;
            case Kind::CaptionNumber:
                changes.append(QJsonArray{2, c.a, 0, QString::number(c.value)});
                break;
            case Kind::CaptionInfinity:
                changes.append(QJsonArray{2, c.a, 0, QStringLiteral("∞")});
                break;
            case Kind::CaptionText:
                changes.append(QJsonArray{2, c.a, 0, trace.CaptionText(c.value)});
                break;
            }
        }
        const QString narration =
            StepTrace::Narration(trace.NarrationOf(i), [&g](int v) { return g.PointTitle(v); });
        frames.append(QJsonArray{narration, changes});
    }
    // A cut trace ends on the result itself, as the run presented it.
    if (trace.Cut()) {
        QJsonArray changes;
        for (std::size_t k = 0; k < result.route.size(); ++k) {
            changes.append(QJsonArray{0, result.route[k], 0, int(StepVertexState::Finished)});
            if (k > 0)
                changes.append(
                    QJsonArray{1, result.route[k - 1], result.route[k], int(StepArcState::Chosen)});
        }
        const QStringList lines = result.PaneLines();
        frames.append(QJsonArray{Translate(QStringLiteral("step_final_result")) + QStringLiteral(" ") +
                                     lines.mid(0, 2).join(QStringLiteral(" ")),
                                 changes});
    }
    return frames;
}

const char* PageScript = R"(
const frames = JSON.parse(document.getElementById('frames').textContent);
const text = JSON.parse(document.getElementById('texts').textContent);
const vertexClass = ['', 'current', 'visited', 'frontier', 'finished'];
const arcClass = ['', 'examined', 'chosen', 'rejected'];
const slider = document.getElementById('slider');
const line = document.getElementById('narration');
let shown = -1, timer = null;
slider.max = Math.max(frames.length - 1, 0);
function arcElement(a, b) {
  return document.getElementById('a' + a + '_' + b) || document.getElementById('a' + b + '_' + a);
}
function reset() {
  for (const e of document.querySelectorAll('.vertex')) e.setAttribute('class', 'vertex');
  for (const e of document.querySelectorAll('.arc')) e.setAttribute('class', 'arc');
  for (const e of document.querySelectorAll('.caption')) e.textContent = '';
  shown = -1;
}
function apply(frame) {
  for (const [kind, a, b, value] of frame[1]) {
    if (kind === 0) {
      const e = document.getElementById('v' + a);
      if (e) e.setAttribute('class', 'vertex ' + vertexClass[value]);
    } else if (kind === 1) {
      const e = arcElement(a, b);
      if (e) e.setAttribute('class', 'arc ' + arcClass[value]);
    } else {
      const e = document.getElementById('c' + a);
      if (e) e.textContent = value;
    }
  }
}
function show(i) {
  if (frames.length === 0) return;
  i = Math.max(0, Math.min(frames.length - 1, i));
  if (i < shown) reset();
  while (shown < i) apply(frames[++shown]);
  slider.value = i;
  line.textContent = text.frame.replace('%1', i + 1).replace('%2', frames.length) + ' — ' + frames[i][0];
}
function play() {
  if (timer) { clearInterval(timer); timer = null; return; }
  if (shown >= frames.length - 1) show(0);
  timer = setInterval(() => {
    if (shown >= frames.length - 1) { clearInterval(timer); timer = null; return; }
    show(shown + 1);
  }, Number(document.getElementById('speed').value));
}
document.getElementById('first').onclick = () => show(0);
document.getElementById('back').onclick = () => show(shown - 1);
document.getElementById('play').onclick = play;
document.getElementById('forward').onclick = () => show(shown + 1);
document.getElementById('last').onclick = () => show(frames.length - 1);
slider.oninput = () => show(Number(slider.value));
document.addEventListener('keydown', (event) => {
  const keys = {ArrowLeft: () => show(shown - 1), ArrowRight: () => show(shown + 1),
                Home: () => show(0), End: () => show(frames.length - 1), ' ': play};
  if (keys[event.key]) { keys[event.key](); event.preventDefault(); }
});
show(0);
)";

const char* PageStyle = R"(
body { font-family: sans-serif; margin: 1em; }
#graph { max-width: 100%; height: auto; border: 1px solid #ccc; }
.arc { fill: none; stroke: #444; stroke-width: 2; }
.arc.examined { stroke: #E69F00; stroke-width: 3; stroke-dasharray: 8 4; }
.arc.chosen { stroke: #0072B2; stroke-width: 4; }
.arc.rejected { stroke: #999; stroke-width: 1.5; stroke-dasharray: 2 4; }
.weight { font-size: 12px; fill: #222; text-anchor: middle; }
.vertex circle { fill: #fff; stroke: #000; stroke-width: 1; }
.vertex text { font-size: 12px; text-anchor: middle; dominant-baseline: central; fill: #00f; }
.vertex.current circle { fill: #D55E00; stroke-width: 4; }
.vertex.visited circle { fill: #56B4E9; stroke-width: 2; stroke-dasharray: 2 2; }
.vertex.frontier circle { fill: #E69F00; stroke-width: 2; stroke-dasharray: 5 3; }
.vertex.finished circle { fill: #009E73; stroke-width: 3; }
.vertex.current text, .vertex.finished text { fill: #fff; }
.vertex text.caption { fill: #000; font-weight: bold; text-anchor: start; dominant-baseline: auto; }
#bar button { min-width: 2.5em; }
#narration { margin: .5em 0; min-height: 1.5em; }
)";

} // namespace

QByteArray WalkthroughPage(const TAllGraf& g, const AlgorithmResult& result, const QString& title)
{
    QJsonObject texts;
    texts.insert(QStringLiteral("frame"), Translate(QStringLiteral("Playback_frame")));
    QString page =
        QStringLiteral(
            "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title><style>%2</style>"
            "</head><body><h1>%1</h1>")
            .arg(Esc(title), QLatin1String(PageStyle));
    page += GraphSvg(g);
    page += QStringLiteral(
                "<div id=\"narration\"></div><div id=\"bar\">"
                "<button id=\"first\" title=\"%1\">⏮</button><button id=\"back\" title=\"%2\">◀</button>"
                "<button id=\"play\" title=\"%3\">⏯</button><button id=\"forward\" title=\"%4\">▶</button>"
                "<button id=\"last\" title=\"%5\">⏭</button> <input id=\"slider\" type=\"range\" min=\"0\" "
                "value=\"0\"> <label>%6 <select id=\"speed\"><option value=\"1500\">0.5×</option>"
                "<option value=\"800\" selected>1×</option><option value=\"400\">2×</option>"
                "<option value=\"150\">5×</option></select></label></div>")
                .arg(Esc(Translate(QStringLiteral("Playback_first"))),
                     Esc(Translate(QStringLiteral("Playback_back"))),
                     Esc(Translate(QStringLiteral("Playback_play"))),
                     Esc(Translate(QStringLiteral("Playback_forward"))),
                     Esc(Translate(QStringLiteral("Playback_last"))),
                     Esc(Translate(QStringLiteral("Playback_speed"))));
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
            scriptJson(QJsonDocument(Frames(g, result))) + QStringLiteral("</script>");
    page += QStringLiteral("<script id=\"texts\" type=\"application/json\">") +
            scriptJson(QJsonDocument(texts)) + QStringLiteral("</script>");
    page += QStringLiteral("<script>") + QString::fromUtf8(PageScript) +
            QStringLiteral("</script></body></html>\n");
    return page.toUtf8();
}
