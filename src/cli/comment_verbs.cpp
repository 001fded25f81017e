#include "cli/cli_io.h"
#include "cli/comment_forms.h"
#include "cli/parallel_files.h"
#include "cli/verbs.h"
#include "jpegfile/comment_io.h"
#include "platform/codepage.h"

#include <QFile>

namespace tollamar::cli {
namespace {

int commentVerb(QStringList args) {
    if (args.isEmpty()) return UsageError(QStringLiteral("comment: no file given"));
    return PrintEachFile(args, [](const QString& file) { return UpToFirstNul(ReadComment(file)); });
}

QString readStdin() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(in.readAll());
}

int setCommentVerb(QStringList args) {
    QStringList options;
    if (!TakeOptions(args, {QStringLiteral("--unicode"), QStringLiteral("--append")}, options))
        return UsageError(QStringLiteral("set-comment: unknown option %1").arg(args.first()));
    if (args.size() < 2) return UsageError(QStringLiteral("set-comment: TEXT and FILE needed"));
    const QString given = args.takeFirst();
    // The editor stores line breaks as CR LF; text from a terminal or a file has LF.
    const QString text = WithCrLf(given == QStringLiteral("-") ? readStdin() : given);
    const bool unicode = options.contains(QStringLiteral("--unicode"));
    const bool append = options.contains(QStringLiteral("--append"));
    return ForEachFile(args, [&](const QString& file) {
        if (append ? AppendComment(file, text, unicode) : WriteComment(file, text, unicode)) return true;
        ReportError(file, QStringLiteral("コメントの書き込みに失敗しました"));
        return false;
    });
}

}  // namespace

QList<Verb> CommentVerbs() {
    return {
        {QStringLiteral("comment"), QStringLiteral("FILE..."),
         QStringLiteral("print each photo's comment"), commentVerb},
        {QStringLiteral("set-comment"), QStringLiteral("[--unicode] [--append] TEXT|- FILE..."),
         QStringLiteral("write (or append to) the comment, as Shift-JIS or UTF-16"), setCommentVerb},
    };
}

}  // namespace tollamar::cli
