// Bitmaps: colour and monochrome surfaces behind CBitmap handles.
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/Image.h"
#include "platform/core/ResourceModule.h"

#include <cstring>

namespace platform::gdi {

SurfacePtr SurfaceOf(HBITMAP bitmap)
{
    Ref<ObjectData> ref(Acquire(bitmap, Kind::Bitmap));
    return ref ? static_cast<BitmapData*>(ref.get())->surface : nullptr;
}

HBITMAP CreateBitmapFromSurface(SurfacePtr surface, int bitsPixel)
{
    auto* b = new BitmapData;
    b->surface = std::move(surface);
    b->bitsPixel = bitsPixel;
    return static_cast<HBITMAP>(Register(b));
}

} // namespace platform::gdi

using namespace platform::gdi;

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits)
{
    if (!platform::Surface::SizeAllowed(width, height) || planes != 1)
        return nullptr;
    bool mono = bitsPixel == 1;
    auto surface = std::make_shared<platform::Surface>(width, height, mono);
    if (bits) {
        const auto* src = static_cast<const BYTE*>(bits);
        if (mono) {
            int rowBytes = ((width + 15) / 16) * 2;
            for (int y = 0; y < height; ++y) {
                std::uint32_t* row = surface->Row(y);
                for (int x = 0; x < width; ++x) {
                    bool set = (src[y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
                    row[x] = set ? 0xFFFFFFFFu : 0xFF000000u;
                }
            }
        } else if (bitsPixel == 32) {
            for (int y = 0; y < height; ++y) {
                const auto* s = reinterpret_cast<const std::uint32_t*>(src) + static_cast<size_t>(y) * width;
                std::uint32_t* row = surface->Row(y);
                for (int x = 0; x < width; ++x)
                    row[x] = s[x] | 0xFF000000u;
            }
        }
    }
    return CreateBitmapFromSurface(std::move(surface), mono ? 1 : 32);
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height)
{
    // Always a colour bitmap: a memory DC's initial one-pixel bitmap does not make its
    // compatible bitmaps monochrome here, so an off-screen picture never loses its colours.
    if (!platform::Surface::SizeAllowed(width, height))
        return nullptr;
    return CreateBitmapFromSurface(std::make_shared<platform::Surface>(width, height), 32);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits)
{
    HBITMAP b = ::CreateBitmap(width, height, planes, bitsPixel, bits);
    if (!b)
        return FALSE;
    Replace(reinterpret_cast<HGDIOBJ>(b));
    return TRUE;
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bitmap)
{
    return bitmap && CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    HBITMAP b = ::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height);
    if (!b)
        return FALSE;
    Replace(reinterpret_cast<HGDIOBJ>(b));
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    // Bitmaps are kept as PNG files in the resource modules, searched in the usual order.
    for (const char* type : { "PNG", "BITMAP" }) {
        std::span<const BYTE> bytes = platform::FindResourceData(nullptr, type, resourceId);
        if (!bytes.empty())
            return LoadImageData(bytes.data(), bytes.size());
    }
    return FALSE;
}

BOOL CBitmap::LoadBitmap(LPCSTR resourceName)
{
    if (!resourceName)
        return FALSE;
    for (const char* type : { "PNG", "BITMAP" }) {
        std::span<const BYTE> bytes = platform::FindResourceData(nullptr, type, std::string_view(resourceName));
        if (!bytes.empty())
            return LoadImageData(bytes.data(), bytes.size());
    }
    return FALSE;
}

BOOL CBitmap::LoadImageData(const void* data, size_t size)
{
    platform::Image image;
    if (!image.LoadPng(data, size) && !image.LoadJpeg(data, size))
        return FALSE;
    Replace(reinterpret_cast<HGDIOBJ>(image.ToBitmap()));
    return m_hObject != nullptr;
}

BOOL CBitmap::LoadImageFile(LPCSTR path)
{
    platform::Image image;
    if (!path || !image.Load(path))
        return FALSE;
    Replace(reinterpret_cast<HGDIOBJ>(image.ToBitmap()));
    return m_hObject != nullptr;
}

int CBitmap::GetBitmap(BITMAP* info) const
{
    return ::GetObject(m_hObject, sizeof(BITMAP), info);
}

CSize CBitmap::GetBitmapDimension() const
{
    auto s = SurfaceOf(*this);
    return s ? CSize(s->Width(), s->Height()) : CSize();
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const
{
    auto s = SurfaceOf(*this);
    if (!s || !bits)
        return 0;
    std::lock_guard lock(s->Mutex());
    DWORD total = static_cast<DWORD>(s->Width()) * s->Height() * 4;
    DWORD n = std::min(count, total);
    auto* out = static_cast<BYTE*>(bits);
    for (DWORD done = 0; done < n;) {
        int y = static_cast<int>(done / (s->Width() * 4));
        DWORD chunk = std::min<DWORD>(n - done, static_cast<DWORD>(s->Width()) * 4);
        std::memcpy(out + done, s->Row(y), chunk);
        done += chunk;
    }
    for (DWORD i = 3; i < n; i += 4)
        out[i] = 0;
    return n;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    auto s = SurfaceOf(*this);
    if (!s || !bits)
        return 0;
    std::lock_guard lock(s->Mutex());
    DWORD total = static_cast<DWORD>(s->Width()) * s->Height() * 4;
    DWORD n = std::min(count, total) / 4;
    const auto* in = static_cast<const std::uint32_t*>(bits);
    for (DWORD i = 0; i < n; ++i) {
        std::uint32_t p = in[i] | 0xFF000000u;
        s->Row(static_cast<int>(i / s->Width()))[i % s->Width()] = s->IsMonochrome() ? MonoPixel(p) : p;
    }
    s->MarkDirty(s->Bounds());
    return n * 4;
}
