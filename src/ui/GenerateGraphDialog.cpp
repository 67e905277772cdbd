#include "ui/GenerateGraphDialog.h"

#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "document/GraphDocument.h"
#include "drawing/DocumentDrawing.h"
#include "ui/DocumentPainter.h"
#include "ui/NamingStart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

using GraphGenerators::Param;

namespace {

// The preview draws the graph as the window would at this size, then halves it.
constexpr int DrawnWidth = 2 * GenerateGraphDialog::PreviewWidth;
constexpr int DrawnHeight = 2 * GenerateGraphDialog::PreviewHeight;

// Draws onto a window-sized surface without a window: the area the layout fills.
class PreviewHost : public SilentProgramHost {
  public:
    int DrawingAreaWidth() const override { return DrawnWidth; }
    int DrawingAreaHeight() const override { return DrawnHeight; }
};

QSpinBox* SpinBox(QWidget* parent, int min, int max)
{
    auto* box = new QSpinBox(parent);
    box->setRange(min, max);
    return box;
}

} // namespace

GenerateGraphDialog::GenerateGraphDialog(GraphSession& session, QWidget* parent)
    : QDialog(parent), session(session)
{
    setObjectName(QStringLiteral("GenerateGraphDialog"));
    Exec = [](GenerateGraphDialog& dialog) { return dialog.exec(); };

    familyList = new QComboBox(this);
    familyList->setObjectName(QStringLiteral("family"));
    for (const auto& info : GraphGenerators::Families())
        familyList->addItem(QString(), int(info.family));
    // Wide ranges: a value out of the family's range is explained, not silently clamped.
    firstLabel = new QLabel(this);
    firstBox = SpinBox(this, -9999, 9999);
    secondLabel = new QLabel(this);
    secondBox = SpinBox(this, -9999, 99999);
    probabilityLabel = new QLabel(this);
    probabilityBox = new QDoubleSpinBox(this);
    probabilityBox->setRange(0, 1);
    probabilityBox->setDecimals(3);
    probabilityBox->setSingleStep(0.05);
    probabilityBox->setValue(0.3);
    directedBox = new QCheckBox(this);
    directedBox->setObjectName(QStringLiteral("directed"));

    weightGroup = new QGroupBox(this);
    weightKind = new QComboBox(weightGroup);
    weightKind->addItems({QString(), QString(), QString()});
    minWeightBox = SpinBox(weightGroup, 0, GraphDocument::MaxWeight + 1);
    minWeightBox->setValue(1);
    toLabel = new QLabel(weightGroup);
    maxWeightBox = SpinBox(weightGroup, 0, GraphDocument::MaxWeight + 1);
    maxWeightBox->setValue(10);
    auto* weightRow = new QHBoxLayout(weightGroup);
    weightRow->addWidget(weightKind, 1);
    weightRow->addWidget(minWeightBox);
    weightRow->addWidget(toLabel);
    weightRow->addWidget(maxWeightBox);

    seedLabel = new QLabel(this);
    seedBox = SpinBox(this, 0, std::numeric_limits<int>::max());
    seedBox->setValue(1);

    namingGroup = new QGroupBox(this);
    namingKind = new QComboBox(namingGroup);
    namingKind->addItems({QString(), QString(), QString()});
    beginLabel = new QLabel(namingGroup);
    startBox = new QComboBox(namingGroup);
    auto* namingRow = new QHBoxLayout(namingGroup);
    namingRow->addWidget(namingKind, 1);
    namingRow->addWidget(beginLabel);
    namingRow->addWidget(startBox);

    layoutLabel = new QLabel(this);
    layoutList = new QComboBox(this);
    layoutList->addItem(QString(), -1);
    for (const auto& info : GraphLayouts::Kinds())
        layoutList->addItem(QString(), int(info.kind));

    preview = new QLabel(this);
    preview->setFixedSize(PreviewWidth, PreviewHeight);
    preview->setFrameShape(QFrame::StyledPanel);
    problem = new QLabel(this);
    problem->setWordWrap(true);
    problem->setStyleSheet(QStringLiteral("color: #b00000"));
    problem->setMaximumWidth(PreviewWidth);

    cancelButton = new QPushButton(this);
    confirmButton = new QPushButton(this);
    confirmButton->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(familyList);
    form->addRow(firstLabel, firstBox);
    form->addRow(secondLabel, secondBox);
    form->addRow(probabilityLabel, probabilityBox);
    form->addRow(directedBox);
    form->addRow(weightGroup);
    form->addRow(seedLabel, seedBox);
    form->addRow(namingGroup);
    form->addRow(layoutLabel, layoutList);
    auto* right = new QVBoxLayout;
    right->addWidget(preview);
    right->addWidget(problem);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    buttons->addWidget(confirmButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(confirmButton, &QPushButton::clicked, this, [this] {
        if (CanConfirm())
            accept();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(familyList, &QComboBox::currentIndexChanged, this, &GenerateGraphDialog::FamilyChanged);
    connect(namingKind, &QComboBox::currentIndexChanged, this, &GenerateGraphDialog::NamingChanged);
    for (QSpinBox* box : {firstBox, secondBox, minWeightBox, maxWeightBox, seedBox})
        connect(box, &QSpinBox::valueChanged, this, &GenerateGraphDialog::UpdatePreview);
    connect(probabilityBox, &QDoubleSpinBox::valueChanged, this, &GenerateGraphDialog::UpdatePreview);
    connect(directedBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!filling && directedBox->isEnabled())
            chosenDirected = on;
        UpdatePreview();
    });
    connect(weightKind, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling && weightKind->isEnabled())
            chosenWeights = index;
        UpdatePreview();
    });
    connect(startBox, &QComboBox::currentTextChanged, this, &GenerateGraphDialog::UpdatePreview);
    connect(layoutList, &QComboBox::currentIndexChanged, this, &GenerateGraphDialog::UpdatePreview);

    ApplyCaptions();
    NamingChanged();
    FamilyChanged();
}

GenerateGraphDialog::~GenerateGraphDialog() = default;

void GenerateGraphDialog::ApplyCaptions()
{
    setWindowTitle(Translate("Generate_caption"));
    int row = 0;
    for (const auto& info : GraphGenerators::Families())
        familyList->setItemText(row++, Translate(QLatin1String(info.captionKey)));
    probabilityLabel->setText(GraphGenerators::ParamText(Param::P));
    directedBox->setText(Translate("Orintgraph"));
    weightGroup->setTitle(Translate("Generate_weights"));
    weightKind->setItemText(0, Translate("Generate_weights_none"));
    weightKind->setItemText(1, Translate("Generate_weights_constant"));
    weightKind->setItemText(2, Translate("Generate_weights_random"));
    toLabel->setText(QStringLiteral(".."));
    seedLabel->setText(Translate("Generate_seed"));
    namingGroup->setTitle(Translate("Point_marks"));
    CaptionNamingKinds(*namingKind);
    beginLabel->setText(Translate("Begin_from"));
    layoutLabel->setText(Translate("Generate_layout"));
    layoutList->setItemText(0, Translate("Generate_layout_natural"));
    row = 1;
    for (const auto& info : GraphLayouts::Kinds())
        layoutList->setItemText(row++, TranslatePlain(QLatin1String(info.captionKey)));
    cancelButton->setText(Translate("Cancel"));
    confirmButton->setText(Translate("Create"));
    ShowFamily();
}

bool GenerateGraphDialog::Run()
{
    UpdatePreview();
    return Exec(*this) == QDialog::Accepted;
}

GraphGenerators::Params GenerateGraphDialog::Chosen() const
{
    GraphGenerators::Params p;
    p.family = GraphGenerators::Family(familyList->currentData().toInt());
    p.first = firstBox->value();
    p.second = secondBox->value();
    p.probability = probabilityBox->value();
    p.directed = directedBox->isChecked();
    p.weights = GraphGenerators::Weights(weightKind->currentIndex());
    p.constantWeight = minWeightBox->value();
    p.minWeight = minWeightBox->value();
    p.maxWeight = maxWeightBox->value();
    p.seed = unsigned(seedBox->value());
    p.namingKind = namingKind->currentIndex();
    p.namingStart = startBox->currentText();
    const int layout = layoutList->currentData().toInt();
    if (layout >= 0)
        p.layout = GraphLayouts::Kind(layout);
    return p;
}

void GenerateGraphDialog::SetChosen(const GraphGenerators::Params& p)
{
    filling = true;
    familyList->setCurrentIndex(familyList->findData(int(p.family)));
    firstBox->setValue(p.first);
    secondBox->setValue(p.second);
    probabilityBox->setValue(p.probability);
    chosenDirected = p.directed;
    chosenWeights = int(p.weights);
    directedBox->setChecked(p.directed || GraphGenerators::InfoOf(p.family).alwaysDirected);
    weightKind->setCurrentIndex(int(p.weights));
    minWeightBox->setValue(p.weights == GraphGenerators::Weights::Constant ? p.constantWeight : p.minWeight);
    maxWeightBox->setValue(p.maxWeight);
    seedBox->setValue(int(std::min<unsigned>(p.seed, unsigned(std::numeric_limits<int>::max()))));
    namingKind->setCurrentIndex(std::clamp(p.namingKind, 0, 2));
    startBox->setCurrentText(p.namingStart);
    layoutList->setCurrentIndex(p.layout ? layoutList->findData(int(*p.layout)) : 0);
    filling = false;
    ShowFamily();
}

QString GenerateGraphDialog::Problem() const
{
    return problem->text();
}

bool GenerateGraphDialog::CanConfirm() const
{
    return !GraphGenerators::Check(Chosen()).has_value();
}

void GenerateGraphDialog::FamilyChanged()
{
    if (filling)
        return;
    // A family chosen anew starts from its usual sizes.
    const auto& info = GraphGenerators::InfoOf(GraphGenerators::Family(familyList->currentData().toInt()));
    filling = true;
    if (info.first != Param::None)
        firstBox->setValue(info.firstDefault);
    if (info.second != Param::None)
        secondBox->setValue(info.secondDefault);
    filling = false;
    ShowFamily();
}

void GenerateGraphDialog::ShowFamily()
{
    if (filling)
        return;
    const auto& info = GraphGenerators::InfoOf(GraphGenerators::Family(familyList->currentData().toInt()));
    const bool hasFirst = info.first != Param::None, hasSecond = info.second != Param::None;
    firstLabel->setText(GraphGenerators::ParamText(info.first));
    secondLabel->setText(GraphGenerators::ParamText(info.second));
    firstLabel->setVisible(hasFirst);
    firstBox->setVisible(hasFirst);
    secondLabel->setVisible(hasSecond);
    secondBox->setVisible(hasSecond);
    probabilityLabel->setVisible(info.probability);
    probabilityBox->setVisible(info.probability);
    // A family that fixes the direction or the weights shows them fixed; the user's own choice
    // comes back with the next family that leaves them free.
    const QSignalBlocker directedBlocker(directedBox);
    const QSignalBlocker weightBlocker(weightKind);
    directedBox->setEnabled(!info.alwaysDirected);
    directedBox->setChecked(info.alwaysDirected || chosenDirected);
    // Capacities always carry weights: only a range makes sense.
    weightKind->setEnabled(!info.alwaysWeighted);
    weightKind->setCurrentIndex(info.alwaysWeighted ? int(GraphGenerators::Weights::Random) : chosenWeights);
    UpdatePreview();
}

void GenerateGraphDialog::NamingChanged()
{
    ShowNamingStart(namingKind->currentIndex(), *startBox, *beginLabel);
    UpdatePreview();
}

void GenerateGraphDialog::UpdatePreview()
{
    if (filling)
        return;
    const GraphGenerators::Params p = Chosen();
    const auto weights = GraphGenerators::Weights(weightKind->currentIndex());
    minWeightBox->setVisible(weights != GraphGenerators::Weights::None);
    toLabel->setVisible(weights == GraphGenerators::Weights::Random);
    maxWeightBox->setVisible(weights == GraphGenerators::Weights::Random);
    const bool random =
        GraphGenerators::InfoOf(p.family).random || weights == GraphGenerators::Weights::Random;
    seedLabel->setEnabled(random);
    seedBox->setEnabled(random);

    const auto refusal = GraphGenerators::Check(p);
    problem->setText(refusal.value_or(QString()));
    confirmButton->setEnabled(!refusal);
    QImage drawn(DrawnWidth, DrawnHeight, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::white);
    if (!refusal) {
        // A scratch document in the current styles; the session's own graph and naming stay.
        PreviewHost host;
        auto scratch = std::make_unique<GraphDocument>();
        scratch->MeasuresLabels = false;
        scratch->StartNewGraph(false, false);
        if (const GraphDocument* styles = session.Document()) {
            scratch->Style() = styles->Style();
            scratch->VertexSize = styles->VertexSize;
        }
        if (GraphGenerators::Generate(*scratch, host, p)) {
            scratch->ExtentWidth = std::min(scratch->ExtentWidth, DrawnWidth);
            scratch->ExtentHeight = std::min(scratch->ExtentHeight, DrawnHeight);
            QImage surface = MakeSurface(DrawnWidth, DrawnHeight, 1);
            DrawAll(*scratch, surface);
            drawn = surface;
        }
    }
    previewImage = drawn.scaled(PreviewWidth, PreviewHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    preview->setPixmap(QPixmap::fromImage(previewImage));
}
