// TMainForm: the sub-windows around the photo list: creating and docking them, the dock
// panel's layout, their visibility commands, and what minimising the main window does
// to them.

#include "app/main_form.h"
#include "app/sub_form.h"
#include "ui/imagewin/image_form.h"
#include "ui/infowin/image_info_form.h"
#include "ui/navigator/navi_form.h"

#include <QAction>
#include <QTimer>
#include <QWindowStateChangeEvent>

namespace tollamar {
namespace {

// The dock panel never becomes narrower than this while it holds a window.
constexpr int kMinDockWidth = 32;

}  // namespace

void TMainForm::createSubForms() {
    NaviForm = new TNaviForm(this);
    ImageForm = new TImageForm(this);
    ImageInfoForm = new TImageInfoForm(this);
    NaviForm->hide();
    addDockWidget(Qt::RightDockWidgetArea, ImageForm);
    addDockWidget(Qt::RightDockWidgetArea, ImageInfoForm);
    splitDockWidget(ImageForm, ImageInfoForm, Qt::Vertical);
    ImageForm->hide();
    ImageInfoForm->hide();
    connect(ImageInfoForm, &TImageInfoForm::editCommentRequested, EditComSegAction, &QAction::trigger);
    connectNavigator();
    const std::pair<QAction*, TSubForm*> toggles[] = {
        {NavigatorVisibleAction, NaviForm}, {ImageVisibleAction, ImageForm}, {InfoVisibleAction, ImageInfoForm}};
    for (const auto& [action, form] : toggles) {
        connect(action, &QAction::triggered, this, [this, form = form] { toggleSubForm(form); });
        connectSubForm(form);
    }
    updateVisibleActions();
}

void TMainForm::connectSubForm(TSubForm* form) {
    if (form->isDockable()) form->setMinimumWidth(kMinDockWidth);
    const auto relayout = [this] { QTimer::singleShot(0, this, [this] { LayoutDockPanel(); }); };
    connect(form, &QDockWidget::visibilityChanged, this, relayout);
    connect(form, &QDockWidget::topLevelChanged, this, relayout);
    connect(form, &TSubForm::dockRequested, this, [this](TSubForm* f) { DockSubForm(f); });
    // Re-creating the navigator's window does not move its tree: bring it to the
    // current folder again.
    if (form == NaviForm) connect(form, &TSubForm::ownershipChanged, this, [this] { NaviForm->SyncFolderTree(); });
}

std::array<TSubForm*, 3> TMainForm::subForms() const { return {NaviForm, ImageForm, ImageInfoForm}; }

void TMainForm::DockSubForm(TSubForm* form) {
    if (!form->isDockable()) return;
    form->setFloating(false);
    // The image window goes above the information window, whichever docks first.
    if (ImageForm->isDocked() && ImageInfoForm->isDocked())
        splitDockWidget(ImageForm, ImageInfoForm, Qt::Vertical);
    form->show();
    updateVisibleActions();
}

void TMainForm::toggleSubForm(TSubForm* form) {
    if (form->isFloating() && form->isMinimized()) form->showNormal();
    else form->setVisible(form->isHidden());
    updateVisibleActions();
}

void TMainForm::updateVisibleActions() {
    struct Texts {
        QAction* action;
        TSubForm* form;
        QString name;
    };
    const Texts all[] = {{NavigatorVisibleAction, NaviForm, QStringLiteral("Navigatorウィンドウ")},
                         {ImageVisibleAction, ImageForm, QStringLiteral("画像ウィンドウ")},
                         {InfoVisibleAction, ImageInfoForm, QStringLiteral("画像情報ウィンドウ")}};
    for (const Texts& t : all) {
        const bool visible = !t.form->isHidden();
        const QString caption = t.name + (visible ? QStringLiteral("を隠す") : QStringLiteral("を表示"));
        const QString hint = t.name + (visible ? QStringLiteral("を隠します") : QStringLiteral("を表示します"));
        t.action->setChecked(visible);
        t.action->setText(caption);
        t.action->setStatusTip(hint);
        t.action->setToolTip(hint);
    }
}

void TMainForm::LayoutDockPanel() {
    QList<QDockWidget*> docked;
    for (TSubForm* form : {static_cast<TSubForm*>(ImageForm), static_cast<TSubForm*>(ImageInfoForm)})
        if (!form->isHidden() && !form->isFloating()) docked.append(form);
    const int count = static_cast<int>(docked.size());
    // The first window docked gives the list half of the window; later changes keep the
    // widths the user made.
    if (m_dockedCount == 0 && count >= 1) {
        resizeDocks({docked.first()}, {std::max(kMinDockWidth, width() / 2)}, Qt::Horizontal);
        // Stacked windows share the height as their default sizes do (318 to 280).
        if (count == 2) resizeDocks(docked, {318 * height() / 598, 280 * height() / 598}, Qt::Vertical);
    }
    m_dockedCount = count;
    updateVisibleActions();
}

TMainForm::TSubFormLayout TMainForm::saveSubFormLayout() const {
    TSubFormLayout layout;
    layout.dockState = saveState();
    const std::array<TSubForm*, 3> forms = subForms();
    for (size_t i = 0; i < forms.size(); ++i) layout.childOfMain[i] = forms[i]->ChildOfMain();
    return layout;
}

bool TMainForm::restoreSubFormLayout(const TSubFormLayout& layout) {
    const std::array<TSubForm*, 3> forms = subForms();
    for (size_t i = 0; i < forms.size(); ++i) forms[i]->setChildOfMain(layout.childOfMain[i]);
    // Qt's state names the dock windows by objectName and holds their docking, floating
    // geometry and visibility.
    const bool restored = restoreState(layout.dockState);
    updateVisibleActions();
    return restored;
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const bool wasMinimized = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
    if (isMinimized() && !wasMinimized) hideForMinimize();
    else if (!isMinimized() && wasMinimized) showAfterRestore();
}

void TMainForm::hideForMinimize() {
    // Floating windows would stay on screen without their main window; docked ones go
    // with it.
    const std::array<TSubForm*, 3> forms = subForms();
    for (size_t i = 0; i < forms.size(); ++i) {
        m_hiddenByMinimize[i] = !forms[i]->isHidden() && forms[i]->isFloating();
        if (m_hiddenByMinimize[i]) forms[i]->hide();
    }
    updateVisibleActions();
}

void TMainForm::showAfterRestore() {
    const std::array<TSubForm*, 3> forms = subForms();
    for (size_t i = 0; i < forms.size(); ++i) {
        if (!m_hiddenByMinimize[i]) continue;
        // The window manager minimised the owned windows with the main window; shown
        // minimised, one would take the main window down again.
        forms[i]->setWindowState(forms[i]->windowState() & ~Qt::WindowMinimized);
        forms[i]->show();
    }
    m_hiddenByMinimize = {};
    updateVisibleActions();
}

}  // namespace tollamar
