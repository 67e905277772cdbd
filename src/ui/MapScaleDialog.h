#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The map scale dialog: how many length units 10 pixels of the drawing stand for.
class MapScaleDialog : public QDialog {
    Q_OBJECT

  public:
    explicit MapScaleDialog(QWidget* parent = nullptr);

    // Shows the scale modally; a typed integer replaces it on "Apply", anything else is ignored.
    int Edit(int zoomMap);
    QLineEdit* Field() const { return field; }
    // "Apply": the typed integer, if it is one, becomes the result.
    void Apply();
    int Value() const { return value; }
    void ApplyCaptions();

  private:
    QLineEdit* field = nullptr;
    QLabel* prompt = nullptr;
    QLabel* explanation = nullptr;
    QLabel* note = nullptr;
    QLabel* picture = nullptr;
    QPushButton* applyButton = nullptr;
    QPushButton* cancelButton = nullptr;
    int value = 10;
};
