#include "ui/NamingStart.h"

#include "base/TranslateManager.h"
#include "document/TitleGraf.h"

#include <QComboBox>
#include <QSignalBlocker>

void ShowNamingStart(int kind, QComboBox& startBox, QWidget& startLabel)
{
    const QSignalBlocker blocker(&startBox);
    startBox.clear();
    if (kind == CTitleGraf::Numbers) {
        for (int i = 1; i <= 10; ++i)
            startBox.addItem(QString::number(i));
        startBox.setEditable(true);
        startBox.setCurrentText(QStringLiteral("1"));
    } else if (kind == CTitleGraf::Letters) {
        startBox.setEditable(false);
        for (char c = 'A'; c <= 'Z'; ++c)
            startBox.addItem(QString(QLatin1Char(c)));
        startBox.setCurrentIndex(0);
    }
    startLabel.setVisible(kind != CTitleGraf::Manual);
    startBox.setVisible(kind != CTitleGraf::Manual);
}

void CaptionNamingKinds(QComboBox& kinds)
{
    kinds.setItemText(CTitleGraf::Numbers, Translate("Numbers"));
    kinds.setItemText(CTitleGraf::Letters, Translate("Roman_alphabet"));
    kinds.setItemText(CTitleGraf::Manual, Translate("Manual_setup"));
}
