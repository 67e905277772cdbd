#include "base/MemoryReuse.h"
#include "cli/CliCommands.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

// stderr carries the message boxes of the run and nothing else; the toolkit's own
// diagnostics (missing runtime folders and the like) would break scripts that read it.
void DropToolkitDiagnostics(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char* argv[])
{
    KeepFreedMemoryForReuse();
    // Labels are measured with fonts, which needs a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(DropToolkitDiagnostics);
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(NODELOOM_VERSION));
    return CliCommands::Run(app.arguments().mid(1));
}
