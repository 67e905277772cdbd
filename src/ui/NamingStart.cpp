#include "ui/NamingStart.h"

#include "base/TranslationManager.h"
#include "document/VertexNaming.h"

#include <QComboBox>
#include <QSignalBlocker>

void ShowNamingStart(int kind, QComboBox& startBox, QWidget& startLabel)
{
    const QSignalBlocker blocker(&startBox);
    startBox.clear();
    if (kind == VertexNaming::Numbers) {
        for (int i = 1; i <= 10; ++i)
            startBox.addItem(QString::number(i));
        startBox.setEditable(true);
        startBox.setCurrentText(QStringLiteral("1"));
    } else if (kind == VertexNaming::Letters) {
        startBox.setEditable(false);
        for (char c = 'A'; c <= 'Z'; ++c)
            startBox.addItem(QString(QLatin1Char(c)));
        startBox.setCurrentIndex(0);
    }
    startLabel.setVisible(kind != VertexNaming::Manual);
    startBox.setVisible(kind != VertexNaming::Manual);
}

void CaptionNamingKinds(QComboBox& kinds)
{
    kinds.setItemText(VertexNaming::Numbers, Translate("Numbers"));
    kinds.setItemText(VertexNaming::Letters, Translate("Roman_alphabet"));
    kinds.setItemText(VertexNaming::Manual, Translate("Manual_setup"));
}
