// The client library's English string table. Texts stand exactly as the system shows them.
#include "nyraclient/res/NyraClientStrings.h"

namespace nyraclient {
namespace {

constexpr platform::StringEntry kStrings[] = {
    // ---- parameter names ----------------------------------------------------------------
    { IDS_PARAM_ECG, "ECG" },
    { IDS_PARAM_FECG, "FECG" },
    { IDS_PARAM_MSPO2, "MSpO2" },
    { IDS_PARAM_FSPO2, "FSpO2" },
    { IDS_PARAM_NIBP, "NIBP" },
    { IDS_PARAM_TEMP, "TEMP" },
    { IDS_PARAM_FHR1, "FHR1" },
    { IDS_PARAM_FHR2, "FHR2" },
    { IDS_PARAM_UC, "UC" },
    { IDS_PARAM_IUP, "IUP" },
    // ---- alarm texts --------------------------------------------------------------------
    { IDS_NETWORK_ALARM, "Network Connection is broken!!!" },
};

} // namespace

std::span<const platform::StringEntry> StringTable() { return kStrings; }
} // namespace nyraclient
