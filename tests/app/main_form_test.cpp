#include "app/app_globals.h"
#include "app/application.h"
#include "app/font_record.h"
#include "app/ini_file.h"
#include "app/main_form.h"
#include "app/photo_list_model.h"
#include "app/photo_list_view.h"
#include "app/title_room.h"
#include "app/tmn_size_form.h"
#include "app_fixture.h"
#include "support/temp_folder.h"
#include "support/jpeg_builder.h"
#include "ui/imagewin/image_form.h"
#include "ui/infowin/image_info_form.h"
#include "ui/navigator/navi_form.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeView>
#include <thread>

using namespace tollamar;
using apptest::AppTest;

namespace {

QStringList captions(const TMainForm& form) {
    QStringList names;
    for (const auto& entry : form.PhotoList()) names.append(entry->caption());
    return names;
}

bool allLoaded(const TMainForm& form) {
    for (const auto& entry : form.PhotoList())
        if (!entry->isLoaded()) return false;
    return true;
}

// Photos written one after another, so their creation times follow the list's order.
void writePhotos(const testsupport::TempFolder& folder, const QStringList& names) {
    for (const QString& name : names) {
        folder.write(name, apptest::MakePhoto(64, 48));
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
}

TIniFile mainIni() { return TIniFile(apptest::SettingsFile(QStringLiteral("MainForm.INI"))); }

}  // namespace

using MainFormTest = AppTest;

TEST_F(MainFormTest, FirstStartUsesDefaultsAndThePictureFolderAndStoresThemOnClose) {
    QFile::remove(apptest::PicturesFolder() + QStringLiteral("/p.jpg"));
    QFile photo(apptest::PicturesFolder() + QStringLiteral("/p.jpg"));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.write(apptest::MakePhoto(80, 60));
    photo.close();
    {
        TMainForm form({});
        form.show();
        EXPECT_EQ(form.windowTitle(), "Tollamar");
        EXPECT_EQ(form.CurrentFolder(), apptest::PicturesFolder());
        EXPECT_EQ(captions(form), QStringList{"p.jpg"});
        EXPECT_EQ(form.viewStyle(), TViewStyle::Icon);
        EXPECT_EQ(form.thumbnailSize(), QSize(64, 48));
        EXPECT_TRUE(form.SortByNoneAction->isChecked());
        EXPECT_FALSE(form.ComAsUnicodeAction->isChecked());
        EXPECT_EQ(form.statusText(), apptest::PicturesFolder());
        EXPECT_EQ(form.ViewStyleAction->text(), QStringLiteral("レポート形式で画像リストを表示(&L)"));
        EXPECT_TRUE(form.ImageForm->isVisible() && !form.ImageForm->isFloating());
        QStringList popup;
        for (const QAction* action : form.PopupMenu2->actions())
            popup << (action->isSeparator() ? QStringLiteral("-") : action->menu() ? action->text() : action->objectName());
        EXPECT_EQ(popup.join(u','), QStringLiteral("ViewStyleAction,ソート(&S),-,EditComSegAction,SearchAction,-,SelFolderAction"));
        form.close();
    }
    const TIniFile ini = mainIni();
    EXPECT_EQ(ini.ReadString(u"App", u"CD", {}), apptest::PicturesFolder());
    EXPECT_EQ(ini.ReadString(u"App", u"ViewStyle", {}), "0");
    EXPECT_EQ(ini.ReadString(u"App", u"Sort", {}), "0");
    EXPECT_EQ(ini.ReadString(u"Image", u"Width", {}), "64");
    EXPECT_EQ(ini.ReadString(u"Image", u"Height", {}), "48");
    EXPECT_EQ(ini.ReadString(u"App", u"Font", {}), FontRecordToHex(DefaultFontRecord()));
    EXPECT_EQ(QFile(apptest::SettingsFile(QStringLiteral("Recent.INI"))).size() > 0, true);
    EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join(u'|').toStdString();
}

TEST_F(MainFormTest, StoredSettingsAreReadForcedIntoRangeAndWrittenBack) {
    testsupport::TempFolder gone;
    const QString deleted = gone.path("deleted");
    QFile ini(apptest::SettingsFile(QStringLiteral("MainForm.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[App]\r\nSort=-2\r\nViewStyle=1\r\nComAsUnicode=1\r\nCD=" + deleted.toUtf8() +
              "\r\nFont=00\r\n[Image]\r\nWidth=500\r\nHeight=10\r\n");
    ini.close();
    {
        TMainForm form({});
        form.show();
        EXPECT_TRUE(form.SortByFileNameAction->isChecked());
        EXPECT_EQ(form.SortDirection(), -1);
        EXPECT_TRUE(form.ComAsUnicodeAction->isChecked());
        EXPECT_EQ(form.thumbnailSize(), QSize(128, 32));
        EXPECT_EQ(form.viewStyle(), TViewStyle::Icon) << "ViewStyle 1 is ignored";
        EXPECT_EQ(form.CurrentFolder(), apptest::PicturesFolder()) << "a deleted CD gives the picture folder";
        form.hide();
    }
    const TIniFile after = mainIni();
    EXPECT_EQ(after.ReadInteger(u"App", u"Sort", 0), -2);
    EXPECT_EQ(after.ReadInteger(u"Image", u"Width", 0), 128);
    EXPECT_EQ(after.ReadInteger(u"Image", u"Height", 0), 32);
    EXPECT_EQ(after.ReadString(u"App", u"CD", {}), apptest::PicturesFolder());
    EXPECT_EQ(after.ReadString(u"App", u"ComAsUnicode", {}), "1");
    EXPECT_EQ(after.ReadString(u"App", u"Font", {}).size(), 120) << "a short Font value is replaced";
}

TEST_F(MainFormTest, ChangesMadeInTheWindowSurviveARestart) {
    testsupport::TempFolder folder;
    writePhotos(folder, {QStringLiteral("a.jpg")});
    {
        TMainForm form({folder.path({}) + u'/'});
        form.show();
        EXPECT_EQ(form.CurrentFolder(), folder.path({})) << "one trailing separator is removed";
        form.ViewStyleAction->trigger();
        form.setThumbnailSize(QSize(96, 72));
        QFont font = form.ListView1->font();
        font.setPixelSize(17);
        form.setMainFont(font);
        form.ComAsUnicodeAction->trigger();
        EXPECT_EQ(mainIni().ReadString(u"App", u"ComAsUnicode", {}), "1") << "written at once";
        form.close();
    }
    TMainForm again({});
    again.show();
    EXPECT_EQ(again.CurrentFolder(), folder.path({}));
    EXPECT_EQ(again.viewStyle(), TViewStyle::Report);
    EXPECT_EQ(again.ViewStyleAction->text(), QStringLiteral("アイコンで画像リストを表示(&L)"));
    EXPECT_EQ(again.ViewStyleAction->statusTip(), QStringLiteral("アイコンで画像リストを表示します"));
    EXPECT_EQ(again.thumbnailSize(), QSize(96, 72));
    EXPECT_EQ(again.ListView1->font().pixelSize(), 17);
    EXPECT_TRUE(again.ComAsUnicodeAction->isChecked());
    again.close();
}

TEST_F(MainFormTest, BadStartFolderAndMissingFolderAreReportedAndTheOldListComesBack) {
    testsupport::TempFolder folder;
    writePhotos(folder, {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});
    WriteIniStringNow(apptest::SettingsFile(QStringLiteral("MainForm.INI")), QStringLiteral("App"),
                      QStringLiteral("CD"), folder.path({}));
    folder.write(QStringLiteral("notes.txt"), "not a folder");
    const QString file = folder.path("notes.txt");
    TMainForm form({file});
    form.show();
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_EQ(m_reports[0], file + QStringLiteral("\nパスが見つかりません"));
    EXPECT_EQ(form.CurrentFolder(), folder.path({})) << "the stored CD is used next";
    EXPECT_EQ(form.PhotoList().size(), 2u);

    const QString missing = folder.path("gone/");
    form.DoSelFolder(TFolderRequester::MainForm, missing);
    ASSERT_EQ(m_reports.size(), 2);
    EXPECT_EQ(m_reports[1], folder.path("gone") + QStringLiteral("\nパスが見つかりません"));
    EXPECT_EQ(form.CurrentFolder(), folder.path({}));
    EXPECT_EQ(form.PhotoList().size(), 2u);
    const QStringList recent = QString::fromUtf8(testsupport::TempFolder::read(
                                     apptest::SettingsFile(QStringLiteral("Recent.INI"))))
                                     .split(QStringLiteral("\r\n"));
    EXPECT_EQ(recent.first(), folder.path("gone")) << "the path as asked goes to the recent folders";
    EXPECT_EQ(form.NaviForm->syncedFolder(), folder.path({}));
    form.close();
}

TEST_F(MainFormTest, APhotoGivenAtStartOpensItsFolderWithThatPhotoCurrent) {
    testsupport::TempFolder other, folder;
    writePhotos(folder, {QStringLiteral("a.jpg"), QStringLiteral("b.JPG"), QStringLiteral("c.jpg")});
    WriteIniStringNow(apptest::SettingsFile(QStringLiteral("MainForm.INI")), QStringLiteral("App"),
                      QStringLiteral("CD"), other.path({}));
    const QString photo = folder.path("b.JPG");
    // Given as a file manager would, through a path that needs cleaning.
    TMainForm form({folder.path("../") + QFileInfo(folder.path({})).fileName() + QStringLiteral("/./b.JPG")});
    form.show();
    EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join(u'|').toStdString();
    EXPECT_EQ(form.CurrentFolder(), folder.path({}));
    EXPECT_EQ(form.PhotoList().size(), 3u);
    ASSERT_NE(form.CurrentItem(), nullptr);
    EXPECT_EQ(form.CurrentItem()->FileName, photo);
    EXPECT_EQ(form.ListView1->selectedRow(), 1);
    EXPECT_TRUE(form.EditComSegAction->isEnabled());
    form.close();
    EXPECT_EQ(mainIni().ReadString(u"App", u"CD", {}), folder.path({}));
}

TEST_F(MainFormTest, SortCommandsReverseWhenChosenAgainAndKeepTheDirectionOnRescan) {
    testsupport::TempFolder folder;
    writePhotos(folder, {QStringLiteral("c.jpg"), QStringLiteral("A.jpg"), QStringLiteral("b.jpg")});
    TMainForm form({folder.path({})});
    form.show();
    form.SortByFileDateAction->trigger();
    EXPECT_EQ(captions(form), (QStringList{"c.jpg", "A.jpg", "b.jpg"}));
    form.ListView1->selectRow(1);
    form.SortByFileDateAction->trigger();
    EXPECT_EQ(captions(form), (QStringList{"b.jpg", "A.jpg", "c.jpg"}));
    EXPECT_EQ(form.SortDirection(), -1);
    EXPECT_EQ(form.ListView1->selectedRow(), 1) << "the selected photo stays selected";
    form.SortByFileNameAction->trigger();
    EXPECT_EQ(captions(form), (QStringList{"A.jpg", "b.jpg", "c.jpg"})) << "a new order starts ascending";
    form.SortByFileNameAction->trigger();
    EXPECT_EQ(captions(form), (QStringList{"c.jpg", "b.jpg", "A.jpg"}));
    form.ScanFolder();
    EXPECT_EQ(captions(form), (QStringList{"c.jpg", "b.jpg", "A.jpg"})) << "a rescan keeps the direction";
    form.SortByNoneAction->trigger();
    EXPECT_EQ(form.SortDirection(), 1);
    EXPECT_EQ(captions(form), (QStringList{"c.jpg", "b.jpg", "A.jpg"})) << "not reordered now";
    form.SortByFileNameAction->trigger();
    form.SortByFileNameAction->trigger();
    form.hide();
    EXPECT_EQ(mainIni().ReadInteger(u"App", u"Sort", 0), -2);
    form.show();
    EXPECT_TRUE(form.SortByFileNameAction->isChecked());
    EXPECT_EQ(form.SortDirection(), -1) << "hiding and showing keeps the reversed order";
    form.close();
}

TEST_F(MainFormTest, IdleFillLoadsTheRowsOnScreenFirst) {
    testsupport::TempFolder folder;
    for (int i = 0; i < 60; ++i)
        folder.write(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')), apptest::MakePhoto(64, 48));
    TMainForm form({});
    form.SortByFileNameAction->trigger();
    form.resize(500, 400);
    form.show();
    form.ImageForm->hide();
    form.ImageInfoForm->hide();
    form.DoSelFolder(TFolderRequester::MainForm, folder.path({}));
    form.ListView1->selectRow(59);  // scrolls to the end before anything loads

    std::vector<bool> firstLoaded;
    QObject::connect(&form, &TMainForm::idleStepFinished, &form, [&] {
        if (!firstLoaded.empty()) return;
        std::vector<bool> loaded;
        for (const auto& entry : form.PhotoList()) loaded.push_back(entry->isLoaded());
        if (std::find(loaded.begin(), loaded.end(), true) != loaded.end()) firstLoaded = loaded;
    });
    ASSERT_TRUE(apptest::WaitFor([&] { return allLoaded(form); }));
    ASSERT_EQ(firstLoaded.size(), 60u);
    EXPECT_EQ(form.CurrentItem(), form.PhotoList()[59].get()) << "the selected row became current";
    EXPECT_EQ(form.statusText(), form.PhotoList()[59]->FileName);
    const QRect client = form.ListView1->clientRect();
    int onScreen = 0;
    for (int row = 0; row < 60; ++row) {
        const bool visible = form.ListView1->rowBounds(row).intersects(client);
        onScreen += visible;
        EXPECT_EQ(firstLoaded[static_cast<size_t>(row)], visible) << "row " << row;
    }
    EXPECT_GT(onScreen, 3);
    EXPECT_LT(onScreen, 60);
    EXPECT_TRUE(m_reports.isEmpty());

    // Another list starts at its top, not where the last one was scrolled to.
    const QScrollBar* bar = form.ListView1->iconView()->verticalScrollBar();
    ASSERT_GT(bar->value(), bar->minimum());
    form.DoSelFolder(TFolderRequester::MainForm, folder.path({}));
    ASSERT_TRUE(apptest::WaitFor([&] { return allLoaded(form); }));
    EXPECT_EQ(bar->value(), bar->minimum());
    form.close();
}

TEST_F(MainFormTest, UnreadablePhotosAreToldInOneBoxAndStillShownWhenSelected) {
    testsupport::TempFolder folder;
    folder.write("good.jpg", apptest::MakePhoto(64, 48, QStringLiteral("よい写真")));
    for (const char* name : {"bad1.jpg", "bad2.jpg", "bad3.jpg"}) folder.write(name, "this is no JPEG at all");
    TMainForm form({folder.path({})});
    form.SortByFileNameAction->trigger();
    form.show();
    ASSERT_TRUE(apptest::WaitFor([&] { return allLoaded(form) && !m_reports.isEmpty(); }));
    ASSERT_TRUE(apptest::WaitFor([&] { return false; }, 200) == false);
    ASSERT_EQ(m_reports.size(), 1) << "one box for the whole list: " << m_reports.join(u'|').toStdString();
    for (const char* name : {"bad1.jpg", "bad2.jpg", "bad3.jpg"})
        EXPECT_TRUE(m_reports[0].contains(folder.path(name))) << name;
    EXPECT_FALSE(m_reports[0].contains(QStringLiteral("good.jpg")));
    for (const auto& entry : form.PhotoList()) {
        if (entry->caption() != u"good.jpg") {
            ASSERT_TRUE(std::holds_alternative<QImage>(entry->Thumbnail));
            EXPECT_EQ(std::get<QImage>(entry->Thumbnail).size(), QSize(8, 8)) << "not tried again";
        } else {
            EXPECT_EQ(entry->Comment, QStringLiteral("よい写真"));
        }
    }

    // Selected, a photo the information window cannot read still goes to the image
    // window and the status bar; its error comes once.
    m_reports.clear();
    form.ListView1->selectRow(0);
    ASSERT_TRUE(apptest::WaitFor([&] { return form.CurrentItem() == form.PhotoList()[0].get(); }));
    ASSERT_TRUE(apptest::WaitFor([&] { return false; }, 100) == false);
    EXPECT_EQ(m_reports.size(), 1) << m_reports.join(u'|').toStdString();
    EXPECT_EQ(form.ImageForm->shownFile(), folder.path("bad1.jpg"));
    EXPECT_EQ(form.statusText(), folder.path("bad1.jpg"));
    form.close();
}

TEST_F(MainFormTest, ViewsDrawThumbnailsAndTheReportColumns) {
    testsupport::TempFolder folder;
    folder.write("a.jpg", apptest::MakePhoto(320, 240, QStringLiteral("コメント一行"), true,
                                             testsupport::EncodeJpeg(160, 120)));
    TMainForm form({folder.path({})});
    form.resize(700, 500);
    form.show();
    ASSERT_TRUE(apptest::WaitFor([&] { return allLoaded(form); }));
    QAbstractItemView* icons = form.ListView1->iconView();
    const QRect cell = form.ListView1->rowBounds(0);
    EXPECT_GE(cell.width(), 64);
    EXPECT_GT(cell.height(), 48);
    const QImage iconShot = icons->viewport()->grab().toImage();
    const QColor base = icons->palette().color(QPalette::Base);
    const QPoint middle(cell.center().x(), cell.top() + 2 + 24);
    EXPECT_NE(iconShot.pixelColor(middle), base) << "the embedded thumbnail is drawn";

    form.ViewStyleAction->trigger();
    QTreeView* report = form.ListView1->reportView();
    EXPECT_EQ(form.ListView1->activeView(), report);
    EXPECT_EQ(report->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("デジタルカメラ"));
    EXPECT_EQ(report->columnWidth(0), 200);
    EXPECT_EQ(report->columnWidth(1), 240);
    EXPECT_EQ(report->columnWidth(2), 200);
    EXPECT_EQ(form.ListView1->rowBounds(0).height(), 48) << "a row is as tall as the thumbnail";
    form.setThumbnailSize(QSize(40, 36));
    EXPECT_EQ(form.ListView1->rowBounds(0).height(), 36);
    const QImage reportShot = report->viewport()->grab().toImage();
    EXPECT_NE(reportShot.pixelColor(20, 18), base);
    EXPECT_EQ(report->model()->data(report->model()->index(0, 2)).toString(), QStringLiteral("コメント一行"));
    form.close();
}

TEST_F(MainFormTest, DoubleClickOnAnEmptyListOpensTheFolderPicker) {
    testsupport::TempFolder folder;
    TMainForm form({folder.path({})});
    form.show();
    QObject::disconnect(form.SelFolderAction, &QAction::triggered, &form, nullptr);
    int picks = 0;
    QObject::connect(form.SelFolderAction, &QAction::triggered, [&] { ++picks; });
    QWidget* viewport = form.ListView1->iconView()->viewport();
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &press);
    EXPECT_EQ(picks, 1);
    form.close();
}

TEST_F(MainFormTest, QtsOwnButtonsSpeakJapaneseUnderAJapaneseLocale) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm")))
        GTEST_SKIP() << "Qt's translations are not installed";
    QTranslator* translator = InstallQtTranslation(QLocale(QLocale::Japanese, QLocale::Japan));
    ASSERT_NE(translator, nullptr);
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("x"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));
    TMainForm form({});
    EXPECT_EQ(form.SelFolderAction->text(), QStringLiteral("フォルダを開く(&O)")) << "the program's own texts stay";
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST_F(MainFormTest, BoxesAreWideEnoughForTheirTitles) {
    InstallTitleRoom();
    QMessageBox box(QMessageBox::Question, QStringLiteral("検索を中断しました"), QStringLiteral("x"),
                    QMessageBox::Yes | QMessageBox::No);
    QInputDialog input;
    input.setWindowTitle(QStringLiteral("登録名を入力してください"));
    input.setLabelText(QStringLiteral("/a"));
    TTmnSizeForm sizes;
    for (QWidget* window : {static_cast<QWidget*>(&box), static_cast<QWidget*>(&input), static_cast<QWidget*>(&sizes)}) {
        window->show();
        EXPECT_GE(window->width(), TitleBarWidth(*window)) << window->windowTitle().toStdString();
        window->hide();
    }
    EXPECT_GT(TitleBarWidth(box), 110 + QFontMetrics(box.font()).horizontalAdvance(QStringLiteral("検索を中")));
}
