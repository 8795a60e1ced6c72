#include "TReportDescriptor.h"
#include "VirtualStick.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using zeft::driver::ParseInputReportLayout;

struct TDescriptorCase {
    std::string Name;
    std::vector<std::uint8_t> Descriptor;
    std::size_t Length;
    bool Numbered;
};

class ReportDescriptor : public testing::TestWithParam<TDescriptorCase> {};

TEST_P(ReportDescriptor, GivesTheLongestInputReport) {
    const auto& c = GetParam();
    const auto layout = ParseInputReportLayout(c.Descriptor.data(), c.Descriptor.size());
    EXPECT_EQ(layout.Length, c.Length);
    EXPECT_EQ(layout.NumberedReports, c.Numbered);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ReportDescriptor,
    testing::Values(
        TDescriptorCase{"VirtualStick", zeft::virtualstick::DefaultReportDescriptor(), 32, true},
        TDescriptorCase{
            "WithoutReportIds",
            {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x08, 0x81, 0x02, 0xC0},
            9,
            false},
        // Report 1: 3 bytes of input; report 2: 13 one-bit fields, rounded up to 2 bytes;
        // the feature report of 60 bytes does not count.
        TDescriptorCase{"LongestOfSeveral",
                        {0x75, 0x08, 0x85, 0x01, 0x95, 0x03, 0x81, 0x02, 0x85, 0x02, 0x75, 0x01,
                         0x95, 0x0D, 0x81, 0x02, 0x85, 0x03, 0x75, 0x08, 0x95, 0x3C, 0xB1, 0x02},
                        4,
                        true},
        // Push keeps size 8 x count 4; the pushed-away size 1 does not leak into the input.
        TDescriptorCase{
            "PushPop", {0x75, 0x08, 0x95, 0x04, 0xA4, 0x75, 0x01, 0xB4, 0x81, 0x02}, 5, false},
        // A long item (FE, size 2, tag, two data bytes) is skipped.
        TDescriptorCase{"LongItem",
                        {0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02},
                        3,
                        false},
        TDescriptorCase{
            "FourByteCount", {0x75, 0x08, 0x97, 0x00, 0x01, 0x00, 0x00, 0x81, 0x02}, 257, false},
        TDescriptorCase{"Truncated", {0x75, 0x08, 0x95, 0x04, 0x81}, 0, false},
        TDescriptorCase{"NoInput", {0x75, 0x08, 0x95, 0x04, 0xB1, 0x02}, 0, false},
        TDescriptorCase{"Empty", {}, 0, false}),
    [](const auto& info) { return info.param.Name; });

} // namespace
