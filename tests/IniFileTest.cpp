#include "base/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

namespace {

class IniFileTest : public ::testing::Test {
  protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    QString WriteBytes(const QByteArray& bytes, const QString& name = QStringLiteral("test.ini")) const
    {
        const QString path = PathOf(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, MissingFileReadsAsEmptyAndGivesDefaults)
{
    const IniFile ini(PathOf(QStringLiteral("absent.ini")));
    EXPECT_EQ(ini.FileName(), PathOf(QStringLiteral("absent.ini")));
    EXPECT_TRUE(ini.Sections().isEmpty());
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("Main")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Main"), QStringLiteral("Key")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Main"), QStringLiteral("Key"), QStringLiteral("dflt")),
              QStringLiteral("dflt"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("Key"), 17), 17);
    EXPECT_TRUE(ini.Keys(QStringLiteral("Main")).isEmpty());
}

TEST_F(IniFileTest, ParsesSectionsKeysAndValuesAsWritten)
{
    const QString path = WriteBytes("; leading comment\n"
                                    "[Main]\n"
                                    "  Name = Value with blanks  \n"
                                    "Expr=a=b\n"
                                    "line without equals sign\n"
                                    "   ; indented comment=not a key\n"
                                    "\n"
                                    "Empty=\n"
                                    "=no key\n"
                                    "[ Other ]\n"
                                    "key=lower\n"
                                    "Key=upper\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.Sections(), (QStringList{QStringLiteral("Main"), QStringLiteral("Other")}));
    EXPECT_EQ(ini.Keys(QStringLiteral("Main")),
              (QStringList{QStringLiteral("Name"), QStringLiteral("Expr"), QStringLiteral("Empty")}));
    // Keys are trimmed, values keep their blanks: translated texts depend on them.
    EXPECT_EQ(ini.ReadString(QStringLiteral("Main"), QStringLiteral("Name"), {}),
              QStringLiteral(" Value with blanks  "));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Main"), QStringLiteral("Expr"), {}), QStringLiteral("a=b"));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("Main"), QStringLiteral("Empty")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Main"), QStringLiteral("Empty"), QStringLiteral("dflt")),
              QString());
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Main"), QStringLiteral("; indented comment")));
    // Case matters for sections and keys.
    EXPECT_EQ(ini.ReadString(QStringLiteral("Other"), QStringLiteral("key"), {}), QStringLiteral("lower"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Other"), QStringLiteral("Key"), {}), QStringLiteral("upper"));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("main")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Main"), QStringLiteral("name")));
}

TEST_F(IniFileTest, FirstDuplicateKeyWinsAndRepeatedSectionsMerge)
{
    const QString path = WriteBytes("[A]\nx=1\nx=2\n[B]\ny=3\n[A]\nz=4\nx=5\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.Sections(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("A"), QStringLiteral("x"), 0), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("A"), QStringLiteral("z"), 0), 4);
    EXPECT_EQ(ini.Keys(QStringLiteral("A")), (QStringList{QStringLiteral("x"), QStringLiteral("z")}));
}

TEST_F(IniFileTest, AcceptsAnyLineEndByteOrderMarkAndMissingFinalLineEnd)
{
    const QByteArray variants[] = {
        "[Main]\r\nTitle=Hello \r\nCount=3\r\n",
        "[Main]\nTitle=Hello \nCount=3",
        "\xEF\xBB\xBF[Main]\r\nTitle=Hello \r\nCount=3",
        "\xEF\xBB\xBF[Main]\nTitle=Hello \nCount=3\n\n",
    };
    for (const QByteArray& bytes : variants) {
        const IniFile ini(WriteBytes(bytes));
        SCOPED_TRACE(bytes.toStdString());
        EXPECT_EQ(ini.Sections(), QStringList{QStringLiteral("Main")});
        EXPECT_EQ(ini.ReadString(QStringLiteral("Main"), QStringLiteral("Title"), {}),
                  QStringLiteral("Hello "));
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("Count"), 0), 3);
    }
}

TEST_F(IniFileTest, DecodesUtf8AndFallsBackToWindows1251)
{
    EXPECT_EQ(IniFile::DecodeText("\xD0\xA0\xD1\x83\xD1\x81"), QStringLiteral("Рус"));
    EXPECT_EQ(IniFile::DecodeText("\xEF\xBB\xBF"
                                  "abc"),
              QStringLiteral("abc"));
    // "Русский" in Windows-1251 is not valid UTF-8.
    EXPECT_EQ(IniFile::DecodeText("\xD0\xF3\xF1\xF1\xEA\xE8\xE9"), QStringLiteral("Русский"));
    // Valid UTF-8 except for a cut-off last character: the whole text is 1251.
    EXPECT_EQ(IniFile::DecodeText("ab\xD0"), QStringLiteral("abР"));
    EXPECT_EQ(IniFile::DecodeText("\xA8\xB8\xB9\x96\x88\xC0\xFF"), QStringLiteral("Ёё№–€Ая"));

    QByteArray alphabet;
    for (int b = 0xC0; b <= 0xFF; ++b)
        alphabet.append(char(b));
    const QString decoded = IniFile::DecodeText(alphabet);
    ASSERT_EQ(decoded.size(), 64);
    EXPECT_EQ(decoded.front(), QChar(u'А'));
    EXPECT_EQ(decoded.at(32), QChar(u'а'));
    EXPECT_EQ(decoded.back(), QChar(u'я'));

    const IniFile ini(WriteBytes("[Main]\r\nLanguageTitle=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\n"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Main"), QStringLiteral("LanguageTitle"), {}),
              QStringLiteral("Русский"));
}

TEST_F(IniFileTest, ReadsIntegersStrictlyAndFallsBackToDefault)
{
    const QString path = WriteBytes("[N]\n"
                                    "plain=42\n"
                                    "blanks=  -13 \n"
                                    "plus=+7\n"
                                    "hex=0x1F\n"
                                    "pascal=$ff\n"
                                    "neghex=-0X10\n"
                                    "max=2147483647\n"
                                    "min=-2147483648\n"
                                    "allbits=$FFFFFFFF\n"
                                    "trailing=12abc\n"
                                    "inner=1 2\n"
                                    "empty=\n"
                                    "word=abc\n"
                                    "sign=-\n"
                                    "prefix=0x\n"
                                    "toolarge=2147483648\n"
                                    "toosmall=-2147483649\n"
                                    "hexlarge=0x100000000\n"
                                    "decimalpoint=3.5\n");
    const IniFile ini(path);
    const auto read = [&](const char* key) {
        return ini.ReadInteger(QStringLiteral("N"), QString::fromLatin1(key), -99);
    };
    EXPECT_EQ(read("plain"), 42);
    EXPECT_EQ(read("blanks"), -13);
    EXPECT_EQ(read("plus"), 7);
    EXPECT_EQ(read("hex"), 31);
    EXPECT_EQ(read("pascal"), 255);
    EXPECT_EQ(read("neghex"), -16);
    EXPECT_EQ(read("max"), INT_MAX);
    EXPECT_EQ(read("min"), INT_MIN);
    EXPECT_EQ(read("allbits"), -1);
    for (const char* bad : {"trailing", "inner", "empty", "word", "sign", "prefix", "toolarge", "toosmall",
                            "hexlarge", "decimalpoint", "absent"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(read(bad), -99);
    }
}

TEST_F(IniFileTest, WritesKeyByKeyKeepingUnknownKeysAndOrder)
{
    const QString path = WriteBytes("[A]\r\nk1=one\r\nk2=two\r\nk3=three\r\n[B]\r\nx=keep me\r\n");
    IniFile ini(path);
    ini.WriteString(QStringLiteral("A"), QStringLiteral("k2"), QStringLiteral("TWO"));
    ini.WriteInteger(QStringLiteral("A"), QStringLiteral("k4"), -5);
    ini.WriteString(QStringLiteral("C"), QStringLiteral("new"), QStringLiteral(" spaced "));
    ini.WriteString(QStringLiteral("B"), QStringLiteral("y"), QStringLiteral("Ёлка"));

    // Memory reflects the writes before the file does.
    EXPECT_EQ(ini.ReadString(QStringLiteral("A"), QStringLiteral("k2"), {}), QStringLiteral("TWO"));
    EXPECT_EQ(ReadBytes(path), QByteArray("[A]\r\nk1=one\r\nk2=two\r\nk3=three\r\n[B]\r\nx=keep me\r\n"));

    QString error;
    ASSERT_TRUE(ini.UpdateFile(&error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(path), QByteArray("[A]\nk1=one\nk2=TWO\nk3=three\nk4=-5\n\n"
                                          "[B]\nx=keep me\ny=\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0\n\n"
                                          "[C]\nnew= spaced \n"));

    const IniFile reread(path);
    EXPECT_EQ(reread.Sections(),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(reread.Keys(QStringLiteral("A")), (QStringList{QStringLiteral("k1"), QStringLiteral("k2"),
                                                             QStringLiteral("k3"), QStringLiteral("k4")}));
    EXPECT_EQ(reread.ReadInteger(QStringLiteral("A"), QStringLiteral("k4"), 0), -5);
    EXPECT_EQ(reread.ReadString(QStringLiteral("B"), QStringLiteral("y"), {}), QStringLiteral("Ёлка"));
    EXPECT_EQ(reread.ReadString(QStringLiteral("C"), QStringLiteral("new"), {}), QStringLiteral(" spaced "));

    // The temporary file is gone after the rename.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("test.ini")});
}

TEST_F(IniFileTest, KeysBeforeTheFirstSectionSurviveARewrite)
{
    const QString path = WriteBytes("loose=1\n[S]\na=2\n");
    IniFile ini(path);
    ini.WriteString(QStringLiteral("S"), QStringLiteral("b"), QStringLiteral("3"));
    ini.WriteString(QString(), QStringLiteral("later"), QStringLiteral("4"));
    ASSERT_TRUE(ini.UpdateFile());

    const IniFile reread(path);
    EXPECT_EQ(reread.ReadString(QString(), QStringLiteral("loose"), {}), QStringLiteral("1"));
    EXPECT_EQ(reread.ReadString(QString(), QStringLiteral("later"), {}), QStringLiteral("4"));
    EXPECT_EQ(reread.Keys(QStringLiteral("S")), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(IniFileTest, ValuesWithLineBreaksCannotAddLines)
{
    const QString path = PathOf(QStringLiteral("new.ini"));
    IniFile ini(path);
    ini.WriteString(QStringLiteral("S"), QStringLiteral("text"), QStringLiteral("one\r\n[Evil]\nx=1"));
    ASSERT_TRUE(ini.UpdateFile());

    const IniFile reread(path);
    EXPECT_EQ(reread.Sections(), QStringList{QStringLiteral("S")});
    EXPECT_EQ(reread.ReadString(QStringLiteral("S"), QStringLiteral("text"), {}),
              QStringLiteral("one  [Evil] x=1"));
}

TEST_F(IniFileTest, UpdateFileReportsFailureAndWritesNothing)
{
    const QString path = PathOf(QStringLiteral("no/such/folder/x.ini"));
    IniFile ini(path);
    ini.WriteInteger(QStringLiteral("S"), QStringLiteral("k"), 1);
    QString error;
    EXPECT_FALSE(ini.UpdateFile(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(ini.UpdateFile()); // no error pointer: still reported, no crash
}

TEST_F(IniFileTest, LargeSectionRoundTrips)
{
    const QString path = PathOf(QStringLiteral("matrix.ini"));
    {
        IniFile ini(path);
        for (int i = 1; i <= 255; ++i)
            for (int j = 1; j <= 255; ++j)
                ini.WriteInteger(QStringLiteral("Matrix"), QStringLiteral("From%1To%2").arg(i).arg(j),
                                 i * 1000 + j);
        ASSERT_TRUE(ini.UpdateFile());
    }
    const IniFile reread(path);
    const QStringList keys = reread.Keys(QStringLiteral("Matrix"));
    ASSERT_EQ(keys.size(), 255 * 255);
    EXPECT_EQ(keys.front(), QStringLiteral("From1To1"));
    EXPECT_EQ(keys.at(255), QStringLiteral("From2To1"));
    EXPECT_EQ(keys.back(), QStringLiteral("From255To255"));
    for (int i = 1; i <= 255; i += 17)
        for (int j = 1; j <= 255; j += 13)
            EXPECT_EQ(
                reread.ReadInteger(QStringLiteral("Matrix"), QStringLiteral("From%1To%2").arg(i).arg(j), -1),
                i * 1000 + j);
}

} // namespace
