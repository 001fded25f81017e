// The per-file test reads comment and Exif from one header walk; damaged Exif only fails
// the Exif conditions, while a comment that cannot be read is an error.

#include "jpegfile/comment_codec.h"
#include "platform/errors.h"
#include "search/photo_match.h"
#include "search/search_criteria.h"
#include "search_fixtures.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace tollamar;
using namespace searchtest;

TEST(PhotoMatches, CommentsInEitherFormAndTheNoKeywordCase) {
    testsupport::TempFolder dir;
    const QString sjis = dir.write("sjis.jpg", Photo(EncodeComment("富士山と Sea", false)));
    const QString utf16 = dir.write("utf16.jpg", Photo(EncodeComment("𠮷野家で😀 sea", true)));
    const QString blank = dir.write("blank.jpg", Photo(" \r\n "));
    SearchCriteria c;
    EXPECT_TRUE(PhotoMatches(c, blank));  // no keyword: the photos without a comment
    EXPECT_FALSE(PhotoMatches(c, sjis));
    c.keywords = QStringList{"sea", "富士山"};
    EXPECT_TRUE(PhotoMatches(c, sjis));
    EXPECT_FALSE(PhotoMatches(c, utf16));
    c.andSearch = false;
    c.caseSensitive = true;
    c.keywords = QStringList{"Sea", "😀"};  // 😀 has no Shift-JIS form
    EXPECT_TRUE(PhotoMatches(c, sjis));
    EXPECT_TRUE(PhotoMatches(c, utf16));
    c.keywords = QStringList{"SEA"};
    EXPECT_FALSE(PhotoMatches(c, sjis));
}

TEST(PhotoMatches, ExifInBothByteOrdersAndDamagedExif) {
    testsupport::TempFolder dir;
    const QString canon = dir.write("le.jpg", Photo("sea", ExifPayload("Canon", "S30", "2002:07:25 21:30:00", 1, false)));
    const QString nikon = dir.write("be.jpg", Photo("sea", ExifPayload("NIKON", "E990", "2002:07:05 07:59:59", 0, true)));
    QByteArray damaged = ExifPayload("Canon", "S30", "2002:07:25 21:30:00", 1, false);
    damaged[6 + 8] = '\x40';  // IFD0 claims 64 entries
    const QString bad = dir.write("damaged.jpg", Photo("sea", damaged));
    // An APP1 segment cut off by the end of the file, after the comment.
    const QString cut = dir.write("cut.jpg", testsupport::JpegBuilder().soi().com("sea").raw(QByteArray("\xFF\xE1\x10\x00" "Exif", 8)).bytes());
    SearchCriteria c;
    c.keywords = QStringList{"sea"};
    EXPECT_TRUE(PhotoMatches(c, bad) && PhotoMatches(c, cut));
    c.useExif = true;
    EXPECT_FALSE(PhotoMatches(c, bad) || PhotoMatches(c, cut));
    EXPECT_TRUE(PhotoMatches(c, canon) && PhotoMatches(c, nikon));
    c.maker = "e99";
    EXPECT_FALSE(PhotoMatches(c, canon));
    EXPECT_TRUE(PhotoMatches(c, nikon));
    c.maker.clear();
    c.dateFrom = QDate(2002, 7, 20);
    c.dateTo = QDate(2002, 7, 10);
    c.timeFrom = QTime(8, 0);
    EXPECT_TRUE(PhotoMatches(c, canon));
    EXPECT_FALSE(PhotoMatches(c, nikon));
    c.timeFrom.reset();
    c.flash = FlashChoice::Off;
    EXPECT_FALSE(PhotoMatches(c, canon));
    EXPECT_TRUE(PhotoMatches(c, nikon));

    const QString cutComment = dir.write("cutcom.jpg", testsupport::JpegBuilder().soi().raw(QByteArray("\xFF\xFE\x10\x00" "sea", 7)).bytes());
    EXPECT_THROW(PhotoMatches(c, cutComment), Error);
    EXPECT_THROW(PhotoMatches(c, dir.path("missing.jpg")), Error);
}
