#include "ui/ViewSettingsDialog.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "drawing/Colors.h"
#include "drawing/Surface.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::SetColor(int value)
{
    color = value;
    update();
    emit colorChanged();
}

void ColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ColorFromInt(color));
    const int side = std::min(width(), height()) - 2;
    painter.drawEllipse(QRect((width() - side) / 2, (height() - side) / 2, side, side));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    const QColor chosen = QColorDialog::getColor(ColorFromInt(color), this);
    if (chosen.isValid())
        SetColor(ColorToInt(chosen));
}

ViewSettingsDialog::ViewSettingsDialog(TranslationManager& translator, QWidget* parent)
    : QDialog(parent), translator(translator)
{
    for (auto& pair : swatches)
        for (ColorSwatch*& swatch : pair) {
            swatch = new ColorSwatch(this);
            connect(swatch, &ColorSwatch::colorChanged, this, &ViewSettingsDialog::ControlsChanged);
        }
    auto caption = [this](const char* key) {
        auto* label = new QLabel(this);
        captions.append({label, key});
        return label;
    };

    // A group of swatch rows (normal and active column) with a slider below them.
    auto swatchGroup = [this, &caption](QGroupBox* group,
                                        std::initializer_list<std::pair<SwatchRole, const char*>> rows,
                                        QLabel* sliderCaption, int minimum, int maximum, int tick) {
        auto* grid = new QGridLayout(group);
        grid->addWidget(caption("Common"), 0, 1, Qt::AlignCenter);
        grid->addWidget(caption("Active"), 0, 2, Qt::AlignCenter);
        int row = 1;
        for (const auto& [role, key] : rows) {
            grid->addWidget(caption(key), row, 0);
            grid->addWidget(swatches[role][0], row, 1, Qt::AlignCenter);
            grid->addWidget(swatches[role][1], row, 2, Qt::AlignCenter);
            ++row;
        }
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(minimum, maximum);
        slider->setTickInterval(tick);
        slider->setTickPosition(QSlider::TicksBelow);
        grid->addWidget(sliderCaption, row, 0);
        grid->addWidget(slider, row, 1, 1, 2);
        return slider;
    };

    vertexGroup = new QGroupBox(this);
    vertexSizeCaption = caption("point_size");
    vertexSize = swatchGroup(
        vertexGroup,
        {{VertexLine, "_color_line_"}, {VertexFill, "_color_fill_"}, {VertexText, "_color_text_"}},
        vertexSizeCaption, 5, 30, 5);

    arcGroup = new QGroupBox(this);
    arcWidthCaption = caption("thickness_arc");
    arcWidth = swatchGroup(arcGroup, {{ArcLine, "_color_line_"}, {ArcText, "_color_text_"}}, arcWidthCaption,
                           1, 10, 1);

    labelGroup = new QGroupBox(this);
    auto* labelGrid = new QGridLayout(labelGroup);
    labelGrid->addWidget(caption("_color_text_"), 0, 1, Qt::AlignCenter);
    labelGrid->addWidget(caption("_color_bg_"), 0, 2, Qt::AlignCenter);
    for (int active = 0; active < 2; ++active) {
        labelGrid->addWidget(caption(active ? "Active" : "Common"), active + 1, 0);
        labelGrid->addWidget(swatches[LabelText][active], active + 1, 1, Qt::AlignCenter);
        labelGrid->addWidget(swatches[LabelBackground][active], active + 1, 2, Qt::AlignCenter);
        fontButtons[active] = new QPushButton(this);
        fontButtons[active]->setAutoDefault(false);
        labelGrid->addWidget(fontButtons[active], active + 1, 3);
        connect(fontButtons[active], &QPushButton::clicked, this,
                [this, active] { ChooseFont(active == 1); });
    }

    previewCaption = caption("Current_setting");
    previewBox = new QLabel(this);
    previewBox->setFixedSize(PreviewWidth, PreviewHeight);
    previewBox->setFrameShape(QFrame::Box);
    previewBox->setContentsMargins(0, 0, 0, 0);

    saveButton = new QPushButton(this);
    cancelButton = new QPushButton(this);
    cancelButton->setAutoDefault(false);
    connect(saveButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(vertexSize, &QSlider::valueChanged, this, &ViewSettingsDialog::ControlsChanged);
    connect(arcWidth, &QSlider::valueChanged, this, &ViewSettingsDialog::ControlsChanged);

    auto* left = new QVBoxLayout;
    left->addWidget(vertexGroup);
    left->addWidget(arcGroup);
    left->addWidget(labelGroup);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(previewCaption, 0, Qt::AlignHCenter);
    right->addWidget(previewBox);
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Retranslate();
    connect(&translator, &TranslationManager::languageChanged, this, &ViewSettingsDialog::Retranslate);
}

void ViewSettingsDialog::Retranslate()
{
    setWindowTitle(translator.Translate("View_graph"));
    vertexGroup->setTitle(translator.Translate("Point_view"));
    arcGroup->setTitle(translator.Translate("Arc_view"));
    labelGroup->setTitle(translator.Translate("text_view"));
    for (const auto& [label, key] : captions)
        label->setText(translator.Translate(key));
    for (QPushButton* button : fontButtons)
        button->setText(translator.Translate("Font"));
    saveButton->setText(translator.Translate("Save"));
    cancelButton->setText(translator.Translate("Cancel"));
    if (isVisible())
        ControlsChanged();
}

bool ViewSettingsDialog::Execute(GraphDocument& graf)
{
    LoadFrom(graf);
    if (exec() != QDialog::Accepted)
        return false;
    StoreInto(graf);
    return true;
}

void ViewSettingsDialog::LoadFrom(GraphDocument& graf)
{
    graf.Style().NormalVertex.Size = graf.VertexSize;
    graf.Style().ActiveVertex.Size = graf.VertexSize;
    styles = ViewStyles{graf.Style(), graf.NormalLabelStyle, graf.ActiveLabelStyle};

    const QSignalBlocker blockVertexSize(vertexSize);
    const QSignalBlocker blockArcWidth(arcWidth);
    const VertexStyle* vertices[2] = {&styles.NormalVertex, &styles.ActiveVertex};
    const ArcStyle* arcs[2] = {&styles.NormalArc, &styles.ActiveArc};
    const TextStyle* labels[2] = {&styles.NormalLabel, &styles.ActiveLabel};
    for (int k = 0; k < 2; ++k) {
        const std::pair<SwatchRole, int> colors[] = {{VertexLine, vertices[k]->PenColor},
                                                     {VertexFill, vertices[k]->BrushColor},
                                                     {VertexText, vertices[k]->TextColor},
                                                     {ArcLine, arcs[k]->PenColor},
                                                     {ArcText, arcs[k]->TextColor},
                                                     {LabelText, labels[k]->Color},
                                                     {LabelBackground, labels[k]->ColorBackground}};
        for (const auto& [role, color] : colors) {
            const QSignalBlocker block(swatches[role][k]);
            swatches[role][k]->SetColor(color);
        }
    }
    vertexSize->setValue(styles.NormalVertex.Size);
    // The active width wins when the two differ; saving makes them equal.
    arcWidth->setValue(styles.NormalArc.PenSize);
    arcWidth->setValue(styles.ActiveArc.PenSize);
}

void ViewSettingsDialog::ControlsChanged()
{
    VertexStyle* vertices[2] = {&styles.NormalVertex, &styles.ActiveVertex};
    ArcStyle* arcs[2] = {&styles.NormalArc, &styles.ActiveArc};
    TextStyle* labels[2] = {&styles.NormalLabel, &styles.ActiveLabel};
    for (int k = 0; k < 2; ++k) {
        vertices[k]->BrushColor = swatches[VertexFill][k]->Color();
        vertices[k]->PenColor = swatches[VertexLine][k]->Color();
        vertices[k]->TextColor = swatches[VertexText][k]->Color();
        vertices[k]->PenSize = 1;
        vertices[k]->Size = vertexSize->value();
        arcs[k]->PenColor = swatches[ArcLine][k]->Color();
        arcs[k]->TextColor = swatches[ArcText][k]->Color();
        arcs[k]->PenSize = arcWidth->value();
        arcs[k]->HeadSize = vertexSize->value();
        labels[k]->Color = swatches[LabelText][k]->Color();
        labels[k]->ColorBackground = swatches[LabelBackground][k]->Color();
    }
    preview = RenderPreview(styles, translator);
    previewBox->setPixmap(QPixmap::fromImage(preview));
}

void ViewSettingsDialog::StoreInto(GraphDocument& graf)
{
    ControlsChanged();
    graf.Style() = styles;
    graf.NormalLabelStyle = styles.NormalLabel;
    graf.ActiveLabelStyle = styles.ActiveLabel;
    graf.VertexSize = graf.Style().NormalVertex.Size;
    for (int v = 1; v <= graf.VertexCount; ++v)
        graf.Vertices[v].Size = graf.VertexSize;
}

void ViewSettingsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ControlsChanged();
}

void ViewSettingsDialog::TakeFont(TextStyle& label, const QFont& font)
{
    label.Face = font.family();
    quint8 style = 0;
    if (font.bold())
        style |= TextStyle::Bold;
    if (font.italic())
        style |= TextStyle::Italic;
    if (font.underline())
        style |= TextStyle::Underline;
    if (font.strikeOut())
        style |= TextStyle::StrikeOut;
    label.Style = style;
    // The font dialog offers no size limits of its own.
    const int size = font.pointSize() > 0 ? font.pointSize() : label.Size;
    label.Size = std::clamp(size, 8, 48);
}

void ViewSettingsDialog::ChooseFont(bool active)
{
    TextStyle& label = active ? styles.ActiveLabel : styles.NormalLabel;
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, label.Font(), this, translator.Translate("Font"));
    if (!ok)
        return;
    TakeFont(label, font);
    ControlsChanged();
}

QImage ViewSettingsDialog::RenderPreview(const ViewStyles& styles, TranslationManager& translator)
{
    constexpr int W = PreviewWidth;
    constexpr int H = PreviewHeight;
    const int MidX = int(std::nearbyint(W / 2.0)); // halves to even
    const int MidY = int(std::nearbyint(H / 2.0));
    const QPoint at[6] = {{}, {40, 40}, {W - 40, H - 40}, {W - 40, 40}, {MidX, MidY}, {40, H - 40}};
    const int size = styles.NormalVertex.Size;

    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter surface;
    BeginSurface(surface, &image);

    auto drawArc = [&](ArcStyle arc, const TextStyle& font, int a, int b) {
        arc.SetGeometry(at[a].x(), at[a].y(), at[b].x(), at[b].y(), size, (at[a].x() + at[b].x()) / 2,
                        (at[a].y() + at[b].y()) / 2, 1, 2, 1);
        font.ApplyFont(surface);
        arc.Draw(surface, 0, QString());
    };
    drawArc(styles.NormalArc, styles.NormalLabel, 1, 4);
    drawArc(styles.NormalArc, styles.NormalLabel, 4, 2);
    drawArc(styles.ActiveArc, styles.ActiveLabel, 3, 4);
    drawArc(styles.ActiveArc, styles.ActiveLabel, 4, 5);

    for (int v = 1; v <= 5; ++v) {
        const bool active = v >= 3;
        VertexStyle vertex = active ? styles.ActiveVertex : styles.NormalVertex;
        vertex.SetPoint(at[v].x(), at[v].y(), QString::number(v), size);
        (active ? styles.ActiveLabel : styles.NormalLabel).ApplyFont(surface);
        vertex.Draw(surface);
    }

    styles.NormalLabel.DrawText(surface, W - 100, 20, translator.Translate("Start"));
    styles.NormalLabel.DrawText(surface, 80, H - 40, translator.Translate("Finish"));
    styles.ActiveLabel.DrawText(surface, MidX - W / 4, MidY - H / 4, translator.Translate("Selected_text"));
    surface.end();
    return image;
}
