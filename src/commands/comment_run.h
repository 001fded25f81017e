#pragma once
// Setting or appending one text to the comments of every listed photo, one file at a
// time. The caller shows the progress line and the messages and says when to stop.

#include <QString>
#include <QStringList>
#include <Qt>
#include <functional>

namespace tollamar {

// What confirming the comment editor asks for: Shift chooses all listed files, Ctrl
// with it replaces their comments, Shift alone appends; Ctrl alone changes nothing.
enum class TCommentMode { Single, SetAll, AppendAll };
TCommentMode CommentModeFor(Qt::KeyboardModifiers held);

// The question and the progress dialog caption for SetAll and AppendAll.
QString AllFilesQuestion(TCommentMode mode);
QString CommentRunCaption(TCommentMode mode);

struct TCommentRunHooks {
    // "name:(i/N)" before the file is written; i counts rows from 0.
    std::function<void(const QString& line)> progress;
    // One message per missing file or failed write; the run goes on.
    std::function<void(const QString& message)> error;
    // The row's file now holds this comment (read back from the file).
    std::function<void(int row, const QString& storedComment)> written;
    // Asked after each row; true stops the run there.
    std::function<bool()> cancelled;
};

enum class TRunEnd { Completed, Cancelled };

// Writes text (SetAll), or each file's comment followed directly by text (AppendAll),
// into every file of the list, as Unicode or Shift-JIS. An empty name is a row without
// a photo and is passed over. The text is stored exactly as given; only the Shift-JIS
// form turns characters it cannot hold into '?'. Errors of a file are reported through
// the error hook and do not end the run.
TRunEnd RunCommentAll(const QStringList& files, const QString& text, TCommentMode mode,
                      bool asUnicode, const TCommentRunHooks& hooks);

}  // namespace tollamar
