#include "platform/errors.h"

#include <cstring>

namespace tollamar {

Error::Error(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message) {}

static QString reason(int errnoValue) {
    return QString::fromLocal8Bit(std::strerror(errnoValue));
}

void ThrowOpenError(const QString& path, int errnoValue) {
    throw Error(QStringLiteral("ファイル %1 を開けません。%2").arg(path, reason(errnoValue)));
}

void ThrowWriteError(const QString& path, int errnoValue) {
    throw Error(QStringLiteral("ファイル %1 の書き込みに失敗しました。%2").arg(path, reason(errnoValue)));
}

void ThrowReadError(const QString& path, int errnoValue) {
    throw Error(QStringLiteral("ファイル %1 の読み込みに失敗しました。%2").arg(path, reason(errnoValue)));
}

void ThrowStreamReadError() {
    throw Error(QStringLiteral("ストリームの読み込みエラー"));
}

}  // namespace tollamar
