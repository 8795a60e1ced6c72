// An in-memory programming stick behind the hidapi functions the driver library calls. It
// checks every report against the stick's report table (identifier and length), keeps the
// transceiver registers and both flash areas, and records each transfer byte for byte.

#include "VirtualStick.h"

#include "hid_compat.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

struct hid_device_ {
    int StickId = 0;
};

namespace zeft::virtualstick {

namespace {

// The stick's feature reports: identifier and total length, identifier included.
const std::map<std::uint8_t, std::size_t> FeatureReports = {
    {0xD0, 21}, {0xD1, 21}, {0xD5, 273}, {0xD6, 273}, {0xD7, 21}, {0xD8, 21}, {0xD9, 21},
    {0xDA, 21}, {0xDB, 25}, {0xDC, 21},  {0xDD, 21},  {0xDE, 10}, {0xDF, 21}, {0xF0, 5},
};
constexpr std::uint8_t InputReportId = 0x01;
constexpr std::size_t InputReportLength = 32;
constexpr std::size_t FlashSize = 0x10000;
constexpr std::size_t FlashChunk = 16;
constexpr char RevisionInfo[] = "ZEFT virtual stick";

struct TStick {
    int Id = 0;
    int Number = 0;
    std::uint16_t VendorId = 0;
    std::uint16_t ProductId = 0;
    bool Plugged = true;
    std::string Path;
    std::vector<std::uint8_t> Descriptor;
    std::array<std::uint8_t, 128> Registers{};
    std::uint8_t RegisterToRead = 0;
    std::array<std::vector<std::uint8_t>, 2> Flash{std::vector<std::uint8_t>(FlashSize, 0xFF),
                                                   std::vector<std::uint8_t>(FlashSize, 0xFF)};
    int FlashToRead = 0;
    std::uint16_t FlashAddressToRead = 0;
    std::deque<std::vector<std::uint8_t>> InputReports;
};

struct TBus {
    std::mutex Mutex;
    std::condition_variable InputChanged;
    std::vector<std::unique_ptr<TStick>> Sticks;
    int NextId = 1;
    std::vector<TRecordedReport> Reports;
    std::set<int> RefusedRegisterWrites;
    std::set<int> RefusedFrames;
    int RegisterWrites = 0;
    int Frames = 0;
    bool AllFramesRefused = false;
    bool EnumerationFails = false;
    bool OpenRefused = false;
    int OpenError = EIO;
    std::map<std::uint8_t, std::vector<std::uint8_t>> Replies;
    std::vector<std::uint8_t> Descriptor = DefaultReportDescriptor();
    int OpenHandles = 0;
    int LastReadTimeout = 0;

    TStick* Find(const hid_device* device) {
        if (!device)
            return nullptr;
        for (auto& stick : Sticks)
            if (stick->Id == device->StickId)
                return stick.get();
        return nullptr;
    }
    TStick* FindByNumber(int number) {
        for (auto& stick : Sticks)
            if (stick->Number == number)
                return stick.get();
        return nullptr;
    }
    void Record(TTransfer transfer, const TStick* stick, const std::uint8_t* data,
                std::size_t length, bool refused) {
        Reports.push_back({transfer, stick ? stick->Number : -1,
                           std::vector<std::uint8_t>(data, data + length), refused});
    }
};

TBus& Bus() {
    static TBus bus;
    return bus;
}

bool KnownReport(std::uint8_t id, std::size_t length) {
    auto it = FeatureReports.find(id);
    return it != FeatureReports.end() && it->second == length;
}

int FlashArea(std::uint8_t code) {
    return code == 0x0A ? 0 : code == 0x0B ? 1 : -1;
}

// Counts the report against the fault lists; true when it is to be refused.
bool Refuses(TBus& bus, const std::uint8_t* data) {
    if (data[0] == 0xF0 && data[2] == 0x01)
        return bus.RefusedRegisterWrites.count(++bus.RegisterWrites) > 0;
    if (data[0] == 0xD5)
        return bus.RefusedFrames.count(++bus.Frames) > 0 || bus.AllFramesRefused;
    return false;
}

void Apply(TStick& stick, const std::uint8_t* data) {
    switch (data[0]) {
    case 0xF0:
        if (data[2] == 0x01)
            stick.Registers[data[1] & 0x7F] = data[3];
        else
            stick.RegisterToRead = data[1] & 0x7F;
        break;
    case 0xDA:
        if (int area = FlashArea(data[1]); area >= 0)
            std::fill(stick.Flash[area].begin(), stick.Flash[area].end(), 0xFF);
        break;
    case 0xDB:
        if (int area = FlashArea(data[1]); area >= 0) {
            // Flash only clears bits: the FF padding of a short chunk leaves cells unchanged.
            const std::size_t address = (data[2] << 8) | data[3];
            for (std::size_t i = 0; i < FlashChunk; ++i)
                stick.Flash[area][(address + i) % FlashSize] &= data[4 + i];
        }
        break;
    case 0xDD:
        stick.FlashToRead = FlashArea(data[1]);
        stick.FlashAddressToRead = static_cast<std::uint16_t>((data[2] << 8) | data[3]);
        break;
    default:
        break;
    }
}

void Answer(const TStick& stick, std::vector<std::uint8_t>& reply) {
    switch (reply[0]) {
    case 0xF0:
        reply[1] = stick.RegisterToRead;
        reply[3] = stick.Registers[stick.RegisterToRead];
        break;
    case 0xDC:
        if (stick.FlashToRead >= 0) {
            reply[1] = static_cast<std::uint8_t>(0x0A + stick.FlashToRead);
            reply[2] = static_cast<std::uint8_t>(stick.FlashAddressToRead >> 8);
            reply[3] = static_cast<std::uint8_t>(stick.FlashAddressToRead);
            for (std::size_t i = 0; i < FlashChunk; ++i)
                reply[4 + i] =
                    stick.Flash[stick.FlashToRead][(stick.FlashAddressToRead + i) % FlashSize];
        }
        break;
    case 0xDE:
        reply[1] = 0x01;
        break;
    case 0xDF:
        std::memcpy(reply.data() + 1, RevisionInfo, sizeof RevisionInfo - 1);
        break;
    default:
        break;
    }
}

void AppendItem(std::vector<std::uint8_t>& out, std::uint8_t prefix, std::uint32_t value) {
    if (value <= 0xFF) {
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(prefix | 1), static_cast<std::uint8_t>(value)});
    } else {
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(prefix | 2), static_cast<std::uint8_t>(value),
                    static_cast<std::uint8_t>(value >> 8)});
    }
}

} // namespace

std::vector<std::uint8_t> DefaultReportDescriptor() {
    std::vector<std::uint8_t> d = {0x06, 0x00, 0xFF, // usage page (vendor defined)
                                   0x09, 0x01,       // usage
                                   0xA1, 0x01,       // collection (application)
                                   0x15, 0x00,       // logical minimum 0
                                   0x26, 0xFF, 0x00, // logical maximum 255
                                   0x75, 0x08};      // report size 8 bits
    for (const auto& [id, length] : FeatureReports) {
        AppendItem(d, 0x84, id);                                     // report id
        AppendItem(d, 0x94, static_cast<std::uint32_t>(length - 1)); // report count
        d.insert(d.end(), {0x09, 0x01, 0xB1, 0x02});                 // usage, feature
    }
    AppendItem(d, 0x84, InputReportId);
    AppendItem(d, 0x94, static_cast<std::uint32_t>(InputReportLength - 1));
    d.insert(d.end(), {0x09, 0x01, 0x81, 0x02, // usage, input
                       0xC0});                 // end collection
    return d;
}

void Reset() {
    TBus& bus = Bus();
    {
        std::lock_guard lock(bus.Mutex);
        bus.Sticks.clear();
        bus.Reports.clear();
        bus.RefusedRegisterWrites.clear();
        bus.RefusedFrames.clear();
        bus.RegisterWrites = 0;
        bus.Frames = 0;
        bus.AllFramesRefused = false;
        bus.EnumerationFails = false;
        bus.OpenRefused = false;
        bus.OpenError = EIO;
        bus.Replies.clear();
        bus.Descriptor = DefaultReportDescriptor();
        bus.LastReadTimeout = 0;
    }
    bus.InputChanged.notify_all();
}

int PlugIn(std::uint16_t vendorId, std::uint16_t productId) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    auto stick = std::make_unique<TStick>();
    stick->Id = bus.NextId++;
    stick->Number = static_cast<int>(bus.Sticks.size());
    stick->VendorId = vendorId;
    stick->ProductId = productId;
    stick->Path = "virtual-stick-" + std::to_string(stick->Id);
    stick->Descriptor = bus.Descriptor;
    bus.Sticks.push_back(std::move(stick));
    return bus.Sticks.back()->Number;
}

void PullOut() {
    TBus& bus = Bus();
    {
        std::lock_guard lock(bus.Mutex);
        for (auto& stick : bus.Sticks)
            stick->Plugged = false;
    }
    bus.InputChanged.notify_all();
}

bool IsPlugged(int stick) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    const TStick* found = bus.FindByNumber(stick);
    return found && found->Plugged;
}

std::vector<TRecordedReport> Reports() {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    return bus.Reports;
}

void ClearReports() {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    bus.Reports.clear();
}

void RefuseRegisterWrite(int k) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    bus.RefusedRegisterWrites.insert(k);
}

void RefuseFrame(int k) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    bus.RefusedFrames.insert(k);
}

void RefuseAllFrames(bool refuse) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    bus.AllFramesRefused = refuse;
}

void FailEnumeration(bool fail) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    bus.EnumerationFails = fail;
}

void RefuseOpen(bool refuse, int error) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    bus.OpenRefused = refuse;
    bus.OpenError = error;
}

void SetFeatureReply(std::uint8_t reportId, std::vector<std::uint8_t> reply) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    bus.Replies[reportId] = std::move(reply);
}

void QueueInputReport(std::vector<std::uint8_t> report) {
    TBus& bus = Bus();
    {
        std::lock_guard lock(bus.Mutex);
        if (TStick* stick = bus.FindByNumber(0))
            stick->InputReports.push_back(std::move(report));
    }
    bus.InputChanged.notify_all();
}

void SetReportDescriptor(std::vector<std::uint8_t> descriptor) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    bus.Descriptor = std::move(descriptor);
}

std::uint8_t Register(int stick, std::uint8_t address) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    const TStick* found = bus.FindByNumber(stick);
    return found ? found->Registers[address & 0x7F] : 0;
}

int OpenHandles() {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    return bus.OpenHandles;
}

int LastReadTimeout() {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    return bus.LastReadTimeout;
}

} // namespace zeft::virtualstick

using namespace zeft::virtualstick;

extern "C" {

int hid_init(void) {
    return 0;
}

int hid_exit(void) {
    return 0;
}

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    if (bus.EnumerationFails)
        return nullptr;
    hid_device_info* first = nullptr;
    hid_device_info** next = &first;
    for (const auto& stick : bus.Sticks) {
        if (!stick->Plugged || (vendor_id && vendor_id != stick->VendorId) ||
            (product_id && product_id != stick->ProductId))
            continue;
        auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
        if (!info)
            break;
        info->path = strdup(stick->Path.c_str());
        info->vendor_id = stick->VendorId;
        info->product_id = stick->ProductId;
        *next = info;
        next = &info->next;
    }
    return first;
}

void hid_free_enumeration(hid_device_info* devs) {
    while (devs) {
        hid_device_info* next = devs->next;
        std::free(devs->path);
        std::free(devs);
        devs = next;
    }
}

hid_device* hid_open_path(const char* path) {
    TBus& bus = Bus();
    std::unique_lock lock(bus.Mutex);
    int error = ENOENT;
    if (bus.OpenRefused && path) {
        error = bus.OpenError;
    } else if (path) {
        for (const auto& stick : bus.Sticks) {
            if (stick->Plugged && stick->Path == path) {
                ++bus.OpenHandles;
                return new hid_device{stick->Id};
            }
        }
    }
    lock.unlock();
    errno = error; // last, as hidapi's own open() leaves it
    return nullptr;
}

void hid_close(hid_device* dev) {
    if (!dev)
        return;
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    --bus.OpenHandles;
    delete dev;
}

int hid_get_report_descriptor(hid_device* dev, unsigned char* buf, size_t buf_size) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    const TStick* stick = bus.Find(dev);
    if (!stick || !stick->Plugged || !buf)
        return -1;
    const std::size_t count = std::min(buf_size, stick->Descriptor.size());
    if (count > 0) // an empty descriptor has no bytes, nor an address to copy from
        std::memcpy(buf, stick->Descriptor.data(), count);
    return static_cast<int>(count);
}

int hid_send_feature_report(hid_device* dev, const unsigned char* data, size_t length) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    TStick* stick = bus.Find(dev);
    if (!data || length == 0)
        return -1;
    const bool refused =
        !stick || !stick->Plugged || !KnownReport(data[0], length) || Refuses(bus, data);
    bus.Record(TTransfer::SetFeature, stick, data, length, refused);
    if (refused)
        return -1;
    Apply(*stick, data);
    return static_cast<int>(length);
}

int hid_get_feature_report(hid_device* dev, unsigned char* data, size_t length) {
    TBus& bus = Bus();
    std::lock_guard lock(bus.Mutex);
    TStick* stick = bus.Find(dev);
    if (!data || length == 0)
        return -1;
    if (!stick || !stick->Plugged || !KnownReport(data[0], length)) {
        bus.Record(TTransfer::GetFeature, stick, data, 1, true);
        return -1;
    }
    std::vector<std::uint8_t> reply(length, 0);
    reply[0] = data[0];
    if (auto it = bus.Replies.find(data[0]); it != bus.Replies.end())
        std::copy_n(it->second.begin(), std::min(length, it->second.size()), reply.begin());
    else
        Answer(*stick, reply);
    reply[0] = data[0];
    std::memcpy(data, reply.data(), length);
    bus.Record(TTransfer::GetFeature, stick, data, length, false);
    return static_cast<int>(length);
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int milliseconds) {
    TBus& bus = Bus();
    std::unique_lock lock(bus.Mutex);
    bus.LastReadTimeout = milliseconds;
    const int stickId = dev ? dev->StickId : 0;
    auto ready = [&] {
        const TStick* stick = bus.Find(dev);
        return !stick || !stick->Plugged || !stick->InputReports.empty();
    };
    if (milliseconds < 0)
        bus.InputChanged.wait(lock, ready);
    else
        bus.InputChanged.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
    TStick* stick = bus.Find(dev);
    if (!stick || !stick->Plugged || stick->Id != stickId || !data)
        return -1;
    if (stick->InputReports.empty())
        return 0;
    std::vector<std::uint8_t> report = std::move(stick->InputReports.front());
    stick->InputReports.pop_front();
    const std::size_t count = std::min(length, report.size());
    if (count > 0)
        std::memcpy(data, report.data(), count);
    bus.Record(TTransfer::ReadInput, stick, data, count, false);
    return static_cast<int>(count);
}

const wchar_t* hid_error(hid_device* /*dev*/) {
    return L"virtual stick";
}

} // extern "C"
