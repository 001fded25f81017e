#pragma once
// The program's icon: the desktop theme's copy when one is installed, else the copy
// built into the program.

#include <QIcon>

namespace tollamar {

// The icon named org.tollworks.Tollamar in the icon theme, falling back to the PNG
// sizes built into the program.
QIcon AppIcon();

}  // namespace tollamar
