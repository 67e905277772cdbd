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

    pointGroup = new QGroupBox(this);
    pointSizeCaption = caption("point_size");
    pointSize = swatchGroup(
        pointGroup, {{PointLine, "_color_line_"}, {PointFill, "_color_fill_"}, {PointText, "_color_text_"}},
        pointSizeCaption, 5, 30, 5);

    dugaGroup = new QGroupBox(this);
    dugaWidthCaption = caption("thickness_arc");
    dugaWidth = swatchGroup(dugaGroup, {{DugaLine, "_color_line_"}, {DugaText, "_color_text_"}},
                            dugaWidthCaption, 1, 10, 1);

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
    connect(pointSize, &QSlider::valueChanged, this, &ViewSettingsDialog::ControlsChanged);
    connect(dugaWidth, &QSlider::valueChanged, this, &ViewSettingsDialog::ControlsChanged);

    auto* left = new QVBoxLayout;
    left->addWidget(pointGroup);
    left->addWidget(dugaGroup);
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
    pointGroup->setTitle(translator.Translate("Point_view"));
    dugaGroup->setTitle(translator.Translate("Arc_view"));
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
    graf.NormalVertexStyle.Size = graf.VertexSize;
    graf.ActiveVertexStyle.Size = graf.VertexSize;
    styles = ViewStyles{graf.NormalVertexStyle, graf.ActiveVertexStyle, graf.NormalArcStyle,
                        graf.ActiveArcStyle,    graf.NormalLabelStyle,  graf.ActiveLabelStyle};

    const QSignalBlocker blockPointSize(pointSize);
    const QSignalBlocker blockDugaWidth(dugaWidth);
    const VertexStyle* points[2] = {&styles.NormalPoint, &styles.ActiveVertex};
    const ArcStyle* dugi[2] = {&styles.NormalDuga, &styles.ActiveDuga};
    const TextStyle* labels[2] = {&styles.NormalLabel, &styles.ActiveLabel};
    for (int k = 0; k < 2; ++k) {
        const std::pair<SwatchRole, int> colors[] = {{PointLine, points[k]->PenColor},
                                                     {PointFill, points[k]->BrushColor},
                                                     {PointText, points[k]->TextColor},
                                                     {DugaLine, dugi[k]->PenColor},
                                                     {DugaText, dugi[k]->TextColor},
                                                     {LabelText, labels[k]->Color},
                                                     {LabelBackground, labels[k]->ColorBackground}};
        for (const auto& [role, color] : colors) {
            const QSignalBlocker block(swatches[role][k]);
            swatches[role][k]->SetColor(color);
        }
    }
    pointSize->setValue(styles.NormalPoint.Size);
    // The active width wins when the two differ; saving makes them equal.
    dugaWidth->setValue(styles.NormalDuga.PenSize);
    dugaWidth->setValue(styles.ActiveDuga.PenSize);
}

void ViewSettingsDialog::ControlsChanged()
{
    VertexStyle* points[2] = {&styles.NormalPoint, &styles.ActiveVertex};
    ArcStyle* dugi[2] = {&styles.NormalDuga, &styles.ActiveDuga};
    TextStyle* labels[2] = {&styles.NormalLabel, &styles.ActiveLabel};
    for (int k = 0; k < 2; ++k) {
        points[k]->BrushColor = swatches[PointFill][k]->Color();
        points[k]->PenColor = swatches[PointLine][k]->Color();
        points[k]->TextColor = swatches[PointText][k]->Color();
        points[k]->PenSize = 1;
        points[k]->Size = pointSize->value();
        dugi[k]->PenColor = swatches[DugaLine][k]->Color();
        dugi[k]->TextColor = swatches[DugaText][k]->Color();
        dugi[k]->PenSize = dugaWidth->value();
        dugi[k]->HeadSize = pointSize->value();
        labels[k]->Color = swatches[LabelText][k]->Color();
        labels[k]->ColorBackground = swatches[LabelBackground][k]->Color();
    }
    preview = RenderPreview(styles, translator);
    previewBox->setPixmap(QPixmap::fromImage(preview));
}

void ViewSettingsDialog::StoreInto(GraphDocument& graf)
{
    ControlsChanged();
    graf.NormalVertexStyle = styles.NormalPoint;
    graf.ActiveVertexStyle = styles.ActiveVertex;
    graf.NormalArcStyle = styles.NormalDuga;
    graf.ActiveArcStyle = styles.ActiveDuga;
    graf.NormalLabelStyle = styles.NormalLabel;
    graf.ActiveLabelStyle = styles.ActiveLabel;
    graf.VertexSize = graf.NormalVertexStyle.Size;
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
    const int size = styles.NormalPoint.Size;

    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter surface;
    BeginSurface(surface, &image);

    auto drawDuga = [&](ArcStyle duga, const TextStyle& font, int a, int b) {
        duga.SetGeometry(at[a].x(), at[a].y(), at[b].x(), at[b].y(), size, (at[a].x() + at[b].x()) / 2,
                         (at[a].y() + at[b].y()) / 2, 1, 2, 1);
        font.ApplyFont(surface);
        duga.Draw(surface, 0, QString());
    };
    drawDuga(styles.NormalDuga, styles.NormalLabel, 1, 4);
    drawDuga(styles.NormalDuga, styles.NormalLabel, 4, 2);
    drawDuga(styles.ActiveDuga, styles.ActiveLabel, 3, 4);
    drawDuga(styles.ActiveDuga, styles.ActiveLabel, 4, 5);

    for (int v = 1; v <= 5; ++v) {
        const bool active = v >= 3;
        VertexStyle point = active ? styles.ActiveVertex : styles.NormalPoint;
        point.SetPoint(at[v].x(), at[v].y(), QString::number(v), size);
        (active ? styles.ActiveLabel : styles.NormalLabel).ApplyFont(surface);
        point.Draw(surface);
    }

    styles.NormalLabel.DrawText(surface, W - 100, 20, translator.Translate("Start"));
    styles.NormalLabel.DrawText(surface, 80, H - 40, translator.Translate("Finish"));
    styles.ActiveLabel.DrawText(surface, MidX - W / 4, MidY - H / 4, translator.Translate("Selected_text"));
    surface.end();
    return image;
}
