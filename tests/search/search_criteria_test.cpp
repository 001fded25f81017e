// Exif date and time parsing, the inclusive and wrapping ranges, the flash rule, and the
// fields of the search page.

#include "exif/exif_values.h"
#include "platform/native_name.h"
#include "search/search_criteria.h"

#include <gtest/gtest.h>

using namespace tollamar;

namespace {

SearchDateTime shot(const char* exifDateTime) { return ParseExifDateTime(QString(exifDateTime)).value(); }

}  // namespace

TEST(SearchCriteria, ExifDateTimeAndRanges) {
    const SearchDateTime t = shot("2002:07:25 21:30:05");
    EXPECT_EQ(std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second), std::make_tuple(2002, 7, 25, 21, 30, 5));
    // Separators are not checked; a field that is no number reads as 0.
    const SearchDateTime odd = shot("2002-07-2xT21.3 :05 extra");
    EXPECT_EQ(std::tie(odd.year, odd.day, odd.hour, odd.minute, odd.second), std::make_tuple(2002, 0, 21, 0, 5));
    EXPECT_FALSE(ParseExifDateTime(u"2002:07:25 21:30:0"));

    const QDate from(2002, 7, 20), to(2002, 7, 10);  // reversed: everything outside the gap
    for (const auto& [day, in] : {std::pair{"2002:07:25", true}, {"2002:07:15", false},
                                  {"2002:07:05", true}, {"2002:07:10", true}, {"2002:07:20", true}})
        EXPECT_EQ(DayInRange(shot((QByteArray(day) + " 12:00:00").constData()), from, to), in) << day;
    EXPECT_FALSE(DayInRange(shot("2002:07:21 00:00:00"), to, from));
    EXPECT_FALSE(DayInRange(shot("2002:07:09 23:59:59"), to, std::nullopt));

    EXPECT_FALSE(TimeInRange(shot("2002:07:25 07:59:59"), QTime(8, 0), std::nullopt));
    EXPECT_TRUE(TimeInRange(shot("2002:07:25 08:00:00"), QTime(8, 0), std::nullopt));
    const QTime night(20, 0), morning(6, 0);
    for (const auto& [time, in] : {std::pair{"23:10:00", true}, {"06:00:00", true},
                                   {"06:00:01", false}, {"12:00:00", false}, {"20:00:00", true}})
        EXPECT_EQ(TimeInRange(shot((QByteArray("2002:07:25 ") + time).constData()), night, morning), in) << time;
}

TEST(SearchCriteria, FlashAndFileNames) {
    const auto flash = [](FlashChoice choice, const char* value) {
        ExifValueList values;
        values.setValue(u"Flash", QString(value));
        return FlashMatches(choice, values);
    };
    EXPECT_TRUE(flash(FlashChoice::Either, "?"));
    EXPECT_TRUE(flash(FlashChoice::On, "16"));  // only 0 counts as off
    EXPECT_TRUE(flash(FlashChoice::Off, "0"));
    EXPECT_TRUE(flash(FlashChoice::Off, "fired"));  // not a number reads as 0
    for (const char* value : {"0", "?", "", "fired"}) EXPECT_FALSE(flash(FlashChoice::On, value)) << value;
    for (const char* value : {"1", "?", ""}) EXPECT_FALSE(flash(FlashChoice::Off, value)) << value;

    for (const char* name : {"/p/a.jpg", "/p/b.JPG", "c.Jpeg", "/x.y/写真 1.jpeg"})
        EXPECT_TRUE(IsSearchedFileName(QString(name))) << name;
    for (const char* name : {"/p/a.jpe", "/p/a.jfif", "/p/jpg", "/p.jpg/a", "/p/a.jpg.txt"})
        EXPECT_FALSE(IsSearchedFileName(QString(name))) << name;
}

TEST(SearchCriteria, PageFieldsSplit) {
    EXPECT_EQ(SplitKeywordText(u"  sea   boat "), QStringList({"sea", "boat"}));
    EXPECT_EQ(SplitKeywordText(u"海　山 川"), QStringList({"海　山", "川"}));
    EXPECT_EQ(SplitFolderText(u"/a;;/b"), QStringList({"/a", "", "/b"}));
    EXPECT_EQ(SplitFolderText(u"/a;"), QStringList({"/a"}));
    EXPECT_TRUE(SplitFolderText(u"").isEmpty());
    // A folder whose name is not UTF-8 is written in the text as a file:// value.
    EXPECT_EQ(SplitFolderText(u"file:///x/caf%E9;/a"), QStringList({tollamar::NameFromNative("/x/caf\xE9"), "/a"}));
    EXPECT_TRUE(FolderListUsable({}));
    EXPECT_FALSE(FolderListUsable({"/", "", "/tmp"}));
    EXPECT_FALSE(FolderListUsable({"/tmp", "/no/such/folder"}));
}
