#pragma once

#include "TReportDataConnection.h"
#include "TReportProject.h"
#include "TReportSystem.h"

#include <QString>
#include <QStringList>

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

    /// Output settings: the printer and the print job title.
    TReportSystem RvSystem;
    /// The layout with the report "AllProfiles".
    TReportProject RvProject;
    /// Rows = the locations printed, column "DisplayText".
    TReportDataConnection connHeatingLocations;
    /// Rows = the seven days of the location of the current connHeatingLocations row.
    TReportDataConnection connComfortIntervals;

private:
    void RunReport(const QString& printerName);

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
