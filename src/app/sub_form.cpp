#include "app/sub_form.h"

#include "platform/settings_folder.h"

namespace tollamar {

TSubForm::TSubForm(const QString& componentName, const QString& caption, bool dockable,
                   QWidget* mainWindow)
    : QDockWidget(caption, mainWindow), m_dockable(dockable) {
    setObjectName(componentName);
    if (dockable) {
        setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    } else {
        setAllowedAreas(Qt::NoDockWidgetArea);
        setFeatures(DockWidgetClosable | DockWidgetFloatable);
        setFloating(true);
    }
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating && !m_childOfMain) applyOwnership();
    });
}

QString TSubForm::settingsFileName() const { return SettingsFileName(componentName()); }

void TSubForm::setChildOfMain(bool childOfMain) {
    if (m_childOfMain == childOfMain) return;
    m_childOfMain = childOfMain;
    if (isFloating()) applyOwnership();
}

void TSubForm::applyOwnership() {
    const bool visible = isVisible();
    const Qt::WindowFlags hints = windowFlags() & ~Qt::WindowType_Mask;
    // A tool window stays in front of its owner; a plain window gets its own task bar entry.
    setWindowFlags(hints | (m_childOfMain ? Qt::Tool : Qt::Window));
    if (visible) show();
}

}  // namespace tollamar
