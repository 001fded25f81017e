#include "exif/exif_format.h"
#include "exif/number_text.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>

using namespace tollamar;

TEST(NumberText, GeneralFloatTextKeepsFifteenDigitsAndSwitchesToScientific) {
    EXPECT_EQ(GeneralFloatText(100), "100");
    EXPECT_EQ(GeneralFloatText(2.5), "2.5");
    EXPECT_EQ(GeneralFloatText(0.125), "0.125");
    EXPECT_EQ(GeneralFloatText(7.09375), "7.09375");
    EXPECT_EQ(GeneralFloatText(-1.0 / 3), "-0.333333333333333");
    // A single-precision value widened exactly shows its binary error.
    EXPECT_EQ(GeneralFloatText(1.3F), "1.29999995231628");
    EXPECT_EQ(GeneralFloatText(0.0001), "0.0001");
    EXPECT_EQ(GeneralFloatText(0.000015), "1.5E-5");
    EXPECT_EQ(GeneralFloatText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralFloatText(1e15), "1E15");
    EXPECT_EQ(GeneralFloatText(-0.0), "0");
}

TEST(NumberText, FixedGroupedAndRounding) {
    EXPECT_EQ(FixedText(72, 1), "72.0");
    EXPECT_EQ(FixedText(0.313, 2), "0.31");
    EXPECT_EQ(FixedText(2.0 * 2.0, 0), "4");
    EXPECT_EQ(GroupedText(0), "0");
    EXPECT_EQ(GroupedText(999), "999");
    EXPECT_EQ(GroupedText(1000), "1,000");
    EXPECT_EQ(GroupedText(4294967295), "4,294,967,295");
    EXPECT_EQ(GroupedText(-1234567), "-1,234,567");
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(249.9999), 250);
    EXPECT_EQ(ParseDecimal(u" 1.5 "), 1.5);
    EXPECT_EQ(ParseDecimal(u"1E-5"), 1e-5);
    EXPECT_FALSE(ParseDecimal(u"AUTO"));
    EXPECT_FALSE(ParseDecimal(u"1,000"));
    EXPECT_FALSE(ParseDecimal(u"inf"));
    EXPECT_FALSE(ParseSingle(u"1e39"));
}

TEST(NumberText, IgnoresTheUsersLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool cLocaleSet = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(FixedText(2.5, 1), "2.5");
    EXPECT_EQ(GeneralFloatText(0.125), "0.125");
    EXPECT_EQ(GroupedText(1234567), "1,234,567");
    EXPECT_EQ(ParseDecimal(u"2.5"), 2.5);
    EXPECT_EQ(ExposureBiasText(-0.5F), "-1/2");
    QLocale::setDefault(saved);
    if (cLocaleSet) std::setlocale(LC_ALL, "C");
}

TEST(ExifFormat, RationalText) {
    EXPECT_EQ(RationalText(72, 1, 1), "72.0");
    EXPECT_EQ(RationalText(0, 0, 1), "#0div");
    EXPECT_EQ(RationalText(5, 0, 2), "#0div");
    EXPECT_EQ(RationalText(313, 1000, 2), "0.31");
    EXPECT_EQ(RationalText(329, 1000, 2), "0.33");
    EXPECT_EQ(RationalText(4294967295U, 1, 1), "4294967295.0");
}

TEST(ExifFormat, ExposureTimeText) {
    EXPECT_EQ(ExposureTimeText(1), "1/1");
    EXPECT_EQ(ExposureTimeText(2), "2");
    EXPECT_EQ(ExposureTimeText(1.5F), "1.5");
    EXPECT_EQ(ExposureTimeText(1.3F), "1.29999995231628");
    EXPECT_EQ(ExposureTimeText(0.004F), "1/250");
    EXPECT_EQ(ExposureTimeText(1.0F / 64), "1/64");
    EXPECT_EQ(ExposureTimeText(0), "");
    EXPECT_EQ(ExposureTimeText(-1), "");
    EXPECT_EQ(ExposureTimeText(0.000001F), "");
}

TEST(ExifFormat, ExposureBiasText) {
    EXPECT_EQ(ExposureBiasText(0), "0");
    EXPECT_EQ(ExposureBiasText(1), "+1");
    EXPECT_EQ(ExposureBiasText(-2), "-2");
    EXPECT_EQ(ExposureBiasText(1.0F / 3), "+1/3");
    EXPECT_EQ(ExposureBiasText(-0.5F), "-1/2");
    EXPECT_EQ(ExposureBiasText(-2.0F / 3), "-2/3");
    EXPECT_EQ(ExposureBiasText(0.3F), "+0.3");
    EXPECT_EQ(ExposureBiasText(0.25F), "+1/4");
    EXPECT_EQ(ExposureBiasText(1.5F), "+3/2");
    EXPECT_EQ(ExposureBiasText(0.125F), "+0.125");
    EXPECT_EQ(ExposureBiasText(0.33F), "+0.33");
    EXPECT_EQ(ExposureBiasText(-0.0004F), "0");
}

TEST(ExifFormat, FlashText) {
    EXPECT_EQ(FlashText(0), "Off");
    EXPECT_EQ(FlashText(1), "On");
    EXPECT_EQ(FlashText(5), "On (Strobe return light not detected)");
    EXPECT_EQ(FlashText(7), "On (Strobe return light detected)");
    EXPECT_EQ(FlashText(16), "Off");
    EXPECT_EQ(FlashText(25), "On");
}

TEST(ExifFormat, EnumerationTables) {
    EXPECT_EQ(ResolutionUnitText(2), "inch");
    EXPECT_EQ(ResolutionUnitText(3), "cm");
    EXPECT_FALSE(ResolutionUnitText(4));
    EXPECT_EQ(PhotometricText(6), "YCbCr");
    EXPECT_EQ(PhotometricText(1), "Other");
    EXPECT_EQ(ExposureProgramText(8), "Landscape mode");
    EXPECT_EQ(ExposureProgramText(9), "other");
    EXPECT_EQ(MeteringModeText(2), "CenterWeightedAverage");
    EXPECT_EQ(MeteringModeText(255), "other");
    EXPECT_EQ(LightSourceText(17), "Standard light A");
    EXPECT_EQ(LightSourceText(4), "other");
    EXPECT_EQ(LightSourceText(-1), "other");
    EXPECT_EQ(SensingMethodText(4), "Tree-chip color area sensor");
    EXPECT_FALSE(SensingMethodText(6));
    EXPECT_FALSE(SensingMethodText(0));
}

TEST(ExifFormat, StringTextReadsUtf8AndShiftJis) {
    EXPECT_EQ(ExifStringText("Canon"), "Canon");
    EXPECT_EQ(ExifStringText("\xE5\xB1\xB1\xE7\x94\xB0"), QString::fromUtf8("山田"));
    EXPECT_EQ(ExifStringText("\x8E\x52\x93\x63"), QString::fromUtf8("山田"));
}
