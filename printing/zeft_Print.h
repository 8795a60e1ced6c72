#pragma once

#include "TReportDataConnection.h"
#include "TReportProject.h"
#include "TReportSystem.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

namespace zeft {

class THeatingLocation;
class THeatingLocations;

/// The report of the weekly programs: one location or all of them, a block per location with
/// its name and a row per day of its switching periods. Created at program start, it lives
/// until the end; it holds no location between two print operations.
class TZEFTPrintProfiles {
public:
    /// The project file compiled into the program.
    static inline const QString ProjectFile = QStringLiteral(":/printing/Locations.rav");
    static inline const QString ReportName = QStringLiteral("AllProfiles");
    static inline const QString PageHeadingParam = QStringLiteral("PageHeading");
    static inline const QString PrintedOnParam = QStringLiteral("PrintedOn");
    static inline const QString PageNumbersParam = QStringLiteral("PageNumbers");

    TZEFTPrintProfiles();

    TZEFTPrintProfiles(const TZEFTPrintProfiles&) = delete;
    TZEFTPrintProfiles& operator=(const TZEFTPrintProfiles&) = delete;

    /// Prints the weekly program of one location on the printer of that name (on the current
    /// printer of RvSystem when no printer has that name). Without a location nothing is
    /// printed and the result is false. Throws TReportError when the printer fails.
    bool PrintProfile(const THeatingLocation* location, const QString& printerName);
    /// Prints every location of the collection in collection order; an empty collection gives
    /// a page with the heading only. Throws TReportError when the printer fails.
    void PrintAllProfiles(const THeatingLocations& locations, const QString& printerName);
    /// Writes the report of every location as a PDF file, on the paper of RvSystem's printer
    /// (see ReportPaper). The file is complete or untouched: the report is written beside it
    /// and renamed over it at the end. Throws TReportError when it cannot be written.
    void ExportAllProfiles(const THeatingLocations& locations, const QString& fileName);
    /// Shows the weekly program of one location in the print preview, from which it can be
    /// printed on RvSystem's printer. Without a location nothing is shown and the result is
    /// false. Errors of the printer pass on as TReportError once the preview has closed.
    bool PreviewProfile(const THeatingLocation* location, QWidget* parent);

    /// The day a report says it was printed on; tests fix it.
    std::function<QDate()> Today = [] { return QDate::currentDate(); };

    /// Output settings: the printer and the print job title.
    TReportSystem RvSystem;
    /// The layout with the report "AllProfiles".
    TReportProject RvProject;
    /// Rows = the locations printed, column "DisplayText".
    TReportDataConnection connHeatingLocations;
    /// Rows = the seven days of the location of the current connHeatingLocations row.
    TReportDataConnection connComfortIntervals;

private:
    void RunReport(const std::function<void()>& run);
    void PrepareReport();
    /// Makes every location of the collection the report's rows (and the first its single one).
    void BindAllLocations(const THeatingLocations& locations);
    void ForgetLocations();

    int connHeatingLocationsOpen() const;
    void connHeatingLocationsGetCols(TReportColumns& columns) const;
    void connHeatingLocationsGetRow(int row, QStringList& values);
    int connComfortIntervalsOpen() const;
    void connComfortIntervalsGetCols(TReportColumns& columns) const;
    void connComfortIntervalsGetRow(int row, QStringList& values) const;

    const THeatingLocation* FSingleLocation = nullptr;
    const THeatingLocations* FLocations = nullptr;
    const THeatingLocation* FRowLocation = nullptr;
    int FLocationCount = 0;
};

} // namespace zeft
