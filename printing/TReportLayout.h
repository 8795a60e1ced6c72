#pragma once

// The design of a banded report as plain data. Every measurement is in millimetres, measured
// from the top left corner of the element's container (page, region or band); pen widths are
// in points.

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace zeft {

/// A font shared by the texts of a project.
struct TReportFont {
    QString Name;         ///< how texts refer to it, e.g. "Heading"
    QStringList Families; ///< the first family installed wins; else the system's sans-serif
    double PointSize = 10.0;
    bool Bold = false;
};

enum class TReportAlignment { Left, Center, Right };

/// A single-line text on a band: a column of the band's data view or a report parameter.
struct TReportText {
    enum class TSource { Column, Parameter };
    TSource Source = TSource::Column;
    QString Name; ///< the column or parameter shown
    /// Page footers: the text is a format that gets the page number (%0:d) and the number of
    /// pages of the report (%1:d), as in "Page %0:d of %1:d".
    bool PageNumbers = false;
    double Left = 0.0;
    double Top = 0.0;
    double Width = 0.0;
    TReportAlignment Alignment = TReportAlignment::Left;
    QString Font; ///< name of a project font
};

/// A horizontal line on a band.
struct TReportLine {
    double Left = 0.0;
    double Top = 0.0;
    double Length = 0.0;
    double WidthPoints = 1.0;
};

enum class TReportBandKind {
    BodyHeader, ///< printed once before the first row of the band it heads
    Data,       ///< one instance per row of its data view
    Detail,     ///< a data band run again for every row of its controlling band
    PageFooter, ///< printed at the foot of the region on every page; the body stays above it
};

/// A horizontal strip of the region. A band instance is never split across pages.
struct TReportBand {
    QString Name;
    TReportBandKind Kind = TReportBandKind::Data;
    double Height = 0.0;
    QString DataView;   ///< data and detail bands: where the rows come from
    QString Controller; ///< detail bands: the band whose rows drive them; headers: the band headed
    bool KeepBodyTogether = false; ///< data and detail bands: all rows of one run on one page
    bool ReprintOnNewPage = false; ///< body headers: repeated at the top of later pages
    std::vector<TReportText> Texts;
    std::vector<TReportLine> Lines;
};

/// The printable area of a page template; its bands are listed in printing order.
struct TReportRegion {
    double Left = 0.0;
    double Top = 0.0;
    double Width = 0.0;
    double Height = 0.0;
    std::vector<TReportBand> Bands;

    const TReportBand* FindBand(const QString& name) const;
};

/// The template every page of a report is printed on.
struct TReportPage {
    QString Name; ///< e.g. "Page1"; its full name is "<report>.<page>"
    QPageSize::PageSizeId Paper = QPageSize::A4;
    /// Papers the region fits on as well: one of them is used when the printer has it loaded.
    std::vector<QPageSize::PageSizeId> OtherPapers;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    TReportRegion Region;
};

struct TReport {
    QString Name;
    QStringList Parameters;
    TReportPage Page;

    QString PageFullName() const { return Name + QLatin1Char('.') + Page.Name; }
};

/// Binds the name a band uses for its rows to a data connection of the program.
struct TReportDataView {
    QString Name;
    QString Connection;
};

/// A report project: shared fonts, data views and reports.
struct TReportProjectLayout {
    QString Name;
    std::vector<TReportFont> Fonts;
    std::vector<TReportDataView> DataViews;
    std::vector<TReport> Reports;

    const TReportFont* FindFont(const QString& name) const;
    const TReportDataView* FindDataView(const QString& name) const;
    const TReport* FindReport(const QString& name) const;
};

} // namespace zeft
