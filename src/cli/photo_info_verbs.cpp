#include "cli/cli_io.h"
#include "cli/parallel_files.h"
#include "cli/verbs.h"
#include "exif/exif_parser.h"
#include "exif/exif_summary.h"
#include "exif/exif_values.h"
#include "fileinfo/camera_tree.h"
#include "fileinfo/file_info_tree.h"
#include "fileinfo/list_thumbnail.h"
#include "imaging/jpeg_size.h"
#include "platform/new_file.h"

#include <QBuffer>
#include <QImage>

namespace tollamar::cli {
namespace {

void appendTree(QString& out, const QList<TTextNode>& nodes, int depth) {
    for (const TTextNode& node : nodes) {
        out += QString(depth * 2, u' ') + node.text + u'\n';
        appendTree(out, node.children, depth + 1);
    }
}

QString treeText(const QList<TTextNode>& nodes) {
    QString out;
    appendTree(out, nodes, 0);
    out.chop(1);
    return out;
}

QString infoText(const QString& file) {
    // The size is probed first: a file libjpeg rejects is an error before anything shows.
    const std::optional<QSize> size = ReadJpegSize(file);
    return treeText(BuildFileInfoTree(file, size));
}

QString exifText(const QString& file) {
    TExifInfo info;
    if (!ReadExifInfo(info, file)) return {};
    return treeText(BuildCameraTree(info));
}

QString valuesText(const QString& file) {
    ExifValueList values;
    ReadExifValues(values, file);
    return values.lines().join(u'\n');
}

QString summaryText(const QString& file) {
    ExifValueList values;
    ReadExifValues(values, file);
    return ExifSummaryText(values) + QStringLiteral("\n\n") + FileSummaryText(file, ProbeJpegSize);
}

int perFileVerb(const QString& verb, const QStringList& args, QString (*produce)(const QString&)) {
    if (args.isEmpty()) return UsageError(verb + QStringLiteral(": no file given"));
    return PrintEachFile(args, produce);
}

bool parseSize(const QString& text, int& width, int& height) {
    const QStringList parts = text.split(u'x');
    bool okW = false, okH = false;
    if (parts.size() == 2) {
        width = parts[0].toInt(&okW);
        height = parts[1].toInt(&okH);
    }
    return okW && okH && width > 0 && height > 0 && width <= 4096 && height <= 4096;
}

// Raises the write error naming path; an earlier file of that name stays whole then.
void writeBytes(const QString& photo, const QString& path, const QByteArray& bytes) {
    RefuseOutputOverInput(photo, path);
    WriteFileReplacing(path, bytes);
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

int embeddedThumbnail(const QString& file, const QString& out) {
    return ForEachFile({file}, [&](const QString& photo) {
        const QByteArray bytes = UsableExifThumbnail(photo);
        if (bytes.isEmpty()) {
            ReportError(photo, QStringLiteral("no usable embedded thumbnail"));
            return false;
        }
        writeBytes(photo, out, bytes);
        return true;
    });
}

int thumbnailVerb(QStringList args) {
    int width = 64, height = 48;
    bool embedded = false;
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == QStringLiteral("--embedded")) {
            embedded = true;
        } else if (option == QStringLiteral("--size") && !args.isEmpty()) {
            if (!parseSize(args.takeFirst(), width, height))
                return UsageError(QStringLiteral("thumbnail: --size takes WxH, 1 to 4096 each"));
        } else {
            return UsageError(QStringLiteral("thumbnail: unknown option %1").arg(option));
        }
    }
    if (args.size() != 2) return UsageError(QStringLiteral("thumbnail: FILE and OUT needed"));
    if (embedded) return embeddedThumbnail(args[0], args[1]);
    return ForEachFile({args[0]}, [&](const QString& photo) {
        RefuseOutputOverInput(photo, args[1]);
        const QImage image = ListThumbnail(photo, width, height);
        const QByteArray png = image.isNull() ? QByteArray() : pngBytes(image);
        if (png.isEmpty()) {
            ReportError(photo, QStringLiteral("cannot make the thumbnail"));
            return false;
        }
        writeBytes(photo, args[1], png);
        return true;
    });
}

}  // namespace

QList<Verb> PhotoInfoVerbs() {
    return {
        {QStringLiteral("info"), QStringLiteral("FILE..."),
         QStringLiteral("file information: size, times, attributes, segments"),
         [](QStringList a) { return perFileVerb(QStringLiteral("info"), a, infoText); }},
        {QStringLiteral("exif"), QStringLiteral("FILE..."),
         QStringLiteral("camera model, date, summary and the full Exif text"),
         [](QStringList a) { return perFileVerb(QStringLiteral("exif"), a, exifText); }},
        {QStringLiteral("values"), QStringLiteral("FILE..."),
         QStringLiteral("the quick Exif values, one name=value per line"),
         [](QStringList a) { return perFileVerb(QStringLiteral("values"), a, valuesText); }},
        {QStringLiteral("summary"), QStringLiteral("FILE..."),
         QStringLiteral("camera summary, an empty line, file summary"),
         [](QStringList a) { return perFileVerb(QStringLiteral("summary"), a, summaryText); }},
        {QStringLiteral("thumbnail"), QStringLiteral("[--size WxH] FILE OUT.png | --embedded FILE OUT.jpg"),
         QStringLiteral("the list thumbnail as PNG, or the embedded thumbnail's bytes"), thumbnailVerb},
    };
}

}  // namespace tollamar::cli
