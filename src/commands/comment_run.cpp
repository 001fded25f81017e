#include "commands/comment_run.h"

#include "commands/command_texts.h"
#include "jpegfile/comment_io.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/native_name.h"

#include <QFileInfo>

namespace tollamar {

TCommentMode CommentModeFor(Qt::KeyboardModifiers held) {
    if (!(held & Qt::ShiftModifier)) return TCommentMode::Single;
    return (held & Qt::ControlModifier) ? TCommentMode::SetAll : TCommentMode::AppendAll;
}

QString AllFilesQuestion(TCommentMode mode) {
    return mode == TCommentMode::AppendAll ? texts::AppendAllQuestion() : texts::ReplaceAllQuestion();
}

QString CommentRunCaption(TCommentMode mode) {
    return mode == TCommentMode::AppendAll ? texts::AppendAllCaption() : texts::SetAllCaption();
}

namespace {

// The comment as the file now holds it; a read that fails right after a successful
// write leaves the text that was written (for an append, the part added) as the best
// account of it.
QString storedComment(const QString& file, const QString& written) {
    try {
        return ReadComment(file);
    } catch (const Error&) {
        return written;
    }
}

class CommentRun {
public:
    CommentRun(const QString& text, TCommentMode mode, bool asUnicode, const TCommentRunHooks& hooks)
        : m_text(text), m_mode(mode), m_asUnicode(asUnicode), m_hooks(hooks) {}

    void writeRow(const QString& file, int row, qsizetype rows) const {
        if (!FileExists(file)) return report(texts::FileNotFound(file));
        if (m_hooks.progress)
            m_hooks.progress(QStringLiteral("%1:(%2/%3)").arg(DisplayFileName(file)).arg(row).arg(rows));
        try {
            // The old comment is read under the rewrite's lock; a read error fails the photo.
            const bool append = m_mode == TCommentMode::AppendAll;
            if (!(append ? AppendComment(file, m_text, m_asUnicode) : WriteComment(file, m_text, m_asUnicode)))
                return report(texts::CommentWriteFailed());
            if (m_hooks.written) m_hooks.written(row, storedComment(file, m_text));
        } catch (const Error& e) {
            report(e.message());
        }
    }

private:
    void report(const QString& message) const {
        if (m_hooks.error) m_hooks.error(message);
    }

    const QString& m_text;
    TCommentMode m_mode;
    bool m_asUnicode;
    const TCommentRunHooks& m_hooks;
};

}  // namespace

TRunEnd RunCommentAll(const QStringList& files, const QString& text, TCommentMode mode,
                      bool asUnicode, const TCommentRunHooks& hooks) {
    const CommentRun run(text, mode, asUnicode, hooks);
    for (int row = 0; row < files.size(); ++row) {
        if (files[row].isEmpty()) continue;
        run.writeRow(files[row], row, files.size());
        if (hooks.cancelled && hooks.cancelled()) return TRunEnd::Cancelled;
    }
    return TRunEnd::Completed;
}

}  // namespace tollamar
