#pragma once

#include "TReportComposer.h"
#include "TReportLayout.h"

#include <QFont>

class QPrinter;

namespace zeft {

/// The font that stands in for a report font on this system: the first of its families that is
/// installed, else the system's sans-serif font, at the font's point size and weight.
QFont ResolveReportFont(const TReportFont& font);

/// The paper a report is printed on: the printer's paper when the page template fits on it
/// as well (one of its other papers), else the template's own paper.
QPageSize::PageSizeId ReportPaper(const TReportPage& page, const QPrinter& printer);

/// Prints a composed report: sets the printer's paper (ReportPaper) and orientation from the
/// page template and measures from the paper's corner, then paints every page (or those of the page
/// range the printer was given, numbered from 1) on a sheet of its own; with no page left it prints
/// nothing. Texts are cut off with an ellipsis where they are wider than their field. The
/// printer's name, output and job title stay as the caller set them. Throws TReportError when
/// the printer cannot start the job, take another page or finish it.
void PaintReport(const TReportDocument& document, const TReportProjectLayout& project,
                 QPrinter& printer);

} // namespace zeft
