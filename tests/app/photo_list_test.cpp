#include "app/item_loader.h"
#include "app/photo_scan.h"
#include "app/photo_row_delegate.h"
#include "app/photo_sort.h"
#include "app/text_drawing.h"
#include "app_fixture.h"
#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"
#include "ui/navigator/recent_folders.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <cerrno>
#include <climits>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using namespace tollamar;

namespace {

QStringList captions(const TPhotoList& list) {
    QStringList names;
    for (const auto& entry : list) names.append(entry->caption());
    return names;
}

}  // namespace

TEST(PhotoScan, ListsJpegFilesOnlyAndSkipsFoldersAndSpecialFiles) {
    testsupport::TempFolder folder;
    for (const char* name : {"A.JPG", "b.Jpeg", "c.jpe", "d.jpg.txt", ".hidden.jpg", "写真 🎉.jpg", "x.ｊｐｇ"})
        folder.write(QString::fromUtf8(name), "not even a JPEG");
    QDir(folder.path({})).mkdir(QStringLiteral("e.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.path("f.jpg")).constData(), 0600), 0);
    QFile::link(folder.path("gone"), folder.path("g.jpg"));
    QFile::link(folder.path("A.JPG"), folder.path("link.jpg"));
    QFile::setPermissions(folder.path("b.Jpeg"), QFile::ReadOwner);

    const TPhotoList list = ScanPhotoFolder(folder.path({}));
    // Listed by name without regard to case, whatever order the folder holds them in.
    EXPECT_EQ(captions(list), (QStringList{".hidden.jpg", "A.JPG", "b.Jpeg", "link.jpg", QStringLiteral("写真 🎉.jpg")}));
    for (const auto& entry : list) {
        EXPECT_GT(entry->CreationTime, 116444736000000000LL) << "a file time after 1970";
        EXPECT_TRUE(entry->FileName.startsWith(folder.path({})));
        EXPECT_FALSE(entry->isLoaded());
    }
    EXPECT_TRUE(ScanPhotoFolder(folder.path("no such folder")).empty());
    EXPECT_TRUE(IsPhotoFileName(u".jpg"));
    EXPECT_FALSE(IsPhotoFileName(u"jpg"));
    EXPECT_FALSE(IsPhotoFileName(u"a.jpg."));
}

TEST(PhotoSort, OrdersByNameOrDateInEitherDirection) {
    testsupport::TempFolder folder;
    QStringList paths;
    for (const char* name : {"b.jpg", "C.jpg", "a.jpg"}) {
        paths.append(folder.write(QString::fromLatin1(name), "x"));
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    TPhotoList list = PhotoListFromPaths(paths);
    list.push_back(std::make_unique<TItemData>(folder.path("deleted.jpg")));
    SortPhotoList(list, TSortMode::ByName, 1);
    EXPECT_EQ(captions(list), (QStringList{"a.jpg", "b.jpg", "C.jpg", "deleted.jpg"})) << "case is ignored";
    SortPhotoList(list, TSortMode::ByName, -1);
    EXPECT_EQ(captions(list), (QStringList{"deleted.jpg", "C.jpg", "b.jpg", "a.jpg"}));
    // No creation time stored: looked up now; a file that is gone sorts first.
    SortPhotoList(list, TSortMode::ByDate, 1);
    EXPECT_EQ(captions(list), (QStringList{"deleted.jpg", "b.jpg", "C.jpg", "a.jpg"}));
    SortPhotoList(list, TSortMode::ByDate, -1);
    EXPECT_EQ(captions(list), (QStringList{"a.jpg", "C.jpg", "b.jpg", "deleted.jpg"}));
    list[0]->CreationTime = 1;  // a stored time wins over the file system's
    SortPhotoList(list, TSortMode::ByDate, 1);
    EXPECT_EQ(captions(list).first(), "deleted.jpg");
    EXPECT_EQ(captions(list)[1], "a.jpg");
    SortPhotoList(list, TSortMode::None, 1);
    EXPECT_EQ(captions(list)[1], "a.jpg") << "no sorting leaves the order";
}

TEST(PhotoSort, StoredSettingCarriesModeAndDirection) {
    TSortMode mode;
    int direction = 0;
    const std::tuple<int, TSortMode, int> cases[] = {{0, TSortMode::None, 1},   {1, TSortMode::ByDate, 1},
                                                     {-1, TSortMode::ByDate, -1}, {2, TSortMode::ByName, 1},
                                                     {-2, TSortMode::ByName, -1}, {7, TSortMode::None, 1},
                                                     {-7, TSortMode::None, -1},  {INT_MIN, TSortMode::None, -1}};
    for (const auto& [value, wantMode, wantDirection] : cases) {
        ParseSortSetting(value, mode, direction);
        EXPECT_EQ(mode, wantMode) << value;
        EXPECT_EQ(direction, wantDirection) << value;
    }
    EXPECT_EQ(SortSetting(TSortMode::ByName, -1), -2);
    EXPECT_EQ(SortSetting(TSortMode::ByDate, 1), 1);
    EXPECT_EQ(SortSetting(TSortMode::None, -1), 0);
}

TEST(ItemLoader, UsesTheEmbeddedThumbnailOrDecodesAFittedOne) {
    apptest::EnsureApplication();
    testsupport::TempFolder folder;
    const QByteArray thumb = testsupport::EncodeJpeg(160, 120);
    TItemData embedded(folder.write("e.jpg", apptest::MakePhoto(640, 480, QStringLiteral("夏の海"), true, thumb)));
    EXPECT_TRUE(LoadItemDetails(64, 48, embedded));
    EXPECT_EQ(embedded.Comment, QStringLiteral("夏の海"));
    EXPECT_TRUE(embedded.Summary.startsWith(QStringLiteral("640 * 480 pixels\r\n")));
    EXPECT_TRUE(embedded.Camera.contains(QStringLiteral("TW-1")));
    ASSERT_TRUE(std::holds_alternative<QByteArray>(embedded.Thumbnail));
    EXPECT_EQ(std::get<QByteArray>(embedded.Thumbnail), thumb);

    // A thumbnail that is no walkable JPEG is passed over for the photo itself.
    TItemData damaged(folder.write("d.jpg", apptest::MakePhoto(640, 480, {}, true, thumb.left(40))));
    EXPECT_TRUE(LoadItemDetails(64, 48, damaged));
    ASSERT_TRUE(std::holds_alternative<QImage>(damaged.Thumbnail));
    EXPECT_EQ(std::get<QImage>(damaged.Thumbnail).size(), QSize(64, 48));

    TItemData portrait(folder.write("p.jpg", apptest::MakePhoto(600, 800)));
    EXPECT_TRUE(LoadItemDetails(64, 48, portrait));
    EXPECT_EQ(std::get<QImage>(portrait.Thumbnail).size(), QSize(36, 48));
    EXPECT_TRUE(portrait.Camera.isEmpty());
    EXPECT_FALSE(LoadItemDetails(64, 48, portrait)) << "an entry that has a bitmap is not made again";

    // A header longer than one read is taken field by field from the file, with the
    // same result.
    QByteArray longHeader = apptest::MakePhoto(640, 480, QStringLiteral("長いヘッダ"), true, thumb);
    testsupport::JpegBuilder padding;
    for (int i = 0; i < 3; ++i) padding.segment(0xE2, QByteArray(60000, '\x11'));
    longHeader.insert(2, padding.bytes());
    TItemData longOne(folder.write("l.jpg", longHeader));
    EXPECT_TRUE(LoadItemDetails(64, 48, longOne));
    EXPECT_EQ(longOne.Comment, QStringLiteral("長いヘッダ"));
    EXPECT_EQ(longOne.Summary.left(16), embedded.Summary.left(16));
    EXPECT_EQ(longOne.Camera, embedded.Camera);
    EXPECT_EQ(std::get<QByteArray>(longOne.Thumbnail), thumb);

    // One walk over the header gives all of it: a second open of the photo would fail.
    faults::FailNth(faults::Op::Read, 2, EIO);
    TItemData once(longOne.FileName);
    EXPECT_TRUE(LoadItemDetails(64, 48, once));
    faults::Reset();
    EXPECT_EQ(once.Summary, longOne.Summary);

    TItemData broken(folder.write("b.jpg", "plain text, no JPEG"));
    EXPECT_THROW(LoadItemDetails(64, 48, broken), Error);
    TItemData gone(folder.path("gone.jpg"));
    EXPECT_THROW(LoadItemDetails(64, 48, gone), Error);
}

TEST(RecentFolders, NewestFirstWithoutDuplicatesAndWithinTheLimit) {
    QStringList list = WithRecentFolder({}, QStringLiteral("/a/Photos/"), 3, QStringLiteral("/prog"));
    list = WithRecentFolder(list, QStringLiteral("/b"), 3, QStringLiteral("/prog"));
    list = WithRecentFolder(list, QStringLiteral("/a/Photos"), 3, QStringLiteral("/prog"));
    EXPECT_EQ(list, (QStringList{"/a/Photos", "/b"}));
    list = WithRecentFolder(list, QStringLiteral("/a/photos"), 3, QStringLiteral("/prog"));
    EXPECT_EQ(list, (QStringList{"/a/photos", "/a/Photos", "/b"})) << "folders that differ by case differ";
    list = WithRecentFolder(list, QStringLiteral("/"), 3, QStringLiteral("/prog"));
    EXPECT_EQ(list, (QStringList{"/", "/a/photos", "/a/Photos"}));
    list = WithRecentFolder(list, QString(), 3, QStringLiteral("/prog"));
    EXPECT_EQ(list.first(), "/prog");

    testsupport::TempFolder folder;
    const QString file = folder.path("Recent.INI");
    SaveRecentFolders(file, {QStringLiteral("/写真"), QStringLiteral("/b")});
    EXPECT_EQ(testsupport::TempFolder::read(file), QStringLiteral("/写真\r\n/b\r\n").toUtf8());
    folder.write("Old.INI", QByteArray("/\x8e\xca\x90\x5e\n/c\r/d"));
    EXPECT_EQ(LoadRecentFolders(folder.path("Old.INI")), (QStringList{"/写真", "/c", "/d"}));
    EXPECT_TRUE(LoadRecentFolders(folder.path("none")).isEmpty());
    folder.write("Navi.INI", "[Recent]\r\nMaxCount=500\r\n");
    EXPECT_EQ(RecentMaxCount(folder.path("Navi.INI")), 100);
    EXPECT_EQ(RecentMaxCount(folder.path("none")), 20);
}

TEST(IconLabels, WrapAtWordsCutWhatDoesNotFitAndHoldTwoJapaneseLinesUnderALatinFont) {
    apptest::EnsureApplication();
    if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) GTEST_SKIP() << "no Latin test font";
    QFont latin(QStringLiteral("DejaVu Sans"));
    latin.setPixelSize(12);
    const QFontMetrics metrics(latin);
    const int narrow = metrics.horizontalAdvance(QStringLiteral("IMG_0060"));
    const auto texts = [&](const QString& text, int width, int height) {
        QStringList shown;
        for (const TTextLine& line : LayoutTextLines(text, latin, width, height, TTextWrap::WordWrap))
            shown << line.text;
        return shown;
    };
    const QStringList name = texts(QStringLiteral("IMG_0060.jpg"), narrow, 100);
    ASSERT_EQ(name.size(), 1) << name.join(u'/').toStdString() << ": not broken inside the word";
    EXPECT_TRUE(name[0].startsWith(QStringLiteral("IMG_")) && name[0].endsWith(QChar(0x2026)));
    EXPECT_EQ(texts(QStringLiteral("sea and sky.jpg"), metrics.horizontalAdvance(QStringLiteral("sea and ")), 100),
              (QStringList{"sea and", "sky.jpg"}));

    // The icon cell's label holds two lines of a Japanese name drawn in the fallback font.
    const QSize thumbnail(64, 48);
    const QSize cell = TPhotoRowDelegate::iconCellSize(thumbnail, latin);
    const int labelHeight = cell.height() - thumbnail.height() - 4;
    const QList<TTextLine> lines =
        LayoutTextLines(QStringLiteral("京都の秋の紅葉と清水寺の夕暮れ.jpg"), latin, cell.width() - 4, labelHeight,
                        TTextWrap::WordWrap);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_LE(lines[0].height + lines[1].height, labelHeight);
    EXPECT_GT(lines[0].height, metrics.height()) << "the fallback font's line is the taller one";
}
