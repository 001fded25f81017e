#include "commands/comment_run.h"
#include "jpegfile/comment_io.h"
#include "platform/fault_injection.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::JpegBuilder;
using testsupport::TempFolder;

namespace {

QByteArray photo(QByteArrayView comment) {
    return JpegBuilder().soi().com(comment).tables().sosAndData().bytes();
}

// A character that code page 932 cannot hold, next to ones it can.
const QString kMixed = QStringLiteral("海と😀と한");

class CommentRun : public ::testing::Test {
protected:
    void TearDown() override { faults::Reset(); }

    QStringList makePhotos(int count, QByteArrayView comment = "old") {
        QStringList files;
        for (int i = 0; i < count; ++i) files << dir.write(QStringLiteral("p%1.jpg").arg(i), photo(comment));
        return files;
    }

    TRunEnd run(const QStringList& files, const QString& text, TCommentMode mode, bool asUnicode) {
        TCommentRunHooks hooks;
        hooks.progress = [this](const QString& line) { lines << line; };
        hooks.error = [this](const QString& message) { errors << message; };
        hooks.written = [this](int row, const QString& stored) { written << qMakePair(row, stored); };
        hooks.cancelled = [this] {
            ++polls;
            return false;
        };
        return RunCommentAll(files, text, mode, asUnicode, hooks);
    }

    TempFolder dir;
    QStringList lines, errors;
    QList<QPair<int, QString>> written;
    int polls = 0;
};

}  // namespace

TEST(CommentMode, ShiftChoosesAllFilesAndCtrlWithItReplaces) {
    EXPECT_EQ(CommentModeFor(Qt::NoModifier), TCommentMode::Single);
    EXPECT_EQ(CommentModeFor(Qt::ControlModifier), TCommentMode::Single);
    EXPECT_EQ(CommentModeFor(Qt::AltModifier), TCommentMode::Single);
    EXPECT_EQ(CommentModeFor(Qt::ShiftModifier), TCommentMode::AppendAll);
    EXPECT_EQ(CommentModeFor(Qt::ShiftModifier | Qt::ControlModifier), TCommentMode::SetAll);
    EXPECT_EQ(AllFilesQuestion(TCommentMode::SetAll), QStringLiteral("REPLACE text to \"ALL\" files in your list ?"));
    EXPECT_EQ(AllFilesQuestion(TCommentMode::AppendAll), QStringLiteral("APPEND text to \"ALL\" files in your list ?"));
}

TEST_F(CommentRun, SetAllWritesEveryFileAndCountsRowsFromZero) {
    QStringList files = makePhotos(5);
    files.insert(2, QString());  // a row without a photo still counts
    EXPECT_EQ(run(files, QStringLiteral("新しい\r\nコメント"), TCommentMode::SetAll, false), TRunEnd::Completed);
    for (const QString& f : files) {
        if (!f.isEmpty()) {
            EXPECT_EQ(ReadComment(f), QStringLiteral("新しい\r\nコメント"));
        }
    }
    EXPECT_EQ(lines.first(), QStringLiteral("p0.jpg:(0/6)"));
    EXPECT_EQ(lines.last(), QStringLiteral("p4.jpg:(5/6)"));
    EXPECT_EQ(lines.size(), 5);
    ASSERT_EQ(written.size(), 5);
    EXPECT_EQ(written[2].first, 3);
    EXPECT_EQ(written[2].second, QStringLiteral("新しい\r\nコメント"));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(polls, 5);  // not asked for the empty row
}

TEST_F(CommentRun, TextOutsideShiftJisSurvivesInUnicodeAndBecomesQuestionMarksAsInASingleWrite) {
    const QStringList files = makePhotos(2, "abc");
    run(files, kMixed, TCommentMode::SetAll, true);
    EXPECT_EQ(ReadComment(files[0]), kMixed);
    EXPECT_EQ(ReadComment(files[1]), kMixed);
    run(files, kMixed, TCommentMode::AppendAll, true);
    EXPECT_EQ(ReadComment(files[1]), kMixed + kMixed);

    const QStringList sjis = makePhotos(1, "abc");
    const QString single = dir.write(QStringLiteral("single.jpg"), photo("abc"));
    ASSERT_TRUE(WriteComment(single, QStringLiteral("abc") + kMixed, false));
    run(sjis, kMixed, TCommentMode::AppendAll, false);
    EXPECT_EQ(ReadComment(sjis[0]), ReadComment(single));
    EXPECT_EQ(ReadComment(sjis[0]), QStringLiteral("abc海と?と?"));
    EXPECT_EQ(written.last().second, QStringLiteral("abc海と?と?"));
}

TEST_F(CommentRun, AppendLeavesAFileAloneWhenItsCommentCannotBeRead) {
    const QStringList files = makePhotos(2, "keep me");
    faults::FailNth(faults::Op::Read, 1, EIO);
    run(files, QStringLiteral("+"), TCommentMode::AppendAll, false);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(ReadComment(files[0]), QStringLiteral("keep me"));
    EXPECT_EQ(ReadComment(files[1]), QStringLiteral("keep me+"));
    // An I/O error after the open is no end of file either: the old comment stays.
    faults::FailNth(faults::Op::ReadData, 1, EIO);
    run(files, QStringLiteral("+"), TCommentMode::AppendAll, false);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[1].contains(QStringLiteral("Input/output error"))) << errors[1].toStdString();
    EXPECT_EQ(ReadComment(files[0]), QStringLiteral("keep me"));
}
