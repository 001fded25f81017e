#pragma once
// The thumbnail size dialog: two sliders in steps of 4 pixels from 32 to 128, a
// preview rectangle of the chosen size and its figures.

#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

namespace tollamar {

class TTmnSizeForm : public QDialog {
public:
    explicit TTmnSizeForm(QWidget* parent = nullptr);

    // Each slider goes to (side + 2) / 4, kept within its range.
    void setThumbnailSize(QSize size);
    // The slider positions times 4.
    QSize thumbnailSize() const;

    QSlider* TrackBarWidth;
    QSlider* TrackBarHeight;
    QWidget* Shape1;
    QLabel* Label1;
    QPushButton* DefSizeBtn;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updatePreview();
    void setDefaultSize();
};

}  // namespace tollamar
