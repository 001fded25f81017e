#include "search/search_criteria.h"

#include "exif/exif_values.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"
#include "search/match_comment.h"

#include <QFileInfo>
#include <algorithm>
#include <tuple>

namespace tollamar {
namespace {

// Digits only; anything else, a sign included, reads as 0 the way a damaged field in
// a camera's date ("    :  :  ") should.
uint16_t fieldValue(QStringView digits) {
    unsigned value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return 0;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value > 0xFFFF ? 0 : static_cast<uint16_t>(value);
}

uint16_t clampField(int value) { return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)); }

template <typename Tuple>
int sign(const Tuple& a, const Tuple& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

template <typename Bound, typename Compare>
bool inRange(const SearchDateTime& shot, std::optional<Bound> from, std::optional<Bound> to,
             Compare compare, SearchDateTime (*toRecord)(Bound)) {
    const std::optional<SearchDateTime> lo = from ? std::optional(toRecord(*from)) : std::nullopt;
    const std::optional<SearchDateTime> hi = to ? std::optional(toRecord(*to)) : std::nullopt;
    if (lo && hi && compare(*lo, *hi) > 0) return compare(shot, *lo) >= 0 || compare(shot, *hi) <= 0;
    if (lo && compare(shot, *lo) < 0) return false;
    if (hi && compare(shot, *hi) > 0) return false;
    return true;
}

// The maker text is matched by the same byte rules as the keywords, letters folded.
bool containsNoCase(const QString& value, const QString& text) {
    return MatchComment(value, {text}, true, true);
}

}  // namespace

std::optional<SearchDateTime> ParseExifDateTime(QStringView value) {
    if (value.size() < 19) return std::nullopt;
    SearchDateTime t;
    t.year = fieldValue(value.sliced(0, 4));
    t.month = fieldValue(value.sliced(5, 2));
    t.day = fieldValue(value.sliced(8, 2));
    t.hour = fieldValue(value.sliced(11, 2));
    t.minute = fieldValue(value.sliced(14, 2));
    t.second = fieldValue(value.sliced(17, 2));
    return t;
}

SearchDateTime DateBound(QDate date) {
    SearchDateTime t;
    t.year = clampField(date.year());
    t.month = clampField(date.month());
    t.day = clampField(date.day());
    return t;
}

SearchDateTime TimeBound(QTime time) {
    SearchDateTime t;
    t.hour = clampField(time.hour());
    t.minute = clampField(time.minute());
    t.second = clampField(time.second());
    t.millisecond = clampField(time.msec());
    return t;
}

int CompareDay(const SearchDateTime& a, const SearchDateTime& b) {
    return sign(std::tie(a.year, a.month, a.day), std::tie(b.year, b.month, b.day));
}

int CompareTimeOfDay(const SearchDateTime& a, const SearchDateTime& b) {
    return sign(std::tie(a.hour, a.minute, a.second, a.millisecond),
                std::tie(b.hour, b.minute, b.second, b.millisecond));
}

bool DayInRange(const SearchDateTime& shot, std::optional<QDate> from, std::optional<QDate> to) {
    return inRange(shot, from, to, CompareDay, DateBound);
}

bool TimeInRange(const SearchDateTime& shot, std::optional<QTime> from, std::optional<QTime> to) {
    return inRange(shot, from, to, CompareTimeOfDay, TimeBound);
}

bool FlashMatches(FlashChoice choice, const ExifValueList& values) {
    if (choice == FlashChoice::Either) return true;
    const QString flash = values.value(u"Flash");
    if (flash.isEmpty() || flash == QStringLiteral("?")) return false;
    bool isNumber = false;
    const int fired = flash.toInt(&isNumber, 10);
    return (isNumber && fired != 0) == (choice == FlashChoice::On);
}

bool CommentMatches(const SearchCriteria& criteria, const QString& comment) {
    if (!criteria.keywords.isEmpty())
        return MatchComment(comment, criteria.keywords, !criteria.caseSensitive, criteria.andSearch);
    return criteria.useExif || comment.isEmpty();
}

bool ExifConditionsMet(const SearchCriteria& c, bool exifRead, const ExifValueList& values) {
    if (!exifRead) return false;
    if (!c.maker.isEmpty() && !containsNoCase(values.value(u"Maker"), c.maker) &&
        !containsNoCase(values.value(u"Model"), c.maker))
        return false;
    if (c.hasDateOrTime()) {
        const std::optional<SearchDateTime> shot = ParseExifDateTime(values.value(u"DateTimeOrg"));
        if (!shot || !DayInRange(*shot, c.dateFrom, c.dateTo) ||
            !TimeInRange(*shot, c.timeFrom, c.timeTo))
            return false;
    }
    return FlashMatches(c.flash, values);
}

bool IsSearchedFileName(QStringView path) {
    const QStringView name = path.sliced(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return false;
    const QStringView extension = name.sliced(dot);
    return extension.compare(u".jpg", Qt::CaseInsensitive) == 0 ||
           extension.compare(u".jpeg", Qt::CaseInsensitive) == 0;
}

QStringList SplitKeywordText(QStringView text) {
    QStringList keywords;
    for (QStringView piece : text.split(u' ', Qt::SkipEmptyParts)) keywords.append(piece.toString());
    return keywords;
}

QStringList SplitFolderText(QStringView text) {
    QStringList folders;
    for (QStringView piece : text.split(u';')) folders.append(FolderFromSetting(piece.toString()));
    if (!folders.isEmpty() && folders.last().isEmpty()) folders.removeLast();
    return folders;
}

bool FolderListUsable(const QStringList& folders) {
    return std::all_of(folders.begin(), folders.end(), [](const QString& folder) {
        return IsFolder(folder);
    });
}

}  // namespace tollamar
