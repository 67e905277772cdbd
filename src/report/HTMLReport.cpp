#include "report/HTMLReport.h"

#include "base/ProgramPaths.h"

#include <QFile>
#include <QTemporaryFile>
#include <filesystem>

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
    // A scratch file rewritten by every run: written beside the target and renamed over it,
    // so a reader never sees half of it, but not forced to the disk, so a run never waits
    // on it.
    const QString target = GetFileName();
    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    const QByteArray bytes = (Content + QStringLiteral("\r\n")).toUtf8();
    // Readable by others too, like every page the program saves.
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::ReadOther)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.close();
    std::error_code failure;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
                            QFile::encodeName(target).toStdString(), failure);
    if (failure) {
        if (error)
            *error = QString::fromLocal8Bit(failure.message());
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

QString HTMLReportManager::Escape(const QString& text)
{
    // Only the characters that could open markup or end an attribute; ordinary names and
    // every built-in text pass unchanged, so the report stays the same bytes for them.
    return text.toHtmlEscaped();
}
