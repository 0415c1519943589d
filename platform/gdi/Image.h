// An image in memory: 32-bit pixels (0xFFRRGGBB, rows top-down) with JPEG and PNG load and save.
// The JPEG captures and exported pages are made from a bitmap through it, and a loaded picture
// turns back into a bitmap for drawing.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <string>
#include <vector>

class CBitmap;

namespace platform {

class Image
{
public:
    static constexpr int kDefaultJpegQuality = 90;

    Image() = default;
    Image(int width, int height);

    bool IsNull() const { return m_width <= 0 || m_height <= 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::uint32_t* Row(int y) { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    const std::uint32_t* Row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }

    // Loading replaces the content; on failure the image is null and the call returns false.
    bool Load(const char* path); // by content: PNG or JPEG
    bool LoadPng(const char* path);
    // keepAlpha leaves the alpha in the top byte (icons); otherwise transparent pixels are
    // composed over white.
    bool LoadPng(const void* data, size_t size, bool keepAlpha = false);
    bool LoadJpeg(const char* path);
    bool LoadJpeg(const void* data, size_t size);
    // Writing goes to a temporary file beside the target that is renamed into place, so a
    // failed write never leaves a truncated picture under the final name.
    bool SavePng(const char* path) const;
    bool SaveJpeg(const char* path, int quality = kDefaultJpegQuality) const;
    // The reason for the last failed load or save, for the caller's message.
    const std::string& LastError() const { return m_error; }

    // From and to a bitmap (HBITMAP): the bitmap's pixels copied; a new bitmap is created.
    bool FromBitmap(HBITMAP bitmap);
    HBITMAP ToBitmap() const;

private:
    void Reset() { m_width = m_height = 0, m_pixels.clear(); }

    int m_width { 0 };
    int m_height { 0 };
    std::vector<std::uint32_t> m_pixels;
    mutable std::string m_error;
};

} // namespace platform
