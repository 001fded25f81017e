#include "exif/exif_summary.h"

#include "exif/exif_values.h"
#include "exif/number_text.h"
#include "platform/file_ops.h"

#include <sys/stat.h>
#include <cmath>

namespace tollamar {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString valueOrQuestion(const ExifValueList& values, QStringView name) {
    const QString value = values.value(name);
    return value.isEmpty() ? QStringLiteral("?") : value;
}

// Two digits after the full stop are enough for a focal length: 7.09375 shows 7.09.
QString shortFocalLength(QString text) {
    const qsizetype stop = text.indexOf(QLatin1Char('.'));
    if (stop >= 0) text.truncate(stop + 3);
    return text;
}

bool nonZeroNumber(const ExifValueList& values, QStringView name) {
    const std::optional<double> number = ParseDecimal(values.value(name));
    return number && *number != 0;
}

// Whole, halves, thirds or quarters within 0.1 EV as a fraction, else the value text.
QString biasText(const QString& valueText, double x) {
    for (int k = 1; k <= 4; ++k) {
        const double r = RoundHalfEven(k * x);
        if (std::abs(k * x - r) >= 0.1) continue;
        return k == 1 ? FixedText(r, 0) : FixedText(r, 0) + QLatin1Char('/') + QString::number(k);
    }
    return valueText;
}

QString biasPart(const ExifValueList& values) {
    const QString text = values.value(u"ExpBias");
    const std::optional<float> number = ParseSingle(text);
    if (!number) return {};
    const double x = *number;
    if (std::abs(x) <= 0.1) return {};
    const QString s = biasText(text, x);
    return QStringLiteral(", ") + (x > 0 ? QStringLiteral("+") : QString()) + s + QStringLiteral("EV");
}

}  // namespace

QString ExifSummaryText(const ExifValueList& values) {
    if (values.isEmpty()) return {};
    QString text = valueOrQuestion(values, u"Model") + QLatin1Char('(') + valueOrQuestion(values, u"Maker") +
                   QLatin1Char(')') + kCrLf + valueOrQuestion(values, u"DateTimeOrg") + kCrLf +
                   shortFocalLength(valueOrQuestion(values, u"FocalLen")) + QStringLiteral(" mm, F") +
                   valueOrQuestion(values, u"FNum") + QStringLiteral(", ") + valueOrQuestion(values, u"ExpTime") +
                   QStringLiteral(" sec");
    if (nonZeroNumber(values, u"ISO")) text += QStringLiteral(", ISO") + values.value(u"ISO");
    if (nonZeroNumber(values, u"Flash")) text += QStringLiteral(", flash-ON");
    return text + biasPart(values);
}

QString ExifSummaryText(const QString& fileName) {
    ExifValueList values;
    if (!ReadExifValues(values, fileName)) return {};
    return ExifSummaryText(values);
}

QString FileSummaryText(int width, int height, const QDateTime& lastWrite, qint64 size) {
    const QDate d = lastWrite.date();
    const QTime t = lastWrite.time();
    const QString date = QStringLiteral("%1/%2/%3 %4:%5")
                             .arg(d.year())
                             .arg(d.month(), 2, 10, QLatin1Char('0'))
                             .arg(d.day(), 2, 10, QLatin1Char('0'))
                             .arg(t.hour(), 2, 10, QLatin1Char('0'))
                             .arg(t.minute(), 2, 10, QLatin1Char('0'));
    return GroupedText(width) + QStringLiteral(" * ") + GroupedText(height) + QStringLiteral(" pixels") + kCrLf +
           date + kCrLf + GroupedText(size) + QStringLiteral(" bytes");
}

QString FileSummaryText(const QString& fileName, const JpegSizeProbe& readJpegSize) {
    // One stat gives both the size and the last-write time the summary shows.
    struct stat st {};
    if (stat(NativePath(fileName).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    int width = 0;
    int height = 0;
    if (!readJpegSize(fileName, width, height)) width = height = 0;
    const QDateTime lastWrite = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec, Qt::LocalTime);
    return FileSummaryText(width, height, lastWrite, st.st_size);
}

}  // namespace tollamar
