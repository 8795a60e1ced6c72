#include "TLegend.h"
#include "zeft_EditorGeometry.h"
#include "zeft_LegendHourLabel.h"

#include <QLabel>
#include <QLocale>
#include <gtest/gtest.h>

namespace zeft {
namespace {

QStringList AllLabels() {
    QStringList labels;
    for (int hour = 0; hour <= 24; ++hour)
        labels << LegendHourLabel(hour);
    return labels;
}

QStringList Expected(const char* const* sixHourLabels) {
    QStringList labels;
    for (int hour = 0; hour <= 24; ++hour) {
        if (hour % 6 == 0)
            labels << QString::fromUtf8(sixHourLabels[hour / 6]);
        else
            labels << (hour % 3 == 0 ? QStringLiteral("|") : QStringLiteral("."));
    }
    return labels;
}

struct TLocaleCase {
    QLocale::Language Language;
    QLocale::Territory Territory;
    const char* ShortFormat; // as Qt gives it for that locale, to show what the case tests
    const char* SixHourLabels[5];
};

class LegendHourLabelLocaleTest : public ::testing::TestWithParam<TLocaleCase> {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(LegendHourLabelLocaleTest, LabelsFollowTheUsersShortTimeFormat) {
    const TLocaleCase& c = GetParam();
    QLocale::setDefault(QLocale(c.Language, c.Territory));
    ASSERT_EQ(QLocale().timeFormat(QLocale::ShortFormat), QString::fromUtf8(c.ShortFormat));
    EXPECT_EQ(AllLabels(), Expected(c.SixHourLabels)) << AllLabels().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LegendHourLabelLocaleTest,
    ::testing::Values(
        // 24-hour clock with leading zero: 06:01 loses its zero.
        TLocaleCase{QLocale::German, QLocale::Germany, "HH:mm", {"0", "6", "12", "18", "24"}},
        // 24-hour clock without leading zero: the colon of 6:01 is no digit, 6 remains.
        TLocaleCase{QLocale::Spanish, QLocale::Spain, "H:mm", {"0", "6", "12", "18", "24"}},
        // 12-hour clock: midnight is 12:01 AM, so hour 24 stays 12.
        TLocaleCase{
            QLocale::English, QLocale::UnitedStates, "h:mm AP", {"12", "6", "12", "6", "12"}},
        // A dot as separator works like the colon.
        TLocaleCase{QLocale::Finnish, QLocale::Finland, "H.mm", {"0", "6", "12", "18", "24"}}));

struct TFormatCase {
    const char* Format;
    int Hour;
    const char* Label;
};

class LegendHourLabelFormatTest : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(LegendHourLabelFormatTest, Table) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const TFormatCase& c = GetParam();
    EXPECT_EQ(LegendHourLabel(c.Hour, QString::fromUtf8(c.Format)), QString::fromUtf8(c.Label))
        << c.Format << " hour " << c.Hour;
    QLocale::setDefault(QLocale::c());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LegendHourLabelFormatTest,
    ::testing::Values(TFormatCase{"HH:mm", 0, "0"}, TFormatCase{"HH:mm", 24, "24"},
                      TFormatCase{"HH:mm", 12, "12"}, TFormatCase{"H:mm", 6, "6"},
                      TFormatCase{"H:mm", 18, "18"}, TFormatCase{"hh:mm AP", 6, "6"},
                      TFormatCase{"hh:mm AP", 0, "12"}, TFormatCase{"hh:mm AP", 24, "12"},
                      TFormatCase{"h:mm AP", 18, "6"}, TFormatCase{"HH:mm:ss", 18, "18"},
                      TFormatCase{"HH:mm", 3, "|"}, TFormatCase{"HH:mm", 21, "|"},
                      TFormatCase{"HH:mm", 1, "."}, TFormatCase{"HH:mm", 23, "."},
                      // a format that begins with the designator keeps its first letter
                      TFormatCase{"AP h:mm", 6, "A"}));

TEST(LegendTest, TwentyFiveColumnsFollowTheWidthWithoutNewLabels) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QWidget row;
    auto* legend = new TLegend(&row);
    row.resize(800, 43);
    legend->setGeometry(0, 27, 494, 16);
    row.show();
    QList<QLabel*> labels;
    for (int k = 0; k < LegendColumnCount; ++k)
        labels << legend->Label(k);

    const auto check = [&](int width) {
        const auto edges = LegendColumnEdges(width);
        for (int k = 0; k < LegendColumnCount; ++k) {
            const QRect cell = legend->Label(k)->geometry();
            EXPECT_EQ(cell.left(), edges[static_cast<size_t>(k)]) << "column " << k;
            EXPECT_EQ(cell.right() + 1, edges[static_cast<size_t>(k) + 1]) << "column " << k;
            EXPECT_EQ(cell.height(), 16);
        }
    };
    check(494);
    EXPECT_EQ(legend->Label(1)->geometry().left(), 20);
    EXPECT_EQ(legend->Label(3)->geometry().left(), 59);
    EXPECT_EQ(legend->Label(24)->text(), QStringLiteral("24"));
    EXPECT_EQ(legend->Label(24)->geometry().right() + 1, 494);

    legend->resize(741, 16);
    check(741);
    for (int k = 0; k < LegendColumnCount; ++k)
        EXPECT_EQ(legend->Label(k), labels[k]);
    EXPECT_EQ(legend->findChildren<QLabel*>().size(), LegendColumnCount);
    EXPECT_TRUE(legend->Label(0)->alignment() & Qt::AlignLeft);
    QLocale::setDefault(QLocale::c());
}

TEST(LegendTest, LabelsAreMadeOnceAndKeepTheirFormat) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QWidget row;
    TLegend legend(&row);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    legend.resize(300, 16);
    EXPECT_EQ(legend.Label(0)->text(), QStringLiteral("12"));
    EXPECT_EQ(legend.Label(24)->text(), QStringLiteral("12"));
    QLocale::setDefault(QLocale::c());
}

} // namespace
} // namespace zeft
