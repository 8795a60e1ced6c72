#include "zeft_Routines.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>

namespace zeft {
namespace {

struct TFormatCase {
    const char* Name;
    const char* Format;
    std::vector<TFormatArg> Args;
    const char* WithPoint; // separator '.'
    const char* WithComma; // separator ','
};

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const TFormatCase FormatCases[] = {
    // The program's own format strings.
    {"Temperature", "%0:.1f°C", {21.5}, "21.5°C", "21,5°C"},
    {"TemperatureWholeNumber", "%0:.1f°C", {5.0}, "5.0°C", "5,0°C"},
    {"TemperatureHalfRoundsAwayFromZero", "%0:.1f°C", {17.25}, "17.3°C", "17,3°C"},
    {"TemperatureDecimalTextRounded", "%0:.1f°C", {0.15}, "0.2°C", "0,2°C"},
    {"TimeAndTemperature",
     "%1:s %0:.1f°C",
     {19.0, QStringLiteral("06:30")},
     "06:30 19.0°C",
     "06:30 19,0°C"},
    {"DayAndNumber", "%0:s%1:d", {QStringLiteral("Template "), 3LL}, "Template 3", "Template 3"},
    {"Progress", "Data transfer: %d%%", {42LL}, "Data transfer: 42%", "Data transfer: 42%"},
    {"About", "About %s", {QStringLiteral("ZEFT")}, "About ZEFT", "About ZEFT"},
    {"VersionQueryPath",
     "\\StringFileInfo\\%4.4x%4.4x\\%s",
     {0x0409LL, 0x04B0LL, QStringLiteral("FileVersion")},
     "\\StringFileInfo\\040904B0\\FileVersion",
     "\\StringFileInfo\\040904B0\\FileVersion"},
    {"PeriodLimit",
     "A maximum of %0:d switching periods can be programmed for each day.",
     {7}, // a plain int, as callers pass it
     "A maximum of 7 switching periods can be programmed for each day.",
     "A maximum of 7 switching periods can be programmed for each day."},
    {"ProductLine",
     "%0:s (Version %1:s)",
     {QStringLiteral("ZEFT"), QStringLiteral("1.0.0")},
     "ZEFT (Version 1.0.0)",
     "ZEFT (Version 1.0.0)"},
    // Indexes, widths and precisions.
    {"IndexSetsPositionForFollowers",
     "%1:s %s %0:s %s",
     {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
     "b c a b",
     "b c a b"},
    {"HexMinimumDigits", "%4.4x|%.2x|%x", {0xABLL, 5LL, 0x1F2ELL}, "00AB|05|1F2E", "00AB|05|1F2E"},
    {"HexWidthWithoutPrecision", "[%4x]", {0xFLL}, "[   F]", "[   F]"},
    {"DecimalPrecisionPadsWithZeros",
     "%.3d|%.3d|%5.3d",
     {7LL, -7LL, 42LL},
     "007|-007|  042",
     "007|-007|  042"},
    {"NegativeHexIs32BitTwosComplement", "%x", {-1LL}, "FFFFFFFF", "FFFFFFFF"},
    {"WidthAndLeftAlign",
     "[%5s][%-5s][%-6.2f]",
     {QStringLiteral("ab"), QStringLiteral("cd"), 1.5},
     "[   ab][cd   ][1.50  ]",
     "[   ab][cd   ][1,50  ]"},
    {"StarWidthAndPrecision", "[%*.*f]", {7LL, 2LL, 3.14159}, "[   3.14]", "[   3,14]"},
    {"StringPrecisionCuts", "%.3s", {QStringLiteral("abcdef")}, "abc", "abc"},
    {"FloatDefaultsToTwoDecimals", "%f", {2.0}, "2.00", "2,00"},
    {"FloatAcceptsInteger", "%.1f", {3LL}, "3.0", "3,0"},
    {"FloatWithoutDecimals", "%.0f|%.0f|%.0f", {2.5, 3.5, -0.5}, "3|4|-1", "3|4|-1"},
    {"NegativeHalfRoundsAwayFromZero", "%.1f", {-17.25}, "-17.3", "-17,3"},
    {"RoundingCarriesIntoIntegerPart", "%.1f|%.2f", {9.96, 99.999}, "10.0|100.00", "10,0|100,00"},
    {"TinyNegativeShowsNoSign", "%.1f", {-0.01}, "0.0", "0,0"},
    {"LargeAndSmallMagnitudes",
     "%.1f|%.3f",
     {1.5e15, 1.5e-7},
     "1500000000000000.0|0.000",
     "1500000000000000,0|0,000"},
    {"UpperCaseTypes",
     "%D %S %.1F %X",
     {1LL, QStringLiteral("s"), 2.25, 255LL},
     "1 s 2.3 FF",
     "1 s 2,3 FF"},
    {"UnsignedNegative", "%u", {-2LL}, "4294967294", "4294967294"},
    // Faults in format or arguments leave the specifier as it stands.
    {"MissingArgument", "%s and %s", {QStringLiteral("one")}, "one and %s", "one and %s"},
    {"IndexBeyondArguments", "%5:d|%d", {1LL}, "%5:d|%d", "%5:d|%d"},
    {"MismatchedTypes",
     "%d|%s|%x|%f",
     {1.5, 2LL, QStringLiteral("x"), QStringLiteral("y")},
     "%d|%s|%x|%f",
     "%d|%s|%x|%f"},
    {"UnknownTypeTakesNoArgument", "%q %d", {4LL}, "%q 4", "%q 4"},
    {"TrailingPercent", "100%", {}, "100%", "100%"},
    {"UnfinishedSpecifier", "%0:.", {1.0}, "%0:.", "%0:."},
    {"NotANumber", "%.1f", {std::numeric_limits<double>::quiet_NaN()}, "NAN", "NAN"},
    {"HugeWidthIsCapped", "%9999999999d", {1LL}, nullptr, nullptr},
};

class FormatTextCases : public testing::TestWithParam<TFormatCase> {};

TEST_P(FormatTextCases, FormatsWithPointAndComma) {
    const TFormatCase& c = GetParam();
    const QString withPoint = FormatText(Text(c.Format), c.Args, QLatin1Char('.'));
    const QString withComma = FormatText(Text(c.Format), c.Args, QLatin1Char(','));
    if (!c.WithPoint) {
        // Only that it ends and stays within a sane size.
        EXPECT_LE(withPoint.size(), 5000);
        EXPECT_TRUE(withPoint.endsWith(QLatin1Char('1')));
        return;
    }
    EXPECT_EQ(withPoint, Text(c.WithPoint));
    EXPECT_EQ(withComma, Text(c.WithComma));
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatTextCases, testing::ValuesIn(FormatCases),
                         [](const testing::TestParamInfo<TFormatCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST(FormatText, ShortFormUsesTheDefaultLocalesSeparator) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(UserDecimalSeparator(), QLatin1Char(','));
    EXPECT_EQ(FormatText(QStringLiteral("%0:.1f°C"), {21.5}), QStringLiteral("21,5°C"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(UserDecimalSeparator(), QLatin1Char('.'));
    EXPECT_EQ(FormatText(QStringLiteral("%0:.1f°C"), {21.5}), QStringLiteral("21.5°C"));
    EXPECT_EQ(UserShortTimeFormat(), QLocale().timeFormat(QLocale::ShortFormat));
    EXPECT_NE(UserShortTimeFormat(), QLocale(QLocale::German).timeFormat(QLocale::ShortFormat));
    QLocale::setDefault(saved);
}

TEST(UserShortTimeFormat, KeepsHoursAndMinutesOnly) {
    const QLocale saved;
    const std::pair<QLocale, QString> cases[] = {
        {QLocale::c(), QStringLiteral("HH:mm")},
        {QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("h:mm AP")},
        {QLocale(QLocale::German, QLocale::Germany), QStringLiteral("HH:mm")},
        {QLocale(QLocale::French, QLocale::France), QStringLiteral("HH:mm")},
    };
    for (const auto& [locale, expected] : cases) {
        QLocale::setDefault(locale);
        EXPECT_EQ(UserShortTimeFormat(), expected) << locale.name().toStdString();
    }
    QLocale::setDefault(saved);
}

TEST(WithoutAccelerator, RemovesMarkersAndKeepsDoubledAmpersands) {
    EXPECT_EQ(WithoutAccelerator(QStringLiteral("&Save")), QStringLiteral("Save"));
    EXPECT_EQ(WithoutAccelerator(QStringLiteral("E&xit")), QStringLiteral("Exit"));
    EXPECT_EQ(WithoutAccelerator(QStringLiteral("Ö&ffnen...")), QStringLiteral("Öffnen..."));
    EXPECT_EQ(WithoutAccelerator(QStringLiteral("Salt && &Pepper")),
              QStringLiteral("Salt & Pepper"));
    EXPECT_EQ(WithoutAccelerator(QStringLiteral("End&")), QStringLiteral("End"));
    EXPECT_EQ(WithoutAccelerator(QString()), QString());
}

} // namespace
} // namespace zeft
