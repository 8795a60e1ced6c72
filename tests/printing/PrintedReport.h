#pragma once

// The weekly-program report as read back from its PDF: the heading and, per location, its
// name and seven day rows with the text of each slot column.

#include "PdfReader.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zeft::test {

inline constexpr int Slots = 7;
/// Left edge of slot column i on the paper: region at 20 mm, slots from 30 mm, 20 mm apart.
inline double SlotLeft(int slot) {
    return 50.0 + 20.0 * slot;
}

struct TPrintedDay {
    QString Name;
    QStringList Times;        ///< one text per slot column, empty where the slot is empty
    QStringList Temperatures; ///< likewise
    double Top = 0.0;
};

struct TPrintedBlock {
    int Page = 0;
    QString Name;
    double NameTop = 0.0;
    std::vector<TPrintedDay> Days;
};

/// The footer line of a page: the print date on the left, the page numbers on the right.
struct TPrintedFooter {
    QString PrintedOn;
    QString PageNumbers;
    double Top = 0.0;
};

/// Top of the footer band on the paper: the region's foot (15 + 262 mm) less its 7 mm.
inline constexpr double FooterTop = 270.0;

struct TPrintedReport {
    int PageCount = 0;
    QString Heading;
    double HeadingTop = 0.0;
    double HeadingLeft = 0.0;
    std::vector<TPrintedBlock> Blocks;
    std::vector<TPrintedFooter> Footers; ///< one per page that has one
    QStringList Problems; ///< what does not fit the report's structure, e.g. a split block

    QStringList Names() const;
};

/// Reads the pages: a line below FooterTop is the page's footer, a line whose text in the day
/// column is one of dayNames is a day row and the line under it its temperatures; any other
/// line starts a location block. A day row on a page
/// where no block has started means a block was split across pages.
TPrintedReport ParseReport(const std::vector<TPdfPage>& pages, const QStringList& dayNames);

} // namespace zeft::test
