#pragma once
// A main-window command: its object name is the command's design name, which tests and
// the menus look it up by.

#include <QString>

class QAction;
class QObject;

namespace tollamar {

// A new action owned by owner (a window or an action group).
QAction* NewAction(QObject* owner, const char* name, const QString& caption);

}  // namespace tollamar
