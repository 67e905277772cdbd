#include "ui/Appearance.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ApplyHintAppearance(app);
    TForm1 window;
    window.show();
    return app.exec();
}
