#include "app/ini_file.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "platform/notice.h"
#include "support/temp_folder.h"
#include "ui/navigator/list_file.h"

#include <gtest/gtest.h>

using tollamar::TIniFile;

TEST(IniFile, ReadsClassicFormAndFallsBackOnBadValues) {
    testsupport::TempFolder folder;
    const QString path = folder.write("a.INI",
                                      "; a comment line\r\n"
                                      "[App]\r\n"
                                      "  Sort = -2 \r\n"
                                      "CD=\"/photos/2004\"\r\n"
                                      "ViewStyle=abc\r\n"
                                      "Width=12x\r\n"
                                      "Big=99999999999\r\n"
                                      "Flag=5\r\n"
                                      "Off=0\r\n"
                                      "Equals=a=b\r\n"
                                      "[image]\r\n"
                                      "width=96\r\n");
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger(u"App", u"Sort", 0), -2);
    EXPECT_EQ(ini.ReadInteger(u"APP", u"sort", 0), -2) << "names ignore case";
    EXPECT_EQ(ini.ReadString(u"App", u"CD", {}), "/photos/2004") << "quotes are removed";
    EXPECT_EQ(ini.ReadInteger(u"App", u"ViewStyle", 7), 7);
    EXPECT_EQ(ini.ReadInteger(u"App", u"Width", 64), 64);
    EXPECT_EQ(ini.ReadInteger(u"App", u"Big", 3), 3) << "a number that does not fit is no number";
    EXPECT_TRUE(ini.ReadBool(u"App", u"Flag", false));
    EXPECT_FALSE(ini.ReadBool(u"App", u"Off", true));
    EXPECT_TRUE(ini.ReadBool(u"App", u"ViewStyle", true)) << "not an integer: the default";
    EXPECT_EQ(ini.ReadString(u"App", u"Equals", {}), "a=b");
    EXPECT_EQ(ini.ReadInteger(u"Image", u"Width", 0), 96);
    EXPECT_FALSE(ini.ValueExists(u"Image", u"Sort")) << "keys belong to their section";
    EXPECT_EQ(ini.ReadString(u"None", u"CD", QStringLiteral("x")), "x");
}

TEST(IniFile, WritingChangesOnlyTheKeysLinesAndKeepsTheLineBreaks) {
    testsupport::TempFolder folder;
    const QString path = folder.write("b.INI",
                                      "; kept\n"
                                      "[App]\n"
                                      "SORT=1\n"
                                      "Other=x\n"
                                      "\n"
                                      "[Unknown]\n"
                                      "k=v\n");
    TIniFile ini(path);
    ini.WriteInteger(QStringLiteral("App"), QStringLiteral("Sort"), -1);
    ini.WriteBool(QStringLiteral("App"), QStringLiteral("ComAsUnicode"), true);
    ini.WriteString(QStringLiteral("Image"), QStringLiteral("Width"), QStringLiteral("96"));
    ini.DeleteKey(u"app", u"other");
    ini.UpdateFile();
    EXPECT_EQ(testsupport::TempFolder::read(path),
              "; kept\n[App]\nSORT=-1\nComAsUnicode=1\n\n[Unknown]\nk=v\n\n[Image]\nWidth=96\n");
}

TEST(IniFile, ReadsCodePage932AndWritesUtf8) {
    testsupport::TempFolder folder;
    const QString japanese = QStringLiteral("/写真/旅行");
    const QString path = folder.write("c.INI", "[App]\r\nCD=" + tollamar::ToCp932(japanese) + "\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString(u"App", u"CD", {}), japanese);
    ini.WriteInteger(QStringLiteral("App"), QStringLiteral("Sort"), 2);
    ini.UpdateFile();
    EXPECT_EQ(testsupport::TempFolder::read(path), "[App]\r\nCD=" + japanese.toUtf8() + "\r\nSort=2\r\n");
    EXPECT_EQ(TIniFile(path).ReadString(u"App", u"CD", {}), japanese);
}

TEST(IniFile, MissingFileReadsDefaultsAndIsCreatedByTheFirstWrite) {
    testsupport::TempFolder folder;
    const QString path = folder.path("new.INI");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger(u"App", u"Sort", 4), 4);
    EXPECT_THROW(ini.WriteString(QStringLiteral("App"), QStringLiteral("CD"), QStringLiteral("a\nSort=2")),
                 tollamar::Error);
    ini.UpdateFile();
    EXPECT_FALSE(QFile::exists(path)) << "nothing written when nothing changed";
    ini.WriteString(QStringLiteral("App"), QStringLiteral("CD"), QStringLiteral("/x"));
    ini.UpdateFile();
    EXPECT_EQ(testsupport::TempFolder::read(path), "[App]\r\nCD=/x\r\n");
    TIniFile unwritable(folder.path("missing/sub/x.INI"));
    unwritable.WriteInteger(QStringLiteral("App"), QStringLiteral("Sort"), 1);
    EXPECT_THROW(unwritable.UpdateFile(), tollamar::Error);
}

using namespace tollamar;

TEST(IniFileGuard, AFileThatExistsButCannotBeReadIsReportedOnceAndNeverWritten) {
    testsupport::TempFolder dir;
    const QString path = dir.write("Favorite.INI", "[S]\r\nkey=kept\r\n");
    QStringList notices;
    SetNoticeHandler([&](const QString& text) { notices.append(text); });
    faults::FailNth(faults::Op::Read, 1, EACCES);
    TIniFile ini(path);
    EXPECT_FALSE(ini.ValueExists(u"S", u"key"));
    ini.WriteString(QStringLiteral("S"), QStringLiteral("other"), QStringLiteral("x"));
    ini.UpdateFile();
    WriteListFile(path, {QStringLiteral("/photos")});
    EXPECT_EQ(testsupport::TempFolder::read(path), "[S]\r\nkey=kept\r\n");
    (void)ReadListFile(path);  // readable again, but still left alone in this run
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(path) && notices[0].contains("Permission denied")) << notices[0].toStdString();
    SetNoticeHandler(nullptr);
    faults::Reset();
}
