#include "base/TranslationManager.h"
#include "base/IniFile.h"
#include "base/ProgramPaths.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kEnglish = QStringLiteral("grafEnglish.lang");

QString ShippedLanguageFolder()
{
    return QStringLiteral(NODELOOM_SOURCE_DIR) + QStringLiteral("/local");
}

// Points the language look-up at a folder for the test's lifetime.
class LanguageFolderScope {
  public:
    explicit LanguageFolderScope(const QString& folder) { ProgramPaths::SetLanguageFolderOverride(folder); }
    ~LanguageFolderScope() { ProgramPaths::SetLanguageFolderOverride(QString()); }
    LanguageFolderScope(const LanguageFolderScope&) = delete;
    LanguageFolderScope& operator=(const LanguageFolderScope&) = delete;
};

class TranslateManagerTest : public ::testing::Test {
  protected:
    void WriteLanguage(const QString& name, const QByteArray& bytes) const
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
    LanguageFolderScope m_scope{m_dir.path()};
    TranslationManager m_manager;
};

TEST_F(TranslateManagerTest, BuiltInTableIsCompleteAndPairwise)
{
    const QStringList& keys = m_manager.Keys();
    const QStringList& texts = m_manager.Texts();
    ASSERT_EQ(keys.size(), texts.size());
    // The program's historic table of 278 texts comes first; texts added since follow it.
    ASSERT_GE(keys.size(), 278);
    EXPECT_EQ(keys.front(), QStringLiteral("Not_load_graph"));
    EXPECT_EQ(keys.at(277), QStringLiteral("licenseText"));

    for (qsizetype i = 0; i < keys.size(); ++i)
        EXPECT_FALSE(texts.at(i).isEmpty()) << "no built-in text for " << keys.at(i).toStdString();

    QSet<QString> repeated;
    QSet<QString> seen;
    for (const QString& key : keys) {
        if (seen.contains(key))
            repeated.insert(key);
        seen.insert(key);
    }
    const QSet<QString> expected{QStringLiteral("Find_trace_ignory_load"),
                                 QStringLiteral("Orgraf_must_have_stok"),
                                 QStringLiteral("_over_"),
                                 QStringLiteral("AddText"),
                                 QStringLiteral("Edit"),
                                 QStringLiteral("FindTrace"),
                                 QStringLiteral("MaxStream"),
                                 QStringLiteral("DialogFilters"),
                                 QStringLiteral("FeedBack"),
                                 QStringLiteral("Close")};
    EXPECT_EQ(repeated, expected);
    EXPECT_EQ(seen.size(), keys.size() - expected.size());
    for (const QString& key : expected)
        EXPECT_EQ(keys.count(key), 2) << key.toStdString();
}

TEST_F(TranslateManagerTest, BuiltInTextsKeepTheBlanksAndSymbolsTheirJoinsNeed)
{
    EXPECT_EQ(m_manager.LanguageTitle(), QStringLiteral("Русский"));
    EXPECT_TRUE(m_manager.CurrentLanguageFile().isEmpty());
    // Joined with a blank and the vertex's name.
    EXPECT_EQ(m_manager.Translate(QStringLiteral("concentricity")), QStringLiteral("Эксцентриситет вершины"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("_over_")), QStringLiteral(" за "));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Length_trace")), QStringLiteral(", длина пути "));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Start_point")), QStringLiteral("      Из какой вершины"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("chars_from")), QStringLiteral(" символов из 5000)"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("DialogFilters")),
              QStringLiteral("Файлы графа (*.txt *.grafa)|*.txt;*.grafa|Все файлы (*.*)|*.*"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Settings...")), QStringLiteral("&Настроить..."));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("SiteProgram:")), QStringLiteral("Сайт программы:"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("_int_ ")), QStringLiteral("(целое значение)"));
}

TEST_F(TranslateManagerTest, LookupIsExactAndFindsTheFirstEntry)
{
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Edit")), QStringLiteral("&Изменить"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("FindTrace")), QStringLiteral("Поиск &пути"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Close")), QStringLiteral("Закрыть"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Orgraf_must_have_stok")),
              QStringLiteral("У орграфа должен быть сток"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("MaxStream")),
              QStringLiteral("&Пропускная способность с несколькими стоками и истоками"));

    EXPECT_TRUE(m_manager.Translate(QStringLiteral("edit")).isEmpty());
    EXPECT_TRUE(m_manager.Translate(QStringLiteral("_int_")).isEmpty());
    EXPECT_TRUE(m_manager.Translate(QStringLiteral("No_such_key")).isEmpty());
    EXPECT_TRUE(m_manager.Translate(QString()).isEmpty());
}

TEST_F(TranslateManagerTest, LanguageFileWinsAndFallsBackPerKey)
{
    WriteLanguage(
        QStringLiteral("test.lang"),
        "[Main]\nLanguageTitle=Testish\n[Translate]\nEdit=Modify\nContin=\nGraf__=Vertex \n_int_ =(int)\n");
    int emitted = 0;
    QObject::connect(&m_manager, &TranslationManager::languageChanged, [&] { ++emitted; });

    m_manager.LoadLanguage(QStringLiteral("test.lang"));
    EXPECT_EQ(emitted, 1);
    EXPECT_EQ(m_manager.CurrentLanguageFile(), QStringLiteral("test.lang"));
    EXPECT_EQ(m_manager.LanguageTitle(), QStringLiteral("Testish"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Edit")), QStringLiteral("Modify"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Graf__")), QStringLiteral("Vertex "));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("_int_ ")), QStringLiteral("(int)"));
    // An empty value never hides the built-in text, nor does a missing one.
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Contin")), QStringLiteral("Продолжить?"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Do_save")), QStringLiteral("Произвести сохранение?"));
    EXPECT_TRUE(m_manager.Translate(QStringLiteral("No_such_key")).isEmpty());

    m_manager.UseBuiltIn();
    EXPECT_EQ(emitted, 2);
    EXPECT_TRUE(m_manager.CurrentLanguageFile().isEmpty());
    EXPECT_EQ(m_manager.LanguageTitle(), QStringLiteral("Русский"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Edit")), QStringLiteral("&Изменить"));
}

TEST_F(TranslateManagerTest, MissingFileOrTitleKeepsTheBuiltInTextsAndPreviousTitle)
{
    WriteLanguage(QStringLiteral("titled.lang"), "[Main]\nLanguageTitle=First\n[Translate]\nContin=Go on?\n");
    WriteLanguage(QStringLiteral("untitled.lang"), "[Translate]\nContin=Weiter?\n");
    int emitted = 0;
    QObject::connect(&m_manager, &TranslationManager::languageChanged, [&] { ++emitted; });

    m_manager.LoadLanguage(QStringLiteral("titled.lang"));
    m_manager.LoadLanguage(QStringLiteral("untitled.lang"));
    EXPECT_EQ(m_manager.LanguageTitle(), QStringLiteral("First"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Contin")), QStringLiteral("Weiter?"));

    m_manager.LoadLanguage(QStringLiteral("missing.lang"));
    EXPECT_EQ(emitted, 3);
    EXPECT_EQ(m_manager.CurrentLanguageFile(), QStringLiteral("missing.lang"));
    EXPECT_EQ(m_manager.LanguageTitle(), QStringLiteral("First"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Contin")), QStringLiteral("Продолжить?"));

    // The settings' empty "Lang" value: no file, built-in texts.
    m_manager.LoadLanguage(QString());
    EXPECT_EQ(emitted, 4);
    EXPECT_TRUE(m_manager.CurrentLanguageFile().isEmpty());
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Contin")), QStringLiteral("Продолжить?"));
}

TEST_F(TranslateManagerTest, ReadsLanguageFilesWrittenInWindows1251)
{
    // "Русский" and "Да?" in Windows-1251.
    WriteLanguage(
        QStringLiteral("old.lang"),
        "[Main]\r\nLanguageTitle=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\n[Translate]\r\nContin=\xC4\xE0?\r\n");
    m_manager.LoadLanguage(QStringLiteral("old.lang"));
    EXPECT_EQ(m_manager.LanguageTitle(), QStringLiteral("Русский"));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Contin")), QStringLiteral("Да?"));
}

TEST_F(TranslateManagerTest, NameFromSettingsCannotLeaveTheLanguageFolder)
{
    QTemporaryDir outside;
    QFile file(outside.filePath(QStringLiteral("evil.lang")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Translate]\nContin=pwned\n");
    file.close();
    WriteLanguage(QStringLiteral("evil.lang"), "[Translate]\nContin=inside\n");

    m_manager.LoadLanguage(outside.filePath(QStringLiteral("evil.lang")));
    EXPECT_EQ(m_manager.Translate(QStringLiteral("Contin")), QStringLiteral("inside"));
}

TEST(DefaultLanguageTest, CountryCodesOfRussianSpeakingLocalesChooseTheBuiltInTexts)
{
    EXPECT_TRUE(TranslationManager::DefaultLanguageFileForCode(7).isEmpty());
    EXPECT_TRUE(TranslationManager::DefaultLanguageFileForCode(375).isEmpty());
    EXPECT_TRUE(TranslationManager::DefaultLanguageFileForCode(380).isEmpty());
    EXPECT_EQ(TranslationManager::DefaultLanguageFileForCode(49), kEnglish);
    EXPECT_EQ(TranslationManager::DefaultLanguageFileForCode(1), kEnglish);
    EXPECT_EQ(TranslationManager::DefaultLanguageFileForCode(0), kEnglish);
}

TEST(ShippedEnglishTest, CoversExactlyTheKeysOfTheTable)
{
    const IniFile file(ShippedLanguageFolder() + u'/' + kEnglish);
    EXPECT_EQ(file.ReadString(QStringLiteral("Main"), QStringLiteral("LanguageTitle"), {}),
              QStringLiteral("English"));

    const TranslationManager manager;
    // Keys are trimmed when files are read, so "_int_ " is listed as "_int_".
    QStringList tableKeys;
    for (const QString& key : manager.Keys()) {
        if (!tableKeys.contains(key.trimmed()))
            tableKeys.append(key.trimmed());
    }
    EXPECT_EQ(file.Keys(QStringLiteral("Translate")), tableKeys);
}

TEST(ShippedEnglishTest, KeepsTheBlankPatternOfEveryBuiltInText)
{
    const IniFile file(ShippedLanguageFolder() + u'/' + kEnglish);
    const TranslationManager manager;
    for (const QString& key : file.Keys(QStringLiteral("Translate"))) {
        const QString english = file.ReadString(QStringLiteral("Translate"), key, {});
        const QString russian =
            manager.Translate(key == QStringLiteral("_int_") ? QStringLiteral("_int_ ") : key);
        SCOPED_TRACE(key.toStdString());
        ASSERT_FALSE(english.trimmed().isEmpty());
        EXPECT_EQ(english.startsWith(u' '), russian.startsWith(u' '));
        EXPECT_EQ(english.endsWith(u' '), russian.endsWith(u' '));
    }
}

TEST(ShippedEnglishTest, LoadsThroughTheLanguageFolder)
{
    LanguageFolderScope scope(ShippedLanguageFolder());
    TranslationManager manager;
    manager.LoadLanguage(kEnglish);
    EXPECT_EQ(manager.LanguageTitle(), QStringLiteral("English"));
    EXPECT_EQ(manager.Translate(QStringLiteral("Graf__")), QStringLiteral("Vertex "));
    EXPECT_EQ(manager.Translate(QStringLiteral("_over_")), QStringLiteral(" in "));
    EXPECT_EQ(manager.Translate(QStringLiteral("Algor_dejkstry")), QStringLiteral("Dijkstra's algorithm:"));
    EXPECT_EQ(manager.Translate(QStringLiteral("concentricity")), QStringLiteral("Eccentricity of vertex"));
    EXPECT_EQ(manager.Translate(QStringLiteral("_int_ ")), QStringLiteral("(integer value)"));
    EXPECT_EQ(manager.Translate(QStringLiteral("-")), QStringLiteral("-"));
}

TEST(ShippedEnglishTest, FileFilterCaptionsListTheirPatternsTheWayFileDialogsReadThem)
{
    // A dialog takes the patterns from the caption's parentheses, separated by blanks; the
    // stored pattern after the caption separates them with semicolons.
    LanguageFolderScope scope(ShippedLanguageFolder());
    TranslationManager manager;
    for (const QString& language : {QString(), kEnglish}) {
        manager.LoadLanguage(language);
        for (const char* key : {"DialogFilters", "Bitmaps", "WalkthroughFilter"}) {
            const QStringList parts = manager.Translate(QLatin1String(key)).split(u'|');
            SCOPED_TRACE(key);
            ASSERT_EQ(parts.size() % 2, 0);
            for (qsizetype i = 0; i < parts.size(); i += 2) {
                const QString& caption = parts[i];
                const qsizetype open = caption.lastIndexOf(u'(');
                ASSERT_TRUE(open > 0 && caption.endsWith(u')')) << caption.toStdString();
                EXPECT_EQ(caption[open - 1], u' ') << caption.toStdString();
                EXPECT_EQ(caption.sliced(open + 1).chopped(1).split(u' '), parts[i + 1].split(u';'));
            }
        }
    }
}

TEST(ProcessTranslatorTest, FreeFunctionUsesTheProcessWideManager)
{
    TranslateManager().UseBuiltIn();
    EXPECT_EQ(Translate(QStringLiteral("Contin")), QStringLiteral("Продолжить?"));
    EXPECT_EQ(&TranslateManager(), &TranslateManager());
}

} // namespace
