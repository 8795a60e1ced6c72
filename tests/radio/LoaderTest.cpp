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
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
    fs::path LibraryFile() const {
        return Directory() / TuTrxLoader::LibraryFileName(VirtualDriverBytes());
    }
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

struct TFileName {
    std::string Name;
    std::string Bytes;
    std::string Expected;
};

void PrintTo(const TFileName& c, std::ostream* out) {
    *out << c.Name;
}

class LoaderFileName : public testing::TestWithParam<TFileName> {};

TEST_P(LoaderFileName, CarriesTheFirstTwelveDigitsOfTheBytesSha256) {
    const std::string& bytes = GetParam().Bytes;
    EXPECT_EQ(TuTrxLoader::LibraryFileName(
                  std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())),
              GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Digests, LoaderFileName,
                         testing::Values(TFileName{"Empty", "", "libuTrx-e3b0c44298fc.so"},
                                         TFileName{"Abc", "abc", "libuTrx-ba7816bf8f01.so"},
                                         TFileName{"OneByteMore", "abcd",
                                                   "libuTrx-88d4266fd4e6.so"}),
                         [](const auto& info) { return info.param.Name; });

// An installed program and a development build, each polling once a second: neither may
// rewrite the other's file, or a poll now and then loads a file that is being replaced.
TEST_F(Loader, TwoBuildsKeepTheirOwnFilesSideBySide) {
    std::vector<std::uint8_t> otherBuild(VirtualDriverBytes().begin(), VirtualDriverBytes().end());
    otherBuild.push_back(0); // trailing bytes do not keep an ELF object from loading
    TuTrxLoader mine(VirtualDriverBytes(), Directory());
    TuTrxLoader theirs(otherBuild, Directory());
    ASSERT_TRUE(mine.LoadDriver());
    ASSERT_TRUE(theirs.LoadDriver());
    ASSERT_NE(mine.LibraryPath(), theirs.LibraryPath());
    const auto myFile = StatOf(mine.LibraryPath());
    const auto theirFile = StatOf(theirs.LibraryPath());
    for (int poll = 0; poll < 3; ++poll) {
        ASSERT_TRUE(mine.LoadDriver());
        ASSERT_TRUE(theirs.LoadDriver());
    }
    EXPECT_EQ(StatOf(mine.LibraryPath()).st_ino, myFile.st_ino) << "my file was rewritten";
    EXPECT_EQ(StatOf(theirs.LibraryPath()).st_ino, theirFile.st_ino) << "theirs was rewritten";
    EXPECT_EQ(ReadFileBytes(theirs.LibraryPath()), otherBuild);
    EXPECT_TRUE(ReachesVirtualStick(mine));
    EXPECT_TRUE(ReachesVirtualStick(theirs));
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
                                      fs::create_directories(
                                          scratch / "zeft" /
                                          TuTrxLoader::LibraryFileName(VirtualDriverBytes()) /
                                          "occupied");
                                      return scratch / "zeft";
                                  }},
                    TWriteFailure{"NoDirectory", [](const fs::path&) { return fs::path(); }}),
    [](const auto& info) { return info.param.Name; });

// The first place cannot hold a loadable library; the loader falls back to the second one,
// which gets the same checks. Each case runs in a child process of its own, so that a mount
// stays private to it.
struct TFallback {
    std::string Name;
    // Makes the first directory unusable; false when that is not possible here.
    std::function<bool(const fs::path& first)> Spoil;
};

void PrintTo(const TFallback& c, std::ostream* out) {
    *out << c.Name;
}

class LoaderFallback : public Loader, public testing::WithParamInterface<TFallback> {};

TEST_P(LoaderFallback, LoadsFromTheNextDirectoryWithTheSameChecks) {
    const fs::path runtime = Scratch.Path() / "run";
    const fs::path first = runtime / "zeft";
    const fs::path cache = Scratch.Path() / "cache" / "zeft";
    fs::create_directories(runtime);
    const pid_t pid = fork();
    if (pid == 0) {
        if (!GetParam().Spoil(first))
            _exit(3);
        // Without the fallback the first place alone fails.
        if (TuTrxLoader(VirtualDriverBytes(), first).LoadDriver())
            _exit(4);
        TuTrxLoader loader(VirtualDriverBytes(), std::vector<fs::path>{first, cache});
        bool ok =
            loader.LoadDriver() && loader.DriverReady() &&
            loader.LibraryPath() == cache / TuTrxLoader::LibraryFileName(VirtualDriverBytes());
        ok = ok && (StatOf(cache).st_mode & 07777) == 0700 && ReachesVirtualStick(loader);
        // The next poll loads from the cache again.
        ok = ok && loader.UnloadDriver() && loader.LoadDriver() &&
             loader.LibraryPath().parent_path() == cache;
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "cannot arrange " << GetParam().Name << " here";
    EXPECT_NE(WEXITSTATUS(status), 4) << "the first directory was usable after all";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, LoaderFallback,
    testing::Values(TFallback{"NoexecMount",
                              [](const fs::path& first) {
                                  // A runtime directory of its own, mounted noexec, in a private
                                  // namespace.
                                  return unshare(CLONE_NEWNS) == 0 &&
                                         mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE,
                                               nullptr) == 0 &&
                                         mount("tmpfs", first.parent_path().c_str(), "tmpfs",
                                               MS_NOEXEC, "mode=0700") == 0;
                              }},
                    TFallback{"SymbolicLinkInPlaceOfTheDirectory",
                              [](const fs::path& first) {
                                  std::error_code error;
                                  fs::create_directory_symlink("/tmp", first, error);
                                  return !error;
                              }},
                    TFallback{"FileInPlaceOfTheDirectory",
                              [](const fs::path& first) {
                                  zeft::test::WriteFileBytes(first, {});
                                  return true;
                              }}),
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

struct TDirectoryCase {
    std::string Name;
    int RuntimeMode; // 0: no XDG_RUNTIME_DIR
    bool CacheHome;  // XDG_CACHE_HOME set (otherwise a relative one, which does not count)
    std::vector<std::string> Expected; // relative to the scratch directory
};

class DriverDirectories : public DriverDirectory,
                          public testing::WithParamInterface<TDirectoryCase> {};

TEST_P(DriverDirectories, ListThePlacesToTryInOrder) {
    const TDirectoryCase& c = GetParam();
    unsetenv("XDG_RUNTIME_DIR");
    if (c.RuntimeMode != 0) {
        const fs::path runtime = Scratch.Path() / "run";
        fs::create_directory(runtime);
        chmod(runtime.c_str(), static_cast<mode_t>(c.RuntimeMode));
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    setenv("XDG_CACHE_HOME", c.CacheHome ? (Scratch.Path() / "cache").c_str() : "relative/cache",
           1);
    setenv("HOME", Scratch.Path().c_str(), 1);
    std::vector<fs::path> expected;
    for (const std::string& relative : c.Expected)
        expected.push_back(Scratch.Path() / relative);
    EXPECT_EQ(zeft::DefaultDriverDirectories(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, DriverDirectories,
    testing::Values(
        // The cache stays in the list: it serves when the runtime directory is mounted noexec.
        TDirectoryCase{"PrivateRuntimeThenCache", 0700, true, {"run/zeft", "cache/zeft"}},
        TDirectoryCase{"SharedRuntimeIsSkipped", 0777, true, {"cache/zeft"}},
        TDirectoryCase{"HomeCacheWithoutXdgCacheHome", 0700, false, {"run/zeft", ".cache/zeft"}},
        TDirectoryCase{"HomeCacheAlone", 0, false, {".cache/zeft"}}),
    [](const auto& info) { return info.param.Name; });

} // namespace
