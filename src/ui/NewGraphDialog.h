#pragma once

#include "commands/NewGraphCommands.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class GraphSession;
class GraphDocument;
class VertexNaming;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The new-graph dialog: the kind of the graph, its naming scheme and a live preview.
// Until a first graph was confirmed it cannot be closed any other way.
class NewGraphDialog : public QDialog, public NewGraphPrompt {
    Q_OBJECT

  public:
    static constexpr int PreviewWidth = 108;
    static constexpr int PreviewHeight = 145;

    explicit NewGraphDialog(GraphSession& session, QWidget* parent = nullptr);
    ~NewGraphDialog() override;

    // NewGraphPrompt
    bool Run(const QString& key) override;
    bool Directed() const override;
    bool Weighted() const override;
    void ShowGraph(bool directed, bool weighted, const VertexNaming& naming) override;

    // How the dialog is shown modally; tests fill in the controls and confirm instead.
    std::function<int(NewGraphDialog&)> Exec;

    void SetDirected(bool on);
    void SetWeighted(bool on);
    // 0 numbers, 1 letters, 2 typed by hand.
    void SetKind(int kind);
    int Kind() const;
    void SetStartText(const QString& text);
    QString StartText() const;
    void SetCancelVisible(bool visible);
    bool CancelVisible() const;
    bool ConfirmedOnce() const { return confirmedOnce; }
    QString ConfirmCaption() const;

    // Applies the chosen naming to a naming object as the confirm button does.
    void ApplyNaming(VertexNaming& naming) const;
    // The preview picture as it is shown now.
    QImage Preview() const;
    // The private document that gives the preview its styles before any graph exists.
    GraphDocument& PreviewDocument() { return *previewDocument; }

    void ApplyCaptions();

  public slots:
    void Confirm();

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void KindChanged();
    void DrawPreview();

    GraphSession& session;
    std::unique_ptr<GraphDocument> previewDocument;
    bool confirmedOnce = false;
    // The naming choice as ShowGraph put it up: confirmed unchanged, the graph's own naming
    // (a start the dialog cannot show, small letters) stays as it is.
    std::optional<std::pair<int, QString>> shownNaming;

    QGroupBox* typeGroup = nullptr;
    QCheckBox* directedBox = nullptr;
    QCheckBox* weightedBox = nullptr;
    QGroupBox* namingGroup = nullptr;
    QComboBox* kindList = nullptr;
    QLabel* beginLabel = nullptr;
    QComboBox* startBox = nullptr;
    QLabel* preview = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* confirmButton = nullptr;
    QString confirmKey = QStringLiteral("Create");
};
