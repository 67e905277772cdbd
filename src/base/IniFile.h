#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// An initialisation file: "[Section]" headers and "key=value" lines, kept in
// file order in memory and written back whole.
//
// Reading rules:
// - section names and keys are case-sensitive and trimmed of surrounding blanks
//   (also in every lookup and write, so " Key" and "Key" are the same key);
// - a value is everything after the first '=' up to the line end, blanks kept,
//   because translated texts rely on their leading and trailing blanks;
// - lines starting with ';' are comments; lines without '=' are ignored, as are
//   comments on rewrite;
// - the first of two equal keys in a section wins; a repeated section header
//   continues the earlier section;
// - CRLF or LF line ends, a missing final line end and a UTF-8 byte-order mark
//   are accepted; text that is not valid UTF-8 is read as Windows-1251.
// Lines before the first header form the section with the empty name, which is
// written back first without a header.
class IniFile {
  public:
    explicit IniFile(const QString& path);

    QString FileName() const;

    // UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped),
    // otherwise Windows-1251, the code page of files written by older versions.
    static QString DecodeText(const QByteArray& bytes);

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal with optional sign and surrounding blanks; "0x" or "$" introduces
    // up to eight hexadecimal digits (wrapping to a negative value above 0x7FFFFFFF).
    // Anything else, or a value out of range, gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ValueExists(const QString& section, const QString& key) const;
    bool SectionExists(const QString& section) const;
    QStringList Sections() const;
    QStringList Keys(const QString& section) const;

    // Changes memory only; UpdateFile writes. Line breaks in a value become
    // blanks so that a value can never inject lines into the file.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);

    // Writes the whole file (UTF-8 without byte-order mark, "\n" line ends)
    // with WriteWholeFile: the old file is replaced only by a complete one. On
    // failure returns false and, if given, sets *error to the system's reason.
    bool UpdateFile(QString* error = nullptr);

  private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
        QHash<QString, qsizetype> index;
    };

    void Parse(const QString& text);
    const Entry* Find(const QString& section, const QString& key) const;
    Section& SectionFor(const QString& name);

    QString m_fileName;
    std::vector<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex;
};
