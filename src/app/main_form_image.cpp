// TMainForm: the commands that act on the image window: the scale modes, the comment
// band, copying the picture, the cache size, and the window's context menu.

#include "app/app_globals.h"
#include "app/main_form.h"
#include "app/new_action.h"
#include "ui/imagewin/image_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMenu>

namespace tollamar {

namespace {

// The answer as a decimal number; -1 for anything else.
int cacheSizeAnswer(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : -1;
}

}  // namespace

void TMainForm::createImageActions() {
    auto* modes = new QActionGroup(this);
    const std::pair<QAction**, TImageMode> scaleActions[] = {
        {&ImageScaledAction, TImageMode::Scaled}, {&ImageHalfAction, TImageMode::Half},
        {&ImageEqualAction, TImageMode::Equal},   {&ImageDoubleAction, TImageMode::Double},
        {&Image4MulAction, TImageMode::Mul4}};
    ImageScaledAction = NewAction(modes, "ImageScaledAction", QStringLiteral("ウィンドウに合わせる(&S)"));
    ImageHalfAction = NewAction(modes, "ImageHalfAction", QStringLiteral("×０．５倍(&H)"));
    ImageEqualAction = NewAction(modes, "ImageEqualAction", QStringLiteral("×１．０倍(&E)"));
    ImageDoubleAction = NewAction(modes, "ImageDoubleAction", QStringLiteral("×２．０倍(&D)"));
    Image4MulAction = NewAction(modes, "Image4MulAction", QStringLiteral("×４．０倍(&Q)"));
    for (const auto& [action, mode] : scaleActions) {
        (*action)->setCheckable(true);
        connect(*action, &QAction::triggered, this, [this, mode = mode] { ImageForm->SetImageMode(mode); });
    }
    ImageScaledAction->setChecked(true);
    connect(ImageForm, &TImageForm::imageModeChanged, this, [scaleActions](TImageMode mode) {
        for (const auto& [action, actionMode] : scaleActions)
            if (actionMode == mode) (*action)->setChecked(true);
    });

    ShowCommentAction = NewAction(this, "ShowCommentAction", QStringLiteral("コメントを画像に重ねて表示"));
    ShowCommentAction->setCheckable(true);
    connect(ShowCommentAction, &QAction::toggled, ImageForm, &TImageForm::setShowComment);

    CopyImageAction = NewAction(this, "CopyImageAction", QStringLiteral("コピー(&C)"));
    CopyImageAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    CopyImageAction->setEnabled(false);
    connect(CopyImageAction, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setImage(ImageForm->ImageData()); });
    connect(ImageForm, &TImageForm::pictureChanged, CopyImageAction, &QAction::setEnabled);
    // The shortcut works in the floating image window too.
    ImageForm->addAction(CopyImageAction);

    SetJpegCacheAction = NewAction(this, "SetJpegCacheAction", QStringLiteral("JPEGキャッシュサイズの設定"),
                                   QStringLiteral("展開済みJPEGを保存しておくメモリサイズを設定します"));
    connect(SetJpegCacheAction, &QAction::triggered, this, [this] { RunReporting([this] { SetJpegCacheActionExecute(); }); });

    connect(ImageForm, &TImageForm::editCommentRequested, EditComSegAction, &QAction::trigger);
    fillImagePopup();
}

void TMainForm::fillImagePopup() {
    QMenu* popup = ImageForm->PopupMenu;
    ImageForm->AddDockClientItems(popup);
    popup->addActions({FS_NextAction, FS_PrevAction});
    m_fullScreenSeparator = popup->addSeparator();
    m_fullScreenSeparator->setVisible(false);
    QMenu* modes = popup->addMenu(QStringLiteral("画像表示モード(&M)"));
    modes->addActions({ImageScaledAction, ImageHalfAction, ImageEqualAction, ImageDoubleAction, Image4MulAction});
    popup->addActions({FS_StartAction, FS_EndAction, ImageForm->AutoShowAction, ShowCommentAction});
    popup->addSeparator();
    popup->addActions({EditComSegAction, SearchAction});
    popup->addSeparator();
    popup->addActions({CopyImageAction, OpenImageAction, PrintImageAction});
    popup->addSeparator();
    popup->addActions({SaveSegAction, LoadSegAction});
}

// Asks until the answer is a size in 0..256; cancelling keeps the size as it is.
void TMainForm::SetJpegCacheActionExecute() {
    const QString current = QString::number(ImageForm->CacheSize());
    int megabytes = -1;
    while (megabytes < 0 || megabytes > TJpegCache::kMaxCacheSize) {
        bool accepted = false;
        QString answer;
        {
            ModalBracket bracket;
            answer = QInputDialog::getText(this, SetJpegCacheAction->statusTip(),
                                           QStringLiteral("0～256Mbytesまで設定できます"), QLineEdit::Normal,
                                           current, &accepted);
        }
        if (!accepted) return;
        megabytes = cacheSizeAnswer(answer);
    }
    ImageForm->SetCacheSize(megabytes);
}

}  // namespace tollamar
