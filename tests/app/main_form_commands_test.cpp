// The main window's comment, Exif segment and import commands driven as a user drives
// them: keys on the list, the editor confirmed with keys held, questions answered,
// file dialogs filled in, the progress dialog cancelled. The files on disk are checked
// afterwards, byte for byte outside the segment that was meant to change.
#include "app/ini_file.h"
#include "app/main_form.h"
#include "app/photo_list_view.h"
#include "app_fixture.h"
#include "modal_script.h"
#include "jpegfile/comment_io.h"
#include "platform/fault_injection.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"
#include "ui/dialogs/edit_text_dlg.h"
#include "ui/dialogs/progress_dlg.h"
#include "ui/imagewin/image_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QClipboard>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <sys/stat.h>
#include <utime.h>

using namespace tollamar;
using testsupport::TempFolder;

namespace {

using apptest::ModalScript;

// Typed text as the input method delivers it, Enter between the lines.
void typeLines(QWidget* editor, const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(editor, Qt::Key_Return);
        if (!lines[i].isEmpty()) QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, lines[i], Qt::NoModifier);
    }
}

// The editor step: remembers the title and the text it opened with, replaces the text
// and presses OK with the keys held.
ModalScript::Step editorStep(const QStringList& lines, Qt::KeyboardModifiers held, QString* seen = nullptr) {
    return [=](QWidget* w) {
        auto* dlg = dynamic_cast<TEditTextDlg*>(w);
        if (!dlg) return false;
        if (seen) *seen = dlg->windowTitle() + u'|' + dlg->RichEdit1->toPlainText();
        dlg->RichEdit1->selectAll();
        QTest::keyClick(dlg->RichEdit1, Qt::Key_Delete);
        typeLines(dlg->RichEdit1, lines);
        QTest::mouseClick(dlg->OKBtn, Qt::LeftButton, held);
        return true;
    };
}

ModalScript::Step answerStep(QMessageBox::StandardButton answer, QString* seen = nullptr) {
    return [=](QWidget* w) {
        auto* box = dynamic_cast<QMessageBox*>(w);
        if (!box) return false;
        if (seen) {
            *seen = box->windowTitle() + u'|' + box->text();
            if (box->defaultButton() == box->button(QMessageBox::No)) *seen += QStringLiteral("|No");
            if (box->defaultButton() == box->button(QMessageBox::Cancel)) *seen += QStringLiteral("|Cancel");
        }
        box->button(answer)->click();
        return true;
    };
}

// Watches the progress dialog's lower line from the moment it is shown (its job starts
// right after); calls act(dialog, line) for each new line.
class ProgressWatch : public QObject {
public:
    explicit ProgressWatch(std::function<void(TProgressDlg*, const QString&)> act) : m_act(std::move(act)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dlg = dynamic_cast<TProgressDlg*>(watched);
        if (event->type() != QEvent::Show || !dlg) return false;
        auto* watch = new QTimer(dlg);
        auto last = std::make_shared<QString>();
        QObject::connect(watch, &QTimer::timeout, dlg, [dlg, act = m_act, last] {
            if (dlg->Label1->text() == *last) return;
            *last = dlg->Label1->text();
            act(dlg, *last);
        });
        watch->start(0);
        return false;
    }

private:
    std::function<void(TProgressDlg*, const QString&)> m_act;
};

ModalScript::Step progressStep(std::function<void(TProgressDlg*, const QString&)> act) {
    auto watch = std::make_shared<ProgressWatch>(std::move(act));
    return [watch](QWidget* w) {
        if (!dynamic_cast<TProgressDlg*>(w)) return false;
        qApp->removeEventFilter(watch.get());
        return true;
    };
}

ModalScript::Step fileDialogStep(const QString& name, QString* seen = nullptr) {
    return [=](QWidget* w) {
        auto* dlg = dynamic_cast<QFileDialog*>(w);
        if (!dlg) return false;
        if (seen)
            *seen = dlg->windowTitle() + u'|' + dlg->nameFilters().join(u';') + u'|' + dlg->defaultSuffix() + u'|' +
                    dlg->directory().path();
        if (QFileInfo(name).isDir()) dlg->setDirectory(name);
        else dlg->selectFile(name);
        // Through QDialog, as the dialog's own button calls it.
        static_cast<QDialog*>(dlg)->accept();
        return true;
    };
}

// The file with every segment of one marker before SOS taken out.
QByteArray without(const QByteArray& jpeg, uint8_t marker) {
    QByteArray out = jpeg.left(2);
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<uint8_t>(jpeg[at]) == 0xFF) {
        const auto m = static_cast<uint8_t>(jpeg[at + 1]);
        if (m == 0xDA) break;
        const int length = (static_cast<uint8_t>(jpeg[at + 2]) << 8) | static_cast<uint8_t>(jpeg[at + 3]);
        if (m != marker) out += jpeg.mid(at, length + 2);
        at += length + 2;
    }
    return out + jpeg.mid(at);
}

QByteArray comPayload(const QString& file) {
    const QList<QByteArray> com = testsupport::SegmentPayloads(TempFolder::read(file), 0xFE);
    return com.isEmpty() ? QByteArray() : com.join();
}

qint64 mtimeNs(const QString& file) {
    struct stat st {};
    if (stat(QFile::encodeName(file).constData(), &st) != 0) return -1;
    return st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
}

class CommandsTest : public apptest::AppTest {
protected:
    void TearDown() override {
        faults::Reset();
        AppTest::TearDown();
    }

    // n photos p0.jpg ... with the comment "old", listed by name, all loaded.
    std::unique_ptr<TMainForm> openAlbum(int n, bool exif = false) {
        for (int i = 0; i < n; ++i) {
            const QString name = QStringLiteral("p%1.jpg").arg(i);
            files << album.write(name, apptest::MakePhoto(40 + i, 30, QStringLiteral("old"), exif));
            before << TempFolder::read(files.last());
            times << mtimeNs(files.last());
        }
        auto form = std::make_unique<TMainForm>(QStringList{album.path({})});
        form->show();
        form->SortByFileNameAction->trigger();
        EXPECT_TRUE(apptest::WaitFor([&] {
            for (const auto& e : form->PhotoList())
                if (!e->isLoaded()) return false;
            return true;
        }));
        return form;
    }

    static void select(TMainForm& form, int row) {
        form.ListView1->selectRow(row);
        form.SetCurrentItem(form.PhotoList()[static_cast<size_t>(row)].get());
    }

    // Outside COM each file is as it was, its times are kept and no backup is left.
    void expectOnlyCommentsChanged() {
        for (qsizetype i = 0; i < files.size(); ++i) {
            if (!QFileInfo::exists(files[i])) continue;
            EXPECT_EQ(without(TempFolder::read(files[i]), 0xFE), without(before[i], 0xFE)) << i;
            EXPECT_EQ(mtimeNs(files[i]), times[i]) << i;
        }
        for (const QString& name : album.entries()) EXPECT_TRUE(name.endsWith(u".jpg")) << name.toStdString();
    }

    TempFolder album;
    QStringList files;
    QList<QByteArray> before;
    QList<qint64> times;
};

}  // namespace

TEST_F(CommandsTest, EnterEditsTheSelectedPhotoInShiftJisOrUnicodeAndRefreshesItsEntry) {
    auto form = openAlbum(3);
    select(*form, 1);
    const QStringList lines{QStringLiteral("京都の秋"), QStringLiteral("紅葉🍁と鐘")};
    QString editorSeen;
    {
        ModalScript script;
        script.then(editorStep(lines, Qt::NoModifier, &editorSeen));
        QTest::keyClick(form->ListView1->activeView(), Qt::Key_Return);
    }
    EXPECT_EQ(editorSeen, QStringLiteral("‘p1.jpg’の【コメント】を編集|old"));
    EXPECT_EQ(ReadComment(files[1]), QStringLiteral("京都の秋\r\n紅葉?と鐘")) << "Shift-JIS cannot hold the leaf";
    const TItemData& entry = *form->PhotoList()[1];
    EXPECT_EQ(entry.Comment, ReadComment(files[1])) << "the entry shows what the file holds";
    EXPECT_TRUE(entry.Summary.contains(QLocale(QLocale::English).toString(QFileInfo(files[1]).size())))
        << entry.Summary.toStdString();
    EXPECT_EQ(form->CurrentItem(), &entry);

    // Unicode is stored at once and keeps every character; Ctrl alone is still one file.
    form->ComAsUnicodeAction->trigger();
    EXPECT_EQ(TIniFile(apptest::SettingsFile(QStringLiteral("MainForm.INI"))).ReadString(u"App", u"ComAsUnicode", {}),
              "1");
    {
        ModalScript script;
        script.then(editorStep(lines, Qt::ControlModifier, &editorSeen));
        form->EditComSegAction->trigger();
    }
    EXPECT_EQ(editorSeen, QStringLiteral("‘p1.jpg’の【コメント】を編集|京都の秋\n紅葉?と鐘"));
    EXPECT_EQ(ReadComment(files[1]), QStringLiteral("京都の秋\r\n紅葉🍁と鐘"));
    EXPECT_TRUE(comPayload(files[1]).startsWith("\xFF\xFE"));
    EXPECT_EQ(ReadComment(files[0]), QStringLiteral("old"));

    // An empty text removes the comment without a word; Esc changes nothing.
    {
        ModalScript script;
        script.then(editorStep({}, Qt::NoModifier));
        form->EditComSegAction->trigger();
    }
    EXPECT_TRUE(ReadComment(files[1]).isEmpty());
    EXPECT_TRUE(form->PhotoList()[1]->Comment.isEmpty());
    {
        ModalScript script;
        script.then([](QWidget* w) {
            auto* dlg = dynamic_cast<TEditTextDlg*>(w);
            if (dlg) QTest::keyClick(dlg->RichEdit1, Qt::Key_Escape);
            return dlg != nullptr;
        });
        select(*form, 2);
        form->EditComSegAction->trigger();
    }
    EXPECT_EQ(TempFolder::read(files[2]), before[2]);
    EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join(u'|').toStdString();
    expectOnlyCommentsChanged();
}

TEST_F(CommandsTest, SetAllWritesTheTextAsTypedIntoEveryListedPhotoAndCancelStopsAfterTheThirdFile) {
    auto form = openAlbum(6);
    select(*form, 4);
    form->ComAsUnicodeAction->trigger();
    QString question, caption;
    QStringList lines;
    {
        ModalScript script;
        script.then(editorStep({QStringLiteral("旅行"), QStringLiteral("🍁")}, Qt::ShiftModifier | Qt::ControlModifier))
            .then(answerStep(QMessageBox::Yes, &question))
            .then(progressStep([&](TProgressDlg* dlg, const QString& line) {
                caption = dlg->windowTitle() + u'|' + dlg->Label2->text();
                lines << line;
                if (line.endsWith(QStringLiteral("(2/6)"))) QTest::mouseClick(dlg->CancelBtn, Qt::LeftButton);
            }));
        form->EditComSegAction->trigger();
    }
    EXPECT_EQ(question, QStringLiteral("Select AppendMode|REPLACE text to \"ALL\" files in your list ?|No"));
    EXPECT_EQ(caption, QStringLiteral("リスト中のファイルのコメントをセットする|旅行\r\n🍁"));
    EXPECT_EQ(lines.first(), QStringLiteral("p0.jpg:(0/6)"));
    EXPECT_EQ(m_reports, QStringList{QStringLiteral("中断しました")});
    for (int i = 0; i < 6; ++i) {
        const QString expected = i < 3 ? QStringLiteral("旅行\r\n🍁") : QStringLiteral("old");
        EXPECT_EQ(ReadComment(files[i]), expected) << i;
        EXPECT_EQ(form->PhotoList()[static_cast<size_t>(i)]->Comment, expected) << i;
    }
    EXPECT_EQ(form->CurrentItem(), form->PhotoList()[4].get()) << "the selected row is current again";
    expectOnlyCommentsChanged();

    // The whole list, run to its end: the last progress line counts from 0.
    lines.clear();
    m_reports.clear();
    {
        ModalScript script;
        script.then(editorStep({QStringLiteral("全部")}, Qt::ShiftModifier | Qt::ControlModifier))
            .then(answerStep(QMessageBox::Yes))
            .then(progressStep([&](TProgressDlg*, const QString& line) { lines << line; }));
        form->EditComSegAction->trigger();
    }
    EXPECT_EQ(lines.last(), QStringLiteral("p5.jpg:(5/6)"));
    for (const QString& f : files) EXPECT_EQ(ReadComment(f), QStringLiteral("全部"));
    EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join(u'|').toStdString();
}

TEST_F(CommandsTest, AppendAllReportsADeletedFileAndAFailedWriteAndWritesTheOthers) {
    auto form = openAlbum(5);
    select(*form, 2);
    QFile::remove(files[1]);  // deleted after the list was made
    // The first photo's new file cannot be written (disk full).
    faults::FailNth(faults::Op::Write, 1, ENOSPC);
    QString question;
    {
        ModalScript script;
        script.then(editorStep({QStringLiteral("・追記")}, Qt::ShiftModifier))
            .then(answerStep(QMessageBox::Yes, &question))
            .then(progressStep([](TProgressDlg*, const QString&) {}));
        form->EditComSegAction->trigger();
    }
    EXPECT_EQ(question, QStringLiteral("Select AppendMode|APPEND text to \"ALL\" files in your list ?|No"));
    ASSERT_EQ(m_reports.size(), 2) << m_reports.join(u'|').toStdString();
    EXPECT_TRUE(m_reports[0].contains(files[0])) << "the disk-full error names the file";
    EXPECT_EQ(m_reports[1], QStringLiteral("ファイルが見つかりません\r\n") + files[1]);
    EXPECT_EQ(TempFolder::read(files[0]), before[0]);
    for (int i = 2; i < 5; ++i) EXPECT_EQ(ReadComment(files[i]), QStringLiteral("old・追記")) << i;
    EXPECT_EQ(form->PhotoList()[0]->Comment, QStringLiteral("old"));
    EXPECT_EQ(form->CurrentItem(), form->PhotoList()[2].get());
    expectOnlyCommentsChanged();

    // Answering No touches nothing and says so.
    m_reports.clear();
    const QByteArray third = TempFolder::read(files[2]);
    {
        ModalScript script;
        script.then(editorStep({QStringLiteral("x")}, Qt::ShiftModifier)).then(answerStep(QMessageBox::No));
        form->EditComSegAction->trigger();
    }
    EXPECT_EQ(m_reports, QStringList{QStringLiteral("コメントの変更を中止しました")});
    EXPECT_EQ(TempFolder::read(files[2]), third);

    // A single write that cannot move the photo aside leaves it and its entry alone.
    m_reports.clear();
    faults::FailNth(faults::Op::Rename, 1, EACCES);
    {
        ModalScript script;
        script.then(editorStep({QStringLiteral("y")}, Qt::NoModifier));
        form->EditComSegAction->trigger();
    }
    EXPECT_EQ(m_reports, QStringList{QStringLiteral("コメントの書き込みに失敗しました")});
    EXPECT_EQ(TempFolder::read(files[2]), third);
    EXPECT_EQ(form->PhotoList()[2]->Comment, QStringLiteral("old・追記"));
}

TEST_F(CommandsTest, AWrittenPhotoTheWindowsCannotReadIsReportedAndStaysCurrent) {
    auto form = openAlbum(1);
    // 12 bits per sample: the comment can be rewritten, the picture not read.
    QByteArray deep = apptest::MakePhoto(40, 30, QStringLiteral("old"));
    const qsizetype sof = deep.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    deep[sof + 4] = 12;
    const QString file = album.write(QStringLiteral("q.jpg"), deep);
    form->ScanFolder();
    ASSERT_TRUE(apptest::WaitFor([&] { return form->PhotoList().size() == 2 && form->PhotoList()[1]->isLoaded(); }));
    form->ListView1->selectRow(1);
    ASSERT_TRUE(apptest::WaitFor([&] { return form->CurrentItem() == form->PhotoList()[1].get(); }));
    m_reports.clear();
    {
        ModalScript script;
        script.then(editorStep({QStringLiteral("深い")}, Qt::NoModifier));
        form->EditComSegAction->trigger();
    }
    EXPECT_EQ(ReadComment(file), QStringLiteral("深い"));
    EXPECT_EQ(form->PhotoList()[1]->Comment, QStringLiteral("深い"));
    EXPECT_EQ(m_reports.size(), 1) << m_reports.join(u'|').toStdString();
    EXPECT_EQ(form->CurrentItem(), form->PhotoList()[1].get());
    EXPECT_EQ(form->ImageForm->shownFile(), file);
}

TEST_F(CommandsTest, AFolderOpenedDuringARunWaitsUntilTheRunEnds) {
    auto form = openAlbum(4);
    TempFolder other;
    other.write(QStringLiteral("z.jpg"), apptest::MakePhoto(16, 16));
    select(*form, 0);
    QStringList listedDuringRun;
    {
        ModalScript script;
        script.then(editorStep({QStringLiteral("new")}, Qt::ShiftModifier | Qt::ControlModifier))
            .then(answerStep(QMessageBox::Yes))
            .then(progressStep([&](TProgressDlg*, const QString& line) {
                // Something opens another folder while the second file is written.
                if (line.endsWith(QStringLiteral("(1/4)"))) form->DoSelFolder(TFolderRequester::MainForm, other.path({}));
                listedDuringRun << QString::number(form->PhotoList().size());
            }));
        form->EditComSegAction->trigger();
    }
    for (const QString& f : files) EXPECT_EQ(ReadComment(f), QStringLiteral("new"));
    EXPECT_EQ(listedDuringRun.join(u','), QStringLiteral("4,4,4,4"));
    ASSERT_EQ(form->PhotoList().size(), 1u) << "the folder opens after the run";
    EXPECT_EQ(form->PhotoList()[0]->caption(), QStringLiteral("z.jpg"));
    EXPECT_EQ(form->CurrentItem(), nullptr);
}

TEST_F(CommandsTest, ExifIsSavedToAFileAndLoadedIntoAPhotoThatLostIt) {
    auto form = openAlbum(2, true);
    // A photo without Exif, as an editor leaves it.
    const QString bare = album.write(QStringLiteral("q.jpg"), apptest::MakePhoto(32, 32, QStringLiteral("edited")));
    form->ScanFolder();
    ASSERT_EQ(form->PhotoList().size(), 3u);
    select(*form, 0);
    QString dialogSeen;
    {
        ModalScript script;
        script.then(fileDialogStep(album.path(QStringLiteral("camera")), &dialogSeen));
        form->SaveSegAction->trigger();
    }
    EXPECT_EQ(dialogSeen, QStringLiteral("p0.jpg の‘Exif(APP1)’を抽出してファイルに保存する|"
                                         "‘Exif(APP1)’保存ファイル(*.exif);全てのファイル(*.*)|exif|") +
                              album.path({}));
    const QString exifFile = album.path(QStringLiteral("camera.exif"));
    const QByteArray app1 = testsupport::SegmentPayloads(before[0], 0xE1).join();
    ASSERT_TRUE(app1.startsWith(QByteArray("Exif\0\0", 6)));
    EXPECT_EQ(TempFolder::read(exifFile), app1);
    EXPECT_EQ(TempFolder::read(files[0]), before[0]);

    const QByteArray bareBefore = TempFolder::read(bare);
    const qint64 bareTime = mtimeNs(bare);
    select(*form, 2);
    QString question;
    {
        ModalScript script;  // Cancel to the question leaves the photo alone
        script.then(fileDialogStep(exifFile)).then(answerStep(QMessageBox::Cancel, &question));
        form->LoadSegAction->trigger();
    }
    EXPECT_EQ(question, QStringLiteral("q.jpgの‘Exif(APP1)’の書き換え|‘Exif(APP1)’書き換えて本当に良いですか?|Cancel"));
    EXPECT_EQ(TempFolder::read(bare), bareBefore);
    {
        ModalScript script;
        script.then(fileDialogStep(exifFile, &dialogSeen)).then(answerStep(QMessageBox::Ok));
        form->LoadSegAction->trigger();
    }
    EXPECT_TRUE(dialogSeen.startsWith(QStringLiteral("q.jpg の‘Exif(APP1)’にファイルを読み込む|")));
    const QByteArray loaded = TempFolder::read(bare);
    EXPECT_EQ(testsupport::SegmentPayloads(loaded, 0xE1).join(), app1);
    EXPECT_EQ(without(loaded, 0xE1), without(bareBefore, 0xE1));
    EXPECT_EQ(mtimeNs(bare), bareTime);
    EXPECT_EQ(form->CurrentItem(), form->PhotoList()[2].get());

    // A rewrite that cannot move the photo aside is reported and changes nothing.
    faults::FailNth(faults::Op::Rename, 1, EACCES);
    select(*form, 1);
    {
        ModalScript script;
        script.then(fileDialogStep(exifFile)).then(answerStep(QMessageBox::Ok));
        form->LoadSegAction->trigger();
    }
    EXPECT_EQ(m_reports, QStringList{QStringLiteral("‘Exif(APP1)’の書き込みに失敗しました")});
    EXPECT_EQ(TempFolder::read(files[1]), before[1]);

    // A chosen file that cannot be read is reported at once, with no question first.
    const QString pipe = album.path(QStringLiteral("pipe.exif"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    {
        ModalScript script;  // a question would be a modal window no step expects
        script.then(fileDialogStep(pipe));
        form->LoadSegAction->trigger();
    }
    ASSERT_EQ(m_reports.size(), 2);
    EXPECT_TRUE(m_reports[1].contains(pipe)) << m_reports[1].toStdString();
    EXPECT_EQ(TempFolder::read(files[1]), before[1]);
    for (const QString& name : album.entries())
        EXPECT_TRUE(name.endsWith(u".jpg") || name.endsWith(u".exif")) << name.toStdString();
}

TEST_F(CommandsTest, ImportCopiesIntoLocalDayFoldersOnceAndNeverOverwrites) {
    auto form = openAlbum(1);
    TempFolder card, target;
    const QList<std::pair<QString, QDateTime>> shots = {
        {QStringLiteral("a.JPG"), QDateTime(QDate(2003, 12, 25), QTime(0, 0))},
        {QStringLiteral("b.jpg"), QDateTime(QDate(2003, 12, 25), QTime(23, 59))},
        {QStringLiteral("c.jpg"), QDateTime(QDate(2003, 12, 26), QTime(0, 0, 1))}};
    for (const auto& [name, when] : shots) {
        const QString path = card.write(name, apptest::MakePhoto(16, 16, name));
        const utimbuf stamp{when.toSecsSinceEpoch(), when.toSecsSinceEpoch()};
        ASSERT_EQ(utime(QFile::encodeName(path).constData(), &stamp), 0);
    }
    card.write(QStringLiteral("d.jpeg"), apptest::MakePhoto(16, 16));
    QString sourceSeen, destinationSeen;
    const auto importOnce = [&] {
        ModalScript script;
        script.then(fileDialogStep(card.path({}), &sourceSeen))
            .then(fileDialogStep(target.path({}), &destinationSeen));
        form->InportAction->trigger();
    };
    importOnce();
    EXPECT_TRUE(sourceSeen.startsWith(QStringLiteral("取り込む写真(jpeg)のあるフォルダを指定してください|")));
    EXPECT_TRUE(destinationSeen.startsWith(QStringLiteral("写真(jpeg)を保存するフォルダを指定してください|")));
    EXPECT_TRUE(destinationSeen.endsWith(QFileInfo(album.path({})).path())) << "starts at the parent of the folder";
    const QString day25 = target.path(QStringLiteral("20031225/")), day26 = target.path(QStringLiteral("20031226/"));
    EXPECT_EQ(QDir(day25).entryList(QDir::Files), (QStringList{"a.JPG", "b.jpg"}));
    EXPECT_EQ(QDir(day26).entryList(QDir::Files), QStringList{"c.jpg"});
    EXPECT_EQ(TempFolder::read(day25 + "a.JPG"), TempFolder::read(card.path("a.JPG")));

    // Again, with one copy changed meanwhile: nothing is added or replaced.
    const QString changed = day26 + "c.jpg";
    QFile edited(changed);
    ASSERT_TRUE(edited.open(QIODevice::Append));
    edited.write("x");
    edited.close();
    const QByteArray changedBytes = TempFolder::read(changed);
    importOnce();
    EXPECT_EQ(QDir(target.path({})).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"20031225", "20031226"}));
    EXPECT_EQ(TempFolder::read(changed), changedBytes);
    EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join(u'|').toStdString();
    EXPECT_EQ(form->PhotoList().size(), 1u) << "the list is not touched";
}

// The cache size is asked for again until the answer is a number in 0..256; Cancel
// keeps the size. Copy puts the picture the image window shows on the clipboard.
TEST_F(CommandsTest, CacheSizePromptAndPictureCopy) {
    QFile::remove(apptest::SettingsFile(QStringLiteral("ImageForm.INI")));
    auto form = openAlbum(1);
    QStringList prompts;
    const auto answer = [&prompts](const QString& text) {
        return [&prompts, text](QWidget* w) {
            auto* input = dynamic_cast<QInputDialog*>(w);
            if (!input) return false;
            prompts << input->windowTitle() + u'|' + input->labelText() + u'|' + input->textValue();
            if (text.isNull()) {
                input->reject();
            } else {
                input->setTextValue(text);
                input->accept();
            }
            return true;
        };
    };
    {
        ModalScript script;
        script.then(answer(QStringLiteral("300"))).then(answer(QStringLiteral("abc"))).then(answer(QStringLiteral("16")));
        form->SetJpegCacheAction->trigger();
    }
    ASSERT_EQ(prompts.size(), 3);
    EXPECT_EQ(prompts[2], QStringLiteral("展開済みJPEGを保存しておくメモリサイズを設定します|0～256Mbytesまで設定できます|6"));
    EXPECT_EQ(form->ImageForm->CacheSize(), 16);
    EXPECT_EQ(TIniFile(apptest::SettingsFile(QStringLiteral("ImageForm.INI"))).ReadInteger(u"Jpeg", u"CacheSize", 0), 16);
    {
        ModalScript script;
        script.then(answer(QString()));
        form->SetJpegCacheAction->trigger();
    }
    EXPECT_EQ(form->ImageForm->CacheSize(), 16);

    EXPECT_FALSE(form->CopyImageAction->isEnabled());
    select(*form, 0);
    ASSERT_TRUE(apptest::WaitFor([&] { return form->CopyImageAction->isEnabled(); }, 20000));
    form->CopyImageAction->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(40, 30));
}

// Photos named in Shift-JIS, Latin-1 and with a lone 0xFF byte: listed once under a
// readable caption, written all at once, exported into a folder named in Latin-1 (which
// a Qt dialog gives back with U+FFFD in it), imported into day folders, and the folder
// kept in MainForm.INI and Recent.INI; every file keeps its own bytes throughout.
TEST_F(CommandsTest, NamesThatAreNotUtf8KeepTheirBytesThroughEveryCommand) {
    const QStringList names = testsupport::ForeignNames();
    for (const QString& name : names) files << album.write(name, apptest::MakePhoto(40, 30, QStringLiteral("old"), true));
    const QString exifFolder = album.path(names[1].chopped(4));
    ASSERT_TRUE(MakeFolderPath(exifFolder));
    auto form = std::make_unique<TMainForm>(QStringList{exifFolder});
    form->show();
    form->DoSelFolder(TFolderRequester::MainForm, album.path({}));
    form->SortByFileNameAction->trigger();
    ASSERT_TRUE(apptest::WaitFor([&] {
        for (const auto& e : form->PhotoList())
            if (!e->isLoaded()) return false;
        return form->PhotoList().size() == 3u;
    }));
    QStringList captions;
    for (const auto& e : form->PhotoList()) captions << e->caption();
    captions.sort();
    EXPECT_EQ(captions, QStringList({QStringLiteral("\\xFF.jpg"), QStringLiteral("caf\\xE9.jpg"), QStringLiteral("写真.jpg")}));
    select(*form, 1);
    {
        ModalScript script;
        script.then(editorStep({QStringLiteral("旅行")}, Qt::ShiftModifier | Qt::ControlModifier))
            .then(answerStep(QMessageBox::Yes))
            .then(progressStep([](TProgressDlg*, const QString&) {}));
        form->EditComSegAction->trigger();
    }
    for (const QString& f : files) EXPECT_EQ(ReadComment(f), QStringLiteral("旅行"));

    select(*form, 0);
    const QString exifFile = exifFolder + QStringLiteral("/camera.exif");
    {
        ModalScript script;
        script.then(fileDialogStep(QString::fromUtf8(NativeName(exifFile))));
        form->SaveSegAction->trigger();
    }
    EXPECT_EQ(TempFolder::read(exifFile), testsupport::SegmentPayloads(TempFolder::read(form->PhotoList()[0]->FileName), 0xE1).join());

    TempFolder target;
    {
        ModalScript script;
        script.then(fileDialogStep(album.path({}))).then(fileDialogStep(target.path({})));
        form->InportAction->trigger();
    }
    const QStringList days = TempFolder::entriesOf(target.path({}));
    ASSERT_EQ(days.size(), 1);
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(TempFolder::entriesOf(target.path(days[0])), sorted);
    EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join(u'|').toStdString();

    form->DoSelFolder(TFolderRequester::MainForm, exifFolder);
    form->close();
    form.reset();
    const QString stored = TIniFile(apptest::SettingsFile(QStringLiteral("MainForm.INI"))).ReadString(u"App", u"CD", {});
    EXPECT_TRUE(stored.startsWith(QStringLiteral("file:///"))) << stored.toStdString();
    TMainForm again({});
    again.show();
    EXPECT_EQ(again.CurrentFolder(), exifFolder);
    EXPECT_EQ(FolderFromSetting(QString::fromUtf8(TempFolder::read(apptest::SettingsFile(QStringLiteral("Recent.INI")))).section(u'\r', 0, 0)), exifFolder);
    again.close();
    QStringList expected = names + QStringList{names[1].chopped(4)};
    expected.sort();
    EXPECT_EQ(album.entries(), expected);
}
