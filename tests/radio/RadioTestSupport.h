#pragma once

// Helpers shared by the radio tests: a scratch directory, the driver libraries as built, a
// clock that does not wait, and readers for what the virtual stick recorded.

#include "zeft_RadioClock.h"
#include "zeft_uTrx.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace zeft::test {

/// A fresh directory under the system's temporary directory, removed afterwards.
class TScratchDirectory {
public:
    TScratchDirectory();
    ~TScratchDirectory();
    TScratchDirectory(const TScratchDirectory&) = delete;
    TScratchDirectory& operator=(const TScratchDirectory&) = delete;
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

/// libuTrxVirtual.so: the driver sources over the virtual stick.
std::span<const std::uint8_t> VirtualDriverBytes();
/// A library with the driver's 22 functions that is not the program's driver: it never makes
/// a stick object.
std::span<const std::uint8_t> ForeignDriverBytes();
/// A library that exports none of the driver's functions.
std::span<const std::uint8_t> LibraryWithoutEntryPoints();

/// A loader of the virtual driver library that writes it into directory.
std::unique_ptr<TuTrxLoader> VirtualDriverLoader(const std::filesystem::path& directory);

/// Pauses that return at once (unless a stop was requested) and a fixed local time:
/// 23 November 2009, 14:05:33. OnPause runs on the pausing thread, before the pause ends,
/// with the pause's number counted from 1.
class TTestClock final : public TRadioClock {
public:
    bool Pause(std::chrono::milliseconds duration, std::stop_token stop) override;
    TLocalDateTime LocalTime() override { return Now; }
    std::vector<std::chrono::milliseconds> Pauses() const;

    TLocalDateTime Now{2009, 11, 23, 14, 5, 33};
    std::function<void(int number, std::chrono::milliseconds duration)> OnPause;

private:
    mutable std::mutex FMutex;
    std::vector<std::chrono::milliseconds> FPauses;
};

} // namespace zeft::test
