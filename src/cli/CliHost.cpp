#include "cli/CliHost.h"

#include "cli/CliSession.h"

#include "document/GraphDocument.h"
#include "drawing/DocumentDrawing.h"

#include <cstdio>

void CliHost::ShowMessage(MessageKind, const QString& text)
{
    messages.append(text);
    // A name inside a message may hold anything; no escape sequence of it reaches the terminal.
    Print(stderr, QStringLiteral("message: ") + MessageLines(EscapeControls(text)) + QLatin1Char('\n'));
    std::fflush(stderr);
}

QString CliHost::MessageLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

QImage CliHost::Picture()
{
    if (picture.isNull() && document)
        picture = RenderCanvas(*document, document->CanvasSize(DrawingArea()));
    return picture;
}
