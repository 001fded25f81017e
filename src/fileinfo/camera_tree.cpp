#include "fileinfo/camera_tree.h"

#include "exif/exif_text.h"

namespace tollamar {

static QString firstOf(const QString& preferred, const QString& fallback) {
    return preferred.isEmpty() ? fallback : preferred;
}

QString CameraSummaryLine(const TExifInfo& info) {
    QString line = (info.FocalLength.isEmpty() ? QStringLiteral("?") : info.FocalLength) + QStringLiteral(" mm");
    if (const QString f = firstOf(info.FNumber, info.Aperture); !f.isEmpty()) line += QStringLiteral(", F") + f;
    if (const QString t = firstOf(info.ExposureTime, info.ShutterSpeed); !t.isEmpty())
        line += QStringLiteral(", ") + t + QStringLiteral(" sec");
    if (!info.ISOSpeedRatings.isEmpty()) line += QStringLiteral(", ISO") + info.ISOSpeedRatings;
    if (!info.ExposureBias.isEmpty() && info.ExposureBias != QStringLiteral("0"))
        line += QStringLiteral(", ") + info.ExposureBias + QStringLiteral("EV");
    if (!info.Flash.isEmpty() && info.Flash.compare(QStringLiteral("off"), Qt::CaseInsensitive) != 0)
        line += QStringLiteral(", Flash-ON");
    return line;
}

QList<TTextNode> BuildCameraTree(const TExifInfo& info) {
    QList<TTextNode> tree;
    tree.append({info.Model + QStringLiteral("(") + info.Maker + QStringLiteral(")"), {}});
    QString date = info.DateTimeOriginal;
    if (!info.SubSecTimeOriginal.isEmpty()) date += QStringLiteral(".") + info.SubSecTimeOriginal;
    tree.append({date, {}});
    tree.append({CameraSummaryLine(info), {}});
    TTextNode details{QStringLiteral("【詳細】（ダブルクリックで開閉）"), {}};
    AddExifText(details, info);
    tree.append(details);
    return tree;
}

}  // namespace tollamar
