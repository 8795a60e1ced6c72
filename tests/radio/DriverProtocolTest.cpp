// The driver library's HID reports, byte for byte, through the virtual stick.

#include "VirtualStick.h"
#include "uTrx.h"
#include "zeft_StickIdentity.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <string>
#include <vector>

namespace vs = zeft::virtualstick;

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Padded(TBytes head, std::size_t length, std::uint8_t fill = 0x00) {
    head.resize(length, fill);
    return head;
}

std::vector<vs::TRecordedReport> SetFeatureReports() {
    std::vector<vs::TRecordedReport> result;
    for (auto& report : vs::Reports())
        if (report.Transfer == vs::TTransfer::SetFeature)
            result.push_back(report);
    return result;
}

class DriverProtocol : public testing::Test {
protected:
    void SetUp() override {
        vs::Reset();
        vs::PlugIn();
        Stick = uTrx_create();
        ASSERT_NE(Stick, nullptr);
        ASSERT_TRUE(uTrx_Find(Stick, zeft::StickVendorId, zeft::StickProductId, 1));
        vs::ClearReports();
    }
    void TearDown() override {
        uTrx_destroy(Stick);
        vs::Reset();
        EXPECT_EQ(vs::OpenHandles(), 0) << "a stick object left its device open";
    }

    uTrxHandle Stick = nullptr;
};

struct TCommandCase {
    std::string Name;
    std::function<uTrxBool(uTrxHandle)> Call;
    TBytes Expected;
};

class DriverCommand : public DriverProtocol, public testing::WithParamInterface<TCommandCase> {};

TEST_P(DriverCommand, SendsOneFeatureReportByteForByte) {
    EXPECT_TRUE(GetParam().Call(Stick));
    const auto reports = SetFeatureReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Bytes, GetParam().Expected);
    EXPECT_FALSE(reports[0].Refused);
}

const std::uint8_t ExampleFrame[] = {0x00, 0x31, 0xFF, 0x00, 0x00, 0x12, 0x27, 0x23};
const TBytes LongestFrame(270, 0xAB);

TBytes LongestFrameReport() {
    TBytes report(273, 0xAB);
    report[0] = 0xD5;
    report[1] = 0x01;
    report[2] = 0x0E;
    return report;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, DriverCommand,
    testing::Values(
        TCommandCase{"SetTX", uTrx_SetTX, Padded({0xD1}, 21)},
        TCommandCase{"SetRX", uTrx_SetRX, Padded({0xD0}, 21)},
        TCommandCase{"SetState", [](uTrxHandle s) { return uTrx_SetState(s, 0x5A); },
                     Padded({0xD7, 0x5A}, 21)},
        TCommandCase{"SetPreamblePattern",
                     [](uTrxHandle s) { return uTrx_SetPreamblePattern(s, 0xAA); },
                     Padded({0xD8, 0xAA}, 21)},
        TCommandCase{"Execute", [](uTrxHandle s) { return uTrx_Execute(s, 0x07); },
                     Padded({0xD9, 0x07}, 21)},
        TCommandCase{"EraseConfigFlash", uTrx_EraseConfigFlash, Padded({0xDA, 0x0A}, 21)},
        TCommandCase{"EraseDataFlash", uTrx_EraseDataFlash, Padded({0xDA, 0x0B}, 21)},
        TCommandCase{"WriteReg", [](uTrxHandle s) { return uTrx_WriteReg(s, 0x10, 0x49); },
                     TBytes{0xF0, 0x10, 0x01, 0x49, 0x00}},
        TCommandCase{"WriteRegSevenBitAddress",
                     [](uTrxHandle s) { return uTrx_WriteReg(s, 0x90, 0x12); },
                     TBytes{0xF0, 0x10, 0x01, 0x12, 0x00}},
        TCommandCase{
            "SetFrameExample", [](uTrxHandle s) { return uTrx_SetFrame(s, ExampleFrame, 8); },
            Padded({0xD5, 0x00, 0x08, 0x00, 0x31, 0xFF, 0x00, 0x00, 0x12, 0x27, 0x23}, 273)},
        TCommandCase{"SetFrameLongest",
                     [](uTrxHandle s) { return uTrx_SetFrame(s, LongestFrame.data(), 270); },
                     LongestFrameReport()}),
    [](const auto& info) { return info.param.Name; });

TEST_F(DriverProtocol, FrameLongerThanTheReportIsRefusedWithoutTransfer) {
    const TBytes frame(271, 0x11);
    EXPECT_FALSE(uTrx_SetFrame(Stick, frame.data(), 271));
    EXPECT_TRUE(vs::Reports().empty());
}

struct TReceivedFrameCase {
    std::uint8_t LengthHigh;
    std::uint8_t LengthLow;
    bool Accepted;
    std::uint32_t Length;
};

class ReceivedFrame : public DriverProtocol,
                      public testing::WithParamInterface<TReceivedFrameCase> {};

TEST_P(ReceivedFrame, LengthFieldIsCheckedAgainstTheReport) {
    const auto& c = GetParam();
    TBytes reply = {0xD6, c.LengthHigh, c.LengthLow};
    for (int i = 0; i < 270; ++i)
        reply.push_back(static_cast<std::uint8_t>(i + 1));
    vs::SetFeatureReply(0xD6, reply);

    // A guard zone behind a 270-byte buffer must never be written.
    TBytes buffer(270 + 16, 0xEE);
    std::uint32_t length = 0xDEADBEEF;
    EXPECT_EQ(uTrx_GetFrame(Stick, buffer.data(), &length) != 0, c.Accepted);
    if (c.Accepted) {
        EXPECT_EQ(length, c.Length);
        for (std::uint32_t i = 0; i < c.Length; ++i)
            ASSERT_EQ(buffer[i], static_cast<std::uint8_t>(i + 1));
        EXPECT_EQ(buffer[c.Length], 0xEE);
    } else {
        EXPECT_EQ(length, 0xDEADBEEFu);
        EXPECT_EQ(buffer[0], 0xEE);
    }
    EXPECT_TRUE(std::all_of(buffer.begin() + 270, buffer.end(), [](auto b) { return b == 0xEE; }));
}

INSTANTIATE_TEST_SUITE_P(Lengths, ReceivedFrame,
                         testing::Values(TReceivedFrameCase{0x00, 0x00, true, 0},
                                         TReceivedFrameCase{0x00, 0x05, true, 5},
                                         TReceivedFrameCase{0xFE, 0x05, true, 5},
                                         TReceivedFrameCase{0x01, 0x0E, true, 270},
                                         TReceivedFrameCase{0x01, 0x0F, false, 0},
                                         TReceivedFrameCase{0x01, 0xFF, false, 0},
                                         TReceivedFrameCase{0xFF, 0xFF, false, 0}));

TEST_F(DriverProtocol, RegisterReadAsksThenReadsTheSameReport) {
    ASSERT_TRUE(uTrx_WriteReg(Stick, 0x2C, 0x1D));
    vs::ClearReports();
    std::uint16_t value = 0;
    ASSERT_TRUE(uTrx_ReadReg16(Stick, 0xAC, &value));
    EXPECT_EQ(value, 0x001D);
    const auto reports = vs::Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].Transfer, vs::TTransfer::SetFeature);
    EXPECT_EQ(reports[0].Bytes, (TBytes{0xF0, 0x2C, 0x00, 0x00, 0x00}));
    EXPECT_EQ(reports[1].Transfer, vs::TTransfer::GetFeature);
    EXPECT_EQ(reports[1].Bytes.size(), 5u);

    vs::SetFeatureReply(0xF0, {0xF0, 0x2C, 0x00, 0x34, 0x12});
    ASSERT_TRUE(uTrx_ReadReg16(Stick, 0x2C, &value));
    EXPECT_EQ(value, 0x1234);
    ASSERT_TRUE(uTrx_ReadReg(Stick, 0x2C, &value));
    EXPECT_EQ(value, 0x0034);
}

TEST_F(DriverProtocol, FlashWriteIsChunkedInSixteenBytes) {
    TBytes data(20);
    std::iota(data.begin(), data.end(), std::uint8_t{1});
    ASSERT_TRUE(uTrx_WriteConfigFlash(Stick, 0x0100, 20, data.data()));

    TBytes first(25, 0xFF);
    TBytes second(25, 0xFF);
    std::copy_n(TBytes{0xDB, 0x0A, 0x01, 0x00}.begin(), 4, first.begin());
    std::copy_n(data.begin(), 16, first.begin() + 4);
    std::copy_n(TBytes{0xDB, 0x0A, 0x01, 0x10}.begin(), 4, second.begin());
    std::copy_n(data.begin() + 16, 4, second.begin() + 4);
    const auto reports = SetFeatureReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].Bytes, first);
    EXPECT_EQ(reports[1].Bytes, second);
}

TEST_F(DriverProtocol, FlashReadsBackWhatWasWritten) {
    TBytes data(40);
    std::iota(data.begin(), data.end(), std::uint8_t{0x40});
    ASSERT_TRUE(uTrx_EraseDataFlash(Stick));
    ASSERT_TRUE(uTrx_WriteDataFlash(Stick, 0xFFF8, 40, data.data()));
    vs::ClearReports();

    TBytes readBack(40, 0);
    ASSERT_TRUE(uTrx_ReadDataFlash(Stick, 0xFFF8, 40, readBack.data()));
    EXPECT_EQ(readBack, data);
    // Three chunks, the address wrapping within 16 bits: FFF8, 0008, 0018.
    const auto requests = SetFeatureReports();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].Bytes, Padded({0xDD, 0x0B, 0xFF, 0xF8}, 21));
    EXPECT_EQ(requests[1].Bytes, Padded({0xDD, 0x0B, 0x00, 0x08}, 21));
    EXPECT_EQ(requests[2].Bytes, Padded({0xDD, 0x0B, 0x00, 0x18}, 21));

    // The configuration flash is a separate area and still erased.
    TBytes config(16, 0);
    ASSERT_TRUE(uTrx_ReadConfigFlash(Stick, 0xFFF8, 16, config.data()));
    EXPECT_EQ(config, TBytes(16, 0xFF));
}

TEST_F(DriverProtocol, FlashTransfersBeyondLimitAreRefusedWithoutTransfer) {
    TBytes data(513, 0x55);
    EXPECT_FALSE(uTrx_ReadConfigFlash(Stick, 0, 513, data.data()));
    EXPECT_FALSE(uTrx_WriteConfigFlash(Stick, 0, 513, data.data()));
    EXPECT_FALSE(uTrx_ReadDataFlash(Stick, 0, 513, data.data()));
    EXPECT_FALSE(uTrx_WriteDataFlash(Stick, 0, 513, data.data()));
    EXPECT_TRUE(vs::Reports().empty());

    EXPECT_TRUE(uTrx_WriteDataFlash(Stick, 0, 512, data.data()));
    EXPECT_EQ(SetFeatureReports().size(), 32u);
}

TEST_F(DriverProtocol, StateAndRevisionComeFromTheirReports) {
    vs::SetFeatureReply(0xDE, {0xDE, 0x12, 0x34, 0x56});
    std::uint8_t state[2] = {};
    ASSERT_TRUE(uTrx_GetState(Stick, state));
    EXPECT_EQ(state[0], 0x12);
    EXPECT_EQ(state[1], 0x34);

    std::uint8_t revision[21] = {};
    revision[20] = 0xEE;
    ASSERT_TRUE(uTrx_GetRevInfo(Stick, revision));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(revision)), "ZEFT virtual stick");
    EXPECT_EQ(revision[20], 0xEE);

    const auto reports = vs::Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].Bytes.size(), 10u);
    EXPECT_EQ(reports[1].Bytes.size(), 21u);
}

TEST_F(DriverProtocol, InputReportDeliversTheBytesAfterItsIdentifier) {
    TBytes report(32);
    std::iota(report.begin(), report.end(), std::uint8_t{0});
    report[0] = 0x01;
    vs::QueueInputReport(report);
    TBytes buffer(31 + 4, 0xEE);
    ASSERT_TRUE(uTrx_GetReport(Stick, 0x01, buffer.data()));
    EXPECT_EQ(TBytes(buffer.begin(), buffer.begin() + 31),
              TBytes(report.begin() + 1, report.end()));
    EXPECT_EQ(buffer[31], 0xEE);
    EXPECT_EQ(vs::LastReadTimeout(), 500);
}

TEST_F(DriverProtocol, InputReportReadGivesUpAfterItsTimeLimit) {
    TBytes buffer(31, 0xEE);
    EXPECT_FALSE(uTrx_GetReport(Stick, 0x01, buffer.data()));
    EXPECT_EQ(vs::LastReadTimeout(), 500);
    EXPECT_EQ(buffer, TBytes(31, 0xEE));
}

TEST(DriverInputReports, DeviceWithoutReportIdentifiersDeliversDataAlone) {
    vs::Reset();
    // Vendor page, input of 16 bytes, no report identifiers.
    vs::SetReportDescriptor({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x10, 0x09,
                             0x01, 0x81, 0x02, 0xC0});
    vs::PlugIn();
    uTrxHandle stick = uTrx_create();
    ASSERT_TRUE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    TBytes data(16);
    std::iota(data.begin(), data.end(), std::uint8_t{0xA0});
    vs::QueueInputReport(data);
    TBytes buffer(20, 0xEE);
    EXPECT_TRUE(uTrx_GetReport(stick, 0x00, buffer.data()));
    EXPECT_EQ(TBytes(buffer.begin(), buffer.begin() + 16), data);
    EXPECT_EQ(buffer[16], 0xEE);
    uTrx_destroy(stick);
    vs::Reset();
}

// An input report's length against the caller's buffer, which needs to hold uTrxMaxInputData
// bytes only: a device may declare, or hidraw deliver, far more (up to 16 KiB).
struct TInputLengthCase {
    std::string Name;
    std::size_t Declared; // input report length the descriptor declares, 0: no descriptor
    std::size_t Delivered;
    bool Accepted;
};

class DriverInputLength : public testing::TestWithParam<TInputLengthCase> {};

TEST_P(DriverInputLength, CopiesNoMoreThanTheLongestReportOfTheProtocol) {
    const auto& param = GetParam();
    vs::Reset();
    TBytes descriptor;
    if (param.Declared > 0) {
        const auto count = static_cast<std::uint8_t>(param.Declared - 1);
        const auto countHigh = static_cast<std::uint8_t>((param.Declared - 1) >> 8);
        descriptor = {0x06, 0x00, 0xFF,  0x09,      0x01, 0xA1, 0x01, 0x75, 0x08, 0x85,
                      0x01, 0x96, count, countHigh, 0x09, 0x01, 0x81, 0x02, 0xC0};
    }
    vs::SetReportDescriptor(descriptor);
    vs::PlugIn();
    uTrxHandle stick = uTrx_create();
    ASSERT_TRUE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    TBytes report(param.Delivered);
    std::iota(report.begin(), report.end(), std::uint8_t{0});
    report[0] = 0x01;
    vs::QueueInputReport(report);
    // Room for all that is delivered, so that an overlong copy shows as changed bytes.
    TBytes buffer(param.Delivered, 0xEE);
    EXPECT_EQ(uTrx_GetReport(stick, 0x01, buffer.data()) != 0, param.Accepted);
    TBytes expected(buffer.size(), 0xEE);
    if (param.Accepted)
        std::copy(report.begin() + 1, report.end(), expected.begin());
    EXPECT_EQ(buffer, expected);
    uTrx_destroy(stick);
    vs::Reset();
}

INSTANTIATE_TEST_SUITE_P(
    Reports, DriverInputLength,
    testing::Values(TInputLengthCase{"DeclaredAsLongAsTheFrameReport", 273, 273, true},
                    TInputLengthCase{"DeclaredOneByteLonger", 274, 274, false},
                    TInputLengthCase{"DeclaredFarLonger", 4096, 4096, false},
                    TInputLengthCase{"UndeclaredAsLongAsTheFrameReport", 0, 273, true},
                    TInputLengthCase{"UndeclaredOneByteLonger", 0, 274, false},
                    TInputLengthCase{"UndeclaredAsLongAsHidrawAllows", 0, 16384, false}),
    [](const auto& info) { return info.param.Name; });

class DriverStickSearch : public testing::Test {
protected:
    void SetUp() override { vs::Reset(); }
    void TearDown() override {
        vs::Reset();
        EXPECT_EQ(vs::OpenHandles(), 0);
    }
};

class DriverSearch : public DriverStickSearch, public testing::WithParamInterface<std::uint32_t> {};

TEST_P(DriverSearch, OpensTheFirstListedStickWhateverTheIndex) {
    vs::PlugIn(0x1234, 0x5678);
    const int first = vs::PlugIn();
    vs::PlugIn();
    uTrxHandle stick = uTrx_create();
    ASSERT_TRUE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, GetParam()));
    EXPECT_EQ(vs::OpenHandles(), 1);
    ASSERT_TRUE(uTrx_SetTX(stick));
    const auto reports = vs::Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Stick, first);
    uTrx_destroy(stick);
}

INSTANTIATE_TEST_SUITE_P(DeviceIndexes, DriverSearch, testing::Values(0u, 1u, 2u, 7u));

TEST_F(DriverStickSearch, ASecondSearchClosesTheStickOpenedBefore) {
    vs::PlugIn();
    uTrxHandle stick = uTrx_create();
    ASSERT_TRUE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    ASSERT_TRUE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    EXPECT_EQ(vs::OpenHandles(), 1);

    vs::PullOut();
    EXPECT_FALSE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    EXPECT_EQ(vs::OpenHandles(), 0) << "a failed search leaves the object closed";
    vs::PlugIn();
    EXPECT_FALSE(uTrx_SetTX(stick)) << "a closed object does not reopen by itself";
    EXPECT_TRUE(vs::Reports().empty());
    uTrx_destroy(stick);
}

TEST_F(DriverStickSearch, StickPulledOutMakesTheNextTransferFail) {
    vs::PlugIn();
    uTrxHandle stick = uTrx_create();
    ASSERT_TRUE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    vs::PullOut();
    EXPECT_FALSE(uTrx_SetTX(stick));
    EXPECT_FALSE(uTrx_WriteReg(stick, 0x03, 0x02));
    EXPECT_EQ(vs::OpenHandles(), 1) << "the object stays as it was until searched or destroyed";
    uTrx_destroy(stick);
}

struct TFailedSearchCase {
    std::string Name;
    std::function<void()> Arrange;
    std::uint8_t Status; // what uTrx_FindStatus says afterwards
};

void PrintTo(const TFailedSearchCase& c, std::ostream* out) {
    *out << c.Name;
}

class DriverFailedSearch : public DriverStickSearch,
                           public testing::WithParamInterface<TFailedSearchCase> {};

TEST_P(DriverFailedSearch, EndsWithFalseAndNothingOpenAndSaysWhy) {
    GetParam().Arrange();
    uTrxHandle stick = uTrx_create();
    EXPECT_EQ(uTrx_FindStatus(stick), uTrxFindNoStick) << "before any search";
    EXPECT_FALSE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    EXPECT_EQ(vs::OpenHandles(), 0);
    EXPECT_EQ(uTrx_FindStatus(stick), GetParam().Status);
    // Once the stick can be opened, the next search says so.
    vs::Reset();
    vs::PlugIn();
    EXPECT_TRUE(uTrx_Find(stick, zeft::StickVendorId, zeft::StickProductId, 1));
    EXPECT_EQ(uTrx_FindStatus(stick), uTrxFindOpened);
    uTrx_destroy(stick);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, DriverFailedSearch,
    testing::Values(TFailedSearchCase{"NoStick", [] {}, uTrxFindNoStick},
                    TFailedSearchCase{"OtherDevice", [] { vs::PlugIn(0x1209, 0x0001); },
                                      uTrxFindNoStick},
                    TFailedSearchCase{"ListUnavailable",
                                      [] {
                                          vs::PlugIn();
                                          vs::FailEnumeration(true);
                                      },
                                      uTrxFindNoStick},
                    TFailedSearchCase{"CannotOpen",
                                      [] {
                                          vs::PlugIn();
                                          vs::PlugIn();
                                          vs::RefuseOpen(true);
                                      },
                                      uTrxFindOpenFailed},
                    // Listed, but the hidraw node is root's: no udev rule, or not at the seat.
                    TFailedSearchCase{"AccessDenied",
                                      [] {
                                          vs::PlugIn();
                                          vs::RefuseOpen(true, EACCES);
                                      },
                                      uTrxFindAccessDenied},
                    TFailedSearchCase{"NotPermitted",
                                      [] {
                                          vs::PlugIn();
                                          vs::RefuseOpen(true, EPERM);
                                      },
                                      uTrxFindAccessDenied}),
    [](const auto& info) { return info.param.Name; });

TEST(DriverClosedObject, EveryOperationFailsWithoutTransfer) {
    vs::Reset();
    vs::PlugIn();
    uTrxHandle stick = uTrx_create();
    std::uint8_t buffer[512] = {};
    std::uint16_t value = 0;
    std::uint32_t length = 0;
    for (uTrxHandle handle : {stick, static_cast<uTrxHandle>(nullptr)}) {
        EXPECT_FALSE(uTrx_SetTX(handle));
        EXPECT_FALSE(uTrx_SetRX(handle));
        EXPECT_FALSE(uTrx_SetState(handle, 1));
        EXPECT_FALSE(uTrx_SetFrame(handle, buffer, 8));
        EXPECT_FALSE(uTrx_GetFrame(handle, buffer, &length));
        EXPECT_FALSE(uTrx_WriteReg(handle, 1, 2));
        EXPECT_FALSE(uTrx_ReadReg(handle, 1, &value));
        EXPECT_FALSE(uTrx_ReadReg16(handle, 1, &value));
        EXPECT_FALSE(uTrx_GetReport(handle, 1, buffer));
        EXPECT_FALSE(uTrx_SetPreamblePattern(handle, 1));
        EXPECT_FALSE(uTrx_Execute(handle, 1));
        EXPECT_FALSE(uTrx_EraseConfigFlash(handle));
        EXPECT_FALSE(uTrx_WriteConfigFlash(handle, 0, 16, buffer));
        EXPECT_FALSE(uTrx_ReadConfigFlash(handle, 0, 16, buffer));
        EXPECT_FALSE(uTrx_EraseDataFlash(handle));
        EXPECT_FALSE(uTrx_WriteDataFlash(handle, 0, 16, buffer));
        EXPECT_FALSE(uTrx_ReadDataFlash(handle, 0, 16, buffer));
        EXPECT_FALSE(uTrx_GetState(handle, buffer));
        EXPECT_FALSE(uTrx_GetRevInfo(handle, buffer));
        EXPECT_FALSE(uTrx_Find(handle, 0x1234, 0x5678, 1));
    }
    EXPECT_TRUE(vs::Reports().empty());
    uTrx_destroy(stick);
    uTrx_destroy(nullptr);
    vs::Reset();
}

} // namespace
