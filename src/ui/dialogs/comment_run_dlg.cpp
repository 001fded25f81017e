#include "ui/dialogs/comment_run_dlg.h"

#include "commands/command_texts.h"

#include <QLabel>
#include <QMessageBox>

namespace tollamar {

bool ConfirmAllFilesRun(QWidget* parent, TCommentMode mode) {
    QMessageBox box(QMessageBox::Question, texts::AllFilesQuestionCaption(), AllFilesQuestion(mode),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

TModalResult ExecCommentRun(QWidget* owner, const TCommentRunRequest& request,
                            const std::function<void(const QString&)>& reportError,
                            const std::function<void(int row, const QString& storedComment)>& written) {
    TProgressDlg dialog(owner);
    dialog.setWindowTitle(CommentRunCaption(request.mode));
    dialog.Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // Shown only; the run takes the text from the request, never back from the label.
    dialog.Label2->setText(request.text);
    dialog.OnRun = [&](TProgressDlg& d) {
        TCommentRunHooks hooks;
        hooks.progress = [&d](const QString& line) { d.Label1->setText(line); };
        hooks.error = reportError;
        hooks.written = written;
        hooks.cancelled = [&d] { return d.UserCancelled(); };
        RunCommentAll(request.files, request.text, request.mode, request.asUnicode, hooks);
        if (d.ModalResult() == TModalResult::None) d.SetModalResult(TModalResult::OK);
    };
    return dialog.Execute();
}

}  // namespace tollamar
