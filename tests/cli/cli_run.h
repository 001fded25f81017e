#pragma once
// Runs tollamar-cli (or another program) as a script would and captures what it says.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct CliRun {
    int status = -1;
    QString out, err;
    bool killed = false;  // ended by a signal
};

// The program with the arguments, input on its standard input.
CliRun cli(const QStringList& args, const QByteArray& input = {});
CliRun RunProgram(const QString& program, const QStringList& args, const QByteArray& input = {});
