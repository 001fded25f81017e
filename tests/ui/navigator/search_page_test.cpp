// The search page on its own: the lists and the button's rule as the fields are typed
// into, the Exif frame, the criteria taken from the controls, the folder picker with
// Shift and Ctrl, and NaviForm.INI.
#include "app/ini_file.h"
#include "navigator_fixture.h"
#include "support/temp_folder.h"
#include "ui/navigator/navi_form.h"
#include "ui/navigator/search_page.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>

using namespace tollamar;
using navitest::NaviTest;

namespace {

void retype(QLineEdit* field, const QString& text) {
    field->clear();
    navitest::TypeText(field, text);
}

TIniFile naviIni() { return TIniFile(apptest::SettingsFile(QStringLiteral("NaviForm.INI"))); }

}  // namespace

using SearchPageTest = NaviTest;

TEST_F(SearchPageTest, KeywordsFoldersAndTheButtonFollowTheFields) {
    TNaviForm navi(nullptr);
    TSearchPage& page = *navi.SearchSheet;
    int searches = 0;
    navi.onSearch = [&] { ++searches; };
    EXPECT_TRUE(page.KeywordList.isEmpty());
    EXPECT_TRUE(page.FolderList.isEmpty());
    EXPECT_TRUE(page.DoBtn->isEnabled()) << "an empty folder field offers the listed photos";

    retype(page.Keyword, QStringLiteral("  sea   boat "));
    EXPECT_EQ(page.KeywordList, (QStringList{"sea", "boat"}));
    retype(page.Keyword, QStringLiteral("京都　清水寺 "));
    EXPECT_EQ(page.KeywordList, (QStringList{"京都　清水寺"})) << "a full-width blank belongs to the keyword";

    testsupport::TempFolder root;
    const QString a = navitest::MakeFolder(root.path({}), QStringLiteral("写真 a"));
    const QString b = navitest::MakeFolder(root.path({}), QStringLiteral("b"));
    retype(page.PathEdit, a + u';' + b);
    EXPECT_EQ(page.FolderList, (QStringList{a, b}));
    EXPECT_TRUE(page.DoBtn->isEnabled());
    retype(page.PathEdit, a + QStringLiteral(";;") + b);
    EXPECT_EQ(page.FolderList, (QStringList{a, QString(), b}));
    EXPECT_FALSE(page.DoBtn->isEnabled()) << "an empty entry is no folder";
    retype(page.PathEdit, a + u';');
    EXPECT_EQ(page.FolderList, (QStringList{a}));
    EXPECT_TRUE(page.DoBtn->isEnabled());
    retype(page.PathEdit, root.path("missing"));
    EXPECT_FALSE(page.DoBtn->isEnabled());
    QTest::keyClick(page.Keyword, Qt::Key_Return);
    EXPECT_EQ(searches, 0) << "Enter presses only an enabled button";
    page.PathEdit->clear();
    EXPECT_TRUE(page.DoBtn->isEnabled());
    QTest::keyClick(page.Keyword, Qt::Key_Return);
    QTest::keyClick(page.SubDir, Qt::Key_Enter);
    EXPECT_EQ(searches, 2) << "the button is the page's default";
}

TEST_F(SearchPageTest, ExifFrameFollowsItsBoxAndTheCriteriaComeFromTheControls) {
    TNaviForm navi(nullptr);
    TSearchPage& page = *navi.SearchSheet;
    const QDate today = QDate::currentDate();
    EXPECT_EQ(page.ExifDateTo->date(), today);
    EXPECT_EQ(page.ExifDateFrom->date(), today.addDays(-7));
    EXPECT_EQ(page.ExifTimeFrom->time(), QTime(8, 0));
    EXPECT_EQ(page.ExifTimeTo->time(), QTime(20, 0));
    const QList<QWidget*> inFrame = {page.ExifMakerEdit, page.ExifDateFrom, page.ExifDateToCheck, page.ExifTimeTo,
                                     page.FlashBoxItems[1]};
    for (QWidget* w : inFrame) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    navitest::Tick(page.ExifCheck);
    for (QWidget* w : inFrame) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();

    navitest::TypeText(page.Keyword, QStringLiteral("Sea boat"));
    navitest::TypeText(page.ExifMakerEdit, QStringLiteral("canon"));
    navitest::Tick(page.ExifDateFromCheck);
    EXPECT_FALSE(page.ExifDateFrom->isEnabled()) << "an unticked bound is greyed";
    page.ExifTimeFrom->setTime(QTime(20, 0));
    page.ExifTimeTo->setTime(QTime(6, 0));
    navitest::Tick(page.FlashBoxItems[2]);
    navitest::Tick(page.SearchTypeOr);
    navitest::Tick(page.CaseSensitive);
    SearchCriteria criteria = page.Criteria();
    EXPECT_EQ(criteria.keywords, (QStringList{"Sea", "boat"}));
    EXPECT_TRUE(criteria.caseSensitive);
    EXPECT_FALSE(criteria.andSearch);
    EXPECT_TRUE(criteria.useExif);
    EXPECT_EQ(criteria.maker, QStringLiteral("canon"));
    EXPECT_FALSE(criteria.dateFrom.has_value());
    EXPECT_EQ(criteria.dateTo, today);
    EXPECT_EQ(criteria.timeFrom, QTime(20, 0));
    EXPECT_EQ(criteria.timeTo, QTime(6, 0));
    EXPECT_EQ(criteria.flash, FlashChoice::Off);

    navitest::Tick(page.ExifCheck);
    for (QWidget* w : inFrame) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(page.Criteria().useExif);

    testsupport::TempFolder root;
    navitest::MakeFolder(root.path({}), QStringLiteral("rel"));
    const QString old = QDir::currentPath();
    QDir::setCurrent(root.path({}));
    navitest::TypeText(page.PathEdit, QStringLiteral("rel"));
    navitest::Tick(page.SubDir);
    const SearchScope scope = page.Scope();
    QDir::setCurrent(old);
    EXPECT_EQ(scope.folders, (QStringList{root.path("rel")})) << "matches are found under full paths";
    EXPECT_TRUE(scope.withSubfolders);
}

TEST_F(SearchPageTest, FolderPickerReplacesOrWithShiftAppendsOrWithCtrlLeavesTheField) {
    TNaviForm navi(nullptr);
    TSearchPage& page = *navi.SearchSheet;
    navi.currentFolder = [] { return QStringLiteral("/open/folder"); };
    QString picked = QStringLiteral("/picked/写真");
    QStringList starts;
    Qt::KeyboardModifiers held;
    page.pickFolder = [&](const QString& prompt, const QString& start) {
        EXPECT_EQ(prompt, QStringLiteral("検索する写真(jpeg)のあるフォルダを指定してください"));
        starts.append(start);
        return picked;
    };
    page.keyboardModifiers = [&] { return held; };

    int searches = 0;
    navi.onSearch = [&] { ++searches; };
    navi.show();
    page.SpeedButton1->setFocus();
    QTest::keyClick(page.SpeedButton1, Qt::Key_Return);
    EXPECT_EQ(searches, 0) << "Enter on the button opens the picker, not the search";
    EXPECT_EQ(page.PathEdit->text(), picked);
    EXPECT_EQ(page.FolderList, (QStringList{picked}));
    EXPECT_EQ(page.focusWidget(), page.PathEdit);
    page.ExifCheck->setChecked(true);
    page.ExifCheck->setFocus();
    QTest::keyClick(page.ExifCheck, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(page.focusWidget(), page.ExifCheck) << "no field is attached to the maker label's letter";

    held = Qt::ShiftModifier;
    picked = QStringLiteral("/second folder");
    QTest::mouseClick(page.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(page.PathEdit->text(), QStringLiteral("/picked/写真;/second folder"));
    held = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::mouseClick(page.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(page.PathEdit->text(), QStringLiteral("/picked/写真;/second folder"));
    held = Qt::NoModifier;
    picked.clear();
    QTest::mouseClick(page.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(page.PathEdit->text(), QStringLiteral("/picked/写真;/second folder")) << "a cancelled picker changes nothing";
    page.PathEdit->clear();
    held = Qt::ShiftModifier;
    picked = QStringLiteral("/third");
    QTest::mouseClick(page.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(page.PathEdit->text(), picked) << "Shift on an empty field adds no separator";
    EXPECT_EQ(starts, (QStringList{"/open/folder", "/picked/写真", "/second folder", "/second folder",
                                   "/open/folder"}))
        << "the picker starts at the last folder of the field, else at the open one";
}

TEST_F(SearchPageTest, SettingsAreReadWhenCreatedForcedIntoRangeAndWrittenWhenDestroyed) {
    {
        TNaviForm navi(nullptr);
        EXPECT_EQ(navi.activePage(), TNaviPage::FolderSheet) << "the tree is the first page of a first start";
        EXPECT_EQ(navi.recentMaxCount(), 20);
        EXPECT_FALSE(navi.SearchSheet->SubDir->isChecked());
        EXPECT_TRUE(navi.SearchSheet->SearchTypeAnd->isChecked());
        EXPECT_FALSE(navi.SearchSheet->ExifPanel->isEnabled());
    }
    TIniFile written = naviIni();
    EXPECT_EQ(written.ReadString(u"App", u"TabIndex", {}), QStringLiteral("1"));
    EXPECT_EQ(written.ReadString(u"Search", u"UseExif", {}), QStringLiteral("0"));
    EXPECT_FALSE(written.ValueExists(u"Recent", u"MaxCount")) << "never written";

    QFile::remove(written.fileName());
    TIniFile stored = naviIni();
    for (const char* key : {"SubDir", "CaseSensitive", "UseExif"}) stored.WriteBool("Search", key, true);
    stored.WriteInteger("Search", "SearchType", 1);
    stored.WriteInteger("Recent", "MaxCount", 0);
    stored.WriteInteger("App", "TabIndex", 3);
    stored.UpdateFile();
    {
        TNaviForm navi(nullptr);
        TSearchPage& page = *navi.SearchSheet;
        EXPECT_TRUE(page.SubDir->isChecked());
        EXPECT_TRUE(page.CaseSensitive->isChecked());
        EXPECT_TRUE(page.SearchTypeOr->isChecked());
        EXPECT_TRUE(page.ExifMakerEdit->isEnabled()) << "the frame follows the box read from the file";
        EXPECT_EQ(navi.recentMaxCount(), 1);
        EXPECT_EQ(navi.activePage(), TNaviPage::RecentSheet);
        navitest::Tick(page.SubDir);
        navitest::Tick(page.SearchTypeAnd);
        navi.setActivePage(TNaviPage::SearchSheet);
    }
    written = naviIni();
    EXPECT_EQ(written.ReadInteger(u"Search", u"SubDir", -1), 0);
    EXPECT_EQ(written.ReadInteger(u"Search", u"CaseSensitive", -1), 1);
    EXPECT_EQ(written.ReadInteger(u"Search", u"SearchType", -1), 0);
    EXPECT_EQ(written.ReadInteger(u"App", u"TabIndex", -1), 0);
    EXPECT_EQ(written.ReadInteger(u"Recent", u"MaxCount", -1), 0) << "kept as the user wrote it";

    written.WriteInteger("Recent", "MaxCount", 500);
    written.WriteInteger("App", "TabIndex", 9);
    written.UpdateFile();
    TNaviForm navi(nullptr);
    EXPECT_EQ(navi.recentMaxCount(), 100);
    EXPECT_EQ(navi.activePage(), TNaviPage::FolderSheet);
}
