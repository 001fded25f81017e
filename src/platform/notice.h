#pragma once
// Messages the core must show without knowing about windows: the window program
// installs a message box, the command-line program prints to standard error.

#include <QString>
#include <functional>

namespace tollamar {

using NoticeHandler = std::function<void(const QString&)>;

void SetNoticeHandler(NoticeHandler handler);
void ShowNotice(const QString& text);

}  // namespace tollamar
