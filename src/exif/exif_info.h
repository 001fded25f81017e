#pragma once
// The full Exif record: one display text per supported tag of IFD0 and the Exif IFD,
// all empty until a parse fills them.

#include <QString>

namespace tollamar {

struct TExifInfo {
    QString ImageWidth;
    QString ImageHeight;
    QString BitsPerSample;
    QString PhotometricInterpretation;
    QString Orientation;
    QString XResolution;
    QString YResolution;
    QString Maker;
    QString Model;
    QString Software;
    QString Copyright;
    QString Artist;
    QString ShutterSpeed;
    QString SubjectDistance;
    QString MeteringMode;
    QString LightSource;
    QString ExposureProgram;
    QString Aperture;
    QString MaxLensAperture;
    QString SpectralSensitivity;
    QString FlashEnergy;
    QString CompressedBitsPerPixel;
    QString ImageDescription;
    QString ResolutionUnit;
    QString DateTime;
    QString ColorSpace;
    QString RelatedSoundFile;
    QString FocalPlaneYResolution;
    QString FocalPlaneXResolution;
    QString FocalPlaneResolutionUnit;
    QString ExposureIndex;
    QString SensingMethod;
    QString PrimaryChromaticities;
    QString YCbCrCoefficients;
    QString ReferenceBlackWhite;
    QString ComponentsConfiguration;
    QString SubSecTime;
    QString SubSecTimeOriginal;
    QString SubSecTimeDigitized;
    QString Brightness;
    QString ExposureTime;
    QString FNumber;
    QString Flash;
    QString FocalLength;
    QString ExposureBias;
    QString PixelXDimension;
    QString PixelYDimension;
    QString FlashPixVersion;
    QString ExifVersion;
    QString DateTimeDigitized;
    QString DateTimeOriginal;
    QString ISOSpeedRatings;
    QString WhitePoint;
    QString SubjectLocation;
};

}  // namespace tollamar
