#pragma once

#include <QImage>
#include <QWidget>

class MainWindow;

// The rectangle the graph is shown in. It never draws the document itself: it shows the
// last copy of the off-screen canvas and hands mouse and key events to the main window.
class DrawingArea : public QWidget {
    Q_OBJECT

  public:
    explicit DrawingArea(MainWindow& window, QWidget* parent = nullptr);

    // Shows a surface whose point `origin` (canvas units) lands on the area's corner, each
    // canvas unit `zoom` pixels wide.
    void Present(const QImage& surface, const QPoint& origin, qreal zoom = 1.0);
    void Clear();
    // What is on screen now, in device pixels.
    const QImage& Shown() const { return shown; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    MainWindow& window;
    QImage shown;
};
