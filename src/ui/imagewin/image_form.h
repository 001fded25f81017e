#pragma once
// The image window: the main window's current photo, fitted to the window.

#include "app/sub_form.h"

namespace tollamar {

class TItemData;

class TImageForm : public TSubForm {
public:
    explicit TImageForm(QWidget* mainWindow);

    // Records the photo to show (none clears the window) and repaints later; the
    // picture is decoded when the window paints, so a hidden window never decodes.
    void ShowItem(const TItemData* item);
    QString shownFile() const;

private:
    class PictureView;
    PictureView* m_view;
};

}  // namespace tollamar
