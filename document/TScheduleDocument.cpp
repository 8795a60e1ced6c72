#include "TScheduleDocument.h"

#include "TAddLocationCommand.h"
#include "TDayEditCommand.h"
#include "TRemoveLocationCommand.h"
#include "TRenameLocationCommand.h"
#include "TReplaceLocationsCommand.h"
#include "TScheduleFileError.h"
#include "zeft_AtomicFile.h"
#include "zeft_LanguageResources.h"
#include "zeft_ScheduleFile.h"
#include "zeft_StringIds.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>
#include <algorithm>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace zeft {

TScheduleDocument::TScheduleDocument()
    : FLocations(std::make_unique<THeatingLocations>()),
      FUndoStack(std::make_unique<QUndoStack>()) {
    FLocations->OnAdd = [this](THeatingLocation* location) {
        if (OnLocationAdded)
            OnLocationAdded(location);
    };
    FLocations->OnDelete = [this](int index) { LocationRemoving(index); };
}

TScheduleDocument::~TScheduleDocument() {
    if (FDisposer.joinable())
        FDisposer.join();
    // The steps hold locations and refer to the collection: they go first, unannounced.
    FUndoStack.reset();
    FLocations->OnAdd = nullptr;
    FLocations->OnDelete = nullptr;
}

bool TScheduleDocument::Modified() const {
    return !FUndoStack->isClean();
}

TScheduleDocument::TLocationSet TScheduleDocument::ReadLocations(const QString& path) {
    return ReadScheduleFile(QFile::encodeName(path).toStdString());
}

TScheduleDocument::TLocationSet TScheduleDocument::SwapLocations(TLocationSet incoming) {
    FDayEdit.Discard();
    FLoading = true;
    // The views let go of every location at once, not one by one: linear in the rooms.
    if (OnLocationsReplacing)
        OnLocationsReplacing();
    FReplacing = true;
    TLocationSet outgoing;
    outgoing.reserve(static_cast<size_t>(FLocations->Count()));
    while (FLocations->Count() > 0)
        outgoing.push_back(FLocations->Extract(FLocations->Count() - 1));
    std::reverse(outgoing.begin(), outgoing.end());
    FReplacing = false;
    for (auto& location : incoming)
        FLocations->Add(std::move(location));
    FLoading = false;
    if (OnLocationsReplaced)
        OnLocationsReplaced();
    return outgoing;
}

TFileOutcome TScheduleDocument::Load(const QString& path) {
    TFileOutcome outcome;
    std::future<TFileIdentity> identity = IdentityBeside(path);
    try {
        StartAfresh(ReadLocations(path));
        FFileUnread = false;
        FUndoStack->setClean();
        FFileName = path;
        FDiskFile = identity.get();
    } catch (const TScheduleFileError& error) {
        FFileUnread = true;
        FDiskFile = {};
        outcome.Error = QFileInfo::exists(path) ? QString::fromUtf8(error.what())
                                                : LoadLanguageString(TextId::FileMissing);
    }
    FFileName = path;
    return outcome;
}

void TScheduleDocument::StartAfresh(TLocationSet locations) {
    // The steps refer to the locations that go now.
    FDayEdit.Discard();
    FUndoStack->clear();
    DisposeLater(SwapLocations(std::move(locations)));
}

void TScheduleDocument::DisposeLater(TLocationSet locations) {
    if (FDisposer.joinable())
        FDisposer.join();
    try {
        FDisposer = std::thread([gone = std::move(locations)]() mutable { gone.clear(); });
    } catch (const std::system_error&) {
        // No thread to be had: they go here and now.
    }
}

TFileOutcome TScheduleDocument::Reload() {
    std::future<TFileIdentity> identity = IdentityBeside(FFileName);
    try {
        // The step's first redo swaps the locations in (and ends a gesture under way).
        FUndoStack->push(new TReplaceLocationsCommand(*this, ReadLocations(FFileName)));
        FFileUnread = false;
        FUndoStack->setClean();
        FDiskFile = identity.get();
        return {};
    } catch (const TScheduleFileError& error) {
        return {QFileInfo::exists(FFileName) ? QString::fromUtf8(error.what())
                                             : LoadLanguageString(TextId::FileMissing),
                error.SystemError()};
    }
}

TFileOutcome TScheduleDocument::Recover(const QString& copyPath, const QString& fileName,
                                        const QByteArray& diskDigest) {
    try {
        StartAfresh(ReadLocations(copyPath));
    } catch (const TScheduleFileError& error) {
        return {QString::fromUtf8(error.what())};
    }
    FFileUnread = false;
    FFileName = fileName;
    // Unsaved changes with no step to undo them: no state of the history is the file's.
    FUndoStack->resetClean();
    // The edits were made on the file as it was then: if it is another now, Save asks.
    RememberDiskFile();
    if (FDiskFile.Digest != diskDigest) {
        FDiskFile.Stamp.Exists = true;
        FDiskFile.Stamp.ChangedNs = -1;
        FDiskFile.Digest = diskDigest;
    }
    return {};
}

TFileOutcome TScheduleDocument::SaveAs(const QString& path) {
    FFileName = path;
    FFileUnread = false; // named for writing: the user means to write it
    QCryptographicHash digest(QCryptographicHash::Sha256);
    try {
        FLocations->SaveToFile(
            QFile::encodeName(path).toStdString(), [&digest](std::string_view block) {
                digest.addData(QByteArrayView(block.data(), qsizetype(block.size())));
            });
    } catch (const TScheduleFileError& error) {
        FDiskFile = {}; // whatever is there now is not what this document wrote
        return {QString::fromUtf8(error.what()), error.SystemError()};
    }
    FUndoStack->setClean();
    // The bytes just written are the file's: no need to read them back.
    FDiskFile = {StampOf(FFileName), digest.result()};
    return {};
}

namespace {

QByteArray DigestOf(const QString& path) {
    try {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        ReadRegularFileInBlocks(QFile::encodeName(path).toStdString(), MaxScheduleFileSize,
                                [&hash](std::string_view block) {
                                    hash.addData(
                                        QByteArrayView(block.data(), qsizetype(block.size())));
                                    return true;
                                });
        return hash.result();
    } catch (const TScheduleFileError&) {
        return {};
    }
}

} // namespace

TScheduleDocument::TFileStamp TScheduleDocument::StampOf(const QString& path) {
    TFileStamp result;
    struct stat st {};
    if (path.isEmpty() || stat(QFile::encodeName(path).constData(), &st) != 0)
        return result;
    result.Exists = true;
    result.Device = static_cast<std::uint64_t>(st.st_dev);
    result.Inode = static_cast<std::uint64_t>(st.st_ino);
    result.Size = static_cast<std::uint64_t>(st.st_size);
    result.ChangedNs =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return result;
}

TScheduleDocument::TFileIdentity TScheduleDocument::IdentityOf(const QString& path) {
    const TFileStamp now = StampOf(path);
    return {now, now.Exists ? DigestOf(path) : QByteArray()};
}

std::future<TScheduleDocument::TFileIdentity>
TScheduleDocument::IdentityBeside(const QString& path) {
    try {
        return std::async(std::launch::async, IdentityOf, path);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, IdentityOf, path);
    }
}

void TScheduleDocument::RememberDiskFile() {
    FDiskFile = IdentityOf(FFileName);
}

TScheduleDocument::TDiskState TScheduleDocument::DiskState() const {
    if (!FDiskFile.Stamp.Exists)
        return TDiskState::Same; // nothing read or written here yet: nothing to guard
    const TFileStamp now = StampOf(FFileName);
    if (!now.Exists)
        return TDiskState::Missing;
    if (now == FDiskFile.Stamp)
        return TDiskState::Same;
    // Touched or copied back unchanged counts as the same file.
    return DigestOf(FFileName) == FDiskFile.Digest ? TDiskState::Same : TDiskState::Changed;
}

void TScheduleDocument::ForgetHistory() {
    FDayEdit.Discard();
    FUndoStack->clear();
}

void TScheduleDocument::Undo() {
    FDayEdit.Discard();
    FUndoStack->undo();
}

void TScheduleDocument::Redo() {
    FDayEdit.Discard();
    FUndoStack->redo();
}

THeatingLocation* TScheduleDocument::AddLocation(std::unique_ptr<THeatingLocation> location) {
    THeatingLocation* added = location.get();
    location->DisplayText = FLocations->MakeUniqueName(location->DisplayText);
    FUndoStack->push(new TAddLocationCommand(*this, std::move(location)));
    return added;
}

THeatingLocation* TScheduleDocument::DuplicateLocation(const THeatingLocation& location) {
    return AddLocation(location.Clone());
}

void TScheduleDocument::RemoveLocation(THeatingLocation& location) {
    if (FLocations->IndexOf(&location) >= 0)
        FUndoStack->push(new TRemoveLocationCommand(*this, location));
}

bool TScheduleDocument::RenameLocation(THeatingLocation& location, const std::string& name) {
    if (location.DisplayText == name)
        return false;
    std::string oldName = std::exchange(location.DisplayText, name);
    FUndoStack->push(new TRenameLocationCommand(*this, location, std::move(oldName), name));
    return true;
}

TSingleHeatingInterval* TScheduleDocument::PeriodAt(THeatingLocation& location, int day,
                                                    int period) {
    if (!location.HasDays() || day < 0 || day >= THeatingLocation::DaysPerWeek)
        return nullptr;
    TDailyHeatingIntervals& periods = location.Days(day);
    return period >= 0 && period < periods.Count() ? &periods.Items(period) : nullptr;
}

bool TScheduleDocument::MovePeriodStart(THeatingLocation& location, int day, int period,
                                        TTime start, bool joinRun) {
    TSingleHeatingInterval* moved = PeriodAt(location, day, period);
    // A day's first period starts at 00:00 and stays there, as under the mouse.
    if (!moved || !LaterThan(moved->Start(), Midnight))
        return false;
    BeginDayEdit(&location);
    location.Days(day).MoveStart(moved, start);
    return joinRun ? CommitDayEdit(TDayEditCommand::StartStepId, moved) : CommitDayEdit();
}

bool TScheduleDocument::SetTemperature(THeatingLocation& location, int day, int period,
                                       double value) {
    TSingleHeatingInterval* changed = PeriodAt(location, day, period);
    if (!changed)
        return false;
    BeginDayEdit(&location);
    changed->Temperature().SetValue(value);
    return CommitDayEdit();
}

bool TScheduleDocument::SetPeriodValues(THeatingLocation& location, int day, int period,
                                        TTime start, double temperature) {
    TSingleHeatingInterval* changed = PeriodAt(location, day, period);
    if (!changed)
        return false;
    BeginDayEdit(&location);
    if (LaterThan(changed->Start(), Midnight) && !SameTime(start, changed->Start()))
        location.Days(day).MoveStart(changed, start);
    if (temperature != changed->Temperature().Value())
        changed->Temperature().SetValue(temperature);
    return CommitDayEdit();
}

bool TScheduleDocument::SplitPeriod(THeatingLocation& location, int day, int period, TTime at) {
    TSingleHeatingInterval* split = PeriodAt(location, day, period);
    if (!split)
        return false;
    BeginDayEdit(&location);
    location.Days(day).SplitPeriod(split, at);
    return CommitDayEdit();
}

bool TScheduleDocument::DeletePeriod(THeatingLocation& location, int day, int period) {
    if (!PeriodAt(location, day, period) || !location.Days(day).CanDelete())
        return false;
    BeginDayEdit(&location);
    location.Days(day).Delete(period);
    return CommitDayEdit();
}

bool TScheduleDocument::CopyDay(THeatingLocation& location, int sourceDay,
                                const std::vector<int>& targetDays) {
    if (!PeriodAt(location, sourceDay, 0))
        return false;
    BeginDayEdit(&location);
    for (const int day : targetDays)
        if (day != sourceDay && day >= 0 && day < THeatingLocation::DaysPerWeek)
            location.Days(day).Assign(location.Days(sourceDay));
    return CommitDayEdit();
}

bool TScheduleDocument::SetProgram(THeatingLocation& location, const THeatingLocation& source) {
    if (!location.HasDays() || !source.HasDays())
        return false;
    BeginDayEdit(&location);
    for (int day = 0; day < THeatingLocation::DaysPerWeek; ++day)
        location.Days(day).Assign(source.Days(day));
    return CommitDayEdit();
}

void TScheduleDocument::BeginDayEdit(THeatingLocation* location) {
    FDayEdit.Begin(location);
}

bool TScheduleDocument::EndDayEdit() {
    return CommitDayEdit();
}

bool TScheduleDocument::CommitDayEdit(int mergeId, const void* mergeKey) {
    std::unique_ptr<TDayEditCommand> step = FDayEdit.Commit(mergeId, mergeKey);
    if (!step)
        return false;
    FUndoStack->push(step.release());
    return true;
}

void TScheduleDocument::ProgramRestored(THeatingLocation& location) {
    if (OnProgramRestored)
        OnProgramRestored(&location);
}

void TScheduleDocument::NameRestored(THeatingLocation& location) {
    if (OnNameRestored)
        OnNameRestored(&location);
}

void TScheduleDocument::LocationRemoving(int index) {
    if (FDayEdit.Location() == &FLocations->Items(index))
        FDayEdit.Discard();
    if (OnLocationRemoving && !FReplacing)
        OnLocationRemoving(index);
}

} // namespace zeft
