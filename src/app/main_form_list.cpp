// TMainForm: the folder, the photo list, sorting, the current photo and the idle fill.

#include "app/app_globals.h"
#include "app/item_loader.h"
#include "app/main_form.h"
#include "app/override_cursor.h"
#include "app/photo_list_model.h"
#include "app/photo_list_view.h"
#include "app/photo_scan.h"
#include "platform/errors.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"
#include "ui/imagewin/image_form.h"
#include "ui/infowin/image_info_form.h"
#include "ui/navigator/navi_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <thread>
#include <utility>

namespace tollamar {
namespace {

// Work per idle step: rows on screen may take this long, other rows less, so that
// input is never kept waiting longer than this.
constexpr qint64 kVisibleBudgetMs = 400;
constexpr qint64 kBackgroundBudgetMs = 250;
// After the list is rebuilt the idle fill waits this long at most for the first paint,
// so the new rows show before any loading starts.
constexpr qint64 kFirstPaintWaitMs = 200;

// The list's cursor while entries load; the previous one comes back even on errors.
class ListBusyCursor {
public:
    explicit ListBusyCursor(QWidget* widget)
        : m_widget(widget), m_had(widget->testAttribute(Qt::WA_SetCursor)), m_old(widget->cursor()) {
        m_widget->setCursor(Qt::BusyCursor);
    }
    ~ListBusyCursor() {
        if (m_had) m_widget->setCursor(m_old);
        else m_widget->unsetCursor();
    }
    ListBusyCursor(const ListBusyCursor&) = delete;
    ListBusyCursor& operator=(const ListBusyCursor&) = delete;

private:
    QWidget* m_widget;
    bool m_had;
    QCursor m_old;
};

// One box for the files of a list that could not be read: a line per file, the first
// ones only when there are many.
QString fillErrorSummary(const QStringList& errors) {
    constexpr qsizetype kShownFiles = 10;
    QString text = QStringLiteral("読み込めなかったファイルがあります (%1 件)").arg(errors.size());
    for (qsizetype i = 0; i < std::min(errors.size(), kShownFiles); ++i) text += u'\n' + errors[i];
    if (errors.size() > kShownFiles) text += QStringLiteral("\nほか %1 件").arg(errors.size() - kShownFiles);
    return text;
}

}  // namespace

bool TMainForm::SetCurrentFolder(const QString& path) {
    QString folder = path;
    if (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
    if (IsFolder(folder)) {
        m_currentFolder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
        return true;
    }
    ReportError(DisplayName(folder) + u'\n' + QStringLiteral("パスが見つかりません"));
    return false;
}

void TMainForm::DoSelFolder(TFolderRequester requester, const QString& path) {
    SetCurrentFolder(path);
    SetCurrentItem(nullptr);
    ScanFolder();
    m_statusLabel->setText(DisplayName(m_currentFolder));
    ListView1->activeView()->setFocus();
    if (requester != TFolderRequester::ShellTreeView1) NaviForm->SyncFolderTree(m_currentFolder);
    if (requester != TFolderRequester::FavoriteList) NaviForm->clearFavoriteSelection();
    if (requester != TFolderRequester::RecentList) {
        NaviForm->clearRecentSelection();
        NaviForm->AddRecentFolder(path);
    }
}

void TMainForm::ScanFolder() {
    const TOverrideCursor hourglass;
    rebuildList(ScanPhotoFolder(m_currentFolder));
}

void TMainForm::ShowFileList(const QStringList& paths) {
    SetCurrentItem(nullptr);
    rebuildList(PhotoListFromPaths(paths));
}

void TMainForm::rebuildList(TPhotoList list) {
    if (m_listWork > 0) {
        m_deferredList = std::move(list);
        return;
    }
    m_model->beginRebuild();
    // What the old list could not read is no longer listed.
    m_fillErrors.clear();
    m_photoList = std::move(list);
    SortPhotoList(m_photoList, m_sortMode, m_sortDirection);
    m_model->endRebuild();
    ListView1->scrollToStart();
    m_awaitFirstPaint = true;
    m_rebuildClock.start();
    wakeIdle();
}

void TMainForm::SelFolderActionExecute() {
    QString folder;
    {
        ModalBracket bracket;
        folder = NativePathFromQt(QFileDialog::getExistingDirectory(
            this, QStringLiteral("写真(jpeg)のあるフォルダを指定してください"), m_currentFolder));
    }
    if (!folder.isEmpty()) DoSelFolder(TFolderRequester::MainForm, folder);
}

void TMainForm::sortCommand(TSortMode mode) {
    if (mode == TSortMode::None || m_sortMode != mode) m_sortDirection = 1;
    else m_sortDirection = -m_sortDirection;
    m_sortMode = mode;
    (mode == TSortMode::ByDate   ? SortByFileDateAction
     : mode == TSortMode::ByName ? SortByFileNameAction
                                 : SortByNoneAction)
        ->setChecked(true);
    if (mode != TSortMode::None) sortNow();
}

void TMainForm::sortNow() {
    if (m_listWork > 0) {
        m_sortDeferred = true;
        return;
    }
    const TOverrideCursor hourglass;
    const TItemData* selected = m_model->entry(ListView1->selectedRow());
    m_model->beginRebuild();
    SortPhotoList(m_photoList, m_sortMode, m_sortDirection);
    m_model->endRebuild();
    // The selected photo stays selected at its new place.
    if (selected) ListView1->selectRow(m_model->rowOf(selected));
    wakeIdle();
}

bool TMainForm::SetCurrentItem(TItemData* entry) {
    for (QAction* action : {EditComSegAction, SaveSegAction, LoadSegAction, OpenImageAction})
        action->setEnabled(entry != nullptr);
    if (entry == m_currentItem) return false;
    m_currentItem = entry;
    // The picture and the path follow even when the information window cannot read the
    // photo and raises.
    ImageForm->ShowItem(entry);
    m_statusLabel->setText(entry ? DisplayName(entry->FileName) : QString());
    ImageInfoForm->UpdateInfo(entry);
    ImageInfoForm->update();
    return true;
}

void TMainForm::ListView1DblClick() {
    TItemData* selected = m_model->entry(ListView1->selectedRow());
    if (!selected) {
        SelFolderAction->trigger();
        return;
    }
    RunReporting([this, selected] { SetCurrentItem(selected); });
    EditComSegAction->trigger();
}

void TMainForm::ListView1Popup(const QPoint& globalPos) {
    // The menu opens even when the information window cannot read the photo.
    RunReporting([this] { SetCurrentItem(m_model->entry(ListView1->selectedRow())); });
    PopupMenu2->exec(globalPos);
}

void TMainForm::wakeIdle() {
    if (m_inIdle) {
        m_wakePending = true;
        return;
    }
    if (!m_idleTimer.isActive()) m_idleTimer.start(0);
}

void TMainForm::idleTick() {
    if (m_inIdle || m_idlePaused) return;
    if (m_awaitFirstPaint && ListView1->isVisible() && m_rebuildClock.elapsed() < kFirstPaintWaitMs) {
        m_idleTimer.start(5);
        return;
    }
    m_awaitFirstPaint = false;
    m_inIdle = true;
    m_wakePending = false;
    QElapsedTimer clock;
    clock.start();
    bool again = true;
    try {
        again = IdleFill();
    } catch (const Error& e) {
        ReportError(e.message());
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    }
    m_inIdle = false;
    emit idleStepFinished(clock.elapsed(), again);
    if (again || m_wakePending) m_idleTimer.start(0);
}

bool TMainForm::IdleFill() {
    if (SetCurrentItem(m_model->entry(ListView1->selectedRow()))) return true;
    if (m_photoList.empty()) return false;
    QElapsedTimer clock;
    clock.start();
    bool again = false;
    {
        // One cursor change per step rather than per entry: entries load in well under a
        // millisecond, and the cursor would only flicker. Rows on screen that loaded, even
        // those that failed, leave the other rows to the next step.
        const ListBusyCursor busy(ListView1);
        again = loadVisibleRows(clock) || loadBackgroundRows(clock);
    }
    // The files that could not be read are told once, when the whole list is filled,
    // rather than in a box per file while the user is doing something else.
    if (!again && !m_fillErrors.isEmpty()) {
        const QStringList errors = std::exchange(m_fillErrors, {});
        ReportError(fillErrorSummary(errors));
    }
    return again;
}

bool TMainForm::loadEntry(TItemData& entry) {
    QString error;
    try {
        return LoadItemDetails(thumbnailSize().width(), thumbnailSize().height(), entry);
    } catch (const Error& e) {
        error = e.message();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    const QString shown = DisplayName(entry.FileName);
    m_fillErrors.append(error.contains(shown) ? error : shown + QStringLiteral(": ") + error);
    if (!entry.isLoaded()) entry.Thumbnail = BlankThumbnail();
    return false;
}

bool TMainForm::loadVisibleRows(const QElapsedTimer& clock) {
    const QRect client = ListView1->clientRect();
    const int count = static_cast<int>(m_photoList.size());
    qint64 longest = 0;
    bool loadedAny = false;
    for (int row = ListView1->TopVisibleIndex(); row < count; ++row) {
        TItemData& entry = *m_photoList[static_cast<size_t>(row)];
        const QRect bounds = ListView1->rowBounds(row);
        if (!bounds.isEmpty() && bounds.top() > client.bottom()) break;
        if (entry.isLoaded() || !bounds.intersects(client)) continue;
        // Stop before a load that would likely run past the budget (loads of one folder
        // vary, hence the margin over the longest so far).
        if (loadedAny && clock.elapsed() + longest * 3 / 2 > kVisibleBudgetMs) return true;
        const qint64 start = clock.elapsed();
        loadEntry(entry);
        longest = std::max(longest, clock.elapsed() - start);
        ListView1->invalidateRow(row);
        loadedAny = true;
        if (clock.elapsed() > kVisibleBudgetMs) break;
    }
    return loadedAny;
}

bool TMainForm::loadBackgroundRows(const QElapsedTimer& clock) {
    const int count = static_cast<int>(m_photoList.size());
    qint64 longest = 0;
    bool again = false;
    for (int row = 0; row < count; ++row) {
        TItemData& entry = *m_photoList[static_cast<size_t>(row)];
        if (entry.isLoaded()) continue;
        if (again && clock.elapsed() + longest * 3 / 2 > kBackgroundBudgetMs) return true;
        const qint64 start = clock.elapsed();
        const bool made = loadEntry(entry);
        longest = std::max(longest, clock.elapsed() - start);
        ListView1->invalidateRow(row);
        if (!made) continue;
        again = true;
        std::this_thread::yield();
        if (clock.elapsed() > kBackgroundBudgetMs) break;
    }
    return again;
}

}  // namespace tollamar
