// The comment search from the navigator's search page through the main window: typed
// keywords and folders, the questions, the progress dialog and its cancel button, and
// the photo list that comes out.
#include "app/main_form.h"
#include "jpegfile/comment_codec.h"
#include "navigator_fixture.h"
#include "platform/fault_injection.h"
#include "search_fixtures.h"
#include "support/temp_folder.h"
#include "ui/dialogs/progress_dlg.h"
#include "ui/navigator/navi_form.h"
#include "ui/navigator/search_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cerrno>

using namespace tollamar;
using navitest::ModalScript;
using navitest::NaviTest;
using testsupport::TempFolder;

namespace {

QString put(const TempFolder& root, const QString& relative, const QString& comment, bool unicode = false) {
    const QByteArray com = comment.isEmpty() ? QByteArray() : EncodeComment(comment, unicode);
    return searchtest::WritePhoto(root.path(relative), searchtest::Photo(com));
}

QStringList listed(const TMainForm& form) {
    QStringList paths;
    for (const auto& entry : form.PhotoList()) paths.append(entry->FileName);
    paths.sort();
    return paths;
}

QStringList sorted(QStringList paths) {
    paths.sort();
    return paths;
}

void setField(QLineEdit* field, const QString& text) {
    field->clear();
    navitest::TypeText(field, text);
}

// The main window on folder, with the navigator on its search page.
struct SearchWindow {
    explicit SearchWindow(const QString& folder) : form({folder}) {
        form.show();
        form.SearchAction->trigger();
    }
    TSearchPage& page() { return *form.NaviForm->SearchSheet; }
    void search(const QString& keywords, const QString& folders) {
        setField(page().Keyword, keywords);
        setField(page().PathEdit, folders);
        QTest::mouseClick(page().DoBtn, Qt::LeftButton);
    }
    TMainForm form;
};

// Watches the progress dialog while a search runs (events run before every file) and
// presses its cancel button once when ready() says so.
class CancelWhen {
public:
    explicit CancelWhen(std::function<bool(TProgressDlg&)> ready) : m_ready(std::move(ready)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start(0);
    }
    bool pressed = false;
    QString upperLine, lowerLine;

private:
    void tick() {
        auto* dialog = dynamic_cast<TProgressDlg*>(QApplication::activeModalWidget());
        if (pressed || !dialog || !m_ready(*dialog)) return;
        pressed = true;
        upperLine = dialog->Label2->text();
        lowerLine = dialog->Label1->text();
        QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton);
    }
    std::function<bool(TProgressDlg&)> m_ready;
    QTimer m_timer;
};

int examinedIn(const QString& progressLine) {
    const QString counts = progressLine.section(u'\n', 1);
    return counts.section(u'/', 1).toInt();
}

}  // namespace

using NavigatorSearchTest = NaviTest;

TEST_F(NavigatorSearchTest, FindsTheMatchingPhotosOfTheFoldersInEitherEncodingAndListsThem) {
    TempFolder root;
    const QString a = put(root, "a.jpg", QStringLiteral("京都の寺"));
    const QString b = put(root, "b.JPG", QStringLiteral("京都タワー"), true);
    put(root, "c.jpeg", QStringLiteral("大阪城"));
    put(root, "d.jpe", QStringLiteral("京都"));
    put(root, "e.jfif", QStringLiteral("京都"));
    const QString sub = put(root, "sub/深い/e.Jpeg", QStringLiteral("夜の京都"));
    put(root, ".hidden/f.jpg", QStringLiteral("京都"));
    const QString blank = put(root, "名前 with blank/g.jpg", QStringLiteral("Kyoto 京都"));
    const QString other = put(root, "other/o.jpg", QStringLiteral("京都駅"));
    SearchWindow window(root.path("other"));
    ModalScript noQuestions;

    window.search(QStringLiteral("京都"), root.path({}));
    EXPECT_EQ(listed(window.form), sorted({a, b}));
    EXPECT_EQ(window.form.CurrentFolder(), root.path({}));
    EXPECT_EQ(window.form.NaviForm->searchState().ExaminedCount, 3) << "only *.jpg and *.jpeg are examined";

    navitest::Tick(window.page().SubDir);
    window.search(QStringLiteral("京都"), root.path({}));
    EXPECT_EQ(listed(window.form), sorted({a, b, sub, blank, other})) << "no folder starting with a dot";

    window.search(QStringLiteral("京都"), root.path("sub") + u';' + root.path("other/"));
    EXPECT_EQ(listed(window.form), sorted({sub, other}));
    EXPECT_EQ(window.form.CurrentFolder(), root.path("other")) << "the last folder becomes the open one";

    navitest::Tick(window.page().SearchTypeOr);
    window.search(QStringLiteral("KYOTO 大阪"), root.path({}));
    EXPECT_EQ(listed(window.form).size(), 2);
    navitest::Tick(window.page().CaseSensitive);
    window.search(QStringLiteral("KYOTO 大阪"), root.path({}));
    EXPECT_EQ(listed(window.form).size(), 1) << "half-width letters are told apart now";
    window.search(QStringLiteral("存在しない"), root.path({}));
    EXPECT_TRUE(window.form.PhotoList().empty()) << "a search without matches leaves an empty list";
}

TEST_F(NavigatorSearchTest, EmptyKeywordOrFolderFieldsAskFirstAndCancelChangesNothing) {
    TempFolder root;
    const QString p1 = put(root, "p1.jpg", QString());
    const QString p2 = put(root, "p2.jpg", QStringLiteral("x"));
    const QString p3 = put(root, "p3.jpg", QString(), true);
    root.write("notes.txt", "x");
    SearchWindow window(root.path({}));
    const QString emptyComments = QStringLiteral("キーワードが未記入です|‘コメント’が未記入の写真を探しますか？");
    const QString listedPhotos = QStringLiteral("‘フォルダ’が空欄です|リストに表示されている写真から探しますか？");
    {
        ModalScript script;
        script.press(QMessageBox::Cancel);
        window.search(QString(), root.path({}));
        EXPECT_EQ(script.boxes, (QStringList{emptyComments}));
        EXPECT_EQ(listed(window.form), sorted({p1, p2, p3}));
    }
    {
        ModalScript script;
        script.press(QMessageBox::Ok);
        window.search(QString(), root.path({}));
        EXPECT_EQ(listed(window.form), sorted({p1, p3})) << "the photos without a comment";
    }
    window.form.DoSelFolder(TFolderRequester::MainForm, root.path({}));
    const QString elsewhere = root.path("elsewhere");
    navitest::MakeFolder(root.path({}), QStringLiteral("elsewhere"));
    window.form.SetCurrentFolder(elsewhere);
    {
        ModalScript script;
        script.press(QMessageBox::Cancel);
        window.search(QStringLiteral("x"), QString());
        EXPECT_EQ(script.boxes, (QStringList{listedPhotos}));
        EXPECT_EQ(listed(window.form), sorted({p1, p2, p3}));
    }
    {
        ModalScript script;
        script.press(QMessageBox::Ok);
        window.search(QStringLiteral("x"), QString());
        EXPECT_EQ(listed(window.form), (QStringList{p2}));
        EXPECT_EQ(window.form.CurrentFolder(), elsewhere) << "a search of the list keeps the open folder";
    }
    window.form.DoSelFolder(TFolderRequester::MainForm, root.path({}));
    {
        ModalScript script;
        script.press(QMessageBox::Ok).press(QMessageBox::Ok);
        window.search(QString(), QString());
        EXPECT_EQ(script.boxes, (QStringList{emptyComments, listedPhotos}));
        EXPECT_EQ(listed(window.form), sorted({p1, p3}));
    }
}

TEST_F(NavigatorSearchTest, CancelStopsTheSearchAtTheNextFileAndTheMatchesShowOnlyOnYes) {
    TempFolder root;
    for (int i = 0; i < 300; ++i) put(root, QStringLiteral("many/IMG_%1.jpg").arg(i, 4, 10, QChar(u'0')), QStringLiteral("海"));
    const QString kept = put(root, "kept/k.jpg", QStringLiteral("山"));
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        SearchWindow window(root.path("kept"));
        int examinedAtCancel = 0;
        CancelWhen cancel([&](TProgressDlg& dialog) {
            examinedAtCancel = examinedIn(dialog.Label1->text());
            return examinedAtCancel >= 25;
        });
        ModalScript script;
        script.press(answer);
        window.search(QStringLiteral("海"), root.path("many"));
        ASSERT_TRUE(cancel.pressed);
        EXPECT_EQ(cancel.upperLine, QStringLiteral("many/..."));
        const SearchState& state = window.form.NaviForm->searchState();
        EXPECT_GE(state.ExaminedCount, examinedAtCancel);
        EXPECT_LE(state.ExaminedCount, examinedAtCancel + 1) << "the search stops within one file";
        EXPECT_EQ(script.boxes, (QStringList{QStringLiteral("検索を中断しました|リストを更新しますか？")}));
        if (answer == QMessageBox::No) {
            EXPECT_EQ(listed(window.form), (QStringList{kept}));
            EXPECT_EQ(window.form.CurrentFolder(), root.path("kept"));
        } else {
            EXPECT_EQ(listed(window.form), sorted(state.ResultList));
            EXPECT_EQ(listed(window.form).size(), state.ExaminedCount);
            EXPECT_EQ(window.form.CurrentFolder(), root.path("many"));
        }
    }
}

TEST_F(NavigatorSearchTest, AFileThatCannotBeReadEndsTheSearchWithItsErrorAndTheDialogWaits) {
    TempFolder root;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) put(root, name, QStringLiteral("海"));
    SearchWindow window(root.path({}));
    CancelWhen cancel([this](TProgressDlg& dialog) { return !m_reports.isEmpty() && dialog.isVisible(); });
    ModalScript script;
    script.press(QMessageBox::Yes);
    faults::FailNth(faults::Op::Read, 3, EACCES);
    window.search(QStringLiteral("海"), root.path({}));
    faults::Reset();
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(cancel.pressed) << "the dialog stayed open until the user closed it";
    EXPECT_EQ(examinedIn(cancel.lowerLine), 2) << "the last progress lines stay";
    EXPECT_EQ(window.form.NaviForm->searchState().ResultList.size(), 2);
    EXPECT_EQ(listed(window.form).size(), 2);
}
