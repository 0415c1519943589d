// Code-point stepping over UTF-8 byte strings, for the text helpers that count characters or
// cut texts. A byte that does not start a well-formed sequence counts as one character of its
// own and is kept as it is, so a cut never splits a character and never loses a byte that
// another cut would keep.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ktutil::utf8 {

// Bytes of the character that starts at `pos` (1 for a stray or malformed byte; 0 at the end).
std::size_t CharLength(std::string_view text, std::size_t pos);

// Number of characters (code points) in the text.
std::size_t CountChars(std::string_view text);

// Byte offset just past the first `count` characters (the whole length when there are fewer).
std::size_t OffsetOfChar(std::string_view text, std::size_t count);

// The longest prefix of at most `maxBytes` bytes that ends on a character boundary.
std::size_t BoundaryAtOrBelow(std::string_view text, std::size_t maxBytes);

// Decodes the character at `pos` into a code point; a malformed byte gives its own value.
char32_t Decode(std::string_view text, std::size_t pos, std::size_t& length);

// Appends the UTF-8 form of a code point (U+FFFD for a value that is no code point).
void Encode(char32_t codePoint, std::string& out);

} // namespace ktutil::utf8
