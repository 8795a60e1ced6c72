#pragma once

#include "zeft_FileDescriptor.h"
#include "zeft_PrivateDirectory.h"

#include <filesystem>
#include <vector>

namespace zeft {

/// Makes one copy of the program at a time the owner of the stick, so that two copies never
/// interleave their set-up and frames: an exclusive flock on "stick.lock" in the user's private
/// directory. The owner keeps it while it runs; the kernel releases it when the process ends,
/// however it ends. Used on the connection thread only.
class TStickLock {
public:
    enum class TResult {
        /// This copy owns the stick (and keeps it until Release()).
        Owned,
        /// Another copy owns it: leave the stick alone.
        InUse,
        /// No lock file could be made anywhere: leave the stick alone all the same, since
        /// another copy could not tell that this one drives it. Problem() says why.
        Unavailable,
    };

    static constexpr const char* FileName = "stick.lock";

    /// directories: the places to try in order, as for the driver library. The lock lives in
    /// the first one that can hold it; every copy of the program finds the same one.
    explicit TStickLock(std::vector<std::filesystem::path> directories);

    /// Takes the lock unless this object holds it already. Never waits.
    TResult TryAcquire();
    void Release() { FFile.Reset(); }
    bool Held() const { return FFile.Valid(); }
    /// After Unavailable: the first place's problem (NoneKnown without places); else empty.
    const TDirectoryProblem& Problem() const { return FProblem; }

private:
    std::vector<std::filesystem::path> FDirectories;
    TDirectoryProblem FProblem;
    TFileDescriptor FFile;
};

} // namespace zeft
