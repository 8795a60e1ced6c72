#include "zeft_PrivateDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <vector>

namespace zeft {

namespace {

constexpr mode_t PrivateMode = 0700;

std::filesystem::path EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    std::filesystem::path path = value ? value : "";
    return path.is_absolute() ? path : std::filesystem::path();
}

std::filesystem::path HomeDirectory() {
    if (auto home = EnvironmentPath("HOME"); !home.empty())
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result &&
        result->pw_dir && result->pw_dir[0] == '/')
        return result->pw_dir;
    return {};
}

bool IsPrivateDirectory(const std::filesystem::path& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 077) == 0;
}

/// 0, or the errno of the mkdir that failed.
int MakeDirectories(const std::filesystem::path& directory) {
    std::filesystem::path partial;
    for (const auto& part : directory) {
        partial /= part;
        if (mkdir(partial.c_str(), PrivateMode) != 0 && errno != EEXIST)
            return errno;
    }
    return 0;
}

} // namespace

std::vector<std::filesystem::path> DefaultDriverDirectories() {
    std::vector<std::filesystem::path> directories;
    // The runtime directory is the user's own by definition; check it all the same.
    if (auto runtime = EnvironmentPath("XDG_RUNTIME_DIR");
        !runtime.empty() && IsPrivateDirectory(runtime))
        directories.push_back(runtime / "zeft");
    if (auto cache = EnvironmentPath("XDG_CACHE_HOME"); !cache.empty())
        directories.push_back(cache / "zeft");
    else if (auto home = HomeDirectory(); !home.empty())
        directories.push_back(home / ".cache" / "zeft");
    return directories;
}

TFileDescriptor OpenPrivateDirectory(const std::filesystem::path& directory,
                                     TDirectoryProblem* problem) {
    const auto fail = [&](TDirectoryFault fault, int error = 0) {
        if (problem)
            *problem = {directory, fault, error};
        return TFileDescriptor();
    };
    if (problem)
        *problem = {};
    if (directory.empty())
        return fail(TDirectoryFault::NoneKnown);
    if (const int error = MakeDirectories(directory.lexically_normal()); error != 0)
        return fail(TDirectoryFault::SystemError, error);
    // O_NOFOLLOW refuses a symbolic link planted in place of the directory itself.
    TFileDescriptor fd(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!fd.Valid()) {
        const int error = errno;
        if (lstat(directory.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
            return fail(TDirectoryFault::SymbolicLink);
        if (error == ENOTDIR)
            return fail(TDirectoryFault::NotADirectory);
        return fail(TDirectoryFault::SystemError, error);
    }
    if (fstat(fd.Get(), &info) != 0)
        return fail(TDirectoryFault::SystemError, errno);
    if (!S_ISDIR(info.st_mode))
        return fail(TDirectoryFault::NotADirectory);
    if (info.st_uid != geteuid())
        return fail(TDirectoryFault::OtherOwner);
    if ((info.st_mode & 07777) != PrivateMode && fchmod(fd.Get(), PrivateMode) != 0)
        return fail(TDirectoryFault::SystemError, errno);
    return fd;
}

} // namespace zeft
