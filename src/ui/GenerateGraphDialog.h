#pragma once

#include "commands/GraphGenerators.h"

#include <QDialog>
#include <QImage>
#include <functional>

class GraphSession;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

// Graph > Generate: a family and its parameters, direction, weights, seed, naming and
// layout, with a live preview of the graph it makes.
class GenerateGraphDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int PreviewWidth = 320;
    static constexpr int PreviewHeight = 240;

    explicit GenerateGraphDialog(GraphSession& session, QWidget* parent = nullptr);
    ~GenerateGraphDialog() override;

    // Shows the dialog; true when confirmed.
    bool Run();
    // How the dialog is shown modally; tests fill in the controls and confirm instead.
    std::function<int(GenerateGraphDialog&)> Exec;

    GraphGenerators::Params Chosen() const;
    void SetChosen(const GraphGenerators::Params& params);
    // The preview as it is shown now, and why the choice cannot be built (empty when it can).
    QImage Preview() const { return previewImage; }
    QString Problem() const;
    bool CanConfirm() const;

    void ApplyCaptions();

  private:
    void FamilyChanged();
    // Shows the chosen family's parameters and options, then the preview.
    void ShowFamily();
    void NamingChanged();
    void UpdatePreview();

    GraphSession& session;
    QImage previewImage;
    bool filling = false;
    // The user's own choices, kept while a family fixes them.
    bool chosenDirected = false;
    int chosenWeights = 0;

    QComboBox* familyList = nullptr;
    QLabel* firstLabel = nullptr;
    QSpinBox* firstBox = nullptr;
    QLabel* secondLabel = nullptr;
    QSpinBox* secondBox = nullptr;
    QLabel* probabilityLabel = nullptr;
    QDoubleSpinBox* probabilityBox = nullptr;
    QCheckBox* directedBox = nullptr;
    QGroupBox* weightGroup = nullptr;
    QComboBox* weightKind = nullptr;
    QSpinBox* minWeightBox = nullptr;
    QLabel* toLabel = nullptr;
    QSpinBox* maxWeightBox = nullptr;
    QLabel* seedLabel = nullptr;
    QSpinBox* seedBox = nullptr;
    QGroupBox* namingGroup = nullptr;
    QComboBox* namingKind = nullptr;
    QLabel* beginLabel = nullptr;
    QComboBox* startBox = nullptr;
    QLabel* layoutLabel = nullptr;
    QComboBox* layoutList = nullptr;
    QLabel* preview = nullptr;
    QLabel* problem = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* confirmButton = nullptr;
};
