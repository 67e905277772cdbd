#include "base/WholeFile.h"
#include "CliProcess.h"
#include "GraphFixtures.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "commands/ProgramSettings.h"
#include "drawing/Canvas.h"
#include "files/ExchangeFormats.h"
#include "files/GrafaFile.h"
#include "report/HTMLReport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString diskFull = QString::fromLocal8Bit(std::strerror(ENOSPC));

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every name under the folder, hidden ones too: a temporary file left behind shows here.
QStringList Entries(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(QDir(folder).relativeFilePath(it.next()));
    names.sort();
    return names;
}

mode_t Permissions(const QString& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 07777;
}

// The room every file gets while it lives.
struct Room {
    explicit Room(qint64 bytes) { SetWholeFileRoomForTests(bytes); }
    ~Room() { SetWholeFileRoomForTests(-1); }
};

struct WholeFile : ::testing::Test {
    QTemporaryDir dir;
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }
};

} // namespace

TEST_F(WholeFile, TheTargetIsReplacedOnlyWhenEveryByteFitted)
{
    const QString target = dir.filePath("t.bin");
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i)
        bytes.append(char(i * 7919 % 251));
    Put(target, "old");
    QString reason;
    for (const qint64 room : {qint64(0), qint64(1), bytes.size() - 1}) {
        Room limit(room);
        EXPECT_FALSE(WriteWholeFile(target, bytes, &reason)) << room;
        EXPECT_EQ(reason, diskFull) << room;
        EXPECT_EQ(Contents(target), "old") << room;
        EXPECT_EQ(Entries(dir.path()), QStringList{"t.bin"}) << room;
    }
    Room limit(bytes.size());
    ASSERT_TRUE(WriteWholeFile(target, bytes, &reason)) << reason.toStdString();
    EXPECT_EQ(Contents(target), bytes);
    EXPECT_EQ(Entries(dir.path()), QStringList{"t.bin"});
}

TEST_F(WholeFile, PermissionsLinksAndTargetsThatCannotBeWritten)
{
    QString reason;
    // A new file as any program makes it; a replaced one keeps its permissions; a shared page is
    // readable by others whatever it replaces.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const QString fresh = dir.filePath("fresh");
    ASSERT_TRUE(WriteWholeFile(fresh, "1", &reason));
    EXPECT_EQ(Permissions(fresh), 0666 & ~mask);
    ASSERT_EQ(::chmod(QFile::encodeName(fresh).constData(), 0640), 0);
    ASSERT_TRUE(WriteWholeFile(fresh, "2", &reason));
    EXPECT_EQ(Permissions(fresh), 0640u);
    ASSERT_TRUE(WriteWholeFile(fresh, "3", &reason, {.readableByOthers = true}));
    EXPECT_EQ(Permissions(fresh), 0644u);

    // Through a link the linked file is replaced and the link stays.
    const QString link = dir.filePath("link");
    ASSERT_TRUE(QFile::link(fresh, link));
    ASSERT_TRUE(WriteWholeFile(link, "4", &reason));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Contents(fresh), "4");

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_FALSE(WriteWholeFile(dir.filePath("folder"), "5", &reason));
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(EISDIR)));
    EXPECT_FALSE(WriteWholeFile(dir.filePath("missing/file"), "6", &reason));
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(ENOENT)));
    EXPECT_EQ(Entries(dir.path()), (QStringList{"folder", "fresh", "link"}));
}

TEST_F(WholeFile, EveryWriterLeavesTheOldFileWhenTheDiskFills)
{
    auto g = MakeGraf(true, true, 4);
    g->AddArc(1, 2, 5);
    g->AddArc(2, 3, 7);
    g->AddArc(3, 4, 9);
    g->AddArc(4, 1, 11);
    g->AddLabel(QStringLiteral("label"), 30, 30);
    QImage picture(320, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x, y, x ^ y));
    TranslationManager translator;
    ProgramSettings config(translator);

    using ExchangeFormats::Format;
    // Each writes into the folder and names the file it wrote.
    using Writer = std::function<bool(const QString& folder, QString& target, QString* reason)>;
    auto exchange = [&](Format format, const char* name) -> Writer {
        return [&g, format, name](const QString& folder, QString& target, QString* reason) {
            target = folder + QLatin1Char('/') + QLatin1String(name);
            FileError error;
            const bool written = ExchangeFormats::ExportGraph(*g, target, format, &error);
            *reason = error.Text();
            return written;
        };
    };
    const std::vector<std::pair<const char*, Writer>> writers = {
        {"grafa",
         [&](const QString& folder, QString& target, QString* reason) {
             target = folder + "/g.grafa";
             return GrafaFile::SaveGrafa(*g, target, reason);
         }},
        {"graphml", exchange(Format::GraphML, "g.graphml")},
        {"gml", exchange(Format::Gml, "g.gml")},
        {"pajek", exchange(Format::Pajek, "g.net")},
        {"edgelist", exchange(Format::EdgeList, "g.edgelist")},
        {"csv", exchange(Format::Csv, "g.csv")},
        {"dot", exchange(Format::Dot, "g.dot")},
        {"bitmap command",
         [&](const QString& folder, QString& target, QString* reason) {
             target = folder + "/picture.bmp";
             return SaveCanvasBitmap(picture, folder + "/picture", reason);
         }},
        {"png",
         [&](const QString& folder, QString& target, QString* reason) {
             target = folder + "/picture.png";
             return SaveCanvasImage(picture, target, reason);
         }},
        {"svg",
         [&](const QString& folder, QString& target, QString* reason) {
             target = folder + "/g.svg";
             return SaveDocumentSvg(*g, g->CanvasSize(QSize()), target, reason);
         }},
        {"pdf",
         [&](const QString& folder, QString& target, QString* reason) {
             target = folder + "/g.pdf";
             return SaveDocumentPdf(*g, g->CanvasSize(QSize()), target, reason);
         }},
        {"report",
         [&](const QString& folder, QString& target, QString* reason) {
             ProgramPaths::SetProgramFolderOverride(folder);
             HTMLReportManager report;
             report.AddBoldLine(QStringLiteral("Heading"));
             report.AddLine(QString(3000, QLatin1Char('r')));
             target = report.GetFileName();
             return report.SaveToFile(reason);
         }},
        {"settings",
         [&](const QString& folder, QString& target, QString* reason) {
             ProgramPaths::SetProgramFolderOverride(folder);
             target = ProgramSettings::FileName();
             return config.SaveSettings(*g, {}, WindowPlacement{}, true, reason);
         }},
    };
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        const QString folder = dir.filePath(QLatin1String(name));
        ASSERT_TRUE(QDir().mkpath(folder));
        QString target, reason;
        ASSERT_TRUE(write(folder, target, &reason)) << reason.toStdString();
        const qint64 size = QFileInfo(target).size();
        ASSERT_GT(size, 1);
        const QByteArray old = QByteArray("a good old file: ") + name;
        Put(target, old);
        const QStringList entries = Entries(folder);
        // Nothing fits, or the disk fills half-way.
        for (const qint64 room : {qint64(0), size / 2}) {
            Room limit(room);
            reason.clear();
            EXPECT_FALSE(write(folder, target, &reason)) << room;
            EXPECT_EQ(reason, diskFull) << room;
            EXPECT_EQ(Contents(target), old) << room;
            EXPECT_EQ(Entries(folder), entries) << room;
        }
    }
}

namespace {

// A real file system of a few pages, filled to its last byte, for nodeloom-cli to write to.
struct FullDisk : CliProcess {
    QString disk;
    bool mounted = false;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        disk = dir.filePath("disk");
        ASSERT_TRUE(QDir().mkpath(disk));
        if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=256k") != 0)
            GTEST_SKIP() << "no small file system to fill here: " << std::strerror(errno);
        mounted = true;
        ASSERT_EQ(Run({"from-matrix", "0,4,0\n0,0,5\n0,0,0", "g.grafa", "--directed", "--weighted"}), 0)
            << err.toStdString();
    }
    void TearDown() override
    {
        if (mounted) {
            EXPECT_EQ(::umount(QFile::encodeName(disk).constData()), 0) << std::strerror(errno);
        }
    }
    void Fill()
    {
        const int handle =
            ::open(QFile::encodeName(disk + "/filler").constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(handle, 0) << std::strerror(errno);
        const QByteArray block(4096, 'x');
        while (::write(handle, block.constData(), size_t(block.size())) > 0) {
        }
        const int failure = errno;
        ::close(handle);
        ASSERT_EQ(failure, ENOSPC);
    }
};

} // namespace

TEST_F(FullDisk, EveryOutputOfTheToolFailsWithStatusFourAndKeepsTheOldFile)
{
    const QString g = dir.filePath("g.grafa");
    const QStringList run{"run", "FindTraceDekctri", g, "--from", "1", "--to", "3"};
    // The arguments, and the file under the disk whose old copy must survive.
    std::vector<std::pair<QStringList, QString>> cases;
    for (const char* extension :
         {"grafa", "csv", "net", "dot", "gml", "edgelist", "graphml", "pdf", "svg", "png", "bmp"})
        cases.push_back({{"convert", g, disk + "/out." + extension}, QString("out.") + extension});
    cases.push_back({run + QStringList{"--report", disk + "/r.html"}, "r.html"});
    cases.push_back({run + QStringList{"--json", disk + "/r.json"}, "r.json"});
    cases.push_back({run + QStringList{"--steps", disk + "/s.json"}, "s.json"});
    cases.push_back({run + QStringList{"--walkthrough", disk + "/w.html"}, "w.html"});
    cases.push_back({run + QStringList{"--image", disk + "/run.png"}, "run.png"});
    cases.push_back({run + QStringList{"--frames", disk + "/frames"}, "frames/frame-0001.png"});
    cases.push_back(
        {run + QStringList{"--frames", disk + "/svg", "--frames-format", "svg"}, "svg/frame-0001.svg"});
    cases.push_back({run + QStringList{"--jsonl", disk + "/runs.jsonl"}, "runs.jsonl"});

    ASSERT_TRUE(QDir(disk).mkdir("frames") && QDir(disk).mkdir("svg"));
    for (const auto& [arguments, output] : cases)
        Put(disk + '/' + output, "a good old file: " + output.toUtf8());
    Fill();
    const QStringList entries = Entries(disk);
    for (const auto& [arguments, output] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const QString path = disk + '/' + output;
        EXPECT_EQ(Run(arguments), 4);
        EXPECT_EQ(err.toStdString(), (path + ": " + diskFull + "\n").toStdString());
        EXPECT_EQ(Contents(path), "a good old file: " + output.toUtf8());
        EXPECT_EQ(Entries(disk), entries);
    }
    // A folder for the frames that cannot be made says so, with the system's reason.
    EXPECT_EQ(Run(run + QStringList{"--frames", disk + "/filler/frames"}), 4);
    EXPECT_EQ(err.toStdString(), (disk + "/filler/frames: папку не удаётся создать: " +
                                  QString::fromLocal8Bit(std::strerror(ENOTDIR)) + "\n")
                                     .toStdString());
}

TEST_F(FullDisk, AReportTheRunCouldNotSaveIsNotWrittenEmpty)
{
    // The run's own report goes to its temporary folder, here on the full disk.
    const QString report = Write("r.html", "a good old report");
    Fill();
    const QByteArray temporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(disk));
    const int status = Run(
        {"run", "FindTraceDekctri", dir.filePath("g.grafa"), "--from", "1", "--to", "3", "--report", report});
    if (temporary.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", temporary);
    EXPECT_EQ(status, 4);
    EXPECT_TRUE(err.contains(diskFull)) << err.toStdString();
    EXPECT_EQ(Contents(report), "a good old report");
}
