#include "zeft_LibraryFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>

namespace zeft {

namespace {

constexpr int ReadFlags = O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
constexpr int TemporaryAttempts = 16;

TFileDescriptor OpenExisting(int directoryFd, const std::string& name) {
    return TFileDescriptor(openat(directoryFd, name.c_str(), ReadFlags));
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
}

// Writes the bytes under a fresh temporary name; returns that name, or empty on failure.
std::string WriteTemporary(int directoryFd, const std::string& name,
                           std::span<const std::uint8_t> bytes) {
    std::random_device random;
    for (int attempt = 0; attempt < TemporaryAttempts; ++attempt) {
        const std::string temporary = "." + name + "." + std::to_string(random());
        TFileDescriptor fd(openat(directoryFd, temporary.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.Valid()) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        const bool written = WriteAll(fd.Get(), bytes);
        const bool closed = close(fd.Get()) == 0;
        static_cast<void>(fd.Release());
        if (written && closed)
            return temporary;
        unlinkat(directoryFd, temporary.c_str(), 0);
        return {};
    }
    return {};
}

} // namespace

bool HoldsExactly(int fd, std::span<const std::uint8_t> bytes) {
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid() ||
        (info.st_mode & 022) != 0 || info.st_size != static_cast<off_t>(bytes.size()))
        return false;
    std::array<std::uint8_t, 65536> buffer;
    off_t offset = 0;
    while (static_cast<size_t>(offset) < bytes.size()) {
        const size_t wanted = std::min(buffer.size(), bytes.size() - static_cast<size_t>(offset));
        const ssize_t got = pread(fd, buffer.data(), wanted, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || std::memcmp(buffer.data(), bytes.data() + offset, size_t(got)) != 0)
            return false;
        offset += got;
    }
    // Nothing may follow the expected bytes either (the file may have grown meanwhile).
    std::uint8_t extra = 0;
    return pread(fd, &extra, 1, offset) == 0;
}

TFileDescriptor OpenVerifiedFile(int directoryFd, const std::string& name,
                                 std::span<const std::uint8_t> bytes) {
    if (directoryFd < 0 || name.empty() || bytes.empty())
        return {};
    if (TFileDescriptor existing = OpenExisting(directoryFd, name);
        existing.Valid() && HoldsExactly(existing.Get(), bytes))
        return existing;

    const std::string temporary = WriteTemporary(directoryFd, name, bytes);
    if (temporary.empty())
        return {};
    if (renameat(directoryFd, temporary.c_str(), directoryFd, name.c_str()) != 0) {
        unlinkat(directoryFd, temporary.c_str(), 0);
        return {};
    }
    TFileDescriptor written = OpenExisting(directoryFd, name);
    if (!HoldsExactly(written.Get(), bytes))
        return {};
    return written;
}

} // namespace zeft
