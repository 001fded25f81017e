#pragma once
// The three list orders and the direction rule shared by the sort commands and the
// stored Sort setting.

#include "app/item_data.h"

namespace tollamar {

enum class TSortMode { None = 0, ByDate = 1, ByName = 2 };

// Orders the list in place; entries with equal keys keep no particular order.
// direction is +1 (ascending) or -1 (descending). By date the key is CreationTime, or
// when that is 0 the file's creation time now (-1 for a file that is gone). By name
// the name parts are compared in the user's locale, ignoring case.
void SortPhotoList(TPhotoList& list, TSortMode mode, int direction);

// The stored form: 0, +-1 by date, +-2 by name, the sign being the direction.
int SortSetting(TSortMode mode, int direction);
// The mode and direction a stored value gives; other magnitudes mean no sorting.
void ParseSortSetting(int value, TSortMode& mode, int& direction);

}  // namespace tollamar
