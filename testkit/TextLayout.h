// Checks on the texts a picture was drawn with (recorded by platform::TextRecorder): every text
// readable on its own. A text must stand inside the picture and inside the cell it was drawn
// in, overlap no other text, keep off what covers the picture (a scroll bar), never reach across
// a frame (a trend grid's outline: it stands wholly inside or wholly outside), stand on its own
// background where it is inside a frame (so no grid line crosses it), stand out from the paper
// it is drawn on, and have capitals at least a legible height.
#pragma once

#include "platform/gdi/TextRecorder.h"

#include <string>
#include <vector>

namespace testkit {

// An area of one colour that texts are drawn on (a trend's paper, a panel's background).
struct TextPaper
{
    CRect area;
    COLORREF colour;
};

struct TextRules
{
    CRect bounds;                  // the picture, in the texts' coordinates
    std::vector<CRect> frames;     // outlines a text may not cross
    std::vector<CRect> covers;     // areas no text may touch
    // A text whose box's centre is on one of these (the last that holds it) must have at least
    // minContrast to its colour. Below 1.5 a text is as good as gone (black on a dark paper
    // reads 1.1); the settings' own colour choices (orange on the default grey panel: 1.6)
    // are theirs to make.
    std::vector<TextPaper> papers;
    double minContrast { 1.5 };
    int minCapitalHeight { 9 };    // pixels at 96 dots per inch
    double dotsPerInch { 96 };     // of the picture's device (a printer page: 300)
};

// The luminance contrast ratio of two colours, 1 (the same) to 21 (black and white).
double ContrastRatio(COLORREF a, COLORREF b);

// A text drawn again at the same place is one text.
std::vector<platform::DrawnText> DistinctTexts(const std::vector<platform::DrawnText>& texts);

// What is wrong, one line per problem; none when every text is readable.
std::vector<std::string> TextProblems(const std::vector<platform::DrawnText>& texts, const TextRules& rules);

} // namespace testkit
