// Connecting the stick: the search and the 41 register writes of the transceiver set-up.

#include "AX5051.h"
#include "RadioTestSupport.h"
#include "VirtualStick.h"
#include "VirtualStickReports.h"
#include "zeft_USBRF.h"

#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
namespace vs = zeft::virtualstick;

namespace {

std::vector<std::uint8_t> RegisterWrite(const zeft::TRegisterSetting& setting) {
    return {0xF0, setting.Register, 0x01, setting.Value, 0x00};
}

// The transceiver set-up as the radio frames need it, written out here rather than taken from
// the program's own table, so that a changed entry there shows.
const std::vector<zeft::TRegisterSetting> ExpectedSetUp{
    {0x03, 0x02}, {0x08, 0x00}, {0x10, 0x49}, {0x11, 0x08}, {0x12, 0x04}, {0x14, 0xFF},
    {0x15, 0xFF}, {0x16, 0xFF}, {0x17, 0xFF}, {0x2C, 0x1D}, {0x2D, 0x07}, {0x2E, 0x03},
    {0x34, 0x03}, {0x4F, 0x2A}, {0x20, 0x36}, {0x21, 0x44}, {0x22, 0xCC}, {0x23, 0xCD},
    {0x28, 0x20}, {0x29, 0xC5}, {0x38, 0x01}, {0x39, 0x0E}, {0x3A, 0x10}, {0x3B, 0x0C},
    {0x3C, 0x00}, {0x3F, 0x19}, {0x40, 0x1A}, {0x41, 0xAB}, {0x42, 0x08}, {0x43, 0x55},
    {0x44, 0x03}, {0x45, 0x03}, {0x46, 0x06}, {0x47, 0x06}, {0x25, 0x00}, {0x26, 0x66},
    {0x27, 0x66}, {0x30, 0x03}, {0x31, 0x00}, {0x32, 0x27}, {0x33, 0x52}};

class StickConnection : public testing::Test {
protected:
    void SetUp() override { vs::Reset(); }
    void TearDown() override {
        Radio.UnloadDriver();
        vs::Reset();
        EXPECT_EQ(vs::OpenHandles(), 0);
    }

    zeft::test::TScratchDirectory Scratch;
    std::unique_ptr<zeft::TuTrxLoader> Driver =
        zeft::test::VirtualDriverLoader(Scratch.Path() / "zeft");
    zeft::TUSBRF Radio{*Driver};
};

TEST_F(StickConnection, PluggedInStickIsSearchedAndGetsTheWholeSetUpInOrder) {
    vs::PlugIn();
    EXPECT_TRUE(Radio.LoadAndConnectStick());
    EXPECT_NE(Radio.StickHandle(), nullptr);
    EXPECT_TRUE(Radio.StickWasFound());
    EXPECT_TRUE(Radio.StickConnected());

    const auto reports = vs::Reports();
    ASSERT_EQ(ExpectedSetUp.size(), 41u);
    ASSERT_EQ(reports.size(), ExpectedSetUp.size());
    for (std::size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].Transfer, vs::TTransfer::SetFeature) << "step " << i + 1;
        EXPECT_EQ(reports[i].Bytes, RegisterWrite(ExpectedSetUp[i])) << "step " << i + 1;
    }
    EXPECT_EQ(vs::Register(0, 0x10), 0x49);
    EXPECT_EQ(vs::Register(0, 0x33), 0x52);
}

TEST_F(StickConnection, AbsentStickWritesNothing) {
    EXPECT_FALSE(Radio.LoadAndConnectStick());
    EXPECT_FALSE(Radio.StickWasFound());
    EXPECT_FALSE(Radio.StickConnected());
    EXPECT_TRUE(vs::Reports().empty());
}

struct TAccessCase {
    std::string Name;
    std::function<void()> Arrange;
    bool AccessDenied;
};

void PrintTo(const TAccessCase& c, std::ostream* out) {
    *out << c.Name;
}

class StickAccess : public StickConnection, public testing::WithParamInterface<TAccessCase> {};

TEST_P(StickAccess, FailedAttemptTellsAStickWithoutAccessApart) {
    GetParam().Arrange();
    EXPECT_FALSE(Radio.LoadAndConnectStick());
    EXPECT_EQ(Radio.StickAccessDenied(), GetParam().AccessDenied);
    EXPECT_TRUE(vs::Reports().empty());
    vs::RefuseOpen(false);
    vs::PlugIn();
    EXPECT_TRUE(Radio.LoadAndConnectStick());
    EXPECT_FALSE(Radio.StickAccessDenied()) << "the reason outlived the next attempt";
}

INSTANTIATE_TEST_SUITE_P(Causes, StickAccess,
                         testing::Values(TAccessCase{"Absent", [] {}, false},
                                         TAccessCase{"ListedButNotOurs",
                                                     [] {
                                                         vs::PlugIn();
                                                         vs::RefuseOpen(true, EACCES);
                                                     },
                                                     true},
                                         TAccessCase{"ListedButBroken",
                                                     [] {
                                                         vs::PlugIn();
                                                         vs::RefuseOpen(true, EIO);
                                                     },
                                                     false}),
                         [](const auto& info) { return info.param.Name; });

// A library of the 22 functions alone gives no reason: it reads as an absent stick.
TEST(StickAccessOlderLibrary, WithoutTheStatusEntryPointReadsAsNoStick) {
    zeft::test::TScratchDirectory scratch;
    zeft::TuTrxLoader loader(zeft::test::ForeignDriverBytes(), scratch.Path());
    ASSERT_TRUE(loader.LoadDriver());
    EXPECT_EQ(loader.FindStatus(nullptr), uTrxFindNoStick);
}

class RefusedRegisterWrite : public StickConnection, public testing::WithParamInterface<int> {};

TEST_P(RefusedRegisterWrite, StopsTheSetUpButTheStickCountsAsConnected) {
    const int k = GetParam();
    vs::PlugIn();
    vs::RefuseRegisterWrite(k);
    EXPECT_TRUE(Radio.LoadAndConnectStick());
    EXPECT_TRUE(Radio.StickConnected());
    const auto reports = vs::Reports();
    ASSERT_EQ(reports.size(), static_cast<std::size_t>(k));
    EXPECT_TRUE(reports.back().Refused);
    EXPECT_EQ(reports.back().Bytes, RegisterWrite(ExpectedSetUp[k - 1]));
}

INSTANTIATE_TEST_SUITE_P(Steps, RefusedRegisterWrite, testing::Values(1, 2, 20, 41));

TEST_F(StickConnection, SecondConnectOnTheSameObjectAsksTheStickOnly) {
    vs::PlugIn();
    ASSERT_TRUE(Radio.LoadAndConnectStick());
    vs::ClearReports();
    EXPECT_TRUE(Radio.ConnectStick());
    const auto reports = vs::Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Transfer, vs::TTransfer::GetFeature);
    EXPECT_EQ(reports[0].Bytes[0], 0xDE);
}

TEST_F(StickConnection, ConnectBeforeTheLibraryIsReadyAnswersTheLastResult) {
    EXPECT_FALSE(Radio.ConnectStick());
    vs::PlugIn();
    ASSERT_TRUE(Radio.LoadAndConnectStick());
    ASSERT_TRUE(Radio.UnloadDriver());
    vs::ClearReports();
    EXPECT_TRUE(Radio.ConnectStick());
    EXPECT_TRUE(vs::Reports().empty());
}

TEST_F(StickConnection, LibraryThatCannotBeLoadedKeepsTheFlags) {
    vs::PlugIn();
    ASSERT_TRUE(Radio.LoadAndConnectStick());
    // The private directory turns into a file: the library cannot be written any more.
    Radio.UnloadDriver();
    fs::remove_all(Scratch.Path() / "zeft");
    zeft::test::WriteFileBytes(Scratch.Path() / "zeft", {});
    EXPECT_FALSE(Radio.LoadAndConnectStick());
    EXPECT_EQ(Radio.StickHandle(), nullptr);
    EXPECT_TRUE(Radio.StickWasFound());
    EXPECT_TRUE(Radio.StickConnected());
}

TEST_F(StickConnection, EveryAttemptReleasesTheStickObjectBeforeIt) {
    vs::PlugIn();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Radio.LoadAndConnectStick());
    EXPECT_EQ(vs::OpenHandles(), 1);
    ASSERT_TRUE(Radio.UnloadDriver());
    EXPECT_EQ(vs::OpenHandles(), 0);
    EXPECT_EQ(Radio.StickHandle(), nullptr);
}

TEST_F(StickConnection, StickPulledOutIsNoticedAtTheNextAttempt) {
    vs::PlugIn();
    ASSERT_TRUE(Radio.LoadAndConnectStick());
    vs::PullOut();
    Radio.UnloadDriver();
    EXPECT_FALSE(Radio.LoadAndConnectStick());
    EXPECT_FALSE(Radio.StickWasFound());
    EXPECT_FALSE(Radio.StickConnected());
}

} // namespace
