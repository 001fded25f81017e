#include "comment_payload.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <string>

namespace tollamar::samples {

namespace {

// Length of the UTF-8 sequence a lead byte starts (1 for a stray byte).
qsizetype Utf8Length(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert to ") + to);
    }
    ~Iconv() { iconv_close(m_cd); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

}  // namespace

QByteArray ShiftJisPayload(const QString& text)
{
    Iconv cd("CP932", "UTF-8");
    QByteArray in = text.toUtf8();
    QByteArray out;
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.handle(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (rc != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ: no code-page-932 form; replace the whole character, as Windows does.
        const qsizetype skip = std::min<qsizetype>(
            Utf8Length(static_cast<unsigned char>(*inPtr)), static_cast<qsizetype>(inLeft));
        out.append('?');
        inPtr += skip;
        inLeft -= static_cast<size_t>(skip);
    }
    return out;
}

QByteArray UnicodePayload(const QString& text)
{
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        out.append(static_cast<char>(unit & 0xFF));
        out.append(static_cast<char>(unit >> 8));
    }
    return out;
}

}  // namespace tollamar::samples
