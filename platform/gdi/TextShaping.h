// Shaped lines of text for the DCs (only the drawing module includes this header).
//
// Shaping a line (pango's itemising, font lookup and glyph shaping) is the costly part of
// drawing text, and painters draw the same few texts over and over. Each thread therefore keeps
// a pango context per kind of target and a bounded cache of shaped layouts, keyed by everything
// that decides the glyphs: the context, the font description and its size, the underline and
// strike-out attributes, the wrap width and the text. A line drawn again is drawn from its
// cached layout, which gives exactly the pixels that shaping it anew would give.
//
// Threads: pango objects are never shared between threads; every thread has its own contexts
// and cache, made on its first text and freed when the thread ends.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;

namespace platform::gdi {

struct FontData;

// The mnemonic's underlined character of a line: byte offset (-1 for none) and byte length.
struct Underline
{
    int start { -1 };
    int length { 0 };
};

struct LayoutUnref
{
    void operator()(PangoLayout* layout) const;
};
// A shaped layout, held for as long as the caller uses it (the cache may drop it meanwhile).
using LayoutRef = std::unique_ptr<PangoLayout, LayoutUnref>;

// The layout of `text` in `font` at `scale` device pixels per logical unit, shaped for `cr`
// as its transformation and target stand now (`hintMetrics`: glyph advances on whole pixels,
// for targets with pixels). `wrapWidth` > 0 breaks the text into lines at words within that
// many pango units; otherwise it stays one line per paragraph.
LayoutRef ShapeText(cairo_t* cr, bool hintMetrics, const FontData& font, double scale, std::string_view text,
                    Underline underline = {}, int wrapWidth = -1);

// Interns the text of a font description, so that shaped layouts can be keyed by its address.
const std::string* InternFontKey(const std::string& description);

} // namespace platform::gdi
