#pragma once
// The base of the main window's sub-windows (navigator, image window, information
// window). A sub-window is a dock widget of the main window: docked in the dock panel
// right of the photo list, or floating. A floating one is either owned by the main
// window (a tool window that stays in front of it, ChildOfMain true) or an independent
// top-level window with its own task bar entry.
//
// Every sub-window carries the two dock-client commands, Docking1 and StayOnTopMenu.
// Linux window managers take no items of ours in their window menu, so the commands
// sit in a menu on the title bar Qt draws for the dock window and at the top of the
// window's own context menu (AddDockClientItems).

#include <QDockWidget>

class QMenu;

namespace tollamar {

class TSubForm : public QDockWidget {
    Q_OBJECT

public:
    // componentName names the window and its settings file; a window that is not
    // dockable only ever floats.
    TSubForm(const QString& componentName, const QString& caption, bool dockable, QWidget* mainWindow);

    bool ChildOfMain() const { return m_childOfMain; }
    // Applied at once while floating; a docked window keeps the value for later.
    void setChildOfMain(bool childOfMain);

    bool isDockable() const { return m_dockable; }
    bool isDocked() const { return !isFloating(); }
    QString componentName() const { return objectName(); }
    // SettingsFolder + componentName + ".INI".
    QString settingsFileName() const;

    // Puts Docking1, StayOnTopMenu and a separator in front of what menu holds.
    void AddDockClientItems(QMenu* menu);
    // True when the title bars of the program's windows are drawn active: the program
    // is the active application and no modal dialog of its commands is open.
    static bool CaptionsActive();

    // "メインウィンドウにドッキングする(&D)": asks the main window to dock this window;
    // greyed on a window that cannot be docked and while docked.
    QAction* Docking1;
    // "常にメインウィンドウよりも手前に表示する(&T)": toggles ChildOfMain; checked while owned.
    QAction* StayOnTopMenu;

signals:
    // Docking1 was chosen, or the title of the floating window was double-clicked.
    void dockRequested(tollamar::TSubForm* form);
    // StayOnTopMenu switched the window between owned and independent.
    void ownershipChanged(tollamar::TSubForm* form);

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createDockClientActions();
    void applyOwnership();
    void updateDockClientActions();
    bool onTitle(const QPoint& pos) const;
    void paintCaption();

    bool m_childOfMain = true;
    bool m_dockable;
};

}  // namespace tollamar
