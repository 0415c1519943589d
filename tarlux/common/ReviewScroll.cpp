// Scroll codes of the page controls.
#include "tarlux/common/ReviewScroll.h"

#include <algorithm>

namespace tarlux {

int ScrolledPosition(const SCROLLINFO& info, UINT nSBCode)
{
    const int page = static_cast<int>(info.nPage);
    int thumb = info.nTrackPos;
    if (info.nTrackPos <= info.nMin + 1)
        thumb = info.nMin;
    else if (info.nTrackPos >= info.nMax - 1)
        thumb = info.nMax;
    switch (nSBCode) {
    case SB_LINELEFT: return std::max(info.nMin, info.nPos - 1);
    case SB_LINERIGHT: return std::min(info.nMax, info.nPos + 1);
    case SB_PAGELEFT: return std::max(info.nMin, info.nPos - page);
    case SB_PAGERIGHT: return std::min(info.nMax, info.nPos + page);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return thumb;
    case SB_LEFT: return info.nMin;
    case SB_RIGHT: return info.nMax;
    default: return info.nPos;
    }
}

} // namespace tarlux
