#include "exif/exif_format.h"
#include "exif/number_text.h"
#include "exif_builder.h"

#include <QLocale>
#include <clocale>

using namespace tollamar;

TEST(NumberText, GeneralFixedGroupedAndParsed) {
    const std::pair<double, const char*> general[] = {
        {100, "100"}, {0.125, "0.125"}, {-1.0 / 3, "-0.333333333333333"}, {1.3F, "1.29999995231628"},
        {0.0001, "0.0001"}, {0.000015, "1.5E-5"}, {123456789012345.0, "123456789012345"}, {1e15, "1E15"}, {-0.0, "0"}};
    for (auto [value, text] : general) EXPECT_EQ(GeneralFloatText(value), text);
    EXPECT_EQ(FixedText(72, 1), "72.0");
    EXPECT_EQ(GroupedText(999) + " " + GroupedText(1000) + " " + GroupedText(-1234567), "999 1,000 -1,234,567");
    EXPECT_EQ(RoundHalfEven(2.5) + RoundHalfEven(-3.5), 2 - 4);
    EXPECT_EQ(ParseDecimal(u" 1E-5 "), 1e-5);
    EXPECT_FALSE(ParseDecimal(u"1,000") || ParseDecimal(u"inf") || ParseSingle(u"1e39"));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // neither Qt's nor C's locale counts
    const bool cLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(FixedText(2.5, 1) + " " + GeneralFloatText(0.125) + " " + GroupedText(1234567), "2.5 0.125 1,234,567");
    EXPECT_EQ(ParseDecimal(u"2.5"), 2.5);
    QLocale::setDefault(QLocale::c());
    if (cLocale) std::setlocale(LC_ALL, "C");
}

TEST(ExifFormat, RationalExposureAndFlashTexts) {
    EXPECT_EQ(RationalText(72, 1, 1), "72.0");
    EXPECT_EQ(RationalText(0, 0, 1), "#0div");
    EXPECT_EQ(RationalText(4294967295U, 1, 1), "4294967295.0");
    const std::pair<float, const char*> times[] = {{1, "1/1"}, {2, "2"}, {1.3F, "1.29999995231628"}, {0.004F, "1/250"},
                                                   {0, ""}, {0.000001F, ""}};
    for (auto [x, text] : times) EXPECT_EQ(ExposureTimeText(x), text) << x;
    const std::pair<float, const char*> biases[] = {
        {0, "0"}, {1, "+1"}, {-2, "-2"}, {1.0F / 3, "+1/3"}, {-0.5F, "-1/2"}, {-2.0F / 3, "-2/3"}, {0.3F, "+0.3"},
        {0.25F, "+1/4"}, {1.5F, "+3/2"}, {0.125F, "+0.125"}, {0.33F, "+0.33"}, {-0.0004F, "0"},
        // Single precision puts these just short of a whole multiple.
        {-5.0F / 3, "-5/3"}, {0.7F, "+0.7"}, {2.3F, "+2.3"}};
    for (auto [x, text] : biases) EXPECT_EQ(ExposureBiasText(x), text) << x;
    EXPECT_EQ(QStringList({FlashText(0), FlashText(1), FlashText(5), FlashText(7), FlashText(16)}),
              QStringList({"Off", "On", "On (Strobe return light not detected)", "On (Strobe return light detected)",
                           "Off"}));
    EXPECT_FALSE(ResolutionUnitText(4) || SensingMethodText(6));
    EXPECT_EQ(ExifStringText("\xE5\xB1\xB1\xE7\x94\xB0"), QString::fromUtf8("山田"));  // UTF-8
    EXPECT_EQ(ExifStringText("\x8E\x52\x93\x63"), QString::fromUtf8("山田"));          // Shift-JIS
}
