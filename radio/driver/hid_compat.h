#pragma once

// hidapi before 0.14 has no hid_get_report_descriptor; hid_compat_hidraw.cpp supplies it for
// the hidraw backend, the virtual stick supplies its own.

#include <hidapi.h>

#if HID_API_VERSION < HID_API_MAKE_VERSION(0, 14, 0)
extern "C" int hid_get_report_descriptor(hid_device* dev, unsigned char* buf, size_t buf_size);
#endif
