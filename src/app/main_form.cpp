#include "app/main_form.h"

#include "app/app_globals.h"
#include "app/app_icon.h"
#include "app/command_icons.h"
#include "app/font_record.h"
#include "app/ini_file.h"
#include "app/new_action.h"
#include "app/photo_list_model.h"
#include "app/photo_list_view.h"
#include "app/photo_scan.h"
#include "app/tmn_size_form.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"
#include "platform/settings_folder.h"
#include "ui/dialogs/edit_text_dlg.h"
#include "ui/imagewin/full_screen_window.h"
#include "ui/imagewin/image_form.h"
#include "ui/infowin/image_info_form.h"
#include "ui/navigator/navi_form.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QListView>
#include <QTreeView>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <utility>

namespace tollamar {
namespace {

const QString kIniName = QStringLiteral("MainForm");
const QString kApp = QStringLiteral("App");
const QString kImage = QStringLiteral("Image");
constexpr int kMinThumbnail = 32;
constexpr int kMaxThumbnail = 128;

}  // namespace

TMainForm::TMainForm(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      m_model(new TPhotoListModel(m_photoList, this)),
      m_arguments(arguments),
      m_fontRecord(DefaultFontRecord()),
      m_statusLabel(new QLabel(this)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(AppTitle());
    setWindowIcon(AppIcon());
    resize(708, 510);
    ListView1 = new TPhotoListView(m_model, this);
    setCentralWidget(ListView1);
    m_statusLabel->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_statusLabel, 1);
    createActions();
    createCommandActions();
    createNavigationActions();
    createViewCommandActions();
    createSubForms();
    createFullScreenActions();
    createImageActions();
    createMenus();
    createToolBars();
    connectListView();
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] { idleTick(); });
    m_rebuildClock.start();
    if (const std::optional<QFont> design = FontFromRecord(m_fontRecord, font())) setMainFont(*design);
    updateViewStyleAction();
}

TMainForm::~TMainForm() {
    // The full-screen window gives the image window its view back before either goes.
    delete m_fullScreen;
    // The sub-windows borrow entries: let go of them before the list goes.
    m_idleTimer.stop();
    ImageForm->ShowItem(nullptr);
    m_currentItem = nullptr;
}

void TMainForm::createActions() {
    SelFolderAction = NewAction(this, "SelFolderAction", QStringLiteral("フォルダを開く(&O)"),
                                QStringLiteral("フォルダを開きます"), 1);
    SelFolderAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(SelFolderAction, &QAction::triggered, this, [this] { SelFolderActionExecute(); });

    ExitAppAction = NewAction(this, "ExitAppAction", QStringLiteral("終了(&X)"));
    ExitAppAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(ExitAppAction, &QAction::triggered, this, &QWidget::close);

    EditComSegAction = NewAction(this, "EditComSegAction", QStringLiteral("‘コメント’の編集(&E)"),
                                 QStringLiteral("写真の‘コメント’を編集します"), 2);
    EditComSegAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    EditComSegAction->setEnabled(false);

    ComAsUnicodeAction = NewAction(this, "ComAsUnicodeAction", QStringLiteral("コメントの書き込みをUnicodeにする"));
    ComAsUnicodeAction->setCheckable(true);
    connect(ComAsUnicodeAction, &QAction::triggered, this, [this] { ComAsUnicodeActionExecute(); });

    m_sortGroup = new QActionGroup(this);
    SortByNoneAction = NewAction(m_sortGroup, "SortByNoneAction", QStringLiteral("ソートしない(&0)"));
    SortByFileNameAction = NewAction(m_sortGroup, "SortByFileNameAction", QStringLiteral("ファイルの名前順(&N)"));
    SortByFileDateAction = NewAction(m_sortGroup, "SortByFileDateAction", QStringLiteral("ファイルの日付順(&D)"));
    const std::pair<QAction*, TSortMode> sorts[] = {{SortByNoneAction, TSortMode::None},
                                                    {SortByFileNameAction, TSortMode::ByName},
                                                    {SortByFileDateAction, TSortMode::ByDate}};
    for (const auto& [action, mode] : sorts) {
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, mode = mode] { sortCommand(mode); });
    }
    SortByNoneAction->setChecked(true);

    ViewStyleAction = NewAction(this, "ViewStyleAction", QString());
    ViewStyleAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L));
    connect(ViewStyleAction, &QAction::triggered, this, [this] { ViewStyleActionExecute(); });

    ImgSizeAction1 = NewAction(this, "ImgSizeAction1", QStringLiteral("サムネイルのサイズを変える(&T)"),
                               QStringLiteral("サムネイルのサイズを変えます"));
    connect(ImgSizeAction1, &QAction::triggered, this, [this] { ImgSizeAction1Execute(); });

    NavigatorVisibleAction = NewAction(this, "NavigatorVisibleAction", QString(), QString(), 10);
    NavigatorVisibleAction->setShortcut(QKeySequence(Qt::Key_F2));
    ImageVisibleAction = NewAction(this, "ImageVisibleAction", QString(), QString(), 6);
    ImageVisibleAction->setShortcut(QKeySequence(Qt::Key_F3));
    InfoVisibleAction = NewAction(this, "InfoVisibleAction", QString(), QString(), 7);
    InfoVisibleAction->setShortcut(QKeySequence(Qt::Key_F4));
    for (QAction* action : {NavigatorVisibleAction, ImageVisibleAction, InfoVisibleAction})
        action->setCheckable(true);
}

void TMainForm::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(SelFolderAction);
    file->addSeparator();
    file->addActions({FromTreeAction, FromFavoriteAction, FromRecentAction});
    file->addSeparator();
    file->addAction(ExitAppAction);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->addAction(EditComSegAction);
    edit->addAction(SearchAction);
    edit->addAction(ComAsUnicodeAction);
    edit->addSeparator();
    edit->addActions({CopyImageAction, OpenImageAction});
    edit->addSeparator();
    edit->addActions({SaveSegAction, LoadSegAction});
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    QMenu* windows = view->addMenu(QStringLiteral("ウィンドウ(&W)"));
    windows->addActions({NavigatorVisibleAction, ImageVisibleAction, InfoVisibleAction});
    QMenu* sort = view->addMenu(QStringLiteral("ソート(&S)"));
    sort->addActions(m_sortGroup->actions());
    view->addAction(ViewStyleAction);
    view->addAction(FS_StartAction);
    view->addSeparator();
    view->addAction(ImgSizeAction1);
    view->addActions({FontSelectAction, ShowCommentAction, SetJpegCacheAction});
    QMenu* special = menuBar()->addMenu(QStringLiteral("特殊(&S)"));
    special->addAction(InportAction);
    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(AboutAction);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu2->addAction(ViewStyleAction);
    QMenu* popupSort = PopupMenu2->addMenu(QStringLiteral("ソート(&S)"));
    popupSort->addActions(m_sortGroup->actions());
    PopupMenu2->addSeparator();
    PopupMenu2->addAction(EditComSegAction);
    PopupMenu2->addAction(SearchAction);
    PopupMenu2->addSeparator();
    PopupMenu2->addAction(SelFolderAction);
}

void TMainForm::createToolBars() {
    QToolBar* bar1 = addToolBar(QStringLiteral("ToolBar1"));
    bar1->setObjectName(QStringLiteral("ToolBar1"));
    bar1->addAction(SelFolderAction);
    bar1->addSeparator();
    bar1->addAction(EditComSegAction);
    bar1->addAction(SearchAction);
    QToolBar* bar2 = addToolBar(QStringLiteral("ToolBar2"));
    bar2->setObjectName(QStringLiteral("ToolBar2"));
    bar2->addAction(ViewStyleAction);
    bar2->addSeparator();
    bar2->addActions({NavigatorVisibleAction, ImageVisibleAction, InfoVisibleAction});
    for (QToolBar* bar : {bar1, bar2}) {
        bar->setIconSize(QSize(16, 16));
        bar->setAllowedAreas(Qt::TopToolBarArea);
        bar->setFloatable(false);
    }
}

void TMainForm::connectListView() {
    ListView1->onEnter = [this] {
        // A photo the information window cannot read is still the one to edit.
        RunReporting([this] { SetCurrentItem(m_model->entry(ListView1->selectedRow())); });
        EditComSegAction->trigger();
    };
    ListView1->onDoubleClick = [this] { ListView1DblClick(); };
    ListView1->onPopup = [this](const QPoint& pos) { ListView1Popup(pos); };
    ListView1->onVisibleRowsChanged = [this] { wakeIdle(); };
    ListView1->onSelectionChanged = [this] { wakeIdle(); };
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(ListView1->iconView()),
                                    static_cast<QAbstractItemView*>(ListView1->reportView())})
        view->viewport()->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == ListView1->activeView()->viewport())
        m_awaitFirstPaint = false;
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TMainForm::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (!event->spontaneous()) FormHide();
}

void TMainForm::FormShow() {
    setWindowTitle(AppTitle());
    {
        const TIniFile ini(SettingsFileName(kIniName));
        ComAsUnicodeAction->setChecked(ini.ReadBool(kApp, u"ComAsUnicode", false));
        ParseSortSetting(ini.ReadInteger(kApp, u"Sort", 0), m_sortMode, m_sortDirection);
        (m_sortMode == TSortMode::ByDate   ? SortByFileDateAction
         : m_sortMode == TSortMode::ByName ? SortByFileNameAction
                                           : SortByNoneAction)
            ->setChecked(true);
        openStartFolder(ini);
        const int width = std::clamp(ini.ReadInteger(kImage, u"Width", 64), kMinThumbnail, kMaxThumbnail);
        const int height = std::clamp(ini.ReadInteger(kImage, u"Height", 48), kMinThumbnail, kMaxThumbnail);
        setThumbnailSize(QSize(width, height));
        const int style = ini.ReadInteger(kApp, u"ViewStyle", static_cast<int>(viewStyle()));
        if (style == static_cast<int>(TViewStyle::Icon) || style == static_cast<int>(TViewStyle::Report))
            setViewStyle(static_cast<TViewStyle>(style));
        updateViewStyleAction();
        readFont(ini);
    }
    for (TSubForm* form : {static_cast<TSubForm*>(ImageForm), static_cast<TSubForm*>(ImageInfoForm)}) {
        DockSubForm(form);
        form->show();
    }
    if (IsFolder(m_currentFolder)) DoSelFolder(TFolderRequester::MainForm, m_currentFolder);
    selectStartPhoto();
}

void TMainForm::selectStartPhoto() {
    const QString photo = std::exchange(m_startPhoto, QString());
    for (const auto& entry : m_photoList) {
        if (entry->FileName != photo) continue;
        ListView1->selectRow(m_model->rowOf(entry.get()));
        SetCurrentItem(entry.get());
        return;
    }
}

void TMainForm::openStartFolder(const TIniFile& ini) {
    if (!m_arguments.isEmpty()) {
        // A photo instead of a folder ("Open with" from a file manager) opens its folder
        // with that photo current.
        const QFileInfo start(m_arguments.first());
        if (FileExists(m_arguments.first()) && IsPhotoFileName(start.fileName()) &&
            SetCurrentFolder(start.absolutePath())) {
            m_startPhoto = QDir::cleanPath(start.absoluteFilePath());
            return;
        }
        if (SetCurrentFolder(m_arguments.first())) return;
    }
    QString folder = FolderFromSetting(ini.ReadString(kApp, u"CD", QString()));
    if (!IsFolder(folder)) folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!IsFolder(folder)) folder = QDir::currentPath();
    SetCurrentFolder(folder);
}

void TMainForm::readFont(const TIniFile& ini) {
    if (!ini.ValueExists(kApp, u"Font")) return;
    const std::optional<QByteArray> record = FontRecordFromHex(ini.ReadString(kApp, u"Font", QString()));
    if (!record) return;
    const std::optional<QFont> font = FontFromRecord(*record, ListView1->font());
    if (!font) return;
    m_fontRecord = *record;
    setMainFont(*font);
}

void TMainForm::FormHide() {
    m_idleTimer.stop();
    try {
        TIniFile ini(SettingsFileName(kIniName));
        QString folder = m_currentFolder;
        if (!IsFolder(folder)) folder = QDir::currentPath();
        // A folder name with a line break cannot be stored in the file's form.
        if (!IsFolder(folder) || folder.contains(u'\n') || folder.contains(u'\r')) ini.DeleteKey(kApp, u"CD");
        else ini.WriteString(kApp, QStringLiteral("CD"), FolderToSetting(folder));
        ini.WriteInteger(kApp, QStringLiteral("ViewStyle"), static_cast<int>(viewStyle()));
        ini.WriteInteger(kImage, QStringLiteral("Width"), thumbnailSize().width());
        ini.WriteInteger(kImage, QStringLiteral("Height"), thumbnailSize().height());
        ini.WriteInteger(kApp, QStringLiteral("Sort"), SortSetting(m_sortMode, m_sortDirection));
        m_fontRecord = RecordFromFont(ListView1->font(), m_fontRecord);
        ini.WriteString(kApp, QStringLiteral("Font"), FontRecordToHex(m_fontRecord));
        ini.UpdateFile();
    } catch (const Error& e) {
        ReportError(e.message());
    }
}

void TMainForm::setMainFont(const QFont& font) {
    ListView1->setFont(font);
    ImageForm->setFont(font);
    ImageInfoForm->setFont(font);
    EditTextDlg->setFont(font);
    m_statusLabel->setFont(font);
}

void TMainForm::ComAsUnicodeActionExecute() {
    WriteIniStringNow(SettingsFileName(kIniName), kApp, QStringLiteral("ComAsUnicode"),
                      ComAsUnicodeAction->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

TViewStyle TMainForm::viewStyle() const { return ListView1->viewStyle(); }

QSize TMainForm::thumbnailSize() const { return ListView1->thumbnailSize(); }

QString TMainForm::statusText() const { return m_statusLabel->text(); }

void TMainForm::setViewStyle(TViewStyle style) {
    ListView1->setViewStyle(style);
    updateViewStyleAction();
}

void TMainForm::ViewStyleActionExecute() {
    setViewStyle(viewStyle() == TViewStyle::Icon ? TViewStyle::Report : TViewStyle::Icon);
}

void TMainForm::updateViewStyleAction() {
    const bool icon = viewStyle() == TViewStyle::Icon;
    const QString base = icon ? QStringLiteral("レポート形式で画像リストを表示")
                              : QStringLiteral("アイコンで画像リストを表示");
    ViewStyleAction->setText(base + QStringLiteral("(&L)"));
    ViewStyleAction->setStatusTip(base + QStringLiteral("します"));
    ViewStyleAction->setToolTip(base + QStringLiteral("します"));
    ViewStyleAction->setIcon(CommandIcon(icon ? 4 : 5));
}

void TMainForm::setThumbnailSize(QSize size) {
    ListView1->setThumbnailSize(QSize(std::clamp(size.width(), kMinThumbnail, kMaxThumbnail),
                                      std::clamp(size.height(), kMinThumbnail, kMaxThumbnail)));
}

void TMainForm::ImgSizeAction1Execute() {
    TTmnSizeForm dialog(this);
    dialog.setThumbnailSize(thumbnailSize());
    ModalBracket bracket;
    if (dialog.exec() == QDialog::Accepted) setThumbnailSize(dialog.thumbnailSize());
}

}  // namespace tollamar
