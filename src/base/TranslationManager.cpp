#include "base/TranslationManager.h"

#include "base/BuiltInTexts.h"
#include "base/IniFile.h"
#include "base/ProgramPaths.h"

#include <QFileInfo>
#include <QLocale>

namespace {

const QString kBuiltInTitle = QStringLiteral("Русский");
const QString kEnglishFile = QStringLiteral("grafEnglish.lang");

struct CallingCode {
    QLocale::Territory territory;
    int code;
};

// Telephone country codes; territories not listed count as unknown.
constexpr CallingCode kCallingCodes[] = {
    {QLocale::Russia, 7},
    {QLocale::Kazakhstan, 7},
    {QLocale::Belarus, 375},
    {QLocale::Ukraine, 380},
    {QLocale::UnitedStates, 1},
    {QLocale::Canada, 1},
    {QLocale::UnitedKingdom, 44},
    {QLocale::Ireland, 353},
    {QLocale::Germany, 49},
    {QLocale::Austria, 43},
    {QLocale::Switzerland, 41},
    {QLocale::France, 33},
    {QLocale::Belgium, 32},
    {QLocale::Netherlands, 31},
    {QLocale::Luxembourg, 352},
    {QLocale::Italy, 39},
    {QLocale::Spain, 34},
    {QLocale::Portugal, 351},
    {QLocale::Greece, 30},
    {QLocale::Turkey, 90},
    {QLocale::Poland, 48},
    {QLocale::Czechia, 420},
    {QLocale::Slovakia, 421},
    {QLocale::Hungary, 36},
    {QLocale::Romania, 40},
    {QLocale::Bulgaria, 359},
    {QLocale::Serbia, 381},
    {QLocale::Montenegro, 382},
    {QLocale::Croatia, 385},
    {QLocale::Slovenia, 386},
    {QLocale::BosniaAndHerzegovina, 387},
    {QLocale::Macedonia, 389},
    {QLocale::Albania, 355},
    {QLocale::Sweden, 46},
    {QLocale::Norway, 47},
    {QLocale::Denmark, 45},
    {QLocale::Finland, 358},
    {QLocale::Iceland, 354},
    {QLocale::Estonia, 372},
    {QLocale::Latvia, 371},
    {QLocale::Lithuania, 370},
    {QLocale::Moldova, 373},
    {QLocale::Armenia, 374},
    {QLocale::Georgia, 995},
    {QLocale::Azerbaijan, 994},
    {QLocale::Uzbekistan, 998},
    {QLocale::Kyrgyzstan, 996},
    {QLocale::Tajikistan, 992},
    {QLocale::Turkmenistan, 993},
    {QLocale::Mongolia, 976},
    {QLocale::Israel, 972},
    {QLocale::Egypt, 20},
    {QLocale::SouthAfrica, 27},
    {QLocale::India, 91},
    {QLocale::China, 86},
    {QLocale::Japan, 81},
    {QLocale::SouthKorea, 82},
    {QLocale::Vietnam, 84},
    {QLocale::Thailand, 66},
    {QLocale::Indonesia, 62},
    {QLocale::Australia, 61},
    {QLocale::NewZealand, 64},
    {QLocale::Brazil, 55},
    {QLocale::Mexico, 52},
    {QLocale::Argentina, 54},
    {QLocale::Chile, 56},
};

} // namespace

TranslationManager::TranslationManager(QObject* parent) : QObject(parent), m_languageTitle(kBuiltInTitle)
{
    const auto table = BuiltInTextTable();
    m_keys.reserve(qsizetype(table.size()));
    m_texts.reserve(qsizetype(table.size()));
    for (const BuiltInText& entry : table) {
        const QString key = QString::fromUtf8(entry.key);
        if (!m_firstIndex.contains(key))
            m_firstIndex.insert(key, m_keys.size());
        m_keys.append(key);
        m_texts.append(QString::fromUtf8(entry.text));
    }
}

TranslationManager::~TranslationManager() = default;

QString TranslationManager::Translate(const QString& key) const
{
    QString result;
    if (m_languageFile)
        result = m_languageFile->ReadString(QStringLiteral("Translate"), key, QString());
    if (result.isEmpty()) {
        const auto found = m_firstIndex.constFind(key);
        if (found != m_firstIndex.cend())
            result = m_texts.at(*found);
    }
    return result;
}

void TranslationManager::LoadLanguage(const QString& fileName)
{
    m_languageFile.reset();
    m_languageFileName = fileName;
    // The name comes from the settings file; only its last component is used so
    // that it cannot point outside the language folder.
    const QString name = QFileInfo(fileName).fileName();
    if (!name.isEmpty()) {
        m_languageFile = std::make_unique<IniFile>(ProgramPaths::LanguageFolder() + u'/' + name);
        m_languageTitle = m_languageFile->ReadString(QStringLiteral("Main"), QStringLiteral("LanguageTitle"),
                                                     m_languageTitle);
    }
    ApplyToAllWindows();
}

void TranslationManager::UseBuiltIn()
{
    m_languageFile.reset();
    m_languageFileName.clear();
    m_languageTitle = kBuiltInTitle;
    ApplyToAllWindows();
}

void TranslationManager::ApplyToAllWindows()
{
    emit languageChanged();
}

QString TranslationManager::CurrentLanguageFile() const
{
    return m_languageFileName;
}

QString TranslationManager::LanguageTitle() const
{
    return m_languageTitle;
}

const QStringList& TranslationManager::Keys() const
{
    return m_keys;
}

const QStringList& TranslationManager::Texts() const
{
    return m_texts;
}

QString TranslationManager::DefaultLanguageFile()
{
    return DefaultLanguageFileForCode(LocaleCountryCode());
}

QString TranslationManager::DefaultLanguageFileForCode(int countryCode)
{
    if (countryCode == 7 || countryCode == 375 || countryCode == 380)
        return QString();
    return kEnglishFile;
}

int TranslationManager::LocaleCountryCode()
{
    const QLocale::Territory territory = QLocale::system().territory();
    for (const CallingCode& entry : kCallingCodes) {
        if (entry.territory == territory)
            return entry.code;
    }
    return 7;
}

TranslationManager& TranslateManager()
{
    static TranslationManager manager;
    return manager;
}

QString Translate(const QString& key)
{
    return TranslateManager().Translate(key);
}

QString WithoutMnemonic(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain.append(text[i]);
    }
    return plain;
}

QString TranslatePlain(const QString& key)
{
    return WithoutMnemonic(Translate(key));
}
