#include "zeft_uTrx.h"

#include "zeft_DriverResource.h"
#include "zeft_LibraryFile.h"
#include "zeft_PrivateDirectory.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <algorithm>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>

namespace zeft {

namespace {

enum TEntryPoint {
    EntryCreate = 0,
    EntryDestroy = 1,
    EntryFind = 2,
    EntrySetTX = 3,
    EntrySetFrame = 6,
    EntryWriteReg = 8,
    EntryGetState = 20,
};

constexpr std::array<const char*, TuTrxLoader::EntryPointCount> Names = {
    "uTrx_create",
    "uTrx_destroy",
    "uTrx_Find",
    "uTrx_SetTX",
    "uTrx_SetRX",
    "uTrx_SetState",
    "uTrx_SetFrame",
    "uTrx_GetFrame",
    "uTrx_WriteReg",
    "uTrx_ReadReg",
    "uTrx_ReadReg16",
    "uTrx_GetReport",
    "uTrx_SetPreamblePattern",
    "uTrx_Execute",
    "uTrx_EraseConfigFlash",
    "uTrx_WriteConfigFlash",
    "uTrx_ReadConfigFlash",
    "uTrx_EraseDataFlash",
    "uTrx_WriteDataFlash",
    "uTrx_ReadDataFlash",
    "uTrx_GetState",
    "uTrx_GetRevInfo",
};

// Enough to tell builds apart; the file's content is compared byte for byte all the same.
constexpr qsizetype DigestDigits = 12;

// How many descriptor numbers to try when the name of one is already taken by a loaded object.
constexpr int NameAttempts = 4;

std::string DescriptorPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

} // namespace

std::string TuTrxLoader::LibraryFileName(std::span<const std::uint8_t> libraryBytes) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char*>(libraryBytes.data()),
                                                static_cast<qsizetype>(libraryBytes.size())),
                                 QCryptographicHash::Sha256);
    return "libuTrx-" + digest.toHex().left(DigestDigits).toStdString() + ".so";
}

TuTrxLoader::TuTrxLoader(std::span<const std::uint8_t> libraryBytes,
                         std::filesystem::path directory)
    : TuTrxLoader(libraryBytes, std::vector<std::filesystem::path>{std::move(directory)}) {}

TuTrxLoader::TuTrxLoader(std::span<const std::uint8_t> libraryBytes,
                         std::vector<std::filesystem::path> directories)
    : FBytes(libraryBytes), FFileName(LibraryFileName(libraryBytes)),
      FDirectories(std::move(directories)) {}

TuTrxLoader::~TuTrxLoader() {
    UnloadDriver();
}

const std::array<const char*, TuTrxLoader::EntryPointCount>& TuTrxLoader::EntryPointNames() {
    return Names;
}

std::filesystem::path TuTrxLoader::LibraryPath() const {
    if (FUsedDirectory >= FDirectories.size())
        return {};
    return FDirectories[FUsedDirectory] / FFileName;
}

bool TuTrxLoader::LoadDriver() {
    if (DriverLoaded())
        UnloadDriver();
    // The directory that served last time first, so that a noexec runtime directory costs
    // one failed load per run rather than one per poll.
    std::vector<std::size_t> order{FUsedDirectory};
    for (std::size_t i = 0; i < FDirectories.size(); ++i)
        if (i != FUsedDirectory)
            order.push_back(i);
    for (std::size_t index : order) {
        if (index < FDirectories.size() && LoadFrom(FDirectories[index])) {
            FUsedDirectory = index;
            ResolveEntryPoints();
            return EntryPointsResolved();
        }
    }
    return false;
}

bool TuTrxLoader::LoadFrom(const std::filesystem::path& directory) {
    TFileDescriptor directoryFd = OpenPrivateDirectory(directory);
    if (!directoryFd.Valid())
        return false;
    TFileDescriptor file = OpenVerifiedFile(directoryFd.Get(), FFileName, FBytes);
    return file.Valid() && OpenLibrary(std::move(file));
}

bool TuTrxLoader::OpenLibrary(TFileDescriptor file) {
    for (int attempt = 1; attempt <= NameAttempts; ++attempt) {
        const std::string path = DescriptorPath(file.Get());
        // glibc hands back any object already loaded under the same name, whatever file it
        // came from. Move to another descriptor number while the name is taken. When every
        // name is taken the match is by file identity, that is, this very file.
        if (void* earlier = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD)) {
            dlclose(earlier);
            if (attempt < NameAttempts) {
                TFileDescriptor moved(fcntl(file.Get(), F_DUPFD_CLOEXEC, file.Get() + 1));
                if (!moved.Valid())
                    return false;
                file = std::move(moved);
                continue;
            }
        }
        FModule = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!FModule)
            return false;
        FLibraryFile = std::move(file);
        return true;
    }
    return false;
}

void TuTrxLoader::ResolveEntryPoints() {
    for (size_t i = 0; i < Names.size(); ++i)
        FEntryPoints[i] = FModule ? dlsym(FModule, Names[i]) : nullptr;
    FFindStatusEntry = FModule ? dlsym(FModule, FindStatusName) : nullptr;
}

bool TuTrxLoader::EntryPointsResolved() const {
    return std::none_of(FEntryPoints.begin(), FEntryPoints.end(),
                        [](void* entry) { return entry == nullptr; });
}

bool TuTrxLoader::UnloadDriver() {
    if (!DriverLoaded())
        return false;
    // A stick object holds an open device; it has to go before the code that owns it.
    if (FEntryPoints[EntryDestroy]) {
        const auto destroyStick = Entry<decltype(&uTrx_destroy)>(EntryDestroy);
        for (uTrxHandle stick : FSticks)
            destroyStick(stick);
    }
    FSticks.clear();
    const bool unloaded = dlclose(FModule) == 0;
    FModule = nullptr;
    FLibraryFile.Reset();
    return unloaded;
}

uTrxHandle TuTrxLoader::create() {
    if (!DriverReady())
        return nullptr;
    uTrxHandle stick = Entry<decltype(&uTrx_create)>(EntryCreate)();
    if (stick)
        FSticks.push_back(stick);
    return stick;
}

void TuTrxLoader::destroy(uTrxHandle stick) {
    auto it = std::find(FSticks.begin(), FSticks.end(), stick);
    if (!stick || it == FSticks.end() || !DriverReady())
        return;
    FSticks.erase(it);
    Entry<decltype(&uTrx_destroy)>(EntryDestroy)(stick);
}

bool TuTrxLoader::Find(uTrxHandle stick, std::uint16_t vendorId, std::uint16_t productId,
                       std::uint32_t deviceIndex) {
    return DriverReady() &&
           Entry<decltype(&uTrx_Find)>(EntryFind)(stick, vendorId, productId, deviceIndex) != 0;
}

bool TuTrxLoader::SetTX(uTrxHandle stick) {
    return DriverReady() && Entry<decltype(&uTrx_SetTX)>(EntrySetTX)(stick) != 0;
}

bool TuTrxLoader::SetFrame(uTrxHandle stick, const std::uint8_t* frame, std::uint32_t length) {
    return DriverReady() &&
           Entry<decltype(&uTrx_SetFrame)>(EntrySetFrame)(stick, frame, length) != 0;
}

bool TuTrxLoader::WriteReg(uTrxHandle stick, std::uint8_t reg, std::uint8_t value) {
    return DriverReady() && Entry<decltype(&uTrx_WriteReg)>(EntryWriteReg)(stick, reg, value) != 0;
}

bool TuTrxLoader::GetState(uTrxHandle stick, std::uint8_t* state) {
    return DriverReady() && Entry<decltype(&uTrx_GetState)>(EntryGetState)(stick, state) != 0;
}

std::uint8_t TuTrxLoader::FindStatus(uTrxHandle stick) {
    if (!DriverReady() || !FFindStatusEntry)
        return uTrxFindNoStick;
    return reinterpret_cast<decltype(&uTrx_FindStatus)>(FFindStatusEntry)(stick);
}

std::unique_ptr<TuTrxLoader> CreateDriverLoader() {
    return std::make_unique<TuTrxLoader>(DriverResource(), DefaultDriverDirectories());
}

} // namespace zeft
