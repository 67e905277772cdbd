// File › Import and Export: the field's common graph formats and PDF.
#include "base/TranslationManager.h"
#include "commands/GraphFileCommands.h"
#include "drawing/Canvas.h"
#include "files/ExchangeFormats.h"
#include "ui/MainWindow.h"

#include <QFileInfo>

namespace {

QString UnknownFormat(const QString& fileName)
{
    return Translate("Exchange_unknown_format").arg(QFileInfo(fileName).fileName());
}

} // namespace

void MainWindow::ImportCommand()
{
    if (!session->RequireDocument() || !MayDiscardWork())
        return;
    LeaveTextMode();
    const QString file = ChooseFile(FileDialog::ImportGraph);
    if (file.isEmpty())
        return;
    const ExchangeFormats::Format format = ExchangeFormats::ImportFormatOfFile(file);
    // A ".txt" that holds the program's own graph is opened as such.
    if (format == ExchangeFormats::Format::Unknown &&
        ExchangeFormats::FormatOfFile(file) != ExchangeFormats::Format::Unknown) {
        OpenGraphFile(file);
        return;
    }
    if (format == ExchangeFormats::Format::Unknown) {
        Host().ShowError(UnknownFormat(file));
        return;
    }
    if (GraphFileCommands::ImportGraphFile(*session, file, format))
        ClearResultPanes();
    UpdateScrollBars();
    RefreshRecentMenu();
    Redraw();
}

void MainWindow::ExportCommand()
{
    GraphDocument* g = Document();
    if (!session->RequireDocument() || !g)
        return;
    LeaveTextMode();
    QString file = ChooseFile(FileDialog::ExportGraph);
    if (file.isEmpty())
        return;
    // A name without an extension is written in the chosen filter's format.
    const QString extension = FileFilters::FirstExtension(ChosenFilter);
    if (QFileInfo(file).suffix().isEmpty() && !extension.isEmpty())
        file += QLatin1Char('.') + extension;
    QString error;
    bool saved = false;
    if (file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        saved = SaveDocumentPdf(*g, CanvasSize(), file, &error);
    } else {
        const ExchangeFormats::Format format = ExchangeFormats::FormatOfFile(file);
        if (format == ExchangeFormats::Format::Unknown) {
            Host().ShowError(UnknownFormat(file));
            return;
        }
        FileError failure;
        saved = ExchangeFormats::ExportGraph(*g, file, format, &failure);
        error = failure.Text();
    }
    if (!saved)
        Host().ShowError(Translate("Happend_error") + QLatin1Char('\r') + file + QStringLiteral(": ") +
                         error);
}
