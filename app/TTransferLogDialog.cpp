#include "TTransferLogDialog.h"

#include "TTransferLog.h"
#include "zeft_Dialogs.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

namespace zeft {

namespace {

QString ResultText(TTransferResult result) {
    return LoadLanguageString(TextId::ResultPending + static_cast<int>(result));
}

} // namespace

TTransferLogDialog::TTransferLogDialog(const TTransferLog& log, const QString& room,
                                       QWidget* parent)
    : QDialog(parent), FLog(log), FRoom(room) {
    setObjectName(QStringLiteral("TransferLogDialog"));
    setWindowTitle(LoadLanguageString(TextId::HistoryTitle));
    auto* layout = new QVBoxLayout(this);
    FRoomOnly = new QCheckBox(LoadLanguageString(TextId::HistorySelectedRoomOnly), this);
    FRoomOnly->setEnabled(!room.isEmpty());
    layout->addWidget(FRoomOnly);
    FTable = new QTableWidget(0, 5, this);
    FTable->setObjectName(QStringLiteral("tblTransfers"));
    FTable->setHorizontalHeaderLabels(
        {LoadLanguageString(TextId::HistoryTime), LoadLanguageString(TextId::HistoryRoom),
         LoadLanguageString(TextId::HistoryFile), LoadLanguageString(TextId::HistoryResult),
         LoadLanguageString(TextId::HistoryPeriods)});
    FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTable->verticalHeader()->hide();
    FTable->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(FTable, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportButton =
        buttons->addButton(LoadLanguageString(TextId::HistoryExport), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("btnExport"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(exportButton, &QPushButton::clicked, this, [this] { ExportExecute(); });
    connect(FRoomOnly, &QCheckBox::toggled, this, [this] { Fill(); });
    Fill();
    resize(720, 420);
}

void TTransferLogDialog::Fill() {
    const std::vector<TTransferRecord> records = FLog.Records(
        FRoomOnly->isChecked() ? std::optional<std::string>(FRoom.toStdString()) : std::nullopt);
    FTable->setRowCount(static_cast<int>(records.size()));
    for (int row = 0; row < FTable->rowCount(); ++row) {
        const TTransferRecord& record = records[static_cast<size_t>(row)];
        const QString cells[] = {
            QLocale().toString(record.RequestedAt.toLocalTime(), QLocale::ShortFormat),
            QString::fromStdString(record.Room), QDir::toNativeSeparators(record.File),
            ResultText(record.Result), QString::number(record.Periods)};
        for (int column = 0; column < 5; ++column)
            FTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    FTable->resizeColumnsToContents();
}

void TTransferLogDialog::ExportExecute() {
    const std::optional<QString> path =
        TDialogs::SaveFileName(this, QStringLiteral("transfers.csv"),
                               LoadLanguageString(TextId::HistoryCsvFilter), QStringLiteral("csv"));
    if (!path)
        return;
    const std::vector<TTransferRecord> records = FLog.Records(
        FRoomOnly->isChecked() ? std::optional<std::string>(FRoom.toStdString()) : std::nullopt);
    QString error;
    if (!TTransferLog::ExportCsv(records, *path, &error))
        TDialogs::Message(this, QMessageBox::Critical, windowTitle(),
                          FormatText(LoadLanguageString(TextId::HistoryCannotExport),
                                     {QDir::toNativeSeparators(*path), error}),
                          QMessageBox::Ok);
}

} // namespace zeft
