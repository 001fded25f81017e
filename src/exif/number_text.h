#pragma once
// Numbers as Exif texts show them: "." as decimal separator and "," between groups of
// thousands whatever the user's locale, so that texts read the same on every machine.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace tollamar {

// At most 15 significant digits, no trailing zeros; scientific notation (1.5E-5, 1E15)
// when the decimal exponent is below -4 or 15 and more. 100, 2.5, 0.125.
QString GeneralFloatText(double value);
// A fixed number of decimals, as "%.Nf" writes it: FixedText(72, 1) is 72.0.
QString FixedText(double value, int decimals);
// Whole number with "," between groups of three digits: 1,600.
QString GroupedText(int64_t value);
// The nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double RoundHalfEven(double value);
// A decimal number ("100", "-0.333", "1.5E-5", blanks around allowed); nullopt when
// the text is not one or is not finite.
std::optional<double> ParseDecimal(QStringView text);
// The same as a single-precision number; nullopt also beyond the single range.
std::optional<float> ParseSingle(QStringView text);

}  // namespace tollamar
