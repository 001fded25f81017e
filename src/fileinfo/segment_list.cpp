#include "fileinfo/segment_list.h"

#include "exif/number_text.h"
#include "jpegfile/byte_source.h"
#include "jpegfile/segment_walk.h"

#include <cstdio>

namespace tollamar {
namespace {

const char16_t* const kSofTable[] = {
    u"SOF0（Baseline DCT, Huffman）",
    u"SOF1（Extended sequential DCT, Huffman）",
    u"SOF2（Progressive DCT, Huffman）",
    u"SOF3（Spatial(sequential) DCT, Huffman）",
    u"DHT（ハフマン・テーブル定義）",
    u"SOF5（Differential sequential DCT, Huffman）",
    u"SOF6（Differential progressive DCT, Huffman）",
    u"SOF7（Differential spatial , Huffman）",
    u"JPG（JPEG 拡張用）",
    u"SOF9（Extended sequential DCT (arithmetic)）",
    u"SOF10（Progressive DCT (arithmetic)）",
    u"SOF11（Spatial (sequential) lossless (arithmetic)）",
    u"DAC（算術圧縮のための環境設定）",
    u"SOF12（Differential sequential DCT（arithmetic)）",
    u"SOF13（Differential progressive DCT（arithmetic)）",
    u"SOF14（Differential spatial（arithmetic)）",
};

const char16_t* const kDqtTable[] = {
    u"DQT（量子化テーブル）",
    u"DNL（ライン定義）",
    u"DRI（リスタート・インターバル定義）",
    u"DHP（ハフマン・テーブルの定義）",
    u"EXP（エクスパンド・セグメント）",
};

bool isExifPayload(QByteArrayView start, uint16_t length) {
    return length >= 8 && start.size() >= 5 && start.first(5) == QByteArrayView("Exif\0", 5);
}

// "009182: 0xDB: " and the rest. A photo gives a dozen of these lines and the file tab
// lists them for every photo stepped to, so they are put together without arg().
QString line(int64_t offset, uint8_t marker, QStringView rest) {
    char head[40];
    const int size = std::snprintf(head, sizeof head, "%06lld: 0x%02X: ", static_cast<long long>(offset), marker);
    QString text;
    text.reserve(size + rest.size());
    return text.append(QLatin1StringView(head, size)).append(rest);
}

}  // namespace

QString MarkerDescription(uint8_t marker, QByteArrayView payloadStart, uint16_t length) {
    if (marker >= 0xC0 && marker <= 0xCF) return QString::fromUtf16(kSofTable[marker - 0xC0]);
    if (marker >= 0xDB && marker <= 0xDF) return QString::fromUtf16(kDqtTable[marker - 0xDB]);
    if (marker == kMarkerAPP1 && isExifPayload(payloadStart, length)) return QStringLiteral("APP1（Exif）");
    if (marker >= 0xE0 && marker <= 0xEF)
        return QStringLiteral("APP%1（アプリケーション・マーカー）").arg(marker - 0xE0);
    if (marker >= 0xF0 && marker <= 0xFD) return QStringLiteral("JPG%1（JPEG拡張用）").arg(marker - 0xF0);
    if (marker == kMarkerCOM) return QStringLiteral("COM（コメント）");
    return {};
}

bool ListSegments(const QString& fileName, TTextNode& parent) {
    FileSource source(fileName);
    return ListSegments(source, parent);
}

bool ListSegments(ByteSource& source, TTextNode& parent) {
    SegmentWalker walker(source);
    if (!walker.readSoi()) return false;
    parent.children.append({QStringLiteral("000000: 0xD8: SOI（Start of Image）"), {}});
    uint8_t marker = 0;
    uint16_t length = 0;
    while (walker.nextMarker(marker)) {
        const int64_t offset = source.position() - 2;  // the FF right before the code
        if (IsStandaloneMarker(marker)) continue;
        if (marker == kMarkerSOS) {
            parent.children.append({line(offset, marker, QStringLiteral("SOS（Start of Scan）画像データの先頭")), {}});
            return true;
        }
        if (!walker.readLength(length)) return false;
        QByteArray start;
        source.read(std::min<int>(5, length - 2), start);
        const QString description = MarkerDescription(marker, start, length);
        parent.children.append(
            {line(offset, marker, description + QStringLiteral(": ") + GroupedText(length) + QStringLiteral(" bytes")), {}});
        source.skip(length - 2 - start.size());
    }
    return false;
}

}  // namespace tollamar
