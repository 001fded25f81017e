#include "platform/errors.h"

#include "platform/native_name.h"

#include <cstring>

namespace tollamar {

Error::Error(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message) {}

QString ErrnoText(int errnoValue) { return QString::fromLocal8Bit(std::strerror(errnoValue)); }

void ThrowOpenError(const QString& path, int errnoValue) {
    throw Error(QStringLiteral("ファイル %1 を開けません。%2").arg(DisplayName(path), ErrnoText(errnoValue)));
}

void ThrowWriteError(const QString& path, int errnoValue) {
    throw Error(QStringLiteral("ファイル %1 の書き込みに失敗しました。%2").arg(DisplayName(path), ErrnoText(errnoValue)));
}

void ThrowReadError(const QString& path, int errnoValue) {
    throw Error(QStringLiteral("ファイル %1 の読み込みに失敗しました。%2").arg(DisplayName(path), ErrnoText(errnoValue)));
}

void ThrowStreamReadError() {
    throw Error(QStringLiteral("ストリームの読み込みエラー"));
}

}  // namespace tollamar
