// Checks on the texts a picture was drawn with (recorded by platform::TextRecorder): every text
// readable on its own. A text must stand inside the picture and inside the cell it was drawn
// in, overlap no other text, keep off what covers the picture (a scroll bar), never reach across
// a frame (a trend grid's outline: it stands wholly inside or wholly outside), stand on its own
// background where it is inside a frame (so no grid line crosses it), and have capitals at least
// a legible height.
#pragma once

#include "platform/gdi/TextRecorder.h"

#include <string>
#include <vector>

namespace testkit {

struct TextRules
{
    CRect bounds;                  // the picture, in the texts' coordinates
    std::vector<CRect> frames;     // outlines a text may not cross
    std::vector<CRect> covers;     // areas no text may touch
    int minCapitalHeight { 9 };    // pixels at 96 dots per inch
    double dotsPerInch { 96 };     // of the picture's device (a printer page: 300)
};

// A text drawn again at the same place is one text.
std::vector<platform::DrawnText> DistinctTexts(const std::vector<platform::DrawnText>& texts);

// What is wrong, one line per problem; none when every text is readable.
std::vector<std::string> TextProblems(const std::vector<platform::DrawnText>& texts, const TextRules& rules);

} // namespace testkit
