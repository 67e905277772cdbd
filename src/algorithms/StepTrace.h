#pragma once

#include "base/TranslationManager.h"
#include "drawing/StepPicture.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <vector>

// The frames of a run for step-by-step playback: at each frame one narration line (a
// translation key with its arguments), and the states and captions of vertices and arcs.
// Frames are stored as the changes since the previous frame, so a long search costs a few
// bytes a step; recording stops at a cap with a last frame that says the trace was cut.
// When the trace is off every call returns at once.
class StepTrace {
  public:
    using VertexState = StepVertexState;
    using ArcState = StepArcState;

    static constexpr int DefaultFrameCap = 100000;

    // A narration argument: a vertex (shown by its display name), a number, or "∞".
    struct Argument {
        enum class Kind : std::uint8_t { Vertex, Number, Infinity };
        Kind kind;
        int value;
        static Argument Vertex(int v) { return {Kind::Vertex, v}; }
        static Argument Number(int n) { return {Kind::Number, n}; }
        static Argument Infinite() { return {Kind::Infinity, 0}; }
    };

    // A caption under a vertex: a number, "∞", or a short text from the pool.
    struct Caption {
        enum class Kind : std::uint8_t { None, Number, Infinity, Text };
        Kind kind = Kind::None;
        int value = 0;
    };

    // The full picture at one frame, rebuilt by replaying the changes.
    struct Frame {
        QString key;
        std::vector<Argument> arguments;
        std::vector<VertexState> vertices; // index 1..vertexCount
        std::vector<ArcState> arcs;        // index a * (vertexCount + 1) + b
        std::vector<Caption> captions;     // index 1..vertexCount
        ArcState Arc(int a, int b) const { return arcs[std::size_t(a) * (vertices.size()) + std::size_t(b)]; }
    };

    StepTrace() = default;
    // vertexCount bounds the vertex numbers used; frameCap counts the frames kept, the cut
    // notice included.
    void Start(int vertexCount, int frameCap = DefaultFrameCap);
    // Room for about this many frames, each with a few changes and arguments, so a long
    // search does not keep moving its trace while it grows.
    void Reserve(int expectedFrames);
    bool Enabled() const { return enabled; }

    // Changes accumulate until Step closes a frame with its narration.
    void SetVertex(int v, VertexState state)
    {
        if (enabled)
            Change(ChangeKind::Vertex, v, 0, int(state));
    }
    void SetArc(int a, int b, ArcState state)
    {
        if (enabled)
            Change(ChangeKind::Arc, a, b, int(state));
    }
    void SetCaptionNumber(int v, int number)
    {
        if (enabled)
            Change(ChangeKind::CaptionNumber, v, 0, number);
    }
    void SetCaptionInfinity(int v)
    {
        if (enabled)
            Change(ChangeKind::CaptionInfinity, v, 0, 0);
    }
    void SetCaptionText(int v, const QString& text);
    void Step(const char* key, std::initializer_list<Argument> arguments = {});

    int FrameCount() const { return int(frames.size()); }
    bool Cut() const { return cut; }
    int VertexCount() const { return vertexCount; }
    const QString& CaptionText(int index) const { return texts[std::size_t(index)]; }
    // The picture at frame i (0-based), replayed from the first frame: for stepping to one
    // frame; going through them all is done with ChangesOf.
    Frame FrameAt(int i) const;
    // The frame's narration in the current language with its arguments filled in; vertex
    // names come from nameOf(v).
    template <typename NameOf> static QString Narration(const Frame& frame, NameOf nameOf);
    QString CaptionString(const Caption& caption) const;
    // The picture of frame i as the drawing shows it, captions as text.
    StepPicture PictureAt(int i) const;

    // The key of the notice that closes a cut trace.
    static constexpr const char* CutKey = "step_trace_cut";

    // What a frame changed since the one before it; the changes of frame i were made before
    // its narration was recorded.
    enum class ChangeKind : std::uint8_t { Vertex, Arc, CaptionNumber, CaptionInfinity, CaptionText };
    struct ChangeRecord {
        ChangeKind kind;
        std::uint16_t a;
        std::uint16_t b;
        std::int32_t value;
    };
    std::span<const ChangeRecord> ChangesOf(int frame) const;
    // Frame i's narration alone, without its picture.
    Frame NarrationOf(int frame) const;

  private:
    struct FrameRecord {
        std::uint32_t firstChange;
        std::uint32_t firstArgument;
        std::uint16_t key; // index into keys
        std::uint8_t argumentCount;
    };
    std::uint16_t KeyIndex(const char* key);

    void Change(ChangeKind kind, int a, int b, int value);

    bool enabled = false;
    bool cut = false;
    int vertexCount = 0;
    int frameCap = DefaultFrameCap;
    std::vector<ChangeRecord> changes;
    std::vector<Argument> argumentStore;
    std::vector<FrameRecord> frames;
    std::vector<const char*> keys; // the few distinct narration keys, interned
    QStringList texts;
};

template <typename NameOf> QString StepTrace::Narration(const Frame& frame, NameOf nameOf)
{
    QString text = Translate(frame.key);
    for (const Argument& argument : frame.arguments) {
        switch (argument.kind) {
        case Argument::Kind::Vertex:
            text = text.arg(nameOf(argument.value));
            break;
        case Argument::Kind::Number:
            text = text.arg(argument.value);
            break;
        case Argument::Kind::Infinity:
            text = text.arg(QStringLiteral("∞"));
            break;
        }
    }
    return text;
}
