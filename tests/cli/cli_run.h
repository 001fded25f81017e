#pragma once
// Runs tollamar-cli as a script would and captures what it says.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct CliRun {
    int status = -1;
    QString out, err;
};

// The program with the arguments, input on its standard input.
CliRun cli(const QStringList& args, const QByteArray& input = {});
