#pragma once
// The user-visible texts of the comment, Exif segment and import commands, in one place
// so that the window program and the tests use the same words.

#include <QString>

namespace tollamar::texts {

// Comment editing.
inline QString EditCommentCaption(const QString& namePart) {
    return QStringLiteral("‘") + namePart + QStringLiteral("’の【コメント】を編集");
}
inline QString AllFilesQuestionCaption() { return QStringLiteral("Select AppendMode"); }
inline QString ReplaceAllQuestion() {
    return QStringLiteral("REPLACE text to \"ALL\" files in your list ?");
}
inline QString AppendAllQuestion() {
    return QStringLiteral("APPEND text to \"ALL\" files in your list ?");
}
inline QString SetAllCaption() { return QStringLiteral("リスト中のファイルのコメントをセットする"); }
inline QString AppendAllCaption() { return QStringLiteral("リスト中のファイルのコメントに追加する"); }
inline QString CommentChangeAbandoned() { return QStringLiteral("コメントの変更を中止しました"); }
inline QString CommentWriteFailed() { return QStringLiteral("コメントの書き込みに失敗しました"); }
inline QString FileNotFound(const QString& path) {
    return QStringLiteral("ファイルが見つかりません\r\n") + path;
}
inline QString Interrupted() { return QStringLiteral("中断しました"); }

// Exif segment files.
inline QString ExifFileFilter() { return QStringLiteral("‘Exif(APP1)’保存ファイル(*.exif)"); }
inline QString AllFilesFilter() { return QStringLiteral("全てのファイル(*.*)"); }
inline QString ExifDefaultSuffix() { return QStringLiteral("exif"); }
inline QString ExifSaveTitle(const QString& namePart) {
    return namePart + QStringLiteral(" の‘Exif(APP1)’を抽出してファイルに保存する");
}
inline QString ExifLoadTitle(const QString& namePart) {
    return namePart + QStringLiteral(" の‘Exif(APP1)’にファイルを読み込む");
}
inline QString ExifReplaceQuestion() { return QStringLiteral("‘Exif(APP1)’書き換えて本当に良いですか?"); }
inline QString ExifReplaceCaption(const QString& namePart) {
    return namePart + QStringLiteral("の‘Exif(APP1)’の書き換え");
}
inline QString ExifWriteFailed() { return QStringLiteral("‘Exif(APP1)’の書き込みに失敗しました"); }

// Import into day folders.
inline QString ImportCaption() { return QStringLiteral("インポート(&I)"); }
inline QString ImportSourcePrompt() {
    return QStringLiteral("取り込む写真(jpeg)のあるフォルダを指定してください");
}
inline QString ImportDestinationPrompt() {
    return QStringLiteral("写真(jpeg)を保存するフォルダを指定してください");
}

}  // namespace tollamar::texts
