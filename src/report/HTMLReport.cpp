#include "report/HTMLReport.h"

#include "base/ProgramPaths.h"
#include "base/WholeFile.h"

void HTMLReportManager::AddBoldLine(const QString& text)
{
    Content += QStringLiteral("<b>") + Escape(text) + QStringLiteral("</b><br>");
}

void HTMLReportManager::AddLine(const QString& text)
{
    Content += Escape(text) + QStringLiteral("<br>");
}

void HTMLReportManager::AddText(const QString& text)
{
    Content += Escape(text);
}

void HTMLReportManager::AddCell(const QString& text)
{
    BeginCell();
    AddText(text);
    EndCell();
}

QString HTMLReportManager::GetFileName() const
{
    return ProgramPaths::ReportFolder() + QStringLiteral("/reportTemp.html");
}

bool HTMLReportManager::SaveToFile(QString* error) const
{
    // A scratch file rewritten by every run, so a run never waits for it to reach the disk;
    // every write is still checked, so a full disk is reported and never leaves half a page.
    // Readable by others too, like every page the program saves.
    return WriteWholeFile(GetFileName(), (Content + QStringLiteral("\r\n")).toUtf8(), error,
                          {.syncToDisk = false, .readableByOthers = true});
}

QString HTMLReportManager::Escape(const QString& text)
{
    // Only the characters that could open markup or end an attribute; ordinary names and
    // every built-in text pass unchanged, so the report stays the same bytes for them.
    return text.toHtmlEscaped();
}
