// TMainForm: the comment editing command, the Exif segment export and import, and the
// photo import into day folders.

#include "app/app_globals.h"
#include "app/main_form.h"
#include "app/new_action.h"
#include "app/override_cursor.h"
#include "app/photo_list_model.h"
#include "app/photo_list_view.h"
#include "commands/command_texts.h"
#include "commands/comment_run.h"
#include "exif/exif_summary.h"
#include "imaging/jpeg_size.h"
#include "jpegfile/comment_io.h"
#include "jpegfile/exif_segment_file.h"
#include "jpegfile/safe_rewrite.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/native_name.h"
#include "ui/dialogs/comment_run_dlg.h"
#include "ui/dialogs/edit_text_dlg.h"
#include "ui/dialogs/exif_segment_dlg.h"
#include "ui/dialogs/import_run_dlg.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QScopeGuard>

namespace tollamar {
namespace {

// The commands report what they raise themselves, so that one triggered from code (a
// key handler of another window, a test) ends the same way as one from a menu.
void runCommand(const std::function<void()>& work) { RunReporting(work); }

// The file summary after a rewrite: the times are kept, but the size has changed.
QString fileSummary(const QString& fileName) { return FileSummaryText(fileName, ProbeJpegSize); }


}  // namespace

void TMainForm::createCommandActions() {
    EditTextDlg = new TEditTextDlg(this);
    connect(EditComSegAction, &QAction::triggered, this, [this] { runCommand([this] { EditComSegActionExecute(); }); });

    SaveSegAction = NewAction(this, "SaveSegAction", QStringLiteral("‘Exif(APP1)’を外部ファイルに保存(&S)"));
    connect(SaveSegAction, &QAction::triggered, this, [this] { runCommand([this] { SaveSegActionExecute(); }); });
    LoadSegAction = NewAction(this, "LoadSegAction", QStringLiteral("‘Exif(APP1)’に外部ファイルを読み込む(&L)"));
    connect(LoadSegAction, &QAction::triggered, this, [this] { runCommand([this] { LoadSegActionExecute(); }); });
    SaveSegAction->setEnabled(false);
    LoadSegAction->setEnabled(false);

    InportAction =
        NewAction(this, "InportAction", texts::ImportCaption(), QStringLiteral("Inport JPEG files to Folder"));
    InportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    connect(InportAction, &QAction::triggered, this, [this] { runCommand([this] { InportActionExecute(); }); });
}

void TMainForm::beginListWork() { ++m_listWork; }

void TMainForm::endListWork() {
    if (--m_listWork > 0) return;
    if (m_deferredList) {
        TPhotoList list = std::move(*m_deferredList);
        m_deferredList.reset();
        m_sortDeferred = false;
        // The command may have made one of the old entries current again.
        SetCurrentItem(nullptr);
        rebuildList(std::move(list));
    } else if (m_sortDeferred) {
        m_sortDeferred = false;
        sortNow();
    }
    wakeIdle();
}

void TMainForm::EditComSegActionExecute() {
    const int row = ListView1->selectedRow();
    TItemData* entry = m_model->entry(row);
    if (!entry || !FileExists(entry->FileName)) return;
    beginListWork();
    const auto done = qScopeGuard([this] { endListWork(); });

    EditTextDlg->setWindowTitle(texts::EditCommentCaption(DisplayFileName(entry->FileName)));
    EditTextDlg->InitialText = ReadComment(entry->FileName);
    {
        ModalBracket bracket;
        if (EditTextDlg->exec() != QDialog::Accepted) return;
    }
    const TCommentMode mode = CommentModeFor(EditTextDlg->ConfirmModifiers());
    if (mode != TCommentMode::Single) {
        bool confirmed = false;
        {
            ModalBracket bracket;
            confirmed = ConfirmAllFilesRun(this, mode);
        }
        if (!confirmed) {
            ReportNotice(texts::CommentChangeAbandoned());
            return;
        }
    }
    const TOverrideCursor hourglass;
    const QString text = EditTextDlg->Text();
    if (mode == TCommentMode::Single) writeOneComment(row, *entry, text);
    else writeAllComments(*entry, mode, text);
}

void TMainForm::writeOneComment(int row, TItemData& entry, const QString& text) {
    if (!WriteComment(entry.FileName, text, ComAsUnicodeAction->isChecked())) {
        ReportError(texts::CommentWriteFailed());
        return;
    }
    SetCurrentItem(nullptr);
    // The photo is written: the windows show it again even when reading it back or
    // rebuilding the information window fails, and only the first error is reported.
    QString error;
    const auto noting = [&error](const std::function<void()>& step) {
        try {
            step();
        } catch (const Error& e) {
            if (error.isEmpty()) error = e.message();
        }
    };
    noting([&entry] {
        entry.Comment = ReadComment(entry.FileName);
        entry.Summary = fileSummary(entry.FileName);
    });
    ListView1->invalidateRow(row);
    noting([this, &entry] { SetCurrentItem(&entry); });
    if (!error.isEmpty()) ReportError(error);
}

void TMainForm::writeAllComments(TItemData& started, TCommentMode mode, const QString& text) {
    TCommentRunRequest request{{}, text, mode, ComAsUnicodeAction->isChecked()};
    for (const auto& entry : m_photoList) request.files.append(entry ? entry->FileName : QString());
    const auto written = [this, &request](int row, const QString& stored) {
        TItemData* entry = m_model->entry(row);
        if (!entry || entry->FileName != request.files[row]) return;
        entry->Comment = stored;
        entry->Summary = fileSummary(entry->FileName);
    };
    TModalResult result = TModalResult::None;
    {
        // Loading the entries would take turns with the writes; it resumes afterwards.
        m_idlePaused = true;
        const auto resume = qScopeGuard([this] { m_idlePaused = false; });
        result = ExecCommentRun(this, request, ReportError, written);
    }
    if (result == TModalResult::Cancel) ReportNotice(texts::Interrupted());
    SetCurrentItem(nullptr);
    SetCurrentItem(mode == TCommentMode::SetAll ? m_model->entry(ListView1->selectedRow()) : &started);
    ListView1->activeView()->viewport()->update();
}

void TMainForm::SaveSegActionExecute() {
    const TItemData* entry = m_model->entry(ListView1->selectedRow());
    if (!entry || !FileExists(entry->FileName)) return;
    const QString photo = entry->FileName;
    QString target;
    {
        ModalBracket bracket;
        target = AskExifFile(this, TExifFileDialogKind::Save, photo, m_currentFolder);
    }
    if (!target.isEmpty()) ExportExifSegment(photo, target);
}

void TMainForm::LoadSegActionExecute() {
    TItemData* entry = m_model->entry(ListView1->selectedRow());
    if (!entry || !FileExists(entry->FileName)) return;
    beginListWork();
    const auto done = qScopeGuard([this] { endListWork(); });
    const QString photo = entry->FileName;
    QByteArray exifData;
    {
        ModalBracket bracket;
        const QString source = AskExifFile(this, TExifFileDialogKind::Open, photo, m_currentFolder);
        if (source.isEmpty()) return;
        // A file that cannot be read is reported before any question about replacing.
        exifData = ReadExifSegmentFile(photo, source);
        if (!ConfirmExifReplace(this, photo)) return;
    }
    if (!ReplaceSegmentInFile(photo, exifData, kMarkerAPP1)) {
        ReportError(texts::ExifWriteFailed());
        return;
    }
    // The windows show the new Exif; the list's camera and summary stay as they were
    // until the folder is opened again.
    SetCurrentItem(nullptr);
    SetCurrentItem(entry);
}

void TMainForm::InportActionExecute() {
    const auto askFolders = [this](QWidget* dialog) {
        ModalBracket bracket;
        return AskImportFolders(dialog, m_currentFolder);
    };
    if (ExecImportRun(this, askFolders) == TModalResult::Cancel) ReportNotice(texts::Interrupted());
}

}  // namespace tollamar
