#include "files/FileError.h"

#include "base/TranslationManager.h"

FileError FileError::Message(const QString& key, const QStringList& arguments)
{
    FileError error;
    error.key = key;
    error.arguments = arguments;
    return error;
}

FileError FileError::Verbatim(const QString& text)
{
    FileError error;
    error.arguments = {text};
    return error;
}

FileError& FileError::InFile(const QString& name)
{
    fileName = name;
    return *this;
}

FileError& FileError::AtLine(int number)
{
    line = number;
    return *this;
}

QString FileError::Text() const
{
    if (key.isEmpty())
        return arguments.value(0);
    QString text = Translate(key);
    for (const QString& argument : arguments)
        text = text.arg(argument);
    return text;
}
