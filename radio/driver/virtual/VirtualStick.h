#pragma once

// Control of the in-memory programming stick that stands in for hidapi in the virtual build of
// the driver library. Tests plug sticks in and pull them out, read back every report the
// driver exchanged and make chosen reports fail. All functions are thread-safe.

#include "zeft_StickIdentity.h"

#include <cerrno>
#include <cstdint>
#include <vector>

#define ZEFT_VIRTUAL_STICK_API __attribute__((visibility("default")))

namespace zeft::virtualstick {

enum class TTransfer { SetFeature, GetFeature, ReadInput };

struct TRecordedReport {
    TTransfer Transfer = TTransfer::SetFeature;
    /// The stick it went to, numbered in plug-in order from 0 since the last Reset().
    int Stick = 0;
    /// Set: the report as sent. Get: the reply as handed back. Read: the input report.
    std::vector<std::uint8_t> Bytes;
    /// The stick answered with an error (a refused report, or a stick that was pulled out).
    bool Refused = false;
};

/// Pulls every stick out and forgets reports, faults, replies and counters.
ZEFT_VIRTUAL_STICK_API void Reset();
/// Plugs a stick in behind those already present; returns its number.
ZEFT_VIRTUAL_STICK_API int PlugIn(std::uint16_t vendorId = StickVendorId,
                                  std::uint16_t productId = StickProductId);
/// Pulls every stick out; handles opened on them fail from now on.
ZEFT_VIRTUAL_STICK_API void PullOut();
ZEFT_VIRTUAL_STICK_API bool IsPlugged(int stick);

ZEFT_VIRTUAL_STICK_API std::vector<TRecordedReport> Reports();
ZEFT_VIRTUAL_STICK_API void ClearReports();

/// Refuses the k-th register write (report 0xF0 with the write flag), counted from 1 since the
/// last Reset(). Several calls refuse several writes.
ZEFT_VIRTUAL_STICK_API void RefuseRegisterWrite(int k);
/// Refuses the k-th frame handed to the stick (report 0xD5), counted from 1 since Reset().
ZEFT_VIRTUAL_STICK_API void RefuseFrame(int k);
/// Refuses every frame from now on (as a stick whose radio has failed).
ZEFT_VIRTUAL_STICK_API void RefuseAllFrames(bool refuse);
/// hid_enumerate lists nothing, as when the device list cannot be obtained.
ZEFT_VIRTUAL_STICK_API void FailEnumeration(bool fail);
/// hid_open_path fails for every stick, leaving error in errno as open() would: EIO by
/// default, EACCES for a node the user may not open (no udev rule, not at the local seat).
ZEFT_VIRTUAL_STICK_API void RefuseOpen(bool refuse, int error = EIO);

/// The stick answers a get-feature report with these bytes (byte 0 is replaced by the
/// identifier, missing bytes read as 0) instead of what it would answer itself.
ZEFT_VIRTUAL_STICK_API void SetFeatureReply(std::uint8_t reportId, std::vector<std::uint8_t> reply);
/// The first stick delivers this input report (identifier in byte 0) to the next read.
ZEFT_VIRTUAL_STICK_API void QueueInputReport(std::vector<std::uint8_t> report);
/// The report descriptor of sticks plugged in from now on.
ZEFT_VIRTUAL_STICK_API void SetReportDescriptor(std::vector<std::uint8_t> descriptor);
/// The descriptor a stick has unless told otherwise: the feature reports of the protocol and
/// one input report 0x01 of 32 bytes (identifier included).
ZEFT_VIRTUAL_STICK_API std::vector<std::uint8_t> DefaultReportDescriptor();

/// The value a register of the stick's transceiver holds after the writes so far.
ZEFT_VIRTUAL_STICK_API std::uint8_t Register(int stick, std::uint8_t address);
/// Device handles currently open (hid_open_path without hid_close).
ZEFT_VIRTUAL_STICK_API int OpenHandles();
/// The time limit, in milliseconds, of the last input report read.
ZEFT_VIRTUAL_STICK_API int LastReadTimeout();

} // namespace zeft::virtualstick
