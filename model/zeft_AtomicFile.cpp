#include "zeft_AtomicFile.h"

#include "TScheduleFileError.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#else
#include <filesystem>
#endif

namespace zeft {

namespace {

[[noreturn]] void Fail(const std::string& path, int error) {
    throw TScheduleFileError("Cannot write \"" + path + "\": " + std::strerror(error), error);
}

#ifndef _WIN32

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The kernel's rule for links in shared folders (fs.protected_symlinks), applied here because
// the save follows links by itself: in a sticky, world-writable folder such as /tmp, a link
// is followed only when it belongs to the user or to the folder's owner. Anyone else may have
// placed it there to aim the user's save or read at a file of the user's.
bool MayFollow(const std::string& link, const struct stat& linkStat) {
    if (linkStat.st_uid == geteuid())
        return true;
    struct stat folder {};
    if (stat(DirectoryOf(link).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || folder.st_uid == linkStat.st_uid;
}

// Follows symbolic links so that the link itself survives and its target is replaced. A link
// that may not be followed, or a chain that does not end, fails with ELOOP, as the system's
// own refusal to follow a link does; action says what was meant ("write", "open").
std::string ResolveLinks(const std::string& original, const char* action) {
    std::string path = original;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        if (!MayFollow(path, st))
            throw TScheduleFileError(std::string("Cannot ") + action + " \"" + original +
                                         "\": the symbolic link \"" + path +
                                         "\" belongs to another user and lies in a shared "
                                         "folder; it is not followed",
                                     ELOOP);
        std::vector<char> buffer(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 2);
        const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size() - 1);
        if (n <= 0)
            return path;
        std::string target(buffer.data(), static_cast<size_t>(n));
        path = target.front() == '/' ? target : DirectoryOf(path) + "/" + target;
    }
    throw TScheduleFileError(
        std::string("Cannot ") + action + " \"" + original + "\": " + std::strerror(ELOOP), ELOOP);
}

mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return 022;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Writes the new content into fd; false with errno set when it cannot.
using TContentWriter = std::function<bool(int fd)>;

bool CopyAll(int from, int to) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!WriteAll(to, std::string_view(buffer, static_cast<size_t>(n))))
            return false;
    }
}

// A new name or a removed one is only durable once the folder has reached the disk.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

std::string BaseOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

void ReplaceByRename(const std::string& path, const std::string& target,
                     const TContentWriter& writeContent) {
    const std::string folder = DirectoryOf(target);
    std::string temp = folder + "/." + BaseOf(target) + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        Fail(path, errno);

    auto abandon = [&](int error) {
        close(fd);
        unlink(temp.c_str());
        Fail(path, error);
    };

    struct stat old {};
    if (stat(target.c_str(), &old) == 0) {
        if (fchmod(fd, old.st_mode & 07777) != 0)
            abandon(errno);
        // Keeping the owner only works for a privileged user; the permissions matter more.
        [[maybe_unused]] const int owned = fchown(fd, old.st_uid, old.st_gid);
    } else if (fchmod(fd, 0666 & ~CurrentUmask()) != 0) {
        abandon(errno);
    }

    if (!writeContent(fd) || fsync(fd) != 0)
        abandon(errno);
    if (close(fd) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        Fail(path, error);
    }
    if (rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        Fail(path, error);
    }
    SyncFolder(folder);
}

// A rename would give the target a new inode and leave its other names (hard links) with the
// old content, so such a file is written where it is: its old content first goes to a copy
// beside it, reaching the disk before the file is cut, and the copy goes once the new content
// is on disk. Should writing fail half-way, the copy is put back; should even that fail, the
// copy stays and the error names it. Owner and permissions stay as they are.
void RewriteInPlace(const std::string& path, const std::string& target,
                    const TContentWriter& writeContent) {
    const int fd = open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        Fail(path, errno);
    // Visible, so that a copy a crash leaves behind is found beside the file.
    std::string copy = target + ".before-saving-XXXXXX";
    const int copyFd = mkostemp(copy.data(), O_CLOEXEC);
    if (copyFd < 0) {
        const int error = errno;
        close(fd);
        Fail(path, error);
    }
    auto closeBoth = [&] {
        close(copyFd);
        return close(fd);
    };
    if (!CopyAll(fd, copyFd) || fsync(copyFd) != 0) {
        const int error = errno;
        closeBoth();
        unlink(copy.c_str());
        Fail(path, error);
    }
    SyncFolder(DirectoryOf(target));

    const bool written =
        ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0 && writeContent(fd) && fsync(fd) == 0;
    const int error = errno;
    if (!written) {
        const bool restored = ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0 &&
                              lseek(copyFd, 0, SEEK_SET) == 0 && CopyAll(copyFd, fd) &&
                              fsync(fd) == 0;
        // Said as it is, without the errno that would let the copy's name be left out.
        if (closeBoth() != 0 || !restored)
            throw TScheduleFileError("Cannot write \"" + path + "\": " + std::strerror(error) +
                                     "; its earlier content is kept in \"" + copy + "\"");
        unlink(copy.c_str());
        Fail(path, error);
    }
    if (closeBoth() != 0) {
        const int closeError = errno;
        throw TScheduleFileError("Cannot write \"" + path + "\": " + std::strerror(closeError) +
                                 "; its earlier content is kept in \"" + copy + "\"");
    }
    unlink(copy.c_str());
    SyncFolder(DirectoryOf(target));
}

// Puts the content in the place of the file at path, following the links the user may follow.
void ReplaceFile(const std::string& path, const TContentWriter& writeContent) {
    if (path.empty())
        throw TScheduleFileError("Cannot write a file without a name");
    const std::string target = ResolveLinks(path, "write");
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        throw TScheduleFileError("Cannot write \"" + path + "\": it is not a regular file");
    // The rename needs only the folder's permission; a file the user may not write must stay
    // as it is all the same. The superuser may write anything, so it replaces the file.
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        Fail(path, errno);
    if (exists && existing.st_nlink > 1)
        RewriteInPlace(path, target, writeContent);
    else
        ReplaceByRename(path, target, writeContent);
}

#endif

} // namespace

#ifndef _WIN32

unsigned NewFilePermissions() {
    return 0666 & ~CurrentUmask();
}

void ReadRegularFileInBlocks(const std::string& path, std::size_t limit,
                             const std::function<bool(std::string_view block)>& take) {
    // Not blocking: a named pipe would otherwise hold the open until a writer comes. The
    // links are followed here, so that one must not be swapped in after they were checked.
    const std::string real = ResolveLinks(path, "open");
    const int fd = open(real.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        throw TScheduleFileError("Cannot open \"" + path + "\": " + std::strerror(errno));
    struct TCloser {
        int Fd;
        ~TCloser() { close(Fd); }
    } closer{fd};
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        throw TScheduleFileError("Cannot read \"" + path + "\": it is not a regular file");
    if (static_cast<std::size_t>(st.st_size) > limit)
        throw TScheduleFileError("Cannot read \"" + path + "\": it is larger than " +
                                 std::to_string(limit >> 20) + " MiB");
    std::vector<char> buffer(std::size_t{1} << 16);
    std::size_t total = 0;
    for (;;) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || total + static_cast<std::size_t>(n) > limit) {
            const int error = n < 0 ? errno : EFBIG; // grew while read
            throw TScheduleFileError("Cannot read \"" + path + "\": " + std::strerror(error),
                                     error);
        }
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
        if (!take(std::string_view(buffer.data(), static_cast<std::size_t>(n))))
            break;
    }
}

void WriteFileAtomically(const std::string& path,
                         const std::function<bool(const TByteSink& sink)>& produce) {
    ReplaceFile(path, [&produce](int fd) {
        return produce([fd](std::string_view block) { return WriteAll(fd, block); });
    });
}

void CopyFileAtomically(const std::string& source, const std::string& path) {
    const int from = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        const int error = errno;
        throw TScheduleFileError("Cannot open \"" + source + "\": " + std::strerror(error), error);
    }
    try {
        ReplaceFile(path, [from](int fd) { return CopyAll(from, fd); });
    } catch (...) {
        close(from);
        throw;
    }
    close(from);
}

#else

unsigned NewFilePermissions() {
    return 0666;
}

void ReadRegularFileInBlocks(const std::string& path, std::size_t limit,
                             const std::function<bool(std::string_view block)>& take) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw TScheduleFileError("Cannot read \"" + path + "\": it is not a regular file");
    if (std::filesystem::file_size(path, error) > limit)
        throw TScheduleFileError("Cannot read \"" + path + "\": it is too large");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TScheduleFileError("Cannot open \"" + path + "\".");
    std::vector<char> buffer(std::size_t{1} << 16);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (in.gcount() > 0 &&
            !take(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount()))))
            break;
    }
}

void WriteFileAtomically(const std::string& path,
                         const std::function<bool(const TByteSink& sink)>& produce) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        produce([&out](std::string_view block) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            return static_cast<bool>(out);
        });
        out.flush();
        if (!out) {
            std::filesystem::remove(temp);
            Fail(path, errno);
        }
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) {
        std::filesystem::remove(temp);
        Fail(path, error.value());
    }
}

void CopyFileAtomically(const std::string& source, const std::string& path) {
    WriteFileAtomically(path, ReadRegularFile(source, SIZE_MAX));
}

#endif

std::string ReadRegularFile(const std::string& path, std::size_t limit) {
    std::string bytes;
    ReadRegularFileInBlocks(path, limit, [&bytes](std::string_view block) {
        bytes += block;
        return true;
    });
    return bytes;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    WriteFileAtomically(path, [bytes](const TByteSink& sink) { return sink(bytes); });
}

} // namespace zeft
