#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTabWidget;

// "О программе": the program's information (version, makers, licence, acknowledgements) on
// one panel and the ways to reach its makers on the other.
class AboutBox : public QDialog {
    Q_OBJECT

  public:
    enum class Panel { Information, Contact };

    explicit AboutBox(QWidget* parent = nullptr);

    // The contact panel's "send to the author" button: the main window opens the feedback window.
    std::function<void()> OpenFeedback;
    // Runs the box modally; tests replace it.
    std::function<int(AboutBox&)> Exec;

    // Shows the box modally with the panel given.
    void Execute(Panel panel);
    void ShowPanel(Panel panel);
    Panel VisiblePanel() const;
    void ApplyCaptions();

    QPushButton* FeedbackButton() const { return feedbackButton; }

  private:
    QTabWidget* panels = nullptr;
    QLabel* title = nullptr;
    QLabel* facts = nullptr;
    QLabel* licence = nullptr;
    QLabel* thanksHeading = nullptr;
    QLabel* thanks = nullptr;
    QLabel* siteLink = nullptr;
    QLabel* mailLink = nullptr;
    QLabel* support = nullptr;
    QPushButton* feedbackButton = nullptr;
    QPushButton* closeButton = nullptr;
};
