#pragma once
// Exceptions carry the text the user sees; what() gives it as UTF-8.

#include <QString>
#include <stdexcept>

namespace tollamar {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The system's text for an errno value.
QString ErrnoText(int errnoValue);

// A file could not be opened, read, created or written; errnoValue gives the reason.
[[noreturn]] void ThrowOpenError(const QString& path, int errnoValue);
[[noreturn]] void ThrowWriteError(const QString& path, int errnoValue);
[[noreturn]] void ThrowReadError(const QString& path, int errnoValue);
// A stream ended before the bytes a length field promised.
[[noreturn]] void ThrowStreamReadError();

}  // namespace tollamar
