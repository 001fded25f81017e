// The comment and import commands driven as a user drives them: the editor confirmed
// with keys held, the question answered, the progress dialog watched and cancelled.
// The glue below is what the main window does with these pieces.
#include "commands/command_texts.h"
#include "jpegfile/comment_io.h"
#include "platform/fault_injection.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"
#include "ui/dialogs/comment_run_dlg.h"
#include "ui/dialogs/edit_text_dlg.h"
#include "ui/dialogs/import_run_dlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::JpegBuilder;
using testsupport::TempFolder;

namespace {

TProgressDlg* runningProgressDlg() { return dynamic_cast<TProgressDlg*>(QApplication::activeModalWidget()); }

// Typed text as a key event carrying it, as an input method delivers it (Qt's key
// clicks know ASCII only).
void typeText(QWidget* widget, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

void pressCancelSoon(TProgressDlg* dialog) {
    ASSERT_NE(dialog, nullptr);
    QTimer::singleShot(0, dialog, [dialog] { QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton); });
}

class EditCommand : public ::testing::Test {
protected:
    void TearDown() override { faults::Reset(); }

    QStringList makePhotos(int count, QByteArrayView comment) {
        QStringList files;
        for (int i = 0; i < count; ++i)
            files << dir.write(QStringLiteral("p%1.jpg").arg(i),
                               JpegBuilder().soi().com(comment).tables().sosAndData().bytes());
        return files;
    }

    // The user replaces the editor's text with typed, confirms with the keys held and
    // answers the question (if one comes) with answer.
    void run(const QStringList& files, int selected, const QString& typed, Qt::KeyboardModifiers held,
             QMessageBox::StandardButton answer = QMessageBox::Yes) {
        editor.setWindowTitle(texts::EditCommentCaption(QFileInfo(files[selected]).fileName()));
        editor.InitialText = ReadComment(files[selected]);
        QTimer::singleShot(0, &editor, [&] {
            editor.RichEdit1->selectAll();
            typeText(editor.RichEdit1, typed);
            QTest::mouseClick(editor.OKBtn, Qt::LeftButton, held);
        });
        if (editor.exec() != QDialog::Accepted) return;
        const TCommentMode mode = CommentModeFor(editor.ConfirmModifiers());
        if (mode == TCommentMode::Single) {
            if (!WriteComment(files[selected], editor.Text(), asUnicode)) messages << texts::CommentWriteFailed();
            return;
        }
        QTimer::singleShot(0, [this, answer] { answerQuestion(answer); });
        if (!ConfirmAllFilesRun(nullptr, mode)) {
            messages << texts::CommentChangeAbandoned();
            return;
        }
        const TCommentRunRequest request{files, editor.Text(), mode, asUnicode};
        const auto report = [this](const QString& m) { messages << m; };
        const auto written = [this](int row, const QString& stored) {
            progressLines << runningProgressDlg()->Label1->text();
            stored_ << stored;
            if (onWritten) onWritten(row);
        };
        if (ExecCommentRun(nullptr, request, report, written) == TModalResult::Cancel)
            messages << texts::Interrupted();
    }

    void answerQuestion(QMessageBox::StandardButton answer) {
        auto* box = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        question = box->windowTitle() + u'|' + box->text();
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(answer)->click();
    }

    TempFolder dir;
    TEditTextDlg editor;
    bool asUnicode = false;
    std::function<void(int row)> onWritten;
    QStringList messages, progressLines, stored_;
    QString question;
};

}  // namespace

TEST_F(EditCommand, ShiftAndCtrlReplaceEveryCommentAsTypedInUnicode) {
    const QStringList files = makePhotos(5, "old");
    asUnicode = true;
    run(files, 1, QStringLiteral("海😀"), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(question, QStringLiteral("Select AppendMode|REPLACE text to \"ALL\" files in your list ?"));
    for (const QString& f : files) EXPECT_EQ(ReadComment(f), QStringLiteral("海😀"));
    EXPECT_EQ(progressLines.first(), QStringLiteral("p0.jpg:(0/5)"));
    EXPECT_EQ(progressLines.last(), QStringLiteral("p4.jpg:(4/5)"));
    EXPECT_EQ(stored_.size(), 5);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EditCommand, ShiftAloneAppendsAndShiftJisTurnsWhatItCannotHoldIntoQuestionMarks) {
    const QStringList files = makePhotos(3, "abc");
    run(files, 0, QStringLiteral("def😀"), Qt::ShiftModifier);
    EXPECT_EQ(question, QStringLiteral("Select AppendMode|APPEND text to \"ALL\" files in your list ?"));
    for (const QString& f : files) EXPECT_EQ(ReadComment(f), QStringLiteral("abcdef?"));
    EXPECT_EQ(stored_.first(), QStringLiteral("abcdef?"));
}

TEST_F(EditCommand, CtrlAloneWritesTheSelectedPhotoAndNoChangesNothing) {
    const QStringList files = makePhotos(3, "old");
    asUnicode = true;
    run(files, 1, QStringLiteral("only 😀"), Qt::ControlModifier);
    EXPECT_EQ(ReadComment(files[0]), QStringLiteral("old"));
    EXPECT_EQ(ReadComment(files[1]), QStringLiteral("only 😀"));
    EXPECT_TRUE(question.isEmpty());

    run(files, 0, QStringLiteral("never"), Qt::ShiftModifier | Qt::ControlModifier, QMessageBox::No);
    EXPECT_EQ(messages, QStringList{QStringLiteral("コメントの変更を中止しました")});
    EXPECT_EQ(ReadComment(files[0]), QStringLiteral("old"));
    EXPECT_EQ(ReadComment(files[2]), QStringLiteral("old"));
}

TEST_F(EditCommand, CancelAfterTheThirdFileKeepsWhatWasWritten) {
    const QStringList files = makePhotos(6, "old");
    onWritten = [](int row) {
        if (row == 2) pressCancelSoon(runningProgressDlg());
    };
    run(files, 0, QStringLiteral("new"), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(messages, QStringList{QStringLiteral("中断しました")});
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ReadComment(files[i]), i < 3 ? QStringLiteral("new") : QStringLiteral("old")) << i;
}

TEST_F(EditCommand, ADeletedFileAndAFailingWriteAreReportedWhileTheOthersAreWritten) {
    QStringList files = makePhotos(4, "old");
    files << dir.write(QStringLiteral("broken.jpg"), "not a jpeg");
    const QByteArray third = TempFolder::read(files[2]);
    QFile::remove(files[1]);  // deleted after the list was made
    onWritten = [](int row) {
        if (row == 0) faults::FailNth(faults::Op::Write, 1, ENOSPC);
    };
    run(files, 0, QStringLiteral("new"), Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], QStringLiteral("ファイルが見つかりません\r\n") + files[1]);
    EXPECT_TRUE(messages[1].contains(files[2]));  // the disk-full error names the file
    EXPECT_EQ(messages[2], QStringLiteral("コメントの書き込みに失敗しました"));
    EXPECT_EQ(TempFolder::read(files[4]), QByteArray("not a jpeg"));
    EXPECT_EQ(ReadComment(files[0]), QStringLiteral("new"));
    EXPECT_EQ(TempFolder::read(files[2]), third);
    EXPECT_EQ(ReadComment(files[3]), QStringLiteral("new"));
}

TEST(ImportCommand, RunsInTheProgressDialogAndStopsWhenCancelled) {
    TempFolder card, album;
    for (int i = 0; i < 5; ++i) card.write(QStringLiteral("p%1.jpg").arg(i), "photo");
    QStringList labels;
    const auto ask = [&](QWidget* dialog) -> std::optional<TImportFolders> {
        auto* progress = dynamic_cast<TProgressDlg*>(dialog);
        EXPECT_TRUE(progress && progress->isVisible());
        // The user watches the lower line and cancels once the third photo shows.
        auto* watch = new QTimer(dialog);
        QObject::connect(watch, &QTimer::timeout, dialog, [progress, watch, &labels] {
            const QString line = progress->Label2->text();
            if (labels.isEmpty() || labels.last() != line) labels << line;
            if (line.endsWith(QStringLiteral("\n3/5"))) {
                watch->stop();
                QTest::mouseClick(progress->CancelBtn, Qt::LeftButton);
            }
        });
        watch->start(0);
        return TImportFolders{card.path(""), album.path("")};
    };
    EXPECT_EQ(ExecImportRun(nullptr, ask), TModalResult::Cancel);
    int copied = 0;
    for (const QString& day : QDir(album.path("")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        copied += static_cast<int>(QDir(album.path(day)).entryList(QDir::Files).size());
    EXPECT_EQ(copied, 3);

    // Cancelling a folder prompt ends the run quietly with OK.
    EXPECT_EQ(ExecImportRun(nullptr, [](QWidget*) { return std::optional<TImportFolders>(); }), TModalResult::OK);
}
