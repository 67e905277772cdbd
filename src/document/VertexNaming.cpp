#include "document/VertexNaming.h"

QString VertexNaming::NameOf(int n) const
{
    if (n < 1 || n > MaxNames)
        return QString();
    return names[n];
}

void VertexNaming::SetNumbers(int begin)
{
    firstNumber = begin;
    // 64-bit sums: a start near the top of the int range still names every vertex
    // with its true successor instead of wrapping to negative numbers.
    for (int i = 1; i <= MaxNames; ++i)
        names[i] = QString::number(qint64(begin) + i - 1);
}

QString VertexNaming::LetterName(int position, bool capital)
{
    const QChar base = capital ? QChar('A') : QChar('a');
    QString name;
    int a = position;
    while (a > 25) {
        name.prepend(QChar(base.unicode() + a % 26));
        a /= 26;
    }
    name.prepend(QChar(base.unicode() + a % 26));
    return name;
}

void VertexNaming::SetLetters(int beginLetter, bool capital)
{
    const int base = capital ? 'A' : 'a';
    // A start outside the 26 letters of its case can only come from a hand-edited file;
    // it falls back to the first letter rather than indexing past the name table.
    if (beginLetter < base || beginLetter > base + 25)
        beginLetter = base;
    firstLetter = quint8(beginLetter);
    this->capital = capital;
    const int offset = beginLetter - base;
    for (int i = 1; i <= MaxNames; ++i)
        names[i] = LetterName(i - 1 + offset, capital);
}

void VertexNaming::SetManualName(int n, const QString& text)
{
    if (kind == Manual && n >= 1 && n <= MaxNames)
        names[n] = text;
}

void VertexNaming::ClearManualName(int n)
{
    if (kind == Manual && n >= 1 && n <= MaxNames)
        names[n].clear();
}

void VertexNaming::CopyFrom(const VertexNaming& other)
{
    kind = other.kind;
    names = other.names;
}

bool VertexNaming::SameAs(const VertexNaming& other) const
{
    return kind == other.kind && names == other.names;
}
