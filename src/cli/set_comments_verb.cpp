#include "cli/catalogue_runs.h"
#include "cli/cli_io.h"
#include "cli/comment_forms.h"
#include "commands/command_texts.h"
#include "cli/tsv_escape.h"
#include "jpegfile/comment_io.h"
#include "platform/errors.h"
#include "platform/native_name.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tollamar::cli {
namespace {

// The comment a reader would see after the text is stored: trimmed, and cut at U+0000.
QString asRead(const QString& text) {
    return DecodeComment(EncodeComment(text, true));
}

class SetCommentsRun {
public:
    SetCommentsRun(const QString& source, bool unicode, bool dryRun)
        : m_source(source == QStringLiteral("-") ? QStringLiteral("stdin") : source),
          m_unicode(unicode), m_dryRun(dryRun) {}

    void takeLine(QByteArrayView bytes, int number) {
        m_path.clear();
        try {
            apply(bytes, number);
        } catch (const Error& e) {
            fail(number, e.message());
        }
    }

    int finish() const {
        PrintLine(QStringLiteral("%1 %2, unchanged %3, failed %4")
                      .arg(m_dryRun ? QStringLiteral("would change") : QStringLiteral("changed"))
                      .arg(m_changed).arg(m_unchanged).arg(m_failed));
        return m_failed > 0 ? kExitFailed : kExitOk;
    }

private:
    void apply(QByteArrayView bytes, int number) {
        if (bytes.endsWith('\r')) bytes.chop(1);  // a table saved with CR LF line ends
        if (bytes.isEmpty()) return;
        // The path keeps its own bytes; the comment must be UTF-8.
        const QString line = NameFromNative(bytes);
        const QList<QStringView> fields = QStringView(line).split(u'\t');
        if (fields.size() < 2) return fail(number, QStringLiteral("expected PATH<TAB>COMMENT"));
        QString path, text, error;
        if (!UnescapeTsvField(fields[0], path, error) || !UnescapeTsvField(fields[1], text, error))
            return fail(number, error);
        if (path.isEmpty()) return fail(number, QStringLiteral("the path is empty"));
        if (HasRawBytes(text)) return fail(number, QStringLiteral("the comment is not UTF-8"));
        m_path = path;
        setComment(path, text, number);
    }

    void setComment(const QString& path, const QString& text, int number) {
        const StoredComment stored = ReadStoredComment(path);
        // Equal text is left alone whatever its form: changing only the encoding is what
        // convert-comments is for, and a table exported and set back must change nothing.
        const QString intended = WithCrLf(text);
        if (asRead(text) == stored.text || asRead(intended) == stored.text) {
            ++m_unchanged;
            return;
        }
        if (const QString problem = StoreProblem(intended, m_unicode); !problem.isEmpty())
            return fail(number, problem);
        if (m_dryRun) {
            PrintLine(EscapeTsvField(path));
        } else if (!WriteComment(path, intended, m_unicode)) {
            return fail(number, texts::CommentWriteFailed());
        }
        ++m_changed;
    }

    void fail(int number, const QString& message) {
        ++m_failed;
        QString where = QStringLiteral("%1:%2").arg(m_source).arg(number);
        if (!m_path.isEmpty()) where += QStringLiteral(": ") + m_path;
        ReportError(where, message);
    }

    QString m_source;
    bool m_unicode;
    bool m_dryRun;
    QString m_path;  // the photo of the line being applied, for messages
    int m_changed = 0, m_unchanged = 0, m_failed = 0;
};

bool readInput(const QString& source, QByteArray& bytes) {
    QFile in;
    if (source == QStringLiteral("-")) {
        in.open(stdin, QIODevice::ReadOnly);
    } else {
        // Opened by its bytes, and by descriptor so that <(command) works too.
        const int fd = open(NativeName(source).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || !in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ReportError(source, ErrnoText(errno));
            if (fd >= 0) close(fd);
            return false;
        }
    }
    bytes = in.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);  // the mark spreadsheets write
    return true;
}

}  // namespace

int SetCommentsVerb(QStringList args) {
    QStringList options;
    if (!TakeOptions(args, {QStringLiteral("--unicode"), QStringLiteral("--dry-run")}, options))
        return UsageError(QStringLiteral("set-comments: unknown option %1").arg(args.first()));
    if (args.size() != 1) return UsageError(QStringLiteral("set-comments: one FILE.tsv or - needed"));
    QByteArray input;
    if (!readInput(args.first(), input)) return kExitFailed;
    SetCommentsRun run(args.first(), options.contains(QStringLiteral("--unicode")),
                       options.contains(QStringLiteral("--dry-run")));
    int number = 0;
    for (qsizetype start = 0; start < input.size();) {
        qsizetype end = input.indexOf('\n', start);
        if (end < 0) end = input.size();
        run.takeLine(QByteArrayView(input).sliced(start, end - start), ++number);
        start = end + 1;
    }
    return run.finish();
}

}  // namespace tollamar::cli
