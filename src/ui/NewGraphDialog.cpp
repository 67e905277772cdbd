#include "ui/NewGraphDialog.h"

#include "base/TranslationManager.h"
#include "commands/GraphGenerators.h"
#include "commands/GraphSession.h"
#include "drawing/DocumentDrawing.h"
#include "ui/DocumentPainter.h"
#include "ui/NamingStart.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewGraphDialog::NewGraphDialog(GraphSession& session, QWidget* parent)
    : QDialog(parent), session(session), previewDocument(std::make_unique<GraphDocument>())
{
    setObjectName(QStringLiteral("NewGraphDialog"));
    previewDocument->StartNewGraph(false, false);
    Exec = [](NewGraphDialog& dialog) { return dialog.exec(); };

    typeGroup = new QGroupBox(this);
    directedBox = new QCheckBox(typeGroup);
    weightedBox = new QCheckBox(typeGroup);
    auto* typeLayout = new QVBoxLayout(typeGroup);
    typeLayout->addWidget(directedBox);
    typeLayout->addWidget(weightedBox);

    namingGroup = new QGroupBox(this);
    kindList = new QComboBox(namingGroup);
    kindList->addItems({QString(), QString(), QString()});
    beginLabel = new QLabel(namingGroup);
    startBox = new QComboBox(namingGroup);
    auto* namingLayout = new QVBoxLayout(namingGroup);
    namingLayout->addWidget(kindList);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(beginLabel);
    startRow->addWidget(startBox, 1);
    namingLayout->addLayout(startRow);

    preview = new QLabel(this);
    preview->setFixedSize(PreviewWidth, PreviewHeight);
    preview->setFrameShape(QFrame::StyledPanel);

    cancelButton = new QPushButton(this);
    confirmButton = new QPushButton(this);
    confirmButton->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(typeGroup);
    left->addWidget(namingGroup);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(preview, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    buttons->addWidget(confirmButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(confirmButton, &QPushButton::clicked, this, &NewGraphDialog::Confirm);
    connect(cancelButton, &QPushButton::clicked, this, &NewGraphDialog::reject);
    connect(directedBox, &QCheckBox::toggled, this, &NewGraphDialog::DrawPreview);
    connect(weightedBox, &QCheckBox::toggled, this, &NewGraphDialog::DrawPreview);
    connect(kindList, &QComboBox::currentIndexChanged, this, &NewGraphDialog::KindChanged);
    connect(startBox, &QComboBox::currentTextChanged, this, &NewGraphDialog::DrawPreview);

    ApplyCaptions();
    kindList->setCurrentIndex(0);
    KindChanged();
}

NewGraphDialog::~NewGraphDialog() = default;

void NewGraphDialog::ApplyCaptions()
{
    setWindowTitle(Translate("CreatingGraf"));
    typeGroup->setTitle(Translate("Graph_type"));
    directedBox->setText(Translate("Orintgraph"));
    weightedBox->setText(Translate("weighted_graph"));
    namingGroup->setTitle(Translate("Point_marks"));
    CaptionNamingKinds(*kindList);
    beginLabel->setText(Translate("Begin_from"));
    cancelButton->setText(Translate("Cancel"));
    confirmButton->setText(Translate(confirmKey));
    DrawPreview();
}

bool NewGraphDialog::Run(const QString& key)
{
    // Kept, so that a change of language re-captions the button too.
    confirmKey = key;
    confirmButton->setText(Translate(confirmKey));
    const bool confirmed = Exec(*this) == QDialog::Accepted;
    shownNaming.reset();
    return confirmed;
}

void NewGraphDialog::ShowGraph(bool directed, bool weighted, const VertexNaming& naming)
{
    SetDirected(directed);
    SetWeighted(weighted);
    SetKind(naming.GetKind());
    if (naming.GetKind() == VertexNaming::Numbers)
        SetStartText(QString::number(naming.FirstNumber()));
    else if (naming.GetKind() == VertexNaming::Letters)
        SetStartText(QString(QChar(naming.FirstLetter())).toUpper());
    shownNaming = std::pair(Kind(), StartText());
}

bool NewGraphDialog::Directed() const
{
    return directedBox->isChecked();
}
bool NewGraphDialog::Weighted() const
{
    return weightedBox->isChecked();
}
void NewGraphDialog::SetDirected(bool on)
{
    directedBox->setChecked(on);
}
void NewGraphDialog::SetWeighted(bool on)
{
    weightedBox->setChecked(on);
}
void NewGraphDialog::SetKind(int kind)
{
    kindList->setCurrentIndex(std::clamp(kind, 0, 2));
}
int NewGraphDialog::Kind() const
{
    return kindList->currentIndex();
}
void NewGraphDialog::SetStartText(const QString& text)
{
    startBox->setCurrentText(text);
}
QString NewGraphDialog::StartText() const
{
    return startBox->currentText();
}
void NewGraphDialog::SetCancelVisible(bool visible)
{
    cancelButton->setVisible(visible);
}
bool NewGraphDialog::CancelVisible() const
{
    return !cancelButton->isHidden();
}
QString NewGraphDialog::ConfirmCaption() const
{
    return confirmButton->text();
}
QImage NewGraphDialog::Preview() const
{
    return preview->pixmap().toImage();
}

void NewGraphDialog::KindChanged()
{
    ShowNamingStart(Kind(), *startBox, *beginLabel);
    DrawPreview();
}

void NewGraphDialog::ApplyNaming(VertexNaming& naming) const
{
    GraphGenerators::ApplyNamingChoice(naming, Kind(), StartText());
}

void NewGraphDialog::DrawPreview()
{
    // A scratch document of two vertices joined by one arc, in the current styles.
    const GraphDocument& styles = session.HasDocument() ? *session.Document() : *previewDocument;
    auto scratch = std::make_unique<GraphDocument>();
    VertexNaming naming;
    ApplyNaming(naming);
    if (Kind() == VertexNaming::Manual) {
        naming.SetManualName(1, Translate("Fisrt_create_garf"));
        naming.SetManualName(2, Translate("Second_create_garf"));
    }
    scratch->StartNewGraph(Directed(), Weighted());
    scratch->UseNaming(&naming);
    scratch->Style() = styles.Style();
    scratch->NormalLabelStyle = styles.NormalLabelStyle;
    scratch->ActiveLabelStyle = styles.ActiveLabelStyle;
    scratch->VertexSize = styles.VertexSize;
    const int r = styles.VertexSize;
    scratch->AddVertex(30, PreviewHeight - 30, naming.NameOf(1), 1, r);
    scratch->AddVertex(PreviewWidth - 30, 30, naming.NameOf(2), 2, r);
    scratch->AddArc(1, 2, 10);
    scratch->ExtentWidth = PreviewWidth;
    scratch->ExtentHeight = PreviewHeight;
    QImage surface = MakeSurface(PreviewWidth, PreviewHeight, devicePixelRatioF());
    DrawAll(*scratch, surface);
    preview->setPixmap(QPixmap::fromImage(surface));
}

void NewGraphDialog::Confirm()
{
    confirmedOnce = true;
    if (!shownNaming || *shownNaming != std::pair(Kind(), StartText()))
        ApplyNaming(session.Naming());
    accept();
}

void NewGraphDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        DrawPreview();
}

void NewGraphDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    DrawPreview();
}
