#pragma once

#include "document/ElementStyles.h"

#include <QDialog>
#include <QImage>

class TranslationManager;
class GraphDocument;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

// What the view settings dialog edits, as working copies: the look of vertices and arcs and
// the two label fonts.
struct ViewStyles : DrawingStyle {
    TextStyle NormalLabel, ActiveLabel;
};

// A small filled circle showing a colour; releasing the mouse on it offers the colour dialog.
class ColorSwatch : public QWidget {
    Q_OBJECT
  public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    // 0x00BBGGRR, as the styles keep it.
    int Color() const { return color; }
    void SetColor(int value);
    QSize sizeHint() const override { return {24, 24}; }

  signals:
    void colorChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int color = 0;
};

// The view settings: colours of vertices, arcs and labels, vertex size, arc width and label
// fonts, with a preview. Saving changes the document only; the settings file takes the new
// styles at its next save.
class ViewSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int PreviewWidth = 258;
    static constexpr int PreviewHeight = 353;

    explicit ViewSettingsDialog(TranslationManager& translator, QWidget* parent = nullptr);

    // The view settings command: loads the dialog from the document, shows it modally and on
    // "Save" gives the document the styles and resizes every vertex. True when saved; the
    // caller redraws.
    bool Execute(GraphDocument& graf);

    // The preview picture of five vertices, four arcs and three labels in the given styles.
    static QImage RenderPreview(const ViewStyles& styles, TranslationManager& translator);

    const ViewStyles& WorkingCopies() const { return styles; }
    QImage PreviewImage() const { return preview; }

    enum SwatchRole {
        VertexLine,
        VertexFill,
        VertexText,
        ArcLine,
        ArcText,
        LabelText,
        LabelBackground,
        SwatchRoles
    };
    ColorSwatch* Swatch(SwatchRole role, bool active) const { return swatches[role][active ? 1 : 0]; }
    QSlider* VertexSizeSlider() const { return vertexSize; }
    QSlider* ArcWidthSlider() const { return arcWidth; }
    QPushButton* FontButton(bool active) const { return fontButtons[active ? 1 : 0]; }
    QPushButton* SaveButton() const { return saveButton; }
    QPushButton* CancelButton() const { return cancelButton; }

    // Stores a font dialog's choice in a label style: face, style bits and a size in 8..48.
    static void TakeFont(TextStyle& label, const QFont& font);

  public slots:
    void Retranslate();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void LoadFrom(GraphDocument& graf);
    void StoreInto(GraphDocument& graf);
    // Controls into the working copies, then the preview.
    void ControlsChanged();
    void ChooseFont(bool active);

    TranslationManager& translator;
    ViewStyles styles;
    QImage preview;

    ColorSwatch* swatches[SwatchRoles][2] = {};
    QSlider* vertexSize;
    QSlider* arcWidth;
    QPushButton* fontButtons[2] = {};
    QPushButton* saveButton;
    QPushButton* cancelButton;
    QLabel* previewBox;
    QLabel* previewCaption;
    QGroupBox* vertexGroup;
    QGroupBox* arcGroup;
    QGroupBox* labelGroup;
    QLabel* vertexSizeCaption;
    QLabel* arcWidthCaption;
    QList<QPair<QLabel*, const char*>> captions;
};
