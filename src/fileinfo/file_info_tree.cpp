#include "fileinfo/file_info_tree.h"

#include "exif/number_text.h"
#include "fileinfo/segment_list.h"
#include "platform/file_times.h"
#include "platform/native_name.h"

namespace tollamar {
namespace {

struct AttributeName {
    unsigned bit;
    const char* text;
};

// Windows attribute bits; Linux sets only some of them (see FileAttributesFromMode).
constexpr AttributeName kAttributeNames[] = {
    {0x1, "READONLY"},   {0x2, "HIDDEN"},    {0x4, "SYSTEM"},
    {0x10, "DIRECTORY"}, {0x20, "ARCHIVE"},  {0x80, "NORMAL"},
    {0x100, "TEMPORARY"}, {0x800, "COMPRESSED"}, {0x4000, "ENCRYPTED"},
};

TTextNode timesItem(const TFileTimes& times) {
    TTextNode item{QStringLiteral("Date & Time"), {}};
    item.children.append({LocalTimeText(times.creation) + QStringLiteral(" (Creation Time)"), {}});
    item.children.append({LocalTimeText(times.lastWrite) + QStringLiteral(" (Last Write Time)"), {}});
    item.children.append({LocalTimeText(times.lastAccess) + QStringLiteral(" (Last Access Time)"), {}});
    return item;
}

TTextNode attributesItem(unsigned attributes) {
    TTextNode item{QStringLiteral("Attributes"), {}};
    for (const AttributeName& name : kAttributeNames)
        if (attributes & name.bit) item.children.append({QString::fromLatin1(name.text), {}});
    return item;
}

}  // namespace

QString LocalTimeText(const timespec& time) {
    struct tm local {};
    if (!localtime_r(&time.tv_sec, &local)) return {};
    return QString::asprintf("%d/%.2d/%.2d %.2d:%.2d:%.2d", local.tm_year + 1900, local.tm_mon + 1,
                             local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

namespace {

// segmentSource null: the segments are listed from the file, opened once more.
QList<TTextNode> fileTree(const QString& fileName, std::optional<QSize> pictureSize, ByteSource* segmentSource) {
    QList<TTextNode> tree;
    tree.append({DisplayFileName(fileName), {}});
    if (pictureSize)
        tree.append({GroupedText(pictureSize->width()) + QStringLiteral(" * ") +
                         GroupedText(pictureSize->height()) + QStringLiteral(" pixels"), {}});
    TFileFacts facts;
    if (!GetFileFacts(fileName, facts)) return tree;
    tree.append({GroupedText(facts.size) + QStringLiteral(" bytes"), {}});
    tree.append(timesItem(facts.times));
    tree.append(attributesItem(facts.attributes));
    TTextNode segments{QStringLiteral("Segments"), {}};
    if (segmentSource)
        ListSegments(*segmentSource, segments);
    else
        ListSegments(fileName, segments);
    tree.append(segments);
    return tree;
}

}  // namespace

QList<TTextNode> BuildFileInfoTree(const QString& fileName, std::optional<QSize> pictureSize) {
    return fileTree(fileName, pictureSize, nullptr);
}

QList<TTextNode> BuildFileInfoTree(const QString& fileName, std::optional<QSize> pictureSize,
                                   ByteSource& segmentSource) {
    return fileTree(fileName, pictureSize, &segmentSource);
}

}  // namespace tollamar
