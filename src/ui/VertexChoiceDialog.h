#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The vertex-choice dialog: one vertex picked by name from a list.
class VertexChoiceDialog : public QDialog {
    Q_OBJECT

  public:
    explicit VertexChoiceDialog(QWidget* parent = nullptr);

    // Shows the names with the proposed entry selected; true only when confirmed with an
    // entry selected, index then holds it.
    bool Choose(const QString& caption, const QStringList& names, int& index);
    void ApplyCaptions();

  private:
    QLabel* prompt = nullptr;
    QComboBox* list = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};
