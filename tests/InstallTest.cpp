#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Every file under root, relative to it.
QStringList FilesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

struct Installed : ::testing::Test {
    static inline QTemporaryDir* root = nullptr;
    static inline int installStatus = -1;
    static inline QString installLog;

    // One install into a temporary root for the whole suite, as a packager does it.
    static void SetUpTestSuite()
    {
        root = new QTemporaryDir;
        QProcess install;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), root->path());
        install.setProcessEnvironment(environment);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(NODELOOM_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(NODELOOM_BINARY_DIR),
                       QStringLiteral("--prefix"), QStringLiteral("/usr")});
        install.waitForFinished(120000);
        installLog = QString::fromUtf8(install.readAll());
        installStatus = install.exitStatus() == QProcess::NormalExit ? install.exitCode() : -1;
    }
    static void TearDownTestSuite()
    {
        delete root;
        root = nullptr;
    }
    static QString Path(const QString& relative) { return root->path() + QStringLiteral("/usr/") + relative; }

    void SetUp() override { ASSERT_EQ(installStatus, 0) << installLog.toStdString(); }
};

int RunTool(const QString& program, const QStringList& arguments, QString* output = nullptr,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
            const QString& folder = QString())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (output)
        *output = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

TEST_F(Installed, EveryFileIsInItsPlace)
{
    const QString id = QStringLiteral("org.nodeloom.Nodeloom");
    for (const QString& file :
         {QStringLiteral("bin/nodeloom"), QStringLiteral("bin/nodeloom-cli"),
          QStringLiteral("share/nodeloom/local/grafEnglish.lang"),
          QStringLiteral("share/applications/") + id + QStringLiteral(".desktop"),
          QStringLiteral("share/metainfo/") + id + QStringLiteral(".metainfo.xml"),
          QStringLiteral("share/mime/packages/") + id + QStringLiteral(".xml"),
          QStringLiteral("share/icons/hicolor/scalable/apps/") + id + QStringLiteral(".svg"),
          QStringLiteral("share/man/man1/nodeloom.1"), QStringLiteral("share/man/man1/nodeloom-cli.1")})
        EXPECT_TRUE(QFile::exists(Path(file))) << file.toStdString();
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("bin/nodeloom-cli"))).isExecutable());
#ifdef NODELOOM_MANUAL_FOLDER
    // The manuals in both languages, where the help command looks for them.
    for (const char* manual : {"help.pdf", "help-en.pdf"})
        EXPECT_GT(QFileInfo(Path(QStringLiteral("share/nodeloom/") + QLatin1String(manual))).size(), 10000)
            << manual;
#endif
    // Each bitmap is the size its folder says, and not blank.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString name =
            QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + id + QStringLiteral(".png");
        const QImage icon(Path(name));
        ASSERT_FALSE(icon.isNull()) << name.toStdString();
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
    }
    // The desktop entry opens the file it is given, and the file type is the one it claims.
    QFile desktop(Path(QStringLiteral("share/applications/") + id + QStringLiteral(".desktop")));
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(desktop.readAll());
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=nodeloom %f\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nMimeType=application/x-nodeloom-grafa;\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nIcon=") + id + QLatin1Char('\n')));
    QFile mime(Path(QStringLiteral("share/mime/packages/") + id + QStringLiteral(".xml")));
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    const QByteArray mimeXml = mime.readAll();
    EXPECT_TRUE(mimeXml.contains("type=\"application/x-nodeloom-grafa\""));
    EXPECT_TRUE(mimeXml.contains("pattern=\"*.grafa\""));
}

// The installed tool runs from the root alone, finds its language file there and writes
// nothing but the outputs asked for: no settings, no report, inside the root or out of it.
TEST_F(Installed, TheToolRunsFromTheRootAndWritesNothingThere)
{
    QTemporaryDir home, work;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    const QString cli = Path(QStringLiteral("bin/nodeloom-cli"));
    const QStringList before = FilesUnder(root->path());

    QString output;
    ASSERT_EQ(RunTool(cli, {QStringLiteral("--version")}, &output, environment, work.path()), 0);
    EXPECT_TRUE(output.startsWith(QStringLiteral("nodeloom-cli "))) << output.toStdString();
    ASSERT_EQ(RunTool(cli,
                      {QStringLiteral("from-matrix"), QStringLiteral("0,4\n4,0"), QStringLiteral("g.grafa"),
                       QStringLiteral("--weighted")},
                      &output, environment, work.path()),
              0)
        << output.toStdString();
    ASSERT_EQ(
        RunTool(cli,
                {QStringLiteral("run"), QStringLiteral("FindTraceDekctri"), QStringLiteral("g.grafa"),
                 QStringLiteral("--from"), QStringLiteral("1"), QStringLiteral("--to"), QStringLiteral("2"),
                 QStringLiteral("--lang"), Path(QStringLiteral("share/nodeloom/local/grafEnglish.lang"))},
                &output, environment, work.path()),
        0)
        << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("Алгоритм"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("4"))) << output.toStdString();

    EXPECT_EQ(FilesUnder(root->path()), before);
    EXPECT_EQ(FilesUnder(work.path()), QStringList{QStringLiteral("g.grafa")});
    EXPECT_EQ(FilesUnder(home.path()), QStringList());
}

TEST_F(Installed, TheDesktopValidatorsAcceptTheEntries)
{
    const QString desktopValidate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (desktopValidate.isEmpty() || appstream.isEmpty())
        GTEST_SKIP() << "desktop-file-validate or appstreamcli is not installed";
    const QString id = QStringLiteral("org.nodeloom.Nodeloom");
    QString output;
    EXPECT_EQ(RunTool(desktopValidate,
                      {Path(QStringLiteral("share/applications/") + id + QStringLiteral(".desktop"))},
                      &output),
              0)
        << output.toStdString();
    EXPECT_TRUE(output.trimmed().isEmpty()) << output.toStdString();
    EXPECT_EQ(RunTool(appstream,
                      {QStringLiteral("validate"), QStringLiteral("--no-net"),
                       Path(QStringLiteral("share/metainfo/") + id + QStringLiteral(".metainfo.xml"))},
                      &output),
              0)
        << output.toStdString();
}

// The manual page keeps up with the tool: every command and option its help names, and every
// exit status.
TEST_F(Installed, TheManPageNamesEveryCommandOptionAndStatusOfTheHelp)
{
    QFile page(Path(QStringLiteral("share/man/man1/nodeloom-cli.1")));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString man = QString::fromUtf8(page.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    QString help;
    ASSERT_EQ(RunTool(Path(QStringLiteral("bin/nodeloom-cli")), {QStringLiteral("--help")}, &help), 0);
    QStringList named;
    for (const QRegularExpressionMatch& match :
         QRegularExpression(QStringLiteral("(--[a-z][a-z-]*|nodeloom-cli [a-z][a-z-]*)")).globalMatch(help))
        named.append(match.captured(1).remove(QStringLiteral("nodeloom-cli ")));
    named.removeDuplicates();
    EXPECT_GE(named.size(), 20) << help.toStdString();
    for (const QString& word : named)
        EXPECT_TRUE(man.contains(QRegularExpression(QStringLiteral("(^|[\\s\\[\"])") +
                                                    QRegularExpression::escape(word) +
                                                    QStringLiteral("($|[^a-z-])"))))
            << word.toStdString();
    for (int status = 0; status <= 4; ++status)
        EXPECT_TRUE(man.contains(QStringLiteral("\n.B %1\n").arg(status))) << status;
}
