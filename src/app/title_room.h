#pragma once
// Room for a dialog's title. Message and input boxes, and the thumbnail size dialog,
// size themselves to their contents, which may leave the title bar too narrow for the
// caption: the window manager then cuts it in the middle.

class QWidget;

namespace tollamar {

// The width a window needs so that its title bar shows its caption whole: the caption
// in a bold form of the window's font, plus the icon and buttons of the title bar.
int TitleBarWidth(const QWidget& window);

// From now on every message box, input box and thumbnail size dialog shown is made at
// least TitleBarWidth wide (the content stays centred). Dialogs whose size is fixed by
// their design are left as they are.
void InstallTitleRoom();

}  // namespace tollamar
