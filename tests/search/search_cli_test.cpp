// tollamar-cli search prints what the window's walk and test find, in the same order.

#include "jpegfile/comment_codec.h"
#include "search/search_run.h"
#include "search_fixtures.h"
#include "support/temp_folder.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace tollamar;
using namespace searchtest;

namespace {

QStringList cli(const QStringList& args, int expectedStatus = 0) {
    QProcess process;
    process.start(QStringLiteral(TOLLAMAR_CLI), QStringList{"search"} + args);
    process.waitForFinished(30000);
    EXPECT_EQ(process.exitCode(), expectedStatus) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

TEST(SearchCli, SameMatchesAndOrderAsTheWindow) {
    testsupport::TempFolder dir;
    const QString root = dir.path("album");
    for (int i = 0; i < 12; ++i)
        WritePhoto(root + QString("/%1/写真 %2.jpg").arg(i % 3).arg(i),
                   Photo(EncodeComment(i % 2 ? "Sea boat" : "sea", i % 4 == 0),
                         ExifPayload(i % 3 ? "Canon" : "NIKON", "M", QByteArray("2002:07:25 ") + (i < 6 ? "23:00:00" : "12:00:00"), static_cast<uint16_t>(i % 2), i % 2)));
    const QString bare = WritePhoto(root + "/bare.jpg", Photo({}));
    SearchCriteria c;
    c.keywords = QStringList{"sea"};
    c.caseSensitive = true;
    SearchHost host;
    SearchState state;
    ASSERT_TRUE(SearchRun(c, host, state).SearchFolders({root}, true));
    ASSERT_EQ(state.ResultList.size(), 6);
    EXPECT_EQ(cli({"--subdir", "--case", root, "--", "sea"}), state.ResultList);
    EXPECT_EQ(cli({"--subdir", root, "--", "sea"}).size(), 12);
    EXPECT_EQ(cli({"--subdir", "--or", "--case", root + "/", "--", "x", "Sea"}).size(), 6);
    EXPECT_EQ(cli({"--subdir", "--maker", "nikon", "--time-from", "20:00", "--time-to", "06:00",
                   "--flash", "on", root}).size(), 1);  // i = 3
    EXPECT_EQ(cli({root}), QStringList({bare}));
    EXPECT_EQ(cli({dir.path("none"), bare}, 1), QStringList({bare}));
    for (const char* bad : {"--flash=on", "--colour", "--time-from"}) cli({bad}, 2);
    cli({"--date-to", "2002-02-30"}, 2);
}
