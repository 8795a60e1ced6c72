#pragma once

#include <QDialog>

class QCheckBox;
class QTableWidget;

namespace zeft {

class TTransferLog;

/// The record of transfers, newest first: when, which room, from which file, how it ended and
/// how many periods went out. One tick shows only the selected room; the list can be exported
/// as CSV.
class TTransferLogDialog : public QDialog {
public:
    /// room: the room selected in the window, or empty text.
    TTransferLogDialog(const TTransferLog& log, const QString& room, QWidget* parent);

    QTableWidget* Table() const { return FTable; }
    QCheckBox* SelectedRoomOnly() const { return FRoomOnly; }
    void ExportExecute();

private:
    void Fill();

    const TTransferLog& FLog;
    QString FRoom;
    QTableWidget* FTable = nullptr;
    QCheckBox* FRoomOnly = nullptr;
};

} // namespace zeft
