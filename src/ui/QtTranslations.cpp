#include "ui/QtTranslations.h"

#include "base/TranslationManager.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QtTranslations::QtTranslations(QObject* parent) : QObject(parent)
{
    Apply();
    connect(&TranslateManager(), &TranslationManager::languageChanged, this, &QtTranslations::Apply);
}

QtTranslations::~QtTranslations()
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
}

bool QtTranslations::Apply()
{
    const QString language = Translate(QStringLiteral("QtLanguage")).trimmed();
    if (language == installed)
        return !installed.isEmpty() || language.isEmpty() || language == QLatin1String("en");
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }
    installed.clear();
    if (language.isEmpty() || language == QLatin1String("en"))
        return true;
    auto next = std::make_unique<QTranslator>();
    // "qt_<language>" gathers the catalogues of every Qt module.
    if (!next->load(QStringLiteral("qt_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(next.get());
    translator = std::move(next);
    installed = language;
    return true;
}
