#pragma once
// What a comment search looks for, taken from the search page (or the command line)
// once when the search starts, and the tests one photo's values must pass.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTime>
#include <cstdint>
#include <optional>

namespace tollamar {

class ExifValueList;

enum class FlashChoice { Either = 0, On = 1, Off = 2 };

struct SearchCriteria {
    QStringList keywords;  // KeywordList: in the order typed, none empty
    bool caseSensitive = false;
    bool andSearch = true;  // SearchType 0; OR otherwise
    bool useExif = false;   // ExifCheck: the conditions below apply only when set
    QString maker;          // must occur in the maker or the model name; empty = any
    std::optional<QDate> dateFrom, dateTo;  // an absent bound is an unticked box
    std::optional<QTime> timeFrom, timeTo;
    FlashChoice flash = FlashChoice::Either;

    bool hasDateOrTime() const { return dateFrom || dateTo || timeFrom || timeTo; }
};

// A shooting time or a bound, field by field as the comparisons read it.
struct SearchDateTime {
    uint16_t year = 0, month = 0, day = 0;
    uint16_t hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The Exif form "YYYY:MM:DD hh:mm:ss": nullopt when shorter than 19 characters. Each
// field that is not a decimal number reads as 0; separators are not checked.
std::optional<SearchDateTime> ParseExifDateTime(QStringView value);
SearchDateTime DateBound(QDate date);
SearchDateTime TimeBound(QTime time);
// The sign of a - b by year, month, day; and by hour, minute, second, millisecond.
int CompareDay(const SearchDateTime& a, const SearchDateTime& b);
int CompareTimeOfDay(const SearchDateTime& a, const SearchDateTime& b);
// Inclusive bounds; when both are given and from is later than to, the range wraps:
// on or after from, or on or before to (20:00 to 06:00 is a night).
bool DayInRange(const SearchDateTime& shot, std::optional<QDate> from, std::optional<QDate> to);
bool TimeInRange(const SearchDateTime& shot, std::optional<QTime> from, std::optional<QTime> to);
// Either passes; otherwise the Flash value must be present and not "?", and read as a
// decimal number (0 when it is not one) be non-zero for On and zero for Off.
bool FlashMatches(FlashChoice choice, const ExifValueList& values);

// The keyword test on a photo's comment: the keywords by AND or OR; with no keyword,
// every comment when Exif conditions follow, else only the empty comment.
bool CommentMatches(const SearchCriteria& criteria, const QString& comment);
// The Exif conditions in order (maker or model, day and time, flash); exifRead false
// means the photo had no readable Exif and fails.
bool ExifConditionsMet(const SearchCriteria& criteria, bool exifRead, const ExifValueList& values);
// Only *.jpg and *.jpeg, letters in any case, are searched.
bool IsSearchedFileName(QStringView path);

// The keyword field cut at half-width blanks, empty pieces dropped; full-width blanks
// belong to a keyword.
QStringList SplitKeywordText(QStringView text);
// The folder field cut at ';': every piece before a ';' counts, even an empty one; the
// piece after the last ';' only when not empty. Blanks are kept.
QStringList SplitFolderText(QStringView text);
// The search button's rule: true when the list is empty (the listed photos are then
// offered) or every entry is an existing folder.
bool FolderListUsable(const QStringList& folders);

}  // namespace tollamar
