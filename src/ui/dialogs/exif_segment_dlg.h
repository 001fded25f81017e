#pragma once
// The file dialogs and the question of the Exif segment export and import.

#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

namespace tollamar {

enum class TExifFileDialogKind { Save, Open };

// The dialog for an Exif segment file of photo: titled after the photo's name, filters
// for *.exif and for all files, default suffix "exif", starting in folder. The save
// dialog asks before replacing a file; the open dialog takes existing files only.
std::unique_ptr<QFileDialog> MakeExifFileDialog(QWidget* parent, TExifFileDialogKind kind,
                                                const QString& photo, const QString& folder);

// The chosen file, empty when the dialog is cancelled.
QString AskExifFile(QWidget* parent, TExifFileDialogKind kind, const QString& photo, const QString& folder);

// The warning before the photo's APP1 data is replaced (Cancel is the default); true for OK.
bool ConfirmExifReplace(QWidget* parent, const QString& photo);

}  // namespace tollamar
