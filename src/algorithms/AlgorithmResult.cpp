#include "algorithms/AlgorithmResult.h"

#include "report/TextPane.h"

QStringList AlgorithmResult::Messages() const
{
    QStringList messages;
    for (const OutputItem& item : output)
        if (item.kind == OutputItem::Kind::Message)
            messages.append(item.text);
    return messages;
}

QStringList AlgorithmResult::PaneLines() const
{
    TextPane pane;
    for (const OutputItem& item : output) {
        switch (item.kind) {
        case OutputItem::Kind::Clear:
            pane.Clear();
            break;
        case OutputItem::Kind::Heading:
        case OutputItem::Kind::PaneLine:
            pane.AddLine(item.text);
            break;
        case OutputItem::Kind::Line:
            pane.AppendText(item.text);
            break;
        case OutputItem::Kind::Table:
            for (const QString& line : item.paneLines)
                pane.AddLine(line);
            break;
        default:
            break;
        }
    }
    return pane.Lines();
}

QString Format3d(int value)
{
    QString text = QString::number(value);
    if (text.size() < 3)
        text.prepend(QString(3 - text.size(), QLatin1Char(' ')));
    return text;
}
