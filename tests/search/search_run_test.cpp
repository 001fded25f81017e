// The walk over folder trees (links, hidden folders, odd entries), stopping, file
// errors, and the questions around a search.

#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "search/do_search.h"
#include "search_fixtures.h"
#include "support/temp_folder.h"

#include <QSet>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tollamar;
using namespace searchtest;

namespace {

class RecordingHost : public SearchHost {
public:
    bool stopRequested() override { return ++polls >= stopAtPoll; }
    void showFolderLine(const QString& line) override { folderLines.append(line); }
    void showProgressLine(const QString& line) override { progressLines.append(line); }
    bool goOnAfterError(const QString& path, const Error&) override {
        failed.append(path);
        return goOn;
    }
    int polls = 0, stopAtPoll = 1 << 30;
    bool goOn = false;
    QStringList folderLines, progressLines, failed;
};

SearchCriteria sea() {
    SearchCriteria c;
    c.keywords = QStringList{"sea"};
    return c;
}

QStringList seaPhotos(const testsupport::TempFolder& dir, int count) {
    QStringList photos;
    for (int i = 0; i < count; ++i) photos.append(WritePhoto(dir.path(QString("p%1.jpg").arg(i)), Photo(i % 2 ? "x" : "sea")));
    return photos;
}

}  // namespace

TEST(SearchRun, WalkSkipsOddEntriesAndWalksLinkedFoldersOnce) {
    testsupport::TempFolder dir;
    const QString root = dir.path("root") + '/';
    for (const char* name : {"a.jpg", "b.JPG", "c.Jpeg", "d.jpe", ".hidden/g.jpg", "sub/h.jpg",
                             "sub/deeper/i.jpg", "写真 フォルダ/海 の 写真.jpg"})
        WritePhoto(root + name, Photo("sea"));
    const QStringList foreign = testsupport::ForeignNames();
    for (const QString& name : foreign) WritePhoto(root + foreign[0].chopped(4) + u'/' + name, Photo("sea"));
    ASSERT_EQ(symlink(qPrintable(root), qPrintable(root + "sub/loop")), 0);  // a cycle
    ASSERT_EQ(symlink(qPrintable(root + "sub"), qPrintable(root + "alias")), 0);
    ASSERT_EQ(symlink("nowhere", qPrintable(root + "dangling.jpg")), 0);
    ASSERT_EQ(mkfifo(qPrintable(root + "fifo.jpg"), 0600), 0);  // would block if opened
    const SearchCriteria c = sea();
    RecordingHost host;
    SearchState state;
    SearchRun run(c, host, state);
    ASSERT_TRUE(run.SearchFolders({dir.path("root"), root + "sub"}, true));
    QStringList found = state.ResultList;
    for (QString& path : found) path.remove(0, root.size()).replace("alias/", "sub/");
    EXPECT_EQ(QSet<QString>(found.begin(), found.end()).size(), found.size()) << found.join(' ').toStdString();
    EXPECT_EQ(QSet<QString>(found.begin(), found.end()),
              QSet<QString>({"a.jpg", "b.JPG", "c.Jpeg", "sub/h.jpg", "sub/deeper/i.jpg", "写真 フォルダ/海 の 写真.jpg",
                             foreign[0].chopped(4) + u'/' + foreign[0], foreign[0].chopped(4) + u'/' + foreign[1],
                             foreign[0].chopped(4) + u'/' + foreign[2]}));
    EXPECT_EQ(state.ExaminedCount, 9);
    EXPECT_EQ(host.folderLines.first(), "root/...");
    EXPECT_TRUE(host.folderLines.contains("写真 フォルダ/..."));
    EXPECT_TRUE(host.folderLines.contains("写真/..."));
    ASSERT_TRUE(run.SearchFolders({root}, false));
    EXPECT_EQ(state.ResultList.size(), 3);
}

TEST(SearchRun, StopEndsTheSearchBeforeTheNextFile) {
    testsupport::TempFolder dir;
    const QStringList photos = seaPhotos(dir, 5);
    const SearchCriteria c = sea();
    RecordingHost host;
    host.stopAtPoll = 4;
    SearchState state;
    SearchRun run(c, host, state);
    EXPECT_FALSE(run.SearchList(photos));
    EXPECT_EQ(state.ResultList, QStringList({photos[0], photos[2]}));
    EXPECT_EQ(host.progressLines, QStringList({"p0.jpg\n0/1", "p1.jpg\n1/2", "p2.jpg\n1/3"}));
    EXPECT_EQ(run.MatchFile(photos[4]), FileAnswer::Stop);
    EXPECT_EQ(host.polls, 4);
}

TEST(SearchRun, UnreadablePhotoEndsTheSearchUnlessTheHostGoesOn) {
    testsupport::TempFolder dir;
    const QStringList photos = seaPhotos(dir, 3);
    const SearchCriteria c = sea();
    RecordingHost host;
    SearchState state;
    SearchRun run(c, host, state);
    faults::FailNth(faults::Op::Read, 2, EACCES);
    EXPECT_THROW(run.SearchList(photos), Error);
    EXPECT_EQ(state.ResultList, QStringList({photos[0]}));
    host.goOn = true;
    faults::FailNth(faults::Op::Read, 3, EIO);
    EXPECT_TRUE(run.SearchList(photos));
    faults::Reset();
    EXPECT_EQ(state.ResultList, QStringList({photos[0]}));
    EXPECT_EQ(state.ExaminedCount, 2);
    EXPECT_EQ(host.failed, QStringList({photos[1], photos[2]}));
}

namespace {

class FakeFrontEnd : public SearchFrontEnd {
public:
    explicit FakeFrontEnd(QList<bool> replies) : answers(std::move(replies)) {}
    bool ask(const SearchQuestion& question) override {
        asked.append(question.text.toString());
        return !answers.isEmpty() && answers.takeFirst();
    }
    bool runWithProgress(const std::function<bool(SearchHost&)>& work) override { return work(host); }
    QStringList listedPhotos() override { return listed; }
    void setCurrentFolder(const QString& folder) override { currentFolder = folder; }
    void showFileList(const QStringList& files) override { shown = files; }

    QList<bool> answers;
    QStringList asked, listed;
    RecordingHost host;
    QString currentFolder;
    std::optional<QStringList> shown;
};

}  // namespace

TEST(DoSearch, AsksBeforeAndAfterAsTheCaseRequires) {
    testsupport::TempFolder dir;
    const QStringList photos = seaPhotos(dir, 2);
    SearchState state;
    FakeFrontEnd declined({false});
    DoSearch({}, {{dir.path({})}, false}, state, declined);
    EXPECT_EQ(declined.asked, QStringList({kAskSearchEmptyComments.text.toString()}));
    EXPECT_FALSE(declined.shown);

    FakeFrontEnd listed({true, true});  // no keyword, no folder: two questions
    listed.listed = photos;
    DoSearch({}, {}, state, listed);
    EXPECT_EQ(listed.asked.last(), kAskSearchListedPhotos.text.toString());
    EXPECT_EQ(listed.shown, QStringList());
    EXPECT_TRUE(listed.currentFolder.isEmpty());

    FakeFrontEnd folders({});
    DoSearch(sea(), {{dir.path("none"), dir.path({})}, false}, state, folders);
    EXPECT_TRUE(folders.asked.isEmpty());
    EXPECT_EQ(folders.currentFolder, dir.path({}));
    EXPECT_EQ(folders.shown, QStringList({photos[0]}));

    for (const bool yes : {false, true}) {  // stopped after the first match
        FakeFrontEnd stopped({true, yes});
        stopped.listed = photos;
        stopped.host.stopAtPoll = 2;
        DoSearch(sea(), {}, state, stopped);
        EXPECT_EQ(stopped.asked.last(), kAskUpdateListAfterStop.text.toString());
        EXPECT_EQ(stopped.shown, yes ? std::optional(photos.mid(0, 1)) : std::nullopt);
    }
}
