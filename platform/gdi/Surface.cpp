// Surface: pixel storage shared with cairo. See Surface.h.
#include "platform/gdi/Surface.h"

#include "platform/gdi/Image.h"

#include <cairo.h>

#include <cstring>

namespace platform {

Surface::Surface(int width, int height, bool monochrome) : m_monochrome(monochrome)
{
    Allocate(width, height);
}

Surface::~Surface()
{
    if (m_cairo)
        cairo_surface_destroy(static_cast<cairo_surface_t*>(m_cairo));
    delete[] m_data;
}

void Surface::Allocate(int width, int height)
{
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    m_stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, m_width);
    m_data = new unsigned char[static_cast<size_t>(m_stride) * m_height];
    for (int y = 0; y < m_height; ++y)
        std::fill_n(Row(y), m_width, 0xFF000000u);
    m_cairo = cairo_image_surface_create_for_data(m_data, CAIRO_FORMAT_ARGB32, m_width, m_height, m_stride);
}

void Surface::Resize(int width, int height)
{
    std::lock_guard lock(m_mutex);
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height)
        return;
    unsigned char* oldData = m_data;
    auto* oldCairo = static_cast<cairo_surface_t*>(m_cairo);
    int oldW = m_width, oldH = m_height, oldStride = m_stride;
    Allocate(width, height);
    for (int y = 0; y < std::min(oldH, m_height); ++y)
        std::memcpy(Row(y), oldData + static_cast<size_t>(y) * oldStride,
                    static_cast<size_t>(std::min(oldW, m_width)) * 4);
    cairo_surface_destroy(oldCairo);
    delete[] oldData;
    ++m_generation;
    m_dirty = Bounds();
}

void Surface::MarkDirty(const RECT& area)
{
    std::lock_guard lock(m_mutex);
    CRect r = CRect(area) & Bounds();
    if (!r.IsRectEmpty())
        m_dirty |= r;
}

CRect Surface::TakeDirty()
{
    std::lock_guard lock(m_mutex);
    CRect r = m_dirty;
    m_dirty.SetRectEmpty();
    return r;
}

CRect Surface::PeekDirty() const
{
    std::lock_guard lock(m_mutex);
    return m_dirty;
}

bool Surface::SavePng(const char* path) const
{
    std::lock_guard lock(m_mutex);
    Image image(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(image.Row(y), Row(y), static_cast<size_t>(m_width) * 4);
    return image.SavePng(path);
}

} // namespace platform
