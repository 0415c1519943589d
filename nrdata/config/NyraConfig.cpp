// NyraConfig: defaults, assignment and the display flags of the parameter data kinds.
#include "nrdata/config/NyraConfig.h"

#include "ktutil/KTGF.h"
#include "nrdata/config/NyraConfigSettings.h"

using namespace nrdata::config;

namespace {

// The display flag of each parameter data kind 1 to 18 (index = kind); kind 19 has none and is
// always visible.
constexpr int kVisibleFlagOfKind[] = {
    -1, // no kind 0
    1, 2, 3, 4, 5, 6, 7, 8, // maternal values, UC, IUP, FECG: their own flags
    11, 12,                 // FSpO2, FSpO2 pulse rate
    9, 10,                  // FHR1, FHR2
    13, 14, 13, 14,         // FM1, FM2 and their detection kinds share one flag each
    15, 16,                 // event marker, stimulator
};
constexpr int kAlwaysVisibleKind = 19;

// Sets each setting to its default.
struct ApplyDefaults
{
    CString dataFolder;
    void operator()(const char*, const char*, int& member, IntDefault def) const { member = def.value; }
    void operator()(const char*, const char*, CString& member, TextDefault def) const
    {
        switch (def.kind) {
        case TextDefault::DataFolder: member = dataFolder; break;
        case TextDefault::Literal: member = def.text; break;
        case TextDefault::Empty: break; // the doctor and nurse texts stay as they are
        }
    }
};

} // namespace

NyraConfig::NyraConfig()
{
    Default();
}

NyraConfig& NyraConfig::operator=(const NyraConfig& other)
{
    static_cast<NyraSettings&>(*this) = other;
    return *this;
}

void NyraConfig::Default()
{
    ForEachSetting(static_cast<NyraSettings&>(*this), ApplyDefaults { GetDefaultDataPath() });
    DisplayFlag.fill(1);
}

int NyraConfig::DisplayFlagOfKind(int kind)
{
    if (kind < 1 || kind >= static_cast<int>(std::size(kVisibleFlagOfKind)))
        return -1;
    return kVisibleFlagOfKind[kind];
}

int NyraConfig::IsVisible(int kind) const
{
    if (kind == kAlwaysVisibleKind)
        return 1;
    const int flag = DisplayFlagOfKind(kind);
    return flag < 0 ? 0 : DisplayFlag[static_cast<size_t>(flag)];
}

CString NyraConfig::GetDefaultDataPath()
{
    return KTGF::MakePath(KTGF::GetModulePath(), "Data");
}

CString NyraConfig::GetDefaultIniPath()
{
    return KTGF::MakePath(KTGF::GetModulePath(), kIniFileName);
}
