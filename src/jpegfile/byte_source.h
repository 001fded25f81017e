#pragma once
// Buffered byte sources for the marker walk. The walk reads one or two bytes at a time,
// so every source keeps a buffer and skips over unwanted segments without reading them.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

class QIODevice;

namespace tollamar {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    // -1 at the end of the data.
    int getByte() {
        if (m_pos < m_end) return m_buffer[m_pos++];
        return refillAndGet();
    }
    // Up to n bytes appended to out; returns how many were appended.
    int64_t read(int64_t n, QByteArray& out);
    // Moves forward without reading; a skip past the end is not an error.
    void skip(int64_t n);
    // Offset of the next byte from where the source started.
    int64_t position() const { return m_origin + m_pos; }

protected:
    ByteSource() = default;
    // Fills up to capacity bytes taken at absolute offset; returns the count, 0 at end.
    virtual int64_t fetch(int64_t offset, unsigned char* into, int64_t capacity) = 0;
    void start(int64_t offset) { m_origin = offset; }

private:
    int refillAndGet();
    bool refill();

    // One fetch holds the whole header of most photos; a camera's large Exif block is
    // skipped by position, so the next fetch starts after it.
    static constexpr int64_t kChunk = 16 * 1024;
    unsigned char m_buffer[kChunk];
    int64_t m_origin = 0;  // absolute offset of m_buffer[0]
    int64_t m_pos = 0;
    int64_t m_end = 0;
};

// Reads a QIODevice from its current position; a failing read raises an error naming
// the file. On destruction the device is left
// positioned after the last byte the walk consumed.
class DeviceSource final : public ByteSource {
public:
    explicit DeviceSource(QIODevice& device);
    ~DeviceSource() override;

protected:
    int64_t fetch(int64_t offset, unsigned char* into, int64_t capacity) override;

private:
    QIODevice& m_device;
};

// Reads a regular file by descriptor with pread, up to the size it had when opened.
// Opening raises the open error (also for FIFOs, devices, folders); a failing read
// raises the read error.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const QString& fileName);
    ~FileSource() override;

protected:
    int64_t fetch(int64_t offset, unsigned char* into, int64_t capacity) override;

private:
    QString m_fileName;
    int m_fd = -1;
    int64_t m_size = 0;
};

// Reads a block of memory; the bytes must outlive the source.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(QByteArrayView bytes);

protected:
    int64_t fetch(int64_t offset, unsigned char* into, int64_t capacity) override;

private:
    QByteArrayView m_bytes;
};

}  // namespace tollamar
