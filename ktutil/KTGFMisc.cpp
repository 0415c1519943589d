// KTGF colour shading, 3-D frames, picture fitting, message pumping, byte order and byte spreading.
#include "ktutil/KTGF.h"

#include "ktutil/KTUtilPlatform.h"
#include "platform/msg/Messages.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>
#include <random>

// ---- colours -------------------------------------------------------------------------------------

namespace {

BYTE Clamp(int value) { return static_cast<BYTE>(std::clamp(value, 0, 255)); }

COLORREF Shift(COLORREF colour, int amount)
{
    return RGB(Clamp(GetRValue(colour) + amount), Clamp(GetGValue(colour) + amount),
               Clamp(GetBValue(colour) + amount));
}

} // namespace

COLORREF KTGF::GetColorDark(COLORREF colour, int amount) { return Shift(colour, -amount); }

COLORREF KTGF::GetColorLight(COLORREF colour, int amount) { return Shift(colour, amount); }

void KTGF::Draw3DFrame(CDC* dc, const CRect& rect, BOOL thin, BOOL raised)
{
    if (!dc)
        return;
    const COLORREF highlight = GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    const COLORREF darkShadow = GetSysColor(COLOR_3DDKSHADOW);
    if (raised)
        dc->Draw3dRect(rect, highlight, shadow);
    else
        dc->Draw3dRect(rect, shadow, highlight);
    if (thin)
        return;
    CRect inner(rect);
    inner.DeflateRect(1, 1);
    if (raised)
        dc->Draw3dRect(inner, light, darkShadow);
    else
        dc->Draw3dRect(inner, darkShadow, light);
}

// ---- fitting a picture ---------------------------------------------------------------------------

CRect KTGF::GetDrawRect(const CRect& area, const CSize& size, BOOL noEnlarge)
{
    if (area.Width() <= 0 || area.Height() <= 0 || size.cx <= 0 || size.cy <= 0)
        return CRect(0, 0, 0, 0);
    const double areaRatio = static_cast<double>(area.Width()) / area.Height();
    const double sizeRatio = static_cast<double>(size.cx) / size.cy;
    int width = 0;
    int height = 0;
    if (areaRatio >= sizeRatio) {
        height = area.Height();
        width = static_cast<int>(static_cast<double>(area.Height()) * size.cx / size.cy + 0.5);
    } else {
        width = area.Width();
        height = static_cast<int>(static_cast<double>(area.Width()) * size.cy / size.cx + 0.5);
    }
    if (noEnlarge && width > size.cx) {
        width = size.cx;
        height = size.cy;
    }
    CRect box(area);
    box.NormalizeRect();
    const int left = box.left + (box.Width() - width) / 2;
    const int top = box.top + (box.Height() - height) / 2;
    return CRect(left, top, left + width, top + height);
}

// ---- messages ------------------------------------------------------------------------------------

BOOL KTGF::PeekMsg(MSG* msg)
{
    MSG local;
    return ktutil::DispatchOneMessage(msg ? *msg : local) ? TRUE : FALSE;
}

// ---- byte order ----------------------------------------------------------------------------------

int KTGF::InvertByte(BYTE* buffer, int length)
{
    if (!buffer || length < 2)
        return -2;
    std::reverse(buffer, buffer + length);
    return 0;
}

BOOL KTGF::IsHostBigEndian()
{
    const std::uint16_t probe = 0x0102;
    return *reinterpret_cast<const BYTE*>(&probe) == 0x01;
}

int KTGF::HostToNetwork(BYTE* buffer, int length)
{
    if (IsHostBigEndian())
        return 0;
    return InvertByte(buffer, length);
}

// ---- byte spreading ----------------------------------------------------------------------------------
//
// Each source byte sits in the middle of a block of `width` filler bytes. The filler comes from
// a generator of our own seeded with the width, so the process's rand() sequence is left alone.

int KTGF::Encrypt(const BYTE* source, int length, BYTE* target, int targetSize, int width)
{
    if (width < 3 || length < 0 || (length > 0 && !source))
        return 0;
    const long long outLength = static_cast<long long>(length) * width;
    if (outLength > 0x7FFFFFFF)
        return 0;
    if (!target)
        return static_cast<int>(outLength);
    if (targetSize < outLength)
        return 0;
    std::minstd_rand filler(static_cast<unsigned>(width));
    for (int i = 0; i < length; ++i) {
        BYTE* block = target + static_cast<long long>(i) * width;
        for (int j = 0; j < width; ++j)
            block[j] = static_cast<BYTE>(filler() % 255);
        block[width / 2] = source[i];
    }
    return static_cast<int>(outLength);
}

int KTGF::Decrypt(const BYTE* source, int length, BYTE* target, int targetSize, int width)
{
    if (width < 3 || length < 0 || length % width != 0 || (length > 0 && !source))
        return 0;
    const int outLength = length / width;
    if (!target)
        return outLength;
    if (targetSize < outLength)
        return 0;
    for (int i = 0; i < outLength; ++i)
        target[i] = source[static_cast<long long>(i) * width + width / 2];
    return outLength;
}
