#pragma once
// The full Exif text: section nodes with one "label = value" line per field.

#include "exif/exif_info.h"
#include "exif/text_tree.h"

namespace tollamar {

// Appends the seven section nodes, each with its lines, to parent's children. The
// whole tree is built also for a record without values.
void AddExifText(TTextNode& parent, const TExifInfo& info);

}  // namespace tollamar
