#pragma once

#include "uTrx.h"
#include "zeft_FileDescriptor.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zeft {

/// The loader of the stick driver library: writes the library the program carries into a
/// private directory when the file there is missing or differs, loads it with dlopen and
/// resolves its 22 entry points. Only the connection thread uses a loader; it takes no lock.
class TuTrxLoader {
public:
    static constexpr int EntryPointCount = 22;

    /// "libuTrx-<first 12 hex digits of the bytes' SHA-256>.so". Two builds of the program
    /// (an installed one and a development one) thus keep files of their own side by side
    /// instead of replacing each other's file at every poll.
    static std::string LibraryFileName(std::span<const std::uint8_t> libraryBytes);

    /// libraryBytes: the library to write and load (the program passes its resource UTRX);
    /// the bytes must outlive the loader. directory: the private directory for the file.
    TuTrxLoader(std::span<const std::uint8_t> libraryBytes, std::filesystem::path directory);
    /// The same with places to try in order: when the library cannot be written or loaded in
    /// one (a runtime directory mounted noexec, say), the next is used, with the same checks.
    TuTrxLoader(std::span<const std::uint8_t> libraryBytes,
                std::vector<std::filesystem::path> directories);
    TuTrxLoader(const TuTrxLoader&) = delete;
    TuTrxLoader& operator=(const TuTrxLoader&) = delete;
    /// Releases the stick objects and unloads the library.
    ~TuTrxLoader();

    /// Loads the library (unloading an earlier one first), writing it out when needed, and
    /// resolves the entry points. False on any failure, which then counts as an absent stick.
    bool LoadDriver();
    /// Releases every stick object made through create() that is still alive with
    /// uTrx_destroy, then unloads. False when nothing was loaded or dlclose failed.
    bool UnloadDriver();
    bool DriverLoaded() const { return FModule != nullptr; }
    bool EntryPointsResolved() const;
    bool DriverReady() const { return DriverLoaded() && EntryPointsResolved(); }
    /// The file loaded last; before any load, where the first directory would hold it.
    std::filesystem::path LibraryPath() const;
    const std::vector<std::filesystem::path>& Directories() const { return FDirectories; }

    /// The names looked up, in the order of the entry table.
    static const std::array<const char*, EntryPointCount>& EntryPointNames();

    // Forwarding wrappers. Each answers false (create: null) while the library is not ready,
    // rather than calling into a library that is gone.
    uTrxHandle create();
    /// Releases a stick object made by create(); other handles are ignored.
    void destroy(uTrxHandle stick);
    bool Find(uTrxHandle stick, std::uint16_t vendorId, std::uint16_t productId,
              std::uint32_t deviceIndex);
    bool SetTX(uTrxHandle stick);
    bool SetFrame(uTrxHandle stick, const std::uint8_t* frame, std::uint32_t length);
    bool WriteReg(uTrxHandle stick, std::uint8_t reg, std::uint8_t value);
    bool GetState(uTrxHandle stick, std::uint8_t* state);
    /// Why the last Find on the stick object opened nothing, as a uTrxFind... code. The entry
    /// point is optional: a library without it (or one not ready) answers uTrxFindNoStick.
    std::uint8_t FindStatus(uTrxHandle stick);

    /// The optional entry point behind FindStatus; not one of the 22.
    static constexpr const char* FindStatusName = "uTrx_FindStatus";

private:
    template <typename TFunction> TFunction Entry(int index) const {
        return reinterpret_cast<TFunction>(FEntryPoints[static_cast<size_t>(index)]);
    }
    bool LoadFrom(const std::filesystem::path& directory);
    bool OpenLibrary(TFileDescriptor file);
    void ResolveEntryPoints();

    std::span<const std::uint8_t> FBytes;
    std::string FFileName;
    std::vector<std::filesystem::path> FDirectories;
    // The directory of the last successful load; tried first at the next one.
    std::size_t FUsedDirectory = 0;
    // Kept open while loaded: the library is loaded through this descriptor's /proc/self/fd
    // name, which must stay unique to it.
    TFileDescriptor FLibraryFile;
    void* FModule = nullptr;
    std::array<void*, EntryPointCount> FEntryPoints{};
    void* FFindStatusEntry = nullptr;
    std::vector<uTrxHandle> FSticks;
};

/// A loader of the program's own driver library (the resource UTRX) in
/// DefaultDriverDirectories().
std::unique_ptr<TuTrxLoader> CreateDriverLoader();

} // namespace zeft
