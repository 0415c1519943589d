// UTF-8 stepping. A sequence is well formed when its lead byte announces 2 to 4 bytes, every
// following byte is a continuation byte (10xxxxxx), it is not an over-long form, and it encodes
// no surrogate and nothing above U+10FFFF.
#include "ktutil/Utf8.h"

namespace ktutil::utf8 {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Decodes a well-formed sequence at pos; 0 length when the bytes there are malformed.
std::size_t WellFormedLength(std::string_view text, std::size_t pos, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t need = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        need = 2, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        need = 3, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        need = 4, cp = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + need > text.size())
        return 0;
    for (std::size_t i = 1; i < need; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(b))
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return need;
}

} // namespace

std::size_t CharLength(std::string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return 0;
    char32_t cp = 0;
    const std::size_t n = WellFormedLength(text, pos, cp);
    return n ? n : 1;
}

std::size_t CountChars(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos))
        ++count;
    return count;
}

std::size_t OffsetOfChar(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    while (count > 0 && pos < text.size()) {
        pos += CharLength(text, pos);
        --count;
    }
    return pos;
}

std::size_t BoundaryAtOrBelow(std::string_view text, std::size_t maxBytes)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = pos + CharLength(text, pos);
        if (next > maxBytes)
            break;
        pos = next;
    }
    return pos;
}

char32_t Decode(std::string_view text, std::size_t pos, std::size_t& length)
{
    length = 0;
    if (pos >= text.size())
        return 0;
    char32_t cp = 0;
    length = WellFormedLength(text, pos, cp);
    if (length == 0) {
        length = 1;
        cp = static_cast<unsigned char>(text[pos]);
    }
    return cp;
}

void Encode(char32_t cp, std::string& out)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace ktutil::utf8
