#include "ui/imagewin/image_form.h"

#include "app/ini_file.h"
#include "app/item_data.h"
#include "imaging/jpeg_thread.h"
#include "jpegfile/comment_io.h"
#include "platform/errors.h"
#include "platform/file_stamp.h"
#include "platform/native_name.h"
#include "ui/imagewin/image_view.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>

namespace tollamar {

namespace {

const QString kJpegSection = QStringLiteral("Jpeg");
const QString kCacheSizeKey = QStringLiteral("CacheSize");
// Cancelled decodes end within one band of rows; this only bounds a worker stuck in a
// read of a file on a hung file system.
constexpr int kReleaseTimeoutMs = 3000;

}  // namespace

TImageForm::TImageForm(QWidget* mainWindow)
    : TSubForm(QStringLiteral("ImageForm"), QStringLiteral("画像ウィンドウ"), true, mainWindow),
      PopupMenu(new QMenu(this)),
      AutoShowAction(new QAction(QStringLiteral("自動更新"), this)),
      m_view(new TImageView(this)),
      m_cache(TIniFile(settingsFileName()).ReadInteger(kJpegSection, kCacheSizeKey, TJpegCache::kDefaultCacheSize)) {
    PopupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    AutoShowAction->setObjectName(QStringLiteral("AutoShowAction"));
    AutoShowAction->setCheckable(true);
    AutoShowAction->setVisible(false);
    m_view->setObjectName(QStringLiteral("ImageView"));
    setWidget(m_view);
    resize(443, 318);
    m_loadTimer.setSingleShot(true);
    connect(&m_loadTimer, &QTimer::timeout, this, [this] { LoadCurrent(); });
    m_view->viewport()->installEventFilter(this);
    connect(m_view, &TImageView::pictureDoubleClicked, this, [this] {
        if (!m_lent) emit editCommentRequested();
    });
    connect(m_view, &TImageView::contextMenuRequested, this, [this](const QPoint& pos) {
        if (!PopupMenu->isEmpty()) PopupMenu->exec(pos);
    });
}

TImageForm::~TImageForm() {
    setBusy(false);
    forgetDecode();
    TJpegThread::ReleaseContext(this, kReleaseTimeoutMs);
}

void TImageForm::ShowItem(const TItemData* item) {
    if (item) m_current = Photo{item->FileName, item->Comment, item->isLoaded()};
    else m_current.reset();
    // A rewritten photo comes back as the same file: its picture stays, its comment is new.
    if (m_current && m_current->commentKnown && m_shown == m_current->fileName) {
        if (m_thread) m_decodingComment = m_current->comment;
        else m_view->setOverlayText(m_current->comment);
    }
    scheduleLoad();
}

void TImageForm::scheduleLoad() {
    if (!m_loadTimer.isActive()) m_loadTimer.start(0);
}

void TImageForm::showEvent(QShowEvent* event) {
    TSubForm::showEvent(event);
    if (!m_lent) dropStalePicture();
}

void TImageForm::dropStalePicture() {
    const std::optional<QString> current = m_current ? std::optional(m_current->fileName) : std::nullopt;
    if (current != m_shown) m_view->clearPicture();
    scheduleLoad();
}

TImageView* TImageForm::lendView() {
    if (m_lent) return m_view;
    m_lent = true;
    auto* standIn = new QWidget(this);
    standIn->setMinimumSize(m_view->minimumSize());
    standIn->resize(m_view->size());
    // The dock window hides the view and lets go of it; the borrower takes it from here.
    setWidget(standIn);
    dropStalePicture();
    return m_view;
}

void TImageForm::returnView() {
    if (!m_lent) return;
    m_lent = false;
    QWidget* standIn = widget();
    setWidget(m_view);
    delete standIn;
    m_view->show();
}

// A paint shows that the window is on screen (shown, restored, uncovered): a photo
// chosen while it was not gets loaded now.
bool TImageForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->viewport() && event->type() == QEvent::Paint) {
        const std::optional<QString> current = m_current ? std::optional(m_current->fileName) : std::nullopt;
        if (current != m_shown) scheduleLoad();
    }
    return TSubForm::eventFilter(watched, event);
}

void TImageForm::LoadCurrent() {
    if (!m_view->isVisible() || m_view->window()->isMinimized()) return;
    const std::optional<QString> current = m_current ? std::optional(m_current->fileName) : std::nullopt;
    if (current == m_shown) return;
    m_shown = current;
    if (!m_current) {
        showNoImage();
        return;
    }
    const Photo photo = *m_current;
    setBusy(true);
    // Full screen keeps the previous picture, comment band included, until the next one
    // replaces both at once: stepping never flashes an empty screen.
    if (!m_lent) {
        m_view->setStatus(DisplayFileName(photo.fileName) + QStringLiteral("\n\nloading..."), true);
        m_view->setPictureVisible(false);
        m_view->setOverlayVisible(false);
    }
    emit pictureChanged(false);
    const TFileStamp stamp = FileStampOf(photo.fileName);
    if (!stamp.valid()) {
        forgetDecode();
        showMissing(photo.fileName);
    } else if (const std::optional<QImage> cached = m_cache.TakeFromCache(photo.fileName, stamp)) {
        forgetDecode();
        showPicture(photo.fileName, *cached, commentOf(photo));
    } else {
        StartDecode(photo.fileName, commentOf(photo));
    }
}

QString TImageForm::commentOf(const Photo& photo) const {
    if (photo.commentKnown) return photo.comment;
    // The row was not loaded yet: the comment comes from the file's header.
    try {
        return ReadComment(photo.fileName);
    } catch (const Error&) {
        return QString();
    }
}

void TImageForm::showNoImage() {
    if (m_thread) setBusy(false);
    forgetDecode();
    m_view->setStatus(QStringLiteral("no image"), true);
    m_view->clearPicture();
    m_view->setOverlayText(QString());
    m_view->LayoutImage();
    emit pictureChanged(false);
}

void TImageForm::showMissing(const QString& fileName) {
    m_view->setStatus(DisplayFileName(fileName) + QStringLiteral("\n\nファイルが見つかりません"), true);
    m_view->clearPicture();
    m_view->setOverlayVisible(false);
    setBusy(false);
    emit pictureChanged(false);
}

void TImageForm::StartDecode(const QString& fileName, const QString& comment) {
    forgetDecode();
    m_thread = std::make_unique<TJpegThread>(fileName, this,
                                             [this](const TJpegResult& result) { JpegThreadDone(result); });
    m_decodingComment = comment;
    m_thread->Start();
}

void TImageForm::forgetDecode() {
    if (!m_thread) return;
    m_thread->CancelDecode();
    m_thread.reset();
}

void TImageForm::JpegThreadDone(const TJpegResult& result) {
    if (!m_thread || result.ThreadId != m_thread->Id()) return;  // a forgotten thread
    m_thread.reset();
    if (result.Bitmap.isNull() && !FileStampOf(result.FileName).valid()) {
        showMissing(result.FileName);  // deleted while it was being read
        return;
    }
    m_cache.Add(result.FileName, result.Stamp, result.Bitmap);
    showPicture(result.FileName, result.Bitmap, m_decodingComment);
}

void TImageForm::showPicture(const QString& fileName, const QImage& bitmap, const QString& comment) {
    m_view->setPicture(bitmap);
    m_view->setStatus(QString(), false);
    m_view->setPictureVisible(true);
    m_view->setOverlayText(comment);
    m_view->setOverlayVisible(m_showComment);
    m_view->centreScroll();
    m_view->LayoutImage();
    setBusy(false);
    emit pictureChanged(!bitmap.isNull());
    emit pictureShown(fileName);
}

void TImageForm::setBusy(bool busy) {
    // The override cursor is a stack: push once, pop once.
    if (busy == m_busy) return;
    m_busy = busy;
    if (busy) QApplication::setOverrideCursor(Qt::BusyCursor);
    else QApplication::restoreOverrideCursor();
}

void TImageForm::SetImageMode(TImageMode mode) {
    m_view->SetImageMode(mode);
    emit imageModeChanged(mode);
}

TImageMode TImageForm::ImageMode() const { return m_view->ImageMode(); }

void TImageForm::setShowComment(bool show) {
    m_showComment = show;
    m_view->setOverlayVisible(show && m_view->pictureVisible());
}

// While a decode runs a full-screen display still shows the previous photo: that is not
// the current one's picture.
QImage TImageForm::ImageData() const {
    return m_view->pictureVisible() && !m_thread ? m_view->picture() : QImage();
}

void TImageForm::SetCacheSize(int megabytes) {
    if (!m_cache.SetCacheSize(megabytes)) return;
    WriteIniStringNow(settingsFileName(), kJpegSection, kCacheSizeKey, QString::number(megabytes));
}

}  // namespace tollamar
