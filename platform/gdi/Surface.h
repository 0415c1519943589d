// A 32-bit pixel surface: the storage behind every bitmap and every top-level window's backing
// store. Pixels are 0xAARRGGBB words (always opaque), rows top-down. A surface is shared by the
// device contexts that draw into it, possibly from several threads: each drawing operation holds
// the surface's lock for its duration, and a blit between two surfaces takes both locks together
// (std::scoped_lock, so two opposite blits cannot deadlock). Drawn areas accumulate as a dirty
// rectangle that the window host presents and clears.
#pragma once

#include "platform/core/CheckedMutex.h"
#include "platform/core/Geometry.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace platform {

class Surface
{
public:
    // The largest surface the module makes (a corrupt size asks for no more than 1 GiB).
    static constexpr long long kMaxPixels = 1LL << 28;
    static bool SizeAllowed(long long width, long long height)
    {
        return width > 0 && height > 0 && width <= 1 << 16 && height <= 1 << 16 && width * height <= kMaxPixels;
    }

    // A new surface is black, like a fresh compatible bitmap.
    Surface(int width, int height, bool monochrome = false);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int StrideBytes() const { return m_stride; }
    bool IsMonochrome() const { return m_monochrome; }
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(m_data + static_cast<size_t>(y) * m_stride); }
    const std::uint32_t* Row(int y) const
    {
        return reinterpret_cast<const std::uint32_t*>(m_data + static_cast<size_t>(y) * m_stride);
    }
    CRect Bounds() const { return CRect(0, 0, m_width, m_height); }

    // Guards the pixels, the size and the dirty rectangle. Recursive, so that a composite
    // drawing operation may call simpler ones.
    platform::CheckedRecursiveMutex& Mutex() const { return m_mutex; }

    // Changes the size, keeping the overlapping top-left content; new area is black.
    // Takes the lock itself.
    void Resize(int width, int height);
    // Counts size changes, so that a device context knows when to rebind.
    unsigned Generation() const { return m_generation; }

    // Dirty area (surface coordinates). MarkDirty expects the lock held or takes it.
    void MarkDirty(const RECT& area);
    CRect TakeDirty();
    CRect PeekDirty() const;

    // Writes the pixels as a PNG file. Returns false when the file cannot be written.
    bool SavePng(const char* path) const;

    // The cairo image surface over the pixels (cairo_surface_t*), for the drawing module.
    void* CairoSurface() const { return m_cairo; }

private:
    void Allocate(int width, int height);

    int m_width { 0 };
    int m_height { 0 };
    int m_stride { 0 };
    bool m_monochrome { false };
    unsigned char* m_data { nullptr };
    void* m_cairo { nullptr };
    unsigned m_generation { 0 };
    CRect m_dirty;
    mutable platform::CheckedRecursiveMutex m_mutex;
};

using SurfacePtr = std::shared_ptr<Surface>;

} // namespace platform
