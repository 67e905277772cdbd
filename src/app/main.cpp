#include "base/MemoryReuse.h"
#include "base/TranslationManager.h"
#include "ui/Appearance.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

int main(int argc, char* argv[])
{
    KeepFreedMemoryForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(NODELOOM_VERSION));
    // The desktop entry's name, so that the window system ties the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.nodeloom.Nodeloom"));
    ApplyHintAppearance(app);

    // "nodeloom FILE" opens that graph, as a file manager asks it to.
    // The help text in the user's language; the settings choose the window's language later.
    TranslateManager().LoadLanguage(TranslationManager::DefaultLanguageFile());
    QCommandLineParser arguments;
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("FILE"), Translate(QStringLiteral("Start_file_argument")));
    arguments.process(app);

    MainWindow window;
    // Absolute, so that the recent-file list still finds it from another folder.
    if (!arguments.positionalArguments().isEmpty())
        window.SetStartFile(QFileInfo(arguments.positionalArguments().constFirst()).absoluteFilePath());
    window.show();
    return app.exec();
}
