#pragma once

#include <QString>

// The HTML report of an algorithm run: one string built by appending fragments,
// written to "reportTemp.html" in the program's folder (the user's cache folder when the
// program is installed).
class HTMLReportManager {
  public:
    void Clear() { Content.clear(); }
    void AddBoldLine(const QString& text);
    void AddLine(const QString& text);
    void BeginTable() { Content += QStringLiteral("<table border=1>"); }
    void EndTable() { Content += QStringLiteral("</table>"); }
    void BeginRow() { Content += QStringLiteral("<tr>"); }
    void EndRow() { Content += QStringLiteral("</tr>"); }
    void BeginCell() { Content += QStringLiteral("<td>"); }
    void EndCell() { Content += QStringLiteral("</td>"); }
    void AddText(const QString& text);
    void AddCell(const QString& text);
    // Markup as given: the caller has escaped the texts inside it.
    void AddMarkup(const QString& markup) { Content += markup; }

    const QString& GetContent() const { return Content; }
    QString GetFileName() const;
    // Writes Content and a line break; false with an error text when the file cannot be written.
    bool SaveToFile(QString* error = nullptr) const;

    // Text from vertex names, labels and language files is escaped; the report's own markup is not.
    static QString Escape(const QString& text);

  private:
    QString Content;
};
