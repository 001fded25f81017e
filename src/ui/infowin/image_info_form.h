#pragma once
// The information window: what the main window's current photo holds (its comment,
// its file summary and its camera summary).

#include "app/sub_form.h"

class QPlainTextEdit;

namespace tollamar {

class TItemData;

class TImageInfoForm : public TSubForm {
public:
    explicit TImageInfoForm(QWidget* mainWindow);

    // Rebuilds the text for the photo (none empties it). Raises the photo's file and
    // Exif errors; the window is then left empty.
    void UpdateInfo(const TItemData* item);
    QString text() const;

private:
    QPlainTextEdit* m_text;
};

}  // namespace tollamar
