#include "exif/number_text.h"

#include <QLocale>
#include <charconv>
#include <cfloat>
#include <cmath>

namespace tollamar {

namespace {

// "1.5e-05" becomes "1.5E-5", "1e+15" becomes "1E15".
QString tidyExponent(std::string_view text) {
    const size_t e = text.find('e');
    if (e == std::string_view::npos) return QString::fromLatin1(text);
    QString out = QString::fromLatin1(text.substr(0, e)) + QLatin1Char('E');
    std::string_view exponent = text.substr(e + 1);
    if (exponent.front() == '-') out += QLatin1Char('-');
    if (exponent.front() == '-' || exponent.front() == '+') exponent.remove_prefix(1);
    while (exponent.size() > 1 && exponent.front() == '0') exponent.remove_prefix(1);
    return out + QString::fromLatin1(exponent);
}

QString nonFinite(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

}  // namespace

QString GeneralFloatText(double value) {
    if (!std::isfinite(value)) return nonFinite(value);
    if (value == 0) return QStringLiteral("0");  // also -0
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return tidyExponent(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

QString FixedText(double value, int decimals) {
    if (!std::isfinite(value)) return nonFinite(value);
    // The widest double has 309 integer digits.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString GroupedText(int64_t value) {
    const QString digits = QString::number(value);
    const qsizetype sign = value < 0 ? 1 : 0;
    QString out = digits.left(sign);
    const qsizetype count = digits.size() - sign;
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) out += QLatin1Char(',');
        out += digits[sign + i];
    }
    return out;
}

double RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double diff = value - down;
    if (diff < 0.5) return down;
    if (diff > 0.5) return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

std::optional<double> ParseDecimal(QStringView text) {
    static const QLocale cLocale = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    bool ok = false;
    const double value = cLocale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<float> ParseSingle(QStringView text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value || std::abs(*value) > FLT_MAX) return std::nullopt;
    return static_cast<float>(*value);
}

}  // namespace tollamar
