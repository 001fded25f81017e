#include "ui/dialogs/exif_segment_dlg.h"

#include "commands/command_texts.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace tollamar {

std::unique_ptr<QFileDialog> MakeExifFileDialog(QWidget* parent, TExifFileDialogKind kind,
                                                const QString& photo, const QString& folder) {
    const QString name = DisplayFileName(photo);
    const bool save = kind == TExifFileDialogKind::Save;
    auto dialog = std::make_unique<QFileDialog>(parent, save ? texts::ExifSaveTitle(name) : texts::ExifLoadTitle(name),
                                                folder);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilters({texts::ExifFileFilter(), texts::AllFilesFilter()});
    dialog->setDefaultSuffix(texts::ExifDefaultSuffix());
    dialog->setSizeGripEnabled(true);
    return dialog;
}

QString AskExifFile(QWidget* parent, TExifFileDialogKind kind, const QString& photo, const QString& folder) {
    const std::unique_ptr<QFileDialog> dialog = MakeExifFileDialog(parent, kind, photo, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return NativePathFromQt(dialog->selectedFiles().constFirst());
}

bool ConfirmExifReplace(QWidget* parent, const QString& photo) {
    QMessageBox box(QMessageBox::Warning, texts::ExifReplaceCaption(DisplayFileName(photo)),
                    texts::ExifReplaceQuestion(), QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

}  // namespace tollamar
