#include "ui/infowin/image_info_form.h"

#include "app/ini_file.h"
#include "app/item_data.h"
#include "app_fixture.h"
#include "exif/exif_parser.h"
#include "fileinfo/camera_tree.h"
#include "fileinfo/file_info_tree.h"
#include "imaging/jpeg_size.h"
#include "exif_builder.h"
#include "jpegfile/comment_io.h"
#include "platform/errors.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"
#include "ui/infowin/paint_pacer.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace tollamar;

namespace {

void appendLines(QString& out, const QTreeWidgetItem& item, int depth) {
    out += QString(depth * 2, u' ') + item.text(0) + u'\n';
    for (int i = 0; i < item.childCount(); ++i) appendLines(out, *item.child(i), depth + 1);
}

// The tree as tollamar-cli prints a text tree.
QString treeLines(const QTreeWidget& tree) {
    QString out;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) appendLines(out, *tree.topLevelItem(i), 0);
    out.chop(1);
    return out;
}

// The camera tab's lines: the tree takes the photo when its tab is selected.
QString cameraLines(TImageInfoForm& form) {
    const int tab = form.PageControl1->currentIndex();
    form.PageControl1->setCurrentIndex(TImageInfoForm::CameraTab);
    const QString lines = treeLines(*form.ExifTree);
    form.PageControl1->setCurrentIndex(tab);
    return lines;
}

struct CliResult {
    int exitCode;
    QString out;
    QString err;
};

CliResult runCli(const QString& verb, const QString& file) {
    QProcess cli;
    cli.start(QStringLiteral(TOLLAMAR_CLI), {verb, file});
    cli.waitForFinished(60000);
    QString out = QString::fromUtf8(cli.readAllStandardOutput());
    if (out.endsWith(u'\n')) out.chop(1);
    return {cli.exitCode(), out, QString::fromUtf8(cli.readAllStandardError())};
}

QString nodeLines(const QList<TTextNode>& nodes, int depth = 0) {
    QString out;
    for (const TTextNode& node : nodes)
        out += QString(depth * 2, u' ') + node.text + u'\n' + nodeLines(node.children, depth + 1);
    return depth == 0 ? out.chopped(out.isEmpty() ? 0 : 1) : out;
}

int absoluteRow(const QTreeWidget& tree, const QTreeWidgetItem* wanted) {
    int index = 0;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it, ++index)
        if (*it == wanted) return index;
    return -1;
}

// The expanded flag of every item, depth first.
QList<bool> expansion(const QTreeWidget& tree) {
    QList<bool> flags;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) flags.append((*it)->isExpanded());
    return flags;
}

QByteArray cameraPhoto(ByteOrder order) { return exiftest::RealJpegWithApp1(exiftest::CameraBlock(order).payload()); }

class InfoWindowTest : public apptest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        QFile::remove(apptest::SettingsFile(QStringLiteral("ImageInfoForm.INI")));
    }

    // A shown window on the given tab, as the main window shows it when docked.
    std::unique_ptr<TImageInfoForm> shownWindow(int tab) {
        auto form = std::make_unique<TImageInfoForm>(nullptr);
        form->PageControl1->setCurrentIndex(tab);
        form->show();
        return form;
    }

    testsupport::TempFolder m_folder;
};

TEST_F(InfoWindowTest, TabIsKeptInTheSettingsFile) {
    const QString ini = apptest::SettingsFile(QStringLiteral("ImageInfoForm.INI"));
    WriteIniStringNow(ini, QStringLiteral("App"), QStringLiteral("TabIndex"), QStringLiteral("2"));
    {
        TImageInfoForm form(nullptr);
        EXPECT_EQ(form.PageControl1->currentIndex(), TImageInfoForm::CommentTab);
        EXPECT_EQ(form.PageControl1->tabPosition(), QTabWidget::South);
        EXPECT_EQ(form.PageControl1->tabToolTip(1), QStringLiteral("撮影日時、機種名、シャッター速度などを表示します"));
        form.PageControl1->setCurrentIndex(TImageInfoForm::CameraTab);
    }
    EXPECT_EQ(TIniFile(ini).ReadInteger(u"App", u"TabIndex", -1), 1);
    WriteIniStringNow(ini, QStringLiteral("App"), QStringLiteral("TabIndex"), QStringLiteral("7"));
    EXPECT_EQ(TImageInfoForm(nullptr).PageControl1->currentIndex(), 0) << "an index out of range opens the first tab";
}

// Every tab against what tollamar-cli prints for the same photo, over the sample album
// (many cameras, both byte orders, photos without Exif, Shift-JIS and UTF-16 comments).
TEST_F(InfoWindowTest, TabsShowWhatTheCommandLinePrints) {
    const QString album = m_folder.path(QStringLiteral("album"));
    ASSERT_EQ(QProcess::execute(QStringLiteral(TOLLAMAR_MAKE_SAMPLES), {album}), 0);
    const QStringList names = QDir(album).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 20);
    auto form = shownWindow(TImageInfoForm::FileTab);
    std::vector<std::unique_ptr<TItemData>> entries;
    int withExif = 0;
    for (const QString& name : names) {
        const TItemData& item = *entries.emplace_back(std::make_unique<TItemData>(album + u'/' + name));
        testsupport::TempFolder::read(item.FileName);  // the access time settles before either reads
        const CliResult info = runCli(QStringLiteral("info"), item.FileName);
        const CliResult exif = runCli(QStringLiteral("exif"), item.FileName);
        const CliResult comment = runCli(QStringLiteral("comment"), item.FileName);
        ASSERT_EQ(info.exitCode, 0) << name.toStdString();
        ASSERT_NO_THROW(form->UpdateInfo(&item)) << name.toStdString();
        EXPECT_EQ(treeLines(*form->FileTree), info.out) << name.toStdString();
        EXPECT_EQ(cameraLines(*form), exif.out) << name.toStdString();
        EXPECT_EQ(form->commentText(), QString(comment.out).replace(QStringLiteral("\r\n"), QStringLiteral("\n")))
            << name.toStdString();
        withExif += !exif.out.isEmpty();
    }
    EXPECT_GT(withExif, 0);
    EXPECT_LT(withExif, names.size());
}

// The window reads the header once and gives it to libjpeg from memory: a header whose
// scan header runs past the first read, and tables libjpeg refuses, answer as the file.
TEST_F(InfoWindowTest, SizeProbeFromTheHeaderInMemoryAnswersAsTheFile) {
    const QByteArray plain = testsupport::EncodeJpeg(16, 16);
    const qsizetype sos = plain.indexOf("\xFF\xDA");
    ASSERT_GT(sos, 0);
    // A comment that puts the SOS marker's end four bytes before the first read's end.
    const qsizetype comment = 32 * 1024 - 4 - (sos + 2) - 4;
    const TItemData straddling(m_folder.write(
        QStringLiteral("straddle.jpg"), QByteArray(plain).insert(2, testsupport::JpegBuilder().com(QByteArray(comment, 'c')).bytes())));
    QByteArray badTable = plain;
    const qsizetype dqt = badTable.indexOf("\xFF\xDB");
    ASSERT_GT(dqt, 0);
    badTable[dqt + 4] = 0x07;  // table number 7; libjpeg knows 0 to 3
    const TItemData refused(m_folder.write(QStringLiteral("dqt.jpg"), badTable));

    auto form = shownWindow(TImageInfoForm::FileTab);
    ASSERT_NO_THROW(form->UpdateInfo(&straddling));
    ASSERT_GT(form->FileTree->topLevelItemCount(), 1);
    EXPECT_EQ(form->FileTree->topLevelItem(1)->text(0), QStringLiteral("16 * 16 pixels"));

    const CliResult cli = runCli(QStringLiteral("info"), refused.FileName);
    ASSERT_NE(cli.exitCode, 0);
    try {
        form->UpdateInfo(&refused);
        ADD_FAILURE() << "tables libjpeg refuses were taken";
    } catch (const Error& e) {
        EXPECT_TRUE(cli.err.contains(e.message())) << cli.err.toStdString() << " / " << e.message().toStdString();
    }
    EXPECT_EQ(form->FileTree->topLevelItem(0)->text(0), QStringLiteral("straddle.jpg"));
}

TEST_F(InfoWindowTest, TabsSelectedLaterShowThePhotoAndTheCommentKeepsItsCharacters) {
    const TItemData item(m_folder.write(QStringLiteral("u.jpg"), testsupport::EncodeJpeg(16, 16)));
    const QString text = QStringLiteral("한국어 😀 𠮷野家\r\n二行目");
    ASSERT_TRUE(WriteComment(item.FileName, text, true));
    auto form = shownWindow(TImageInfoForm::CameraTab);
    form->UpdateInfo(&item);
    // Read while their tabs were not selected: the views take the photo when shown.
    form->PageControl1->setCurrentIndex(TImageInfoForm::FileTab);
    ASSERT_GT(form->FileTree->topLevelItemCount(), 3);
    EXPECT_EQ(form->FileTree->topLevelItem(0)->text(0), QStringLiteral("u.jpg"));
    EXPECT_TRUE(form->FileTree->topLevelItem(3)->isExpanded()) << "the times open";
    form->PageControl1->setCurrentIndex(TImageInfoForm::CommentTab);
    EXPECT_EQ(form->CommentView->toPlainText(), QStringLiteral("한국어 😀 𠮷野家\n二行目"));
    QSignalSpy edit(form.get(), &TImageInfoForm::editCommentRequested);
    QTest::mouseDClick(form->CommentView->viewport(), Qt::LeftButton);
    EXPECT_EQ(edit.count(), 1);

    // A Shift-JIS comment holding a NUL shows what tollamar-cli comment prints: up to it.
    const TItemData withNul(m_folder.write(QStringLiteral("nul.jpg"), testsupport::EncodeJpeg(16, 16)));
    ASSERT_TRUE(WriteComment(withNul.FileName, QStringLiteral("前") + QChar(u'\0') + QStringLiteral("後"), false));
    form->UpdateInfo(&withNul);
    EXPECT_EQ(form->commentText(), runCli(QStringLiteral("comment"), withNul.FileName).out);
    EXPECT_EQ(form->commentText(), QStringLiteral("前"));
}

// The column is as wide as the longest line in the tree's font; line widths measured in
// an earlier font must not carry over.
TEST_F(InfoWindowTest, ColumnIsMeasuredInTheTreeFont) {
    const TItemData item(m_folder.write(QStringLiteral("w.jpg"), testsupport::EncodeJpeg(16, 16)));
    auto form = shownWindow(TImageInfoForm::FileTab);
    form->UpdateInfo(&item);
    const int narrow = form->FileTree->header()->minimumSectionSize();
    ASSERT_GT(narrow, 0);
    QFont big = form->FileTree->font();
    big.setPointSizeF(std::max(big.pointSizeF(), 8.0) * 3);
    form->FileTree->setFont(big);
    form->PageControl1->setCurrentIndex(TImageInfoForm::CameraTab);
    form->PageControl1->setCurrentIndex(TImageInfoForm::FileTab);  // selecting a tab fits its column
    EXPECT_GT(form->FileTree->header()->minimumSectionSize(), 2 * narrow);
}

TEST_F(InfoWindowTest, ExifTreeKeepsExpansionAndTopRowAcrossPhotos) {
    const TItemData little(m_folder.write(QStringLiteral("ii.jpg"), cameraPhoto(ByteOrder::LittleEndian)));
    const TItemData big(m_folder.write(QStringLiteral("mm.jpg"), cameraPhoto(ByteOrder::BigEndian)));
    const TItemData plain(m_folder.write(QStringLiteral("plain.jpg"), testsupport::EncodeJpeg(16, 16)));
    auto form = shownWindow(TImageInfoForm::CameraTab);
    form->UpdateInfo(&little);
    QTreeWidget& tree = *form->ExifTree;
    ASSERT_EQ(tree.topLevelItemCount(), 4);
    QTreeWidgetItem* details = tree.topLevelItem(3);
    EXPECT_FALSE(details->isExpanded()) << "the details start collapsed";
    details->setExpanded(true);
    QTreeWidgetItem* section = details->child(0);
    ASSERT_TRUE(section && section->childCount() > 12);
    section->setExpanded(true);
    tree.scrollToItem(section->child(12), QAbstractItemView::PositionAtTop);
    const int topRow = absoluteRow(tree, tree.itemAt(0, 0));
    ASSERT_GT(topRow, 10);
    const QList<bool> expanded = expansion(tree);

    for (const TItemData* next : {&big, &plain, &little}) {
        form->UpdateInfo(next);
        if (next == &plain) {
            EXPECT_EQ(tree.topLevelItemCount(), 0) << "no Exif, an empty camera tab";
            continue;
        }
        EXPECT_EQ(expansion(tree), expanded) << next->FileName.toStdString();
        EXPECT_EQ(absoluteRow(tree, tree.itemAt(0, 0)), topRow) << next->FileName.toStdString();
    }

    // A state taken from a tree with more sections than this one, and a top row past
    // its end: the sections it has are set, the rest is left alone.
    QList<int> state(40, 1);
    state[0] = 100000;
    form->setExifTreeState(state);
    form->RestoreExifTreeState();
    // The tree was rebuilt since: the items taken above are gone.
    QTreeWidgetItem* rebuilt = tree.topLevelItem(3);
    ASSERT_TRUE(rebuilt);
    for (int i = 0; i < rebuilt->childCount(); ++i) EXPECT_TRUE(rebuilt->child(i)->isExpanded());
}

TEST_F(InfoWindowTest, HiddenWindowCatchesUpAndTheShownPhotoIsNotRebuilt) {
    const TItemData first(m_folder.write(QStringLiteral("a.jpg"), apptest::MakePhoto(32, 24, QStringLiteral("一枚目"))));
    const TItemData second(m_folder.write(QStringLiteral("b.jpg"), apptest::MakePhoto(32, 24, QStringLiteral("二枚目"))));
    TImageInfoForm form(nullptr);
    form.UpdateInfo(&first);
    EXPECT_EQ(form.FileTree->topLevelItemCount(), 0) << "a hidden window reads nothing";
    form.UpdateInfo(&second);
    form.show();
    EXPECT_EQ(form.commentText(), QStringLiteral("二枚目")) << "the photo current at the show";

    // The same photo again, also after the pointer went over the tabs, is not read again.
    ASSERT_TRUE(WriteComment(second.FileName, QStringLiteral("書き直し"), false));
    QTest::mouseMove(form.PageControl1->tabBar(), form.PageControl1->tabBar()->tabRect(2).center());
    form.UpdateInfo(&second);
    EXPECT_EQ(form.commentText(), QStringLiteral("二枚目"));

    // Edited while hidden (the main window passes none, then the photo again): shown anew.
    form.hide();
    form.UpdateInfo(nullptr);
    form.UpdateInfo(&second);
    form.show();
    EXPECT_EQ(form.commentText(), QStringLiteral("書き直し"));
}

// Photos stepped through faster than the screen shows frames are painted at the next
// frame, with the column measured for the lines that changed meanwhile.
TEST_F(InfoWindowTest, PhotosSteppedWithinAFrameArePaintedAtTheNext) {
    const QByteArray photo = apptest::MakePhoto(32, 24, QStringLiteral("同じ"));
    const TItemData shortName(m_folder.write(QStringLiteral("a.jpg"), photo));
    const TItemData longName(m_folder.write(QString(80, u'長') + QStringLiteral(".jpg"), photo));
    auto form = shownWindow(TImageInfoForm::FileTab);
    form->UpdateInfo(&shortName);
    const int narrow = form->FileTree->header()->minimumSectionSize();
    form->UpdateInfo(&longName);
    // A slow machine may take a frame for the first photo; then the second paints at once.
    if (form->paintPacer().holding()) {
        EXPECT_FALSE(form->FileTree->viewport()->updatesEnabled());
        QSignalSpy released(&form->paintPacer(), &TPaintPacer::released);
        ASSERT_TRUE(released.wait(5000));
    }
    EXPECT_TRUE(form->FileTree->viewport()->updatesEnabled());
    EXPECT_GT(form->FileTree->header()->minimumSectionSize(), narrow + 100);
}

// A camera photo cut off at offsets all through its header: the window, which reads the
// header once and hands the bytes to each reader, answers as tollamar-cli's readers of
// the file do, with the same lines or the same size error.
TEST_F(InfoWindowTest, CutOffPhotosShowWhatTheFileReadersGive) {
    QByteArray photo = cameraPhoto(ByteOrder::BigEndian);
    photo.insert(2, testsupport::JpegBuilder().com("cut").bytes());
    // The last SOS is the photo's own; the one before is in the Exif thumbnail.
    const qsizetype headerEnd = photo.lastIndexOf("\xFF\xDA") + 16;
    auto form = shownWindow(TImageInfoForm::FileTab);
    std::vector<std::unique_ptr<TItemData>> entries;
    // Byte by byte through the start and through the tables, frame and scan headers.
    for (qsizetype cut = 1; cut < headerEnd; cut += cut < 40 || cut > headerEnd - 700 ? 1 : 9) {
        const TItemData& item = *entries.emplace_back(std::make_unique<TItemData>(
            m_folder.write(QStringLiteral("cut%1.jpg").arg(cut), photo.left(cut))));
        testsupport::TempFolder::read(item.FileName);  // the access time settles first
        QString sizeError, fileLines, windowError;
        try {
            fileLines = nodeLines(BuildFileInfoTree(item.FileName, ReadJpegSize(item.FileName)));
        } catch (const Error& e) {
            sizeError = e.message();
        }
        try {
            form->UpdateInfo(&item);
        } catch (const Error& e) {
            windowError = e.message();
        }
        const std::string at = "cut at " + std::to_string(cut);
        if (!sizeError.isEmpty()) {
            EXPECT_EQ(windowError, sizeError) << at;
            continue;
        }
        EXPECT_EQ(treeLines(*form->FileTree), fileLines) << at;
        TExifInfo exif;
        QString cameraText;
        try {
            if (ReadExifInfo(exif, item.FileName)) cameraText = nodeLines(BuildCameraTree(exif));
        } catch (const Error&) {
        }
        EXPECT_EQ(cameraLines(*form), cameraText) << at;
    }
}

TEST_F(InfoWindowTest, ErrorsLeaveTheTabsAsBuilt) {
    const TItemData good(m_folder.write(QStringLiteral("good.jpg"), apptest::MakePhoto(32, 24, QStringLiteral("良い"), true)));
    const TItemData notJpeg(m_folder.write(QStringLiteral("bad.jpg"), QByteArray("not a picture at all")));
    QByteArray damaged = exiftest::CameraBlock(ByteOrder::BigEndian).payload();
    damaged = damaged.left(6 + 8 + 2 + 12 * 2 + 5);
    const TItemData cutExif(m_folder.write(QStringLiteral("cut.jpg"), exiftest::RealJpegWithApp1(damaged)));
    auto form = shownWindow(TImageInfoForm::FileTab);
    form->UpdateInfo(&good);
    const QString fileLines = treeLines(*form->FileTree);
    const QString goodCamera = cameraLines(*form);
    ASSERT_FALSE(goodCamera.isEmpty());

    EXPECT_THROW(form->UpdateInfo(&notJpeg), Error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is taken back";
    EXPECT_EQ(treeLines(*form->FileTree), fileLines);
    EXPECT_EQ(cameraLines(*form), goodCamera);
    EXPECT_EQ(form->commentText(), QStringLiteral("良い"));
    EXPECT_NO_THROW(form->UpdateInfo(&notJpeg)) << "the failed photo counts as shown";

    // Damaged Exif: the file and comment tabs describe the new photo, the camera tab is
    // empty rather than showing the previous camera.
    EXPECT_THROW(form->UpdateInfo(&cutExif), Error);
    EXPECT_EQ(form->FileTree->topLevelItem(0)->text(0), QStringLiteral("cut.jpg"));
    EXPECT_EQ(cameraLines(*form), QString());
    EXPECT_EQ(form->commentText(), QString());
}

}  // namespace
