// Which device stands behind a classic port number ("COM3").
//
// Port n is /dev/ttyS<n-1> unless the ini file beside the program maps it: section
// "SERIAL_DEVICES", key "COM<n>", value a device path (a USB adapter, or a pseudo-terminal in
// tests). Tests may also set a mapping in the process directly; that one wins over the file.
#pragma once

#include <string>

namespace platform {

// The device path of port `port` (1-based); empty for port 0.
std::string SerialDevicePath(unsigned port);

// The ini file that SerialDevicePath reads: "<program folder>/<program name>.ini" unless
// set with SetSerialDeviceIniFile (an empty path puts the default back).
std::string SerialDeviceIniFile();
void SetSerialDeviceIniFile(const std::string& path);

// A mapping held in the process, ahead of the ini file; an empty path removes it.
void SetSerialDevicePath(unsigned port, const std::string& devicePath);

} // namespace platform
