#include "zeft_StickLock.h"

#include "zeft_PrivateDirectory.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace zeft {

TStickLock::TStickLock(std::vector<std::filesystem::path> directories)
    : FDirectories(std::move(directories)) {}

TStickLock::TResult TStickLock::TryAcquire() {
    if (Held())
        return TResult::Owned;
    FProblem = {};
    // The first place is the one to mend: every copy looks there first.
    const auto note = [this](TDirectoryProblem problem) {
        if (FProblem.Fault == TDirectoryFault::None)
            FProblem = std::move(problem);
    };
    for (const std::filesystem::path& directory : FDirectories) {
        TDirectoryProblem problem;
        TFileDescriptor directoryFd = OpenPrivateDirectory(directory, &problem);
        if (!directoryFd.Valid()) {
            note(std::move(problem));
            continue;
        }
        TFileDescriptor file(openat(directoryFd.Get(), FileName,
                                    O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600));
        const int openError = errno;
        struct stat info {};
        if (!file.Valid() &&
            fstatat(directoryFd.Get(), FileName, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            note({directory, TDirectoryFault::SystemError, openError});
            continue;
        }
        if (!file.Valid() || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != geteuid()) {
            // There, but a link, no regular file or another user's.
            note({directory, TDirectoryFault::LockFileUnusable});
            continue;
        }
        int result = 0;
        do
            result = flock(file.Get(), LOCK_EX | LOCK_NB);
        while (result != 0 && errno == EINTR);
        if (result == 0) {
            FFile = std::move(file);
            FProblem = {};
            return TResult::Owned;
        }
        // Held by another copy: the lock lives here, so no other place may be tried.
        if (errno == EWOULDBLOCK) {
            FProblem = {};
            return TResult::InUse;
        }
        // A file system without flock: the next place.
        note({directory, TDirectoryFault::NoFileLocks, errno});
    }
    if (FDirectories.empty())
        FProblem = {{}, TDirectoryFault::NoneKnown};
    return TResult::Unavailable;
}

} // namespace zeft
