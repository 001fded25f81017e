#include "app/sub_form.h"

#include "app/app_globals.h"
#include "app/app_icon.h"
#include "platform/settings_folder.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionDockWidget>
#include <QTimer>
#include <QWindow>

namespace tollamar {

TSubForm::TSubForm(const QString& componentName, const QString& caption, bool dockable,
                   QWidget* mainWindow)
    : QDockWidget(caption, mainWindow), m_dockable(dockable) {
    setObjectName(componentName);
    setWindowIcon(AppIcon());
    if (dockable) {
        setAllowedAreas(Qt::RightDockWidgetArea);
        setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    } else {
        // Without the floatable feature Qt shows no dock button and ignores a title
        // double-click; the window can still be moved by its title.
        setAllowedAreas(Qt::NoDockWidgetArea);
        setFeatures(DockWidgetClosable);
        setFloating(true);
    }
    createDockClientActions();
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        updateDockClientActions();
        // Qt makes every floating dock window a tool window; an independent one is
        // turned back once the drag that floated it has ended.
        if (floating && !m_childOfMain) QTimer::singleShot(0, this, [this] { applyOwnership(); });
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] {
        if (isFloating()) update();
    });
}

void TSubForm::createDockClientActions() {
    Docking1 = new QAction(QStringLiteral("メインウィンドウにドッキングする(&D)"), this);
    Docking1->setObjectName(QStringLiteral("Docking1"));
    connect(Docking1, &QAction::triggered, this, [this] { emit dockRequested(this); });
    StayOnTopMenu = new QAction(QStringLiteral("常にメインウィンドウよりも手前に表示する(&T)"), this);
    StayOnTopMenu->setObjectName(QStringLiteral("StayOnTopMenu"));
    StayOnTopMenu->setCheckable(true);
    StayOnTopMenu->setChecked(m_childOfMain);
    connect(StayOnTopMenu, &QAction::triggered, this, [this] {
        setChildOfMain(!m_childOfMain);
        emit ownershipChanged(this);
    });
    updateDockClientActions();
}

void TSubForm::updateDockClientActions() { Docking1->setEnabled(m_dockable && isFloating()); }

QString TSubForm::settingsFileName() const { return SettingsFileName(componentName()); }

void TSubForm::setChildOfMain(bool childOfMain) {
    StayOnTopMenu->setChecked(childOfMain);
    if (m_childOfMain == childOfMain) return;
    m_childOfMain = childOfMain;
    if (isFloating()) applyOwnership();
}

void TSubForm::applyOwnership() {
    if (!isFloating()) return;
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        // Recreating the window under a running title drag would end the drag.
        QTimer::singleShot(100, this, [this] { applyOwnership(); });
        return;
    }
    const Qt::WindowType wanted = m_childOfMain ? Qt::Tool : Qt::Window;
    if (windowType() != wanted) {
        const bool visible = isVisible();
        const QPoint place = pos();
        // A tool window stays in front of its owner and has no task bar entry; a plain
        // window has one.
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | wanted);
        move(place);
        // Showing again makes the window manager take the new type (and the button).
        if (visible) show();
    }
    // Qt makes any window with a parent transient for it, which keeps it in front of
    // the main window and off the task bar: an independent window drops that link.
    if (!m_childOfMain && windowHandle()) windowHandle()->setTransientParent(nullptr);
}

void TSubForm::AddDockClientItems(QMenu* menu) {
    QAction* first = menu->actions().value(0);
    menu->insertAction(first, Docking1);
    menu->insertAction(first, StayOnTopMenu);
    menu->insertSeparator(first);
}

bool TSubForm::CaptionsActive() {
    return QGuiApplication::applicationState() == Qt::ApplicationActive && !ModalBusy();
}

bool TSubForm::onTitle(const QPoint& pos) const {
    const int titleBottom = widget() ? widget()->geometry().top() : height();
    return pos.y() >= 0 && pos.y() < titleBottom;
}

bool TSubForm::event(QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && m_dockable && isFloating()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && onTitle(mouse->position().toPoint())) {
            // Qt would put the window back where it was last docked; ours go in their order.
            emit dockRequested(this);
            return true;
        }
    }
    return QDockWidget::event(event);
}

void TSubForm::contextMenuEvent(QContextMenuEvent* event) {
    // Right-clicks on the title, and on parts of the window that have no menu of their
    // own, get the dock-client menu; the main window's tool bar menu never opens here.
    QMenu menu(this);
    menu.addActions({Docking1, StayOnTopMenu});
    menu.exec(event->globalPos());
    event->accept();
}

void TSubForm::paintEvent(QPaintEvent* event) {
    QDockWidget::paintEvent(event);
    if (isFloating() && !titleBarWidget()) paintCaption();
}

void TSubForm::paintCaption() {
    // All the program's windows look active together (or inactive together while a
    // command's dialog is open), whichever of them has the focus.
    QStyleOptionDockWidget option;
    initStyleOption(&option);
    const bool active = CaptionsActive();
    const QPalette::ColorGroup group = active ? QPalette::Active : QPalette::Inactive;
    QPainter painter(this);
    painter.fillRect(option.rect, active ? palette().color(group, QPalette::Highlight)
                                         : palette().color(group, QPalette::Mid));
    painter.setPen(active ? palette().color(group, QPalette::HighlightedText)
                          : palette().color(group, QPalette::Window));
    const QRect text = option.rect.adjusted(4, 0, -2 * option.rect.height(), 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(windowTitle(), Qt::ElideRight, text.width()));
}

}  // namespace tollamar
