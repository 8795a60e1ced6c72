#include "TReportDataConnection.h"

#include "TReportError.h"

#include <algorithm>

namespace zeft {

namespace {

[[noreturn]] void Fail(const QString& connection, const QString& what) {
    throw TReportError(
        QStringLiteral("data connection %1: %2").arg(connection, what).toUtf8().toStdString());
}

} // namespace

int TReportDataConnection::Open() {
    FRowCount = OnOpen ? std::max(0, OnOpen()) : 0;
    FColumns.clear();
    if (OnGetCols)
        OnGetCols(FColumns);
    for (std::size_t i = 0; i < FColumns.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (FColumns[i].Name == FColumns[j].Name)
                Fail(FName,
                     QStringLiteral("the column %1 is declared twice").arg(FColumns[i].Name));
        }
    }
    return FRowCount;
}

int TReportDataConnection::ColumnIndex(const QString& name) const {
    const auto found =
        std::find_if(FColumns.begin(), FColumns.end(),
                     [&](const TReportColumn& column) { return column.Name == name; });
    return found == FColumns.end() ? -1 : static_cast<int>(found - FColumns.begin());
}

QStringList TReportDataConnection::GetRow(int row) {
    if (row < 0 || row >= FRowCount)
        Fail(FName, QStringLiteral("row %1 asked for, but the connection has %2 rows")
                        .arg(row)
                        .arg(FRowCount));
    QStringList values;
    if (OnGetRow)
        OnGetRow(row, values);
    if (values.size() != static_cast<qsizetype>(FColumns.size()))
        Fail(FName, QStringLiteral("row %1 has %2 values for %3 columns")
                        .arg(row)
                        .arg(values.size())
                        .arg(FColumns.size()));
    return values;
}

} // namespace zeft
