#include "ui/MapScaleDialog.h"

#include "base/TranslationManager.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

MapScaleDialog::MapScaleDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ScaleDialog"));
    field = new QLineEdit(this);
    prompt = new QLabel(this);
    explanation = new QLabel(this);
    note = new QLabel(this);
    picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/map-mode.svg")).pixmap(32, 32));
    applyButton = new QPushButton(this);
    cancelButton = new QPushButton(this);
    applyButton->setDefault(true);
    connect(applyButton, &QPushButton::clicked, this, &MapScaleDialog::Apply);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(prompt, 0, 1);
    grid->addWidget(field, 0, 2);
    grid->addWidget(explanation, 1, 1, 1, 2);
    grid->addWidget(note, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    ApplyCaptions();
}

void MapScaleDialog::ApplyCaptions()
{
    setWindowTitle(Translate("ScaleMapMode"));
    prompt->setText(Translate("Setup_scale"));
    explanation->setText(Translate("_10pixels_"));
    note->setText(Translate("_int_"));
    field->setToolTip(Translate("10pixes"));
    applyButton->setText(Translate("Apply"));
    cancelButton->setText(Translate("Cancel"));
}

int MapScaleDialog::Edit(int zoomMap)
{
    value = zoomMap;
    field->setText(QString::number(zoomMap));
    // Centred on the main window: at its laid-out size, not the size before the first show.
    adjustSize();
    if (parentWidget())
        move(parentWidget()->window()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    exec();
    return value;
}

void MapScaleDialog::Apply()
{
    // No range check: 0 and negative scales are accepted.
    bool isNumber = false;
    const int typed = field->text().trimmed().toInt(&isNumber);
    if (isNumber)
        value = typed;
    accept();
}
