#pragma once
// A main-window command: its object name is the command's design name, which tests and
// the menus look it up by.

#include <QString>

class QAction;
class QObject;

namespace tollamar {

// A new action owned by owner (a window or an action group); a non-empty hint becomes its
// status and tool tip, a non-negative icon its command icon of that index.
QAction* NewAction(QObject* owner, const char* name, const QString& caption, const QString& hint = {},
                   int icon = -1);

}  // namespace tollamar
