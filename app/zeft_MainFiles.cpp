// The file commands, the save prompt and the report beyond the printer: the print preview of
// the location on display and the PDF of every location.
#include "TFileNotice.h"
#include "TFileWatch.h"
#include "TLocationList.h"
#include "TOpenFileRegistry.h"
#include "TScheduleArea.h"
#include "zeft_Dialogs.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cerrno>
#include <utility>

namespace zeft {

void TZEFTMainForm::LoadFile(const QString& path) {
    const TFileOutcome outcome = FDocument->Load(path);
    FollowFile();
    if (!outcome.Ok()) {
        // The locations on screen stay, and so do their unsaved changes; a plain Save will
        // not write over the file unasked. At start-up the message waits for the window.
        FPendingMessages << FormatText(LoadLanguageString(TextId::CannotReadFile),
                                       {QDir::toNativeSeparators(path), outcome.Error});
        if (isVisible())
            ShowPendingMessages();
    }
    if (lvLocations->count() > 0) {
        QListWidgetItem* first = lvLocations->item(0);
        lvLocations->setCurrentItem(first);
        SelectSchemeExecute(first);
    }
    Command(QStringLiteral("FileSave"))->setEnabled(!path.isEmpty());
}

QString SaveFailureReason(const TFileOutcome& outcome) {
    // The usual causes in the user's language; anything rarer as the system words it.
    switch (outcome.SystemError) {
    case ENOSPC:
    case EDQUOT:
        return LoadLanguageString(TextId::NoSpaceLeft);
    case EACCES:
    case EPERM:
        return LoadLanguageString(TextId::NoPermission);
    case EROFS:
        return LoadLanguageString(TextId::ReadOnlyDrive);
    case ENOENT:
        return LoadLanguageString(TextId::NoSuchFolder);
    case ELOOP:
        return LoadLanguageString(TextId::LinkNotFollowed);
    default:
        return outcome.Error;
    }
}

void TZEFTMainForm::ShowPendingMessages() {
    const QStringList messages = std::exchange(FPendingMessages, {});
    for (const QString& text : messages)
        TDialogs::Message(this, QMessageBox::Critical,
                          WithoutAccelerator(LoadLanguageString(TextId::OpenCaption)), text,
                          QMessageBox::Ok);
}

void TZEFTMainForm::showEvent(QShowEvent* event) {
    TZEFTForm::showEvent(event);
    // A file that could not be read at start-up is explained once the window is on screen.
    if (!FPendingMessages.isEmpty())
        QTimer::singleShot(0, this, [this] { ShowPendingMessages(); });
}

void TZEFTMainForm::FileOpenExecute() {
    // Opening replaces the locations: unsaved changes are offered for saving first.
    if (Modified() &&
        !SaveChangesFirst(WithoutAccelerator(LoadLanguageString(TextId::OpenCaption))))
        return;
    const std::optional<QString> path =
        TDialogs::OpenFileName(this, FDocument->FileName(), FDialogFilter);
    if (path)
        LoadFile(*path);
}

bool TZEFTMainForm::SaveChangesFirst(const QString& caption) {
    const auto answer = TDialogs::Message(this, QMessageBox::Question, caption,
                                          LoadLanguageString(TextId::SaveChangesPrompt),
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (answer) {
    case QMessageBox::Yes:
        FileSaveExecute();
        return !Modified(); // a failed or cancelled save keeps the changes
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TZEFTMainForm::SaveTo(const QString& path) {
    const TFileOutcome outcome = FDocument->SaveAs(path);
    if (outcome.Ok()) {
        FollowFile();
        ShowTransferStatus(); // the record is read for the file the rooms are in now
        return true;
    }
    TDialogs::Message(this, QMessageBox::Critical,
                      WithoutAccelerator(LoadLanguageString(TextId::FileSave)),
                      LoadLanguageString(TextId::CannotSave) + QStringLiteral("\n\n") +
                          SaveFailureReason(outcome),
                      QMessageBox::Ok);
    return false;
}

void TZEFTMainForm::FileSaveExecute() {
    // A file that could not be read is still there: replacing it needs the user's say.
    const QString& fileName = FDocument->FileName();
    if (fileName.isEmpty() || (FDocument->FileUnread() && QFileInfo::exists(fileName))) {
        if (Command(QStringLiteral("FileSaveAs"))->isEnabled())
            FileSaveAsExecute();
        return;
    }
    // Another program, a sync tool or another copy may have written the file meanwhile:
    // theirs is not overwritten unasked.
    if (FDocument->DiskState() == TScheduleDocument::TDiskState::Changed) {
        const int answer = TDialogs::Ask(
            this, WithoutAccelerator(LoadLanguageString(TextId::FileSave)),
            LoadLanguageString(TextId::ChangedOnDisk), LoadLanguageString(TextId::Overwrite),
            LoadLanguageString(TextId::FileSaveAs), LoadLanguageString(TextId::CancelButton));
        if (answer == 1)
            FileSaveAsExecute();
        if (answer != 0)
            return;
    }
    SaveTo(fileName);
}

void TZEFTMainForm::FileSaveAsExecute() {
    const std::optional<QString> path =
        TDialogs::SaveFileName(this, FDocument->FileName(), FDialogFilter);
    if (!path)
        return;
    // The chosen path is the file name from now on, even if writing it fails.
    Command(QStringLiteral("FileSave"))->setEnabled(true);
    SaveTo(*path);
}

void TZEFTMainForm::SchemePrintPreviewExecute() {
    if (FServices.PrintPreview && FCurrentLocation)
        FServices.PrintPreview(FCurrentLocation);
}

void TZEFTMainForm::SchemeExportPdfExecute() {
    if (!FServices.ExportPdf)
        return;
    // Beside the schedule file and named after it; without one, after the report's title.
    QString preset = LoadLanguageString(TextId::PrintJobTitle) + QStringLiteral(".pdf");
    if (!FDocument->FileName().isEmpty()) {
        const QFileInfo file(FDocument->FileName());
        preset = file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
    }
    const std::optional<QString> path = TDialogs::SaveFileName(
        this, preset, LoadLanguageString(TextId::PdfFilter), QStringLiteral("pdf"));
    if (path)
        FServices.ExportPdf(Locations(), *path);
}

void TZEFTMainForm::LocationsReplaced() {
    lvLocations->setSortingEnabled(true);
    lvLocations->sortItems();
    QListWidgetItem* shown = nullptr;
    for (int i = 0; i < lvLocations->count() && !shown; ++i) {
        const THeatingLocation* room = TLocationList::LocationOf(lvLocations->item(i));
        if (room && room->DisplayText == FReplacedRoom)
            shown = lvLocations->item(i);
    }
    if (!shown && lvLocations->count() > 0)
        shown = lvLocations->item(0);
    if (shown) {
        lvLocations->setCurrentItem(shown);
        SelectSchemeExecute(shown);
    }
    UpdateFileCommands(Locations().Count());
}

void TZEFTMainForm::FollowFile() {
    FWatch->Follow();
    FNotice->hide();
    const QString& path = FDocument->FileName();
    if (FOpenFiles->Hold(path))
        FNotice->ShowInformation(FormatText(LoadLanguageString(TextId::OpenInAnotherCopy),
                                            {QDir::toNativeSeparators(path)}));
}

void TZEFTMainForm::FileChangedOutside(TScheduleDocument::TDiskState state) {
    const QString path = QDir::toNativeSeparators(FDocument->FileName());
    switch (state) {
    case TScheduleDocument::TDiskState::Changed:
        FNotice->ShowChanged(FormatText(LoadLanguageString(TextId::ChangedOutside), {path}));
        break;
    case TScheduleDocument::TDiskState::Missing:
        FNotice->ShowInformation(FormatText(LoadLanguageString(TextId::FileGone), {path}));
        break;
    case TScheduleDocument::TDiskState::Same:
        FNotice->hide(); // back as it was: nothing to decide any more
        break;
    }
}

void TZEFTMainForm::FileReloadExecute() {
    const TFileOutcome outcome = FDocument->Reload();
    if (!outcome.Ok()) {
        FPendingMessages << FormatText(
            LoadLanguageString(TextId::CannotReadFile),
            {QDir::toNativeSeparators(FDocument->FileName()), outcome.Error});
        ShowPendingMessages();
        return;
    }
    FWatch->Follow();
    ShowTransferStatus();
}

} // namespace zeft
