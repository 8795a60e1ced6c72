// The loader: writing the driver library into a private directory, checking it before every
// load, resolving the entry points and releasing the sticks before unloading.

#include "RadioTestSupport.h"
#include "VirtualStick.h"
#include "zeft_PrivateDirectory.h"
#include "zeft_StickIdentity.h"
#include "zeft_uTrx.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
namespace vs = zeft::virtualstick;
using zeft::TuTrxLoader;
using zeft::test::ReadFileBytes;
using zeft::test::VirtualDriverBytes;

namespace {

struct stat StatOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info;
}

bool Mapped(const fs::path& file) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find(file.string()) != std::string::npos)
            return true;
    return false;
}

class Loader : public testing::Test {
protected:
    void SetUp() override { vs::Reset(); }
    void TearDown() override { vs::Reset(); }

    fs::path Directory() const { return Scratch.Path() / "private" / "zeft"; }
    fs::path LibraryFile() const { return Directory() / TuTrxLoader::LibraryFileName; }
    std::unique_ptr<TuTrxLoader> NewLoader() {
        return zeft::test::VirtualDriverLoader(Directory());
    }

    // The loaded library is the virtual one when a search reaches the virtual stick.
    static bool ReachesVirtualStick(TuTrxLoader& loader) {
        vs::PlugIn();
        uTrxHandle stick = loader.create();
        const bool found =
            stick && loader.Find(stick, zeft::StickVendorId, zeft::StickProductId, 1);
        loader.destroy(stick);
        return found;
    }

    zeft::test::TScratchDirectory Scratch;
};

TEST_F(Loader, FirstStartWritesTheLibraryIntoAPrivateDirectoryAndLoadsIt) {
    auto loader = NewLoader();
    EXPECT_FALSE(loader->DriverLoaded());
    ASSERT_TRUE(loader->LoadDriver());
    EXPECT_TRUE(loader->DriverLoaded());
    EXPECT_TRUE(loader->EntryPointsResolved());
    EXPECT_TRUE(loader->DriverReady());
    EXPECT_EQ(loader->LibraryPath(), LibraryFile());

    EXPECT_EQ(StatOf(Directory()).st_mode & 07777, 0700u);
    const auto file = StatOf(LibraryFile());
    EXPECT_TRUE(S_ISREG(file.st_mode));
    EXPECT_EQ(file.st_mode & 022, 0u);
    const auto written = ReadFileBytes(LibraryFile());
    EXPECT_TRUE(std::equal(written.begin(), written.end(), VirtualDriverBytes().begin(),
                           VirtualDriverBytes().end()));
    EXPECT_TRUE(ReachesVirtualStick(*loader));
}

TEST_F(Loader, LibraryFromAnEarlierRunIsLoadedWithoutWritingItAgain) {
    ASSERT_TRUE(NewLoader()->LoadDriver());
    const auto before = StatOf(LibraryFile());

    auto loader = NewLoader();
    ASSERT_TRUE(loader->LoadDriver());
    ASSERT_TRUE(loader->UnloadDriver());
    ASSERT_TRUE(loader->LoadDriver());
    const auto after = StatOf(LibraryFile());
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

struct TForeignFile {
    std::string Name;
    std::function<std::vector<std::uint8_t>()> Content;
};

class LoaderForeignFile : public Loader, public testing::WithParamInterface<TForeignFile> {};

TEST_P(LoaderForeignFile, IsReplacedByTheProgramsOwnLibrary) {
    fs::create_directories(Directory());
    zeft::test::WriteFileBytes(LibraryFile(), GetParam().Content());

    auto loader = NewLoader();
    ASSERT_TRUE(loader->LoadDriver());
    const auto written = ReadFileBytes(LibraryFile());
    EXPECT_TRUE(std::equal(written.begin(), written.end(), VirtualDriverBytes().begin(),
                           VirtualDriverBytes().end()));
    EXPECT_TRUE(ReachesVirtualStick(*loader));
}

INSTANTIATE_TEST_SUITE_P(
    Contents, LoaderForeignFile,
    testing::Values(
        TForeignFile{"NotALibrary",
                     [] { return std::vector<std::uint8_t>{'n', 'o', 't', ' ', 'e', 'l', 'f'}; }},
        TForeignFile{"Empty", [] { return std::vector<std::uint8_t>{}; }},
        TForeignFile{"Truncated",
                     [] {
                         auto bytes = VirtualDriverBytes();
                         return std::vector<std::uint8_t>(bytes.begin(),
                                                          bytes.begin() + bytes.size() / 2);
                     }},
        TForeignFile{"Lengthened",
                     [] {
                         std::vector<std::uint8_t> bytes(VirtualDriverBytes().begin(),
                                                         VirtualDriverBytes().end());
                         bytes.push_back(0);
                         return bytes;
                     }},
        // A library that loads and has all the entry points, but is not the program's own.
        TForeignFile{"ForeignDriver",
                     [] {
                         auto bytes = zeft::test::ForeignDriverBytes();
                         return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
                     }}),
    [](const auto& info) { return info.param.Name; });

TEST_F(Loader, FileOthersMayWriteIsReplaced) {
    ASSERT_TRUE(NewLoader()->LoadDriver());
    const auto before = StatOf(LibraryFile());
    ASSERT_EQ(chmod(LibraryFile().c_str(), 0666), 0);
    ASSERT_TRUE(NewLoader()->LoadDriver());
    const auto after = StatOf(LibraryFile());
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 022, 0u);
}

TEST_F(Loader, SymbolicLinkAtTheLibraryPathIsReplacedNotFollowed) {
    fs::create_directories(Directory());
    const fs::path target = Scratch.Path() / "elsewhere.so";
    zeft::test::WriteFileBytes(target, zeft::test::ForeignDriverBytes());
    fs::create_symlink(target, LibraryFile());

    auto loader = NewLoader();
    ASSERT_TRUE(loader->LoadDriver());
    EXPECT_TRUE(S_ISREG(StatOf(LibraryFile()).st_mode));
    EXPECT_EQ(ReadFileBytes(target).size(), zeft::test::ForeignDriverBytes().size());
    EXPECT_TRUE(ReachesVirtualStick(*loader));
}

TEST_F(Loader, SymbolicLinkInPlaceOfTheDirectoryIsRefused) {
    const fs::path shared = Scratch.Path() / "shared";
    fs::create_directories(shared);
    fs::create_directories(Directory().parent_path());
    fs::create_directory_symlink(shared, Directory());

    auto loader = NewLoader();
    EXPECT_FALSE(loader->LoadDriver());
    EXPECT_FALSE(loader->DriverLoaded());
    EXPECT_TRUE(fs::is_empty(shared));
}

TEST_F(Loader, DirectoryOpenToOthersIsNarrowedToTheUser) {
    fs::create_directories(Directory());
    ASSERT_EQ(chmod(Directory().c_str(), 0777), 0);
    ASSERT_TRUE(NewLoader()->LoadDriver());
    EXPECT_EQ(StatOf(Directory()).st_mode & 07777, 0700u);
}

TEST_F(Loader, DirectoryOfAnotherUserIsRefused) {
    if (geteuid() != 0)
        GTEST_SKIP() << "handing a directory to another user needs root";
    fs::create_directories(Directory());
    ASSERT_EQ(chown(Directory().c_str(), 65534, 65534), 0);
    auto loader = NewLoader();
    EXPECT_FALSE(loader->LoadDriver());
    EXPECT_FALSE(fs::exists(LibraryFile()));
}

struct TWriteFailure {
    std::string Name;
    std::function<fs::path(const fs::path& scratch)> Arrange; // returns the directory to use
};

class LoaderWriteFailure : public Loader, public testing::WithParamInterface<TWriteFailure> {};

TEST_P(LoaderWriteFailure, MakesLoadDriverFalseWithoutAnError) {
    TuTrxLoader loader(VirtualDriverBytes(), GetParam().Arrange(Scratch.Path()));
    bool loaded = true;
    EXPECT_NO_THROW(loaded = loader.LoadDriver());
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(loader.DriverReady());
    EXPECT_EQ(loader.create(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, LoaderWriteFailure,
    testing::Values(TWriteFailure{"DirectoryUnderAFile",
                                  [](const fs::path& scratch) {
                                      zeft::test::WriteFileBytes(scratch / "file", {});
                                      return scratch / "file" / "zeft";
                                  }},
                    TWriteFailure{"LibraryNameTakenByADirectory",
                                  [](const fs::path& scratch) {
                                      fs::create_directories(scratch / "zeft" / "libuTrx.so" /
                                                             "occupied");
                                      return scratch / "zeft";
                                  }},
                    TWriteFailure{"NoDirectory", [](const fs::path&) { return fs::path(); }}),
    [](const auto& info) { return info.param.Name; });

TEST_F(Loader, NothingToWriteMakesLoadDriverFalse) {
    TuTrxLoader loader({}, Directory());
    EXPECT_FALSE(loader.LoadDriver());
}

TEST_F(Loader, LibraryLackingTheEntryPointsLoadsButIsNotReady) {
    TuTrxLoader loader(zeft::test::LibraryWithoutEntryPoints(), Directory());
    EXPECT_FALSE(loader.LoadDriver());
    EXPECT_TRUE(loader.DriverLoaded());
    EXPECT_FALSE(loader.EntryPointsResolved());
    EXPECT_FALSE(loader.DriverReady());
    EXPECT_EQ(loader.create(), nullptr);
    EXPECT_FALSE(loader.SetTX(nullptr));
    EXPECT_TRUE(loader.UnloadDriver());
}

TEST_F(Loader, UnloadWithNothingLoadedAnswersFalse) {
    auto loader = NewLoader();
    EXPECT_FALSE(loader->UnloadDriver());
    EXPECT_FALSE(loader->DriverLoaded());
    ASSERT_TRUE(loader->LoadDriver());
    EXPECT_TRUE(loader->UnloadDriver());
    EXPECT_FALSE(loader->UnloadDriver());
    EXPECT_FALSE(loader->DriverReady());
    EXPECT_FALSE(loader->SetTX(nullptr)) << "no call into a library that is gone";
}

TEST_F(Loader, UnloadReleasesEveryStickFirstAndReallyUnloads) {
    vs::PlugIn();
    auto loader = NewLoader();
    ASSERT_TRUE(loader->LoadDriver());
    for (int i = 0; i < 2; ++i) {
        uTrxHandle stick = loader->create();
        ASSERT_TRUE(loader->Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    }
    EXPECT_EQ(vs::OpenHandles(), 2);
    EXPECT_TRUE(Mapped(LibraryFile()));
    EXPECT_TRUE(loader->UnloadDriver());
    EXPECT_EQ(vs::OpenHandles(), 0);
    EXPECT_FALSE(Mapped(LibraryFile())) << "the library stayed in memory after dlclose";
}

TEST_F(Loader, LoadingAgainReleasesTheSticksOfTheEarlierLoad) {
    vs::PlugIn();
    auto loader = NewLoader();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(loader->LoadDriver());
        ASSERT_TRUE(loader->Find(loader->create(), zeft::StickVendorId, zeft::StickProductId, 1));
    }
    EXPECT_EQ(vs::OpenHandles(), 1);
    loader.reset();
    EXPECT_EQ(vs::OpenHandles(), 0);
}

// glibc reuses an object already loaded under the same /proc/self/fd name, whatever file the
// descriptor now stands for. Leave such an object behind under the names the loader will
// use, and check that the loader loads its own file all the same.
TEST_F(Loader, ObjectLoadedEarlierUnderTheSameDescriptorNameIsNotReused) {
    const fs::path stranger = Scratch.Path() / "stranger.so";
    zeft::test::WriteFileBytes(stranger, zeft::test::ForeignDriverBytes());
    std::vector<void*> strangers;
    std::vector<int> fds;
    for (int i = 0; i < 4; ++i)
        fds.push_back(open(stranger.c_str(), O_RDONLY | O_CLOEXEC));
    for (int fd : fds) {
        void* handle = dlopen(("/proc/self/fd/" + std::to_string(fd)).c_str(), RTLD_NOW);
        ASSERT_NE(handle, nullptr) << dlerror();
        strangers.push_back(handle);
    }
    for (int fd : fds)
        close(fd);

    auto loader = NewLoader();
    ASSERT_TRUE(loader->LoadDriver());
    EXPECT_TRUE(ReachesVirtualStick(*loader)) << "the loader used the stale library";
    loader.reset();
    for (void* handle : strangers)
        dlclose(handle);
}

class DriverDirectory : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME"})
            if (const char* value = std::getenv(name))
                FSaved.emplace_back(name, value);
    }
    void TearDown() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME"})
            unsetenv(name);
        for (const auto& [name, value] : FSaved)
            setenv(name.c_str(), value.c_str(), 1);
    }
    zeft::test::TScratchDirectory Scratch;

private:
    std::vector<std::pair<std::string, std::string>> FSaved;
};

TEST_F(DriverDirectory, PrefersThePrivateRuntimeDirectory) {
    const fs::path runtime = Scratch.Path() / "run";
    fs::create_directory(runtime);
    chmod(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("XDG_CACHE_HOME", (Scratch.Path() / "cache").c_str(), 1);
    EXPECT_EQ(zeft::DefaultDriverDirectory(), runtime / "zeft");
}

TEST_F(DriverDirectory, FallsBackToTheCacheWhenTheRuntimeDirectoryIsShared) {
    const fs::path runtime = Scratch.Path() / "run";
    fs::create_directory(runtime);
    chmod(runtime.c_str(), 0777);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("XDG_CACHE_HOME", (Scratch.Path() / "cache").c_str(), 1);
    EXPECT_EQ(zeft::DefaultDriverDirectory(), Scratch.Path() / "cache" / "zeft");
}

TEST_F(DriverDirectory, FallsBackToTheHomeCache) {
    unsetenv("XDG_RUNTIME_DIR");
    setenv("XDG_CACHE_HOME", "relative/cache", 1);
    setenv("HOME", Scratch.Path().c_str(), 1);
    EXPECT_EQ(zeft::DefaultDriverDirectory(), Scratch.Path() / ".cache" / "zeft");
}

} // namespace
