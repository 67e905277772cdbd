#include "ui/VertexChoiceDialog.h"

#include "base/TranslationManager.h"
#include "ui/Appearance.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VertexChoiceDialog::VertexChoiceDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("VertexChoiceDialog"));
    prompt = new QLabel(this);
    list = new QComboBox(this);
    list->setMinimumWidth(180);
    okButton = new QPushButton(this);
    cancelButton = new QPushButton(this);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(list);
    layout->addLayout(buttons);
    ApplyCaptions();
}

void VertexChoiceDialog::ApplyCaptions()
{
    setWindowTitle(Translate("Select_form_caption"));
    prompt->setText(Translate("Select_form_caption"));
    okButton->setText(Translate("OK"));
    cancelButton->setText(Translate("Cancel"));
}

bool VertexChoiceDialog::Choose(const QString& caption, const QStringList& names, int& index)
{
    list->clear();
    list->addItems(names);
    list->setCurrentIndex(names.isEmpty() ? -1 : std::clamp(index, 0, int(names.size()) - 1));
    setWindowTitle(caption);
    WidenForTitle(*this);
    if (exec() != QDialog::Accepted || list->currentIndex() < 0)
        return false;
    index = list->currentIndex();
    return true;
}
