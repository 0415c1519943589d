// The visual-style service and drawing its parts into a device context.
#include "platform/gdi/VisualStyle.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

#include <mutex>
#include <vector>

namespace platform {
namespace {

// Guards the service pointer; never held while the service draws.
std::mutex s_lock;
std::shared_ptr<VisualStyleService> s_service;

std::shared_ptr<VisualStyleService> CurrentService()
{
    std::lock_guard lock(s_lock);
    return s_service;
}

} // namespace

void SetVisualStyleService(std::shared_ptr<VisualStyleService> service)
{
    std::lock_guard lock(s_lock);
    s_service = std::move(service);
}

bool IsVisualStyleActive(const char* themeClass)
{
    const auto service = CurrentService();
    return service && themeClass && service->Draws(themeClass);
}

bool DrawVisualStylePart(HDC dc, const char* themeClass, int part, int state, const RECT& rect)
{
    const auto service = CurrentService();
    const CRect area(rect);
    if (!service || !themeClass || area.IsRectEmpty() || !service->Draws(themeClass))
        return false;
    CDC* target = CDC::FromHandle(dc);
    CDC memory;
    CBitmap bitmap;
    if (!target || !memory.CreateCompatibleDC(target) || !bitmap.CreateCompatibleBitmap(target, area.Width(), area.Height()))
        return false;
    CBitmap* old = memory.SelectObject(&bitmap);
    // The part is drawn over what the context holds there (a rounded tab over its parent).
    memory.BitBlt(0, 0, area.Width(), area.Height(), target, area.left, area.top, SRCCOPY);
    memory.SelectObject(old);
    std::vector<std::uint32_t> pixels(static_cast<size_t>(area.Width()) * area.Height());
    const auto bytes = static_cast<DWORD>(pixels.size() * sizeof(std::uint32_t));
    if (bitmap.GetBitmapBits(bytes, pixels.data()) != bytes)
        return false;
    const std::uint32_t opaque = pixels.front() & 0xFF000000u;
    if (!service->DrawPart(themeClass, part, state, pixels.data(), area.Width(), area.Height()))
        return false;
    // The service paints colours only; the surface keeps its own top byte.
    for (std::uint32_t& pixel : pixels)
        pixel = (pixel & 0x00FFFFFFu) | opaque;
    bitmap.SetBitmapBits(bytes, pixels.data());
    old = memory.SelectObject(&bitmap);
    target->BitBlt(area.left, area.top, area.Width(), area.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return true;
}

} // namespace platform
