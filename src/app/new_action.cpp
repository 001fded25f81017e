#include "app/new_action.h"

#include "app/command_icons.h"

#include <QAction>

namespace tollamar {

QAction* NewAction(QObject* owner, const char* name, const QString& caption, const QString& hint, int icon) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        action->setStatusTip(hint);
        action->setToolTip(hint);
    }
    if (icon >= 0) action->setIcon(CommandIcon(icon));
    return action;
}

}  // namespace tollamar
