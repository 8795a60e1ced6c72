#pragma once

#include "TDayEditRecorder.h"
#include "THeatingLocations.h"
#include "zeft_Time.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QUndoStack;

namespace zeft {

/// What a load or a save came to: the reason for the user when it failed, nothing when it
/// worked.
struct TFileOutcome {
    QString Error;
    /// The errno behind a failure, 0 when it is not the system's.
    int SystemError = 0;
    bool Ok() const { return Error.isEmpty(); }
};

/// The schedule being edited: the locations, the file they come from and go to, and the
/// history of their changes. Every edit is one call and one undo step; whoever shows the
/// document follows it through the notification slots.
class TScheduleDocument {
public:
    TScheduleDocument();
    ~TScheduleDocument();
    TScheduleDocument(const TScheduleDocument&) = delete;
    TScheduleDocument& operator=(const TScheduleDocument&) = delete;

    THeatingLocations& Locations() { return *FLocations; }
    const THeatingLocations& Locations() const { return *FLocations; }
    const QString& FileName() const { return FFileName; }
    /// The current file could not be read: a plain Save must not overwrite it unasked.
    bool FileUnread() const { return FFileUnread; }
    /// The locations differ from what was last loaded or saved: the history is away from its
    /// clean state.
    bool Modified() const;
    /// Every change is one step on it; its clean state is the state last loaded or saved.
    QUndoStack& UndoStack() const { return *FUndoStack; }
    /// A file as the system describes it: the same stamp, the same file unless written within
    /// the clock's resolution.
    struct TFileStamp {
        bool Exists = false;
        std::uint64_t Device = 0, Inode = 0, Size = 0;
        std::int64_t ChangedNs = 0;
        bool operator==(const TFileStamp&) const = default;
    };
    static TFileStamp StampOf(const QString& path);
    /// What became of the file on disk since it was last loaded or saved here.
    enum class TDiskState { Same, Changed, Missing };
    /// Compares the file with the one remembered (device, inode, size, time of change, and
    /// the digest of its bytes when those differ): another program, a sync tool or another
    /// copy may have replaced or edited it.
    TDiskState DiskState() const;
    /// A file's locations are being added: the views may wait for the end.
    bool Loading() const { return FLoading; }

    // --- the file ------------------------------------------------------------------------
    /// Reads the file; its locations replace these and the history starts afresh. On failure
    /// the locations stay with their changes, and the file counts as unread. Either way the
    /// path becomes the file name, so that the next start tries it again.
    TFileOutcome Load(const QString& path);
    /// Puts the locations of a recovery copy in place of these as unsaved changes of fileName
    /// (empty: untitled): Modified() holds until a save, and no undo reaches a saved state.
    /// diskDigest is DiskDigest() of the document the copy was made from; if the file on disk
    /// is another now, DiskState() says Changed. On failure nothing changes.
    TFileOutcome Recover(const QString& copyPath, const QString& fileName,
                         const QByteArray& diskDigest);
    /// The digest of the file as last loaded or saved here; empty when none is known.
    const QByteArray& DiskDigest() const { return FDiskFile.Digest; }
    /// Writes the locations to path, which becomes the file name (also when writing fails).
    TFileOutcome SaveAs(const QString& path);
    TFileOutcome Save() { return SaveAs(FFileName); }
    /// Reads the file again after another program changed it: its locations replace these as
    /// one step, so undo brings back what was on screen before (as unsaved changes). On
    /// failure nothing changes.
    TFileOutcome Reload();
    /// What is there now counts as loaded: nothing to undo, nothing to save.
    void ForgetHistory();
    void Undo();
    void Redo();

    // --- locations -----------------------------------------------------------------------
    /// Adds the location under a name no other carries yet (its own, numbered if need be).
    THeatingLocation* AddLocation(std::unique_ptr<THeatingLocation> location);
    THeatingLocation* DuplicateLocation(const THeatingLocation& location);
    void RemoveLocation(THeatingLocation& location);
    /// Renames without the unique-name rule; false when the name is the same.
    bool RenameLocation(THeatingLocation& location, const std::string& name);

    // --- a location's program; day 0 is Monday, period the index in the day. Each answers
    // whether anything changed (and so whether there is a step to undo). -----------------
    /// Moves the start as dragging its edge does; a period starting at 00:00 stays there.
    /// With joinRun, a run of moves of the same period is one step (the keys).
    bool MovePeriodStart(THeatingLocation& location, int day, int period, TTime start,
                         bool joinRun = false);
    bool SetTemperature(THeatingLocation& location, int day, int period, double value);
    /// The exact-value dialog: start (not at 00:00) and temperature in one step.
    bool SetPeriodValues(THeatingLocation& location, int day, int period, TTime start,
                         double temperature);
    bool SplitPeriod(THeatingLocation& location, int day, int period, TTime at);
    /// Refused on a day with one period.
    bool DeletePeriod(THeatingLocation& location, int day, int period);
    bool CopyDay(THeatingLocation& location, int sourceDay, const std::vector<int>& targetDays);
    /// Every day of source into location (a program put back as it was sent).
    bool SetProgram(THeatingLocation& location, const THeatingLocation& source);

    /// A gesture of the mouse changes the days as the pointer moves: Begin takes the days as
    /// they are, End makes the step. A Begin while one is open joins it.
    void BeginDayEdit(THeatingLocation* location);
    bool EndDayEdit();

    // --- for the undo steps --------------------------------------------------------------
    using TLocationSet = std::vector<std::unique_ptr<THeatingLocation>>;
    /// Puts incoming in place of all locations, in order, and gives back those that were
    /// there. The views hear OnLocationsReplacing before and OnLocationsReplaced after.
    TLocationSet SwapLocations(TLocationSet incoming);
    void ProgramRestored(THeatingLocation& location);
    void NameRestored(THeatingLocation& location);

    // --- notifications -------------------------------------------------------------------
    std::function<void(THeatingLocation* location)> OnLocationAdded;
    /// Before the location at index goes.
    std::function<void(int index)> OnLocationRemoving;
    /// Before a file's locations replace all of these, which then go unannounced: the views
    /// let go of them at once.
    std::function<void()> OnLocationsReplacing;
    /// After the locations were replaced (a load, a reload and its undo).
    std::function<void()> OnLocationsReplaced;
    /// An undo or redo changed the location's program.
    std::function<void(THeatingLocation* location)> OnProgramRestored;
    /// An undo or redo changed the location's name.
    std::function<void(THeatingLocation* location)> OnNameRestored;

private:
    /// The period, or null when the indexes name none.
    static TSingleHeatingInterval* PeriodAt(THeatingLocation& location, int day, int period);
    bool CommitDayEdit(int mergeId = -1, const void* mergeKey = nullptr);
    void LocationRemoving(int index);

    /// The file's locations, or the reader's message.
    static TLocationSet ReadLocations(const QString& path);
    /// The locations replace all there are, and the history starts afresh (a load, a recovery).
    void StartAfresh(TLocationSet locations);
    /// Frees locations beside the caller: letting go of 100,000 rooms takes most of a second,
    /// which the window need not wait for.
    void DisposeLater(TLocationSet locations);
    /// Remembers the file as it is now on disk, as the one this document holds.
    void RememberDiskFile();

    struct TFileIdentity {
        TFileStamp Stamp;
        QByteArray Digest;
    };
    /// The file as it is now on disk.
    static TFileIdentity IdentityOf(const QString& path);
    /// IdentityOf on a thread of its own, where there is one: hashing a file costs as much as
    /// reading its rooms, which goes on meanwhile.
    static std::future<TFileIdentity> IdentityBeside(const QString& path);
    TFileIdentity FDiskFile;
    std::unique_ptr<THeatingLocations> FLocations;
    QString FFileName;
    bool FFileUnread = false;
    bool FLoading = false;
    bool FReplacing = false;
    TDayEditRecorder FDayEdit{*this};
    std::thread FDisposer;
    /// Destroyed before the locations its steps refer to.
    std::unique_ptr<QUndoStack> FUndoStack;
};

} // namespace zeft
