#include "ui/imagewin/image_form.h"

#include "app/item_data.h"
#include "imaging/fit_geometry.h"
#include "imaging/thumbnail.h"

#include <QPainter>

namespace tollamar {

// Decodes at the reduced scale that suits the window's size, and again only when the
// photo or the size changes.
class TImageForm::PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent) : QWidget(parent) {
        setAutoFillBackground(true);
        setMinimumSize(32, 32);
    }

    void setFile(const QString& file) {
        m_file = file;
        m_picture = QImage();
        m_decodedFor = {};  // the same photo shown again may have been rewritten meanwhile
        m_error.clear();
        update();
    }
    QString file() const { return m_file; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (m_file.isEmpty()) return;
        if (m_decodedFor != qMakePair(m_file, size())) decode();
        if (!m_error.isEmpty()) {
            painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, m_error);
            return;
        }
        painter.setBrush(palette().color(QPalette::Window));
        painter.setPen(Qt::NoPen);
        DrawFitted(painter, rect(), m_picture);
    }

private:
    void decode() {
        m_decodedFor = qMakePair(m_file, size());
        m_error.clear();
        try {
            m_picture = MakeThumbnailBitmap(m_file, width(), height());
        } catch (const std::exception& e) {
            m_picture = QImage();
            m_error = QString::fromUtf8(e.what());
        }
    }

    QString m_file;
    QImage m_picture;
    QString m_error;
    QPair<QString, QSize> m_decodedFor;
};

TImageForm::TImageForm(QWidget* mainWindow)
    : TSubForm(QStringLiteral("ImageForm"), QStringLiteral("画像ウィンドウ"), true, mainWindow),
      m_view(new PictureView(this)) {
    setWidget(m_view);
    resize(443, 318);
}

void TImageForm::ShowItem(const TItemData* item) { m_view->setFile(item ? item->FileName : QString()); }

QString TImageForm::shownFile() const { return m_view->file(); }

}  // namespace tollamar
