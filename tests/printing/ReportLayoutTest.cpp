// The stored layout of the weekly-program report and the checks that keep a faulty layout from
// ever reaching a printer.
#include "TReportError.h"
#include "TReportLayoutReader.h"
#include "TReportPainter.h"
#include "zeft_Print.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

namespace zeft {
namespace {

TEST(ReportLayout, TheWeeklyProgramReportIsLaidOutAsDesigned) {
    const TReportProjectLayout project = ReadReportProjectFile(TZEFTPrintProfiles::ProjectFile);
    const TReport* report = project.FindReport(QStringLiteral("AllProfiles"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->PageFullName(), QStringLiteral("AllProfiles.Page1"));
    EXPECT_EQ(report->Parameters, (QStringList{"PageHeading", "PrintedOn", "PageNumbers"}));
    EXPECT_EQ(report->Page.Paper, QPageSize::A4);
    EXPECT_EQ(report->Page.OtherPapers, std::vector<QPageSize::PageSizeId>{QPageSize::Letter});
    EXPECT_EQ(report->Page.Orientation, QPageLayout::Portrait);

    const TReportRegion& region = report->Page.Region;
    EXPECT_EQ(region.Left, 20.0);
    EXPECT_EQ(region.Top, 15.0);
    EXPECT_EQ(region.Width, 170.0);
    EXPECT_EQ(region.Height, 262.0);
    ASSERT_EQ(region.Bands.size(), 4u);

    const TReportBand& header = region.Bands[0];
    EXPECT_EQ(header.Name, QStringLiteral("Header"));
    EXPECT_EQ(header.Kind, TReportBandKind::BodyHeader);
    EXPECT_EQ(header.Controller, QStringLiteral("Location"));
    EXPECT_EQ(header.Height, 7.0);
    ASSERT_EQ(header.Texts.size(), 1u);
    EXPECT_EQ(header.Texts[0].Source, TReportText::TSource::Parameter);
    EXPECT_EQ(header.Texts[0].Name, QStringLiteral("PageHeading"));
    EXPECT_EQ(header.Texts[0].Width, 170.0);
    EXPECT_EQ(header.Texts[0].Font, QStringLiteral("Heading"));

    const TReportBand& location = region.Bands[1];
    EXPECT_EQ(location.Name, QStringLiteral("Location"));
    EXPECT_EQ(location.Kind, TReportBandKind::Data);
    EXPECT_EQ(location.Height, 11.08);
    ASSERT_EQ(location.Texts.size(), 1u);
    EXPECT_EQ(location.Texts[0].Name, QStringLiteral("DisplayText"));
    EXPECT_EQ(location.Texts[0].Top, 5.0);
    EXPECT_EQ(location.Texts[0].Width, 170.0);
    EXPECT_EQ(location.Texts[0].Font, QStringLiteral("SubHeading"));
    ASSERT_EQ(location.Lines.size(), 1u);
    EXPECT_EQ(location.Lines[0].Top, 10.0);
    EXPECT_EQ(location.Lines[0].Length, 170.0);
    EXPECT_EQ(location.Lines[0].WidthPoints, 1.0);
    const TReportDataView* locations = project.FindDataView(location.DataView);
    ASSERT_NE(locations, nullptr);
    EXPECT_EQ(locations->Name, QStringLiteral("dvLocation"));
    EXPECT_EQ(locations->Connection, QStringLiteral("connHeatingLocations"));

    const TReportBand& intervals = region.Bands[2];
    EXPECT_EQ(intervals.Kind, TReportBandKind::Detail);
    EXPECT_EQ(intervals.Controller, QStringLiteral("Location"));
    EXPECT_EQ(intervals.Height, 10.0);
    EXPECT_TRUE(intervals.KeepBodyTogether);
    const TReportDataView* days = project.FindDataView(intervals.DataView);
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->Name, QStringLiteral("dvInterval"));
    EXPECT_EQ(days->Connection, QStringLiteral("connComfortIntervals"));
    ASSERT_EQ(intervals.Texts.size(), 15u);
    EXPECT_EQ(intervals.Texts[0].Name, QStringLiteral("DayOfWeek"));
    EXPECT_EQ(intervals.Texts[0].Left, 0.0);
    EXPECT_EQ(intervals.Texts[0].Width, 30.0);
    const double slotLefts[] = {30, 50, 70, 90, 110, 130, 150};
    for (int slot = 0; slot < 7; ++slot) {
        const TReportText& time = intervals.Texts[static_cast<std::size_t>(1 + 2 * slot)];
        const TReportText& temperature = intervals.Texts[static_cast<std::size_t>(2 + 2 * slot)];
        EXPECT_EQ(time.Name, QStringLiteral("Time%1").arg(slot, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(temperature.Name,
                  QStringLiteral("Temperature%1").arg(slot, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(time.Left, slotLefts[slot]);
        EXPECT_EQ(temperature.Left, slotLefts[slot]);
        EXPECT_EQ(time.Top, 0.0);
        EXPECT_EQ(temperature.Top, 5.0);
        EXPECT_EQ(time.Width, 20.0);
        EXPECT_EQ(temperature.Width, 20.0);
    }
    for (const TReportText& text : intervals.Texts) {
        EXPECT_EQ(text.Font, QStringLiteral("Data"));
        EXPECT_EQ(text.Alignment, TReportAlignment::Left);
    }

    // The footer: the print date on the left half, the page numbers on the right one.
    const TReportBand& footer = region.Bands[3];
    EXPECT_EQ(footer.Kind, TReportBandKind::PageFooter);
    EXPECT_EQ(footer.Height, 7.0);
    ASSERT_EQ(footer.Texts.size(), 2u);
    EXPECT_EQ(footer.Texts[0].Name, QStringLiteral("PrintedOn"));
    EXPECT_FALSE(footer.Texts[0].PageNumbers);
    EXPECT_EQ(footer.Texts[0].Alignment, TReportAlignment::Left);
    EXPECT_EQ(footer.Texts[1].Name, QStringLiteral("PageNumbers"));
    EXPECT_TRUE(footer.Texts[1].PageNumbers);
    EXPECT_EQ(footer.Texts[1].Alignment, TReportAlignment::Right);
    EXPECT_EQ(footer.Texts[1].Left + footer.Texts[1].Width, 170.0);
    for (const TReportText& text : footer.Texts)
        EXPECT_EQ(text.Font, QStringLiteral("Footer"));

    struct {
        const char* Name;
        double Size;
        bool Bold;
    } const fonts[] = {
        {"Heading", 16, true}, {"SubHeading", 12, true}, {"Data", 10, false}, {"Footer", 8, false}};
    for (const auto& expected : fonts) {
        const TReportFont* font = project.FindFont(QLatin1String(expected.Name));
        ASSERT_NE(font, nullptr) << expected.Name;
        EXPECT_EQ(font->PointSize, expected.Size) << expected.Name;
        EXPECT_EQ(font->Bold, expected.Bold) << expected.Name;
        EXPECT_EQ(font->Families,
                  (QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}));
    }
}

TEST(ReportLayout, FontsFallBackToTheFirstInstalledFamily) {
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        << "fonts-liberation is not installed";
    const QFont font =
        ResolveReportFont({QStringLiteral("F"),
                           {QStringLiteral("No Such Font 4711"), QStringLiteral("Liberation Sans")},
                           12.0,
                           true});
    EXPECT_EQ(font.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(font.pointSizeF(), 12.0);
    EXPECT_TRUE(font.bold());

    const QFont fallback = ResolveReportFont(
        {QStringLiteral("F"), {QStringLiteral("No Such Font 4711")}, 10.0, false});
    EXPECT_EQ(fallback.styleHint(), QFont::SansSerif);
    EXPECT_FALSE(QFontInfo(fallback).family().isEmpty());
}

const char* const ValidLayout = R"(<reportProject name="Test">
  <font name="F" families="Liberation Sans" size="10"/>
  <dataView name="dvMaster" connection="connMaster"/>
  <dataView name="dvDetail" connection="connDetail"/>
  <report name="R">
    <parameter name="Title"/>
    <page name="P" paper="A4" otherPapers="Letter" orientation="portrait">
      <region left="10" top="10" width="100" height="100">
        <band name="Head" kind="bodyHeader" controller="Master" height="10">
          <text parameter="Title" left="0" top="0" width="100" font="F"/>
        </band>
        <band name="Master" kind="data" dataView="dvMaster" height="10">
          <text column="Name" left="0" top="0" width="100" font="F"/>
          <line left="0" top="9" length="100"/>
        </band>
        <band name="Detail" kind="detail" dataView="dvDetail" controller="Master" height="10">
          <text column="Value" left="10" top="0" width="90" font="F"/>
        </band>
        <band name="Foot" kind="pageFooter" height="10">
          <text parameter="Title" pageNumbers="true" left="0" top="0" width="100" font="F"/>
        </band>
      </region>
    </page>
  </report>
</reportProject>)";

struct TFaultyLayout {
    const char* Name;
    const char* Replace;
    const char* With;
    const char* Message;
};

void PrintTo(const TFaultyLayout& param, std::ostream* out) {
    *out << param.Name;
}

class FaultyReportLayout : public testing::TestWithParam<TFaultyLayout> {};

TEST_P(FaultyReportLayout, IsRefusedWithAMessageThatSaysWhy) {
    const TFaultyLayout& param = GetParam();
    std::string xml = ValidLayout;
    const auto at = xml.find(param.Replace);
    ASSERT_NE(at, std::string::npos) << param.Replace;
    xml.replace(at, std::strlen(param.Replace), param.With);
    try {
        ReadReportProject(QByteArray::fromStdString(xml), QStringLiteral("faulty.rav"));
        FAIL() << "accepted";
    } catch (const TReportError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("faulty.rav"), std::string::npos) << message;
        EXPECT_NE(message.find(param.Message), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaultyReportLayout,
    testing::Values(
        TFaultyLayout{"NotXml", "<reportProject name=\"Test\">", "<reportProject", "offset"},
        TFaultyLayout{"UnknownFont", "width=\"90\" font=\"F\"", "width=\"90\" font=\"G\"",
                      "font \"G\" is not defined"},
        TFaultyLayout{"TextWiderThanTheRegion", "left=\"10\" top=\"0\" width=\"90\"",
                      "left=\"20\" top=\"0\" width=\"90\"", "does not lie inside"},
        TFaultyLayout{"TextBelowItsBand", "left=\"10\" top=\"0\" width=\"90\"",
                      "left=\"10\" top=\"10\" width=\"90\"", "does not lie inside"},
        TFaultyLayout{"LineOutsideItsBand", "top=\"9\" length=\"100\"", "top=\"9\" length=\"101\"",
                      "does not lie inside"},
        TFaultyLayout{"RegionOffThePaper", "width=\"100\" height=\"100\"",
                      "width=\"100\" height=\"290\"", "does not fit on the paper"},
        TFaultyLayout{"TwoRegions", "</region>",
                      "</region><region left=\"0\" top=\"0\" "
                      "width=\"1\" height=\"1\"/>",
                      "exactly one region"},
        TFaultyLayout{"DetailWithoutController",
                      "controller=\"Master\" height=\"10\">\n          "
                      "<text column=\"Value\"",
                      "height=\"10\">\n          <text column=\"Value\"", "controller is missing"},
        TFaultyLayout{"ControllerThatIsNoDataBand",
                      "kind=\"detail\" dataView=\"dvDetail\" "
                      "controller=\"Master\"",
                      "kind=\"detail\" dataView=\"dvDetail\" controller=\"Head\"",
                      "is not a data band"},
        TFaultyLayout{"DetailsInACircle", "kind=\"data\" dataView=\"dvMaster\" height=\"10\"",
                      "kind=\"detail\" dataView=\"dvMaster\" controller=\"Detail\" height=\"10\"",
                      "circle"},
        TFaultyLayout{"ColumnOnAHeader", "<text parameter=\"Title\"", "<text column=\"Title\"",
                      "no columns"},
        TFaultyLayout{"UndeclaredParameter", "<parameter name=\"Title\"/>", "",
                      "declares no parameter"},
        TFaultyLayout{"BadNumber", "height=\"100\">", "height=\"1OO\">", "must be a number"},
        TFaultyLayout{"NegativeNumber", "left=\"10\" top=\"10\"", "left=\"-10\" top=\"10\"",
                      "must be a number"},
        TFaultyLayout{"UnknownPaper", "paper=\"A4\"", "paper=\"A7\"", "unknown paper"},
        TFaultyLayout{"UnknownDataView", "dataView=\"dvDetail\"", "dataView=\"dvNothing\"",
                      "data view \"dvNothing\" is not defined"},
        TFaultyLayout{"TwoPages", "</page>", "</page><page name=\"Q\"/>", "one page template"},
        TFaultyLayout{"BandTallerThanTheRegion",
                      "kind=\"data\" dataView=\"dvMaster\" height=\"10\"",
                      "kind=\"data\" dataView=\"dvMaster\" height=\"101\"", "fit in the region"},
        TFaultyLayout{"RegionOffTheOtherPaper", "width=\"100\" height=\"100\"",
                      "width=\"100\" height=\"270\"", "does not fit on the paper Letter"},
        TFaultyLayout{"UnknownOtherPaper", "otherPapers=\"Letter\"", "otherPapers=\"Letter;B9\"",
                      "unknown paper \"B9\""},
        TFaultyLayout{"ColumnOnAFooter", "<text parameter=\"Title\" pageNumbers",
                      "<text column=\"Name\" pageNumbers", "no columns"},
        TFaultyLayout{"PageNumbersOffTheFooter", "<text parameter=\"Title\" left",
                      "<text parameter=\"Title\" pageNumbers=\"true\" left", "page footers only"},
        TFaultyLayout{"FooterWithAController", "kind=\"pageFooter\" height",
                      "kind=\"pageFooter\" controller=\"Master\" height", "no controller"},
        TFaultyLayout{"FooterWithRows", "kind=\"pageFooter\" height",
                      "kind=\"pageFooter\" dataView=\"dvMaster\" height", "no data view"},
        TFaultyLayout{"FootersFillingTheRegion", "kind=\"pageFooter\" height=\"10\"",
                      "kind=\"pageFooter\" height=\"100\"", "leave no room"}),
    [](const testing::TestParamInfo<TFaultyLayout>& info) { return info.param.Name; });

TEST(ReportLayout, AnotherKindOfDocumentIsRefused) {
    try {
        ReadReportProject("<layout/>", QStringLiteral("other.xml"));
        FAIL() << "accepted";
    } catch (const TReportError& error) {
        EXPECT_NE(std::string(error.what()).find("root element"), std::string::npos)
            << error.what();
    }
}

TEST(ReportLayout, AMissingProjectFileIsAnError) {
    EXPECT_THROW(ReadReportProjectFile(QStringLiteral(":/printing/NoSuchProject.rav")),
                 TReportError);
}

} // namespace
} // namespace zeft
