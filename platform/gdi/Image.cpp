// Image: PNG through libpng's simplified interface, JPEG through libjpeg-turbo.
#include "platform/gdi/Image.h"

#include "platform/gdi/GdiInternal.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include <jpeglib.h>

namespace platform {

namespace {

// Writes through a temporary file in the same folder, renamed into place when complete.
template <typename Writer>
bool WriteAtomically(const char* path, std::string& error, Writer write)
{
    std::string temp = std::string(path) + ".partial";
    if (!write(temp.c_str())) {
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path) != 0) {
        error = std::string("cannot rename into ") + path + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool ReadFile(const char* path, std::vector<unsigned char>& data, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::string("cannot open ") + path;
        return false;
    }
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

struct JpegError
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Warnings (a truncated file ...) are not printed; a fatal one reaches JpegErrorExit.
void JpegQuiet(j_common_ptr) {}

void JpegErrorExit(j_common_ptr info)
{
    auto* err = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

} // namespace

Image::Image(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * m_height, 0xFF000000u)
{
}

bool Image::Load(const char* path)
{
    std::vector<unsigned char> data;
    if (!path || !ReadFile(path, data, m_error)) {
        Reset();
        return false;
    }
    if (data.size() >= 8 && std::memcmp(data.data(), "\x89PNG", 4) == 0)
        return LoadPng(data.data(), data.size());
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8)
        return LoadJpeg(data.data(), data.size());
    Reset();
    m_error = std::string(path) + " is neither a PNG nor a JPEG file";
    return false;
}

bool Image::LoadPng(const char* path)
{
    std::vector<unsigned char> data;
    if (!path || !ReadFile(path, data, m_error))
        return false;
    return LoadPng(data.data(), data.size());
}

bool Image::LoadPng(const void* data, size_t size, bool keepAlpha)
{
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, data, size)) {
        m_error = img.message;
        Reset();
        return false;
    }
    img.format = PNG_FORMAT_BGRA;
    if (!Surface::SizeAllowed(img.width, img.height)) {
        png_image_free(&img);
        Reset();
        m_error = "image too large";
        return false;
    }
    Image result(static_cast<int>(img.width), static_cast<int>(img.height));
    if (!png_image_finish_read(&img, nullptr, result.m_pixels.data(), 0, nullptr)) {
        m_error = img.message;
        png_image_free(&img);
        Reset();
        return false;
    }
    // Transparent pixels are composed over white, as pictures in dialogs appear.
    for (auto& p : result.m_pixels) {
        unsigned a = p >> 24;
        if (keepAlpha)
            break;
        if (a == 255)
            continue;
        auto mix = [a](unsigned c) { return (c * a + 255 * (255 - a)) / 255; };
        p = 0xFF000000u | (mix((p >> 16) & 0xFF) << 16) | (mix((p >> 8) & 0xFF) << 8) | mix(p & 0xFF);
    }
    *this = std::move(result);
    return true;
}

bool Image::SavePng(const char* path) const
{
    if (IsNull() || !path) {
        m_error = "no image to save";
        return false;
    }
    return WriteAtomically(path, m_error, [&](const char* temp) {
        png_image img;
        std::memset(&img, 0, sizeof img);
        img.version = PNG_IMAGE_VERSION;
        img.width = static_cast<png_uint_32>(m_width);
        img.height = static_cast<png_uint_32>(m_height);
        // Opaque pictures are written without alpha; pictures with transparency (icons) keep it.
        bool alpha = std::any_of(m_pixels.begin(), m_pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0xFF; });
        img.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
        int channels = alpha ? 4 : 3;
        std::vector<unsigned char> bytes(static_cast<size_t>(m_width) * m_height * channels);
        for (size_t i = 0; i < m_pixels.size(); ++i) {
            bytes[i * channels] = m_pixels[i] & 0xFF;
            bytes[i * channels + 1] = (m_pixels[i] >> 8) & 0xFF;
            bytes[i * channels + 2] = (m_pixels[i] >> 16) & 0xFF;
            if (alpha)
                bytes[i * channels + 3] = (m_pixels[i] >> 24) & 0xFF;
        }
        if (!png_image_write_to_file(&img, temp, 0, bytes.data(), 0, nullptr)) {
            m_error = img.message;
            return false;
        }
        return true;
    });
}

bool Image::LoadJpeg(const char* path)
{
    std::vector<unsigned char> data;
    if (!path || !ReadFile(path, data, m_error))
        return false;
    return LoadJpeg(data.data(), data.size());
}

bool Image::LoadJpeg(const void* data, size_t size)
{
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.manager);
    err.manager.error_exit = JpegErrorExit;
    err.manager.output_message = JpegQuiet;
    Image result;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        m_error = err.message;
        Reset();
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (!Surface::SizeAllowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        Reset();
        m_error = "image too large";
        return false;
    }
    jpeg_start_decompress(&info);
    result = Image(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    std::vector<unsigned char> line(static_cast<size_t>(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        int y = static_cast<int>(info.output_scanline);
        unsigned char* rows[1] = { line.data() };
        jpeg_read_scanlines(&info, rows, 1);
        std::uint32_t* out = result.Row(y);
        for (int x = 0; x < result.m_width; ++x)
            out[x] = 0xFF000000u | (line[x * 3] << 16) | (line[x * 3 + 1] << 8) | line[x * 3 + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    *this = std::move(result);
    return true;
}

bool Image::SaveJpeg(const char* path, int quality) const
{
    if (IsNull() || !path) {
        m_error = "no image to save";
        return false;
    }
    quality = std::clamp(quality, 1, 100);
    return WriteAtomically(path, m_error, [&](const char* temp) {
        FILE* file = std::fopen(temp, "wb");
        if (!file) {
            m_error = std::string("cannot create ") + temp + ": " + std::strerror(errno);
            return false;
        }
        jpeg_compress_struct info;
        JpegError err;
        info.err = jpeg_std_error(&err.manager);
        err.manager.error_exit = JpegErrorExit;
        err.manager.output_message = JpegQuiet;
    err.manager.output_message = JpegQuiet;
        if (setjmp(err.jump)) {
            jpeg_destroy_compress(&info);
            std::fclose(file);
            m_error = err.message;
            return false;
        }
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, file);
        info.image_width = static_cast<JDIMENSION>(m_width);
        info.image_height = static_cast<JDIMENSION>(m_height);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        jpeg_start_compress(&info, TRUE);
        std::vector<unsigned char> line(static_cast<size_t>(m_width) * 3);
        while (info.next_scanline < info.image_height) {
            const std::uint32_t* in = Row(static_cast<int>(info.next_scanline));
            for (int x = 0; x < m_width; ++x)
                line[x * 3] = (in[x] >> 16) & 0xFF, line[x * 3 + 1] = (in[x] >> 8) & 0xFF, line[x * 3 + 2] = in[x] & 0xFF;
            unsigned char* rows[1] = { line.data() };
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        bool ok = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
        ok = std::fclose(file) == 0 && ok;
        if (!ok)
            m_error = std::string("cannot write ") + temp + ": " + std::strerror(errno);
        return ok;
    });
}

bool Image::FromBitmap(HBITMAP bitmap)
{
    SurfacePtr s = gdi::SurfaceOf(bitmap);
    if (!s) {
        m_error = "not a bitmap";
        Reset();
        return false;
    }
    std::lock_guard lock(s->Mutex());
    Image result(s->Width(), s->Height());
    for (int y = 0; y < s->Height(); ++y)
        std::memcpy(result.Row(y), s->Row(y), static_cast<size_t>(s->Width()) * 4);
    *this = std::move(result);
    return true;
}

HBITMAP Image::ToBitmap() const
{
    if (IsNull())
        return nullptr;
    auto s = std::make_shared<Surface>(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(s->Row(y), Row(y), static_cast<size_t>(m_width) * 4);
    return gdi::CreateBitmapFromSurface(std::move(s), 32);
}

} // namespace platform
