#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Runs nodeloom-cli as a user would, in a folder of the test's own, and keeps what it printed.
struct CliProcess : ::testing::Test {
    QTemporaryDir dir;
    QString out, err;
    // The tool follows the locale; runs are in the built-in language unless a test sets one.
    QProcessEnvironment environment = [] {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.remove(QStringLiteral("LC_ALL"));
        e.remove(QStringLiteral("LC_MESSAGES"));
        e.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        return e;
    }();

    int Run(const QStringList& arguments)
    {
        QProcess process;
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
