#pragma once

#include "TReportLayout.h"

#include <QByteArray>
#include <QString>

namespace zeft {

/// Reads a report project stored as XML (root element "reportProject") and checks that it is
/// complete: every font, data view, controlling band and parameter a band refers to exists,
/// every element lies inside its container, and a page holds exactly one region. Throws
/// TReportError naming the source, the element and what is wrong.
TReportProjectLayout ReadReportProject(const QByteArray& xml, const QString& sourceName);

/// The same for a file, usually one compiled into the program (":/printing/...").
TReportProjectLayout ReadReportProjectFile(const QString& fileName);

} // namespace zeft
