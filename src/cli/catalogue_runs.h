#pragma once
// The verbs that read and write the comments of many photos from scripts and tables.

#include <QStringList>

namespace tollamar::cli {

// Each returns the exit status.
int CommentsVerb(QStringList args);
int SetCommentsVerb(QStringList args);
int ConvertCommentsVerb(QStringList args);

}  // namespace tollamar::cli
