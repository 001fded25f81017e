#include "app/photo_sort.h"

#include "platform/file_times.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

namespace tollamar {
namespace {

qint64 dateKey(const TItemData& entry) {
    if (entry.CreationTime != 0) return entry.CreationTime;
    TFileTimes times;
    return GetFileTimes(entry.FileName, times) ? FileTimeFromTimespec(times.creation) : -1;
}

// Each key is computed once per sort: a key looked up afresh at every comparison could
// change under the sort (a file deleted meanwhile) and break the ordering it relies on.
template <typename Key, typename Less>
void sortByKeys(TPhotoList& list, std::vector<Key> keys, Less less) {
    std::vector<size_t> order(list.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return less(keys[a], keys[b]); });
    TPhotoList sorted;
    sorted.reserve(list.size());
    for (size_t i : order) sorted.push_back(std::move(list[i]));
    list = std::move(sorted);
}

void sortByDate(TPhotoList& list, int direction) {
    std::vector<qint64> keys;
    keys.reserve(list.size());
    for (const auto& entry : list) keys.push_back(dateKey(*entry));
    sortByKeys(list, std::move(keys),
               [direction](qint64 a, qint64 b) { return direction > 0 ? a < b : b < a; });
}

void sortByName(TPhotoList& list, int direction) {
    // compare() rather than sort keys: only compare() honours the case rule in every
    // locale, the C locale included.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QString> keys;
    keys.reserve(list.size());
    for (const auto& entry : list) keys.push_back(entry->caption());
    sortByKeys(list, std::move(keys), [&collator, direction](const QString& a, const QString& b) {
        return direction > 0 ? collator.compare(a, b) < 0 : collator.compare(b, a) < 0;
    });
}

}  // namespace

void SortPhotoList(TPhotoList& list, TSortMode mode, int direction) {
    if (mode == TSortMode::ByDate) sortByDate(list, direction);
    else if (mode == TSortMode::ByName) sortByName(list, direction);
}

int SortSetting(TSortMode mode, int direction) {
    return static_cast<int>(mode) * (direction < 0 ? -1 : 1);
}

void ParseSortSetting(int value, TSortMode& mode, int& direction) {
    mode = value == 1 || value == -1   ? TSortMode::ByDate
           : value == 2 || value == -2 ? TSortMode::ByName
                                       : TSortMode::None;
    direction = value < 0 ? -1 : 1;
}

}  // namespace tollamar
