#pragma once

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Runs nodeloom-cli as a user would, in a folder of the test's own, and keeps what it printed.
struct CliProcess : ::testing::Test {
    QTemporaryDir dir;
    QString out, err;
    // The tool follows the locale: runs are in the built-in language unless a test sets the
    // locale's variables here (an empty value leaves one unset).
    QMap<QString, QString> locale;

    int Run(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        for (auto it = locale.cbegin(); it != locale.cend(); ++it) {
            environment.remove(it.key());
            if (!it.value().isEmpty())
                environment.insert(it.key(), it.value());
        }
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(NODELOOM_CLI_PATH), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        out = QString::fromUtf8(process.readAllStandardOutput());
        err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return dir.filePath(name);
    }
    QByteArray Read(const QString& name)
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
