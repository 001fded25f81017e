#include "ui/infowin/image_info_form.h"

#include "app/app_globals.h"
#include "app/command_icons.h"
#include "app/ini_file.h"
#include "app/item_data.h"
#include "app/override_cursor.h"
#include "exif/exif_parser.h"
#include "fileinfo/camera_tree.h"
#include "fileinfo/file_info_tree.h"
#include "imaging/jpeg_size.h"
#include "jpegfile/byte_source.h"
#include "jpegfile/comment_codec.h"
#include "jpegfile/comment_io.h"
#include "jpegfile/header_scan.h"
#include "jpegfile/segment_walk.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "ui/infowin/paint_pacer.h"
#include "ui/infowin/text_tree_view.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTreeWidget>
#include <exception>
#include <memory>

namespace tollamar {
namespace {

const QString kApp = QStringLiteral("App");
const QString kTabIndex = QStringLiteral("TabIndex");

// Glyphs of the command strip: the image window, the camera column, the comment column.
constexpr int kFileIcon = 6;
constexpr int kCameraIcon = 9;
constexpr int kCommentIcon = 8;

QTreeWidget* makeTree(QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setRootIsDecorated(false);
    tree->setFrameShape(QFrame::NoFrame);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setUniformRowHeights(true);
    tree->setTextElideMode(Qt::ElideNone);
    // Long lines scroll sideways rather than being cut with an ellipsis.
    return tree;
}

QPlainTextEdit* makeCommentView(QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setReadOnly(true);
    view->setFrameShape(QFrame::NoFrame);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return view;
}

void expandAll(QTreeWidget& tree) {
    for (int i = 0; i < tree.topLevelItemCount(); ++i) tree.topLevelItem(i)->setExpanded(true);
}

// The source stands right after the SOS marker; libjpeg reads the scan header behind it
// with the rest of the header.
bool holdsScanHeader(MemorySource& source, qsizetype size) {
    const int64_t start = source.position();
    uint16_t length = 0;
    return SegmentWalker(source).readLength(length) && start + length <= size;
}

// The first bytes of a photo as far as the end of its header (the scan header included),
// taken with one open and read; empty when the header does not end within kMaxHeadBytes
// or the file cannot be read (the readers then take the file by their own rules and
// raise what they raise).
struct PhotoHead {
    static constexpr int64_t kFirstRead = 32 * 1024;
    static constexpr int64_t kMaxHeadBytes = 1024 * 1024;
    QByteArray bytes;
    JpegHeaderParts parts;

    explicit PhotoHead(const QString& fileName) {
        try {
            FileSource file(fileName);
            // A camera's Exif block seldom passes the first read; larger ones take more.
            for (int64_t want = kFirstRead;; want *= 2) {
                const int64_t asked = want - bytes.size();
                const bool filled = file.read(asked, bytes) == asked;
                MemorySource source(bytes);
                parts = ScanJpegHeader(source);
                // Without more bytes in the file, libjpeg would see these from it too.
                if (parts.complete && (!filled || holdsScanHeader(source, bytes.size()))) return;
                if (!filled || want >= kMaxHeadBytes) break;
            }
        } catch (const Error&) {
        }
        bytes.clear();
        parts = {};
    }
};

bool readExif(TExifInfo& exif, const QString& fileName, const PhotoHead& head) {
    if (!head.parts.complete) return ReadExifInfo(exif, fileName);
    return !head.parts.exif.isEmpty() && ReadExifInfoFromPayload(exif, head.parts.exif);
}

}  // namespace

// What the tabs show for one photo, read completely before any tab changes. Comment and
// Exif are read apart from the rest: damage in one leaves only that tab empty. A header
// read whole in one go feeds every reader; otherwise each takes the file itself.
struct TImageInfoForm::PhotoInfo {
    FileLines fileLines;
    QString comment;
    QList<TTextNode> cameraNodes;
    std::exception_ptr error;

    explicit PhotoInfo(const QString& fileName) {
        const PhotoHead head(fileName);
        // The size comes first: a file libjpeg rejects is an error before anything shows.
        fileLines = head.parts.complete ? laterFileLines(fileName, ReadJpegSizeFromBytes(head.bytes), head.bytes)
                                        : readyFileLines(BuildFileInfoTree(fileName, ReadJpegSize(fileName)));
        try {
            // Comments written on other systems end their lines with CR LF or CR.
            comment = WithLfLineEnds(
                UpToFirstNul(head.parts.complete ? DecodeComment(head.parts.comment) : ReadComment(fileName)));
        } catch (...) {
            error = std::current_exception();
        }
        try {
            TExifInfo exif;
            if (readExif(exif, fileName, head)) cameraNodes = BuildCameraTree(exif);
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }

    // The file's times, attributes and segments are listed from the header already read
    // when the file tab is on screen; stepping past photos with it hidden lists nothing.
    static FileLines laterFileLines(const QString& fileName, std::optional<QSize> size, const QByteArray& header) {
        return [fileName, size, header] {
            MemorySource segments(header);
            return BuildFileInfoTree(fileName, size, segments);
        };
    }
    static FileLines readyFileLines(const QList<TTextNode>& nodes) {
        return [nodes] { return nodes; };
    }
};

TImageInfoForm::TImageInfoForm(QWidget* mainWindow)
    : TSubForm(QStringLiteral("ImageInfoForm"), QStringLiteral("画像情報ウィンドウ"), true, mainWindow),
      PageControl1(new QTabWidget(this)),
      FileTree(makeTree(PageControl1)),
      ExifTree(makeTree(PageControl1)),
      CommentView(makeCommentView(PageControl1)),
      m_pacer(new TPaintPacer(*PageControl1)) {
    buildTabs();
    setWidget(PageControl1);
    resize(411, 280);
    ReadSettings();
}

TImageInfoForm::~TImageInfoForm() {
    try {
        WriteSettings();
    } catch (const Error& e) {
        ReportError(e.message());
    }
}

void TImageInfoForm::buildTabs() {
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->setDocumentMode(true);
    PageControl1->addTab(FileTree, CommandIcon(kFileIcon), QStringLiteral("ファイル"));
    PageControl1->addTab(ExifTree, CommandIcon(kCameraIcon), QStringLiteral("デジタルカメラ"));
    PageControl1->addTab(CommentView, CommandIcon(kCommentIcon), QStringLiteral("コメント"));
    PageControl1->setTabToolTip(FileTab, QStringLiteral("ファイル名、サイズなどの情報を表示します"));
    PageControl1->setTabToolTip(CameraTab, QStringLiteral("撮影日時、機種名、シャッター速度などを表示します"));
    PageControl1->setTabToolTip(CommentTab, QStringLiteral("ファイル内の‘コメント’を表示します"));
    CommentView->viewport()->installEventFilter(this);
    CommentView->installEventFilter(this);
    FileTree->installEventFilter(this);
    ExifTree->installEventFilter(this);
    // The comment's own menu (copy, select all) with the dock commands on top.
    CommentView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(CommentView, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const std::unique_ptr<QMenu> menu(CommentView->createStandardContextMenu(pos));
        AddDockClientItems(menu.get());
        menu->exec(CommentView->viewport()->mapToGlobal(pos));
    });
    for (QTreeWidget* tree : {FileTree, ExifTree}) {
        const auto fit = [this, tree] {
            if (tree->isVisible()) FitTreeColumn(*tree, m_textWidths);
        };
        connect(tree, &QTreeWidget::itemExpanded, tree, fit);
        connect(tree, &QTreeWidget::itemCollapsed, tree, fit);
    }
    connect(m_pacer, &TPaintPacer::released, this, &TImageInfoForm::showHeldChanges);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (auto* tree = qobject_cast<QTreeWidget*>(PageControl1->currentWidget())) FitTreeColumn(*tree, m_textWidths);
    });
}

void TImageInfoForm::ReadSettings() {
    const TIniFile ini(settingsFileName());
    const int tab = ini.ReadInteger(kApp, kTabIndex, FileTab);
    PageControl1->setCurrentIndex(tab >= 0 && tab < PageControl1->count() ? tab : FileTab);
}

void TImageInfoForm::WriteSettings() const {
    TIniFile ini(settingsFileName());
    ini.WriteInteger(kApp, kTabIndex, PageControl1->currentIndex());
    ini.UpdateFile();
}

QString TImageInfoForm::commentText() const {
    return m_pendingComment ? *m_pendingComment : CommentView->toPlainText();
}

// Laying out a long comment costs more than the rest of a step, and listing the file's
// segments and times about as much; a view that is not on screen takes its content when
// shown.
void TImageInfoForm::showFileLines(const FileLines& lines) {
    if (!FileTree->isVisible()) {
        m_pendingFileLines = lines;
        return;
    }
    m_pendingFileLines = nullptr;
    showTree(*FileTree, lines());
    expandAll(*FileTree);  // every photo opens with its times, attributes and segments
}

// A comment shown while painting is held is laid out at the frame that paints it.
void TImageInfoForm::showComment(const QString& text) {
    if (CommentView->isVisible() && !m_pacer->holding()) {
        m_pendingComment.reset();
        CommentView->setPlainText(text);
    } else {
        m_pendingComment = text;
    }
}

void TImageInfoForm::UpdateInfo(const TItemData* item) {
    const bool changed = item != m_currentItem;
    m_currentItem = item;
    if (!isVisible()) {
        // The shown photo may be edited or freed while the window is hidden; a window
        // whose photo changed meanwhile rebuilds when shown, even for the same entry.
        if (changed) m_shownItem.reset();
        return;
    }
    if (m_shownItem == item) return;
    // The photo counts as shown also when reading it fails, so an error is raised once.
    m_shownItem = item;
    if (item)
        showPhoto(item->FileName);
    else
        clearTabs();
}

void TImageInfoForm::showPhoto(const QString& fileName) {
    const TOverrideCursor hourglass;
    const PhotoInfo info(fileName);
    m_pacer->beginChange();
    showFileLines(info.fileLines);
    showExif(info.cameraNodes);
    showComment(info.comment);
    if (info.error) std::rethrow_exception(info.error);
}

// Photos from one camera give the same lines with other values: the items stay, and so
// do their expansion and the top row. Returns false when the tree was filled anew.
bool TImageInfoForm::showTree(QTreeWidget& tree, const QList<TTextNode>& nodes) {
    QList<QTreeWidgetItem*> changed;
    // A tree on a tab that is not selected is measured when its tab is selected.
    if (!nodes.isEmpty() && SetTreeTexts(tree, nodes, changed)) {
        if (!tree.isVisible()) return true;
        // Measuring a line costs as much as the rest of its step; the lines of photos
        // stepped past within one frame are measured once, at that frame.
        if (m_pacer->holding())
            m_unmeasured[&tree].append(changed);
        else
            WidenTreeColumn(tree, changed, m_textWidths);
        return true;
    }
    m_unmeasured.remove(&tree);
    tree.setUpdatesEnabled(false);
    const auto resume = qScopeGuard([&tree] { tree.setUpdatesEnabled(true); });
    FillTree(tree, nodes);
    if (tree.isVisible()) FitTreeColumn(tree, m_textWidths);
    return false;
}

void TImageInfoForm::showHeldChanges() {
    for (auto it = m_unmeasured.cbegin(); it != m_unmeasured.cend(); ++it)
        if (it.key()->isVisible()) WidenTreeColumn(*it.key(), it.value(), m_textWidths);
    m_unmeasured.clear();
    if (CommentView->isVisible()) showPending(CommentView);
}

void TImageInfoForm::showExif(const QList<TTextNode>& nodes) {
    if (!ExifTree->isVisible()) {
        m_pendingCameraNodes = nodes;
        return;
    }
    m_pendingCameraNodes.reset();
    SaveExifTreeState();
    if (!showTree(*ExifTree, nodes) && !nodes.isEmpty()) RestoreExifTreeState();
}

void TImageInfoForm::SaveExifTreeState() {
    // An empty tree (a photo without Exif) keeps the state for the next photo with Exif.
    if (ExifTree->topLevelItemCount() > 0) m_exifTreeState = SaveTreeState(*ExifTree);
}

void TImageInfoForm::RestoreExifTreeState() { RestoreTreeState(*ExifTree, m_exifTreeState); }

void TImageInfoForm::clearTabs() {
    m_pacer->beginChange();
    m_unmeasured.clear();
    m_pendingFileLines = nullptr;
    FileTree->clear();
    m_pendingCameraNodes.reset();
    SaveExifTreeState();
    ExifTree->clear();
    m_pendingComment.reset();
    CommentView->clear();
}

void TImageInfoForm::showEvent(QShowEvent* event) {
    TSubForm::showEvent(event);
    // A window that was hidden catches up with the photo that became current meanwhile.
    RunReporting([this] { UpdateInfo(m_currentItem); });
}

void TImageInfoForm::showPending(QObject* shown) {
    if (shown == FileTree && m_pendingFileLines) {
        const FileLines lines = std::move(m_pendingFileLines);
        showFileLines(lines);
    } else if (shown == ExifTree && m_pendingCameraNodes) {
        const QList<TTextNode> nodes = std::move(*m_pendingCameraNodes);
        showExif(nodes);
    } else if (shown == CommentView && m_pendingComment) {
        CommentView->setPlainText(*m_pendingComment);
        m_pendingComment.reset();
    }
}

bool TImageInfoForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CommentView->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        emit editCommentRequested();
        return true;
    }
    if (event->type() == QEvent::Show) showPending(watched);
    return TSubForm::eventFilter(watched, event);
}

}  // namespace tollamar
