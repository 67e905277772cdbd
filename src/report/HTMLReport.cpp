#include "report/HTMLReport.h"

#include "base/ProgramPaths.h"

#include <QSaveFile>

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
    return ProgramPaths::ProgramFolder() + QStringLiteral("/reportTemp.html");
}

bool HTMLReportManager::SaveToFile(QString* error) const
{
    QSaveFile file(GetFileName());
    const QByteArray bytes = (Content + QStringLiteral("\r\n")).toUtf8();
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

QString HTMLReportManager::Escape(const QString& text)
{
    // Only the characters that could open markup or end an attribute; ordinary names and
    // every built-in text pass unchanged, so the report stays the same bytes for them.
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            escaped += QStringLiteral("&amp;");
            break;
        case '<':
            escaped += QStringLiteral("&lt;");
            break;
        case '>':
            escaped += QStringLiteral("&gt;");
            break;
        case '"':
            escaped += QStringLiteral("&quot;");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}
