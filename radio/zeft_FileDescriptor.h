#pragma once

#include <unistd.h>
#include <utility>

namespace zeft {

/// Owns one POSIX file descriptor and closes it.
class TFileDescriptor {
public:
    TFileDescriptor() = default;
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    TFileDescriptor(TFileDescriptor&& other) noexcept : FFd(std::exchange(other.FFd, -1)) {}
    TFileDescriptor& operator=(TFileDescriptor&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.FFd, -1));
        return *this;
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() { Reset(); }

    int Get() const { return FFd; }
    bool Valid() const { return FFd >= 0; }
    /// Gives up ownership without closing.
    [[nodiscard]] int Release() { return std::exchange(FFd, -1); }
    void Reset(int fd = -1) {
        if (FFd >= 0)
            ::close(FFd);
        FFd = fd;
    }

private:
    int FFd = -1;
};

} // namespace zeft
