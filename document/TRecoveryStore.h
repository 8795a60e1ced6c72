#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimer>
#include <vector>

namespace zeft {

class TScheduleDocument;

/// An exclusive lock (flock) on a file, held while the object lives; the kernel releases it
/// when the process ends, however it ends.
class TFileLock {
public:
    TFileLock() = default;
    ~TFileLock();
    TFileLock(TFileLock&& other) noexcept;
    TFileLock& operator=(TFileLock&& other) noexcept;
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    /// Locks path, creating it if need be (exclusive: never one that exists); false when it
    /// exists already with exclusive, or another holds its lock.
    bool Take(const QString& path, bool exclusive = false);
    bool Held() const { return FFd >= 0; }
    /// Removes the file, then lets go of the lock.
    void RemoveAndRelease();

private:
    int FFd = -1;
    QString FPath;
};

/// A recovery copy that no running program owns any more, as offered at start. It holds the
/// copy's lock while it lives, so that a second program starting at once does not offer it too.
struct TRecoveryCopy {
    /// The schedule's bytes, as a .zeft file.
    QString CopyPath;
    /// The file the changes belong to; empty for an untitled schedule.
    QString FileName;
    /// When the copy was written (UTC).
    QDateTime Written;
    /// The digest of the file as the changes' program had last loaded or saved it.
    QByteArray DiskDigest;
    TFileLock Lock;
};

/// Keeps a copy of the document's unsaved changes in a folder of recovery copies, so that a
/// killed program or an ended session does not lose them. A change (any step of the history)
/// writes the copy a few seconds later, atomically; going back to the saved state (a save, an
/// undo back to it, opening a file) removes it. Beside the copy "<stem>.zeft" lie "<stem>.json"
/// (its file, the time and the writing process) and "<stem>.lock", locked while the store
/// lives: a copy whose lock is free belongs to a program that has ended.
class TRecoveryStore {
public:
    /// The document must outlive the store. The folder is created (0700) when the first copy
    /// is written.
    TRecoveryStore(TScheduleDocument& document, QString folder, int delayMs = 3000);
    /// Keeps the copy: it is what survives an end without saving.
    ~TRecoveryStore();
    TRecoveryStore(const TRecoveryStore&) = delete;
    TRecoveryStore& operator=(const TRecoveryStore&) = delete;

    /// $XDG_STATE_HOME/zeft/recovery, by default ~/.local/state/zeft/recovery.
    static QString DefaultFolder();

    /// A change waits to be written.
    bool Pending() const { return FTimer.isActive(); }
    /// Writes the copy now when the document has unsaved changes (what the timer does), and
    /// removes it when it has none. Returns false when writing failed.
    bool Flush();
    /// The user gave up the changes: the copy goes, and comes back only with the next change.
    void Remove();
    /// The copy as written last; empty when there is none.
    QString CopyPath() const;

    /// The copies in folder whose program has ended, newest first; each is locked for the
    /// caller. Copies without their description, or unreadable, are left where they are.
    static std::vector<TRecoveryCopy> Orphans(const QString& folder);
    /// Deletes an orphan with its description and its lock file.
    static void Discard(TRecoveryCopy& copy);

private:
    void Changed();
    void RemoveFiles();
    bool TakeLock();
    QString FilePath(const char* suffix) const;

    TScheduleDocument& FDocument;
    QString FFolder;
    /// "<pid>-<start in ms>-<serial>": apart for every store of every running program.
    QString FStem;
    TFileLock FLock;
    bool FWritten = false;
    bool FGivenUp = false;
    QTimer FTimer;
};

} // namespace zeft
