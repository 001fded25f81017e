#include "app/new_action.h"

#include <QAction>

namespace tollamar {

QAction* NewAction(QObject* owner, const char* name, const QString& caption) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace tollamar
