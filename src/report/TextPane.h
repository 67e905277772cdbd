#pragma once

#include <QString>
#include <QStringList>

// The Text pane's content: the lines the algorithms write. The main window shows them.
class TextPane {
  public:
    void Clear() { lines.clear(); }
    // A new memo line.
    void AddLine(const QString& line) { lines.append(line); }
    // The memo's text set to its old text followed by this one; it starts a new line
    // because the old text ends with a line break.
    void AppendText(const QString& text) { lines.append(text.split(QLatin1Char('\n'))); }
    const QStringList& Lines() const { return lines; }
    QString Text() const
    {
        return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }

  private:
    QStringList lines;
};
