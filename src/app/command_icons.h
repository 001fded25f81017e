#pragma once
// The command glyphs: one strip of eleven 16x16 pictures, drawn once.
//  0 about, 1 open folder, 2 edit comment, 3 search, 4 report view, 5 icon view,
//  6 image window, 7 information window, 8 comment, 9 camera, 10 navigator.

#include <QIcon>

namespace tollamar {

constexpr int kCommandIconCount = 11;

QIcon CommandIcon(int index);

}  // namespace tollamar
