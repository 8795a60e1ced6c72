// The exported functions of libuTrx.so: each builds its HID report byte for byte and hands it
// to the stick through hidapi.

#include "uTrx.h"

#include "TStickDevice.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

struct uTrxStick {
    zeft::driver::TStickDevice Device;
};

namespace {

enum : std::uint8_t {
    ReportSetRX = 0xD0,
    ReportSetTX = 0xD1,
    ReportSetFrame = 0xD5,
    ReportGetFrame = 0xD6,
    ReportSetState = 0xD7,
    ReportSetPreamble = 0xD8,
    ReportExecute = 0xD9,
    ReportEraseFlash = 0xDA,
    ReportWriteFlash = 0xDB,
    ReportFlashData = 0xDC,
    ReportReadFlash = 0xDD,
    ReportGetState = 0xDE,
    ReportGetRevInfo = 0xDF,
    ReportRegister = 0xF0,
};

enum : std::uint8_t { ConfigFlash = 0x0A, DataFlash = 0x0B };

constexpr std::size_t CommandLength = 21;
constexpr std::size_t FrameReportLength = 273;
constexpr std::size_t FrameHeaderLength = 3;
constexpr std::size_t RegisterLength = 5;
constexpr std::size_t FlashWriteLength = 25;
constexpr std::size_t StateLength = 10;
constexpr std::size_t FlashChunk = 16;
constexpr std::size_t FlashDataOffset = 4;
constexpr int InputReportTimeoutMs = 500;

uTrxBool Result(bool ok) {
    return ok ? 1 : 0;
}

bool SendCommand(uTrxHandle stick, std::uint8_t reportId, std::uint8_t argument) {
    if (!stick)
        return false;
    std::array<std::uint8_t, CommandLength> report{};
    report[0] = reportId;
    report[1] = argument;
    return stick->Device.SetFeature(report.data(), report.size());
}

template <std::size_t N> bool GetReport(uTrxHandle stick, std::array<std::uint8_t, N>& report) {
    return stick && stick->Device.GetFeature(report.data(), report.size());
}

bool WriteFlash(uTrxHandle stick, std::uint8_t area, std::uint16_t address, std::uint16_t length,
                const std::uint8_t* data) {
    if (!stick || length > uTrxMaxFlashTransfer || (length > 0 && !data))
        return false;
    while (length > 0) {
        std::array<std::uint8_t, FlashWriteLength> report;
        report.fill(0xFF);
        report[0] = ReportWriteFlash;
        report[1] = area;
        report[2] = static_cast<std::uint8_t>(address >> 8);
        report[3] = static_cast<std::uint8_t>(address);
        const std::size_t chunk = std::min<std::size_t>(FlashChunk, length);
        std::memcpy(report.data() + FlashDataOffset, data, chunk);
        data += chunk;
        length = static_cast<std::uint16_t>(length - chunk);
        if (!stick->Device.SetFeature(report.data(), report.size()))
            return false;
        address = static_cast<std::uint16_t>(address + FlashChunk);
    }
    return true;
}

bool ReadFlash(uTrxHandle stick, std::uint8_t area, std::uint16_t address, std::uint16_t length,
               std::uint8_t* buffer) {
    if (!stick || length > uTrxMaxFlashTransfer || (length > 0 && !buffer))
        return false;
    while (length > 0) {
        std::array<std::uint8_t, CommandLength> request{};
        request[0] = ReportReadFlash;
        request[1] = area;
        request[2] = static_cast<std::uint8_t>(address >> 8);
        request[3] = static_cast<std::uint8_t>(address);
        if (!stick->Device.SetFeature(request.data(), request.size()))
            return false;
        std::array<std::uint8_t, CommandLength> reply{};
        reply[0] = ReportFlashData;
        if (!GetReport(stick, reply))
            return false;
        const std::size_t chunk = std::min<std::size_t>(FlashChunk, length);
        std::memcpy(buffer, reply.data() + FlashDataOffset, chunk);
        buffer += chunk;
        length = static_cast<std::uint16_t>(length - chunk);
        address = static_cast<std::uint16_t>(address + FlashChunk);
    }
    return true;
}

bool ReadRegister(uTrxHandle stick, std::uint8_t reg, std::uint16_t* value) {
    if (!stick || !value)
        return false;
    std::array<std::uint8_t, RegisterLength> report{ReportRegister,
                                                    static_cast<std::uint8_t>(reg & 0x7F)};
    if (!stick->Device.SetFeature(report.data(), report.size()) || !GetReport(stick, report))
        return false;
    *value = static_cast<std::uint16_t>(report[3] + 256 * report[4]);
    return true;
}

} // namespace

extern "C" {

uTrxHandle uTrx_create(void) {
    return new (std::nothrow) uTrxStick();
}

void uTrx_destroy(uTrxHandle stick) {
    delete stick;
}

uTrxBool uTrx_Find(uTrxHandle stick, uint16_t vendorId, uint16_t productId,
                   uint32_t /*deviceIndex: the first matching stick is opened*/) {
    return Result(stick && stick->Device.Find(vendorId, productId));
}

uTrxBool uTrx_SetTX(uTrxHandle stick) {
    return Result(SendCommand(stick, ReportSetTX, 0));
}

uTrxBool uTrx_SetRX(uTrxHandle stick) {
    return Result(SendCommand(stick, ReportSetRX, 0));
}

uTrxBool uTrx_SetState(uTrxHandle stick, uint8_t state) {
    return Result(SendCommand(stick, ReportSetState, state));
}

uTrxBool uTrx_SetFrame(uTrxHandle stick, const uint8_t* frame, uint32_t length) {
    if (!stick || length > uTrxMaxFrameLength || (length > 0 && !frame))
        return 0;
    std::array<std::uint8_t, FrameReportLength> report{};
    report[0] = ReportSetFrame;
    report[1] = static_cast<std::uint8_t>((length >> 8) & 1);
    report[2] = static_cast<std::uint8_t>(length);
    if (length > 0)
        std::memcpy(report.data() + FrameHeaderLength, frame, length);
    return Result(stick->Device.SetFeature(report.data(), report.size()));
}

uTrxBool uTrx_GetFrame(uTrxHandle stick, uint8_t* buffer, uint32_t* length) {
    if (!buffer || !length)
        return 0;
    std::array<std::uint8_t, FrameReportLength> report{};
    report[0] = ReportGetFrame;
    if (!GetReport(stick, report))
        return 0;
    const std::uint32_t received = ((report[1] & 1u) << 8) | report[2];
    // The length field can say up to 511, but the report holds no more than 270 frame bytes.
    if (received > uTrxMaxFrameLength)
        return 0;
    std::memcpy(buffer, report.data() + FrameHeaderLength, received);
    *length = received;
    return 1;
}

uTrxBool uTrx_WriteReg(uTrxHandle stick, uint8_t reg, uint8_t value) {
    if (!stick)
        return 0;
    const std::array<std::uint8_t, RegisterLength> report{
        ReportRegister, static_cast<std::uint8_t>(reg & 0x7F), 0x01, value, 0x00};
    return Result(stick->Device.SetFeature(report.data(), report.size()));
}

uTrxBool uTrx_ReadReg(uTrxHandle stick, uint8_t reg, uint16_t* value) {
    std::uint16_t full = 0;
    if (!value || !ReadRegister(stick, reg, &full))
        return 0;
    *value = full & 0xFF;
    return 1;
}

uTrxBool uTrx_ReadReg16(uTrxHandle stick, uint8_t reg, uint16_t* value) {
    return Result(ReadRegister(stick, reg, value));
}

uTrxBool uTrx_GetReport(uTrxHandle stick, uint8_t reportId, uint8_t* buffer) {
    return Result(stick && buffer &&
                  stick->Device.ReadInput(reportId, buffer, InputReportTimeoutMs));
}

uTrxBool uTrx_SetPreamblePattern(uTrxHandle stick, uint8_t pattern) {
    return Result(SendCommand(stick, ReportSetPreamble, pattern));
}

uTrxBool uTrx_Execute(uTrxHandle stick, uint8_t command) {
    return Result(SendCommand(stick, ReportExecute, command));
}

uTrxBool uTrx_EraseConfigFlash(uTrxHandle stick) {
    return Result(SendCommand(stick, ReportEraseFlash, ConfigFlash));
}

uTrxBool uTrx_WriteConfigFlash(uTrxHandle stick, uint16_t address, uint16_t length,
                               const uint8_t* data) {
    return Result(WriteFlash(stick, ConfigFlash, address, length, data));
}

uTrxBool uTrx_ReadConfigFlash(uTrxHandle stick, uint16_t address, uint16_t length,
                              uint8_t* buffer) {
    return Result(ReadFlash(stick, ConfigFlash, address, length, buffer));
}

uTrxBool uTrx_EraseDataFlash(uTrxHandle stick) {
    return Result(SendCommand(stick, ReportEraseFlash, DataFlash));
}

uTrxBool uTrx_WriteDataFlash(uTrxHandle stick, uint16_t address, uint16_t length,
                             const uint8_t* data) {
    return Result(WriteFlash(stick, DataFlash, address, length, data));
}

uTrxBool uTrx_ReadDataFlash(uTrxHandle stick, uint16_t address, uint16_t length, uint8_t* buffer) {
    return Result(ReadFlash(stick, DataFlash, address, length, buffer));
}

uTrxBool uTrx_GetState(uTrxHandle stick, uint8_t* state) {
    std::array<std::uint8_t, StateLength> report{ReportGetState};
    if (!state || !GetReport(stick, report))
        return 0;
    std::memcpy(state, report.data() + 1, uTrxStateLength);
    return 1;
}

uTrxBool uTrx_GetRevInfo(uTrxHandle stick, uint8_t* revInfo) {
    std::array<std::uint8_t, CommandLength> report{ReportGetRevInfo};
    if (!revInfo || !GetReport(stick, report))
        return 0;
    std::memcpy(revInfo, report.data() + 1, uTrxRevInfoLength);
    return 1;
}

uint8_t uTrx_FindStatus(uTrxHandle stick) {
    return stick ? stick->Device.FindStatus() : static_cast<uint8_t>(uTrxFindNoStick);
}

} // extern "C"
