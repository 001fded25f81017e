#include "cli_run.h"

#include <QProcess>

CliRun cli(const QStringList& args, const QByteArray& input) {
    QProcess process;
    process.start(QStringLiteral(TOLLAMAR_CLI), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
