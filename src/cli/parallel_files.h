#pragma once
// Read-only verbs over many files spend their time in open, read and close; running
// those on every core while the main thread prints in argument order keeps the output
// identical to a one-by-one run.

#include <QString>
#include <QStringList>
#include <functional>

namespace tollamar::cli {

// produce(file) runs on worker threads and may raise; consume(file, text) runs on the
// calling thread in file order for the files whose produce succeeded. Errors are
// reported in order too. Returns the exit status.
int ForEachFileInParallel(const QStringList& files,
                          const std::function<QString(const QString&)>& produce,
                          const std::function<void(const QString&, const QString&)>& consume);

// Prints produce(file) for each file; with several files each text comes after a line
// "==> FILE <==" and an empty line separates them.
int PrintEachFile(const QStringList& files, const std::function<QString(const QString&)>& produce);

}  // namespace tollamar::cli
