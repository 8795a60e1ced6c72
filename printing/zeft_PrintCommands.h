#pragma once

// What the commands SchemePrint and SchemePrintAll do: ask for the printer, then print on it.
// The printer set-up dialog edits the report's own printer, so whatever the user sets there
// (another printer, copies, printing to a PDF file) is what the report is printed with.

class QWidget;

namespace zeft {

class THeatingLocation;
class THeatingLocations;
class TZEFTPrintProfiles;

/// Prints the location on display. Without one nothing happens, not even the dialog; otherwise
/// the printer set-up dialog comes first and Cancel prints nothing. True when printed. Errors of
/// the printer pass on as TReportError.
bool SchemePrintRun(TZEFTPrintProfiles& printProfiles, QWidget* parent,
                    const THeatingLocation* currentLocation);

/// Prints every location after the printer set-up dialog; Cancel prints nothing. True when
/// printed.
bool SchemePrintAllRun(TZEFTPrintProfiles& printProfiles, QWidget* parent,
                       const THeatingLocations& locations);

} // namespace zeft
