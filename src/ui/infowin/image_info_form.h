#pragma once
// The information window: the main window's current photo described on three tabs
// along the bottom, its file (name, size, times, attributes, segments), its camera data
// from Exif, and its comment.

#include "app/sub_form.h"
#include "exif/text_tree.h"
#include "ui/infowin/text_tree_view.h"

#include <QHash>
#include <QList>
#include <functional>
#include <optional>

class QPlainTextEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tollamar {

class TItemData;
class TPaintPacer;

class TImageInfoForm : public TSubForm {
    Q_OBJECT
public:
    enum Tab { FileTab = 0, CameraTab = 1, CommentTab = 2 };

    explicit TImageInfoForm(QWidget* mainWindow);
    ~TImageInfoForm() override;

    // Makes the photo (or none) current and rebuilds the tabs for it, unless the window
    // is hidden (the rebuild waits for the show) or already shows that photo. Raises the
    // photo's file and decode errors; a file that cannot be read or decoded leaves every
    // tab as it was, damaged Exif or comment data leaves that tab empty.
    void UpdateInfo(const TItemData* item);
    // The Exif tree's top row and expansion, kept from photo to photo.
    void SaveExifTreeState();
    void RestoreExifTreeState();

    const TItemData* currentItem() const { return m_currentItem; }
    QList<int> exifTreeState() const { return m_exifTreeState; }
    void setExifTreeState(const QList<int>& state) { m_exifTreeState = state; }
    QString commentText() const;
    // Holds the tabs' painting to the screen's frame rate while photos change fast.
    const TPaintPacer& paintPacer() const { return *m_pacer; }

    QTabWidget* PageControl1;
    QTreeWidget* FileTree;
    QTreeWidget* ExifTree;
    QPlainTextEdit* CommentView;

signals:
    // A double-click on the comment: the main window opens its comment editor.
    void editCommentRequested();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PhotoInfo;
    // The file tab's lines for a photo, made when asked for.
    using FileLines = std::function<QList<TTextNode>()>;
    void buildTabs();
    void showPhoto(const QString& fileName);
    bool showTree(QTreeWidget& tree, const QList<TTextNode>& nodes);
    void showExif(const QList<TTextNode>& nodes);
    void showFileLines(const FileLines& lines);
    void showHeldChanges();
    void showComment(const QString& text);
    void showPending(QObject* shown);
    void clearTabs();
    void ReadSettings();
    void WriteSettings() const;

    const TItemData* m_currentItem = nullptr;
    // Unset until the tabs are built, and again when a hidden window's photo changes.
    std::optional<const TItemData*> m_shownItem;
    QList<int> m_exifTreeState;
    // The shown photo's file lines, camera lines and comment while their views are off
    // screen, and the comment while painting is held.
    FileLines m_pendingFileLines;
    std::optional<QList<TTextNode>> m_pendingCameraNodes;
    std::optional<QString> m_pendingComment;
    TextWidths m_textWidths;
    TPaintPacer* m_pacer;
    // Lines changed while painting was held, measured at the frame that paints them.
    QHash<QTreeWidget*, QList<QTreeWidgetItem*>> m_unmeasured;
};

}  // namespace tollamar
