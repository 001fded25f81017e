#include "ui/dialogs/import_run_dlg.h"

#include "commands/command_texts.h"
#include "commands/photo_import.h"
#include "platform/folder_ops.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>

namespace tollamar {

std::optional<TImportFolders> AskImportFolders(QWidget* parent, const QString& currentFolder) {
    TImportFolders folders;
    folders.source = NativePathFromQt(QFileDialog::getExistingDirectory(parent, texts::ImportSourcePrompt()));
    if (folders.source.isEmpty()) return std::nullopt;
    QDir start(currentFolder);
    const QString parentFolder = currentFolder.isEmpty() || !start.cdUp() ? QString() : start.path();
    folders.destination =
        NativePathFromQt(QFileDialog::getExistingDirectory(parent, texts::ImportDestinationPrompt(), parentFolder));
    if (folders.destination.isEmpty()) return std::nullopt;
    return folders;
}

TModalResult ExecImportRun(QWidget* owner,
                           const std::function<std::optional<TImportFolders>(QWidget* dialog)>& askFolders) {
    TProgressDlg dialog(owner);
    dialog.setWindowTitle(texts::ImportCaption());
    dialog.Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    dialog.Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    dialog.OnRun = [&](TProgressDlg& d) {
        if (const std::optional<TImportFolders> folders = askFolders(&d)) {
            TImportHooks hooks;
            hooks.progress = [&d](const QString& folderLine, const QString& fileLine) {
                d.Label1->setText(folderLine);
                d.Label2->setText(fileLine);
            };
            hooks.cancelled = [&d] { return d.UserCancelled(); };
            RunImport(folders->source, folders->destination, hooks);
        }
        if (d.ModalResult() == TModalResult::None) d.SetModalResult(TModalResult::OK);
    };
    return dialog.Execute();
}

}  // namespace tollamar
