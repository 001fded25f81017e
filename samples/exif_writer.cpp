#include "exif_writer.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>
#include <vector>

namespace tollamar::samples {

namespace {

enum Type : uint16_t { kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5,
                       kUndefined = 7, kSRational = 10 };

// Multi-byte numbers in the TIFF header's byte order, appended or patched in place.
class ByteOrder {
public:
    explicit ByteOrder(bool little) : m_little(little) {}
    QByteArray u16(uint16_t v) const { return bytes(v, 2); }
    QByteArray u32(uint32_t v) const { return bytes(v, 4); }
    void patch32(QByteArray& out, qsizetype at, uint32_t v) const
    {
        out.replace(at, 4, u32(v));
    }

private:
    QByteArray bytes(uint32_t v, int width) const
    {
        QByteArray b(width, '\0');
        for (int i = 0; i < width; ++i) {
            const int shift = 8 * (m_little ? i : width - 1 - i);
            b[i] = static_cast<char>((v >> shift) & 0xFF);
        }
        return b;
    }
    bool m_little;
};

struct Entry {
    uint16_t tag;
    uint16_t type;
    uint32_t count;
    QByteArray value;  // already in file byte order
};

// Where a written directory landed, so pointers to it and in it can be patched.
struct WrittenIfd {
    uint32_t start = 0;
    qsizetype nextIfdAt = 0;
    std::map<uint16_t, qsizetype> valueAt;
};

class Ifd {
public:
    explicit Ifd(ByteOrder order) : m_order(order) {}

    void ascii(uint16_t tag, const QByteArray& text)
    {
        add(tag, kAscii, static_cast<uint32_t>(text.size() + 1), text + '\0');
    }
    void shorts(uint16_t tag, std::initializer_list<uint16_t> values)
    {
        QByteArray b;
        for (uint16_t v : values)
            b += m_order.u16(v);
        add(tag, kShort, static_cast<uint32_t>(values.size()), b);
    }
    void longValue(uint16_t tag, uint32_t v) { add(tag, kLong, 1, m_order.u32(v)); }
    void rational(uint16_t tag, Rational r)
    {
        add(tag, kRational, 1, m_order.u32(r.num) + m_order.u32(r.den));
    }
    void srational(uint16_t tag, SRational r)
    {
        add(tag, kSRational, 1,
            m_order.u32(static_cast<uint32_t>(r.num)) + m_order.u32(static_cast<uint32_t>(r.den)));
    }
    void undefined(uint16_t tag, const QByteArray& bytes)
    {
        add(tag, kUndefined, static_cast<uint32_t>(bytes.size()), bytes);
    }

    // Appends the directory, then the values too long for a value field, each
    // starting on a word boundary as TIFF 6.0 asks. Entries go out sorted by tag.
    WrittenIfd writeTo(QByteArray& out) const
    {
        if (out.size() % 2)
            out += '\0';
        std::vector<Entry> entries = m_entries;
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
        WrittenIfd written;
        written.start = static_cast<uint32_t>(out.size());
        out += m_order.u16(static_cast<uint16_t>(entries.size()));
        qsizetype dataAt = out.size() + static_cast<qsizetype>(entries.size()) * 12 + 4;
        QByteArray data;
        for (const Entry& e : entries) {
            out += m_order.u16(e.tag) + m_order.u16(e.type) + m_order.u32(e.count);
            written.valueAt[e.tag] = out.size();
            if (e.value.size() <= 4) {
                out += e.value + QByteArray(4 - e.value.size(), '\0');
                continue;
            }
            out += m_order.u32(static_cast<uint32_t>(dataAt + data.size()));
            data += e.value;
            if (data.size() % 2)
                data += '\0';
        }
        written.nextIfdAt = out.size();
        out += m_order.u32(0);
        out += data;
        return written;
    }

private:
    void add(uint16_t tag, uint16_t type, uint32_t count, const QByteArray& value)
    {
        m_entries.push_back({tag, type, count, value});
    }

    ByteOrder m_order;
    std::vector<Entry> m_entries;
};

Ifd MakeIfd0(const ExifRecord& r, ByteOrder order)
{
    Ifd ifd(order);
    if (!r.imageDescription.isEmpty())
        ifd.ascii(0x010E, r.imageDescription);
    ifd.ascii(0x010F, r.make);
    ifd.ascii(0x0110, r.model);
    ifd.shorts(0x0112, {r.orientation});
    ifd.rational(0x011A, {72, 1});
    ifd.rational(0x011B, {72, 1});
    ifd.shorts(0x0128, {2});  // inches
    ifd.ascii(0x0131, r.software);
    ifd.ascii(0x0132, r.dateTime);
    ifd.shorts(0x0213, {2});  // YCbCrPositioning: co-sited
    if (!r.copyright.isEmpty())
        ifd.ascii(0x8298, r.copyright);
    ifd.longValue(0x8769, 0);  // Exif IFD pointer, patched once the IFD is placed
    return ifd;
}

// APEX values (Exif 2.2, annex C): Tv = -log2(exposure time), Av = 2 log2(F).
void AddApexValues(Ifd& ifd, const ExifRecord& r)
{
    const double tv = -std::log2(double(r.exposureTime.num) / r.exposureTime.den);
    const double av = 2 * std::log2(double(r.fNumber.num) / r.fNumber.den);
    ifd.srational(0x9201, {static_cast<int32_t>(std::lround(tv * 1000)), 1000});
    ifd.rational(0x9202, {static_cast<uint32_t>(std::lround(av * 100)), 100});
}

Ifd MakeExifIfd(const ExifRecord& r, ByteOrder order)
{
    Ifd ifd(order);
    ifd.rational(0x829A, r.exposureTime);
    ifd.rational(0x829D, r.fNumber);
    ifd.shorts(0x8822, {r.exposureProgram});
    ifd.shorts(0x8827, {r.iso});
    ifd.undefined(0x9000, "0220");
    ifd.ascii(0x9003, r.dateTimeOriginal);
    ifd.ascii(0x9004, r.dateTimeOriginal);
    ifd.undefined(0x9101, QByteArray("\x01\x02\x03\x00", 4));  // Y Cb Cr
    if (r.apexValues)
        AddApexValues(ifd, r);
    ifd.srational(0x9204, r.exposureBias);
    ifd.rational(0x9205, r.maxAperture);
    ifd.shorts(0x9207, {r.meteringMode});
    ifd.shorts(0x9208, {r.lightSource});
    ifd.shorts(0x9209, {r.flash});
    ifd.rational(0x920A, r.focalLength);
    ifd.undefined(0xA000, "0100");
    ifd.shorts(0xA001, {1});  // sRGB
    if (r.dimensionsAsLong) {
        ifd.longValue(0xA002, r.pixelWidth);
        ifd.longValue(0xA003, r.pixelHeight);
    } else {
        ifd.shorts(0xA002, {static_cast<uint16_t>(r.pixelWidth)});
        ifd.shorts(0xA003, {static_cast<uint16_t>(r.pixelHeight)});
    }
    ifd.shorts(0xA217, {2});  // one-chip colour area sensor
    return ifd;
}

Ifd MakeIfd1(const ExifRecord& r, ByteOrder order)
{
    Ifd ifd(order);
    ifd.shorts(0x0103, {6});  // JPEG compression
    ifd.rational(0x011A, {72, 1});
    ifd.rational(0x011B, {72, 1});
    ifd.shorts(0x0128, {2});
    ifd.longValue(0x0201, 0);  // thumbnail offset, patched below
    ifd.longValue(0x0202, static_cast<uint32_t>(r.thumbnail.size()));
    return ifd;
}

}  // namespace

QByteArray BuildExifPayload(const ExifRecord& record)
{
    const ByteOrder order(record.littleEndian);
    QByteArray tiff = QByteArray(record.littleEndian ? "II" : "MM") + order.u16(42) + order.u32(8);
    const WrittenIfd ifd0 = MakeIfd0(record, order).writeTo(tiff);
    const WrittenIfd exif = MakeExifIfd(record, order).writeTo(tiff);
    order.patch32(tiff, ifd0.valueAt.at(0x8769), exif.start);
    if (!record.thumbnail.isEmpty()) {
        const WrittenIfd ifd1 = MakeIfd1(record, order).writeTo(tiff);
        order.patch32(tiff, ifd0.nextIfdAt, ifd1.start);
        order.patch32(tiff, ifd1.valueAt.at(0x0201), static_cast<uint32_t>(tiff.size()));
        tiff += record.thumbnail;
    }
    return QByteArray("Exif\0\0", 6) + tiff;
}

}  // namespace tollamar::samples
