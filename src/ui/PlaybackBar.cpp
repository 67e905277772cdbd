#include "ui/PlaybackBar.h"

#include "base/TranslationManager.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

PlaybackBar::PlaybackBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PlaybackBar"));
    auto button = [this](const char* name, QStyle::StandardPixmap icon, auto slot) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(style()->standardIcon(icon));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    first = button("playbackFirst", QStyle::SP_MediaSkipBackward, [this] { ShowFrame(0); });
    back = button("playbackBack", QStyle::SP_MediaSeekBackward, [this] { Step(-1); });
    play = button("playbackPlay", QStyle::SP_MediaPlay, [this] { TogglePlay(); });
    forward = button("playbackForward", QStyle::SP_MediaSeekForward, [this] { Step(1); });
    last = button("playbackLast", QStyle::SP_MediaSkipForward, [this] { ShowFrame(Count() - 1); });
    slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QStringLiteral("playbackSlider"));
    connect(slider, &QSlider::valueChanged, this, [this](int value) {
        if (value != current)
            ShowFrame(value);
    });
    speed = new QComboBox(this);
    speed->setObjectName(QStringLiteral("playbackSpeed"));
    // Milliseconds a frame: half, normal, twice and five times the normal speed.
    for (const auto& [caption, interval] : {std::pair{"0.5×", 1500}, {"1×", 800}, {"2×", 400}, {"5×", 150}})
        speed->addItem(QString::fromUtf8(caption), interval);
    speed->setCurrentIndex(1);
    narration = new QLabel(this);
    narration->setObjectName(QStringLiteral("playbackNarration"));
    narration->setWordWrap(true);
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
        if (current >= Count() - 1)
            TogglePlay();
        else
            Step(1);
    });

    auto* controls = new QHBoxLayout;
    controls->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(back), static_cast<QWidget*>(play),
                       static_cast<QWidget*>(forward), static_cast<QWidget*>(last)})
        controls->addWidget(w);
    controls->addWidget(slider, 1);
    controls->addWidget(speed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addLayout(controls);
    layout->addWidget(narration);

    // The keys work anywhere in the window while a playback is on.
    const std::pair<QKeySequence, std::function<void()>> bindings[] = {
        {QKeySequence(Qt::Key_Left), [this] { Step(-1); }},
        {QKeySequence(Qt::Key_Right), [this] { Step(1); }},
        {QKeySequence(Qt::Key_Home), [this] { ShowFrame(0); }},
        {QKeySequence(Qt::Key_End), [this] { ShowFrame(Count() - 1); }},
        {QKeySequence(Qt::Key_Space), [this] { TogglePlay(); }},
    };
    for (const auto& [sequence, run] : bindings) {
        auto* key = new QShortcut(sequence, parent ? parent : this);
        key->setContext(Qt::WindowShortcut);
        key->setEnabled(false);
        connect(key, &QShortcut::activated, this, run);
        keys.append(key);
    }
    // The drawing keeps every pixel the bar does not need.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    narration->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    ApplyCaptions();
    hide();
}

PlaybackBar::~PlaybackBar() = default;

void PlaybackBar::Start(const GraphDocument& graf, const StepTrace& steps)
{
    if (steps.FrameCount() == 0) {
        Stop();
        return;
    }
    trace = steps;
    stamp = std::make_unique<Graph>(static_cast<const Graph&>(graf));
    names.clear();
    for (int v = 0; v <= trace.VertexCount(); ++v)
        names.append(v >= 1 && v <= graf.VertexCount ? graf.VertexName(v) : QString::number(v));
    active = true;
    for (QShortcut* key : keys)
        key->setEnabled(true);
    slider->setRange(0, trace.FrameCount() - 1);
    current = trace.FrameCount() - 1;
    slider->setValue(current);
    UpdateControls();
    show();
}

void PlaybackBar::Stop()
{
    const bool was = active;
    active = false;
    timer->stop();
    for (QShortcut* key : keys)
        key->setEnabled(false);
    trace = StepTrace();
    stamp.reset();
    current = -1;
    hide();
    if (was)
        emit stopped();
}

bool PlaybackBar::Matches(const GraphDocument& graf) const
{
    return active && stamp && *stamp == static_cast<const Graph&>(graf);
}

void PlaybackBar::ShowFrame(int frame)
{
    if (!active)
        return;
    frame = std::clamp(frame, 0, Count() - 1);
    current = frame;
    if (slider->value() != frame)
        slider->setValue(frame);
    UpdateControls();
    if (Present)
        Present(frame);
}

bool PlaybackBar::Playing() const
{
    return timer->isActive();
}

void PlaybackBar::TogglePlay()
{
    if (!active)
        return;
    if (timer->isActive()) {
        timer->stop();
    } else {
        if (current >= Count() - 1)
            ShowFrame(0);
        timer->start(speed->currentData().toInt());
    }
    UpdateControls();
}

QString PlaybackBar::NarrationLine() const
{
    if (!active || current < 0)
        return QString();
    const QString text = StepTrace::Narration(trace.NarrationOf(current), [this](int v) {
        return v >= 0 && v < names.size() ? names[v] : QString::number(v);
    });
    return Translate(QStringLiteral("Playback_frame")).arg(current + 1).arg(Count()) + QStringLiteral(" — ") +
           text;
}

void PlaybackBar::UpdateControls()
{
    narration->setText(NarrationLine());
    play->setIcon(style()->standardIcon(timer->isActive() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    first->setEnabled(current > 0);
    back->setEnabled(current > 0);
    forward->setEnabled(current < Count() - 1);
    last->setEnabled(current < Count() - 1);
}

void PlaybackBar::ApplyCaptions()
{
    first->setToolTip(Translate(QStringLiteral("Playback_first")));
    back->setToolTip(Translate(QStringLiteral("Playback_back")));
    play->setToolTip(Translate(QStringLiteral("Playback_play")));
    forward->setToolTip(Translate(QStringLiteral("Playback_forward")));
    last->setToolTip(Translate(QStringLiteral("Playback_last")));
    speed->setToolTip(Translate(QStringLiteral("Playback_speed")));
    narration->setText(NarrationLine());
}
