#pragma once

#include <QDialog>

class TranslationManager;
class GraphSession;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The adjacency matrix as comma-separated text; applying it replaces the graph. Modal; it
// shows the matrix as it was when it was opened.
class MatrixTextWindow : public QDialog {
    Q_OBJECT
  public:
    explicit MatrixTextWindow(GraphSession& session, TranslationManager& translator,
                              QWidget* parent = nullptr);

    // Fills the memo from the document and records the state; Open does this and runs the
    // window modally. The caller ends text-placing mode first.
    void Prepare();
    int Open();
    // The memo's text as lines; a final line break does not start another line.
    QStringList Lines() const;

    QPlainTextEdit* Memo() const { return memo; }
    QPushButton* ApplyButton() const { return applyButton; }
    QPushButton* CloseButton() const { return closeButton; }

  public slots:
    void Retranslate();
    void Apply();

  private:
    GraphSession& session;
    TranslationManager& translator;
    QLabel* heading;
    QPlainTextEdit* memo;
    QPushButton* applyButton;
    QPushButton* closeButton;
};
