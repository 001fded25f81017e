#include "cli_run.h"

#include "platform/native_name.h"

#include <QProcess>
#include <QTemporaryFile>

CliRun RunProgram(const QString& program, const QStringList& args, const QByteArray& input) {
    QProcess process;
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    // Output decoded losslessly, so that printed file names can be compared byte for byte.
    return {process.exitCode(), tollamar::NameFromNative(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), process.exitStatus() == QProcess::CrashExit};
}

// QProcess hands arguments over as UTF-8; a shell script carries any bytes.
static CliRun runThroughShell(const QStringList& args, const QByteArray& input) {
    QByteArray script = "exec '" TOLLAMAR_CLI "'";
    for (const QString& arg : args) script += " '" + tollamar::NativeName(arg).replace("'", "'\\''") + '\'';
    QTemporaryFile file;
    if (!file.open() || file.write(script + '\n') != script.size() + 1 || !file.flush()) return {};
    return RunProgram(QStringLiteral("/bin/sh"), {file.fileName()}, input);
}

CliRun cli(const QStringList& args, const QByteArray& input) {
    for (const QString& arg : args)
        if (tollamar::HasRawBytes(arg)) return runThroughShell(args, input);
    return RunProgram(QStringLiteral(TOLLAMAR_CLI), args, input);
}
