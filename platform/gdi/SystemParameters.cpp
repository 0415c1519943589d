// The fixed table behind SystemParametersInfo.
#include "platform/gdi/SystemParameters.h"

#include "platform/gdi/SysColors.h"

#include <cstring>

namespace {

// The classic look's window fonts: 8 point "Tahoma" (which resolves to Liberation Sans), the
// caption's bold.
LOGFONT WindowFont(LONG weight)
{
    LOGFONT font;
    font.lfHeight = -11;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, "Tahoma", LF_FACESIZE - 1);
    return font;
}

NONCLIENTMETRICS NonClientMetrics()
{
    NONCLIENTMETRICS m;
    m.iBorderWidth = 1;
    m.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    m.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    m.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
    m.iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
    m.lfCaptionFont = WindowFont(FW_BOLD);
    m.iSmCaptionWidth = 12;
    m.iSmCaptionHeight = 15;
    m.lfSmCaptionFont = WindowFont(FW_BOLD);
    m.iMenuWidth = GetSystemMetrics(SM_CXSIZE);
    m.iMenuHeight = GetSystemMetrics(SM_CYSIZE);
    m.lfMenuFont = WindowFont(FW_NORMAL);
    m.lfStatusFont = WindowFont(FW_NORMAL);
    m.lfMessageFont = WindowFont(FW_NORMAL);
    return m;
}

} // namespace

BOOL SystemParametersInfo(UINT uiAction, UINT, void* pvParam, UINT)
{
    if (!pvParam)
        return FALSE;
    switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS: {
        auto* metrics = static_cast<NONCLIENTMETRICS*>(pvParam);
        if (metrics->cbSize != sizeof(NONCLIENTMETRICS))
            return FALSE;
        *metrics = NonClientMetrics();
        return TRUE;
    }
    default: return FALSE;
    }
}
