// The driver library the program carries (the resource UTRX), loaded as the program loads it.
// This test links neither the virtual stick nor anything else that provides hidapi's
// functions, so the library reaches the real hidapi; the test machine has no stick.

#include "RadioTestSupport.h"
#include "zeft_DriverResource.h"
#include "zeft_USBConnection.h"
#include "zeft_uTrx.h"

#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace {

TEST(ProgramDriver, ResourceCarriesTheBuiltLibraryByteForByte) {
    const auto built = zeft::test::ReadFileBytes(ZEFT_PRODUCTION_DRIVER);
    const auto resource = zeft::DriverResource();
    ASSERT_EQ(resource.size(), built.size());
    EXPECT_TRUE(std::equal(resource.begin(), resource.end(), built.begin()));
}

TEST(ProgramDriver, LoadsWithAllEntryPointsAndFindsNoStickWithoutHardware) {
    zeft::test::TScratchDirectory scratch;
    zeft::TuTrxLoader loader(zeft::DriverResource(), scratch.Path() / "zeft");
    ASSERT_TRUE(loader.LoadDriver());
    EXPECT_TRUE(loader.DriverReady());
    uTrxHandle stick = loader.create();
    ASSERT_NE(stick, nullptr);
    EXPECT_FALSE(loader.Find(stick, 0x1209, 0x2EF7, 1));
    EXPECT_FALSE(loader.SetTX(stick));
    EXPECT_TRUE(loader.UnloadDriver());
}

class ProgramConnection : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME"})
            if (const char* value = std::getenv(name))
                FSaved.emplace_back(name, value);
        unsetenv("XDG_RUNTIME_DIR");
        setenv("XDG_CACHE_HOME", Scratch.Path().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("XDG_CACHE_HOME");
        for (const auto& [name, value] : FSaved)
            setenv(name.c_str(), value.c_str(), 1);
    }
    zeft::test::TScratchDirectory Scratch;

private:
    std::vector<std::pair<std::string, std::string>> FSaved;
};

TEST_F(ProgramConnection, DefaultConnectionWritesTheLibraryToTheUsersDirectoryAndReports) {
    std::vector<std::pair<int, int>> notes;
    {
        zeft::TUSBConnection connection;
        connection.OnStateChange = [&](std::uint8_t state, std::int32_t value) {
            notes.emplace_back(state, value);
        };
        connection.start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !notes.empty(); }, 20000));
    }
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.front(), std::make_pair(0, 0));
    const fs::path library =
        Scratch.Path() / "zeft" / zeft::TuTrxLoader::LibraryFileName(zeft::DriverResource());
    EXPECT_TRUE(fs::is_regular_file(library));
    EXPECT_EQ(fs::status(Scratch.Path() / "zeft").permissions(), fs::perms::owner_all);
}

} // namespace
