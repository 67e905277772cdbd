#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QTranslator;

// Qt's own texts (the buttons and labels of file, colour, input and message boxes) in the
// program's language: the catalogue named by the key "QtLanguage" of the current language,
// replaced whenever the language changes. English needs none.
class QtTranslations : public QObject {
    Q_OBJECT

  public:
    explicit QtTranslations(QObject* parent = nullptr);
    ~QtTranslations() override;

    // Loads the catalogue of the current language; false when none is installed for it.
    bool Apply();
    // The language code whose catalogue is installed, empty when none is.
    const QString& InstalledLanguage() const { return installed; }

  private:
    std::unique_ptr<QTranslator> translator;
    QString installed;
};
