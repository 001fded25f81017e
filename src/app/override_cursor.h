#pragma once
// The application-wide cursor for the length of a scope: the hourglass while the
// interface thread works, the previous cursor back afterwards, also when the work raises.

#include <QApplication>

namespace tollamar {

class TOverrideCursor {
public:
    explicit TOverrideCursor(Qt::CursorShape shape = Qt::WaitCursor) { QApplication::setOverrideCursor(shape); }
    ~TOverrideCursor() { QApplication::restoreOverrideCursor(); }
    TOverrideCursor(const TOverrideCursor&) = delete;
    TOverrideCursor& operator=(const TOverrideCursor&) = delete;
};

}  // namespace tollamar
