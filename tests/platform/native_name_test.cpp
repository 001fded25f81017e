#include "platform/file_ops.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::ForeignNames;
using testsupport::TempFolder;

TEST(NativeName, EveryByteStringRoundTripsAndUtf8StaysPlainText) {
    QByteArray all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    // Cut sequences, overlongs, encoded surrogates and a sequence cut by the end.
    const QList<QByteArray> samples = {all, "\xE5\x86", "\xC0\xAF", "\xED\xB2\x80", "a\xF0\x9F\x98",
                                       "\x8E\xCA\x90\x5E.jpg", "\xE5\x86\x99\xE7\x9C\x9F.jpg"};
    for (const QByteArray& bytes : samples) EXPECT_EQ(NativeName(NameFromNative(bytes)), bytes) << bytes.toHex().data();
    EXPECT_EQ(NameFromNative("\xE5\x86\x99\xE7\x9C\x9F.jpg"), QStringLiteral("写真.jpg"));
    EXPECT_FALSE(HasRawBytes(NameFromNative("\xE5\x86\x99\xE7\x9C\x9F.jpg")));
    EXPECT_EQ(NativeName(QStringLiteral("写真.jpg")), QByteArray("\xE5\x86\x99\xE7\x9C\x9F.jpg"));
}

TEST(NativeName, DisplayReadsUtf8ThenCp932ThenShowsBytesPerFolder) {
    const QStringList names = ForeignNames();
    EXPECT_EQ(DisplayName(names[0]), QStringLiteral("写真.jpg"));
    EXPECT_EQ(DisplayName(names[1]), QStringLiteral("caf\\xE9.jpg"));
    EXPECT_EQ(DisplayName(names[2]), QStringLiteral("\\xFF.jpg"));
    // Each folder of a path is read on its own: UTF-8 folders stay as they are.
    EXPECT_EQ(DisplayName(QStringLiteral("/写真/") + names[0] + u'/' + names[1]),
              QStringLiteral("/写真/写真.jpg/caf\\xE9.jpg"));
}

TEST(NativeName, FileOperationsReachTheFilesUnderTheirOwnBytes) {
    TempFolder dir;
    const QStringList names = ForeignNames();
    for (const QString& name : names) dir.write(name, name.toUtf8());
    EXPECT_EQ(FolderFileNames(dir.path(QString())), dir.entries());
    const QString folder = dir.path(names[1].chopped(4) + u'/' + names[0].chopped(4));
    ASSERT_TRUE(MakeFolderPath(folder));
    EXPECT_TRUE(IsFolder(folder));
    for (const QString& name : names) {
        const QString path = dir.path(name);
        EXPECT_EQ(ReadWholeFile(path), name.toUtf8());
        EXPECT_TRUE(CopyFileNoReplace(path, folder + u'/' + name));
        EXPECT_EQ(ResolveLinks(path), ResolveLinks(dir.path(QString())) + u'/' + name);
    }
    EXPECT_EQ(FolderFileNames(folder), TempFolder::entriesOf(folder));
    EXPECT_EQ(FolderFileNames(folder).size(), 3);
    EXPECT_TRUE(MoveFileNoReplace(dir.path(names[2]), dir.path(names[2] + QStringLiteral(".000"))));
    EXPECT_TRUE(FileExists(dir.path(names[2] + QStringLiteral(".000"))));
}

TEST(NativeName, SettingsFormRoundTripsAndOlderValuesReadAsBefore) {
    for (const QString& name : ForeignNames()) {
        const QString folder = QStringLiteral("/写真 100%;a/") + name;
        const QString stored = FolderToSetting(folder);
        EXPECT_TRUE(stored.startsWith(QStringLiteral("file:///")));
        EXPECT_FALSE(stored.contains(u';'));  // folder lists separate with ';'
        EXPECT_EQ(NativeName(FolderFromSetting(stored)), NativeName(folder));
    }
    for (const QString& old : {QStringLiteral("/home/写真 100%"), QStringLiteral("C:\\x41\\写真"), QStringLiteral("file:x")})
        EXPECT_EQ(FolderFromSetting(FolderToSetting(old)), old);
}
