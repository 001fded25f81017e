#pragma once
// The windows around the photo import: the two folder prompts and the progress dialog
// the import runs in.

#include "ui/dialogs/progress_dlg.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace tollamar {

struct TImportFolders {
    QString source;
    QString destination;
};

// Asks for the folder to import from (no start folder), then for the folder to import
// into, starting at the parent of currentFolder; nothing when either is cancelled.
std::optional<TImportFolders> AskImportFolders(QWidget* parent, const QString& currentFolder);

// Runs the import inside a fresh progress dialog owned by owner. askFolders is called
// once the dialog is on screen (with it as the parent to use); when it gives nothing
// the dialog closes with OK and nothing is copied. OK when the import ended, Cancel
// when the user stopped it.
TModalResult ExecImportRun(QWidget* owner,
                           const std::function<std::optional<TImportFolders>(QWidget* dialog)>& askFolders);

}  // namespace tollamar
