#pragma once
// Output conventions of tollamar-cli: UTF-8 with LF line ends on standard output,
// "tollamar-cli: FILE: message" on standard error, exit status 0/1/2.

#include <QString>
#include <QStringList>
#include <functional>

namespace tollamar::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void PrintLine(const QString& text);
void PrintText(const QString& text);  // CR LF and lone CR become LF
void ReportError(const QString& file, const QString& message);
int UsageError(const QString& message);

// Runs work for each file, reporting what it raises; returns the exit status.
int ForEachFile(const QStringList& files, const std::function<bool(const QString&)>& work);

// Takes the leading --options listed in known off args; false on an unknown option.
bool TakeOptions(QStringList& args, const QStringList& known, QStringList& given);

}  // namespace tollamar::cli
