#pragma once
// TMainForm: the photo list with its tool bars, menus and status bar, the owner of the
// listed entries, the current folder and the current photo, and the host of the
// sub-windows.

#include "app/item_data.h"
#include "app/photo_row_delegate.h"
#include "app/photo_sort.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <optional>

class QActionGroup;
class QLabel;
class QMenu;
class QToolBar;

namespace tollamar {

class TEditTextDlg;
class TFullScreenWindow;
class TImageForm;
class TImageInfoForm;
class TIniFile;
class TSubForm;
class TNaviForm;
class TPhotoListModel;
class TPhotoListView;

// Who asked DoSelFolder to open a folder; the navigator's controls are not told back.
enum class TFolderRequester { MainForm, ShellTreeView1, RecentList, FavoriteList };
enum class TCommentMode;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // arguments: the command line after the program name; the first names the folder
    // to open at start, or a photo whose folder opens with that photo current.
    explicit TMainForm(const QStringList& arguments, QWidget* parent = nullptr);
    ~TMainForm() override;

    const TPhotoList& PhotoList() const { return m_photoList; }
    QString CurrentFolder() const { return m_currentFolder; }
    TItemData* CurrentItem() const { return m_currentItem; }
    TSortMode sortMode() const { return m_sortMode; }
    int SortDirection() const { return m_sortDirection; }
    TViewStyle viewStyle() const;
    QSize thumbnailSize() const;
    QString statusText() const;

    // Takes path without one trailing separator when it is an existing folder; else
    // shows the path with "パスが見つかりません" and answers false.
    bool SetCurrentFolder(const QString& path);
    // Opens a folder: accepts it (or keeps the old one), rebuilds the list, and tells
    // the navigator to follow unless it asked.
    void DoSelFolder(TFolderRequester requester, const QString& path);
    // Rebuilds the list from CurrentFolder.
    void ScanFolder();
    // Replaces the list by one entry per path, in that order.
    void ShowFileList(const QStringList& paths);
    // Makes entry the current photo; true when that changed it.
    bool SetCurrentItem(TItemData* entry);
    // One idle step: the selected row becomes current, then entries are loaded, rows on
    // screen first, within the time budgets. True when it wants to run again at once.
    bool IdleFill();

    void setViewStyle(TViewStyle style);
    void setThumbnailSize(QSize size);
    // The main window's font, given to the image and information windows too.
    void setMainFont(const QFont& font);
    // The comment search with the navigator's search page as it stands
    // (main_form_navigation.cpp).
    void DoSearch();

    TPhotoListView* ListView1;
    TNaviForm* NaviForm;
    TImageForm* ImageForm;
    TImageInfoForm* ImageInfoForm;
    QMenu* PopupMenu2;
    TEditTextDlg* EditTextDlg;

    QAction* SelFolderAction;
    QAction* ExitAppAction;
    QAction* EditComSegAction;
    QAction* ComAsUnicodeAction;
    QAction* SaveSegAction;
    QAction* LoadSegAction;
    QAction* InportAction;
    QAction* SortByNoneAction;
    QAction* SortByFileNameAction;
    QAction* SortByFileDateAction;
    QAction* ViewStyleAction;
    QAction* ImgSizeAction1;
    QAction* NavigatorVisibleAction;
    QAction* ImageVisibleAction;
    QAction* InfoVisibleAction;
    QAction* FromTreeAction;
    QAction* FromFavoriteAction;
    QAction* FromRecentAction;
    QAction* SearchAction;
    QAction* ImageScaledAction;
    QAction* ImageHalfAction;
    QAction* ImageEqualAction;
    QAction* ImageDoubleAction;
    QAction* Image4MulAction;
    QAction* ShowCommentAction;
    QAction* CopyImageAction;
    QAction* SetJpegCacheAction;

    QAction* FontSelectAction;
    QAction* OpenImageAction;
    QAction* PrintImageAction;
    QAction* AboutAction;

    // Full screen (main_form_full_screen.cpp): Ctrl+Alt+F enters it (or leaves it);
    // the other three are shown only in full screen, where they step through the list
    // and leave.
    QAction* FS_StartAction;
    QAction* FS_NextAction;
    QAction* FS_PrevAction;
    QAction* FS_EndAction;
    // The full-screen window while full screen is on, else null.
    TFullScreenWindow* fullScreenWindow() const { return m_fullScreen; }

    // Docks form in the dock panel: the image window at the top, the information window
    // below it (main_form_layout.cpp).
    void DockSubForm(TSubForm* form);
    // Whether the navigator, the image window and the information window were hidden
    // because the main window was minimised; all false except while it is.
    std::array<bool, 3> hiddenByMinimize() const { return m_hiddenByMinimize; }

    // Where the sub-windows are: docked or floating, placement, visibility and
    // ChildOfMain of the navigator, the image window and the information window, for a
    // mode that rearranges them and puts them back afterwards. Not stored in any file.
    struct TSubFormLayout {
        QByteArray dockState;
        std::array<bool, 3> childOfMain{};
    };
    TSubFormLayout saveSubFormLayout() const;
    // Puts the sub-windows back as saved; false when the saved dock state was refused.
    bool restoreSubFormLayout(const TSubFormLayout& layout);

signals:
    // After each idle step: its duration and whether it asked to run again.
    void idleStepFinished(qint64 elapsedMs, bool again);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createSubForms();
    void connectListView();
    void FormShow();
    void FormHide();
    void openStartFolder(const TIniFile& ini);
    void selectStartPhoto();
    void readFont(const TIniFile& ini);

    void rebuildList(TPhotoList list);
    void SelFolderActionExecute();
    void sortCommand(TSortMode mode);
    void sortNow();
    void ComAsUnicodeActionExecute();
    void ViewStyleActionExecute();
    void updateViewStyleAction();
    void ImgSizeAction1Execute();
    // The sub-windows and the dock panel (main_form_layout.cpp).
    void toggleSubForm(TSubForm* form);
    void updateVisibleActions();
    void LayoutDockPanel();
    void connectSubForm(TSubForm* form);
    std::array<TSubForm*, 3> subForms() const;
    void hideForMinimize();
    void showAfterRestore();

    // Font, open, print and about (main_form_view_commands.cpp).
    void createViewCommandActions();
    void FontSelectActionExecute();
    void OpenImageActionExecute();
    void AboutActionExecute();
    void ListView1DblClick();
    void ListView1Popup(const QPoint& globalPos);

    // The navigator's pages and what it opens (main_form_navigation.cpp).
    void createNavigationActions();
    void connectNavigator();

    // The image window's commands and context menu (main_form_image.cpp).
    void createImageActions();
    void fillImagePopup();
    void SetJpegCacheActionExecute();

    // Full screen and stepping (main_form_full_screen.cpp).
    void createFullScreenActions();
    void FS_StartActionExecute();
    void enterFullScreen();
    void leaveFullScreen();
    void stepFullScreen(int delta);
    void showFullScreenActions(bool fullScreen);

    // The comment, Exif segment and import commands (main_form_commands.cpp).
    void createCommandActions();
    void EditComSegActionExecute();
    void writeOneComment(int row, TItemData& entry, const QString& text);
    void writeAllComments(TItemData& started, TCommentMode mode, const QString& text);
    void SaveSegActionExecute();
    void LoadSegActionExecute();
    void InportActionExecute();
    // While a command works with the listed entries the list keeps its entries and
    // their order; a rebuild or sort asked for meanwhile is done when the last one ends.
    void beginListWork();
    void endListWork();

    void wakeIdle();
    void idleTick();
    // True when it loaded a row on screen, made or failed.
    bool loadVisibleRows(const QElapsedTimer& clock);
    // True when it made a thumbnail (and more may follow).
    bool loadBackgroundRows(const QElapsedTimer& clock);
    bool loadEntry(TItemData& entry);

    TPhotoList m_photoList;
    TPhotoListModel* m_model;
    QString m_currentFolder;
    TItemData* m_currentItem = nullptr;
    TSortMode m_sortMode = TSortMode::None;
    int m_sortDirection = 1;
    QStringList m_arguments;
    QString m_startPhoto;  // a photo named at start, made current once its folder is listed
    QByteArray m_fontRecord;
    QLabel* m_statusLabel;
    QActionGroup* m_sortGroup;
    QTimer m_idleTimer;
    bool m_inIdle = false;
    bool m_wakePending = false;
    bool m_awaitFirstPaint = false;
    QElapsedTimer m_rebuildClock;
    int m_dockedCount = 0;
    std::array<bool, 3> m_hiddenByMinimize{};
    int m_listWork = 0;
    std::optional<TPhotoList> m_deferredList;
    bool m_sortDeferred = false;
    // A comment run writes file after file; the idle fill waits until it ends.
    bool m_idlePaused = false;
    TFullScreenWindow* m_fullScreen = nullptr;  // owned; deleted on leaving
    QPointer<QWidget> m_activeBeforeFullScreen;
    // The image window's context menu separator that shows only in full screen.
    QAction* m_fullScreenSeparator = nullptr;
    // The files of this list the idle fill could not read, told once it is filled.
    QStringList m_fillErrors;
};

}  // namespace tollamar
