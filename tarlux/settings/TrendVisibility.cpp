// Keeping the trend flags in the settings file.
#include "tarlux/settings/TrendVisibility.h"

#include "ktutil/KTIni.h"
#include "nrdata/config/NyraConfig.h"

namespace tarlux {
namespace {

constexpr char kSection[] = "REVIEW_DISPLAY";
// Flags 1 to 16 (MHR to stimulator); 0 is the bed window's and 17 is unused.
constexpr int kFirstFlag = 1;
constexpr int kLastFlag = 16;

CString KeyOf(int flag)
{
    CString key;
    key.Format("Trend Visible%d", flag);
    return key;
}

} // namespace

void LoadTrendVisibility(NyraConfig& config, const char* iniPath)
{
    KTIni ini(iniPath);
    const bool available = ini.IsAvailable();
    for (int flag = kFirstFlag; flag <= kLastFlag; ++flag)
        config.DisplayFlag[flag] = available && ini.ReadInt(kSection, KeyOf(flag), 1) == 0 ? 0 : 1;
}

int SaveTrendVisibility(const NyraConfig& config, const char* iniPath)
{
    KTIni ini(iniPath);
    if (!ini.IsAvailable())
        return 0;
    int written = 1;
    for (int flag = kFirstFlag; flag <= kLastFlag; ++flag) {
        if (!ini.WriteInt(kSection, KeyOf(flag), config.DisplayFlag[flag] ? 1 : 0))
            written = 0;
    }
    return written;
}

} // namespace tarlux
