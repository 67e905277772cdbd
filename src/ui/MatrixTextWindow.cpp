#include "ui/MatrixTextWindow.h"

#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "files/MatrixText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

MatrixTextWindow::MatrixTextWindow(GraphSession& session, TranslationManager& translator, QWidget* parent)
    : QDialog(parent), session(session), translator(translator)
{
    setModal(true);
    heading = new QLabel(this);
    heading->setAlignment(Qt::AlignCenter);
    heading->setAutoFillBackground(true);
    QPalette pal = heading->palette();
    pal.setColor(QPalette::Window, QColor(0xA6, 0xCA, 0xF0));
    pal.setColor(QPalette::WindowText, Qt::white);
    heading->setPalette(pal);

    memo = new QPlainTextEdit(this);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    applyButton = new QPushButton(this);
    closeButton = new QPushButton(this);
    applyButton->setAutoDefault(false);
    closeButton->setAutoDefault(false);
    connect(applyButton, &QPushButton::clicked, this, &MatrixTextWindow::Apply);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(memo, 1);
    layout->addWidget(applyButton);
    layout->addWidget(closeButton);

    resize(320, 360);
    Retranslate();
    connect(&translator, &TranslationManager::languageChanged, this, &MatrixTextWindow::Retranslate);
}

void MatrixTextWindow::Retranslate()
{
    setWindowTitle(translator.Translate("Adjacency_matrix"));
    heading->setText(translator.Translate("Adjacency_matrix"));
    applyButton->setText(translator.Translate("Apply"));
    closeButton->setText(translator.Translate("Close"));
}

void MatrixTextWindow::Prepare()
{
    memo->clear();
    if (const GraphDocument* graf = session.Document())
        memo->setPlainText(graf->MatrixToMemo().join(QLatin1Char('\n')));
    session.RecordState();
}

int MatrixTextWindow::Open()
{
    Prepare();
    return exec();
}

QStringList MatrixTextWindow::Lines() const
{
    const QString text = memo->toPlainText();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

void MatrixTextWindow::Apply()
{
    GraphDocument* graf = session.Document();
    if (!graf)
        return;
    MatrixText::ApplyTextMatrix(*graf, session.Host(), Lines());
    session.Host().RefreshMatrixWindow();
    session.Host().Redraw();
    session.Host().UpdateMenus();
}
