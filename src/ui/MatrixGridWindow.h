#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>

class TranslationManager;
class GraphSession;
class QLineEdit;

// The grid of the matrix window: discarding an open cell editor without committing it, so
// that a refresh is not overwritten by text typed before it.
class MatrixTable : public QTableWidget {
    Q_OBJECT
  public:
    using QTableWidget::QTableWidget;
    void DiscardEditor();
};

// The adjacency matrix as an editable grid in a small tool window on top of the main window.
// Columns are tails, rows are heads; a cell is applied to the graph, as one undo step, when
// its editing ends (Enter, another cell, leaving the grid); a refused value changes nothing.
class MatrixGridWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MatrixGridWindow(GraphSession& session, TranslationManager& translator,
                              QWidget* parent = nullptr);

    // Refills the grid from the document and sets the caption line to "Matrix_smg".
    void Refresh();
    // Refills the grid and shows the given caption line.
    void Refresh(const QString& captionLine);
    void SetCaptionLine(const QString& text);
    QString CaptionLine() const;

    // Where the window goes when it is first placed: beside the main window's right edge at
    // its top, else beside its left edge, else at the screen's right edge; always within the
    // screen's available area.
    static QPoint InitialPosition(const QRect& mainWindow, const QSize& ownSize, const QRect& screen);
    void PlaceBeside(const QRect& mainWindow);

    MatrixTable* Grid() const { return grid; }

  public slots:
    void Retranslate();

  signals:
    // Shown or closed by any means; the main window keeps its menu item caption with it.
    void visibilityChanged(bool visible);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    friend class MatrixCellDelegate;
    void CellCommitted(int column, int row, const QString& text);
    void FillGrid();
    // A caption line by key, said again in the new language when the language changes.
    void SetCaptionKey(const char* key);

    GraphSession& session;
    TranslationManager& translator;
    QLabel* captionLine;
    QString captionKey; // empty while the line shows a text of no key
    MatrixTable* grid;
    // The grid's texts as the core sees them: cells[row][column], row/column 0 the names.
    QList<QStringList> cells;
};
