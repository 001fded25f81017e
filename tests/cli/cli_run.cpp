#include "cli_run.h"

#include <QProcess>

CliRun RunProgram(const QString& program, const QStringList& args, const QByteArray& input) {
    QProcess process;
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), process.exitStatus() == QProcess::CrashExit};
}

CliRun cli(const QStringList& args, const QByteArray& input) {
    return RunProgram(QStringLiteral(TOLLAMAR_CLI), args, input);
}
