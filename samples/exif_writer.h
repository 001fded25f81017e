#pragma once
// Exif APP1 payloads ("Exif\0\0" + a TIFF structure, Exif 2.2) in either byte order:
// IFD0, the Exif IFD and, with a thumbnail, IFD1 with the thumbnail's JPEG bytes.

#include <QByteArray>

#include <cstdint>

namespace tollamar::samples {

struct Rational {
    uint32_t num = 0;
    uint32_t den = 1;
};

struct SRational {
    int32_t num = 0;
    int32_t den = 1;
};

// The tags a camera writes; texts are ASCII without their terminating NUL.
struct ExifRecord {
    bool littleEndian = true;
    QByteArray make;
    QByteArray model;
    QByteArray software;
    QByteArray imageDescription;  // empty: tag left out
    QByteArray copyright;         // empty: tag left out
    uint16_t orientation = 1;
    QByteArray dateTime;          // "YYYY:MM:DD HH:MM:SS", when the file was last changed
    QByteArray dateTimeOriginal;  // also written as DateTimeDigitized
    Rational exposureTime;
    Rational fNumber;
    bool apexValues = false;      // also ShutterSpeedValue and ApertureValue
    uint16_t exposureProgram = 2;
    uint16_t iso = 100;
    SRational exposureBias;
    Rational maxAperture;         // APEX value
    uint16_t meteringMode = 5;
    uint16_t lightSource = 0;
    uint16_t flash = 0;
    Rational focalLength;
    uint32_t pixelWidth = 0;
    uint32_t pixelHeight = 0;
    bool dimensionsAsLong = false;  // PixelX/YDimension as LONG rather than SHORT
    QByteArray thumbnail;           // a complete JPEG; empty: no IFD1
};

// The APP1 payload; must stay below 65534 bytes to fit one segment, which a
// 160x120 thumbnail always does.
QByteArray BuildExifPayload(const ExifRecord& record);

}  // namespace tollamar::samples
