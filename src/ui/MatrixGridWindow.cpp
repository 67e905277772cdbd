#include "ui/MatrixGridWindow.h"

#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "document/MatrixGrid.h"
#include "document/UndoHistory.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QColor SkyBlue(0xA6, 0xCA, 0xF0);
const QColor DiagonalGrey(0xC0, 0xC0, 0xC0);
} // namespace

void MatrixTable::DiscardEditor()
{
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex()))
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// Grey diagonal, the key filter, and the cell handed to the window when its editing ends.
class MatrixCellDelegate : public QStyledItemDelegate {
  public:
    explicit MatrixCellDelegate(MatrixGridWindow& form) : QStyledItemDelegate(&form), form(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.row() == index.column()) {
            painter->save();
            painter->fillRect(option.rect, DiagonalGrey);
            painter->restore();
        }
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        // Pasted text never reaches the key filter.
        editor->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), editor));
        return editor;
    }

    // A cell is applied once, when its editing ends, never digit by digit.
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (const auto* line = qobject_cast<QLineEdit*>(editor))
            form.CellCommitted(index.column() + 1, index.row() + 1, line->text());
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // Delete is an editing key, not a typed character, though X11 gives it the DEL code.
            const QString text = key->key() == Qt::Key_Delete ? QString() : key->text();
            if (!text.isEmpty() && !MatrixGrid::IsAcceptedKey(text.front()))
                return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    MatrixGridWindow& form;
};

MatrixGridWindow::MatrixGridWindow(GraphSession& session, TranslationManager& translator, QWidget* parent)
    // A tool window stays above the main window it belongs to, but not above other programs
    // or the dialogs the main window opens, which it would cover.
    : QWidget(parent, Qt::Tool), session(session), translator(translator)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, SkyBlue);
    setPalette(pal);
    setAutoFillBackground(true);

    captionLine = new QLabel(this);
    grid = new MatrixTable(this);
    grid->setItemDelegate(new MatrixCellDelegate(*this));
    grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->setFocusPolicy(Qt::ClickFocus);
    grid->setShowGrid(true);
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()}) {
        header->setMinimumSectionSize(20);
        header->setDefaultSectionSize(20);
        header->setSectionsClickable(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(captionLine);
    layout->addWidget(grid, 1);

    resize(306, 283);
    SetCaptionKey("Start_point");
    Retranslate();
    connect(&translator, &TranslationManager::languageChanged, this, &MatrixGridWindow::Retranslate);
    FillGrid();
}

void MatrixGridWindow::Retranslate()
{
    setWindowTitle(translator.Translate("Adjacency_matrix"));
    // The line keeps saying what it said, now in the new language.
    if (!captionKey.isEmpty())
        captionLine->setText(translator.Translate(captionKey));
}

void MatrixGridWindow::SetCaptionLine(const QString& text)
{
    captionKey.clear();
    captionLine->setText(text);
}

void MatrixGridWindow::SetCaptionKey(const char* key)
{
    captionKey = QLatin1String(key);
    captionLine->setText(translator.Translate(captionKey));
}

QString MatrixGridWindow::CaptionLine() const
{
    return captionLine->text();
}

void MatrixGridWindow::Refresh()
{
    FillGrid();
    SetCaptionKey("Matrix_smg");
}

void MatrixGridWindow::Refresh(const QString& text)
{
    FillGrid();
    SetCaptionLine(text);
}

void MatrixGridWindow::FillGrid()
{
    grid->DiscardEditor();
    cells.clear();
    if (const GraphDocument* graf = session.Document())
        MatrixGrid::MatrixToGrid(*graf, cells);
    const int n = cells.isEmpty() ? 0 : int(cells.size()) - 1;

    grid->setUpdatesEnabled(false);
    grid->setRowCount(n);
    grid->setColumnCount(n);
    for (int k = 1; k <= n; ++k) {
        grid->setHorizontalHeaderItem(k - 1, new QTableWidgetItem(cells[0][k]));
        grid->setVerticalHeaderItem(k - 1, new QTableWidgetItem(cells[k][0]));
    }
    for (int row = 1; row <= n; ++row)
        for (int column = 1; column <= n; ++column) {
            QTableWidgetItem* item = grid->item(row - 1, column - 1);
            if (!item) {
                item = new QTableWidgetItem;
                grid->setItem(row - 1, column - 1, item);
            }
            item->setText(cells[row][column]);
            // Diagonal cells are never selected: no loops to edit there.
            item->setFlags(row == column ? Qt::NoItemFlags
                                         : Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        }
    // Wide enough for the largest weight and for each column's name, within reason.
    const QFontMetrics cellMetrics(grid->font());
    const QFontMetrics headerMetrics(grid->horizontalHeader()->font());
    const int digits = cellMetrics.horizontalAdvance(QStringLiteral("99999"));
    for (int k = 1; k <= n; ++k)
        grid->setColumnWidth(
            k - 1, std::clamp(std::max(digits, headerMetrics.horizontalAdvance(cells[0][k])) + 10, 20, 160));
    grid->setUpdatesEnabled(true);
}

void MatrixGridWindow::CellCommitted(int column, int row, const QString& text)
{
    GraphDocument* graf = session.Document();
    const int n = int(cells.size()) - 1;
    if (!graf || column > n || row > n || text == cells[row][column])
        return;
    auto before = session.Snapshot();
    QList<QStringList> edited = cells;
    const bool applied = MatrixGrid::EditCell(*graf, edited, column, row, text);
    const bool changed = applied && !(*before == *UndoHistory::TakeSnapshot(*graf));
    if (changed) {
        session.History().Record(std::move(before));
        graf->ClearHighlighting();
    }
    // The grid shows the graph as it now is: the value it took, or the old one after a refusal.
    MatrixGrid::MatrixToGrid(*graf, cells);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) {
            QTableWidgetItem* item = grid->item(r - 1, c - 1);
            if (item && item->text() != cells[r][c])
                item->setText(cells[r][c]);
        }
    if (changed)
        session.Host().Redraw();
    session.Host().UpdateMenus();
    SetCaptionKey(applied ? "Matrix_smg" : "Matrix_smg_uncorrect");
}

QPoint MatrixGridWindow::InitialPosition(const QRect& mainWindow, const QSize& ownSize, const QRect& screen)
{
    int x = mainWindow.right() + 1;
    if (x + ownSize.width() > screen.right() + 1 && mainWindow.left() - ownSize.width() >= screen.left())
        x = mainWindow.left() - ownSize.width();
    // Where neither side has room it overlaps the main window at the screen's edge; a window
    // larger than the screen shows its top-left corner, where its title bar is.
    x = std::max(screen.left(), std::min(x, screen.right() + 1 - ownSize.width()));
    const int y = std::max(screen.top(), std::min(mainWindow.top(), screen.bottom() + 1 - ownSize.height()));
    return {x, y};
}

void MatrixGridWindow::PlaceBeside(const QRect& mainWindow)
{
    QScreen* screen = QGuiApplication::screenAt(mainWindow.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : mainWindow;
    move(InitialPosition(mainWindow, frameGeometry().size(), available));
}

void MatrixGridWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        emit visibilityChanged(true);
}

void MatrixGridWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit visibilityChanged(false);
}
