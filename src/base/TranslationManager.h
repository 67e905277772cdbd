#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class IniFile;

// Every user-visible text by key: the current language file first, then the
// built-in Russian table.
class TranslationManager : public QObject {
    Q_OBJECT

  public:
    explicit TranslationManager(QObject* parent = nullptr);
    ~TranslationManager() override;

    // The language file's "Translate" value when a file is loaded and the value
    // is not empty, else the first built-in text of the key, else empty.
    QString Translate(const QString& key) const;

    // fileName has no folder; it is looked up in ProgramPaths::LanguageFolder().
    // A missing or unreadable file is not an error: every key falls back.
    void LoadLanguage(const QString& fileName);
    void UseBuiltIn();
    // Tells every window to re-caption itself.
    void ApplyToAllWindows();

    QString CurrentLanguageFile() const;
    QString LanguageTitle() const;

    // The built-in table, pairwise and in table order, repeated keys included.
    const QStringList& Keys() const;
    const QStringList& Texts() const;

    // Empty (the built-in language) for the telephone country codes 7, 375 and
    // 380, else "grafEnglish.lang".
    static QString DefaultLanguageFile();
    static QString DefaultLanguageFileForCode(int countryCode);
    // The calling code of the user's default locale; 7 when it is not known.
    static int LocaleCountryCode();

  signals:
    void languageChanged();

  private:
    QString m_languageTitle;
    std::unique_ptr<IniFile> m_languageFile;
    QStringList m_keys;
    QStringList m_texts;
    QHash<QString, qsizetype> m_firstIndex;
    QString m_languageFileName;
};

// The one manager of the process.
TranslationManager& TranslateManager();

// Shorthand for TranslateManager().Translate(key), used by all code.
QString Translate(const QString& key);
// A menu item's text where it is not a menu item (a title, a list, a page): the mnemonic
// marks go, a doubled "&&" stays as one "&".
QString WithoutMnemonic(const QString& text);
// Translate(key) without its mnemonic marks.
QString TranslatePlain(const QString& key);
