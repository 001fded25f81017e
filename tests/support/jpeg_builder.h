#pragma once
// Builds JPEG files for tests segment by segment, including damaged ones, and real
// pictures encoded by libjpeg where decoding matters.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace testsupport {

class JpegBuilder {
public:
    JpegBuilder& soi();
    // FF marker, big-endian length (payload + 2), payload.
    JpegBuilder& segment(uint8_t marker, QByteArrayView payload);
    JpegBuilder& com(QByteArrayView payload) { return segment(0xFE, payload); }
    JpegBuilder& app1(QByteArrayView payload) { return segment(0xE1, payload); }
    // A plausible DQT/SOF0/DHT header for an 8x8 grey picture (not decodable).
    JpegBuilder& tables();
    // FF marker with no length (TEM, RST).
    JpegBuilder& standalone(uint8_t marker);
    // n extra FF bytes, as fill before the next marker.
    JpegBuilder& fill(int n);
    // SOS segment, then scanData (the compressed data), then FF D9.
    JpegBuilder& sosAndData(QByteArrayView scanData = "\x12\x34\xFF\x00\x56");
    JpegBuilder& raw(QByteArrayView bytes);
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// A small but real JPEG of width x height pixels (a colour gradient), from libjpeg.
QByteArray EncodeJpeg(int width, int height, int quality = 85);

// The payloads of all segments with marker before SOS, in order (an independent,
// deliberately simple reader for checking results).
QList<QByteArray> SegmentPayloads(const QByteArray& jpeg, uint8_t marker);
// Marker bytes of the header segments in order, up to and including SOS.
QByteArray HeaderMarkers(const QByteArray& jpeg);
// Everything from the SOS marker to the end of the file.
QByteArray FromSos(const QByteArray& jpeg);

}  // namespace testsupport
