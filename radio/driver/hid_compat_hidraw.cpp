#include "hid_compat.h"

#if HID_API_VERSION < HID_API_MAKE_VERSION(0, 14, 0)

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Reads the descriptor from the kernel through the device's hidraw node, as hidapi 0.14 does.
extern "C" int hid_get_report_descriptor(hid_device* dev, unsigned char* buf, size_t buf_size) {
    hid_device_info* info = dev ? hid_get_device_info(dev) : nullptr;
    if (!info || !info->path || !buf)
        return -1;
    const int fd = open(info->path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    int result = -1;
    int descriptorSize = 0;
    hidraw_report_descriptor descriptor{};
    if (ioctl(fd, HIDIOCGRDESCSIZE, &descriptorSize) >= 0 && descriptorSize >= 0 &&
        descriptorSize <= HID_MAX_DESCRIPTOR_SIZE) {
        descriptor.size = static_cast<__u32>(descriptorSize);
        if (ioctl(fd, HIDIOCGRDESC, &descriptor) >= 0) {
            const size_t copied = std::min(buf_size, static_cast<size_t>(descriptorSize));
            std::memcpy(buf, descriptor.value, copied);
            result = static_cast<int>(copied);
        }
    }
    close(fd);
    return result;
}

#endif
