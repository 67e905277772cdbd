#include "ui/Appearance.h"

#include <QApplication>
#include <QFontMetrics>
#include <QProxyStyle>
#include <QScreen>
#include <QToolTip>
#include <QWidget>
#include <algorithm>

namespace {

class HintStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay)
            return 300;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void ApplyHintAppearance(QApplication& application)
{
    application.setStyle(new HintStyle);
    QPalette hints = QToolTip::palette();
    // 0x2FBDED in the 0x00BBGGRR form.
    hints.setColor(QPalette::ToolTipBase, QColor(0xED, 0xBD, 0x2F));
    hints.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(hints);
}

void WidenForTitle(QWidget& dialog)
{
    // Title bars often use a larger or bold face than the dialog: a quarter more, and room
    // for the icon and three buttons.
    const int title = QFontMetrics(dialog.font()).horizontalAdvance(dialog.windowTitle()) * 5 / 4 + 140;
    int width = std::max(dialog.minimumWidth(), title);
    if (const QScreen* screen = dialog.screen())
        width = std::min(width, screen->availableGeometry().width());
    dialog.setMinimumWidth(width);
}
