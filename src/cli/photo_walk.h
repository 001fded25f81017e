#pragma once
// The photos named on a command line: folders are walked as the search walks them
// (hidden folders skipped, a folder reached again through a link walked once, devices
// and FIFOs passed over), files are taken as they are.

#include <QStringList>

namespace tollamar::cli {

// Appends the *.jpg and *.jpeg files of the targets in walk order; false when a target
// does not exist (reported, the others are still collected).
bool CollectPhotos(const QStringList& targets, bool withSubfolders, QStringList& photos);

}  // namespace tollamar::cli
