// TextRecorder: a record of the texts that DCs draw, for tests that check a picture's texts: where
// each line of text stands, in which cell it was drawn, whether it was clipped to that cell, and
// how tall its capital letters are. A recorder sees every text drawn on any thread (painter
// threads included) from its construction to its destruction; one exists at a time.
//
// Coordinates are the drawing DC's logical ones (a bed window's painters draw in window
// coordinates whatever bitmap they draw on), so texts of one window drawn on several bitmaps
// can be compared with each other.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

struct DrawnText
{
    std::string text;
    // The line's box: the text's advance width by the font's line height.
    CRect box;
    // The rectangle DrawText was given (ExtTextOut: its clip rectangle), empty for none.
    CRect cell;
    // Whether the text shows only inside `cell` (DrawText without DT_NOCLIP, ETO_CLIPPED).
    bool clippedToCell { false };
    // Drawn on an opaque box of the background colour (so nothing drawn before crosses it).
    bool opaque { false };
    // Height of a capital letter of the font, in device pixels.
    int capitalHeight { 0 };
    COLORREF color { 0 };
    // The surface drawn on (a bitmap, a top-level window's surface or a printer page).
    const void* target { nullptr };
    // Drawn on a printer's page.
    bool printed { false };
    // Device pixels per logical unit, vertically (a printer page's mapping).
    double scale { 1.0 };
};

class TextRecorder
{
public:
    TextRecorder();
    ~TextRecorder();
    TextRecorder(const TextRecorder&) = delete;
    TextRecorder& operator=(const TextRecorder&) = delete;

    // Everything drawn so far, in drawing order.
    std::vector<DrawnText> Texts() const;
    void Clear();

    struct Store;

private:
    std::shared_ptr<Store> m_store;
};

} // namespace platform
