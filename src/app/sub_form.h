#pragma once
// The base of the main window's sub-windows (navigator, image window, information
// window). A sub-window is a dock widget of the main window: docked in the dock panel
// right of the photo list, or floating. A floating one is either owned by the main
// window (a tool window that stays in front of it, ChildOfMain true) or an independent
// top-level window with its own task bar entry.

#include <QDockWidget>

namespace tollamar {

class TSubForm : public QDockWidget {
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

private:
    void applyOwnership();

    bool m_childOfMain = true;
    bool m_dockable;
};

}  // namespace tollamar
