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
    for (const std::filesystem::path& directory : FDirectories) {
        TFileDescriptor directoryFd = OpenPrivateDirectory(directory);
        if (!directoryFd.Valid())
            continue;
        TFileDescriptor file(openat(directoryFd.Get(), FileName,
                                    O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600));
        struct stat info {};
        if (!file.Valid() || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != geteuid())
            continue;
        int result = 0;
        do
            result = flock(file.Get(), LOCK_EX | LOCK_NB);
        while (result != 0 && errno == EINTR);
        if (result == 0) {
            FFile = std::move(file);
            return TResult::Owned;
        }
        // Held by another copy: the lock lives here, so no other place may be tried.
        if (errno == EWOULDBLOCK)
            return TResult::InUse;
        // A file system without flock: the next place.
    }
    return TResult::Unavailable;
}

} // namespace zeft
