#include "base/IniFile.h"

#include "base/WholeFile.h"
#include "base/Windows1251.h"

#include <QFile>
#include <QStringDecoder>

#include <limits>

namespace {

int DigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool ParseInteger(QStringView s, int& result)
{
    s = s.trimmed();
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'+' || s.front() == u'-')) {
        negative = s.front() == u'-';
        s = s.sliced(1);
    }
    int base = 10;
    if (s.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        s = s.sliced(2);
    } else if (s.startsWith(u'$')) {
        base = 16;
        s = s.sliced(1);
    }
    if (s.isEmpty())
        return false;
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : 0x80000000ull;
    quint64 magnitude = 0;
    for (const QChar c : s) {
        const int digit = DigitValue(c);
        if (digit < 0 || digit >= base)
            return false;
        magnitude = magnitude * quint64(base) + quint64(digit);
        if (magnitude > limit)
            return false;
    }
    qint64 value = base == 16 ? qint64(qint32(quint32(magnitude))) : qint64(magnitude);
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return false;
    result = int(value);
    return true;
}

QString SingleLine(const QString& value)
{
    if (!value.contains(u'\n') && !value.contains(u'\r'))
        return value;
    QString line = value;
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

} // namespace

IniFile::IniFile(const QString& path) : m_fileName(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        Parse(DecodeText(file.readAll()));
}

QString IniFile::FileName() const
{
    return m_fileName;
}

QString IniFile::DecodeText(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1251(view);
}

void IniFile::Parse(const QString& text)
{
    const QStringView all(text);
    const qsizetype size = all.size();
    qsizetype current = -1;
    qsizetype pos = 0;
    while (pos < size) {
        qsizetype end = all.indexOf(u'\n', pos);
        if (end < 0)
            end = size;
        QStringView line = all.sliced(pos, end - pos);
        pos = end + 1;
        if (line.endsWith(u'\r'))
            line.chop(1);

        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.front() == u';')
            continue;
        if (trimmed.front() == u'[') {
            const qsizetype close = trimmed.indexOf(u']');
            if (close > 0) {
                const QString name = trimmed.sliced(1, close - 1).trimmed().toString();
                SectionFor(name);
                current = m_sectionIndex.value(name);
                continue;
            }
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        QString key = line.first(equals).trimmed().toString();
        if (key.isEmpty())
            continue;
        if (current < 0) {
            SectionFor(QString());
            current = m_sectionIndex.value(QString());
        }
        Section& section = m_sections[size_t(current)];
        if (section.index.contains(key))
            continue;
        section.index.insert(key, qsizetype(section.entries.size()));
        section.entries.push_back({std::move(key), line.sliced(equals + 1).toString()});
    }
}

IniFile::Section& IniFile::SectionFor(const QString& name)
{
    const auto found = m_sectionIndex.constFind(name);
    if (found != m_sectionIndex.cend())
        return m_sections[size_t(*found)];
    m_sectionIndex.insert(name, qsizetype(m_sections.size()));
    m_sections.push_back(Section{name, {}, {}});
    return m_sections.back();
}

const IniFile::Entry* IniFile::Find(const QString& section, const QString& key) const
{
    const auto s = m_sectionIndex.constFind(section.trimmed());
    if (s == m_sectionIndex.cend())
        return nullptr;
    const Section& sec = m_sections[size_t(*s)];
    const auto k = sec.index.constFind(key.trimmed());
    if (k == sec.index.cend())
        return nullptr;
    return &sec.entries[size_t(*k)];
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const Entry* entry = Find(section, key);
    return entry ? entry->value : def;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const Entry* entry = Find(section, key);
    int value = def;
    if (entry && ParseInteger(entry->value, value))
        return value;
    return def;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    return Find(section, key) != nullptr;
}

bool IniFile::SectionExists(const QString& section) const
{
    return m_sectionIndex.contains(section.trimmed());
}

QStringList IniFile::Sections() const
{
    QStringList names;
    names.reserve(qsizetype(m_sections.size()));
    for (const Section& section : m_sections)
        names.append(section.name);
    return names;
}

QStringList IniFile::Keys(const QString& section) const
{
    QStringList keys;
    const auto s = m_sectionIndex.constFind(section.trimmed());
    if (s == m_sectionIndex.cend())
        return keys;
    const Section& sec = m_sections[size_t(*s)];
    keys.reserve(qsizetype(sec.entries.size()));
    for (const Entry& entry : sec.entries)
        keys.append(entry.key);
    return keys;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    QString name = key.trimmed();
    if (name.isEmpty())
        return; // a line "=value" would not read back as this key
    Section& sec = SectionFor(section.trimmed());
    const auto found = sec.index.constFind(name);
    if (found != sec.index.cend()) {
        sec.entries[size_t(*found)].value = SingleLine(value);
        return;
    }
    sec.index.insert(name, qsizetype(sec.entries.size()));
    sec.entries.push_back({std::move(name), SingleLine(value)});
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

bool IniFile::UpdateFile(QString* error)
{
    QString text;
    qsizetype length = 0;
    for (const Section& section : m_sections) {
        length += section.name.size() + 4;
        for (const Entry& entry : section.entries)
            length += entry.key.size() + entry.value.size() + 2;
    }
    text.reserve(length);

    // Keys outside any section must come before the first header to stay there.
    const auto unnamed = m_sectionIndex.constFind(QString());
    if (unnamed != m_sectionIndex.cend()) {
        for (const Entry& entry : m_sections[size_t(*unnamed)].entries) {
            text += entry.key;
            text += u'=';
            text += entry.value;
            text += u'\n';
        }
    }
    for (const Section& section : m_sections) {
        if (section.name.isEmpty())
            continue;
        if (!text.isEmpty())
            text += u'\n';
        text += u'[';
        text += section.name;
        text += u"]\n";
        for (const Entry& entry : section.entries) {
            text += entry.key;
            text += u'=';
            text += entry.value;
            text += u'\n';
        }
    }

    return WriteWholeFile(m_fileName, text.toUtf8(), error);
}
