#pragma once
// TImageForm: the image window. It shows the main window's current photo in a
// TImageView, taking the decoded picture from its cache or from a decode thread of
// its own, and shows "loading..." meanwhile. It never keeps a photo entry: it copies
// the file name and the comment, and compares photos by their file name.

#include "app/sub_form.h"
#include "imaging/jpeg_cache.h"
#include "ui/imagewin/image_geometry.h"

#include <QTimer>
#include <memory>
#include <optional>

class QMenu;

namespace tollamar {

class TItemData;
class TImageView;
class TJpegThread;
struct TJpegResult;

class TImageForm : public TSubForm {
    Q_OBJECT

public:
    explicit TImageForm(QWidget* mainWindow);
    ~TImageForm() override;

    // Makes item (none clears the window) the photo to show; it is loaded from the event
    // loop, and only while the window is on screen. The same photo again only takes
    // the entry's comment, at once.
    void ShowItem(const TItemData* item);
    // Switches the scale mode, keeping the visible centre; announced by imageModeChanged.
    void SetImageMode(TImageMode mode);
    TImageMode ImageMode() const;
    // The comment band over each picture on or off, at once.
    void setShowComment(bool show);
    bool showComment() const { return m_showComment; }

    // The picture on screen (shares pixels); null while there is none or another photo
    // is loading.
    QImage ImageData() const;
    // The photo whose picture the window has taken care of; empty for none.
    QString shownFile() const { return m_shown.value_or(QString()); }

    // Takes a budget of 0..256 MB that differs from the current one: trims the cache
    // and stores the value as [Jpeg] CacheSize in ImageForm.INI. Raises the write error.
    void SetCacheSize(int megabytes);
    int CacheSize() const { return m_cache.CacheSize(); }
    const TJpegCache& cache() const { return m_cache; }

    // The view, wherever it is shown.
    TImageView* view() const { return m_view; }
    // Hands the view to the full-screen display, leaving an empty stand-in of the same
    // size here so that the dock panel keeps its layout. While lent, loading keeps the
    // previous picture on screen until the next one is ready, and a double-click does
    // not ask for the comment editor.
    TImageView* lendView();
    // Puts the lent view back into the window.
    void returnView();
    bool viewLent() const { return m_lent; }

    // The context menu; the main window fills it with its commands.
    QMenu* PopupMenu;
    // "自動更新": the slide show of the full-screen display; shown only there.
    QAction* AutoShowAction;

signals:
    // A picture was put on screen (true) or taken off (false).
    void pictureChanged(bool hasPicture);
    // The photo's picture (possibly empty, when it could not be decoded) is on screen.
    void pictureShown(const QString& fileName);
    void imageModeChanged(TImageMode mode);
    // The picture was double-clicked: the user wants to edit the comment.
    void editCommentRequested();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Photo {
        QString fileName;
        QString comment;
        bool commentKnown = false;  // false: the entry was not loaded yet
    };

    void scheduleLoad();
    // Clears a picture of another photo than the current one before it is seen.
    void dropStalePicture();
    void LoadCurrent();
    void showNoImage();
    void showMissing(const QString& fileName);
    void StartDecode(const QString& fileName, const QString& comment);
    void JpegThreadDone(const TJpegResult& result);
    void showPicture(const QString& fileName, const QImage& bitmap, const QString& comment);
    void forgetDecode();
    void setBusy(bool busy);
    QString commentOf(const Photo& photo) const;

    TImageView* m_view;
    TJpegCache m_cache;
    std::optional<Photo> m_current;
    std::optional<QString> m_shown;
    std::unique_ptr<TJpegThread> m_thread;
    QString m_decodingComment;
    QTimer m_loadTimer;
    bool m_showComment = false;
    bool m_busy = false;
    bool m_lent = false;
};

}  // namespace tollamar
