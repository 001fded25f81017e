#pragma once
// Runs a program to its end and keeps what it printed.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

struct CliRun {
    int status = -1;
    QString out, err;
    bool killed = false;  // ended by a signal
};

inline CliRun RunProgram(const QString& program, const QStringList& args, const QByteArray& input = {}) {
    QProcess process;
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), process.exitStatus() == QProcess::CrashExit};
}

}  // namespace testsupport
