#include "algorithms/StepTrace.h"

#include <algorithm>

void StepTrace::Start(int count, int cap)
{
    enabled = true;
    cut = false;
    vertexCount = std::max(count, 0);
    frameCap = std::max(cap, 1);
    changes.clear();
    argumentStore.clear();
    frames.clear();
    keys.clear();
    texts.clear();
}

void StepTrace::Reserve(int expectedFrames)
{
    if (!enabled)
        return;
    const std::size_t count = std::size_t(std::clamp(expectedFrames, 0, frameCap));
    frames.reserve(count);
    changes.reserve(count * 2);
    argumentStore.reserve(count * 3);
}

std::uint16_t StepTrace::KeyIndex(const char* key)
{
    for (std::size_t k = keys.size(); k-- > 0;)
        if (keys[k] == key)
            return std::uint16_t(k);
    keys.push_back(key);
    return std::uint16_t(keys.size() - 1);
}

void StepTrace::Change(ChangeKind kind, int a, int b, int value)
{
    if (a < 0 || b < 0 || a > vertexCount || b > vertexCount)
        return;
    changes.push_back({kind, std::uint16_t(a), std::uint16_t(b), value});
}

void StepTrace::SetCaptionText(int v, const QString& text)
{
    if (!enabled)
        return;
    texts.append(text);
    Change(ChangeKind::CaptionText, v, 0, int(texts.size() - 1));
}

void StepTrace::Step(const char* key, std::initializer_list<Argument> arguments)
{
    if (!enabled)
        return;
    if (int(frames.size()) + 1 >= frameCap) {
        // The last place goes to the notice; nothing after it is kept.
        frames.push_back(
            {std::uint32_t(changes.size()), std::uint32_t(argumentStore.size()), KeyIndex(CutKey), 0});
        enabled = false;
        cut = true;
        return;
    }
    const std::size_t count = std::min<std::size_t>(arguments.size(), 255);
    frames.push_back({std::uint32_t(changes.size()), std::uint32_t(argumentStore.size()), KeyIndex(key),
                      std::uint8_t(count)});
    argumentStore.insert(argumentStore.end(), arguments.begin(), arguments.begin() + count);
}

StepTrace::Frame StepTrace::FrameAt(int index) const
{
    Frame frame;
    const std::size_t side = std::size_t(vertexCount) + 1;
    frame.vertices.assign(side, VertexState::None);
    frame.arcs.assign(side * side, ArcState::None);
    frame.captions.assign(side, Caption{});
    if (index < 0 || index >= int(frames.size()))
        return frame;

    // A frame shows every change made before its narration was recorded.
    const std::size_t last = frames[std::size_t(index)].firstChange;
    for (std::size_t k = 0; k < last; ++k) {
        const ChangeRecord& change = changes[k];
        switch (change.kind) {
        case ChangeKind::Vertex:
            frame.vertices[change.a] = VertexState(change.value);
            break;
        case ChangeKind::Arc:
            frame.arcs[change.a * side + change.b] = ArcState(change.value);
            break;
        case ChangeKind::CaptionNumber:
            frame.captions[change.a] = {Caption::Kind::Number, change.value};
            break;
        case ChangeKind::CaptionInfinity:
            frame.captions[change.a] = {Caption::Kind::Infinity, 0};
            break;
        case ChangeKind::CaptionText:
            frame.captions[change.a] = {Caption::Kind::Text, change.value};
            break;
        }
    }
    const Frame narration = NarrationOf(index);
    frame.key = narration.key;
    frame.arguments = narration.arguments;
    return frame;
}

StepTrace::Frame StepTrace::NarrationOf(int index) const
{
    Frame frame;
    if (index < 0 || index >= int(frames.size()))
        return frame;
    const FrameRecord& record = frames[std::size_t(index)];
    frame.key = QLatin1String(keys[record.key]);
    frame.arguments.assign(argumentStore.begin() + record.firstArgument,
                           argumentStore.begin() + record.firstArgument + record.argumentCount);
    return frame;
}

std::span<const StepTrace::ChangeRecord> StepTrace::ChangesOf(int index) const
{
    if (index < 0 || index >= int(frames.size()))
        return {};
    const std::size_t begin = index == 0 ? 0 : frames[std::size_t(index) - 1].firstChange;
    const std::size_t end = frames[std::size_t(index)].firstChange;
    return std::span<const ChangeRecord>(changes).subspan(begin, end - begin);
}

QString StepTrace::CaptionString(const Caption& caption) const
{
    switch (caption.kind) {
    case Caption::Kind::None:
        return QString();
    case Caption::Kind::Number:
        return QString::number(caption.value);
    case Caption::Kind::Infinity:
        return QStringLiteral("∞");
    case Caption::Kind::Text:
        return caption.value >= 0 && caption.value < texts.size() ? texts[caption.value] : QString();
    }
    return QString();
}

StepPicture StepTrace::PictureAt(int index) const
{
    Frame frame = FrameAt(index);
    StepPicture picture;
    picture.vertices = std::move(frame.vertices);
    picture.arcs = std::move(frame.arcs);
    picture.captions.reserve(frame.captions.size());
    for (const Caption& caption : frame.captions)
        picture.captions.push_back(CaptionString(caption));
    return picture;
}
