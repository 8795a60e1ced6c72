// The banded-report layer without a printer: which band instances land on which page, in which
// order the data connections are asked, and what happens when the data breaks the rules.
#include "TReportComposer.h"
#include "TReportDataConnection.h"
#include "TReportError.h"
#include "TReportLayoutReader.h"

#include <gtest/gtest.h>

namespace zeft {
namespace {

/// A master list of names, each with its own number of detail rows ("A.0", "A.1", ..).
class TMasterDetailData {
public:
    TMasterDetailData(QStringList masters, std::vector<int> detailCounts)
        : FMasters(std::move(masters)), FDetailCounts(std::move(detailCounts)) {
        Master.OnOpen = [this] {
            Events.append(QStringLiteral("master open"));
            return static_cast<int>(FMasters.size());
        };
        Master.OnGetCols = [](TReportColumns& columns) {
            columns.push_back({QStringLiteral("Name"), TReportDataType::Text, 10});
        };
        Master.OnGetRow = [this](int row, QStringList& values) {
            Events.append(QStringLiteral("master row %1").arg(row));
            FCurrent = row;
            values.append(FMasters[row]);
        };
        Detail.OnOpen = [this] {
            Events.append(QStringLiteral("detail open"));
            return FDetailCounts[static_cast<std::size_t>(FCurrent)];
        };
        Detail.OnGetCols = [](TReportColumns& columns) {
            columns.push_back({QStringLiteral("Value"), TReportDataType::Text, 10});
        };
        Detail.OnGetRow = [this](int row, QStringList& values) {
            Events.append(QStringLiteral("detail row %1").arg(row));
            values.append(QStringLiteral("%1.%2").arg(FMasters[FCurrent]).arg(row));
        };
    }

    TReportConnections Connections() {
        return {{Master.Name(), &Master}, {Detail.Name(), &Detail}};
    }

    TReportDataConnection Master{QStringLiteral("connMaster")};
    TReportDataConnection Detail{QStringLiteral("connDetail")};
    QStringList Events;

private:
    QStringList FMasters;
    std::vector<int> FDetailCounts;
    int FCurrent = -1;
};

struct TLayoutOptions {
    double RegionHeight = 100.0;
    bool KeepDetailTogether = true;
    bool ReprintHeader = false;
    bool Footer = false; ///< a 10 mm page footer with the page numbers
};

/// A region of the given height with a 10 mm header, 10 mm master rows and 10 mm detail rows.
TReportProjectLayout MasterDetailLayout(const TLayoutOptions& options) {
    const QString xml = QStringLiteral(R"(<reportProject name="Test">
  <font name="F" families="Liberation Sans" size="10"/>
  <dataView name="dvMaster" connection="connMaster"/>
  <dataView name="dvDetail" connection="connDetail"/>
  <report name="R">
    <parameter name="Title"/>
    <parameter name="Pages"/>
    <page name="P" paper="A4" orientation="portrait">
      <region left="10" top="10" width="100" height="%1">
        <band name="Head" kind="bodyHeader" controller="Master" height="10" reprintOnNewPage="%3">
          <text parameter="Title" left="0" top="0" width="100" font="F"/>
        </band>
        <band name="Master" kind="data" dataView="dvMaster" height="10">
          <text column="Name" left="0" top="0" width="100" font="F"/>
        </band>
        <band name="Detail" kind="detail" dataView="dvDetail" controller="Master" height="10"
              keepBodyTogether="%2">
          <text column="Value" left="10" top="0" width="90" font="F"/>
        </band>%4
      </region>
    </page>
  </report>
</reportProject>)")
                            .arg(options.RegionHeight)
                            .arg(options.KeepDetailTogether ? "true" : "false")
                            .arg(options.ReprintHeader ? "true" : "false")
                            .arg(options.Footer ? R"(
        <band name="Foot" kind="pageFooter" height="10">
          <text parameter="Pages" pageNumbers="true" left="0" top="0" width="50" font="F"/>
          <text parameter="Title" left="50" top="0" width="50" font="F"/>
        </band>)"
                                                : "");
    return ReadReportProject(xml.toUtf8(), QStringLiteral("test layout"));
}

/// Each page as "text@top" entries, e.g. "Title@0 A@10 A.0@20".
QStringList Pages(const TReportDocument& document) {
    QStringList pages;
    for (const TComposedPage& page : document.Pages) {
        QStringList bands;
        for (const TPlacedBand& band : page.Bands)
            bands.append(
                QStringLiteral("%1@%2").arg(band.Texts.join(QLatin1Char(','))).arg(band.Top));
        pages.append(bands.join(QLatin1Char(' ')));
    }
    return pages;
}

struct TPaginationCase {
    const char* Name;
    TLayoutOptions Options;
    QStringList Masters;
    std::vector<int> DetailCounts;
    QStringList ExpectedPages;
};

void PrintTo(const TPaginationCase& param, std::ostream* out) {
    *out << param.Name;
}

class ReportPagination : public testing::TestWithParam<TPaginationCase> {};

TEST_P(ReportPagination, PlacesEveryBandInstance) {
    const TPaginationCase& param = GetParam();
    const TReportProjectLayout layout = MasterDetailLayout(param.Options);
    TMasterDetailData data(param.Masters, param.DetailCounts);
    const TReportDocument document =
        ComposeReport(layout, layout.Reports.front(), data.Connections(),
                      {{"Title", "Title"}, {"Pages", "%0:d/%1:d"}});
    EXPECT_EQ(Pages(document), param.ExpectedPages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportPagination,
    testing::Values(
        TPaginationCase{"KeptDetailsMoveWithTheirMasterRow",
                        {110.0, true, false},
                        {"A", "B", "C"},
                        {3, 3, 3},
                        {"Title@0 A@10 A.0@20 A.1@30 A.2@40 B@50 B.0@60 B.1@70 B.2@80",
                         "C@0 C.0@10 C.1@20 C.2@30"}},
        TPaginationCase{"LooseDetailsFillThePage",
                        {110.0, false, false},
                        {"A", "B", "C"},
                        {3, 3, 3},
                        {"Title@0 A@10 A.0@20 A.1@30 A.2@40 B@50 B.0@60 B.1@70 B.2@80 C@90 "
                         "C.0@100",
                         "C.1@0 C.2@10"}},
        TPaginationCase{
            "AMasterRowIsNeverLeftWithoutItsFirstDetail",
            {100.0, false, false},
            {"A", "B"},
            {7, 2},
            {"Title@0 A@10 A.0@20 A.1@30 A.2@40 A.3@50 A.4@60 A.5@70 A.6@80", "B@0 B.0@10 B.1@20"}},
        TPaginationCase{"ABodyLargerThanAPageRunsOn",
                        {50.0, true, false},
                        {"A", "B"},
                        {6, 1},
                        {"Title@0 A@10 A.0@20 A.1@30 A.2@40", "A.3@0 A.4@10 A.5@20 B@30 B.0@40"}},
        TPaginationCase{"MastersWithoutDetailsFollowEachOther",
                        {30.0, true, false},
                        {"A", "B", "C", "D"},
                        {0, 0, 0, 0},
                        {"Title@0 A@10 B@20", "C@0 D@10"}},
        TPaginationCase{"AReprintedHeaderOpensEveryPage",
                        {60.0, true, true},
                        {"A", "B", "C"},
                        {2, 2, 2},
                        {"Title@0 A@10 A.0@20 A.1@30", "Title@0 B@10 B.0@20 B.1@30",
                         "Title@0 C@10 C.0@20 C.1@30"}},
        TPaginationCase{"NoRowsLeaveTheHeaderAlone", {100.0, true, true}, {}, {}, {"Title@0"}},
        // Without the footer C would fit at 90; the body stops 10 mm higher, and every page
        // ends with its number out of the total.
        TPaginationCase{"AFooterStandsBelowTheBodyOfEveryPage",
                        {100.0, true, false, true},
                        {"A", "B", "C"},
                        {3, 3, 0},
                        {"Title@0 A@10 A.0@20 A.1@30 A.2@40 B@50 B.0@60 B.1@70 B.2@80 1/2,Title@90",
                         "C@0 2/2,Title@90"}},
        TPaginationCase{
            "AFooterOnTheOnlyPage", {100.0, true, true, true}, {}, {}, {"Title@0 1/1,Title@90"}}),
    [](const testing::TestParamInfo<TPaginationCase>& info) { return info.param.Name; });

TEST(ReportComposer, OpensEachDetailRunWhileItsMasterRowIsCurrent) {
    const TReportProjectLayout layout = MasterDetailLayout({});
    TMasterDetailData data({"A", "B"}, {2, 1});
    ComposeReport(layout, layout.Reports.front(), data.Connections(), {});
    EXPECT_EQ(data.Events,
              (QStringList{"master open", "master row 0", "detail open", "detail row 0",
                           "detail row 1", "master row 1", "detail open", "detail row 0"}));
}

TEST(ReportComposer, AParameterNeverSetPrintsEmpty) {
    const TReportProjectLayout layout = MasterDetailLayout({});
    TMasterDetailData data({"A"}, {0});
    const TReportDocument document =
        ComposeReport(layout, layout.Reports.front(), data.Connections(), {});
    EXPECT_EQ(Pages(document), QStringList{"@0 A@10"});
}

TEST(ReportComposer, ADataViewWithoutItsConnectionIsAnError) {
    const TReportProjectLayout layout = MasterDetailLayout({});
    TMasterDetailData data({"A"}, {1});
    const TReportConnections onlyMaster = {{data.Master.Name(), &data.Master}};
    try {
        ComposeReport(layout, layout.Reports.front(), onlyMaster, {});
        FAIL() << "composed without the detail connection";
    } catch (const TReportError& error) {
        EXPECT_NE(std::string(error.what()).find("connDetail"), std::string::npos) << error.what();
    }
}

TEST(ReportComposer, AColumnTheConnectionDoesNotDeclareIsAnError) {
    const TReportProjectLayout layout = MasterDetailLayout({});
    TMasterDetailData data({"A"}, {1});
    data.Detail.OnGetCols = [](TReportColumns& columns) {
        columns.push_back({QStringLiteral("Other"), TReportDataType::Text, 10});
    };
    try {
        ComposeReport(layout, layout.Reports.front(), data.Connections(), {});
        FAIL() << "composed a column nobody declared";
    } catch (const TReportError& error) {
        EXPECT_NE(std::string(error.what()).find("Value"), std::string::npos) << error.what();
    }
}

TEST(ReportDataConnection, DeliversRowsAndChecksWhatTheProgramAnswers) {
    TReportDataConnection connection(QStringLiteral("conn"));
    EXPECT_EQ(connection.Open(), 0) << "an empty slot has no rows";

    connection.OnOpen = [] { return -3; };
    EXPECT_EQ(connection.Open(), 0);

    connection.OnOpen = [] { return 2; };
    connection.OnGetCols = [](TReportColumns& columns) {
        columns.push_back({QStringLiteral("A"), TReportDataType::Text, 4});
        columns.push_back({QStringLiteral("B"), TReportDataType::Integer, 2});
    };
    connection.OnGetRow = [](int row, QStringList& values) {
        values << QStringLiteral("a%1").arg(row) << QString::number(row);
    };
    ASSERT_EQ(connection.Open(), 2);
    EXPECT_EQ(connection.ColumnIndex(QStringLiteral("B")), 1);
    EXPECT_EQ(connection.ColumnIndex(QStringLiteral("C")), -1);
    EXPECT_EQ(connection.GetRow(1), (QStringList{"a1", "1"}));
    EXPECT_THROW(connection.GetRow(2), TReportError);
    EXPECT_THROW(connection.GetRow(-1), TReportError);

    connection.OnGetRow = [](int, QStringList& values) { values << QStringLiteral("only one"); };
    EXPECT_THROW(connection.GetRow(0), TReportError);

    connection.OnGetCols = [](TReportColumns& columns) {
        columns.push_back({QStringLiteral("A"), TReportDataType::Text, 4});
        columns.push_back({QStringLiteral("A"), TReportDataType::Text, 4});
    };
    EXPECT_THROW(connection.Open(), TReportError);
}

} // namespace
} // namespace zeft
