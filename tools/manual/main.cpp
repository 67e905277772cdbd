// Builds the user manual: help.pdf (Russian) and help-en.pdf (English) from the chapters in
// docs/manual/<language>/ and the pictures of docs/manual/pictures.ini, which the program
// draws itself, so that no picture goes stale.
#include "ManualBook.h"
#include "ManualPictures.h"
#include "PictureManifest.h"

#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

struct Language {
    const char* folder;
    const char* languageFile; // empty: the built-in language
    const char* output;
};

constexpr Language kLanguages[] = {{"ru", "", "help.pdf"}, {"en", "grafEnglish.lang", "help-en.pdf"}};

void Print(const QString& line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

} // namespace

int main(int argc, char* argv[])
{
    // The off-screen windows need no window system; its plugin's remarks about what it cannot
    // do are no news here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && !message.contains(QLatin1String("This plugin does not support")) &&
            !message.startsWith(QLatin1String("QStandardPaths:")))
            Print(message);
    });
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3 && !(arguments.size() == 5 && arguments[3] == QLatin1String("--pictures"))) {
        Print(QStringLiteral("usage: nodeloom-manual MANUAL_FOLDER OUTPUT_FOLDER [--pictures FOLDER]"));
        return 2;
    }
    // Where the pictures are also saved as PNG files, for a writer to look at.
    const QString picturesFolder = arguments.size() == 5 ? arguments[4] : QString();
    if (!picturesFolder.isEmpty())
        QDir().mkpath(picturesFolder);
    const QDir manual(arguments[1]);
    const QDir output(arguments[2]);
    QDir().mkpath(output.path());
    // The windows keep their settings and reports away from the build folder.
    QTemporaryDir scratch;
    ProgramPaths::SetProgramFolderOverride(scratch.path());

    QStringList errors;
    const QList<ManualPicture> manifest =
        ReadPictureManifest(manual.filePath(QStringLiteral("pictures.ini")), errors);
    for (const Language& language : kLanguages) {
        ManualBook book;
        book.chapters = ReadChapters(manual.filePath(QLatin1String(language.folder)), errors);
        for (const QString& name : PicturesUsed(book.chapters)) {
            const auto picture = std::find_if(manifest.begin(), manifest.end(),
                                              [&name](const ManualPicture& p) { return p.name == name; });
            if (picture == manifest.end()) {
                errors.append(QLatin1String(language.folder) + QStringLiteral(": no picture named ") + name);
                continue;
            }
            const QImage image = MakeManualPicture(*picture, QLatin1String(language.languageFile), errors);
            book.pictures.insert(name + QStringLiteral(".png"), image);
            if (!picturesFolder.isEmpty())
                image.save(picturesFolder + QLatin1Char('/') + QLatin1String(language.folder) +
                           QLatin1Char('-') + name + QStringLiteral(".png"));
        }
        if (*language.languageFile == '\0')
            TranslateManager().UseBuiltIn();
        else
            TranslateManager().LoadLanguage(QLatin1String(language.languageFile));
        book.title = Translate("manual_title");
        book.contentsTitle = Translate("manual_contents");
        const QString terms =
            manual.filePath(QLatin1String(language.folder) + QStringLiteral("/index-terms.txt"));
        if (QFileInfo::exists(terms))
            book.indexTerms = ReadIndexTerms(terms, errors);
        if (!errors.isEmpty())
            break;
        const QString file = output.filePath(QLatin1String(language.output));
        if (QString problem; !WriteManualPdf(book, file, problem))
            errors.append(file + QStringLiteral(": ") + problem);
    }
    for (const QString& error : std::as_const(errors))
        Print(QStringLiteral("nodeloom-manual: ") + error);
    return errors.isEmpty() ? 0 : 1;
}
