#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace zeft {

/// The files this user has open in the copies of the program that run: one lock file per
/// file in a private folder, each copy holding a shared lock on it while the file is open.
/// The kernel lets go of the locks of a copy that ends, however it ends.
class TOpenFileRegistry {
public:
    /// folder: private to the user (the runtime directory); created if missing. Empty keeps
    /// no registry.
    explicit TOpenFileRegistry(QString folder);
    ~TOpenFileRegistry();
    TOpenFileRegistry(const TOpenFileRegistry&) = delete;
    TOpenFileRegistry& operator=(const TOpenFileRegistry&) = delete;

    /// Registers path as open here, letting go of the file held before. True when another
    /// copy of the program has the same file open, by this name or another.
    bool Hold(const QString& path);
    void Release();

private:
    /// Holds a shared lock on the lock file for name; true when it was shared already.
    bool Lock(const QByteArray& name);

    QString FFolder;
    QString FHeld;
    std::vector<int> FLocks;
};

} // namespace zeft
