#include "TStickDevice.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace zeft::driver {

namespace {

constexpr std::size_t MaxDescriptorSize = 4096;
// The largest report hidraw hands out; used when a device's descriptor cannot be read.
constexpr std::size_t LargestInputReport = 16384;

// hidapi keeps its last error text until hid_exit. The connection thread unloads this library
// (and hidapi with it) at every poll, so release it then rather than leak it each time.
__attribute__((destructor)) void ReleaseHidapi() {
    hid_exit();
}

} // namespace

bool TStickDevice::Find(std::uint16_t vendorId, std::uint16_t productId) {
    Close();
    FFindStatus = uTrxFindNoStick;
    if (hid_init() != 0)
        return false;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (const hid_device_info* info = list; info; info = info->next) {
        if (!info->path || info->vendor_id != vendorId || info->product_id != productId)
            continue;
        errno = 0;
        hid_device* device = hid_open_path(info->path);
        if (!device) {
            // hidapi keeps open()'s errno. A node the user may not open is worth telling
            // apart: it takes a udev rule, not another plug-in.
            const int error = errno;
            if (error == EACCES || error == EPERM)
                FFindStatus = uTrxFindAccessDenied;
            else if (FFindStatus != uTrxFindAccessDenied)
                FFindStatus = uTrxFindOpenFailed;
            continue;
        }
        std::vector<unsigned char> descriptor(MaxDescriptorSize);
        const int size = hid_get_report_descriptor(device, descriptor.data(), descriptor.size());
        FInput = size > 0 ? ParseInputReportLayout(descriptor.data(), static_cast<size_t>(size))
                          : TInputReportLayout{};
        FDevice = device;
        FFindStatus = uTrxFindOpened;
        break;
    }
    hid_free_enumeration(list);
    return FDevice != nullptr;
}

void TStickDevice::Close() {
    if (FDevice)
        hid_close(FDevice);
    FDevice = nullptr;
    FInput = {};
}

bool TStickDevice::SetFeature(const std::uint8_t* report, std::size_t length) {
    return FDevice && hid_send_feature_report(FDevice, report, length) >= 0;
}

bool TStickDevice::GetFeature(std::uint8_t* report, std::size_t length) {
    if (!FDevice || length == 0)
        return false;
    std::memset(report + 1, 0, length - 1);
    return hid_get_feature_report(FDevice, report, length) >= 0;
}

bool TStickDevice::ReadInput(std::uint8_t reportId, std::uint8_t* out, int timeoutMs) {
    if (!FDevice)
        return false;
    const bool lengthKnown = FInput.Length > 1;
    std::vector<std::uint8_t> report(lengthKnown ? FInput.Length : LargestInputReport, 0);
    report[0] = reportId;
    int received = 0;
    if (lengthKnown && !FInput.NumberedReports) {
        // Without report identifiers hidraw delivers the data alone.
        received = hid_read_timeout(FDevice, report.data() + 1, report.size() - 1, timeoutMs);
        if (received > 0)
            ++received;
    } else {
        received = hid_read_timeout(FDevice, report.data(), report.size(), timeoutMs);
    }
    if (received <= 0)
        return false;
    const std::size_t count = lengthKnown ? report.size() - 1 : static_cast<size_t>(received) - 1;
    // The caller's buffer holds no more than the protocol's longest report. A longer one is no
    // report of the stick's, and a cut one would pass for whole: refused.
    if (count > uTrxMaxInputData)
        return false;
    std::memcpy(out, report.data() + 1, count);
    return true;
}

} // namespace zeft::driver
