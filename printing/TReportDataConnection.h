#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zeft {

enum class TReportDataType { Text, Integer, Float };

/// A column a data connection declares; values always travel as text.
struct TReportColumn {
    QString Name;
    TReportDataType Type = TReportDataType::Text;
    int Width = 0; ///< in characters, as the data view describes the column
};

using TReportColumns = std::vector<TReportColumn>;

/// Feeds a report band row by row. The program answers three events: how many rows there are,
/// which columns a row has, and the values of one row. The report generator calls Open once
/// for every run of the band (a detail band runs once per row of its controller), then GetRow
/// for rows 0, 1, .. in order.
class TReportDataConnection {
public:
    explicit TReportDataConnection(QString name) : FName(std::move(name)) {}

    const QString& Name() const { return FName; }

    /// Number of rows; an empty slot gives none.
    std::function<int()> OnOpen;
    /// Appends the columns, in the order GetRow delivers their values.
    std::function<void(TReportColumns& columns)> OnGetCols;
    /// Appends the values of row (from 0), one per column.
    std::function<void(int row, QStringList& values)> OnGetRow;

    /// Starts a run: asks for the rows and the columns. Returns the number of rows (at least 0).
    /// Throws TReportError when two columns share a name.
    int Open();
    /// The columns of the current run.
    const TReportColumns& Columns() const { return FColumns; }
    /// Index of the column of that name in the current run, or -1.
    int ColumnIndex(const QString& name) const;
    /// The values of row; throws TReportError when the row lies outside the current run or the
    /// event delivers another number of values than there are columns.
    QStringList GetRow(int row);

private:
    QString FName;
    TReportColumns FColumns;
    int FRowCount = 0;
};

} // namespace zeft
