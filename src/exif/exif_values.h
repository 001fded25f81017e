#pragma once
// The quick Exif reader behind the photo list and the search: nine values by name.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <utility>

class QIODevice;

namespace tollamar {

struct JpegHeaderParts;

// Name=value pairs; names compare without regard to case. Names in use: Maker, Model,
// ExpTime, FNum, ISO, DateTimeOrg, ExpBias, Flash, FocalLen. An absent name means the
// tag was not found (or gave no value).
class ExifValueList {
public:
    // Empty when the name is absent.
    QString value(QStringView name) const;
    bool contains(QStringView name) const;
    // A non-empty value adds or replaces the pair; an empty one removes it.
    void setValue(QStringView name, const QString& value);
    bool isEmpty() const { return m_pairs.isEmpty(); }
    qsizetype size() const { return m_pairs.size(); }
    // "name=value" lines in the order the names were first set.
    QStringList lines() const;

private:
    qsizetype indexOf(QStringView name) const;
    QList<std::pair<QString, QString>> m_pairs;
};

// Fills the list from an APP1 payload. True when the Exif and TIFF headers were valid and
// the directories were walked, even if no value was found. Raises the damaged-Exif error
// when a directory runs past the end; values set so far stay.
bool ReadExifValuesFromPayload(ExifValueList& values, QByteArrayView payload);
// The same for the JPEG stream from its position (false also when the segment walk did
// not reach SOS or there is no APP1), and for a file (raises the open error).
bool ReadExifValues(ExifValueList& values, QIODevice& stream);
bool ReadExifValues(ExifValueList& values, const QString& fileName);
// The same from a scanned header of the file: its APP1 data when the scan is complete,
// else the file itself, so that damage is met and raised as above.
bool ReadExifValues(ExifValueList& values, const QString& fileName, const JpegHeaderParts& header);

}  // namespace tollamar
