#include "jpegfile/byte_source.h"

#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/regular_file.h"

#include <QFileDevice>
#include <QIODevice>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tollamar {

bool ByteSource::refill() {
    m_origin += m_pos;
    m_pos = 0;
    m_end = fetch(m_origin, m_buffer, kChunk);
    return m_end > 0;
}

int ByteSource::refillAndGet() {
    if (!refill()) return -1;
    return m_buffer[m_pos++];
}

int64_t ByteSource::read(int64_t n, QByteArray& out) {
    const int64_t buffered = std::min(n, m_end - m_pos);
    out.append(reinterpret_cast<const char*>(m_buffer + m_pos), static_cast<qsizetype>(buffered));
    m_pos += buffered;
    int64_t done = buffered;
    // The rest goes straight from the source into out, not through the small buffer.
    const qsizetype start = out.size();
    out.resize(start + static_cast<qsizetype>(n - done));
    auto* into = reinterpret_cast<unsigned char*>(out.data() + start);
    while (done < n) {
        const int64_t got = fetch(position(), into + (done - buffered), n - done);
        if (got <= 0) break;
        skip(got);
        done += got;
    }
    out.resize(start + static_cast<qsizetype>(done - buffered));
    return done;
}

void ByteSource::skip(int64_t n) {
    if (n <= m_end - m_pos) {
        m_pos += n;
        return;
    }
    // Past the buffer: the next fetch starts at the new offset, so nothing is read.
    m_origin += m_pos + n;
    m_pos = m_end = 0;
}

DeviceSource::DeviceSource(QIODevice& device) : m_device(device) { start(device.pos()); }

DeviceSource::~DeviceSource() {
    if (!m_device.isSequential()) m_device.seek(position());
}

int64_t DeviceSource::fetch(int64_t offset, unsigned char* into, int64_t capacity) {
    if (!m_device.isSequential() && m_device.pos() != offset && !m_device.seek(offset)) return 0;
    const qint64 n = m_device.read(reinterpret_cast<char*>(into), capacity);
    if (n >= 0) return n;
    // A file that fails is not at its end: the caller must not take the data as complete.
    // Other devices (a closed socket, a finished process) report their end this way.
    const auto* file = qobject_cast<const QFileDevice*>(&m_device);
    if (!file) return 0;
    throw Error(QStringLiteral("ファイル %1 の読み込みに失敗しました。%2").arg(file->fileName(), file->errorString()));
}

FileSource::FileSource(const QString& fileName) : m_fileName(fileName) {
    struct stat st {};
    m_fd = OpenRegularFile(fileName, st);
    m_size = st.st_size;
}

FileSource::~FileSource() { close(m_fd); }

int64_t FileSource::fetch(int64_t offset, unsigned char* into, int64_t capacity) {
    // Never past the size the file had when opened: a file that grows without end
    // cannot keep the walk reading.
    capacity = std::min(capacity, m_size - offset);
    if (capacity <= 0) return 0;
    for (;;) {
        const int injected = faults::Take(faults::Op::ReadData);
        const ssize_t n = injected ? -1 : pread(m_fd, into, static_cast<size_t>(capacity), offset);
        if (n >= 0) return n;
        if (!injected && errno == EINTR) continue;
        ThrowReadError(m_fileName, injected ? injected : errno);
    }
}

MemorySource::MemorySource(QByteArrayView bytes) : m_bytes(bytes) {}

int64_t MemorySource::fetch(int64_t offset, unsigned char* into, int64_t capacity) {
    if (offset >= m_bytes.size()) return 0;
    const int64_t n = std::min<int64_t>(capacity, m_bytes.size() - offset);
    std::memcpy(into, m_bytes.data() + offset, static_cast<size_t>(n));
    return n;
}

}  // namespace tollamar
