// Port number to device path: the process mapping, then the ini file, then /dev/ttyS<n-1>.
#include "platform/net/SerialDevices.h"

#include "platform/core/ModulePath.h"
#include "platform/core/Profile.h"

#include <map>
#include <mutex>

namespace platform {
namespace {

// Guards both values below; leaf lock (nothing else is taken while it is held).
std::mutex s_mappingLock;
std::map<unsigned, std::string> s_processMapping;
std::string s_iniFile;

std::string DefaultIniFile()
{
    CString program = GetProgramPath();
    return program.IsEmpty() ? std::string() : program.str() + ".ini";
}

// The value of key `key` in section "SERIAL_DEVICES" of the ini file; empty when absent.
std::string LookUpIniMapping(const std::string& iniFile, const std::string& key)
{
    if (iniFile.empty())
        return {};
    char value[4096] = {};
    GetPrivateProfileString("SERIAL_DEVICES", key.c_str(), "", value, sizeof value, iniFile.c_str());
    return value;
}

} // namespace

std::string SerialDeviceIniFile()
{
    std::lock_guard lock(s_mappingLock);
    return s_iniFile.empty() ? DefaultIniFile() : s_iniFile;
}

void SetSerialDeviceIniFile(const std::string& path)
{
    std::lock_guard lock(s_mappingLock);
    s_iniFile = path;
}

void SetSerialDevicePath(unsigned port, const std::string& devicePath)
{
    std::lock_guard lock(s_mappingLock);
    if (devicePath.empty())
        s_processMapping.erase(port);
    else
        s_processMapping[port] = devicePath;
}

std::string SerialDevicePath(unsigned port)
{
    if (port == 0)
        return {};
    {
        std::lock_guard lock(s_mappingLock);
        auto it = s_processMapping.find(port);
        if (it != s_processMapping.end())
            return it->second;
    }
    std::string mapped = LookUpIniMapping(SerialDeviceIniFile(), "COM" + std::to_string(port));
    if (!mapped.empty())
        return mapped;
    return "/dev/ttyS" + std::to_string(port - 1);
}

} // namespace platform
