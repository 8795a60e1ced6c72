#pragma once

#include "TReportDataConnection.h"
#include "TReportLayout.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace zeft {

/// One printed instance of a band.
struct TPlacedBand {
    const TReportBand* Band = nullptr;
    double Top = 0.0;  ///< millimetres below the top of the region
    QStringList Texts; ///< what each of the band's texts shows, in the band's order
};

struct TComposedPage {
    std::vector<TPlacedBand> Bands;
};

/// A report run through its data and laid out on pages, ready to be painted.
struct TReportDocument {
    const TReport* Report = nullptr;
    std::vector<TComposedPage> Pages;
};

/// The program's data connections by name; not owned.
using TReportConnections = std::map<QString, TReportDataConnection*>;
/// Report parameters by name; a parameter never set shows as empty text.
using TReportParameters = std::map<QString, QString>;

/// Runs the report: every data band of the region in layout order, each row followed by the runs
/// of the detail bands it controls, each body preceded by its headers. A band instance that
/// does not fit below the last one starts a new page; so does a body kept together, and a row
/// together with the start of its first detail body (all of it when that body is kept
/// together), so that no heading is left alone at the foot of a page. What is larger than a
/// whole region is printed as far as it goes and continued on the next page. Body headers of a
/// data band without rows are still printed, so an empty report is a page with its headings.
/// Page footers stand at the foot of the region on every page, below the body; their texts
/// marked PageNumbers get the page number and the number of pages.
/// Throws TReportError when a data view has no connection or a text names an undeclared
/// column, and passes on the connections' own errors.
TReportDocument ComposeReport(const TReportProjectLayout& project, const TReport& report,
                              const TReportConnections& connections,
                              const TReportParameters& parameters);

} // namespace zeft
