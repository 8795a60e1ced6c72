// Saving must never destroy the previous file. These tests make saves fail for real: a
// read-only folder, a file size limit, a full file system, a process killed while saving.
#include "THeatingLocations.h"
#include "TScheduleFileError.h"
#include "zeft_AtomicFile.h"
#include "zeft_ScheduleFile.h"
#include "zeft_Templates.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zeft;
namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

THeatingLocations& Collection(int count) {
    static THeatingLocations locations;
    while (locations.Count() < count)
        locations.Add(CreateTemplateLocation(locations.Count() % TemplateCount,
                                             [](int id) { return "Room " + std::to_string(id); }));
    return locations;
}

class AtomicSave : public testing::Test {
protected:
    void SetUp() override {
        Dir = fs::path(testing::TempDir()) /
              ("zeft-save-" + std::to_string(getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        Target = Dir / "rooms.zeft";
        WriteBytes(Target, OldBytes);
    }
    void TearDown() override {
        fs::permissions(Dir, fs::perms::owner_all);
        fs::remove_all(Dir);
    }

    // Only the target may be in the folder: no temporary file left behind.
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Dir))
            names.push_back(entry.path().filename().string());
        return names;
    }

    // Runs the save in a child process (so that limits and privileges stay there); returns
    // 0 when the save raised TScheduleFileError, 1 when it succeeded, 2 for anything else.
    template <typename Prepare> int SaveInChild(Prepare prepare, int locations = 3) {
        const pid_t pid = fork();
        if (pid == 0) {
            if (!prepare())
                _exit(3);
            try {
                Collection(locations).SaveToFile(Target.string());
                _exit(1);
            } catch (const TScheduleFileError&) {
                _exit(0);
            } catch (...) {
                _exit(2);
            }
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const std::string OldBytes = "old content\r\n";
    fs::path Dir;
    fs::path Target;
};

} // namespace

TEST_F(AtomicSave, NewFileGetsTheUsualPermissions) {
    const mode_t old = umask(022);
    Collection(1).SaveToFile((Dir / "new.zeft").string());
    umask(old);
    EXPECT_EQ(fs::status(Dir / "new.zeft").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

TEST_F(AtomicSave, ASymbolicLinkKeepsPointingAtItsUpdatedTarget) {
    fs::create_directories(Dir / "real");
    WriteBytes(Dir / "real" / "data.zeft", OldBytes);
    fs::create_symlink("real/data.zeft", Dir / "link.zeft");
    Collection(1).SaveToFile((Dir / "link.zeft").string());
    EXPECT_TRUE(fs::is_symlink(Dir / "link.zeft"));
    EXPECT_EQ(ReadBytes(Dir / "real" / "data.zeft"), ScheduleFileBytes(Collection(1)));
}

// A link in a shared sticky folder such as /tmp is followed only when the user or the folder's
// owner made it, as the kernel's fs.protected_symlinks rule has it: anyone else could aim the
// save at any file of the user's.
constexpr uid_t FolderOwner = 65533;

struct TLinkCase {
    const char* Name;
    mode_t FolderMode;
    uid_t LinkOwner; // 0: the user who saves
    bool Followed;
};

class LinkInAFolder : public AtomicSave, public testing::WithParamInterface<TLinkCase> {};

TEST_P(LinkInAFolder, IsFollowedUnlessAnotherUserPlantedItInASharedFolder) {
    const TLinkCase& param = GetParam();
    if (param.LinkOwner != 0 && geteuid() != 0)
        GTEST_SKIP() << "only the superuser may give a link to another user";
    const fs::path shared = Dir / "shared";
    const fs::path link = shared / "rooms.zeft";
    fs::create_directories(shared);
    ASSERT_EQ(chmod(shared.c_str(), param.FolderMode), 0);
    ASSERT_TRUE(geteuid() != 0 || chown(shared.c_str(), FolderOwner, FolderOwner) == 0);
    fs::create_symlink(Target, link);
    ASSERT_TRUE(param.LinkOwner == 0 || lchown(link.c_str(), param.LinkOwner, 0) == 0);

    TParsedScheduleFile parsed;
    try {
        Collection(1).SaveToFile(link.string());
        EXPECT_TRUE(param.Followed) << "saved through a planted link";
        EXPECT_EQ(ReadBytes(Target), ScheduleFileBytes(Collection(1)));
        EXPECT_NO_THROW(ParseScheduleFile(link.string(), parsed));
    } catch (const TScheduleFileError& error) {
        EXPECT_FALSE(param.Followed) << error.what();
        EXPECT_EQ(error.SystemError(), ELOOP);
        EXPECT_EQ(ReadBytes(Target), OldBytes);
        EXPECT_THROW(ParseScheduleFile(link.string(), parsed), TScheduleFileError);
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkInAFolder,
    testing::Values(TLinkCase{"TheUsersOwnInASharedFolder", 01777, 0, true},
                    TLinkCase{"TheFolderOwnersInASharedFolder", 01777, FolderOwner, true},
                    TLinkCase{"AnotherUsersInAnOpenFolderWithoutStickyBit", 0777, 65534, true},
                    TLinkCase{"AnotherUsersInASharedFolder", 01777, 65534, false}),
    [](const testing::TestParamInfo<TLinkCase>& info) { return info.param.Name; });

TEST_F(AtomicSave, LinksInACircleAreNotReplaced) {
    fs::create_symlink("b.zeft", Dir / "a.zeft");
    fs::create_symlink("a.zeft", Dir / "b.zeft");
    EXPECT_THROW(Collection(1).SaveToFile((Dir / "a.zeft").string()), TScheduleFileError);
    EXPECT_TRUE(fs::is_symlink(Dir / "a.zeft"));
    EXPECT_TRUE(fs::is_symlink(Dir / "b.zeft"));
}

TEST_F(AtomicSave, AMissingFolderFails) {
    EXPECT_THROW(Collection(1).SaveToFile((Dir / "missing" / "x.zeft").string()),
                 TScheduleFileError);
    EXPECT_FALSE(fs::exists(Dir / "missing"));
}

TEST_F(AtomicSave, SomethingThatIsNotARegularFileIsNotReplaced) {
    const fs::path fifo = Dir / "pipe.zeft";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(Collection(1).SaveToFile(fifo.string()), TScheduleFileError);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(AtomicSave, AReadOnlyFolderLeavesTheOldFile) {
    fs::permissions(Dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    fs::permissions(Target, fs::perms::all);
    const int result = SaveInChild([] {
        // The superuser ignores folder permissions; give the save an ordinary user's rights.
        return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(Target), OldBytes);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"rooms.zeft"});
}

TEST_F(AtomicSave, AWriteProtectedFileIsNotReplaced) {
    // The file and its folder belong to the user who saves; only the file's mode forbids it.
    constexpr uid_t User = 65534;
    if (geteuid() == 0) {
        ASSERT_EQ(chown(Dir.c_str(), User, User), 0);
        ASSERT_EQ(chown(Target.c_str(), User, User), 0);
    }
    ASSERT_EQ(chmod(Target.c_str(), 0444), 0);
    const int result =
        SaveInChild([] { return geteuid() != 0 || (setgid(User) == 0 && setuid(User) == 0); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(Target), OldBytes);
    EXPECT_EQ(fs::status(Target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"rooms.zeft"});
}

TEST_F(AtomicSave, TheSuperuserReplacesAWriteProtectedFile) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser may write a file whatever its mode";
    ASSERT_EQ(chmod(Target.c_str(), 0444), 0);
    Collection(1).SaveToFile(Target.string());
    EXPECT_EQ(ReadBytes(Target), ScheduleFileBytes(Collection(1)));
    EXPECT_EQ(fs::status(Target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(AtomicSave, AReadOnlyFileSystemFails) {
    // /proc takes no new files, whoever asks.
    EXPECT_THROW(Collection(1).SaveToFile("/proc/zeft-test.zeft"), TScheduleFileError);
    EXPECT_FALSE(fs::exists("/proc/zeft-test.zeft"));
}

// A file with a second name (a hard link) is written in place, so that both names go on
// showing one file; a file with one name is replaced by a rename. Either way a failure leaves
// the old content under every name, and nothing else in the folder.
class FileNames : public AtomicSave, public testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        AtomicSave::SetUp();
        Names = {Target};
        if (GetParam() == 2) {
            fs::create_hard_link(Target, Dir / "second name.zeft");
            Names.push_back(Dir / "second name.zeft");
        }
    }
    // Every name shows the bytes, and the folder holds nothing else.
    void ExpectEveryName(const std::string& bytes) const {
        for (const fs::path& name : Names)
            EXPECT_EQ(ReadBytes(name), bytes) << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()),
                  static_cast<std::ptrdiff_t>(Names.size()));
    }
    std::vector<fs::path> Names;
};

ino_t InodeOf(const fs::path& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_P(FileNames, ASaveReachesEveryNameKeepingThePermissions) {
    fs::permissions(Target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const ino_t before = InodeOf(Target);
    Collection(2).SaveToFile(Target.string());
    ExpectEveryName(ScheduleFileBytes(Collection(2)));
    for (const fs::path& name : Names) {
        EXPECT_EQ(InodeOf(name) == before, GetParam() == 2) << "replaced by a rename: " << name;
        EXPECT_EQ(fs::status(name).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
}

TEST_P(FileNames, AFileSizeLimitLeavesTheOldContent) {
    const int result = SaveInChild([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    });
    EXPECT_EQ(result, 0);
    ExpectEveryName(OldBytes);
}

INSTANTIATE_TEST_SUITE_P(Save, FileNames, testing::Values(1, 2),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == 1 ? "OneName" : "TwoHardLinks";
                         });

TEST_F(AtomicSave, AFullFileSystemLeavesTheOldFile) {
    // A 32 KiB file system of our own in a private mount namespace, holding the old file.
    const pid_t pid = fork();
    if (pid == 0) {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", Dir.c_str(), "tmpfs", 0, "size=32k") != 0)
            _exit(3);
        WriteBytes(Target, OldBytes);
        bool failed = false;
        try {
            Collection(30).SaveToFile(Target.string());
        } catch (const TScheduleFileError& error) {
            failed = error.SystemError() == ENOSPC; // what names the cause to the user
        }
        const bool intact = ReadBytes(Target) == OldBytes;
        const bool clean =
            std::distance(fs::directory_iterator(Dir), fs::directory_iterator()) == 1;
        _exit(failed && intact && clean ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "no permission to mount a small file system here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(AtomicSave, AProcessKilledWhileSavingLeavesAWholeFile) {
    THeatingLocations& big = Collection(400);
    const std::string newBytes = ScheduleFileBytes(big);
    for (int delayMs : {1, 3, 7, 15, 30}) {
        WriteBytes(Target, OldBytes);
        const pid_t pid = fork();
        if (pid == 0) {
            for (;;)
                big.SaveToFile(Target.string());
        }
        usleep(static_cast<useconds_t>(delayMs) * 1000);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        const std::string now = ReadBytes(Target);
        EXPECT_TRUE(now == OldBytes || now == newBytes) << "after " << delayMs << " ms";
    }
}

// The reader takes only regular files of a sane size: a device would be read for ever, a named
// pipe would block the start until a writer came.
struct TUnreadableCase {
    const char* Name;
    std::function<std::string(const fs::path& dir)> Make; // the path to read
    const char* Reason;
};

class UnreadableInput : public AtomicSave, public testing::WithParamInterface<TUnreadableCase> {};

TEST_P(UnreadableInput, IsRefusedWithoutReadingOrWaiting) {
    TParsedScheduleFile parsed;
    try {
        ParseScheduleFile(GetParam().Make(Dir), parsed);
        FAIL() << "read";
    } catch (const TScheduleFileError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().Reason), std::string::npos)
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reader, UnreadableInput,
    testing::Values(TUnreadableCase{"Device",
                                    [](const fs::path&) { return std::string("/dev/zero"); },
                                    "not a regular file"},
                    TUnreadableCase{"NamedPipe",
                                    [](const fs::path& dir) {
                                        const fs::path fifo = dir / "pipe.zeft";
                                        mkfifo(fifo.c_str(), 0600);
                                        return fifo.string();
                                    },
                                    "not a regular file"},
                    TUnreadableCase{"Folder", [](const fs::path& dir) { return dir.string(); },
                                    "not a regular file"},
                    TUnreadableCase{"OverTheLimit",
                                    [](const fs::path& dir) {
                                        const fs::path big = dir / "big.zeft";
                                        WriteBytes(big, "");
                                        // sparse: no disk used
                                        fs::resize_file(big, zeft::MaxScheduleFileSize + 1);
                                        return big.string();
                                    },
                                    "larger than 1024 MiB"}),
    [](const testing::TestParamInfo<TUnreadableCase>& info) { return info.param.Name; });
