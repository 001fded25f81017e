#pragma once
// Photos for the search tests, with an Exif block built byte by byte in either order.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace searchtest {

// APP1 payload: TIFF header, IFD0 (Make, Model, Exif IFD pointer), Exif IFD
// (DateTimeOriginal, Flash).
QByteArray ExifPayload(const QByteArray& make, const QByteArray& model,
                       const QByteArray& dateTime, uint16_t flash, bool bigEndian);
// SOI, APP1 when given, COM when given, tables, SOS and data.
QByteArray Photo(const QByteArray& comPayload, const QByteArray& app1 = {});
// Writes the bytes at path, making its folders; returns path.
QString WritePhoto(const QString& path, const QByteArray& bytes);

}  // namespace searchtest
