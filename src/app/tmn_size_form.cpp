#include "app/tmn_size_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace tollamar {
namespace {

constexpr int kStep = 4;
constexpr int kMinPosition = 8;
constexpr int kMaxPosition = 32;
constexpr int kPreviewArea = kMaxPosition * kStep + 8;

QSlider* makeSlider(Qt::Orientation orientation, const char* name, QWidget* parent) {
    auto* slider = new QSlider(orientation, parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(kMinPosition, kMaxPosition);
    slider->setPageStep(4);
    slider->setSingleStep(1);
    slider->setTickInterval(2);
    slider->setTickPosition(QSlider::TicksBelow);
    // Down means larger, so the preview grows towards the slider's handle.
    if (orientation == Qt::Vertical) slider->setInvertedAppearance(true);
    return slider;
}

// The preview: a rectangle of the chosen size in the top-left corner of a fixed area.
class Preview : public QWidget {
public:
    Preview(const QSlider* width, const QSlider* height, QWidget* parent)
        : QWidget(parent), m_width(width), m_height(height) {
        setObjectName(QStringLiteral("Shape1"));
        setFixedSize(kPreviewArea, kPreviewArea);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRect(4, 4, m_width->value() * kStep - 1, m_height->value() * kStep - 1);
    }

private:
    const QSlider* m_width;
    const QSlider* m_height;
};

}  // namespace

TTmnSizeForm::TTmnSizeForm(QWidget* parent)
    : QDialog(parent),
      TrackBarWidth(makeSlider(Qt::Horizontal, "TrackBarWidth", this)),
      TrackBarHeight(makeSlider(Qt::Vertical, "TrackBarHeight", this)),
      Shape1(new Preview(TrackBarWidth, TrackBarHeight, this)),
      Label1(new QLabel(this)),
      DefSizeBtn(new QPushButton(QStringLiteral("標準のサイズ"), this)),
      OkBtn(new QPushButton(QStringLiteral("変更(&O)"), this)),
      CancelBtn(new QPushButton(QStringLiteral("中止(&C)"), this)) {
    setObjectName(QStringLiteral("TmnSizeForm"));
    setWindowTitle(QStringLiteral("サムネイルの表示サイズを変える"));
    Label1->setObjectName(QStringLiteral("Label1"));
    DefSizeBtn->setObjectName(QStringLiteral("DefSizeBtn"));
    DefSizeBtn->setAutoDefault(false);
    OkBtn->setDefault(true);
    TrackBarHeight->setFixedHeight(kPreviewArea);
    TrackBarWidth->setFixedWidth(kPreviewArea);

    auto* grid = new QGridLayout;
    grid->addWidget(Shape1, 0, 0);
    grid->addWidget(TrackBarHeight, 0, 1);
    grid->addWidget(TrackBarWidth, 1, 0);
    grid->addWidget(Label1, 2, 0, 1, 2, Qt::AlignHCenter);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addSpacing(12);
    buttons->addWidget(DefSizeBtn);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(TrackBarWidth, &QSlider::valueChanged, this, [this] { updatePreview(); });
    connect(TrackBarHeight, &QSlider::valueChanged, this, [this] { updatePreview(); });
    connect(DefSizeBtn, &QPushButton::clicked, this, [this] { setDefaultSize(); });
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    updatePreview();
}

void TTmnSizeForm::setThumbnailSize(QSize size) {
    TrackBarWidth->setValue((size.width() + 2) / kStep);
    TrackBarHeight->setValue((size.height() + 2) / kStep);
    updatePreview();
}

QSize TTmnSizeForm::thumbnailSize() const {
    return {TrackBarWidth->value() * kStep, TrackBarHeight->value() * kStep};
}

void TTmnSizeForm::updatePreview() {
    const QSize size = thumbnailSize();
    Label1->setText(QStringLiteral("%1 × %2").arg(size.width()).arg(size.height()));
    Shape1->update();
}

void TTmnSizeForm::setDefaultSize() {
    setThumbnailSize(QSize(64, 48));
    OkBtn->setFocus();
}

void TTmnSizeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    updatePreview();
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace tollamar
