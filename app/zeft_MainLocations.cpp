// The main window's locations list and its scheme and file commands.
#include "TDailyComfortIntervalsSlider.h"
#include "TDayList.h"
#include "TLocationListItem.h"
#include "TScheduleFileError.h"
#include "undo/TAddLocationCommand.h"
#include "undo/TRemoveLocationCommand.h"
#include "undo/TRenameLocationCommand.h"
#include "zeft_Dialogs.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Routines.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QUndoStack>
#include <utility>

namespace zeft {

namespace {

constexpr int LocationRole = Qt::UserRole + 1;

} // namespace

THeatingLocation* TZEFTMainForm::LocationOf(const QListWidgetItem* item) const {
    if (!item)
        return nullptr;
    return reinterpret_cast<THeatingLocation*>(item->data(LocationRole).value<quintptr>());
}

QListWidgetItem* TZEFTMainForm::ItemOf(const THeatingLocation* location) const {
    for (int i = 0; i < lvLocations->count(); ++i)
        if (LocationOf(lvLocations->item(i)) == location)
            return lvLocations->item(i);
    return nullptr;
}

void TZEFTMainForm::UpdateFileCommands(int remainingLocations) {
    QAction* saveAs = Command(QStringLiteral("FileSaveAs"));
    saveAs->setEnabled(remainingLocations > 0);
    Command(QStringLiteral("FileSave"))
        ->setEnabled(saveAs->isEnabled() && !FCurrentFileName.isEmpty());
}

void TZEFTMainForm::LocationAdded(THeatingLocation* location) {
    FCurrentLocation = location;
    auto* item = new TLocationListItem;
    item->setText(QString::fromStdString(location->DisplayText));
    item->setData(LocationRole, QVariant::fromValue(reinterpret_cast<quintptr>(location)));
    item->setIcon(FLocationIcon);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    {
        const QSignalBlocker block(lvLocations); // adding is not a rename
        lvLocations->addItem(item);
    }
    if (!FLoading) {
        lvLocations->setCurrentItem(ItemOf(location));
        SelectSchemeExecute(ItemOf(location));
    }
    UpdateFileCommands(FLocations->Count());
    FModified = true;
}

void TZEFTMainForm::LocationRemoving(int index) {
    const THeatingLocation* removed = &FLocations->Items(index);
    if (FDayEdit.Location() == removed)
        FDayEdit.Discard();
    QListWidgetItem* item = ItemOf(removed);
    QListWidgetItem* next = nullptr;
    if (item && removed == FCurrentLocation && !FLoading) {
        // The window must never keep showing, printing or transmitting a removed location:
        // the next item of the list takes its place, or the one before the last.
        const int row = lvLocations->row(item);
        next = lvLocations->item(row + 1 < lvLocations->count() ? row + 1 : row - 1);
    }
    if (removed == FCurrentLocation)
        ShowNoLocation();
    {
        const QSignalBlocker block(lvLocations);
        delete item;
    }
    if (next) {
        lvLocations->setCurrentItem(next);
        SelectSchemeExecute(next);
    }
    UpdateFileCommands(FLocations->Count() - 1);
    FModified = true;
}

void TZEFTMainForm::ShowNoLocation() {
    FCurrentLocation = nullptr;
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        if (row)
            row->SetIntervals(nullptr);
    paCurrentSchemeDisplayText->clear();
    lbDays->clear();
    Command(QStringLiteral("SplitSingleInterval"))->setEnabled(false);
    UpdateLocationCommands();
}

void TZEFTMainForm::LocationsChanged() {
    FModified = true;
}

void TZEFTMainForm::AddTemplateLocation(int templateIndex) {
    auto location = CreateTemplateLocation(templateIndex, LoadLanguageStringUtf8);
    location->DisplayText = FLocations->MakeUniqueName(location->DisplayText);
    PushStep(std::make_unique<TAddLocationCommand>(FUndoContext, std::move(location)));
}

void TZEFTMainForm::SchemeRemoveExecute() {
    const QList<QListWidgetItem*> selected = lvLocations->selectedItems();
    if (selected.isEmpty())
        return;
    THeatingLocation* location = LocationOf(selected.constFirst());
    if (FLocations->IndexOf(location) >= 0)
        PushStep(std::make_unique<TRemoveLocationCommand>(FUndoContext, *location));
}

void TZEFTMainForm::lvLocationsSelectItem(QListWidgetItem* item) {
    SelectSchemeExecute(item);
}

void TZEFTMainForm::lvLocationsChange(QListWidgetItem* item) {
    // The item's own location is renamed: the edited item is the one on display, and should it
    // ever not be, renaming another location than the one edited would be wrong.
    THeatingLocation* location = LocationOf(item);
    if (!location)
        return;
    const std::string caption = item->text().toStdString();
    if (location->DisplayText == caption)
        return;
    std::string oldName = location->DisplayText;
    location->DisplayText = caption;
    FModified = true;
    PushStep(std::make_unique<TRenameLocationCommand>(FUndoContext, *location, std::move(oldName),
                                                      caption));
    SelectSchemeExecute(item);
}

void TZEFTMainForm::FileOpenExecute() {
    // Opening replaces the locations: unsaved changes are offered for saving first.
    if (FModified && !SaveChangesFirst(WithoutAccelerator(LoadLanguageString(4811))))
        return;
    const std::optional<QString> path =
        TDialogs::OpenFileName(this, FCurrentFileName, FDialogFilter);
    if (path)
        LoadFile(*path);
}

bool TZEFTMainForm::SaveChangesFirst(const QString& caption) {
    const auto answer =
        TDialogs::Message(this, QMessageBox::Question, caption, LoadLanguageString(4808),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (answer) {
    case QMessageBox::Yes:
        FileSaveExecute();
        return !FModified; // a failed or cancelled save keeps the changes
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TZEFTMainForm::LoadFile(const QString& path) {
    try {
        TScheduleDocument parsed;
        ParseScheduleFile(QFile::encodeName(path).toStdString(), parsed);
        THeatingLocations read;
        read.OnChange = [this](TModelObject*) { LocationsChanged(); };
        read.LoadFromXML(parsed.Document, &parsed.Lines);
        // The steps refer to the locations that go now.
        FDayEdit.Discard();
        FUndoStack->clear();
        FLoading = true;
        FLocations->Clear();
        while (read.Count() > 0)
            FLocations->Add(read.Extract(0));
        FLoading = false;
        FCurrentFileUnread = false;
        FModified = false;
        FUndoStack->setClean();
    } catch (const TScheduleFileError& error) {
        FLoading = false;
        // The locations on screen stay, and so do their unsaved changes. The path becomes the
        // current name all the same, so that the next start tries it again (a drive may be
        // missing); a plain Save will not write over it unasked.
        FCurrentFileUnread = true;
        ReportReadError(path, QFileInfo::exists(path) ? QString::fromUtf8(error.what())
                                                      : LoadLanguageString(4812));
    }
    if (lvLocations->count() > 0) {
        QListWidgetItem* first = lvLocations->item(0);
        lvLocations->setCurrentItem(first);
        SelectSchemeExecute(first);
    }
    FCurrentFileName = path;
    Command(QStringLiteral("FileSave"))->setEnabled(!FCurrentFileName.isEmpty());
}

void TZEFTMainForm::ReportReadError(const QString& path, const QString& reason) {
    FPendingMessages << FormatText(LoadLanguageString(4810),
                                   {QDir::toNativeSeparators(path), reason});
    // At start-up the message waits until the window it belongs to is on screen.
    if (isVisible())
        ShowPendingMessages();
}

void TZEFTMainForm::ShowPendingMessages() {
    const QStringList messages = std::exchange(FPendingMessages, {});
    for (const QString& text : messages)
        TDialogs::Message(this, QMessageBox::Critical, WithoutAccelerator(LoadLanguageString(4811)),
                          text, QMessageBox::Ok);
}

bool TZEFTMainForm::SaveTo(const QString& path) {
    try {
        FLocations->SaveToFile(QFile::encodeName(path).toStdString());
        FModified = false;
        FCurrentFileUnread = false;
        FUndoStack->setClean();
        return true;
    } catch (const TScheduleFileError&) {
        TDialogs::Message(this, QMessageBox::Critical, WithoutAccelerator(LoadLanguageString(4012)),
                          LoadLanguageString(4807), QMessageBox::Ok);
        return false;
    }
}

void TZEFTMainForm::FileSaveExecute() {
    // A file that could not be read is still there: replacing it needs the user's say.
    const bool unreadFileThere = FCurrentFileUnread && QFileInfo::exists(FCurrentFileName);
    if (FCurrentFileName.isEmpty() || unreadFileThere) {
        if (Command(QStringLiteral("FileSaveAs"))->isEnabled())
            FileSaveAsExecute();
        return;
    }
    SaveTo(FCurrentFileName);
}

void TZEFTMainForm::FileSaveAsExecute() {
    const std::optional<QString> path =
        TDialogs::SaveFileName(this, FCurrentFileName, FDialogFilter);
    if (!path)
        return;
    FCurrentFileName = *path;
    FCurrentFileUnread = false; // chosen in the dialog: the user means to write it
    Command(QStringLiteral("FileSave"))->setEnabled(!FCurrentFileName.isEmpty());
    SaveTo(FCurrentFileName);
}

} // namespace zeft
