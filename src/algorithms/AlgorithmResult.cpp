#include "algorithms/AlgorithmResult.h"

#include "report/TextPane.h"

#include <algorithm>
#include <charconv>

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

// Without QString::arg: tables have up to 65,025 cells.
QString Format3d(int value)
{
    char digits[16];
    const int length = int(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    QString cell;
    cell.reserve(std::max(length, 3));
    for (int k = length; k < 3; ++k)
        cell.append(QLatin1Char(' '));
    cell.append(QLatin1String(digits, length));
    return cell;
}
