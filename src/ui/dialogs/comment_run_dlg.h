#pragma once
// The windows around a comment run over the photo list: the question that confirms it
// and the progress dialog it runs in.

#include "commands/comment_run.h"
#include "ui/dialogs/progress_dlg.h"

#include <QStringList>
#include <functional>

class QWidget;

namespace tollamar {

// The Yes/No question for SetAll or AppendAll (No is the default); true for Yes.
bool ConfirmAllFilesRun(QWidget* parent, TCommentMode mode);

struct TCommentRunRequest {
    QStringList files;  // one per list row, empty for a row without a photo
    QString text;       // the edited text, applied exactly as it is
    TCommentMode mode = TCommentMode::SetAll;
    bool asUnicode = false;
};

// Runs the request inside a fresh progress dialog owned by owner: the caption names
// the mode, the upper line shows the text, the lower one "name:(i/N)". reportError
// shows one message per missing file or failed write; written tells of each file
// written, with the comment it now holds. OK when the run ended, Cancel when the user
// stopped it.
TModalResult ExecCommentRun(QWidget* owner, const TCommentRunRequest& request,
                            const std::function<void(const QString&)>& reportError,
                            const std::function<void(int row, const QString& storedComment)>& written);

}  // namespace tollamar
